#pragma once
// Where the tabs of an auto-hide strip go, usable without windows. Tabs run
// along the strip from 10 pixels after its start: a separator adds 10 pixels;
// a tab showing its title is its text width plus 18 long and the next starts
// its text width plus 16 after it (neighbours overlap by 2); a tab showing only
// its icon is 21 long and the next starts 20 after it. Tabs span the strip's
// thickness less 2 pixels on each side.
#include <windows.h>

#include <vector>

// Tab flags.
#define AHT_TITLE 0x01      // always shows its title
#define AHT_GROUPED 0x02    // belongs to a group (titled only while pointed at)
#define AHT_SHOWTITLE 0x04  // the grouped tab shows its title now
#define AHT_SEPARATOR 0x08

struct AutoHideTabShape {
  UINT flags = 0;
  int textWidth = 0;  // the title's width in the strip's font
};

// One rectangle per tab (empty for separators); horizontal strips run along x.
std::vector<RECT> LayoutAutoHideTabs(const std::vector<AutoHideTabShape>& tabs, int thickness, bool horizontal);
// Which tabs of a group (the neighbours up to the next separator on each
// side) lose their title when `index` gets it: their indexes.
std::vector<int> GroupOf(const std::vector<AutoHideTabShape>& tabs, int index);
// Separators at both ends and after another separator go.
std::vector<int> SeparatorsToTrim(const std::vector<AutoHideTabShape>& tabs);
