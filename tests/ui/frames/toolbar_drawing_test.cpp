// The themed toolbar as it paints: the custom-draw notifications its parent
// hears, the compatibility layer's theme 9, buttons with texts, a floating
// bar's lines as it is sized and a bitmap replaced through the control.
#include <algorithm>
#include <vector>

#include "ui/frames/toolbar_fixture.h"

namespace {
// What the toolbar's parent hears of its painting.
struct Heard {
  DWORD stage;
  HWND from;
  UINT_PTR id;
  DWORD_PTR item;
  COLORREF highlight;
};
std::vector<Heard> g_heard;
WNDPROC g_parentProc = nullptr;

LRESULT CALLBACK ListeningParent(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* draw = reinterpret_cast<const NMTBCUSTOMDRAW*>(lParam);
  if (message == WM_NOTIFY && draw->nmcd.hdr.code == static_cast<UINT>(NM_CUSTOMDRAW))
    g_heard.push_back({draw->nmcd.dwDrawStage, draw->nmcd.hdr.hwndFrom, draw->nmcd.hdr.idFrom,
                       draw->nmcd.dwItemSpec, draw->clrBtnHighlight});
  return ::CallWindowProcA(g_parentProc, hWnd, message, wParam, lParam);
}

// The bar's client area as the screen shows it now.
struct ShownToolBar : Canvas {
  explicit ShownToolBar(CWnd& bar) : Canvas(Client(bar).right, Client(bar).bottom) {
    HDC screen = ::GetDC(bar.m_hWnd);
    ::BitBlt(dc(), 0, 0, Client(bar).right, Client(bar).bottom, screen, 0, 0, SRCCOPY);
    ::ReleaseDC(bar.m_hWnd, screen);
  }
  static RECT Client(CWnd& bar) {
    RECT r;
    bar.GetClientRect(&r);
    return r;
  }
};
}  // namespace

TEST_F(ToolBarTest, ItsParentHearsEveryPaintingStageWithTheControlsColourScheme) {
  CSkinMenu::SelectTheme(8);
  OpenWithToolBar();
  COLORSCHEME scheme{sizeof scheme, RGB(1, 2, 3), RGB(4, 5, 6)};
  toolbar.SendMessage(CCM_SETCOLORSCHEME, 0, reinterpret_cast<LPARAM>(&scheme));
  HWND parent = ::GetParent(toolbar.m_hWnd);
  g_heard.clear();
  g_parentProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListeningParent)));
  toolbar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  ::SetWindowLongPtrA(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_parentProc));
  ASSERT_GE(g_heard.size(), 3u);
  EXPECT_EQ(g_heard[0].stage, static_cast<DWORD>(CDDS_PREPAINT));
  EXPECT_EQ(g_heard[1].stage, static_cast<DWORD>(CDDS_PREERASE));
  EXPECT_EQ(g_heard[2].stage, static_cast<DWORD>(CDDS_POSTERASE));
  std::vector<DWORD_PTR> items;
  for (const Heard& h : g_heard) {
    if (h.stage == CDDS_ITEMPREPAINT) items.push_back(h.item);
    EXPECT_EQ(h.from, toolbar.m_hWnd);
    EXPECT_EQ(h.id, static_cast<UINT_PTR>(toolbar.GetDlgCtrlID()));
    EXPECT_EQ(h.highlight, RGB(1, 2, 3)) << "the control's colour scheme";
  }
  EXPECT_EQ(items, (std::vector<DWORD_PTR>{201, 202, 203, 204}));
  // The parent reflected each stage back: the buttons are drawn.
  EXPECT_EQ(DrawnAt(-1, Centre(Item(0))), DarkenColor(50, kImageColours[0]));
}

