#pragma once
// What a thumbnail list shows of an item: its picture, drawn from the list's
// image list as the list draws it.
#include "app/lists/ImgListView.h"

COLORREF ListItemPixel(CImgListView& list, int item, int x, int y);
