#include "framework/bars/toolbar_layout.h"

#include <algorithm>
#include <cstring>

#include "framework/bars/bar_styles.h"

bool ParseToolBarResource(const void* data, size_t size, ToolBarResource& out) {
  if (!data || size < 8) return false;
  const BYTE* p = static_cast<const BYTE*>(data);
  auto word = [p](size_t i) {
    WORD w;
    std::memcpy(&w, p + 2 * i, sizeof w);
    return w;
  };
  WORD version = word(0), width = word(1), height = word(2), count = word(3);
  if (version != 1 || width == 0 || height == 0) return false;
  if (size < 8 + 2 * static_cast<size_t>(count)) return false;
  out.imageWidth = width;
  out.imageHeight = height;
  out.ids.clear();
  for (size_t i = 0; i < count; ++i) out.ids.push_back(word(4 + i));
  return true;
}

bool LoadToolBarResource(HINSTANCE hInst, LPCSTR lpszResourceName, ToolBarResource& out) {
  HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(RT_TOOLBAR_ID));
  if (!hRsrc) return false;
  HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
  const void* data = hGlobal ? ::LockResource(hGlobal) : nullptr;
  return ParseToolBarResource(data, ::SizeofResource(hInst, hRsrc), out);
}

ToolArrangement ArrangeToolItems(const std::vector<ToolItem>& items, SIZE button, int maxWidth, bool vertical) {
  ToolArrangement out;
  out.wrap.assign(items.size(), false);
  auto widthOf = [&](const ToolItem& item) { return item.separator ? item.separatorWidth : static_cast<int>(button.cx); };
  int lineWidth = 0;
  int last = -1;  // the last visible item so far
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].hidden) continue;
    int w = widthOf(items[i]);
    bool breakBefore = last >= 0 && (vertical || (maxWidth >= 0 && lineWidth + w > maxWidth));
    if (breakBefore && items[i].separator && !items[i].control && !vertical) {
      // The separator ends the full line rather than starting the next one.
      out.wrap[i] = true;
      last = static_cast<int>(i);
      lineWidth = 0;
      continue;
    }
    if (breakBefore && !out.wrap[static_cast<size_t>(last)]) {
      out.wrap[static_cast<size_t>(last)] = true;
      lineWidth = 0;
    }
    lineWidth += w;
    last = static_cast<int>(i);
  }
  int x = 0, y = 0, width = 0;
  bool open = false;  // a line has items not yet counted in y
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i].hidden) continue;
    x += widthOf(items[i]);
    width = std::max(width, x);
    open = true;
    if (out.wrap[i]) {
      y += button.cy + (items[i].separator ? items[i].separatorWidth * 2 / 3 : 0);
      x = 0;
      open = false;
    }
  }
  if (open) y += button.cy;
  out.size.cx = width;
  out.size.cy = y;
  return out;
}
