#include <algorithm>
#include <cstdlib>

#include "ui/menus/menu/Mnemonic.h"
#include "ui/menus/menus_fixture.h"

TEST_F(MenuLibraryTest, ThemeSelectionFollowsTheTableAndTheCompatibilityLayer) {
  ASSERT_EQ(SkinState().themes.size(), 12u);
  for (auto& t : SkinState().themes) EXPECT_EQ(t->DoDrawBorder(), t->m_nThemeId % 2 == 0) << t->m_nThemeId;
  struct Case {
    bool compat;
    int select, returned, current;
  };
  const Case cases[] = {{false, 8, 2, 8}, {true, 8, 2, 9}, {true, 11, 2, 11}, {false, 12, -1, 2}, {false, -1, -1, 2}};
  for (const Case& c : cases) {
    SkinPlatform p;
    p.compatibilityLayer = c.compat;
    Restart(p);
    EXPECT_EQ(CSkinMenu::SelectTheme(c.select), c.returned) << c.select;
    EXPECT_EQ(CSkinMenu::GetThemeId(), c.current) << c.select;
  }
  CMenuTheme* existing = SkinState().themes.front().get();
  EXPECT_EQ(CSkinMenu::AddTheme(existing), 0);
  EXPECT_EQ(SkinState().themes.size(), 12u);
}

TEST(SkinColors, ArithmeticKeepsItsEdgeCases) {
  EXPECT_EQ(MixColor86(0xFFFFFF, 0xFFFFFF), 0xFFFFFFu);
  EXPECT_EQ(AlphaBlendColor(0xFFFFFF, 0, 0), RGB(254, 254, 254));
  EXPECT_EQ(AlphaBlendColor(0xFFFFFF, CLR_INVALID, 10), CLR_INVALID);
  EXPECT_EQ(DarkenColor(255, 0x123456), 0u);
  EXPECT_EQ(LightenColor(255, 0x123456), 0xFFFFFFu);
  EXPECT_EQ(ShadeColor(RGB(100, 200, 0)), RGB(70, 140, 39));
  struct Os {
    bool nineX;
    DWORD major, minor;
    int expected;
  };
  const Os versions[] = {{false, 3, 51, 1}, {false, 4, 0, 5}, {false, 5, 0, 6}, {false, 5, 1, 7}, {false, 10, 0, 7},
                         {true, 4, 0, 2}, {true, 4, 10, 3}, {true, 4, 90, 4}, {true, 3, 0, 0}};
  for (const Os& v : versions) EXPECT_EQ(OsClassFromVersion(v.nineX, v.major, v.minor), v.expected) << v.major;
  BITMAPINFOHEADER h{};
  h.biBitCount = 24;
  EXPECT_EQ(GetBitmapColorCount(h), 0);
  h.biBitCount = 4;
  EXPECT_EQ(GetBitmapColorCount(h), 16);
  // Each source of a visual style's colours names the known looks by its own values.
  struct Style {
    COLORREF first, second;
    bool fromThemeData;
    COLORREF bar;
  };
  const Style styles[] = {{0x86B8AA, 0, true, 0xAADADA},        {0xBEA3A4, 0, true, 0xE5D7D7},
                          {0xE55400, 0, true, 0xF5C2A3},        {0xF0C5AC, 0xF0C5AC, true, 0xF0C5AC},
                          {0xF0C5AC, 0xF0C5AC, false, 0xF5C2A3}, {0xE6E6E6, 0xE6E6E6, false, 0xE5D7D7},
                          {0xCCDCD6, 0xCCDCD6, false, 0xAADADA}, {0x86B8AA, 0x86B8AA, false, 0x86B8AA}};
  for (const Style& s : styles) EXPECT_EQ(StyleBarColor(s.first, s.second, s.fromThemeData), s.bar) << std::hex << s.first;
}

