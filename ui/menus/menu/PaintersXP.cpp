// The XP and 2003 item painters (themes 2, 3 and 8 to 11).
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

namespace {
struct XpColors {
  COLORREF background, band1, band2, selFill, selFrame, grad1, grad2, frame;
};

COLORREF nearestColor(COLORREF c) {
  ScreenDC dc;
  return ::GetNearestColor(dc, c);
}

XpColors xpColors(HMENU hMenu, bool look2003) {
  XpColors c{};
  bool hc = SkinOs().highContrast;
  c.selFrame = ::GetSysColor(hc ? COLOR_BTNTEXT : COLOR_HIGHLIGHT);
  if (!look2003) {
    c.background = GetMenuBarColorXP(hMenu);
    c.band1 = NumScreenColors() > 256 ? MixColor86(c.background, ::GetSysColor(COLOR_WINDOW))
                                      : ::GetSysColor(COLOR_3DFACE);
    if (nearestColor(c.band1) == nearestColor(c.background)) c.band1 = c.background;
    c.band2 = c.band1;
    c.selFill = GetXpHighlightColor();
    c.grad1 = c.grad2 = c.selFill;
  } else {
    c.background = MixColor86(DarkenColor(10, ::GetSysColor(COLOR_WINDOW)), ::GetSysColor(COLOR_MENU));
    GetVisualStyleColors(c.band2, c.band1, true);  // light to dark across the band
    int id = CurrentThemeId();
    if (IsThemeActiveSafe() || id == 10 || id == 11) {
      c.selFill = 0xC2EEFF;
      c.grad1 = 0x6FC0FF;
      c.grad2 = 0x3E80FE;
    } else {
      c.selFill = GetXpHighlightColor();
      c.grad1 = c.grad2 = MixColor86(c.selFill, ::GetSysColor(COLOR_HIGHLIGHT));
    }
  }
  c.frame = hc ? ::GetSysColor(COLOR_BTNTEXT) : DarkenColor(128, GetMenuBarColorXP(hMenu));
  return c;
}

void fillMenuBackground(HDC hDC, HMENU hMenu, const RECT& rc, COLORREF fallback) {
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  if (hMenu && ::GetMenuInfo(hMenu, &info) && info.hbrBack) {
    POINT old;
    ::SetBrushOrgEx(hDC, 0, 0, &old);
    ::FillRect(hDC, &rc, info.hbrBack);
    ::SetBrushOrgEx(hDC, old.x, old.y, nullptr);
  } else {
    FillSolid(hDC, rc, fallback);
  }
}
}  // namespace

void CSkinMenu::DrawItemXP(LPDRAWITEMSTRUCT lpDIS, BOOL bBar) { DrawItemXPLook(lpDIS, bBar, false); }
void CSkinMenu::DrawItem2003(LPDRAWITEMSTRUCT lpDIS, BOOL bBar) { DrawItemXPLook(lpDIS, bBar, true); }

