#include "document/imagelist/WorkingCopy.h"

#include <algorithm>

#include "imagelib/ImageFile.h"
#include "imagelib/ImgBitmap.h"

namespace {
constexpr int kWorkingSize = 1024;

WorkingCopyMaker g_maker = nullptr;

// The largest of the codec's reductions 1, 2, 4 and 8 that still leaves the
// working size: the codec scales while it decodes, far quicker than reading
// the whole picture and shrinking it afterwards.
int ReductionKeeping(int longerSide) {
  int reduction = 1;
  while (reduction < 8 && longerSide / (reduction * 2) >= kWorkingSize) reduction *= 2;
  return reduction;
}

// Alpha kept when the file has it; fitted into the working size with linear
// interpolation: the codec's reduction already smoothed the picture, and
// what is left to shrink is less than half.
bool MakeWithImageLibrary(const char* sourcePath, const char* jpegPath) {
  img::ImageFile file;
  if (!file.Open(sourcePath)) return false;
  const int longer = std::max(file.Info().width, file.Info().height);
  CImgBitmap decoded;
  if (!decoded.Load(sourcePath, 1, ReductionKeeping(longer))) return false;
  if (std::max(decoded.GetWidth(), decoded.GetHeight()) <= kWorkingSize)
    return decoded.Save(jpegPath, IMG_FORMAT_JPEG, 1, 90) != 0;
  int32_t width = 0, height = 0;
  img::FitLongerSide(decoded.GetWidth(), decoded.GetHeight(), kWorkingSize, width, height);
  CImgBitmap fitted;
  if (!fitted.Create(width, height, decoded.GetAlphaChannel() != 0)) return false;
  iplResize(decoded.GetIplImage(), fitted.GetIplImage(), width, decoded.GetWidth(), height, decoded.GetHeight(),
            IPL_INTER_LINEAR);
  return fitted.Save(jpegPath, IMG_FORMAT_JPEG, 1, 90) != 0;
}
}  // namespace

bool MakeWorkingCopy(const char* sourcePath, const char* jpegPath) {
  return g_maker ? g_maker(sourcePath, jpegPath) : MakeWithImageLibrary(sourcePath, jpegPath);
}

WorkingCopyMaker SetWorkingCopyMaker(WorkingCopyMaker maker) {
  WorkingCopyMaker previous = g_maker;
  g_maker = maker;
  return previous;
}
