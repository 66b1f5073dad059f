#include "ui/menus/menu/ItemPaint.h"

#include "ui/menus/core/SkinState.h"
#include "ui/menus/menu/SkinMenuIcons.h"
#include "ui/menus/menu/SkinMenuItemData.h"

ItemTexts SplitItemText(const CString& display) {
  int tab = display.Find('\t');
  if (tab < 0) return {display, CString()};
  return {display.Left(tab), display.Mid(tab + 1)};
}

UINT HidePrefixFlag(UINT itemState) {
  if (!(itemState & ODS_NOACCEL)) return 0;
  if (SkinOs().osClass >= 6 && SkinKeyboardCues()) return 0;
  return DT_HIDEPREFIX;
}

void ItemCheckBitmaps(HMENU hMenu, const CSkinMenuItemData& data, HBITMAP& checked, HBITMAP& unchecked) {
  checked = unchecked = nullptr;
  if (!hMenu || (data.m_nFlags & MF_POPUP)) return;
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_CHECKMARKS;
  if (::GetMenuItemInfoA(hMenu, static_cast<UINT>(data.m_nID), FALSE, &mii)) {
    checked = mii.hbmpChecked;
    unchecked = mii.hbmpUnchecked;
  }
}

bool DrawItemIcon(HDC hDC, const CSkinMenuItemData& data, int offset, int x, int y, UINT style) {
  if (!data.m_pMenuIcon || data.m_nMenuIconOffset < 0) return false;
  HIMAGELIST list = data.m_pMenuIcon->m_IconsList.m_hImageList;
  int index = data.m_nMenuIconOffset + offset;
  if (!list || index >= ImageList_GetImageCount(list)) return false;
  return ImageList_Draw(list, index, hDC, x, y, style) != FALSE;
}

void DarkenShadowColumns(HDC hDC, const RECT& columns, int firstRows) {
  static const int kWeights[4] = {135, 165, 195, 225};  // innermost first
  int width = columns.right - columns.left;
  for (int c = 0; c < width && c < 4; ++c) {
    int x = columns.left + c;
    int weight = kWeights[c + (4 - width > 0 ? 4 - width : 0)];
    for (int y = columns.top; y < columns.bottom; ++y) {
      int row = y - columns.top;
      int w = row < firstRows ? 255 - (255 - weight) * (row + 1) / (firstRows + 1) : weight;
      COLORREF p = ::GetPixel(hDC, x, y);
      if (p == CLR_INVALID) continue;
      ::SetPixel(hDC, x, y, RGB(GetRValue(p) * w / 255, GetGValue(p) * w / 255, GetBValue(p) * w / 255));
    }
  }
}
