#include "document/imagelist/WorkingCopyOrigin.h"

#include "render/MaskPath.h"

namespace {
// Keeps both copies of a pair, and the working copy as last seen; true when
// what the list keeps of the photo changed.
bool KeepPair(spab_imagelist::CMImg& image, const CFileContent& reference, const CFileContent& working,
              const CFileStamp& seen, const std::string& workingPath) {
  const bool masked = HasMaskBeside(workingPath.c_str());
  const bool changed = image.madeFrom != reference.stamp || image.masked != masked || image.madeAs != working.stamp ||
                       image.madeFromDigest != reference.digest || image.madeAsDigest != working.digest;
  image.madeFrom = reference.stamp;
  image.masked = masked;
  image.madeAs = working.stamp;
  image.madeFromDigest = reference.digest;
  image.madeAsDigest = working.digest;
  image.workingSeen = seen;
  return changed;
}
}  // namespace

bool RecordWorkingCopyOrigin(spab_imagelist::CMImg& image, const CFileStamp& reference,
                             const std::string& workingPath, bool madeNow, const CFileDigest& referenceDigest) {
  const CFileStamp seen = ReadFileStamp(workingPath);
  const CFileContent madeFrom{reference, madeNow ? referenceDigest : CFileDigest()};
  const CFileContent madeAs{madeNow ? seen : CFileStamp(),
                            madeFrom.digest.known ? DigestFile(workingPath) : CFileDigest()};
  return KeepPair(image, madeFrom, madeAs, seen, workingPath);
}

bool RecordComparedPair(spab_imagelist::CMImg& image, const CFileContent& reference, const CFileContent& working,
                        const std::string& workingPath) {
  return KeepPair(image, reference, working, working.stamp, workingPath);
}

bool PairIsAsMade(const spab_imagelist::CMImg& image, const CFileDigest& reference, const CFileDigest& working) {
  return image.madeFromDigest.known && image.madeAsDigest.known && reference == image.madeFromDigest &&
         working == image.madeAsDigest;
}

bool RestampIfSameBytes(spab_imagelist::CMImg& image, const CFileStamp& reference, const std::string& referencePath) {
  if (!image.madeFrom.exists || !image.madeFromDigest.known || !reference.exists || reference == image.madeFrom)
    return false;
  // The stamp read before the bytes: a write after it shows as a change again.
  if (DigestFile(referencePath) != image.madeFromDigest) return false;
  image.madeFrom = reference;
  return true;
}

bool WorkingCopyIsStale(const spab_imagelist::CMImg& image, const CFileStamp& reference,
                        const CFileStamp& working, const std::string& workingPath) {
  if (!working.exists) return true;
  // A cut-out without its mask would show as a whole rectangle.
  if (image.masked && !HasMaskBeside(workingPath.c_str())) return true;
  if (image.madeFrom.exists) return reference != image.madeFrom;
  return reference.written > working.written;
}
