#pragma once
// What a themed frame draws on its window's own menu bar: owner-drawn bar items
// redrawn in a given state (hot tracking where the system does not do it) and
// the one-pixel line under a bar whose background is a theme brush.
#include <windows.h>

#include "ui/menus/core/SkinState.h"

// The item states hot tracking draws with.
struct HotTrackStates {
  UINT hot;
  UINT normal;
};
// With the focus inside the frame an item is hot or plain; otherwise (an
// inactive frame) both carry ODS_INACTIVE, except on systems whose bars have
// no inactive look.
HotTrackStates HotTrackStatesFor(bool focusInFrame, int osClass);
// Whether the window or one of its children has the focus (its bar is active).
bool FocusIsIn(HWND hWnd);
// Whether the system tracks owner-drawn menu-bar items itself (Windows 2000
// and later, outside a remote session).
bool SystemTracksMenuBar(const SkinPlatform& platform);

// The rectangle of a menu-bar item relative to the window; false when the item
// is unknown.
bool MenuBarItemRect(HWND hWnd, HMENU hMenu, int pos, RECT& rect);
// Draws one owner-drawn item of the window's menu bar in the state through the
// window's WM_DRAWITEM, remembering its item data as the one drawn hot. False
// for items that are not owner-drawn or have no rectangle.
bool RedrawMenuBarItem(HWND hWnd, HMENU hMenu, int pos, UINT state);
// Fills the row of pixels just above the client area with the menu's
// background brush, when the window's menu has one, and the bar's rows after
// their last items as well.
void PaintMenuBarLine(HWND hWnd);