TEST(SkinColors, TimerIdsComeFromTheLibrarysOwnTable) {
  HWND hWnd = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(AllocateTimerId(hWnd, 1000), static_cast<UINT_PTR>(31 + i));
  EXPECT_EQ(AllocateTimerId(hWnd, 1000), 41u);
  FreeTimerId(hWnd, 35);
  EXPECT_EQ(AllocateTimerId(hWnd, 1000), 35u);
  ::DestroyWindow(hWnd);
  EXPECT_EQ(AllocateTimerId(hWnd, 1000), 0u);
}

TEST(SkinColors, GradientsTooNarrowForStepsTakeTheStartColour) {
  Canvas canvas(20, 4);
  DrawGradient(canvas.dc(), {0, 0, 1, 4}, RGB(10, 20, 30), RGB(200, 200, 200), true, false);
  DrawGradient(canvas.dc(), {5, 0, 5, 4}, RGB(10, 20, 30), RGB(200, 200, 200), true, false);
  DrawGradient(canvas.dc(), {8, 0, 20, 4}, RGB(0, 0, 0), RGB(200, 200, 200), true, false);
  EXPECT_EQ(canvas.At(0, 0), RGB(10, 20, 30));
  EXPECT_EQ(canvas.At(5, 0), RGB(255, 0, 255));  // an empty rectangle is left alone
  EXPECT_LT(GetRValue(canvas.At(8, 1)), GetRValue(canvas.At(19, 1)));
}

TEST(AcceleratorText, NamesEveryAcceleratorOfTheCommand) {
  ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'Z', 7}, {FVIRTKEY | FALT, VK_BACK, 7}, {FVIRTKEY | FCONTROL | FSHIFT, 'Y', 8}};
  auto name = [](const ACCEL& a) { return CString(a.key == VK_BACK ? "Backspace" : CString(static_cast<char>(a.key))); };
  EXPECT_STREQ(FormatAcceleratorText(entries, 3, 7, name), "Ctrl+Z, Alt+Backspace");
  EXPECT_STREQ(FormatAcceleratorText(entries, 3, 8, name), "Ctrl+Shift+Y");
  EXPECT_STREQ(FormatAcceleratorText(entries, 3, 9, name), "");
  HACCEL table = ::CreateAcceleratorTableA(entries, 3);
  CSkinMenuItemData plain("&Annulla", 0, 7), tabbed("&Taglia\tCtrl+X", 0, 7);
  CString text;
  plain.GetDisplayText(text, table);
  EXPECT_EQ(text.Left(9), CString("&Annulla\t"));
  EXPECT_EQ(text.Mid(9, 6), CString("Ctrl+Z"));
  tabbed.GetDisplayText(text, table);
  EXPECT_STREQ(text, "&Taglia\tCtrl+X");
  tabbed.GetDisplayText(text, nullptr);
  EXPECT_STREQ(text, "&Taglia");
  ::DestroyAcceleratorTable(table);
}

TEST_F(MenuLibraryTest, ItemsBecomeOwnerDrawnAndKeepTheirDataAcrossConversions) {
  SampleMenu sample;
  CSkinMenu* popup = sample.popup();
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(sample.bar.m_bIsPopupMenu);
  EXPECT_TRUE(popup->m_bIsPopupMenu);
  ASSERT_EQ(popup->GetItemDataCount(), 5);
  for (int pos = 0; pos < 5; ++pos) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfoA(popup->m_hMenu, pos, TRUE, &mii));
    EXPECT_TRUE(mii.fType & MFT_OWNERDRAW) << pos;
    EXPECT_EQ(mii.dwItemData, reinterpret_cast<ULONG_PTR>(popup->GetItemData(pos))) << pos;
  }
  EXPECT_TRUE(popup->GetItemData(1)->m_nFlags & MF_SEPARATOR);
  EXPECT_STREQ(popup->GetItemData(1)->m_szMenuText, "");
  CSkinMenuItemData* open = popup->GetItemData(0);
  popup->ConvertItems();
  EXPECT_EQ(popup->GetItemData(0), open);
  EXPECT_STREQ(open->m_szMenuText, "&Apri");
  EXPECT_THROW(popup->GetItemData(5), CInvalidArgException*);
  // Removing by id works from the top menu, by position exactly that position.
  EXPECT_TRUE(sample.bar.RemoveMenu(kInner, MF_BYCOMMAND));
  EXPECT_EQ(sample.bar.FindItemData(kInner), nullptr);
  EXPECT_TRUE(popup->RemoveMenu(1, MF_BYPOSITION));
  EXPECT_EQ(popup->GetItemData(1)->m_nID, static_cast<UINT_PTR>(kChecked));
  EXPECT_EQ(popup->GetItemDataCount(), 4);
}