void CSkinMenu::DrawItemXPLook(LPDRAWITEMSTRUCT lpDIS, BOOL bBar, bool look2003) {
  CSkinMenuItemData* data = lpDIS ? CheckItemData(lpDIS->itemData) : nullptr;
  if (!data) return;
  const XpColors colors = xpColors(m_hMenu, look2003);
  const RECT rc = lpDIS->rcItem;
  const UINT state = lpDIS->itemState;
  const bool grayed = (state & ODS_GRAYED) != 0;
  const bool rtl = (data->m_nFlags & MFT_RIGHTORDER) != 0;
  const bool many = NumScreenColors() > 256;
  CString display;
  data->GetDisplayText(display, m_hAccelToDraw);
  MenuFont font((state & ODS_DEFAULT) != 0, (state & kOdsVertical) != 0);

  if (bBar) {
    HDC hDC = lpDIS->hDC;
    SavedDC saved(hDC);
    fillMenuBackground(hDC, m_hMenu, rc, GetMenuBarColorXP(m_hMenu));
    bool open = (state & ODS_SELECTED) && !(state & ODS_HOTLIGHT);
    bool selected = (state & (ODS_SELECTED | ODS_HOTLIGHT)) && !(state & ODS_INACTIVE);
    if (selected) SetMenuBarItemRect(hDC, rc);
    if (open) {
      // Joined to its popup below, with a shadow at its right.
      RECT body = rc;
      body.right -= 4;
      if (look2003)
        DrawGradient(hDC, body, colors.band1, colors.band2, false, false);
      else
        FillSolid(hDC, body, colors.band1);
      FillSolid(hDC, {body.left, body.top, body.right, body.top + 1}, colors.frame);
      FillSolid(hDC, {body.left, body.top, body.left + 1, body.bottom}, colors.frame);
      FillSolid(hDC, {body.right - 1, body.top, body.right, body.bottom}, colors.frame);
      RECT shadow{body.right, rc.top, rc.right, rc.bottom};
      if (many)
        DarkenShadowColumns(hDC, shadow, 4);
      else
        FillSolid(hDC, {body.right, rc.top + 4, body.right + 2, rc.bottom}, ::GetSysColor(COLOR_3DSHADOW));
    } else if (selected) {
      if (look2003 && many)
        DrawGradient(hDC, rc, colors.selFill, colors.grad1, false, false);
      else
        FillSolid(hDC, rc, colors.selFill);
      FrameSolid(hDC, rc, colors.selFrame);
    }
    SelectScope select(hDC, font);
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ::GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    ItemTexts texts = SplitItemText(display);
    DrawMnemonicText(hDC, texts.item, -1, rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | HidePrefixFlag(state));
    return;
  }

  // Unlike the classic looks, these show the selection on a grayed item too,
  // so the keyboard's place in the menu stays visible; its text stays grey.
  const int bandWidth = m_iconX + 8;
  RECT band = rc, rest = rc;
  if (rtl) band.left = rc.right - bandWidth, rest.right = band.left;
  else band.right = rc.left + bandWidth, rest.left = band.right;

  if (data->m_nFlags & MF_SEPARATOR) {
    HDC hDC = lpDIS->hDC;
    if (look2003) DrawGradient(hDC, band, colors.band1, colors.band2, true, false);
    else FillSolid(hDC, band, colors.band1);
    FillSolid(hDC, rest, colors.background);
    int y = (rc.top + rc.bottom) / 2;
    FillSolid(hDC, {rest.left, y, rest.right, y + 1}, ::GetSysColor(COLOR_GRAYTEXT));
    return;
  }

  CSkinMemDC mem(rc, lpDIS->hDC);
  HDC hDC = mem.m_hDC;
  const bool selected = (state & ODS_SELECTED) && !(state & ODS_INACTIVE);
  const bool checked = (state & ODS_CHECKED) != 0;
  if (look2003) DrawGradient(hDC, band, colors.band1, colors.band2, true, false);
  else FillSolid(hDC, band, colors.band1);
  FillSolid(hDC, rest, colors.background);
  if (selected) {
    FillSolid(hDC, rc, colors.selFill);
    FrameSolid(hDC, rc, colors.selFrame);
  }

  const int midY = (rc.top + rc.bottom) / 2;
  SIZE iconSize = data->m_pMenuIcon ? data->m_pMenuIcon->IconSize() : SIZE{m_iconX, m_iconY};
  int iconX = band.left + std::max(0, (bandWidth - static_cast<int>(iconSize.cx)) / 2);
  int iconY = midY - iconSize.cy / 2;
  RECT checkBox{band.left + 2, rc.top + 1, band.right - 2, rc.bottom - 1};
  bool hasIcon = data->m_pMenuIcon && data->m_nMenuIconOffset >= 0;
  const bool sysGlyph = SystemCommandGlyph(static_cast<UINT>(data->m_nID)) != 0;
  if (hasIcon && !sysGlyph) {
    if (checked) {
      RECT square{iconX - 2, iconY - 2, iconX + iconSize.cx + 2, iconY + iconSize.cy + 2};
      FillSolid(hDC, square, selected ? colors.grad1 : colors.selFill);
      FrameSolid(hDC, square, colors.selFrame);
    }
    if (grayed) {
      DrawItemIcon(hDC, *data, 2, iconX, iconY);
    } else if (selected && !checked) {
      DrawItemIcon(hDC, *data, 1, iconX + 1, iconY + 1);
      DrawItemIcon(hDC, *data, 0, iconX - 1, iconY - 1);
    } else {
      DrawItemIcon(hDC, *data, 0, iconX, iconY);
    }
  } else if (sysGlyph) {
    const RECT g{band.left, midY - m_iconY / 2, band.right, midY - m_iconY / 2 + m_iconY};
    DrawSystemCommandGlyphXP(hDC, g, static_cast<UINT>(data->m_nID), selected ? state : state & ~ODS_SELECTED,
                             colors.selFill);
  } else if (checked) {
    FillSolid(hDC, checkBox, selected ? colors.grad1 : colors.selFill);
    FrameSolid(hDC, checkBox, colors.selFrame);
    HBITMAP hChecked, hUnchecked;
    ItemCheckBitmaps(m_hMenu, *data, hChecked, hUnchecked);
    ::SetTextColor(hDC, ::GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
    if (hChecked && hUnchecked) {
      BITMAP bm{};
      ::GetObjectA(hChecked, sizeof bm, &bm);
      ::DrawStateA(hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(hChecked), 0,
                   (checkBox.left + checkBox.right - bm.bmWidth) / 2, (checkBox.top + checkBox.bottom - bm.bmHeight) / 2,
                   bm.bmWidth, bm.bmHeight, DST_BITMAP | DSS_MONO);
    } else {
      bool radio = hChecked || (data->m_nFlags & MFT_RADIOCHECK);
      DrawSystemGlyph(hDC, checkBox, radio ? 'i' : 'b', false);
    }
  }

  SelectScope select(hDC, font);
  ::SetBkMode(hDC, TRANSPARENT);
  COLORREF textColor = ::GetSysColor(COLOR_MENUTEXT);
  if (SkinOs().highContrast && !selected) textColor = ::GetSysColor(COLOR_WINDOWTEXT);
  if (grayed) textColor = ::GetSysColor(COLOR_GRAYTEXT);
  ::SetTextColor(hDC, textColor);
  ItemTexts texts = SplitItemText(display);
  int gap = ::GetSystemMetrics(SM_CYMENU) / 2;
  RECT textRect = rest;
  if (rtl) textRect.left += gap, textRect.right -= 6;
  else textRect.left += 6, textRect.right -= gap;
  UINT hide = HidePrefixFlag(state);
  ::DrawTextA(hDC, texts.item, texts.item.GetLength(), &textRect,
              DT_SINGLELINE | DT_VCENTER | hide | (rtl ? DT_RTLREADING | DT_RIGHT : 0));
  if (!texts.accel.IsEmpty())
    ::DrawTextA(hDC, texts.accel, texts.accel.GetLength(), &textRect,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (rtl ? DT_LEFT : DT_RIGHT));
}
