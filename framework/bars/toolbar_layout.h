#pragma once
// Plain parts of toolbars, usable without windows: the toolbar resource (type
// 241: words version 1, image width, image height, item count, then one command
// id per item, 0 for a separator) and the arrangement of buttons in lines.
#include <windows.h>

#include <cstddef>
#include <vector>

struct ToolBarResource {
  int imageWidth = 0;
  int imageHeight = 0;
  std::vector<UINT> ids;  // 0: separator
};

// False for data that is too short, of another version, or with no image size.
bool ParseToolBarResource(const void* data, size_t size, ToolBarResource& out);
// Finds and parses the toolbar resource of that name in a module.
bool LoadToolBarResource(HINSTANCE hInst, LPCSTR lpszResourceName, ToolBarResource& out);

// One toolbar item for arrangement: a separator's width is its own, a button
// has the toolbar's button size.
struct ToolItem {
  bool separator = false;
  int separatorWidth = 0;
  bool hidden = false;
  // A separator holding a control (a combo): it takes a place on a line as a
  // button does instead of ending the line it does not fit.
  bool control = false;
};

struct ToolArrangement {
  std::vector<bool> wrap;  // a line ends after this item
  SIZE size = {0, 0};      // of the items, without the bar's borders
};

// Lines of at most maxWidth (-1: one line; an item wider than that still gets
// a line of its own); vertical puts every item on a line of its own. As in the
// toolbar control, a line is a button high, and a line ending in a separator
// is two thirds of that separator's width higher.
ToolArrangement ArrangeToolItems(const std::vector<ToolItem>& items, SIZE button, int maxWidth, bool vertical);