TEST_F(MenuLibraryTest, MnemonicsFindTheFirstMatchingItemDisabledOrNot) {
  EXPECT_EQ(MnemonicOf("&Taglia"), 't');
  EXPECT_EQ(MnemonicOf("Fish && &Chips"), 'c');
  EXPECT_EQ(MnemonicOf("None && more"), 0);
  SampleMenu sample;
  CSkinMenu* popup = sample.popup();
  struct Case {
    UINT ch;
    LRESULT expected;
  };
  const Case cases[] = {{'a', MAKELRESULT(0, MNC_EXECUTE)}, {'G', MAKELRESULT(3, MNC_EXECUTE)}, {'z', 0}};
  for (const Case& c : cases) EXPECT_EQ(CSkinMenu::OnMenuChar(c.ch, MF_POPUP, popup), c.expected) << c.ch;
  CMenu plain;
  plain.CreatePopupMenu();
  plain.AppendMenu(MF_STRING, 1, "&Apri");
  EXPECT_EQ(CSkinMenu::OnMenuChar('a', MF_POPUP, &plain), 0);
}

TEST_F(MenuLibraryTest, WindowCommandsCarryShiftedIdsWhileTheirMenuIsOpen) {
  CSkinMenu system;
  ASSERT_TRUE(system.CreatePopupMenu());
  system.AppendMenu(MF_STRING, SC_RESTORE, "&Ripristina");
  system.AppendMenu(MF_STRING, SC_MINIMIZE, "Riduci a &icona");
  system.AppendMenu(MF_STRING, SC_CLOSE, "&Chiudi");
  CSkinMenu::OnInitMenuPopup(nullptr, &system, 0, TRUE);
  EXPECT_EQ(system.GetMenuItemID(0), static_cast<UINT>(SC_RESTORE + 1));
  EXPECT_EQ(system.GetMenuItemID(2), static_cast<UINT>(SC_CLOSE + 1));
  system.OnClosePopup();
  EXPECT_EQ(system.GetMenuItemID(0), static_cast<UINT>(SC_RESTORE));
  EXPECT_EQ(system.GetMenuItemID(1), static_cast<UINT>(SC_MINIMIZE));
  EXPECT_EQ(system.GetMenuItemID(2), static_cast<UINT>(SC_CLOSE));
}

