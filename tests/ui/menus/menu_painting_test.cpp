#include <cstdlib>
#include <string>

#include "ui/menus/menus_fixture.h"

namespace {
struct Painted {
  int bandWidth;
  std::vector<RECT> rows;  // one per item of the sample popup, in order
};

// Measures and paints every item of the sample popup, one row each; the
// states per position say how each one is drawn.
Painted paintSample(CSkinMenu& popup, Canvas& canvas, const std::vector<UINT>& states) {
  Painted out{popup.m_iconX + 8, {}};
  int top = 0;
  for (int pos = 0; pos < popup.GetItemDataCount(); ++pos) {
    CSkinMenuItemData* data = popup.GetItemData(pos);
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, static_cast<UINT>(data->m_nID), 0, 0, reinterpret_cast<ULONG_PTR>(data)};
    popup.MeasureItem(&mis);
    RECT rc{0, top, 200, top + static_cast<int>(mis.itemHeight)};
    DRAWITEMSTRUCT dis{ODT_MENU, 0, static_cast<UINT>(data->m_nID), ODA_DRAWENTIRE, states[pos],
                       reinterpret_cast<HWND>(popup.m_hMenu), canvas.dc(), rc, reinterpret_cast<ULONG_PTR>(data)};
    popup.DrawItem(&dis);
    out.rows.push_back(rc);
    top = rc.bottom;
  }
  return out;
}

void saveIfAsked(const Canvas& canvas, int theme) {
  if (const char* dir = std::getenv("SPAB_MENU_SHOTS"))
    canvas.Save((std::string(dir) + "/theme" + std::to_string(theme) + ".bmp").c_str());
}

int CALLBACK noteFont(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool marlettInstalled() {
  HDC dc = ::GetDC(nullptr);
  LOGFONTA lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpyA(lf.lfFaceName, "Marlett");
  bool found = false;
  ::EnumFontFamiliesExA(dc, &lf, noteFont, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, dc);
  return found;
}
}  // namespace

// Positions: 0 open (selected), 1 separator, 2 checked, 3 grayed, 4 sub-menu.
const std::vector<UINT> kStates = {ODS_SELECTED, 0, ODS_CHECKED, ODS_GRAYED, 0};

TEST_F(MenuLibraryTest, The2003AndXpPaintersDrawBandSelectionChecksAndGreyText) {
  for (int theme : {8, 9, 2}) {
    CSkinMenu::SelectTheme(theme);
    SampleMenu sample;
    Canvas canvas(200, 160);
    Painted p = paintSample(*sample.popup(), canvas, kStates);
    saveIfAsked(canvas, theme);
    const RECT& open = p.rows[0];
    EXPECT_EQ(canvas.At(open.right - 3, (open.top + open.bottom) / 2), GetXpHighlightColor()) << theme;
    EXPECT_EQ(canvas.At(open.left, open.top), ::GetSysColor(COLOR_HIGHLIGHT)) << theme;
    const RECT& plain = p.rows[4];
    int y = (plain.top + plain.bottom) / 2;
    if (theme == 2) {
      EXPECT_EQ(canvas.At(1, y), canvas.At(p.bandWidth - 2, y));
    } else {  // the 2003 band runs from light to dark
      EXPECT_GT(GetGValue(canvas.At(1, y)) + GetBValue(canvas.At(1, y)),
                GetGValue(canvas.At(p.bandWidth - 2, y)) + GetBValue(canvas.At(p.bandWidth - 2, y)));
    }
    EXPECT_NE(canvas.At(plain.right - 3, y), canvas.At(1, y)) << theme;  // band against background
    const RECT& separator = p.rows[1];
    const int line = (separator.top + separator.bottom) / 2;
    EXPECT_EQ(canvas.At(150, line), ::GetSysColor(COLOR_GRAYTEXT)) << theme;
    EXPECT_EQ(canvas.At(p.bandWidth, line), ::GetSysColor(COLOR_GRAYTEXT)) << theme << ": from the band's edge";
    EXPECT_NE(canvas.At(p.bandWidth - 1, line), ::GetSysColor(COLOR_GRAYTEXT)) << theme;
    const RECT& grayed = p.rows[3];
    EXPECT_GT(canvas.Count({p.bandWidth, grayed.top, 200, grayed.bottom}, ::GetSysColor(COLOR_GRAYTEXT)), 5) << theme;
    EXPECT_EQ(canvas.Count({p.bandWidth, grayed.top, 200, grayed.bottom}, ::GetSysColor(COLOR_MENUTEXT)), 0) << theme;
    const RECT& checked = p.rows[2];
    EXPECT_GT(canvas.Count({0, checked.top, p.bandWidth, checked.bottom}, ::GetSysColor(COLOR_MENUTEXT)), 3) << theme;
  }
}

