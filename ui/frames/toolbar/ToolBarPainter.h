#pragma once
// How the themed toolbar draws, as functions of a device context (any bitmap
// will do): item backgrounds by state and theme, the drop-down arrow,
// separator colours and the bar's background.
#include <windows.h>

#include <vector>

// Themes 8 and 9 without an active visual style paint items like theme 2.
int ToolItemLook(int themeId, bool themeActive);

// The drop-down button's arrow part: the last 13 pixels of the item.
RECT DropDownArrowPart(const RECT& item);

// The background of an item in a state (CDIS_*) in a look (ToolItemLook);
// every drop-down button also gets its arrow.
void DrawToolItemBackground(HDC hDC, const RECT& item, UINT state, bool dropDown, int look);
// A downward triangle of 5, 3 and 1 pixels in the middle of the arrow part.
void DrawDropDownArrow(HDC hDC, const RECT& arrowPart, bool disabled);

// Where a button's text goes: beside its image (3 pixels in) on a list-style
// bar, vertically centred for a line of that height; under the image (4 pixels
// down) otherwise.
RECT ToolButtonTextRect(const RECT& item, SIZE image, bool listStyle, int textHeight);

// The two colours of a separator line (one pixel thick when equal).
void ToolSeparatorColors(int themeId, COLORREF& first, COLORREF& second);
// Where a separator draws its line: across a horizontal bar, along a vertical
// one, and as a line break on a floating bar (wrap). `previous` is the item
// before it (all zero for the first).
enum class ToolSeparatorKind { kAcross, kAlong, kWrap };
RECT ToolSeparatorLine(ToolSeparatorKind kind, const RECT& separator, const RECT& previous, int clientWidth,
                       int thickness);
void DrawToolSeparator(HDC hDC, ToolSeparatorKind kind, const RECT& separator, const RECT& previous,
                       int clientWidth, int themeId);

// What the bar's background depends on.
struct ToolBarBackground {
  RECT area;              // the window (docked) or client (floating) rectangle, client coordinates
  int leftBorder = 0, rightBorder = 0;
  bool docked = true;
  bool horizontal = true;  // docked or floating along the top or bottom
  HWND brushFrame = nullptr;  // the window whose left edge starts the dock brush's pattern
  // A floating bar's visible buttons in order: their rectangles and whether
  // each is a separator ending a line.
  struct Item {
    RECT rect;
    bool wrapSeparator;
  };
  std::vector<Item> items;
};
void DrawToolBarBackground(HDC hDC, const ToolBarBackground& bar, int themeId);
