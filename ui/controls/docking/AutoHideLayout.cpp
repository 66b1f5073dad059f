#include "ui/controls/docking/AutoHideLayout.h"

std::vector<RECT> LayoutAutoHideTabs(const std::vector<AutoHideTabShape>& tabs, int thickness, bool horizontal) {
  std::vector<RECT> out;
  int pos = 10;
  for (const AutoHideTabShape& tab : tabs) {
    RECT r{0, 0, 0, 0};
    if (tab.flags & AHT_SEPARATOR) {
      pos += 10;
      out.push_back(r);
      continue;
    }
    bool titled = (tab.flags & (AHT_TITLE | AHT_SHOWTITLE)) != 0;
    int length = titled ? tab.textWidth + 18 : 21;
    int step = titled ? tab.textWidth + 16 : 20;
    if (horizontal)
      r = RECT{pos, 2, pos + length, thickness - 2};
    else
      r = RECT{2, pos, thickness - 2, pos + length};
    out.push_back(r);
    pos += step;
  }
  return out;
}

std::vector<int> GroupOf(const std::vector<AutoHideTabShape>& tabs, int index) {
  std::vector<int> group;
  for (int i = index - 1; i >= 0 && !(tabs[static_cast<size_t>(i)].flags & AHT_SEPARATOR); --i) group.push_back(i);
  for (int i = index + 1; i < static_cast<int>(tabs.size()) && !(tabs[static_cast<size_t>(i)].flags & AHT_SEPARATOR); ++i)
    group.push_back(i);
  return group;
}

std::vector<int> SeparatorsToTrim(const std::vector<AutoHideTabShape>& tabs) {
  std::vector<int> trim;
  auto isSep = [&](size_t i) { return (tabs[i].flags & AHT_SEPARATOR) != 0; };
  size_t n = tabs.size();
  size_t first = 0;
  while (first < n && isSep(first)) trim.push_back(static_cast<int>(first++));
  if (first == n) return trim;
  size_t last = n;
  while (last > first && isSep(last - 1)) --last;
  for (size_t i = first + 1; i < last; ++i)
    if (isSep(i) && isSep(i - 1)) trim.push_back(static_cast<int>(i));
  for (size_t i = last; i < n; ++i) trim.push_back(static_cast<int>(i));
  return trim;
}