TEST_F(MenuLibraryTest, ClassicPaintersHighlightEmbossAndFrameTheMenuBar) {
  for (int theme : {0, 6, 4}) {
    CSkinMenu::SelectTheme(theme);
    SampleMenu sample;
    Canvas canvas(200, 160);
    Painted p = paintSample(*sample.popup(), canvas, kStates);
    saveIfAsked(canvas, theme);
    const RECT& open = p.rows[0];
    COLORREF selection = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(canvas.At(open.right - 20, (open.top + open.bottom) / 2), selection) << theme;
    EXPECT_GT(canvas.Count(open, ::GetSysColor(COLOR_HIGHLIGHTTEXT)), 5) << theme;
    const RECT& grayed = p.rows[3];
    EXPECT_GT(canvas.Count(grayed, ::GetSysColor(COLOR_GRAYTEXT)), 5) << theme;
    if (theme == 0) {
      EXPECT_GT(canvas.Count(grayed, ::GetSysColor(COLOR_BTNHIGHLIGHT)), 5);
    }
  }
  // Themes 4 and 5 paint a hot menu-bar item as a flat highlight block.
  SampleMenu sample;
  CSkinMenuItemData* title = sample.bar.GetItemData(0);
  Canvas canvas(60, 20);
  DRAWITEMSTRUCT dis{ODT_MENU, 0, static_cast<UINT>(title->m_nID), ODA_DRAWENTIRE, ODS_HOTLIGHT,
                     reinterpret_cast<HWND>(sample.bar.m_hMenu), canvas.dc(), {0, 0, 60, 20},
                     reinterpret_cast<ULONG_PTR>(title)};
  sample.bar.DrawItem(&dis);
  EXPECT_EQ(canvas.At(1, 1), ::GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_GT(canvas.Count({0, 0, 60, 20}, ::GetSysColor(COLOR_HIGHLIGHTTEXT)), 5);
}

TEST_F(MenuLibraryTest, AGrayedItemUnderTheKeyboardIsHighlightedInTheXpAnd2003LooksOnly) {
  struct Case {
    int theme;
    bool highlighted;
    COLORREF fill;  // of a highlighted item
  };
  const Case cases[] = {{8, true, GetXpHighlightColor()}, {9, true, GetXpHighlightColor()},
                        {2, true, GetXpHighlightColor()}, {10, true, 0xC2EEFF},
                        {0, false, 0},                    {6, false, 0},
                        {4, false, 0}};
  const std::vector<UINT> states = {0, 0, 0, ODS_GRAYED | ODS_SELECTED, 0};
  for (const Case& c : cases) {
    CSkinMenu::SelectTheme(c.theme);
    SampleMenu sample;
    Canvas canvas(200, 160);
    Painted p = paintSample(*sample.popup(), canvas, states);
    const RECT& grayed = p.rows[3];
    const RECT text{p.bandWidth, grayed.top, 200, grayed.bottom};
    EXPECT_GT(canvas.Count(text, ::GetSysColor(COLOR_GRAYTEXT)), 5) << c.theme << ": the text stays grey";
    if (c.highlighted) {
      EXPECT_EQ(canvas.At(grayed.right - 3, (grayed.top + grayed.bottom) / 2), c.fill) << c.theme;
      EXPECT_EQ(canvas.At(grayed.left, grayed.top), ::GetSysColor(COLOR_HIGHLIGHT)) << c.theme << ": framed";
    } else {
      EXPECT_EQ(canvas.Count(grayed, ::GetSysColor(COLOR_HIGHLIGHT)), 0) << c.theme << ": not shown selected";
    }
  }
}

TEST_F(MenuLibraryTest, MeasurersFollowTheirThemeRules) {
  CSkinMenu::SelectTheme(8);
  SampleMenu sample;
  CSkinMenu* popup = sample.popup();
  auto measure = [](CSkinMenu& menu, int pos) {
    CSkinMenuItemData* data = menu.GetItemData(pos);
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, static_cast<UINT>(data->m_nID), 0, 0, reinterpret_cast<ULONG_PTR>(data)};
    menu.MeasureItem(&mis);
    return SIZE{static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight)};
  };
  int cyMenu = ::GetSystemMetrics(SM_CYMENU);
  SIZE open = measure(*popup, 0), separator = measure(*popup, 1), sub = measure(*popup, 4);
  EXPECT_EQ(separator.cx, 3);
  EXPECT_EQ(separator.cy, 3);
  EXPECT_GE(open.cy, cyMenu > 15 + 8 ? cyMenu : 15 + 7);
  EXPECT_GT(sub.cx - open.cx, cyMenu / 2 - 12);  // a sub-menu item reserves room for its arrow
  // A menu-bar item's width is its text less 6 for the underline mark.
  SIZE bar = measure(sample.bar, 0);
  HDC dc = ::CreateCompatibleDC(nullptr);
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  HFONT font = ::CreateFontIndirectA(&ncm.lfMenuFont);
  HGDIOBJ old = ::SelectObject(dc, font);
  RECT r{};
  ::DrawTextA(dc, "&Test", -1, &r, DT_CALCRECT | DT_SINGLELINE);
  ::SelectObject(dc, old);
  ::DeleteObject(font);
  ::DeleteDC(dc);
  EXPECT_EQ(bar.cx, r.right - 6);
  // The system names a bar item that opens a popup by the popup's handle: the
  // popup's object is asked, and measures with its parent's item data.
  MEASUREITEMSTRUCT routed{ODT_MENU, 0, static_cast<UINT>(reinterpret_cast<UINT_PTR>(popup->m_hMenu)), 0, 0,
                           reinterpret_cast<ULONG_PTR>(sample.bar.GetItemData(0))};
  ASSERT_TRUE(CSkinMenu::OnMeasureItem(nullptr, &routed));
  EXPECT_EQ(static_cast<LONG>(routed.itemWidth), bar.cx);
}

