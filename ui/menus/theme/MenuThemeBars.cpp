// The theme's toolbar pieces: gripper, corner pixels and the 2003 bar colours.
#include "framework/framework.h"
#include "ui/menus/colors/SkinColors.h"
#include "ui/menus/core/SkinState.h"
#include "ui/menus/theme/MenuTheme.h"

namespace {
// Bar styles of the control bars (the framework's values).
const DWORD kGripper = 0x00400000, kFloating = 0x0001, kAlignLeft = 0x1000, kAlignRight = 0x4000;

bool themedBar(DWORD style) { return (style & kGripper) && !(style & kFloating); }
bool dockedSideways(DWORD style) { return (style & (kAlignLeft | kAlignRight)) != 0; }
}  // namespace

void CMenuTheme::DrawGripper(HDC hDC, const RECT& rect, DWORD dwStyle, int left, int top, int, int bottom) {
  if (!themedBar(dwStyle)) return;
  const int id = m_nThemeId;
  const bool across = dockedSideways(dwStyle);  // a horizontal gripper along the top
  // The gripper's strip: 3 pixels deep, a few pixels in from the bar's ends.
  RECT strip = rect;
  if (across) {
    strip.left += left + 2, strip.right -= 2, strip.top += top + 2, strip.bottom = strip.top + 3;
  } else {
    strip.left += left + 2, strip.right = strip.left + 3, strip.top += top + 3, strip.bottom -= bottom + 3;
  }
  if (id == 2 || id == 3) {
    COLORREF c = ShadeColor(GetDefaultBarColor());
    for (int p = across ? strip.left : strip.top; p + 1 < (across ? strip.right : strip.bottom); p += 2)
      FillSolid(hDC, across ? RECT{p, strip.top, p + 1, strip.bottom} : RECT{strip.left, p, strip.right, p + 1}, c);
  } else if (id >= 6 && id <= 11) {
    COLORREF colors[4];
    GetBarColors2003(colors);
    COLORREF dot = id <= 7 ? DarkenColor(100, GetMenuBarColor(nullptr)) : colors[3];
    for (int p = across ? strip.left : strip.top; p + 2 <= (across ? strip.right : strip.bottom); p += 4) {
      RECT d = across ? RECT{p, strip.top, p + 2, strip.top + 2} : RECT{strip.left, p, strip.left + 2, p + 2};
      if (id >= 8) {
        RECT light = d;
        ::OffsetRect(&light, 1, 1);
        FillSolid(hDC, light, ::GetSysColor(COLOR_WINDOW));
      }
      FillSolid(hDC, d, dot);
    }
  } else {
    RECT bar = strip;
    ::DrawEdge(hDC, &bar, BDR_RAISEDINNER, BF_RECT);
  }
}

void CMenuTheme::DrawBarCorners(HDC hDC, const RECT& r, DWORD dwStyle) {
  if (!themedBar(dwStyle)) return;
  COLORREF c;
  if (m_nThemeId == 6 || m_nThemeId == 7) c = ::GetSysColor(COLOR_3DLIGHT);
  else if (m_nThemeId >= 8 && m_nThemeId <= 11) c = GetThemedBarColor();
  else return;
  const POINT corners[4] = {{r.left, r.top}, {r.right - 1, r.top}, {r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}};
  for (const POINT& p : corners) {
    int dx = p.x == r.left ? 1 : -1, dy = p.y == r.top ? 1 : -1;
    ::SetPixel(hDC, p.x, p.y, c);
    ::SetPixel(hDC, p.x + dx, p.y, c);
    ::SetPixel(hDC, p.x, p.y + dy, c);
  }
}

void CMenuTheme::GetBarColors2003(COLORREF colors[4]) {
  COLORREF bar, second;
  if (IsThemeActiveSafe()) {
    GetVisualStyleColors(bar, second, false);
    switch (bar) {
      case 0xAADADA: colors[0] = 0xDEF7F4, colors[1] = 0xACDED1, colors[2] = 0x91C6B7, colors[3] = 0x588060; return;
      case 0xE5D7D7: colors[0] = 0xFAF4F3, colors[1] = 0xECE2E1, colors[2] = 0xB59799, colors[3] = 0x947C7C; return;
      case 0xF5C2A3: colors[0] = 0xFEECDD, colors[1] = 0xF9DBC4, colors[2] = 0xE2A981, colors[3] = 0x9C613B; return;
    }
    colors[0] = LightenColor(140, bar), colors[1] = LightenColor(115, bar);
    colors[2] = DarkenColor(40, bar), colors[3] = DarkenColor(110, bar);
    return;
  }
  GetVisualStyleColors(bar, second, false);
  colors[0] = second;
  colors[1] = AlphaBlendColor(bar, second, 100);
  colors[2] = bar;
  colors[3] = DarkenColor(50, bar);
}