TEST_F(MenuLibraryTest, ToolbarTablesGiveThreeSharedImagesPerCommand) {
  std::vector<WORD> table = {135, 16, 15};
  for (WORD id = 1; id <= 40; ++id) table.push_back(static_cast<WORD>(200 + id));
  table.push_back(0);
  SampleMenu first, second;
  first.popup()->AppendMenu(MF_STRING, 201, "Uno");
  ASSERT_TRUE(first.bar.LoadToolBarIcons(table.data(), 0xC0C0C0));
  ASSERT_TRUE(second.bar.LoadToolBarIcons(table.data(), 0xC0C0C0));
  ASSERT_EQ(SkinState().iconLists.size(), 1u);
  CSkinMenuIcons* icons = SkinState().iconLists.front();
  EXPECT_EQ(icons->m_IconsList.GetImageCount(), 120);
  CSkinMenuItemData* item = first.bar.FindItemData(201);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->m_pMenuIcon, icons);
  EXPECT_EQ(item->m_nMenuIconOffset, 0);
  EXPECT_GE(icons->RefCount(), 2);
  // Icon, shadow and disabled copy of a command, from a strip of known colours.
  const WORD known[] = {kKnownStrip, 16, 15, 201, 202, 203, 204, 0};
  ASSERT_TRUE(first.bar.LoadToolBarIcons(known, 0xC0C0C0));
  CSkinMenuIcons* strip = SkinState().iconLists.back();
  ASSERT_EQ(strip->m_IconsList.GetImageCount(), 12);
  Canvas canvas(48, 15, RGB(255, 255, 255));
  for (int i = 0; i < 3; ++i) ImageList_Draw(strip->m_IconsList, i, canvas.dc(), 16 * i, 0, ILD_TRANSPARENT);
  const COLORREF icon = canvas.At(8, 7), shadow = canvas.At(24, 7), disabled = canvas.At(40, 7);
  EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255)) << "the silver margin is transparent";
  EXPECT_EQ(icon, RGB(200, 40, 40));
  EXPECT_EQ(shadow, RGB(::MulDiv(200, 205, 255), ::MulDiv(40, 205, 255), ::MulDiv(40, 205, 255)));
  EXPECT_GT(GetGValue(disabled), GetGValue(icon)) << "pale";
  EXPECT_LT(std::abs(GetRValue(disabled) - GetBValue(disabled)), 40) << "grey";
  // A table naming more commands than the bitmap holds gives the rest no icon.
  std::vector<WORD> longer = table;
  longer.insert(longer.end() - 1, {300, 301});
  ASSERT_TRUE(first.bar.LoadToolBarIcons(longer.data(), 0xC0C0C0));
  EXPECT_EQ(SkinState().iconLists.back()->FindIndex(301), -1);
}

TEST(MnemonicText, TheUnderlineStandsUnderTheMarkedCharacterInEitherLayout) {
  struct Case {
    const char* text;
    bool markFirst;  // the wide W is marked, else the narrow i
  };
  for (DWORD layout : {DWORD(0), DWORD(LAYOUT_RTL)}) {
    for (const Case& c : {Case{"&Wi", true}, Case{"W&i", false}}) {
      Canvas canvas(120, 30, RGB(255, 255, 255));
      ::SetLayout(canvas.dc(), layout);
      HFONT font = ::CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
      HGDIOBJ old = ::SelectObject(canvas.dc(), font);
      ::SetTextColor(canvas.dc(), RGB(0, 0, 0));
      ::SetBkMode(canvas.dc(), TRANSPARENT);
      DrawMnemonicText(canvas.dc(), c.text, -1, {10, 0, 110, 30}, DT_SINGLELINE | DT_VCENTER);
      ::SelectObject(canvas.dc(), old);
      ::DeleteObject(font);
      ::SetLayout(canvas.dc(), 0);
      // The lowest inked row is the underline; the rows above hold the glyphs.
      int underline = -1;
      for (int y = 0; y < 30; ++y)
        if (canvas.Count({0, y, 120, y + 1}, 0) > 0) underline = y;
      ASSERT_GT(underline, 0) << layout;
      auto span = [&](int top, int bottom, int& first, int& last) {
        first = 120, last = -1;
        for (int y = top; y < bottom; ++y)
          for (int x = 0; x < 120; ++x)
            if (GetGValue(canvas.At(x, y)) < 128) first = std::min(first, x), last = std::max(last, x);
      };
      int inkFirst, inkLast, lineFirst, lineLast;
      span(0, underline - 1, inkFirst, inkLast);
      span(underline, underline + 1, lineFirst, lineLast);
      if (c.markFirst) {
        EXPECT_LE(std::abs(lineFirst - inkFirst), 1) << layout << " " << c.text;
        EXPECT_GT(lineLast - lineFirst, 8) << layout << " " << c.text;
      } else {
        EXPECT_GE(lineLast, inkLast - 2) << layout << " " << c.text;
        EXPECT_LT(lineLast - lineFirst, 7) << layout << " " << c.text;
      }
    }
  }
}
