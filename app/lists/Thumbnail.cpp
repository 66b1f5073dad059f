#include "app/lists/Thumbnail.h"

#include <algorithm>

#include "imagelib/ImgBitmap.h"
#include "ipl/ipl.h"
#include "render/MaskPath.h"

namespace {
constexpr COLORREF kAlphaBackground = 0xBEBEFF;

// A memory device context that puts back the bitmap it was given.
class MemoryDc {
 public:
  explicit MemoryDc(HBITMAP bitmap) : m_dc(::CreateCompatibleDC(nullptr)) {
    if (m_dc) m_old = ::SelectObject(m_dc, bitmap);
  }
  ~MemoryDc() {
    if (m_dc) {
      ::SelectObject(m_dc, m_old);
      ::DeleteDC(m_dc);
    }
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
  HGDIOBJ m_old = nullptr;
};

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  HBRUSH brush = ::CreateSolidBrush(colour);
  ::FillRect(dc, &rect, brush);
  ::DeleteObject(brush);
}

// The picture with the grey level of its mask (fitted to it) as its
// transparency; false when the mask cannot be read.
bool ShapeByMask(const CImgBitmap& picture, const std::string& maskPath, CImgBitmap& shaped) {
  CImgBitmap mask, fitted;
  const int w = picture.GetWidth(), h = picture.GetHeight();
  if (!mask.LoadPreview(maskPath.c_str(), 0, false, 256, false) || !fitted.Create(w, h, false) ||
      !shaped.Create(w, h, true))
    return false;
  iplResize(mask.GetIplImage(), fitted.GetIplImage(), w, mask.GetWidth(), h, mask.GetHeight(), IPL_INTER_LINEAR);
  const IplImage* from = picture.GetIplImage();
  const IplImage* level = fitted.GetIplImage();
  IplImage* to = shaped.GetIplImage();
  const int channels = from->nChannels;
  for (int y = 0; y < h; ++y) {
    const auto* source = reinterpret_cast<const uint8_t*>(from->imageData) + static_cast<size_t>(y) * from->widthStep;
    const auto* grey = reinterpret_cast<const uint8_t*>(level->imageData) + static_cast<size_t>(y) * level->widthStep;
    auto* target = reinterpret_cast<uint8_t*>(to->imageData) + static_cast<size_t>(y) * to->widthStep;
    for (int x = 0; x < w; ++x) {
      const uint8_t* pixel = source + static_cast<size_t>(x) * channels;
      const int own = channels == 4 ? pixel[3] : 255;
      target[x * 4] = pixel[0];
      target[x * 4 + 1] = pixel[1];
      target[x * 4 + 2] = pixel[2];
      target[x * 4 + 3] = static_cast<uint8_t>(own * grey[x * 3 + 1] / 255);
    }
  }
  return true;
}
}  // namespace

RECT ThumbnailPlacement(int width, int height, int cell) {
  RECT placed{0, 0, 0, 0};
  if (width <= 0 || height <= 0) return placed;
  const double ratio = static_cast<double>(height) / width;
  int w = cell, h = cell;
  // A photo far longer than wide (or the other way) still shows as a line of
  // at least one pixel, not as an empty cell.
  if (ratio <= 1.0)
    h = std::max(1, static_cast<int>(ratio * cell));
  else
    w = std::max(1, static_cast<int>(cell / ratio));
  placed.left = (cell - w) / 2;
  placed.top = (cell - h) / 2;
  placed.right = placed.left + w;
  placed.bottom = placed.top + h;
  return placed;
}

OwnedBitmap MakeThumbnail(const std::string& path, bool withMask) {
  CImgBitmap loaded, shaped;
  if (!loaded.LoadPreview(path.c_str(), 1, true, 256, false) || !loaded.IsValid()) return nullptr;
  // Without its mask a photo still shows, as a plain rectangle.
  const bool masked =
      withMask && HasMaskBeside(path.c_str()) && ShapeByMask(loaded, MaskPathFor(path.c_str()), shaped);
  CImgBitmap& picture = masked ? shaped : loaded;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kThumbnailSize;
  info.bmiHeader.biHeight = kThumbnailSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  OwnedBitmap cell(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!cell) return nullptr;
  MemoryDc target(cell.get());
  const RECT all{0, 0, kThumbnailSize, kThumbnailSize};
  Fill(target.Get(), all, kListBackground);
  const RECT placed = ThumbnailPlacement(picture.GetWidth(), picture.GetHeight(), kThumbnailSize);
  HDC source = picture.GetDC();
  if (!source) return nullptr;
  BOOL drawn;
  if (picture.GetAlphaChannel()) {
    iplPreMultiplyAlpha(picture.GetIplImage(), -1);
    Fill(target.Get(), placed, kAlphaBackground);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    drawn = ::AlphaBlend(target.Get(), placed.left, placed.top, placed.right - placed.left, placed.bottom - placed.top,
                         source, 0, 0, picture.GetWidth(), picture.GetHeight(), blend);
  } else {
    ::SetStretchBltMode(target.Get(), HALFTONE);
    ::SetBrushOrgEx(target.Get(), 0, 0, nullptr);
    drawn = ::StretchBlt(target.Get(), placed.left, placed.top, placed.right - placed.left,
                         placed.bottom - placed.top, source, 0, 0, picture.GetWidth(), picture.GetHeight(), SRCCOPY);
  }
  picture.ReleaseDC(true);
  // The whole cell is opaque: Wine takes any non-zero alpha byte as per-pixel
  // alpha in an image list.
  auto* pixel = static_cast<uint32_t*>(bits);
  ::GdiFlush();
  for (int i = 0; i < kThumbnailSize * kThumbnailSize; ++i) pixel[i] &= 0x00FFFFFFu;
  return drawn ? std::move(cell) : nullptr;
}
