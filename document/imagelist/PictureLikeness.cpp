#include "document/imagelist/PictureLikeness.h"

#include <algorithm>
#include <cstdlib>

#include "imagelib/ImageFile.h"
#include "imagelib/ImgBitmap.h"

namespace spab_imagelist {

namespace {
constexpr int kSide = 16;
constexpr size_t kCells = kSide * kSide;
// Averaged over a sixteenth of each side, the JPEG's loss and the fitting
// move a level by a few steps; an edge falling in another cell, by more.
constexpr int kMeanTolerance = 4;
constexpr int kCellTolerance = 32;
// The JPEG keeps colour at half the resolution of grey: a colour edge
// spreads further into the next cell. Both differences are counted
// together.
constexpr int kColourMeanTolerance = 8;
constexpr int kColourCellTolerance = 64;
// The codec's own reduction keeps the decoded picture small: a level is the
// mean of many pixels still.
constexpr int32_t kDecodedSide = 256;

// The mean blue, green and red of the pixels of one cell; a picture smaller
// than the grid gives each cell at least one pixel.
void ReadCell(const IplImage& image, int cellX, int cellY, uint8_t* mean) {
  const int x0 = cellX * image.width / kSide, y0 = cellY * image.height / kSide;
  const int x1 = std::max(x0 + 1, (cellX + 1) * image.width / kSide);
  const int y1 = std::max(y0 + 1, (cellY + 1) * image.height / kSide);
  uint64_t sum[3] = {0, 0, 0};
  for (int y = y0; y < y1; ++y) {
    const auto* row = reinterpret_cast<const unsigned char*>(image.imageData) + static_cast<size_t>(y) * image.widthStep;
    for (int x = x0; x < x1; ++x) {
      const unsigned char* pixel = row + static_cast<size_t>(x) * image.nChannels;
      for (int channel = 0; channel < 3; ++channel) sum[channel] += pixel[channel];
    }
  }
  const uint64_t count = static_cast<uint64_t>(x1 - x0) * static_cast<uint64_t>(y1 - y0);
  for (int channel = 0; channel < 3; ++channel) mean[channel] = static_cast<uint8_t>(sum[channel] / count);
}

int Grey(const uint8_t* cell) { return cell[0] + 2 * cell[1] + cell[2]; }  // four times the level
}  // namespace

bool ReadPictureLikeness(const std::string& path, PictureLikeness& likeness) {
  img::ImageFile file;
  if (!file.Open(path)) return false;
  const int32_t longer = std::max(file.Info().width, file.Info().height);
  CImgBitmap picture;
  if (!picture.Load(path.c_str(), 0, img::ChooseReduction(longer, kDecodedSide), true)) return false;
  const IplImage& image = *picture.GetIplImage();
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) ReadCell(image, x, y, &likeness[static_cast<size_t>(y * kSide + x) * 3]);
  return true;
}

bool AreAlike(const PictureLikeness& a, const PictureLikeness& b) {
  int greyTotal = 0, colourTotal = 0;
  for (size_t i = 0; i < kCells; ++i) {
    const uint8_t* p = &a[i * 3];
    const uint8_t* q = &b[i * 3];
    const int grey = std::abs(Grey(p) - Grey(q)) / 4;
    const int redFromGreen = std::abs((p[2] - p[1]) - (q[2] - q[1]));
    const int blueFromGreen = std::abs((p[0] - p[1]) - (q[0] - q[1]));
    const int colour = redFromGreen + blueFromGreen;
    if (grey > kCellTolerance || colour > kColourCellTolerance) return false;
    greyTotal += grey;
    colourTotal += colour;
  }
  return greyTotal <= kMeanTolerance * static_cast<int>(kCells) &&
         colourTotal <= kColourMeanTolerance * static_cast<int>(kCells);
}

}  // namespace spab_imagelist
