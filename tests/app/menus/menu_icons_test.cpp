// The menus' icon strip (bitmap 135) against the toolbar's bitmap: a command
// with a toolbar button shows that button's picture at half size, and every
// other command a picture of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <vector>

#include "app/menus/MenuIcons.h"
#include "app/resource.h"

namespace {
const COLORREF kSilver = RGB(192, 192, 192);

// A bitmap resource of the program as rows of colours, top row first.
struct Pixels {
  explicit Pixels(UINT id) {
    HBITMAP bitmap = static_cast<HBITMAP>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP,
                                                       0, 0, LR_CREATEDIBSECTION));
    BITMAP bm{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof bm, &bm)) return;
    width = bm.bmWidth;
    height = bm.bmHeight;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> bits(static_cast<size_t>(width) * height);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(bitmap);
    for (DWORD p : bits) colours.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  }
  COLORREF At(int x, int y) const { return colours[static_cast<size_t>(y) * width + x]; }
  int width = 0, height = 0;
  std::vector<COLORREF> colours;
};

// The toolbar's buttons in the order of their images (separators have none).
std::vector<UINT> ToolbarCommands() {
  HRSRC res = ::FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(241));
  const WORD* words = res ? static_cast<const WORD*>(::LockResource(::LoadResource(nullptr, res))) : nullptr;
  std::vector<UINT> ids;
  for (int i = 0; words && i < words[3]; ++i)
    if (words[4 + i]) ids.push_back(words[4 + i]);
  return ids;
}

std::vector<UINT> MenuIconCommands() {
  std::vector<UINT> ids;
  for (const WORD* id = kMenuIconTable + 3; *id; ++id) ids.push_back(*id);
  return ids;
}
}  // namespace

TEST(MenuIcons, ACommandOnTheToolbarShowsItsButtonsPictureAtHalfSize) {
  const Pixels menu(IDB_MENU_ICONS), toolbar(IDR_MAINFRAME);
  const std::vector<UINT> menuIds = MenuIconCommands(), toolbarIds = ToolbarCommands();
  ASSERT_EQ(menu.width, 16 * static_cast<int>(menuIds.size()));
  ASSERT_EQ(menu.height, 15);
  ASSERT_EQ(toolbar.height, 32);
  int shared = 0;
  for (size_t m = 0; m < menuIds.size(); ++m) {
    const auto onToolbar = std::find(toolbarIds.begin(), toolbarIds.end(), menuIds[m]);
    if (onToolbar == toolbarIds.end()) continue;
    ++shared;
    const int t = static_cast<int>(onToolbar - toolbarIds.begin());
    int wrong = 0;
    // Each menu pixel stands for a block of 2 by 2 picture pixels (the
    // picture's first and last rows left out): a fully painted block shows its
    // mean colour, an empty one is transparent.
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 16; ++x) {
        int painted = 0, r = 0, g = 0, b = 0;
        for (int dy = 1; dy <= 2; ++dy)
          for (int dx = 0; dx < 2; ++dx) {
            const COLORREF c = toolbar.At(32 * t + 2 * x + dx, 2 * y + dy);
            if (c == kSilver) continue;
            ++painted, r += GetRValue(c), g += GetGValue(c), b += GetBValue(c);
          }
        const COLORREF shown = menu.At(16 * static_cast<int>(m) + x, y);
        if (painted == 0) wrong += shown != kSilver;
        if (painted == 4)
          wrong += std::abs(GetRValue(shown) - r / 4) > 1 || std::abs(GetGValue(shown) - g / 4) > 1 ||
                   std::abs(GetBValue(shown) - b / 4) > 1;
      }
    EXPECT_EQ(wrong, 0) << "command " << menuIds[m];
  }
  EXPECT_EQ(shared, 15) << "new, open, save, close, undo, redo, cut, copy, paste, four pages, group, ungroup";
}

TEST(MenuIcons, EveryCommandHasAPictureOfItsOwn) {
  const Pixels menu(IDB_MENU_ICONS);
  std::vector<std::vector<COLORREF>> icons(static_cast<size_t>(menu.width / 16));
  for (size_t i = 0; i < icons.size(); ++i) {
    for (int y = 0; y < 15; ++y)
      for (int x = 0; x < 16; ++x) icons[i].push_back(menu.At(16 * static_cast<int>(i) + x, y));
    EXPECT_GE(std::count_if(icons[i].begin(), icons[i].end(), [](COLORREF c) { return c != kSilver; }), 30) << i;
  }
  // One picture in other colours is not a picture of its own.
  auto recoloured = [](const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
    std::map<COLORREF, COLORREF> as;
    for (size_t p = 0; p < a.size(); ++p) {
      if ((a[p] == kSilver) != (b[p] == kSilver)) return false;
      if (!as.emplace(a[p], b[p]).second && as[a[p]] != b[p]) return false;
    }
    return true;
  };
  for (size_t i = 0; i < icons.size(); ++i)
    for (size_t j = i + 1; j < icons.size(); ++j)
      EXPECT_FALSE(recoloured(icons[i], icons[j])) << "icons " << i << " and " << j;
}
