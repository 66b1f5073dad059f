// The theme's side of a subclassed popup menu window: styles, frame size,
// background, border and soft shadow.
#include <algorithm>

#include "framework/framework.h"
#include "ui/menus/colors/SkinColors.h"
#include "ui/menus/core/SkinState.h"
#include "framework/gdi_scope.h"
#include "ui/menus/menu/SkinMenu.h"
#include "ui/menus/theme/MenuTheme.h"
#include "ui/menus/window/MenuWindow.h"

namespace {
CSkinMenu* shownMenu(HWND hWnd) {
  CMenuHookData* data = MenuHookDataOf(hWnd);
  return data && data->m_hMenu ? DYNAMIC_DOWNCAST(CSkinMenu, CMenu::FromHandlePermanent(data->m_hMenu)) : nullptr;
}

HMENU shownMenuHandle(HWND hWnd) {
  CMenuHookData* data = MenuHookDataOf(hWnd);
  return data ? data->m_hMenu : nullptr;
}

// Client rectangle in window coordinates; window size.
void frameGeometry(HWND hWnd, RECT& client, SIZE& size) {
  RECT wr;
  ::GetWindowRect(hWnd, &wr);
  ::GetClientRect(hWnd, &client);
  ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ::OffsetRect(&client, -wr.left, -wr.top);
  size = {wr.right - wr.left, wr.bottom - wr.top};
}

// The screen pixels saved before the menu appeared, drawn back into the right
// and bottom margins of 4 pixels and darkened towards the menu.
void drawSoftShadow(HWND hWnd, HDC hDC, const SIZE& size) {
  CMenuHookData* data = MenuHookDataOf(hWnd);
  int w = size.cx, h = size.cy;
  if (!data || !data->m_screen || w < 8 || h < 8) return;
  MemoryDC mem(hDC);
  HBITMAP copy = ::CreateCompatibleBitmap(hDC, w, h);
  if (!copy) return;
  GdiHandle owned(copy);
  SelectScope selectCopy(mem, copy);
  {
    MemoryDC src(hDC);
    SelectScope selectSrc(src, data->m_screen.Get());
    ::BitBlt(mem, 0, 0, w, h, src, 0, 0, SRCCOPY);
  }
  bool rich = NumScreenColors() > 256;
  static const int kDark[4] = {135, 165, 195, 225};  // innermost first
  auto darken = [&](int x, int y, int weight) {
    COLORREF p = ::GetPixel(mem, x, y);
    ::SetPixel(mem, x, y, RGB(GetRValue(p) * weight / 255, GetGValue(p) * weight / 255, GetBValue(p) * weight / 255));
  };
  for (int i = 0; i < 4; ++i) {
    int x = w - 4 + i, yRow = h - 4 + i;
    for (int y = 4; y < h - 4 + i; ++y) {
      if (!rich) {
        if (i < 2 && y >= 4) ::SetPixel(mem, x, y, ::GetSysColor(COLOR_3DSHADOW));
        continue;
      }
      int step = y - 4;
      darken(x, y, step < 4 ? std::max(kDark[i], 255 - 6 * (step + 1) * (255 - kDark[i]) / 24) : kDark[i]);
    }
    for (int x2 = 4; x2 < w - 4; ++x2) {
      if (!rich) {
        if (i < 2) ::SetPixel(mem, x2, yRow, ::GetSysColor(COLOR_3DSHADOW));
        continue;
      }
      int step = x2 - 4;
      darken(x2, yRow, step < 4 ? std::max(kDark[i], 255 - 6 * (step + 1) * (255 - kDark[i]) / 24) : kDark[i]);
    }
  }
  ::BitBlt(hDC, w - 4, 0, 4, h, mem, w - 4, 0, SRCCOPY);
  ::BitBlt(hDC, 0, h - 4, w, 4, mem, 0, h - 4, SRCCOPY);
}

// Opens the edge the popup shares with its open menu-bar item.
void openBarEdge(HWND hWnd, HDC hDC, COLORREF menuColor) {
  CSkinMenu* menu = shownMenu(hWnd);
  CSkinMenu* parent = menu ? menu->GetParentSkinMenu() : nullptr;
  if (!parent || parent->m_bIsPopupMenu || ::IsRectEmpty(&parent->m_menuBarItemRect)) return;
  RECT wr, overlap, item = parent->m_menuBarItemRect;
  ::GetWindowRect(hWnd, &wr);
  ::InflateRect(&item, 0, 1);  // the item ends where the popup begins
  if (!::IntersectRect(&overlap, &wr, &item)) return;
  ::OffsetRect(&overlap, -wr.left, -wr.top);
  if (overlap.right - overlap.left >= overlap.bottom - overlap.top)
    overlap.left += 1, overlap.right -= 1, overlap.bottom = overlap.top + 1;
  else
    overlap.top += 1, overlap.bottom -= 1, overlap.right = overlap.left + 1;
  FillSolid(hDC, overlap, NumScreenColors() > 256 ? MixColor86(::GetSysColor(COLOR_WINDOW), menuColor)
                                                  : ::GetSysColor(COLOR_3DFACE));
}
}  // namespace

BOOL CMenuTheme::OnInitWnd(HWND hWnd) {
  if (!DoDrawBorder()) return FALSE;
  CMenuHookData* data = MenuHookDataOf(hWnd);
  if (!data || (data->m_dwData & 4)) return data != nullptr;
  data->m_dwData |= 4;
  ::SetWindowLongA(hWnd, GWL_STYLE, static_cast<LONG>(data->m_dwStyle & ~WS_BORDER));
  ::SetWindowLongA(hWnd, GWL_EXSTYLE, static_cast<LONG>(data->m_dwExStyle & ~(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE)));
  return TRUE;
}

