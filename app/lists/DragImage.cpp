#include "app/lists/DragImage.h"

#include <algorithm>
#include <cstdint>

#include "app/lists/Thumbnail.h"

namespace {
// A top-down 32-bit bitmap and its pixels (0x00RRGGBB).
OwnedBitmap MakeDib(int cx, int cy, uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = cx;
  info.bmiHeader.biHeight = -cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* pixels = nullptr;
  OwnedBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  *bits = static_cast<uint32_t*>(pixels);
  return bitmap;
}

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }
}  // namespace

std::unique_ptr<CImageList> MakeDragImage(CImageList& images, int image) {
  int cx = 0, cy = 0;
  if (image < 0 || !::ImageList_GetIconSize(images.GetSafeHandle(), &cx, &cy) || cx <= 0 || cy <= 0) return nullptr;
  uint32_t* cell = nullptr;
  OwnedBitmap cellBitmap = MakeDib(cx, cy, &cell);
  if (!cellBitmap) return nullptr;
  const uint32_t background = (GetRValue(kListBackground) << 16) | (GetGValue(kListBackground) << 8) |
                              GetBValue(kListBackground);
  std::fill(cell, cell + static_cast<size_t>(cx) * cy, background);
  HDC dc = ::CreateCompatibleDC(nullptr);
  if (!dc) return nullptr;
  HGDIOBJ old = ::SelectObject(dc, cellBitmap.get());
  const BOOL drawn = ::ImageList_Draw(images.GetSafeHandle(), image, dc, 0, 0, ILD_NORMAL);
  ::GdiFlush();
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  if (!drawn) return nullptr;
  // The picture's bounds inside the cell; a cell of background alone stays whole.
  int left = cx, top = cy, right = 0, bottom = 0;
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x)
      if ((cell[static_cast<size_t>(y) * cx + x] & 0xFFFFFFu) != background) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x + 1);
        bottom = std::max(bottom, y + 1);
      }
  if (right <= left || bottom <= top) left = top = 0, right = cx, bottom = cy;
  const int w = right - left, h = bottom - top;
  uint32_t* picture = nullptr;
  OwnedBitmap pictureBitmap = MakeDib(w, h, &picture);
  if (!pictureBitmap) return nullptr;
  // Opaque: Wine takes any non-zero alpha byte as per-pixel alpha in an image list.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      picture[static_cast<size_t>(y) * w + x] = cell[static_cast<size_t>(y + top) * cx + x + left] & 0xFFFFFFu;
  auto list = std::make_unique<CImageList>();
  if (!list->Create(w, h, ILC_COLOR32, 1, 0)) return nullptr;
  CBitmap bitmap;
  bitmap.Attach(pictureBitmap.get());
  const int added = list->Add(&bitmap, static_cast<CBitmap*>(nullptr));
  bitmap.Detach();
  return added < 0 ? nullptr : std::move(list);
}

POINT KeepDragImageOnScreen(POINT cursor, SIZE image, POINT hotSpot) {
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int right = left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), bottom = top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
  return POINT{Clamp(cursor.x - hotSpot.x, left, right - image.cx) + hotSpot.x,
               Clamp(cursor.y - hotSpot.y, top, bottom - image.cy) + hotSpot.y};
}
