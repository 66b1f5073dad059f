#include "document/imagelist/OutsideEdits.h"

#include <windows.h>

#include "document/imagelist/MImageList.h"
#include "document/services/FileOperation.h"
#include "document/services/FileStamp.h"
#include "document/services/PathNames.h"

std::vector<WorkingCopyRemake> FindOutsideEdits(const spab_imagelist::CMImageList& list,
                                                const std::string& albumFolder) {
  std::vector<WorkingCopyRemake> remakes;
  for (const auto& image : list.GetImages()) {
    // A CD photo has no reference copy: its working copy is the CD's file.
    if (image->tipo == 0 || !IsSingleFileName(image->thumb.c_str()) ||
        !IsSingleFileName(image->riferimento.c_str()))
      continue;
    const std::string reference = albumFolder + "\\rif\\" + image->riferimento;
    const std::string working = albumFolder + "\\img\\" + image->thumb;
    const CFileStamp referenceStamp = ReadFileStamp(reference);
    if (!referenceStamp.exists) continue;
    // A working copy deleted while the album was closed is made again too:
    // without it the photo would show as a grey box and could not be sent.
    const CFileStamp workingStamp = ReadFileStamp(working);
    if (workingStamp.exists ? referenceStamp.written <= workingStamp.written
                            : CFileOperation().GetPathKind(working.c_str()) != CFileOperation::kPathMissing)
      continue;
    // The whole folder of working copies may have gone with it.
    if (!workingStamp.exists) ::CreateDirectoryA((albumFolder + "\\img").c_str(), nullptr);
    // A picture the editor left unreadable keeps the copy it had; the next
    // open tries again.
    remakes.push_back({image->thumb, reference, working});
  }
  return remakes;
}

std::vector<std::string> CatchUpOutsideEdits(const spab_imagelist::CMImageList& list, const std::string& albumFolder) {
  return CWorkingCopyRemakes(FindOutsideEdits(list, albumFolder)).Wait();
}
