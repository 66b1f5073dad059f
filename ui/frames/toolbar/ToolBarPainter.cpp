#include "ui/frames/toolbar/ToolBarPainter.h"

#include <commctrl.h>

#include "ui/frames/docking/SkinDockBar.h"
#include "ui/menus/colors/SkinColors.h"
#include "ui/menus/core/SkinState.h"
#include "ui/menus/theme/MenuTheme.h"

namespace {
const COLORREF kBlueFrame = 0x840204;

void frameBoth(HDC hDC, const RECT& r, COLORREF c) { FrameSolid(hDC, r, c); }

void edges(HDC hDC, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  FillSolid(hDC, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  FillSolid(hDC, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  FillSolid(hDC, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  FillSolid(hDC, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

COLORREF indeterminateFrame() {
  return SkinOs().highContrast ? ::GetSysColor(COLOR_BTNTEXT) : DarkenColor(128, GetMenuBarColorXP(nullptr));
}

// A framed rectangle with a vertical gradient inside (the 2003 hot looks).
void framedGradient(HDC hDC, const RECT& r, COLORREF top, COLORREF bottom) {
  frameBoth(hDC, r, kBlueFrame);
  RECT inner = r;
  ::InflateRect(&inner, -1, -1);
  DrawGradient(hDC, inner, top, bottom, false, false);
}
}  // namespace

int ToolItemLook(int themeId, bool themeActive) {
  return (themeId == 8 || themeId == 9) && !themeActive ? 2 : themeId;
}

RECT DropDownArrowPart(const RECT& item) { return {item.right - 13, item.top, item.right, item.bottom}; }

void DrawToolItemBackground(HDC hDC, const RECT& rc, UINT state, bool dropDown, int look) {
  const RECT arrow = DropDownArrowPart(rc);
  const bool hot = state == CDIS_HOT, pressed = state == (CDIS_HOT | CDIS_SELECTED);
  const bool checked = (state & CDIS_CHECKED) != 0, indeterminate = (state & CDIS_INDETERMINATE) != 0;
  if (look == 2 || look == 3) {
    if (indeterminate) {
      FillSolid(hDC, rc, MixColor86(GetMenuBarColorXP(nullptr), ::GetSysColor(COLOR_WINDOW)));
      frameBoth(hDC, rc, indeterminateFrame());
    } else if ((state & CDIS_HOT) || checked) {
      FillSolid(hDC, rc, GetXpHighlightColor());
      frameBoth(hDC, rc, ::GetSysColor(COLOR_HIGHLIGHT));
      if (dropDown) frameBoth(hDC, arrow, ::GetSysColor(COLOR_HIGHLIGHT));
    }
  } else if (look == 6 || look == 7) {
    const COLORREF h = ::GetSysColor(COLOR_HIGHLIGHT), light = LightenColor(60, h), dark = DarkenColor(60, h);
    if (indeterminate) {
      const COLORREF b = GetMenuBarColor(nullptr);
      if (NumScreenColors() < 256) {
        FillSolid(hDC, rc, light);
      } else {
        const LONG middle = (rc.top + rc.bottom) / 2;
        DrawGradient(hDC, {rc.left, rc.top, rc.right, middle}, LightenColor(60, b), b, false, false);
        DrawGradient(hDC, {rc.left, middle, rc.right, rc.bottom}, b, DarkenColor(60, b), false, false);
      }
      frameBoth(hDC, rc, dark);
    } else if (hot || pressed || checked) {
      if (hot) DrawGradient(hDC, rc, light, h, false, false);
      else if (pressed) DrawGradient(hDC, rc, h, dark, false, false);
      else FillSolid(hDC, rc, light);
      frameBoth(hDC, rc, dark);
      if (dropDown) frameBoth(hDC, arrow, dark);
    }
  } else if (look >= 8 && look <= 11) {
    if (hot || pressed) {
      framedGradient(hDC, rc, hot ? 0xDBEFFA : 0x6B97F2, hot ? 0x97D4FF : 0xA3CAF9);
    } else if (checked) {
      FillSolid(hDC, rc, 0xC2EEFF);
      frameBoth(hDC, rc, kBlueFrame);
    } else if (indeterminate) {
      if (NumScreenColors() > 256)
        DrawGradient(hDC, rc, MixColor86(DarkenColor(10, ::GetSysColor(COLOR_WINDOW)), GetMenuBarColor(nullptr)),
                     GetThemedBarColor(), false, true);
      else
        FillSolid(hDC, rc, GetThemedBarColor());
      frameBoth(hDC, rc, indeterminateFrame());
    }
    if (dropDown && (hot || pressed || checked)) frameBoth(hDC, arrow, kBlueFrame);
  } else {
    const COLORREF light = ::GetSysColor(COLOR_HIGHLIGHTTEXT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (hot) {
      edges(hDC, rc, light, shadow);
    } else if (pressed || indeterminate || checked) {
      edges(hDC, rc, shadow, light);
      if (dropDown && !indeterminate) edges(hDC, arrow, shadow, light);
    }
  }
  if (dropDown) DrawDropDownArrow(hDC, arrow, (state & CDIS_DISABLED) != 0);
}

void DrawDropDownArrow(HDC hDC, const RECT& part, bool disabled) {
  const COLORREF c = ::GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
  const int x = (part.left + part.right) / 2, y = (part.top + part.bottom) / 2;
  FillSolid(hDC, {x - 2, y - 1, x + 3, y}, c);
  FillSolid(hDC, {x - 1, y, x + 2, y + 1}, c);
  FillSolid(hDC, {x, y + 1, x + 1, y + 2}, c);
}

RECT ToolButtonTextRect(const RECT& item, SIZE image, bool listStyle, int textHeight) {
  if (!listStyle) return {item.left, item.top + 4 + image.cy + 1, item.right, item.bottom};
  const LONG top = item.top + (item.bottom - item.top - textHeight) / 2;
  return {item.left + 3 + image.cx + 3, top, item.right - 2, item.bottom};
}

void ToolSeparatorColors(int themeId, COLORREF& first, COLORREF& second) {
  if (themeId == 2 || themeId == 3) {
    first = second = DarkenColor(40, GetDefaultBarColor());
  } else if (themeId == 6 || themeId == 7) {
    first = second = LightenColor(150, ::GetSysColor(COLOR_3DDKSHADOW));
  } else {
    first = LightenColor(140, GetThemedBarColor());
    second = DarkenColor(40, GetThemedBarColor());
  }
}

RECT ToolSeparatorLine(ToolSeparatorKind kind, const RECT& r, const RECT& p, int clientWidth, int thickness) {
  switch (kind) {
    case ToolSeparatorKind::kWrap: {
      const LONG y = (p.bottom + r.bottom) / 2 - 1;
      return {r.left + 4, y, clientWidth - 2, y + thickness};
    }
    case ToolSeparatorKind::kAcross: {
      const LONG x = (r.left + r.right) / 2 - 1;
      return {x, r.top + 3, x + thickness, r.bottom - 3};
    }
    default: {
      const LONG y = (p.bottom + r.bottom) / 2;
      return {r.left + 3, y, p.right - 3, y + thickness};
    }
  }
}

void DrawToolSeparator(HDC hDC, ToolSeparatorKind kind, const RECT& separator, const RECT& previous,
                       int clientWidth, int themeId) {
  COLORREF first, second;
  ToolSeparatorColors(themeId, first, second);
  const int thickness = first == second ? 1 : 2;
  const RECT line = ToolSeparatorLine(kind, separator, previous, clientWidth, thickness);
  if (line.right <= line.left || line.bottom <= line.top) return;
  if (thickness == 1) FillSolid(hDC, line, first);
  else edges(hDC, line, first, second);
}

namespace {
// The dock brush under a docked bar, so that its corners match the dock.
void underlay(HDC hDC, const ToolBarBackground& bar) {
  if (!bar.docked) return;
  if (!FillWithBarBrush(hDC, bar.area, bar.brushFrame)) FillSolid(hDC, bar.area, GetMenuBarColorXP(nullptr));
}

// Two vertical gradients over the upper and lower halves of a band.
void band(HDC hDC, LONG left, LONG right, LONG top, LONG middle, LONG bottom, const COLORREF c[3]) {
  DrawGradient(hDC, {left, top, right, middle}, c[0], c[1], false, false);
  DrawGradient(hDC, {left, middle, right, bottom}, c[1], c[2], false, false);
}

void gradientBackground(HDC hDC, const ToolBarBackground& bar, const COLORREF c[3], COLORREF edge, COLORREF opposite) {
  const RECT& r = bar.area;
  const LONG lb = bar.leftBorder, rb = bar.rightBorder;
  if (!bar.horizontal) {
    if (edge != 0xFFFFFFFF && bar.docked) FillSolid(hDC, {r.right - rb, r.top + rb, r.right - rb + 1, r.bottom - rb}, edge);
    DrawGradient(hDC, {r.left + lb - 1, r.top + lb, r.right / 2, r.bottom - rb}, c[0], c[1], true, false);
    DrawGradient(hDC, {r.right / 2, r.top + lb, r.right - rb, r.bottom - rb}, c[1], c[2], true, false);
    if (opposite != 0xFFFFFFFF && bar.docked) FillSolid(hDC, {r.left + lb - 1, r.top + lb, r.left + lb, r.bottom - rb}, opposite);
    return;
  }
  if (!bar.docked && !bar.items.empty()) {
    // Each line of buttons gets its own gradient.
    RECT previous{0, 0, 0, 0};
    for (const ToolBarBackground::Item& item : bar.items) {
      const RECT& ir = item.rect;
      if (item.wrapSeparator) {
        DrawGradient(hDC, {r.left, previous.bottom, r.right, ir.bottom}, c[2], c[0], false, false);
      } else if (ir.top != previous.top || ir.bottom != previous.bottom) {
        // The control leaves a gap under a line ending in a separator: it
        // gets the separator's shade, or it would show what was there before.
        if (ir.top > previous.bottom)
          DrawGradient(hDC, {r.left, previous.bottom, r.right, ir.top}, c[2], c[0], false, false);
        band(hDC, r.left, r.right, ir.top, (ir.top + ir.bottom) / 2, ir.bottom, c);
      }
      previous = ir;
    }
    return;
  }
  band(hDC, r.left + lb, r.right - rb, r.top + 2, r.bottom / 2, bar.docked ? r.bottom - 2 : r.bottom, c);
  if (!bar.docked) return;
  if (edge != 0xFFFFFFFF) FillSolid(hDC, {r.left + lb, r.bottom - 3, r.right - rb, r.bottom - 2}, edge);
  if (opposite != 0xFFFFFFFF) FillSolid(hDC, {r.left + lb, r.top + 2, r.right - rb, r.top + 3}, opposite);
}
}  // namespace

void DrawToolBarBackground(HDC hDC, const ToolBarBackground& bar, int id) {
  const RECT& r = bar.area;
  if (id == 2 || id == 3) {
    FillSolid(hDC, r, MixColor86(GetDefaultBarColor(), ::GetSysColor(COLOR_WINDOW)));
    return;
  }
  if (id < 6 || id > 11) {
    FillSolid(hDC, r, GetMenuBarColorXP(nullptr));
    return;
  }
  underlay(hDC, bar);
  if (NumScreenColors() < 256) {
    RECT inside{r.left + bar.leftBorder, r.top, r.right - bar.rightBorder, r.bottom};
    FillSolid(hDC, inside, DarkenColor(30, id <= 7 ? GetMenuBarColorXP(nullptr) : GetXpHighlightColor()));
    return;
  }
  if (id <= 7) {
    const COLORREF b = GetMenuBarColor(nullptr);
    const COLORREF c[3] = {LightenColor(60, b), b, DarkenColor(60, b)};
    gradientBackground(hDC, bar, c, DarkenColor(150, b), LightenColor(125, b));
    return;
  }
  COLORREF colors[4];
  if (CMenuTheme* theme = CurrentTheme()) theme->GetBarColors2003(colors);
  else colors[0] = colors[1] = colors[2] = colors[3] = GetThemedBarColor();
  gradientBackground(hDC, bar, colors, colors[3], 0xFFFFFFFF);
}
