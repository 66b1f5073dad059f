#include "app/shell/StatusPanes.h"

#include <cstdio>

#include "framework/ids.h"

static_assert(kPagePaneId < ID_INDICATOR_EXT || kPagePaneId > ID_INDICATOR_SCRL,
              "the page pane must not share an id with a framework indicator");

namespace {
std::string Centred(const std::string& text, size_t width) {
  if (text.size() >= width) return text;
  return std::string((width - text.size()) / 2, ' ') + text;
}
}  // namespace

std::string PagePaneText(bool album, int index, int count) {
  if (!album) return " ";
  char text[32];
  std::snprintf(text, sizeof text, "%d / %d", index + 1, count);
  return Centred(text, 20);
}

std::string SizePaneText(bool album, int width, int height) {
  if (!album) return std::string(8, ' ');
  char text[32];
  std::snprintf(text, sizeof text, "%d x %d", width, height);
  return Centred(text, 22);
}
