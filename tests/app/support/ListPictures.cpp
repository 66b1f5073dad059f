#include "app/support/ListPictures.h"

#include <commctrl.h>

COLORREF ListItemPixel(CImgListView& list, int item, int x, int y) {
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
  const COLORREF colour = dc.GetPixel(x, y);
  dc.SelectObject(old);
  return colour;
}