TEST_F(MenuLibraryTest, CheckMarksAreMarlettGlyphsNotLetters) {
  // The set-up provides the system's fonts: without Marlett it is broken.
  ASSERT_TRUE(marlettInstalled()) << "the Marlett font is not installed in this prefix";
  Canvas glyph(20, 20, RGB(255, 255, 255)), letter(20, 20, RGB(255, 255, 255));
  ::SetTextColor(glyph.dc(), 0);
  DrawSystemGlyph(glyph.dc(), {0, 0, 20, 20}, 'b', false);
  ::SetBkMode(letter.dc(), TRANSPARENT);
  RECT r{1, 1, 19, 19};
  ::DrawTextA(letter.dc(), "b", 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  int differing = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) differing += glyph.At(x, y) != letter.At(x, y);
  EXPECT_GT(glyph.Count({0, 0, 20, 20}, 0), 5);
  EXPECT_GT(differing, 10);
}

TEST_F(MenuLibraryTest, IconsWindowCommandsRadioChecksAndOpenBarItemsArePaintedInEveryLook) {
  const COLORREF iconColour = RGB(200, 40, 40), ink = ::GetSysColor(COLOR_MENUTEXT);
  for (int theme : {8, 9, 0}) {
    CSkinMenu::SelectTheme(theme);
    CSkinMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, 201, "&Icona");
    menu.AppendMenu(MF_STRING | MF_GRAYED, 202, "Spenta");
    menu.AppendMenu(MF_STRING, SC_CLOSE, "&Chiudi");
    menu.AppendMenu(MF_STRING, 203, "Scelta");
    ::CheckMenuRadioItem(menu.m_hMenu, 3, 3, 3, MF_BYPOSITION);
    menu.ConvertItems();
    const WORD strip[] = {kKnownStrip, 16, 15, 201, 202, 0};
    ASSERT_TRUE(menu.LoadToolBarIcons(strip, 0xC0C0C0));
    Canvas canvas(200, 120);
    Painted p = paintSample(menu, canvas, {0, ODS_GRAYED, 0, ODS_CHECKED});
    saveIfAsked(canvas, 100 + theme);
    auto band = [&](int row) {
      const RECT& r = p.rows[static_cast<size_t>(row)];
      return RECT{0, r.top, p.bandWidth, r.bottom};
    };
    EXPECT_GT(canvas.Count(band(0), iconColour), 50) << theme << ": the icon";
    EXPECT_EQ(canvas.Count(band(1), iconColour), 0) << theme << ": a grayed item's icon is not in colour";
    EXPECT_GT(canvas.Count(band(2), ink), 5) << theme << ": the close glyph";
    EXPECT_GT(canvas.Count(band(3), ink), 3) << theme << ": the radio mark";
  }
  // An open bar item in the 2003 look: framed, joined to its popup, with a
  // shadow at its right.
  CSkinMenu::SelectTheme(8);
  SampleMenu sample;
  CSkinMenuItemData* title = sample.bar.GetItemData(0);
  Canvas canvas(60, 20, RGB(255, 255, 255));
  DRAWITEMSTRUCT dis{ODT_MENU, 0, static_cast<UINT>(title->m_nID), ODA_DRAWENTIRE, ODS_SELECTED,
                     reinterpret_cast<HWND>(sample.bar.m_hMenu), canvas.dc(), {0, 0, 60, 20},
                     reinterpret_cast<ULONG_PTR>(title)};
  sample.bar.DrawItem(&dis);
  EXPECT_EQ(canvas.At(0, 10), DarkenColor(128, GetMenuBarColorXP(sample.bar.m_hMenu)));
  const COLORREF beside = canvas.At(59, 10), background = GetMenuBarColorXP(sample.bar.m_hMenu);
  EXPECT_LT(GetRValue(beside) + GetGValue(beside) + GetBValue(beside),
            GetRValue(background) + GetGValue(background) + GetBValue(background))
      << "the shadow";
  // With 256 colours or fewer the shadow is two columns of shadow dots from the fourth row.
  SkinState().screenColors = 256;
  Canvas few(60, 20, RGB(255, 255, 255));
  dis.hDC = few.dc();
  sample.bar.DrawItem(&dis);
  const COLORREF dots = ::GetSysColor(COLOR_3DSHADOW);
  EXPECT_EQ(few.Count({56, 4, 58, 20}, dots), 32);
  EXPECT_EQ(few.Count({56, 0, 58, 4}, dots) + few.Count({58, 0, 60, 20}, dots), 0);
}
