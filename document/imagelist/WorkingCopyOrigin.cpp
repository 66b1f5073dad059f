#include "document/imagelist/WorkingCopyOrigin.h"

#include "render/MaskPath.h"

bool RecordWorkingCopyOrigin(spab_imagelist::CMImg& image, const CFileStamp& reference,
                             const std::string& workingPath) {
  const bool masked = HasMaskBeside(workingPath.c_str());
  const bool changed = image.madeFrom != reference || image.masked != masked;
  image.madeFrom = reference;
  image.masked = masked;
  image.workingSeen = ReadFileStamp(workingPath);
  return changed;
}

bool WorkingCopyIsStale(const spab_imagelist::CMImg& image, const CFileStamp& reference,
                        const CFileStamp& working, const std::string& workingPath) {
  if (!working.exists) return true;
  // A cut-out without its mask would show as a whole rectangle.
  if (image.masked && !HasMaskBeside(workingPath.c_str())) return true;
  if (image.madeFrom.exists) return reference != image.madeFrom;
  return reference.written > working.written;
}
