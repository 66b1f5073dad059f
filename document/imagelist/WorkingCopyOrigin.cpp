#include "document/imagelist/WorkingCopyOrigin.h"

#include "render/MaskPath.h"

bool RecordWorkingCopyOrigin(spab_imagelist::CMImg& image, const CFileStamp& reference,
                             const std::string& workingPath, bool madeNow) {
  const bool masked = HasMaskBeside(workingPath.c_str());
  const CFileStamp seen = ReadFileStamp(workingPath);
  const CFileStamp made = madeNow ? seen : CFileStamp();
  const bool changed = image.madeFrom != reference || image.masked != masked || image.madeAs != made;
  image.madeFrom = reference;
  image.masked = masked;
  image.madeAs = made;
  image.workingSeen = seen;
  return changed;
}

bool PairIsAsMade(const spab_imagelist::CMImg& image, const CFileStamp& reference, const CFileStamp& working) {
  return image.madeFrom.exists && image.madeAs.exists && reference == image.madeFrom && working == image.madeAs;
}

bool WorkingCopyIsStale(const spab_imagelist::CMImg& image, const CFileStamp& reference,
                        const CFileStamp& working, const std::string& workingPath) {
  if (!working.exists) return true;
  // A cut-out without its mask would show as a whole rectangle.
  if (image.masked && !HasMaskBeside(workingPath.c_str())) return true;
  if (image.madeFrom.exists) return reference != image.madeFrom;
  return reference.written > working.written;
}
