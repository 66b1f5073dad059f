#include "document/imagelist/OutsideEdits.h"

#include <windows.h>

#include "document/imagelist/MImageList.h"
#include "document/imagelist/PictureLikeness.h"
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

// Decoded scaled down by the codec: a picture cut short still fails.
bool ReadsWhole(const std::string& path) {
  spab_imagelist::PictureLikeness likeness;
  return spab_imagelist::ReadPictureLikeness(path, likeness);
}

// A working copy cut short or spoilt while nobody looked is made again from
// its reference copy, as a missing one is. Only a copy whose stamp differs
// from the one last known is read (scaled down by the codec), so the look
// stays cheap; one still being written is looked at when it has changed again.
bool WorkingCopyUnreadable(const spab_imagelist::CMImg& image, const CFileStamp& working, const std::string& path) {
  const CFileStamp& known = image.workingSeen.exists ? image.workingSeen : image.madeAs;
  if (!working.exists || !known.exists || working == known || HeldByItsWriter(path)) return false;
  return !ReadsWhole(path);
}

// A reference copy deleted is told when found, once until it is back: the
// page still shows its working copy, and only the export would say.
void NoteMissingReference(spab_imagelist::CMImg& image, const CFileStamp& referenceStamp,
                          const std::string& reference, const std::string& working, const CFileStamp& workingStamp,
                          OutsideEditsFound* found) {
  if (referenceStamp.exists) {
    image.toldMissing = false;
    return;
  }
  if (!found || image.toldMissing || CFileOperation().GetPathKind(reference.c_str()) != CFileOperation::kPathMissing)
    return;
  found->missing.push_back({image.thumb, image.nome, reference, working, referenceStamp, workingStamp.exists});
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

OutsideEditsPlan FindOutsideEdits(spab_imagelist::CMImageList& list, const std::string& albumFolder,
                                  OutsideEditsFound* found) {
  OutsideEditsPlan plan;
  const CFolderChangeTimes referenceTimes(albumFolder + "\\rif");
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
    CFileStamp referenceStamp = ReadFileStamp(reference);
    if (referenceStamp.exists) referenceStamp.changed = referenceTimes.Of(image->riferimento);
    NoteMissingReference(*image, referenceStamp, reference, working, workingStamp, found);
    // A working copy deleted while the album was closed is made again too:
    // without it the photo would show as a grey box and could not be sent.
    // A path that is there but no file is left alone.
    const bool remakable =
        referenceStamp.exists &&
        (workingStamp.exists || CFileOperation().GetPathKind(working.c_str()) == CFileOperation::kPathMissing);
    // Only a reference copy whose stamp changed is read, and only one whose
    // bytes changed too has its working copy made again.
    if (remakable) plan.originsChanged |= RestampIfSameBytes(*image, referenceStamp, reference);
    const bool staleOrigin = remakable && WorkingCopyIsStale(*image, referenceStamp, workingStamp, working);
    const bool unreadableCopy = remakable && !staleOrigin && WorkingCopyUnreadable(*image, workingStamp, working);
    const bool stale = staleOrigin || unreadableCopy;
    // A photo of an older list takes its origin from the copies that agree.
    if (remakable && !stale && !image->madeFrom.exists)
      plan.originsChanged |= RecordWorkingCopyOrigin(*image, referenceStamp, working, false);
    // An unreadable one told once already is left as it is until it changes.
    if (!stale || (image->toldUnreadable.exists && image->toldUnreadable == referenceStamp)) {
      NoteReplacedCopy(*image, workingStamp, working, found);
      continue;
    }
    // The whole folder of working copies may have gone with it.
    if (!workingStamp.exists) ::CreateDirectoryA((albumFolder + "\\img").c_str(), nullptr);
    WorkingCopyRemake remake;
    remake.name = image->thumb;
    remake.reference = reference;
    remake.working = working;
    remake.referenceBefore = referenceStamp;
    remake.workingBefore = workingStamp;
    plan.remakes.push_back(std::move(remake));
  }
  return plan;
}

std::vector<std::string> TakeRemadeWorkingCopies(spab_imagelist::CMImageList& list, const std::string& albumFolder,
                                                 const std::vector<WorkingCopyRemake>& remakes, bool originsChanged,
                                                 OutsideEditsFound* found) {
  std::vector<std::string> remade;
  for (const WorkingCopyRemake& remake : remakes) {
    spab_imagelist::CMImg* image = list.Find(remake.name.c_str());
    if (!image) continue;
    switch (remake.result) {
      case RemakeResult::kWritten:
        originsChanged |= RecordWorkingCopyOrigin(*image, remake.madeFrom, remake.working, true, remake.madeFromDigest);
        image->toldUnmade = CFileStamp();
        remade.push_back(remake.name);
        continue;
      case RemakeResult::kUnreadable:
        // A picture the editor left unreadable keeps the copy it had, if
        // that can be read; the next look tries again.
        if (found && !HeldByItsWriter(remake.reference))
          found->unreadable.push_back({image->thumb, image->nome, remake.reference, remake.working,
                                       remake.referenceBefore,
                                       remake.workingBefore.exists && ReadsWhole(remake.working)});
        break;
      case RemakeResult::kNotWritten:
        // Tried again at the next look; told once for this reference copy.
        if (found && !(image->toldUnmade.exists && image->toldUnmade == remake.referenceBefore))
          found->unmade.push_back({image->thumb, image->nome, remake.working, remake.referenceBefore,
                                   remake.writeError});
        break;
    }
    NoteReplacedCopy(*image, remake.workingBefore, remake.working, found);
  }
  if (originsChanged) list.Save(albumFolder.c_str(), false);
  return remade;
}

std::vector<std::string> CatchUpOutsideEdits(spab_imagelist::CMImageList& list, const std::string& albumFolder,
                                             OutsideEditsFound* found) {
  OutsideEditsPlan plan = FindOutsideEdits(list, albumFolder, found);
  const bool originsChanged = plan.originsChanged;
  return TakeRemadeWorkingCopies(list, albumFolder, CWorkingCopyRemakes(std::move(plan.remakes)).Wait(),
                                 originsChanged, found);
}

void MarkUnreadableTold(spab_imagelist::CMImageList& list, const std::vector<UnreadableReference>& told) {
  for (const UnreadableReference& reference : told)
    if (spab_imagelist::CMImg* image = list.Find(reference.thumb.c_str())) image->toldUnreadable = reference.stamp;
}

void MarkMissingTold(spab_imagelist::CMImageList& list, const std::vector<UnreadableReference>& told) {
  for (const UnreadableReference& reference : told)
    if (spab_imagelist::CMImg* image = list.Find(reference.thumb.c_str())) image->toldMissing = true;
}

void MarkUnmadeTold(spab_imagelist::CMImageList& list, const std::vector<UnmadeWorkingCopy>& told) {
  for (const UnmadeWorkingCopy& copy : told)
    if (spab_imagelist::CMImg* image = list.Find(copy.thumb.c_str())) image->toldUnmade = copy.reference;
}