BOOL CMenuTheme::OnUnInitWnd(HWND hWnd) {
  CMenuHookData* data = MenuHookDataOf(hWnd);
  if (!data) return FALSE;
  if (CSkinMenu* menu = shownMenu(hWnd)) menu->OnClosePopup();
  if (data->m_dwData & 4) {
    DWORD style = data->m_dwStyle | ((data->m_dwData & 2) ? WS_VISIBLE : 0);
    ::SetWindowLongA(hWnd, GWL_STYLE, static_cast<LONG>(style));
    ::SetWindowLongA(hWnd, GWL_EXSTYLE, static_cast<LONG>(data->m_dwExStyle));
    data->m_dwData &= ~4u;
  }
  return TRUE;
}

BOOL CMenuTheme::OnCalcFrameRect(HWND, LPRECT pRect) {
  if (!DoDrawBorder() || !pRect) return FALSE;
  bool shadow = SkinDropShadow();
  pRect->left += m_BorderTopLeft.cx;
  pRect->top += m_BorderTopLeft.cy;
  pRect->right -= shadow ? 1 : 5;
  pRect->bottom -= shadow ? 2 : 6;
  return FALSE;
}

BOOL CMenuTheme::OnWindowPosChanging(HWND, LPWINDOWPOS pPos) {
  if (!DoDrawBorder() || !pPos) return FALSE;
  if (!(pPos->flags & SWP_NOSIZE)) {
    int grow = SkinDropShadow() ? -2 : 2;
    pPos->cx += grow;
    pPos->cy += grow;
  }
  if (!(pPos->flags & SWP_NOMOVE)) pPos->y -= 1;
  return TRUE;
}

BOOL CMenuTheme::GetBorderedWindowRect(HWND hWnd, LPRECT pRect) {
  if (!::GetWindowRect(hWnd, pRect)) return FALSE;
  if (!DoDrawBorder()) return TRUE;
  int farSide = SkinDropShadow() ? 3 : 7;
  pRect->left += 2, pRect->top += 2, pRect->right -= farSide, pRect->bottom -= farSide;
  return TRUE;
}

BOOL CMenuTheme::OnEraseBkgnd(HWND hWnd, HDC hDC) {
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  rc.left += 2;
  if (DoDrawBorder()) rc.right -= 1;
  bool flat = SkinOs().osClass == 7 && SkinFlatMenus();
  FillSolid(hDC, rc, ::GetSysColor(flat ? COLOR_MENUBAR : COLOR_MENU));
  return TRUE;
}

BOOL CMenuThemeXP::OnEraseBkgnd(HWND hWnd, HDC hDC) {
  HMENU hMenu = shownMenuHandle(hWnd);
  if (!hMenu) return CMenuTheme::OnEraseBkgnd(hWnd, hDC);
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  rc.left += 2;
  if (DoDrawBorder()) rc.right -= 1;
  FillSolid(hDC, rc, GetMenuBarColor(hMenu));
  return TRUE;
}

void CMenuTheme::DrawClassicBorder(HWND hWnd, HDC hDC, BOOL bOnlyBorder) {
  RECT client;
  SIZE size;
  frameGeometry(hWnd, client, size);
  bool shadow = SkinDropShadow();
  RECT outer{0, 0, size.cx, size.cy};
  if (!shadow) outer.right -= 4, outer.bottom -= 4;
  RECT ring{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1};
  if (!bOnlyBorder) FillFrame(hDC, ring, client, GetMenuBarColor(shownMenuHandle(hWnd)));
  FrameSolid(hDC, outer, ::GetSysColor(SkinOs().highContrast ? COLOR_BTNTEXT : COLOR_HIGHLIGHT));
  if (!shadow && !SkinOs().highContrast) drawSoftShadow(hWnd, hDC, size);
}

BOOL CMenuTheme::OnDrawBorder(HWND hWnd, HDC hDC, BOOL bOnlyBorder) {
  if (!DoDrawBorder()) return FALSE;
  DrawClassicBorder(hWnd, hDC, bOnlyBorder);
  return TRUE;
}

BOOL CMenuThemeXP::OnDrawBorder(HWND hWnd, HDC hDC, BOOL bOnlyBorder) {
  if (!DoDrawBorder()) return FALSE;
  RECT client;
  SIZE size;
  frameGeometry(hWnd, client, size);
  bool shadow = SkinDropShadow();
  COLORREF window = ::GetSysColor(COLOR_WINDOW);
  COLORREF bar = GetMenuBarColor(shownMenuHandle(hWnd));
  COLORREF ring = MixColor86(window, bar);
  COLORREF frame = SkinOs().highContrast ? ::GetSysColor(COLOR_BTNTEXT) : DarkenColor(128, bar);
  COLORREF band = NumScreenColors() > 256 ? MixColor86(bar, window) : ::GetSysColor(COLOR_3DFACE);
  {
    ScreenDC screen;
    if (::GetNearestColor(screen, band) == ::GetNearestColor(screen, ring)) ring = window, band = bar;
  }
  if ((m_nThemeId == 8 || m_nThemeId == 9) && shadow) band = window;
  RECT outer{0, 0, size.cx, size.cy};
  if (!shadow) outer.right -= 4, outer.bottom -= 4;
  RECT inner{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1};
  if (!bOnlyBorder) FillFrame(hDC, inner, client, ring);
  FrameSolid(hDC, inner, ring);
  FillSolid(hDC, {1, 2, 2, inner.bottom - 1}, band);
  FrameSolid(hDC, outer, frame);
  if (!shadow && !SkinOs().highContrast) drawSoftShadow(hWnd, hDC, size);
  openBarEdge(hWnd, hDC, bar);
  return TRUE;
}
