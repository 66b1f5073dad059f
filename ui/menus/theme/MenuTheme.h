#pragma once
// A menu theme: how owner-drawn items are measured and painted, how a popup
// menu window gets its border, background and shadow, and how toolbars draw
// their gripper and corners in the same look. Twelve of them live in the
// library's theme list; one is current.
#include <windows.h>

class CSkinMenu;

typedef void (CSkinMenu::*SkinMeasureFn)(LPMEASUREITEMSTRUCT, BOOL);
typedef void (CSkinMenu::*SkinPaintFn)(LPDRAWITEMSTRUCT, BOOL);
typedef void (CSkinMenu::*SkinTitleFn)(LPDRAWITEMSTRUCT);

class CMenuTheme {
 public:
  CMenuTheme(int id, SkinMeasureFn measure, SkinPaintFn paint, SkinTitleFn title, DWORD flags);
  virtual ~CMenuTheme() = default;
  CMenuTheme(const CMenuTheme&) = delete;
  CMenuTheme& operator=(const CMenuTheme&) = delete;

  virtual BOOL OnInitWnd(HWND hWnd);
  virtual BOOL OnUnInitWnd(HWND hWnd);
  virtual BOOL DoDrawBorder() const { return (m_dwFlags & 1) != 0; }
  virtual void UpdateSysColors();
  virtual void UpdateSysMetrics();
  virtual BOOL OnDrawBorder(HWND hWnd, HDC hDC, BOOL bOnlyBorder = FALSE);
  virtual BOOL OnEraseBkgnd(HWND hWnd, HDC hDC);
  virtual BOOL OnCalcFrameRect(HWND hWnd, LPRECT pRect);
  virtual BOOL OnWindowPosChanging(HWND hWnd, LPWINDOWPOS pPos);
  virtual BOOL GetBorderedWindowRect(HWND hWnd, LPRECT pRect);
  virtual void DrawGripper(HDC hDC, const RECT& rect, DWORD dwStyle, int left, int top, int right,
                           int bottom);
  virtual void DrawBarCorners(HDC hDC, const RECT& rect, DWORD dwStyle);
  virtual void GetBarColors2003(COLORREF colors[4]);

  int m_nThemeId;
  DWORD m_dwFlags;
  SkinMeasureFn m_pMeasureItem;
  SkinPaintFn m_pDrawItem;
  SkinTitleFn m_pDrawTitle;
  SIZE m_BorderTopLeft{2, 2};
  SIZE m_BorderBottomRight{2, 2};
  COLORREF m_colors[5] = {};  // 3D face, 3D shadow, 3D highlight, button text, window frame

 protected:
  // The classic border ring and frame; the XP look replaces it.
  void DrawClassicBorder(HWND hWnd, HDC hDC, BOOL bOnlyBorder);
};

class CMenuThemeXP : public CMenuTheme {
 public:
  using CMenuTheme::CMenuTheme;
  BOOL OnDrawBorder(HWND hWnd, HDC hDC, BOOL bOnlyBorder = FALSE) override;
  BOOL OnEraseBkgnd(HWND hWnd, HDC hDC) override;
};

// The 2003 look differs from the XP one only in the painter it is given.
class CMenuTheme2003 : public CMenuThemeXP {
 public:
  using CMenuThemeXP::CMenuThemeXP;
};

// The current theme's id, -1 when none is current.
int CurrentThemeId();
CMenuTheme* CurrentTheme();

// Draws one character of the "Marlett" symbol font centred in the rectangle.
void DrawSystemGlyph(HDC hDC, const RECT& rect, char glyph, bool bold);
// The glyph of a window command (SC_CLOSE "r", SC_RESTORE "2", SC_MINIMIZE "0",
// SC_MAXIMIZE "1", also in their +1 forms), or 0.
char SystemCommandGlyph(UINT id);
// A window command's glyph in the classic looks: grey when grayed or
// inactive, highlight text when selected, bold for the default item. False
// (nothing drawn) for other commands.
bool DrawSystemCommandGlyph(HDC hDC, const RECT& rect, UINT id, UINT state);
// The same in the XP and 2003 looks, in a rectangle of the icon's height: a
// selected, enabled glyph stands over its shadow in the 70 % shade of the
// selection fill.
bool DrawSystemCommandGlyphXP(HDC hDC, const RECT& rect, UINT id, UINT state, COLORREF selectionFill);
// The classic check box of the classic painters.
BOOL DrawCheckMark(HDC hDC, const RECT& rect, HBITMAP hChecked, HBITMAP hUnchecked, UINT state);