TEST_F(ToolBarTest, OnACompatibilityLayerTheme9PaintsThe2003BarAndWithoutAStyleXpButtons) {
  SkinPlatform wine;
  wine.compatibilityLayer = true;
  Restart(wine);
  CSkinMenu::SelectTheme(8);
  ASSERT_EQ(CSkinMenu::GetThemeId(), 9);
  OpenWithToolBar();
  const RECT hot = Item(0);
  EXPECT_EQ(DrawnAt(0, {hot.left, hot.top}), ::GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(DrawnAt(0, {hot.left + 1, hot.top + 1}), GetXpHighlightColor());
  EXPECT_EQ(DrawnAt(0, Centre(hot)), kImageColours[0]);
  COLORREF colors[4];
  CurrentTheme()->GetBarColors2003(colors);
  CRect window;
  toolbar.GetWindowRect(&window);
  toolbar.ScreenToClient(&window);
  DrawnToolBar drawn(toolbar);
  EXPECT_EQ(drawn.At(10, window.top + 2), colors[0]);
  EXPECT_EQ(drawn.At(10, window.bottom - 3), colors[3]);
  Canvas nc(window.Width(), window.Height(), RGB(255, 255, 255));
  toolbar.DrawGripper(CDC::FromHandle(nc.dc()), CRect(0, 0, window.Width(), window.Height()));
  EXPECT_GT(nc.Count({0, 0, 10, window.Height()}, colors[3]), 4) << "the gripper's dots";
  SkinState().themeActive = 1;
  EXPECT_EQ(DrawnAt(0, {hot.left, hot.top}), 0x840204u) << "with a visual style the 2003 frame";
}

TEST_F(ToolBarTest, ButtonTextsStandUnderTheImageOrBesideItOnAListBar) {
  CSkinMenu::SelectTheme(8);
  OpenWithToolBar();
  toolbar.SetSizes(CSize(64, 44), CSize(16, 15));
  toolbar.SetButtonText(0, "Apri");
  toolbar.SetButtonText(3, "Chiudi");  // 203: disabled
  frame->RecalcLayout();
  const COLORREF ink = ::GetSysColor(COLOR_WINDOWTEXT), grey = ::GetSysColor(COLOR_GRAYTEXT);
  {
    const RECT r = Item(0), off = Item(3);
    DrawnToolBar drawn(toolbar);
    const int below = r.top + 4 + 15;
    EXPECT_EQ(drawn.At((r.left + r.right) / 2, r.top + 4 + 7), DarkenColor(50, kImageColours[0]));
    EXPECT_GT(drawn.Count({r.left, below, r.right, r.bottom}, ink), 5) << "the text under the image";
    EXPECT_EQ(drawn.Count({r.left, r.top, r.right, below}, ink), 0);
    EXPECT_GT(drawn.Count({off.left, below, off.right, off.bottom}, grey), 5) << "disabled text";
  }
  toolbar.ModifyStyle(0, TBSTYLE_LIST);
  frame->RecalcLayout();
  const RECT r = Item(0);
  DrawnToolBar drawn(toolbar);
  const int beside = r.left + 3 + 16;
  EXPECT_EQ(drawn.At(r.left + 3 + 8, (r.top + r.bottom) / 2), DarkenColor(50, kImageColours[0]));
  EXPECT_GT(drawn.Count({beside, r.top, r.right, r.bottom}, ink), 5) << "the text beside the image";
  EXPECT_EQ(drawn.Count({r.left, r.top, beside, r.bottom}, ink), 0);
}

TEST_F(ToolBarTest, AFloatingBarShadesEachLineOfButtonsOnItsOwn) {
  CSkinMenu::SelectTheme(8);
  OpenWithToolBar();
  frame->FloatControlBar(&toolbar, CPoint(300, 300));
  const CSize size = toolbar.CalcDynamicLayout(60, LM_HORZ | LM_COMMIT);  // lines of two buttons
  toolbar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  std::vector<RECT> lines;
  for (int i = 0; i < toolbar.GetCount(); ++i) {
    if (toolbar.GetButtonStyle(i) & (TBBS_SEPARATOR | TBBS_HIDDEN)) continue;
    const RECT r = Item(i);
    if (lines.empty() || lines.back().top != r.top) lines.push_back(r);
  }
  ASSERT_GE(lines.size(), 2u);
  COLORREF colors[4];
  CurrentTheme()->GetBarColors2003(colors);
  DrawnToolBar drawn(toolbar);
  for (const RECT& line : lines) {
    Canvas reference(4, line.bottom);
    DrawGradient(reference.dc(), {0, line.top, 4, (line.top + line.bottom) / 2}, colors[0], colors[1], false, false);
    DrawGradient(reference.dc(), {0, (line.top + line.bottom) / 2, 4, line.bottom}, colors[1], colors[2], false, false);
    for (int y : {static_cast<int>(line.top), static_cast<int>(line.bottom) - 1})
      EXPECT_EQ(drawn.At(1, y), reference.At(1, y)) << "line at " << line.top << ", row " << y;
  }
}

TEST_F(ToolBarTest, AFloatingBarSizedNarrowerShowsEveryButtonOnceWithinIt) {
  CSkinMenu::SelectTheme(8);
  OpenWithToolBar();
  // A narrower combo, so that a line can end at the separator.
  combo.SetWindowPos(nullptr, 0, 0, 40, 100, SWP_NOMOVE | SWP_NOZORDER);
  toolbar.SetButtonInfo(toolbar.CommandToIndex(kCombo), kCombo, TBBS_SEPARATOR, 40);
  frame->FloatControlBar(&toolbar, CPoint(300, 300));
  CWnd* floating = toolbar.GetParentFrame();
  ASSERT_NE(floating, nullptr);
  floating->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  CRect start;
  floating->GetWindowRect(&start);
  const int around = start.Width() - static_cast<int>(ShownToolBar::Client(toolbar).right);
  // Its right edge dragged from one line (buttons, then the combo) to a button a line.
  for (int width : {140, 120, 100, 60, 50, 23}) {
    SCOPED_TRACE(width);
    RECT sized{start.left, start.top, start.left + width + around, start.bottom};
    floating->SendMessage(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&sized));
    floating->MoveWindow(&sized);
    floating->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // what the sizing invalidated
    const RECT client = ShownToolBar::Client(toolbar);
    // No wider than asked or than the combo, but for a separator ending a line.
    EXPECT_LE(client.right, std::max(width, 40) + kToolBarSeparatorWidth);
    std::vector<RECT> placed;
    for (int i = 0; i < toolbar.GetCount(); ++i) {
      const RECT r = Item(i);
      RECT common;
      EXPECT_TRUE(::IntersectRect(&common, &r, &client) && ::EqualRect(&common, &r)) << "item " << i << " inside";
      for (const RECT& other : placed) EXPECT_FALSE(::IntersectRect(&common, &r, &other)) << "item " << i;
      placed.push_back(r);
    }
    CRect combined;
    combo.GetWindowRect(&combined);
    toolbar.ScreenToClient(&combined);
    EXPECT_EQ(combined.left, Item(toolbar.CommandToIndex(kCombo)).left + 1);
    // The screen shows what a full repaint shows: no button left where it was.
    ShownToolBar shown(toolbar);
    floating->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ShownToolBar repainted(toolbar);
    int differing = 0;
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x) differing += shown.At(x, y) != repainted.At(x, y);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(repainted.At(Centre(Item(0)).x, Centre(Item(0)).y), DarkenColor(50, kImageColours[0]));
    EXPECT_EQ(DrawnToolBar(toolbar).Count(client, RGB(255, 0, 255)), 0) << "the background covers the bar";
  }
}

