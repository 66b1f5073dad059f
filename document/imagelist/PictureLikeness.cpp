#include "document/imagelist/PictureLikeness.h"

#include <algorithm>
#include <cstdlib>

#include "imagelib/ImageFile.h"
#include "imagelib/ImgBitmap.h"

namespace spab_imagelist {

namespace {
constexpr int kSide = 16;
// Averaged over a sixteenth of each side, the JPEG's loss and the fitting
// move a level by a few steps; an edge falling in another cell, by more.
constexpr int kMeanTolerance = 4;
constexpr int kCellTolerance = 32;
// The codec's own reduction keeps the decoded picture small: a level is the
// mean of many pixels still.
constexpr int32_t kDecodedSide = 256;

// The mean grey level of the pixels of one cell; a picture smaller than the
// grid gives each cell at least one pixel.
uint8_t CellLevel(const IplImage& image, int cellX, int cellY) {
  const int x0 = cellX * image.width / kSide, y0 = cellY * image.height / kSide;
  const int x1 = std::max(x0 + 1, (cellX + 1) * image.width / kSide);
  const int y1 = std::max(y0 + 1, (cellY + 1) * image.height / kSide);
  uint64_t sum = 0;
  for (int y = y0; y < y1; ++y) {
    const auto* row = reinterpret_cast<const unsigned char*>(image.imageData) + static_cast<size_t>(y) * image.widthStep;
    for (int x = x0; x < x1; ++x) {
      const unsigned char* pixel = row + static_cast<size_t>(x) * image.nChannels;
      sum += pixel[0] + 2u * pixel[1] + pixel[2];  // blue, green, red
    }
  }
  return static_cast<uint8_t>(sum / (4u * static_cast<uint64_t>(x1 - x0) * static_cast<uint64_t>(y1 - y0)));
}
}  // namespace

bool ReadPictureLikeness(const std::string& path, PictureLikeness& likeness) {
  img::ImageFile file;
  if (!file.Open(path)) return false;
  const int32_t longer = std::max(file.Info().width, file.Info().height);
  CImgBitmap picture;
  if (!picture.Load(path.c_str(), 0, img::ChooseReduction(longer, kDecodedSide))) return false;
  const IplImage& image = *picture.GetIplImage();
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) likeness[static_cast<size_t>(y * kSide + x)] = CellLevel(image, x, y);
  return true;
}

bool AreAlike(const PictureLikeness& a, const PictureLikeness& b) {
  int total = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    const int difference = std::abs(int{a[i]} - int{b[i]});
    if (difference > kCellTolerance) return false;
    total += difference;
  }
  return total <= kMeanTolerance * static_cast<int>(a.size());
}

}  // namespace spab_imagelist
