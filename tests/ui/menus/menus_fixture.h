#pragma once
// The menu library started on a pinned platform (XP class, no compatibility
// layer, no flat menus, no drop shadow, no visual style, true colour), so every
// theme draws the same way on any machine; tests change single answers.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "framework/framework.h"
#include "ui/menus/colors/SkinColors.h"
#include "ui/menus/core/SkinMenuHook.h"
#include "ui/menus/menu/SkinMenu.h"
#include "ui/menus/menu/SkinMenuIcons.h"
#include "ui/menus/theme/MenuTheme.h"
#include "ui/menus/window/MenuWindow.h"

class MenuLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Restarts the library on another platform.
  void Restart(const SkinPlatform& platform);
  std::unique_ptr<CSkinMenuHook> library;
};

// A 32-bit top-down DIB section to paint into, with pixel read-back.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = RGB(255, 0, 255));
  ~Canvas();
  HDC dc() const { return m_dc; }
  // CLR_INVALID outside the bitmap.
  COLORREF At(int x, int y) const;
  int Count(const RECT& r, COLORREF c) const;
  bool Save(const char* path) const;

 private:
  HDC m_dc;
  HBITMAP m_bitmap;
  HGDIOBJ m_old;
  DWORD* m_bits = nullptr;
  int m_w, m_h;
};

// A popup menu "Test" with Open (&Apri, Ctrl+O), a separator, a checked item,
// a grayed item and a sub-menu, loaded into a CSkinMenu menu bar.
struct SampleMenu {
  SampleMenu();
  CSkinMenu bar;
  CSkinMenu* popup() { return static_cast<CSkinMenu*>(CMenu::FromHandlePermanent(::GetSubMenu(bar.m_hMenu, 0))); }
};
// The strip of menus_test.rc whose four images are squares of known colours.
const WORD kKnownStrip = 136;
enum { kOpen = 101, kChecked = 102, kGrayed = 103, kInner = 104, kRadio = 105 };

void PumpPending();

// When SPAB_MENU_SHOTS names a folder, writes the windows as they are drawn
// (the first at the bottom) into the BMP of that name there.
void SaveShot(const char* name, std::initializer_list<HWND> windows);
