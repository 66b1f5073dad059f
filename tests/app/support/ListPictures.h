#pragma once
// What a thumbnail list shows of an item: its picture, drawn from the list's
// image list as the list draws it.
#include "app/lists/ImgListView.h"

COLORREF ListItemPixel(CImgListView& list, int item, int x, int y);
// How many pixels of the item's picture are within `tolerance` of `colour`
// in each of red, green and blue.
int ListItemPixelsNear(CImgListView& list, int item, COLORREF colour, int tolerance);
