#pragma once
// Pieces the item painters share.
#include "framework/framework.h"

class CSkinMenuItemData;

// The display text split at its first tab: item text and accelerator text.
struct ItemTexts {
  CString item;
  CString accel;
};
ItemTexts SplitItemText(const CString& display);

// DT_HIDEPREFIX when the item asks for hidden mnemonics and the user has not
// turned keyboard cues on.
UINT HidePrefixFlag(UINT itemState);

// The check bitmaps the item was given (MIIM_CHECKMARKS), if any.
void ItemCheckBitmaps(HMENU hMenu, const CSkinMenuItemData& data, HBITMAP& checked, HBITMAP& unchecked);

// Draws an image of the item's icon list at a point; false without icon.
bool DrawItemIcon(HDC hDC, const CSkinMenuItemData& data, int offset, int x, int y, UINT style = ILD_TRANSPARENT);

// Darkens the pixels of columns at the right of a rectangle (a drop shadow):
// weights 225, 195, 165 and 135 from the outermost column inwards, the first
// rows of each column blended in steps of 6.
void DarkenShadowColumns(HDC hDC, const RECT& columns, int firstRows);
