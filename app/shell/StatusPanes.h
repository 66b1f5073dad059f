#pragma once
// The texts of the status bar's page and size panes, centred with leading
// blanks; without an album the page pane shows one blank and the size pane
// eight.
#include <string>

// Pane ids. 59142 is 0xE706, the id the framework family keeps for a
// keyboard indicator; our framework has no such indicator (its own run from
// 0xE700 to 0xE703), so the page pane's text is never overwritten by one.
constexpr unsigned kPagePaneId = 59142;
constexpr unsigned kSizePaneId = 59143;

std::string PagePaneText(bool album, int index, int count);
std::string SizePaneText(bool album, int width, int height);