TEST_F(ToolBarTest, ABitmapReplacedThroughTheControlRenewsFullDarkenedAndGreyImages) {
  CSkinMenu::SelectTheme(8);
  OpenWithToolBar();
  const COLORREF fresh = RGB(30, 90, 220);
  ASSERT_TRUE(toolbar.SetBitmap(SquaresBitmap(4, fresh)));  // the control's TB_REPLACEBITMAP
  CToolBarImages& images = toolbar.m_images;
  ASSERT_EQ(images.Count(), 4);
  for (int i : {0, 3}) {
    EXPECT_EQ(ImagePixel(images.m_normal, i, {8, 7}), fresh) << i;
    EXPECT_EQ(ImagePixel(images.m_darkened, i, {8, 7}), DarkenColor(50, fresh)) << i;
    EXPECT_EQ(ImagePixel(images.m_disabled, i, {8, 7}), Greyed(fresh, DisabledGreyFor(8))) << i;
    EXPECT_EQ(ImagePixel(images.m_disabled, i, {0, 0}), RGB(255, 0, 255)) << i;
  }
  EXPECT_EQ(reinterpret_cast<HIMAGELIST>(toolbar.SendMessage(TB_GETIMAGELIST)), images.m_darkened.m_hImageList)
      << "plain buttons show the darkened images";
}
