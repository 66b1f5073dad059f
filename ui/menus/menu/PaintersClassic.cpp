// The classic item painters: classic (themes 0, 1), classic with a flat
// menu-bar highlight (4, 5) and flat (6, 7).
#include <algorithm>

#include "ui/menus/colors/SkinColors.h"
#include "ui/menus/core/SkinState.h"
#include "framework/gdi_scope.h"
#include "ui/menus/draw/MenuFont.h"
#include "ui/menus/draw/SkinMemDC.h"
#include "ui/menus/menu/ItemPaint.h"
#include "ui/menus/menu/SkinMenu.h"
#include "ui/menus/menu/SkinMenuIcons.h"
#include "ui/menus/theme/MenuTheme.h"

void CSkinMenu::DrawItemClassic(LPDRAWITEMSTRUCT lpDIS, BOOL bBar) { DrawClassicLook(lpDIS, bBar, false); }
void CSkinMenu::DrawFlatItem(LPDRAWITEMSTRUCT lpDIS, BOOL bBar) { DrawClassicLook(lpDIS, bBar, true); }

void CSkinMenu::DrawItemClassicBar(LPDRAWITEMSTRUCT lpDIS, BOOL bBar) {
  if (!bBar) {
    DrawItemClassic(lpDIS, FALSE);
    return;
  }
  CSkinMenuItemData* data = lpDIS ? CheckItemData(lpDIS->itemData) : nullptr;
  if (!data) return;
  HDC hDC = lpDIS->hDC;
  SavedDC saved(hDC);
  UINT state = lpDIS->itemState;
  bool hot = (state & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
  if (hot) {
    FillSolid(hDC, lpDIS->rcItem, ::GetSysColor(COLOR_HIGHLIGHT));
    SetMenuBarItemRect(hDC, lpDIS->rcItem);
  } else {
    FillSolid(hDC, lpDIS->rcItem, GetMenuBarColorXP(nullptr));
  }
  ::SetBkMode(hDC, TRANSPARENT);
  CString display;
  data->GetDisplayText(display, m_hAccelToDraw);
  ::SetTextColor(hDC, ::GetSysColor((state & ODS_GRAYED) ? COLOR_GRAYTEXT : hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  MenuFont font(false, (state & kOdsVertical) != 0);
  SelectScope select(hDC, font);
  DrawMnemonicText(hDC, display, -1, lpDIS->rcItem, DT_CENTER | DT_VCENTER | DT_SINGLELINE | HidePrefixFlag(state));
}

void CSkinMenu::DrawClassicLook(LPDRAWITEMSTRUCT lpDIS, BOOL bBar, bool flat) {
  CSkinMenuItemData* data = lpDIS ? CheckItemData(lpDIS->itemData) : nullptr;
  if (!data) return;
  CSkinMemDC mem(lpDIS->rcItem, lpDIS->hDC);
  HDC hDC = mem.m_hDC;
  const RECT rc = lpDIS->rcItem;
  UINT state = lpDIS->itemState;
  if ((state & ODS_GRAYED) && (state & ODS_SELECTED)) {
    state &= ~ODS_SELECTED;
    SkinState().lastMousePos = ::GetMessagePos();
  }
  const bool grayed = (state & ODS_GRAYED) != 0;
  const bool selected = (state & ODS_SELECTED) != 0;
  const bool rtl = (data->m_nFlags & MFT_RIGHTORDER) != 0;

  COLORREF background = bBar ? GetMenuBarColorXP(m_hMenu) : ::GetSysColor(COLOR_MENU);
  COLORREF selection = ::GetSysColor(COLOR_HIGHLIGHT);
  if (flat) {
    bool flatMenus = SkinFlatMenus();
    background = GetMenuBarColor(m_hMenu);
    if (bBar && flatMenus) background = ::GetSysColor(COLOR_MENUBAR);
    if (flatMenus) selection = ::GetSysColor(COLOR_MENUHILIGHT);
  }
  FillSolid(hDC, rc, background);

  if (data->m_nFlags & MF_SEPARATOR) {
    RECT line = rc;
    line.top = (rc.top + rc.bottom) / 2 - 1;
    ::DrawEdge(hDC, &line, EDGE_ETCHED, BF_TOP);
    return;
  }

  RECT iconArea = rc;
  if (rtl) iconArea.left = rc.right - m_iconX - 6;
  else iconArea.right = rc.left + m_iconX + 6;
  if (selected) {
    RECT fill = rc;
    if (!bBar && (data->m_pMenuIcon || (state & ODS_CHECKED))) {
      if (rtl) fill.right = iconArea.left;
      else fill.left = iconArea.right;
    }
    FillSolid(hDC, fill, selection);
    if (flat) FrameSolid(hDC, fill, DarkenColor(60, selection));
  }

  // Window commands show their glyph in place of an icon or a check.
  const bool glyph = !bBar && DrawSystemCommandGlyph(hDC, iconArea, static_cast<UINT>(data->m_nID), state);
  if (!bBar && !glyph) {
    bool hasIcon = data->m_pMenuIcon && data->m_nMenuIconOffset >= 0;
    if (hasIcon) {
      SIZE size = data->m_pMenuIcon->IconSize();
      int x = (iconArea.left + iconArea.right - size.cx) / 2, y = (rc.top + rc.bottom - size.cy) / 2;
      if (grayed) {
        HICON hIcon = ImageList_GetIcon(data->m_pMenuIcon->m_IconsList.m_hImageList, data->m_nMenuIconOffset, ILD_NORMAL);
        if (hIcon) {
          ::DrawStateA(hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, x, y, size.cx, size.cy,
                       DST_ICON | DSS_DISABLED);
          ::DestroyIcon(hIcon);
        }
      } else {
        DrawItemIcon(hDC, *data, 0, x, y);
      }
      if (SkinOs().osClass >= 2 && (selected || (state & ODS_CHECKED))) {
        RECT frame{x - 2, y - 2, x + size.cx + 2, y + size.cy + 2};
        bool sunken = (state & ODS_CHECKED) != 0;
        COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);
        FillSolid(hDC, {frame.left, frame.top, frame.right, frame.top + 1}, sunken ? dark : light);
        FillSolid(hDC, {frame.left, frame.top, frame.left + 1, frame.bottom}, sunken ? dark : light);
        FillSolid(hDC, {frame.left, frame.bottom - 1, frame.right, frame.bottom}, sunken ? light : dark);
        FillSolid(hDC, {frame.right - 1, frame.top, frame.right, frame.bottom}, sunken ? light : dark);
      }
    } else {
      HBITMAP hChecked, hUnchecked;
      ItemCheckBitmaps(m_hMenu, *data, hChecked, hUnchecked);
      ::SetTextColor(hDC, ::GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
      RECT box = iconArea;
      ::InflateRect(&box, -2, -2);
      if ((state & ODS_CHECKED) && !hChecked && (data->m_nFlags & MFT_RADIOCHECK))
        DrawSystemGlyph(hDC, box, 'i', false);
      else
        DrawCheckMark(hDC, box, hChecked, hUnchecked, state);
    }
  }

  CString display;
  data->GetDisplayText(display, m_hAccelToDraw);
  ItemTexts texts = SplitItemText(display);
  MenuFont font((state & ODS_DEFAULT) != 0, (state & kOdsVertical) != 0);
  SelectScope select(hDC, font);
  ::SetBkMode(hDC, TRANSPARENT);
  COLORREF color = ::GetSysColor(selected && !bBar ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  if (state & ODS_INACTIVE) color = ::GetSysColor(COLOR_GRAYTEXT);
  if (flat && grayed) color = ::GetSysColor(COLOR_GRAYTEXT);
  UINT hide = HidePrefixFlag(state);
  bool rotated = (state & kOdsVertical) != 0;
  auto draw = [&](const CString& text, RECT r, UINT format) {
    if (rotated) DrawMnemonicText(hDC, text, -1, r, format);
    else ::DrawTextA(hDC, text, text.GetLength(), &r, format);
  };
  RECT textRect = rc;
  UINT itemFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | hide, accelFormat = 0;
  if (!bBar) {
    if (rtl) textRect.right = rc.right - m_iconX - 8, textRect.left += 15, textRect.right -= 4;
    else textRect.left = rc.left + m_iconX + 8 + 4, textRect.right -= 15;
    itemFormat = (rtl ? DT_RIGHT | DT_RTLREADING : 0) | DT_VCENTER | DT_SINGLELINE | hide;
    accelFormat = (rtl ? 0 : DT_RIGHT) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  }
  if (grayed && !flat) {
    // Embossed: a light copy one pixel down and right under the grey text.
    RECT shifted = textRect;
    ::OffsetRect(&shifted, 1, 1);
    ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    draw(texts.item, shifted, itemFormat);
    if (accelFormat && !texts.accel.IsEmpty()) draw(texts.accel, shifted, accelFormat);
    color = ::GetSysColor(COLOR_GRAYTEXT);
  }
  ::SetTextColor(hDC, color);
  draw(texts.item, textRect, itemFormat);
  if (accelFormat && !texts.accel.IsEmpty()) draw(texts.accel, textRect, accelFormat);
}
