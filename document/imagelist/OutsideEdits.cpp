#include "document/imagelist/OutsideEdits.h"

#include <windows.h>

#include "document/imagelist/MImageList.h"
#include "document/imagelist/WorkingCopy.h"
#include "document/imagelist/WorkingCopyOrigin.h"
#include "document/services/FileOperation.h"
#include "document/services/PathNames.h"
#include "document/services/Win32Handle.h"
#include "render/PictureCache.h"

namespace {
// A file its writer still holds is not yet what it will be: it is looked at
// again later, not told.
bool HeldByItsWriter(const std::string& path) {
  const CScopedHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  const DWORD error = ::GetLastError();
  return !file.IsValid() && error == ERROR_SHARING_VIOLATION;
}

// A working copy another program wrote since it was last seen.
void NoteReplacedCopy(spab_imagelist::CMImg& image, const CFileStamp& working, const std::string& path,
                      OutsideEditsFound* found) {
  if (image.workingSeen.exists && working.exists && working != image.workingSeen) {
    PictureCache::Instance().ForgetFile(path);
    if (found) found->replaced.push_back(image.thumb);
  }
  image.workingSeen = working;
}
}  // namespace

std::vector<std::string> CatchUpOutsideEdits(spab_imagelist::CMImageList& list, const std::string& albumFolder,
                                             OutsideEditsFound* found) {
  std::vector<std::string> remade;
  bool originsChanged = false;
  for (const auto& image : list.GetImages()) {
    if (!IsSingleFileName(image->thumb.c_str())) continue;
    const std::string working = albumFolder + "\\img\\" + image->thumb;
    const CFileStamp workingStamp = ReadFileStamp(working);
    // A CD photo has no reference copy: its working copy is the CD's file.
    if (image->tipo == 0 || !IsSingleFileName(image->riferimento.c_str())) {
      NoteReplacedCopy(*image, workingStamp, working, found);
      continue;
    }
    const std::string reference = albumFolder + "\\rif\\" + image->riferimento;
    const CFileStamp referenceStamp = ReadFileStamp(reference);
    // A working copy deleted while the album was closed is made again too:
    // without it the photo would show as a grey box and could not be sent.
    // A path that is there but no file is left alone.
    const bool remakable =
        referenceStamp.exists &&
        (workingStamp.exists || CFileOperation().GetPathKind(working.c_str()) == CFileOperation::kPathMissing);
    const bool stale = remakable && WorkingCopyIsStale(*image, referenceStamp, workingStamp, working);
    // A photo of an older list takes its origin from the copies that agree.
    if (remakable && !stale && !image->madeFrom.exists)
      originsChanged |= RecordWorkingCopyOrigin(*image, referenceStamp, working);
    // An unreadable one told once already is left as it is until it changes.
    if (!stale || (image->toldUnreadable.exists && image->toldUnreadable == referenceStamp)) {
      NoteReplacedCopy(*image, workingStamp, working, found);
      continue;
    }
    // The whole folder of working copies may have gone with it.
    if (!workingStamp.exists) ::CreateDirectoryA((albumFolder + "\\img").c_str(), nullptr);
    CFileStamp madeFrom;
    switch (RemakeWorkingCopy(reference.c_str(), working.c_str(), &madeFrom)) {
      case RemakeResult::kWritten:
        originsChanged |= RecordWorkingCopyOrigin(*image, madeFrom, working);
        remade.push_back(image->thumb);
        continue;
      case RemakeResult::kUnreadable:
        // A picture the editor left unreadable keeps the copy it had; the
        // next look tries again.
        if (found && !HeldByItsWriter(reference))
          found->unreadable.push_back({image->thumb, image->nome, reference, referenceStamp});
        break;
      case RemakeResult::kNotWritten:
        break;
    }
    NoteReplacedCopy(*image, workingStamp, working, found);
  }
  if (originsChanged) list.Save(albumFolder.c_str(), false);
  return remade;
}

void MarkUnreadableTold(spab_imagelist::CMImageList& list, const std::vector<UnreadableReference>& told) {
  for (const UnreadableReference& reference : told)
    if (spab_imagelist::CMImg* image = list.Find(reference.thumb.c_str())) image->toldUnreadable = reference.stamp;
}
