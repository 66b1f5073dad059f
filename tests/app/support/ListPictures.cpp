#include "app/support/ListPictures.h"

#include <commctrl.h>

#include <cstdlib>

namespace {
// Calls `look` with every pixel of the item's picture.
template <typename Look>
void LookAtItemPicture(CImgListView& list, int item, int x0, int y0, int x1, int y1, Look look) {
  const HIMAGELIST images = ListView_GetImageList(list.m_hWnd, LVSIL_NORMAL);
  int width = 0, height = 0;
  ImageList_GetIconSize(images, &width, &height);
  CClientDC screen(&list);
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, width, height);
  CBitmap* old = dc.SelectObject(&bitmap);
  ImageList_Draw(images, list.GetItemImage(item), dc.GetSafeHdc(), 0, 0, ILD_NORMAL);
  if (x1 < 0) x1 = width;
  if (y1 < 0) y1 = height;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) look(dc.GetPixel(x, y));
  dc.SelectObject(old);
}
}  // namespace

COLORREF ListItemPixel(CImgListView& list, int item, int x, int y) {
  COLORREF colour = CLR_INVALID;
  LookAtItemPicture(list, item, x, y, x + 1, y + 1, [&colour](COLORREF pixel) { colour = pixel; });
  return colour;
}

int ListItemPixelsNear(CImgListView& list, int item, COLORREF colour, int tolerance) {
  int count = 0;
  LookAtItemPicture(list, item, 0, 0, -1, -1, [&](COLORREF pixel) {
    count += std::abs(GetRValue(pixel) - GetRValue(colour)) <= tolerance &&
            std::abs(GetGValue(pixel) - GetGValue(colour)) <= tolerance &&
            std::abs(GetBValue(pixel) - GetBValue(colour)) <= tolerance;
  });
  return count;
}
