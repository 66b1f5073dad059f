#include "ui/menus/theme/MenuTheme.h"

#include "ui/menus/colors/SkinColors.h"
#include "ui/menus/core/SkinState.h"

CMenuTheme::CMenuTheme(int id, SkinMeasureFn measure, SkinPaintFn paint, SkinTitleFn title, DWORD flags)
    : m_nThemeId(id), m_dwFlags(flags), m_pMeasureItem(measure), m_pDrawItem(paint), m_pDrawTitle(title) {
  UpdateSysColors();
  UpdateSysMetrics();
}

void CMenuTheme::UpdateSysColors() {
  static const int kIndexes[5] = {COLOR_3DFACE, COLOR_3DSHADOW, COLOR_3DHILIGHT, COLOR_BTNTEXT,
                                  COLOR_WINDOWFRAME};
  for (int i = 0; i < 5; ++i) m_colors[i] = ::GetSysColor(kIndexes[i]);
}

void CMenuTheme::UpdateSysMetrics() {
  m_BorderTopLeft = {2, 2};
  m_BorderBottomRight = SkinDropShadow() ? SIZE{2, 2} : SIZE{5, 6};
}

int CurrentThemeId() {
  CMenuTheme* theme = SkinState().currentTheme;
  return theme ? theme->m_nThemeId : -1;
}

CMenuTheme* CurrentTheme() { return SkinState().currentTheme; }

void DrawSystemGlyph(HDC hDC, const RECT& rect, char glyph, bool bold) {
  RECT r = rect;
  ::InflateRect(&r, -1, -1);
  HFONT hFont = ::CreateFontA(r.bottom - r.top, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                              DEFAULT_CHARSET, 0, 0, 0, 0, "Marlett");
  if (!hFont) return;
  HGDIOBJ old = ::SelectObject(hDC, hFont);
  int mode = ::SetBkMode(hDC, TRANSPARENT);
  ::DrawTextA(hDC, &glyph, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  ::SetBkMode(hDC, mode);
  ::SelectObject(hDC, old);
  ::DeleteObject(hFont);
}

char SystemCommandGlyph(UINT id) {
  switch (id & 0xFFF0) {
    case SC_CLOSE: return 'r';
    case SC_RESTORE: return '2';
    case SC_MINIMIZE: return '0';
    case SC_MAXIMIZE: return '1';
  }
  return 0;
}

bool DrawSystemCommandGlyph(HDC hDC, const RECT& rect, UINT id, UINT state) {
  const char glyph = SystemCommandGlyph(id);
  if (!glyph) return false;
  const int colour = (state & (ODS_GRAYED | ODS_INACTIVE)) ? COLOR_GRAYTEXT
                     : (state & ODS_SELECTED)              ? COLOR_HIGHLIGHTTEXT
                                                           : COLOR_MENUTEXT;
  ::SetTextColor(hDC, ::GetSysColor(colour));
  DrawSystemGlyph(hDC, rect, glyph, (state & ODS_DEFAULT) != 0);
  return true;
}

bool DrawSystemCommandGlyphXP(HDC hDC, const RECT& rect, UINT id, UINT state, COLORREF selectionFill) {
  const char glyph = SystemCommandGlyph(id);
  if (!glyph) return false;
  const bool bold = (state & ODS_DEFAULT) != 0, grayed = (state & ODS_GRAYED) != 0;
  RECT g = rect;
  if ((state & ODS_SELECTED) && !grayed) {
    RECT shadow = g;
    ::OffsetRect(&shadow, 1, 1);
    ::SetTextColor(hDC, ShadeColor(selectionFill));
    DrawSystemGlyph(hDC, shadow, glyph, bold);
    ::OffsetRect(&g, -1, -1);
  }
  ::SetTextColor(hDC, ::GetSysColor(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
  DrawSystemGlyph(hDC, g, glyph, bold);
  return true;
}

BOOL DrawCheckMark(HDC hDC, const RECT& rect, HBITMAP hChecked, HBITMAP hUnchecked, UINT state) {
  bool checked = (state & ODS_CHECKED) != 0;
  if (!checked && !hUnchecked) return FALSE;
  RECT r = rect;
  if (SkinOs().osClass >= 2) ::DrawEdge(hDC, &r, BDR_SUNKENOUTER, BF_RECT);
  auto centred = [&](HBITMAP h, UINT extra) {
    BITMAP bm{};
    ::GetObjectA(h, sizeof bm, &bm);
    int x = (r.left + r.right - bm.bmWidth) / 2, y = (r.top + r.bottom - bm.bmHeight) / 2;
    ::DrawStateA(hDC, nullptr, nullptr, reinterpret_cast<LPARAM>(h), 0, x, y, bm.bmWidth, bm.bmHeight,
                 DST_BITMAP | DSS_MONO | extra);
  };
  if (!checked) {
    centred(hUnchecked, (state & ODS_DISABLED) ? DSS_DISABLED : 0);
  } else if (!hChecked) {
    RECT g = r;
    ::OffsetRect(&g, 1, 2);
    DrawSystemGlyph(hDC, g, 'b', false);
  } else if (hUnchecked) {
    centred(hChecked, 0);
  } else {
    DrawSystemGlyph(hDC, r, 'i', false);
  }
  return TRUE;
}
