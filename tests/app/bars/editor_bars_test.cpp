// The editor's three docking bars in the real main frame: where they dock,
// the tools bar's tabs, pinning away and back, floating, the view commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/resource.h"
#include "app/support/EditorFrameFixture.h"
#include "app/support/HandInput.h"
#include "crop/MouseInput.h"
#include "crop/WindowCapture.h"
#include "document/SposalboDoc.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "ui/frames/docking/SkinResizingMiniFrame.h"

namespace {
// Pixels of captures (0x00RRGGBB) as colours.
COLORREF Colour(uint32_t pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

// A memory surface of the screen's format, black at first.
struct Surface {
  Surface(int cx, int cy) {
    HDC screen = ::GetDC(nullptr);
    dc = ::CreateCompatibleDC(screen);
    bitmap = ::CreateCompatibleBitmap(screen, cx, cy);
    ::ReleaseDC(nullptr, screen);
    old = ::SelectObject(dc, bitmap);
    ::PatBlt(dc, 0, 0, cx, cy, BLACKNESS);
  }
  ~Surface() {
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
  }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  COLORREF At(int x, int y) const { return ::GetPixel(dc, x, y); }
  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ old;
};

// A window's rectangle relative to another window's top-left corner.
CRect Within(const CWnd& outer, const CWnd& inner) {
  CRect o, i;
  outer.GetWindowRect(&o);
  inner.GetWindowRect(&i);
  i.OffsetRect(-o.left, -o.top);
  return i;
}

// Paints a capture of a window over another capture, at a rectangle of it.
void Paste(WindowCapture& onto, const WindowCapture& piece, const CRect& at) {
  for (int y = 0; y < piece.height; ++y)
    for (int x = 0; x < piece.width; ++x) {
      int tx = at.left + x, ty = at.top + y;
      if (tx >= 0 && ty >= 0 && tx < onto.width && ty < onto.height)
        onto.pixels[static_cast<size_t>(ty) * onto.width + tx] = piece.pixels[static_cast<size_t>(y) * piece.width + x];
    }
}

class EditorBarsTest : public EditorFrameTest {
 protected:
  void SetUp() override {
    EditorFrameTest::SetUp();
    // Placed before it shows: at its first size it would cover the corner of
    // the screen where another test program reads what it drew.
    frame->MoveWindow(0, 0, 1000, 750);
    frame->ShowWindow(SW_SHOWNA);
  }
  CEditorBars& Bars() { return frame->GetBars(); }
  UINT DockOf(CWnd& bar) { return static_cast<UINT>(::GetDlgCtrlID(::GetParent(bar.m_hWnd))); }
  void PinAway(CPinDockBar& bar) {
    CRect w;
    bar.GetWindowRect(&w);
    CPoint pin = bar.m_pin.rect.CenterPoint() + w.TopLeft();
    bar.SendMessage(WM_NCLBUTTONDOWN, HTPIN, MAKELPARAM(pin.x, pin.y));
    bar.SendMessage(WM_NCLBUTTONUP, HTPIN, MAKELPARAM(pin.x, pin.y));
    input::Flush();
  }
  CDrawFrame* PointAt(CAutoHideBar& strip, const char* title) {
    for (int i = 0; i < strip.GetTabCount(); ++i) {
      CAutoHideTab* tab = strip.GetTab(i);
      if (tab->title != title) continue;
      CPoint mid = tab->rect.CenterPoint();
      strip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(mid.x, mid.y));
      return tab->frame.get();
    }
    return nullptr;
  }
  int VisibleList(CStrumentiBar& tools) {
    int shown = -1;
    for (int i = 0; i < CStrumentiBar::kListCount; ++i)
      if (tools.GetList(i).IsWindowVisible()) shown = shown == -1 ? i : -2;
    return shown;
  }
  void SelectTab(CStrumentiBar& tools, int index) {
    tools.GetTabCtrl().SetCurSel(index);
    NMHDR hdr{tools.GetTabCtrl().m_hWnd, CStrumentiBar::kTabID, static_cast<UINT>(TCN_SELCHANGE)};
    tools.SendMessage(WM_NOTIFY, CStrumentiBar::kTabID, reinterpret_cast<LPARAM>(&hdr));
  }
};
}  // namespace

TEST_F(EditorBarsTest, ThreeBarsDockTopRightAndBottomWithTheirLists) {
  struct Case {
    CPinDockBar& bar;
    const char* title;
    UINT dockBar;
  } cases[] = {{Bars().m_tools, "Cornici e Effetti", AFX_IDW_DOCKBAR_TOP},
               {Bars().m_photos, "Fotografie", AFX_IDW_DOCKBAR_RIGHT},
               {Bars().m_pages, "Pagine", AFX_IDW_DOCKBAR_BOTTOM}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.title);
    CString title;
    k.bar.GetWindowText(title);
    EXPECT_STREQ(title, k.title);
    EXPECT_EQ(DockOf(k.bar), k.dockBar);
    EXPECT_TRUE(k.bar.IsWindowVisible());
  }
  // The toolbar keeps the first row; the tools bar has the next.
  CRect toolbar, tools;
  frame->m_wndToolBar.GetWindowRect(&toolbar);
  Bars().m_tools.GetWindowRect(&tools);
  EXPECT_EQ(DockOf(frame->m_wndToolBar), static_cast<UINT>(AFX_IDW_DOCKBAR_TOP));
  EXPECT_EQ(tools.top, toolbar.bottom - 2);
  // Lists 9 pixels inside their bars (or tab control).
  CImgListView& photos = Bars().m_photos.GetList();
  EXPECT_EQ(::GetParent(photos.m_hWnd), Bars().m_photos.m_hWnd);
  EXPECT_EQ(photos.GetDlgCtrlID(), 201);
  CRect list, client;
  photos.GetWindowRect(&list);
  Bars().m_photos.ScreenToClient(&list);
  Bars().m_photos.GetClientRect(&client);
  EXPECT_EQ(list.TopLeft(), CPoint(9, 9));
  EXPECT_EQ(list.Width(), client.Width() - 18);
  CStrumentiBar& bar = Bars().m_tools;
  ASSERT_EQ(bar.GetTabCtrl().GetItemCount(), 4);
  CRect tabClient, item;
  bar.GetTabCtrl().GetClientRect(&tabClient);
  bar.GetTabCtrl().GetItemRect(0, &item);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(::GetParent(bar.GetList(i).m_hWnd), bar.GetTabCtrl().m_hWnd);
    EXPECT_EQ(bar.GetList(i).GetDlgCtrlID(), 201 + i);
    // Inset by 9 pixels above the tabs along the bottom.
    bar.GetList(i).GetWindowRect(&list);
    bar.GetTabCtrl().ScreenToClient(&list);
    EXPECT_EQ(list, CRect(9, 9, tabClient.Width() - 9, tabClient.Height() - item.Height() - 9));
  }
}

TEST_F(EditorBarsTest, TabsSwitchBetweenTheFourLists) {
  CStrumentiBar& tools = Bars().m_tools;
  EXPECT_EQ(VisibleList(tools), 0);
  for (int i : {1, 2, 3, 0}) {
    SelectTab(tools, i);
    EXPECT_EQ(VisibleList(tools), i);
  }
}

TEST_F(EditorBarsTest, PinnedAwayWithEffectsShownItComesBackWithTheFrames) {
  CStrumentiBar& tools = Bars().m_tools;
  SelectTab(tools, 1);
  PinAway(tools);
  EXPECT_FALSE(tools.IsWindowVisible());
  CAutoHideBar& strip = Bars().m_strips[CAutoHideBar::kTop];
  ASSERT_EQ(strip.GetTabCount(), 4);
  const char* titles[] = {" Cornici ", " Effetti ", " Immagini ", " Template "};
  const int images[] = {1, 2, 3, 2};
  for (int i = 0; i < 4; ++i) {
    EXPECT_STREQ(strip.GetTab(i)->title, titles[i]);
    EXPECT_EQ(strip.GetTab(i)->image, images[i]);
  }
  CDrawFrame* popup = PointAt(strip, " Effetti ");
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->IsWindowVisible());
  EXPECT_EQ(::GetParent(tools.GetList(1).m_hWnd), popup->m_hWnd);
  popup->SendMessage(WM_NCLBUTTONUP, HTPIN, 0);
  input::Flush();
  EXPECT_TRUE(tools.IsWindowVisible());
  EXPECT_EQ(strip.GetTabCount(), 0);
  EXPECT_EQ(tools.GetTabCtrl().GetCurSel(), 0);
  EXPECT_EQ(VisibleList(tools), 0);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(::GetParent(tools.GetList(i).m_hWnd), tools.GetTabCtrl().m_hWnd);
}

TEST_F(EditorBarsTest, AFloatingBarKeepsTheThemeAndTheToolsBarGivesItsTabsFourPixelsMore) {
  CStrumentiBar& tools = Bars().m_tools;
  auto spare = [&] {
    CRect client, tabs;
    tools.GetClientRect(&client);
    tools.GetTabCtrl().GetWindowRect(&tabs);
    return client.Height() - tabs.Height();
  };
  EXPECT_EQ(spare(), 18);
  frame->FloatControlBar(&tools, CPoint(100, 100));
  EXPECT_EQ(spare(), 14);
  // Sized from every edge, with the theme's system menu.
  auto* floating = dynamic_cast<CSkinResizingMiniDockFrameWnd*>(tools.GetParentFrame());
  ASSERT_NE(floating, nullptr);
  EXPECT_EQ(floating->GetResizingBar(), &tools);
  HMENU system = floating->m_SystemMenu.m_hMenu;
  ASSERT_NE(system, nullptr);
  floating->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(system), MAKELPARAM(0, TRUE));
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE;
  ASSERT_TRUE(::GetMenuItemInfoA(system, 0, TRUE, &item));
  EXPECT_TRUE(item.fType & MFT_OWNERDRAW);
}

TEST_F(EditorBarsTest, ViewCommandsHideShowAndBringBackPinnedBars) {
  CFotoBar& photos = Bars().m_photos;
  frame->SendMessage(WM_COMMAND, ID_VIEW_PHOTO_BAR);
  EXPECT_FALSE(photos.IsWindowVisible());
  frame->SendMessage(WM_COMMAND, ID_VIEW_PHOTO_BAR);
  EXPECT_TRUE(photos.IsWindowVisible());
  PinAway(photos);
  ASSERT_EQ(Bars().m_strips[CAutoHideBar::kRight].GetTabCount(), 1);
  frame->SendMessage(WM_COMMAND, ID_VIEW_PHOTO_BAR);  // back from its strip, with its list
  EXPECT_TRUE(photos.IsWindowVisible());
  EXPECT_EQ(::GetParent(photos.GetList().m_hWnd), photos.m_hWnd);
  EXPECT_EQ(Bars().m_strips[CAutoHideBar::kRight].GetTabCount(), 0);
}

TEST_F(EditorBarsTest, PinnedPageBarLeavesItsStripAndThePhotoBarSlidesOutBesideIts) {
  PinAway(Bars().m_pages);
  PinAway(Bars().m_photos);
  CAutoHideBar& bottom = Bars().m_strips[CAutoHideBar::kBottom];
  CAutoHideBar& right = Bars().m_strips[CAutoHideBar::kRight];
  CDrawFrame* popup = PointAt(right, " Foto ");
  ASSERT_NE(popup, nullptr);
  const UINT redraw = RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN;
  frame->RedrawWindow(nullptr, nullptr, redraw);
  popup->RedrawWindow(nullptr, nullptr, redraw);
  ASSERT_TRUE(bottom.IsWindowVisible());
  ASSERT_TRUE(popup->IsWindowVisible());
  WindowCapture shot = CaptureWindow(frame->m_hWnd);
  // The page bar's tab on the bottom strip, the strip's grey beside it.
  const CRect strip = Within(*frame, bottom);
  CRect tab = bottom.GetTab(0)->rect;
  tab.OffsetRect(strip.TopLeft());
  EXPECT_EQ(Colour(shot.At(CPoint(strip.right - 3, strip.top + 1))), CAutoHideBar::kBackground);
  EXPECT_EQ(Colour(shot.At(CPoint(tab.right - 3, tab.top + 2))), CAutoHideBar::kTabColour);
  // The photo list slid out left of the right strip, 160 pixels deep.
  const CRect out = Within(*frame, *popup);
  EXPECT_EQ(out.right, Within(*frame, right).left);
  EXPECT_EQ(out.Width(), CDrawFrame::kMaxDepth);
  Paste(shot, CaptureWindow(popup->m_hWnd), out);
  if (const char* path = std::getenv("SPAB_BARS_SCREENSHOT")) WriteCapture(path, shot);
}

TEST_F(EditorBarsTest, SlidOutPhotoListShowsWholeThumbnailsWithoutSideScrolling) {
  // More photos than the pop-up holds, so the list scrolls up and down.
  std::vector<CString> files;
  for (int i = 0; i < 9; ++i) {
    const std::string path = Temp().Path() + "\\photo" + std::to_string(i) + ".bmp";
    SampleAlbum::WritePicture(path, 60 + 10 * i, 50, 0x3080C0);
    files.emplace_back(path.c_str());
  }
  CFotoImgListView& photos = frame->GetLists().photos;
  photos.LoadFilesAsync(files, true);
  for (int i = 0; i < 20000 && photos.IsLoading(); ++i) {
    input::Flush();
    ::Sleep(1);
  }
  ASSERT_EQ(photos.GetItemCount(), 9);
  PinAway(Bars().m_photos);
  CDrawFrame* popup = PointAt(Bars().m_strips[CAutoHideBar::kRight], " Foto ");
  ASSERT_NE(popup, nullptr);
  input::Flush();
  ASSERT_TRUE(popup->IsWindowVisible());
  EXPECT_TRUE(photos.GetStyle() & WS_VSCROLL);
  EXPECT_FALSE(photos.GetStyle() & WS_HSCROLL);
  CRect client;
  photos.GetClientRect(&client);
  for (int i = 0; i < photos.GetItemCount(); ++i) {
    CRect icon;
    ASSERT_TRUE(photos.GetItemRect(i, &icon, LVIR_ICON));
    EXPECT_GE(icon.left, client.left) << i;
    EXPECT_LE(icon.right, client.right) << i;
  }
}

TEST_F(EditorBarsTest, PageBarDrawsTheAlbumsPagesAndStopsAndEmptiesWithoutThem) {
  OpenSample();
  CPageBar& bar = Bars().m_pages;
  CPageImgListView& pages = frame->GetLists().pages;
  ASSERT_EQ(pages.GetItemCount(), 3);
  bar.Clear();
  EXPECT_EQ(pages.GetItemCount(), 0);
  bar.Refresh(*frame->GetAlbum()->GetRoot());
  ASSERT_EQ(pages.GetItemCount(), 3);
  EXPECT_STREQ(pages.GetItemText(2, 0), "3");
  // Whatever the list was still loading stops with it.
  pages.SetFolder(Sample().LibraryFolder().c_str());
  pages.LoadFolderAsync();
  ASSERT_TRUE(pages.IsLoading());
  bar.Clear();
  EXPECT_FALSE(pages.IsLoading());
  input::Flush();
  EXPECT_EQ(pages.GetItemCount(), 0);
}

TEST_F(EditorBarsTest, TabControlPaintsOnTheBarsBlueWithImageAndCentredText) {
  CStrumentiBar& tools = Bars().m_tools;
  CSposalboTabCtrl& tabs = tools.GetTabCtrl();
  CRect client;
  tabs.GetClientRect(&client);
  Surface erased(client.Width(), client.Height());
  EXPECT_TRUE(tabs.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(erased.dc)));
  for (CPoint pt : {CPoint(0, 0), client.CenterPoint(), CPoint(client.right - 1, client.bottom - 1)})
    EXPECT_EQ(erased.At(pt.x, pt.y), CSposalboTabCtrl::kBackground);

  // The "Effetti" tab drawn through its bar, as the control asks for it.
  const CRect item(0, 0, 120, 24);
  Surface drawn(item.Width(), item.Height());
  HGDIOBJ font = ::SelectObject(drawn.dc, ::GetStockObject(DEFAULT_GUI_FONT));
  DRAWITEMSTRUCT dis{ODT_TAB, CStrumentiBar::kTabID, 1, ODA_DRAWENTIRE, ODS_SELECTED, tabs.m_hWnd, drawn.dc, item, 0};
  tools.SendMessage(WM_DRAWITEM, CStrumentiBar::kTabID, reinterpret_cast<LPARAM>(&dis));
  SIZE blank{};
  ::GetTextExtentPoint32A(drawn.dc, " ", 1, &blank);
  Surface expected(item.Width(), item.Height());
  CDC* pExpected = CDC::FromHandle(expected.dc);
  pExpected->FillSolidRect(&item, CSposalboTabCtrl::kBackground);
  const CPoint image(blank.cx, (item.Height() - 16) / 2);
  tabs.GetImageList()->Draw(pExpected, 2, image, ILD_TRANSPARENT);
  for (int y = 0; y < item.Height(); ++y)
    for (int x = 0; x < image.x + 16; ++x) ASSERT_EQ(drawn.At(x, y), expected.At(x, y)) << x << "," << y;
  // The text in the button-text colour, centred in the rest of the tab.
  const CRect rest(image.x + 16, 0, item.right, item.bottom);
  CSize extent;
  ::GetTextExtentPoint32A(drawn.dc, "Effetti", 7, &extent);
  const CRect centred(CPoint(rest.left + (rest.Width() - extent.cx) / 2, (rest.Height() - extent.cy) / 2), extent);
  CRect text(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
  for (int y = 0; y < item.Height(); ++y)
    for (int x = image.x + 16; x < item.right; ++x) {
      COLORREF c = drawn.At(x, y);
      if (c == CSposalboTabCtrl::kBackground) continue;
      EXPECT_EQ(c, ::GetSysColor(COLOR_BTNTEXT)) << x << "," << y;
      text.left = std::min<LONG>(text.left, x);
      text.top = std::min<LONG>(text.top, y);
      text.right = std::max<LONG>(text.right, x + 1);
      text.bottom = std::max<LONG>(text.bottom, y + 1);
    }
  ASSERT_FALSE(text.IsRectEmpty());
  EXPECT_NEAR(text.left, centred.left, 1);
  EXPECT_LE(text.right, centred.right);
  EXPECT_GE(text.top, centred.top);
  EXPECT_LE(text.bottom, centred.bottom);
  ::SelectObject(drawn.dc, font);
}

TEST_F(EditorBarsTest, BarSizesGoToTheProfileOnlyWhenAsked) {
  CFotoBar& photos = Bars().m_photos;
  const CString section = "BarsTest-RBar-127";
  EXPECT_EQ(app.GetProfileInt(section, "sizeVertCX", -1), -1);  // nothing keeps them by itself
  const CSize horz(300, 90), vert(180, 400), floating(220, 300);
  photos.m_szHorz = horz;
  photos.m_szVert = vert;
  photos.m_szFloat = floating;
  ASSERT_TRUE(photos.SaveState("BarsTest"));
  const struct {
    const char* key;
    int value;
  } keys[] = {{"sizeHorzCX", 300}, {"sizeHorzCY", 90},   {"sizeVertCX", 180},
              {"sizeVertCY", 400}, {"sizeFloatCX", 220}, {"sizeFloatCY", 300}};
  for (const auto& k : keys) EXPECT_EQ(app.GetProfileInt(section, k.key, -1), k.value) << k.key;
  photos.m_szHorz = photos.m_szVert = photos.m_szFloat = CSize(50, 50);
  ASSERT_TRUE(photos.LoadState("BarsTest"));
  EXPECT_EQ(photos.m_szHorz, horz);
  EXPECT_EQ(photos.m_szVert, vert);
  EXPECT_EQ(photos.m_szFloat, floating);
  app.WriteProfileString(section, nullptr, nullptr);
}

TEST_F(EditorBarsTest, DockingTheToolbarBesideABarLeavesBothPaintedAsAFullRepaintWould) {
  const UINT redraw = RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN;
  CStrumentiBar& tools = Bars().m_tools;
  CSkinToolBar& toolbar = frame->m_wndToolBar;
  frame->DockControlBar(&tools, AFX_IDW_DOCKBAR_LEFT);
  frame->RedrawWindow(nullptr, nullptr, redraw);
  // Dropped at the left edge over the tools bar, as a drag drops it; then the
  // same from beside it to that edge.
  for (int dropX : {0, 60}) {
    SCOPED_TRACE(dropX);
    CRect beside;
    tools.GetWindowRect(&beside);
    const CRect drop(beside.left + dropX, beside.top + 40, beside.left + dropX + 40, beside.top + 500);
    frame->DockControlBar(&toolbar, AFX_IDW_DOCKBAR_LEFT, &drop);
    frame->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // what the dock invalidated
    const WindowCapture shown = CaptureWindow(frame->m_hWnd);
    frame->RedrawWindow(nullptr, nullptr, redraw);
    const WindowCapture repainted = CaptureWindow(frame->m_hWnd);
    for (CWnd* bar : {static_cast<CWnd*>(&tools), static_cast<CWnd*>(&toolbar)}) {
      CRect at;
      at.IntersectRect(Within(*frame, *bar), CRect(0, 0, shown.width, shown.height));
      int differing = 0;
      for (int y = at.top; y < at.bottom; ++y)
        for (int x = at.left; x < at.right; ++x) differing += shown.At(CPoint(x, y)) != repainted.At(CPoint(x, y));
      EXPECT_EQ(differing, 0) << (bar == &tools ? "tools bar" : "toolbar");
    }
  }
}

namespace {
struct PressPoint {
  const char* what;
  CPoint at;  // screen
};

// Points of a docked bar a hand may press while reaching for something else:
// the middle of its border on each side and its gripper or caption strip.
std::vector<PressPoint> BorderAndGripper(CControlBar& bar) {
  CRect w;
  bar.GetWindowRect(&w);
  const CPoint mid = w.CenterPoint();
  const bool horizontal = (bar.GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
  return {{"left border", {w.left + 2, mid.y}},
          {"top border", {mid.x, w.top + 2}},
          {"right border", {w.right - 3, mid.y}},
          {"bottom border", {mid.x, w.bottom - 3}},
          {"gripper", horizontal ? CPoint(w.left + 10, mid.y) : CPoint(mid.x, w.top + 10)}};
}
}  // namespace

TEST_F(EditorBarsTest, AClickWithoutADragOnADockedBarMovesNoBar) {
  frame->ShowWindow(SW_SHOWMAXIMIZED);
  frame->SetForegroundWindow();
  CStrumentiBar& tools = Bars().m_tools;
  CSkinToolBar& toolbar = frame->m_wndToolBar;
  CControlBar* const bars[] = {&toolbar, &tools, &Bars().m_photos, &Bars().m_pages};
  const auto places = [&] {
    std::string text;
    for (CControlBar* bar : bars) {
      CRect r;
      bar->GetWindowRect(&r);
      text += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
              std::to_string(r.bottom) + ") ";
    }
    return text;
  };
  // The default layout (the tools bar at the top), then the tools bar on the
  // left, so that every side holds a bar.
  for (UINT toolsSide : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_LEFT}) {
    if (toolsSide != AFX_IDW_DOCKBAR_TOP) frame->DockControlBar(&tools, toolsSide);
    hand::Perform([] {});  // laid out at idle
    std::vector<std::pair<CControlBar*, PressPoint>> presses;
    for (CControlBar* bar : bars)
      for (const PressPoint& p : BorderAndGripper(*bar)) presses.push_back({bar, p});
    // The tools bar's tab strip beside its tabs, and its border under "Cornici".
    CTabCtrl& tabs = tools.GetTabCtrl();
    CRect first, last, strip;
    tabs.GetItemRect(0, &first);
    tabs.GetItemRect(tabs.GetItemCount() - 1, &last);
    tabs.GetWindowRect(&strip);
    tabs.ClientToScreen(&first);
    tabs.ClientToScreen(&last);
    presses.push_back({&tools, {"tab strip", {std::min(last.right + 20, strip.right - 2), last.CenterPoint().y}}});
    presses.push_back({&tools, {"under the first tab", {first.CenterPoint().x, strip.bottom + 2}}});
    // The toolbar between two buttons and past its last one.
    CRect separator, end;
    toolbar.GetItemRect(4, &separator);
    toolbar.GetItemRect(toolbar.GetCount() - 1, &end);
    toolbar.ClientToScreen(&separator);
    toolbar.ClientToScreen(&end);
    presses.push_back({&toolbar, {"separator", separator.CenterPoint()}});
    presses.push_back({&toolbar, {"past the buttons", {end.right + 6, end.CenterPoint().y}}});

    for (const auto& [bar, press] : presses) {
      const LRESULT hit = bar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(press.at.x, press.at.y));
      ASSERT_NE(hit, HTCLOSE) << press.what;
      ASSERT_NE(hit, HTPIN) << press.what;
      CString title;
      bar->GetWindowText(title);
      const std::string before = places();
      hand::Perform([&] { hand::Click(press.at); });
      EXPECT_EQ(places(), before) << title.GetString() << ", " << press.what << " (hit " << hit << "), tools bar "
                                  << (toolsSide == AFX_IDW_DOCKBAR_TOP ? "at the top" : "on the left");
      EXPECT_EQ(DockOf(tools), toolsSide);
    }
  }
  // A drag past the drag distance still moves it: the tools bar's caption
  // taken to the middle of the page floats the bar.
  CRect from, client;
  tools.GetWindowRect(&from);
  frame->GetClientRect(&client);
  frame->ClientToScreen(&client);
  hand::Perform([&] { hand::Drag(CPoint(from.CenterPoint().x, from.top + 10), client.CenterPoint()); });
  EXPECT_TRUE(tools.IsFloating());
}

// The toolbar floated and brought back by a hand over the tools bar's row, where
// it lay before the tools bar rose into its place: it lies beside the tools
// bar in that row, or in a row of its own with the tools bar as wide as the
// dock; never on a line of its own under a tools bar narrowed for it.
TEST_F(EditorBarsTest, TheToolbarDroppedOnTheToolsBarsRowLiesBesideItOrTheToolsBarKeepsTheRow) {
  frame->ShowWindow(SW_SHOWMAXIMIZED);
  frame->SetForegroundWindow();
  CStrumentiBar& tools = Bars().m_tools;
  CSkinToolBar& toolbar = frame->m_wndToolBar;
  hand::Perform([] {});  // laid out at idle
  CRect client;
  frame->GetClientRect(&client);
  frame->ClientToScreen(&client);
  frame->FloatControlBar(&toolbar, client.CenterPoint());
  hand::Perform([] {});
  ASSERT_TRUE(toolbar.IsFloating());
  CRect floating, row;
  toolbar.GetParentFrame()->GetWindowRect(&floating);
  tools.GetWindowRect(&row);
  ASSERT_EQ(DockOf(tools), static_cast<UINT>(AFX_IDW_DOCKBAR_TOP));
  for (int dropX : {40, static_cast<int>(row.CenterPoint().x)}) {
    SCOPED_TRACE(dropX);
    if (!toolbar.IsFloating()) {
      frame->FloatControlBar(&toolbar, client.CenterPoint());
      hand::Perform([] {});
      toolbar.GetParentFrame()->GetWindowRect(&floating);
    }
    // Under Wine the main frame is now and then restacked over the floating
    // window as the pointer first moves, and takes the press: drag again.
    for (int attempt = 0; attempt < 3 && toolbar.IsFloating(); ++attempt) {
      // Raised as a user's first click would: the display's own stacking
      // then matches the program's, and the press reaches the caption.
      toolbar.GetParentFrame()->SetForegroundWindow();
      toolbar.GetParentFrame()->BringWindowToTop();
      hand::Perform([] {});
      toolbar.GetParentFrame()->GetWindowRect(&floating);
      hand::Perform([&] { hand::Drag(CPoint(floating.left + 30, floating.top + 8), CPoint(dropX, row.top + 20)); });
      hand::Perform([] {});
    }
    ASSERT_FALSE(toolbar.IsFloating());
    ASSERT_EQ(DockOf(toolbar), static_cast<UINT>(AFX_IDW_DOCKBAR_TOP));
    CRect bar, beside, dock;
    toolbar.GetWindowRect(&bar);
    tools.GetWindowRect(&beside);
    ::GetWindowRect(::GetParent(tools.m_hWnd), &dock);
    const bool sameLine = bar.top == beside.top && (bar.left >= beside.right - 4 || bar.right <= beside.left + 4);
    const bool ownRow = (bar.bottom <= beside.top + 4 || bar.top >= beside.bottom - 4) && beside.Width() >= dock.Width();
    EXPECT_TRUE(sameLine || ownRow) << "toolbar (" << bar.left << "," << bar.top << ")-(" << bar.right << ","
                                    << bar.bottom << "), tools bar (" << beside.left << "," << beside.top << ")-("
                                    << beside.right << "," << beside.bottom << "), dock " << dock.Width();
  }
}

// The frame's accelerators answer whichever of its bars has the focus: Ctrl+Z
// takes back a deletion while the photo bar floats, active, or lies slid out
// of its strip; Delete there takes the selection away as on the page.
TEST_F(EditorBarsTest, TheFramesKeysWorkWhileAFloatingOrSlidOutBarHasTheFocus) {
  frame->ShowWindow(SW_SHOWMAXIMIZED);
  frame->SetForegroundWindow();
  OpenSample();
  CFotoBar& photos = Bars().m_photos;
  for (bool floating : {true, false}) {
    SCOPED_TRACE(floating ? "floating" : "slid out");
    const size_t objects = SelectPhotoA()->GetChildCount();
    Menu(ID_SELECTION_DELETE);
    ASSERT_EQ(frame->GetCurrentPage()->GetChildCount(), objects - 1);
    CWnd* holder = nullptr;
    if (floating) {
      frame->FloatControlBar(&photos, CPoint(300, 300));
      holder = photos.GetParentFrame();
      holder->SetForegroundWindow();
      photos.GetList().SetFocus();
    } else {
      frame->DockControlBar(&photos, AFX_IDW_DOCKBAR_RIGHT);
      PinAway(photos);
      holder = PointAt(Bars().m_strips[CAutoHideBar::kRight], " Foto ");
    }
    ASSERT_NE(holder, nullptr);
    ASSERT_TRUE(holder->IsWindowVisible());
    ASSERT_EQ(::GetAncestor(::GetFocus(), GA_ROOT), holder->m_hWnd);
    // A window just activated learns from the display which keys are down,
    // and may forget the hand's Ctrl meanwhile: Z alone does nothing here.
    for (int i = 0; i < 3 && frame->GetCurrentPage()->GetChildCount() != objects; ++i)
      hand::Perform([] { hand::Keys({VK_CONTROL, 'Z'}); });
    EXPECT_EQ(frame->GetCurrentPage()->GetChildCount(), objects) << "Ctrl+Z";
    SelectPhotoA();
    hand::Perform([] { hand::Keys({VK_DELETE}); });
    EXPECT_EQ(frame->GetCurrentPage()->GetChildCount(), objects - 1) << "Delete";
    Menu(ID_EDIT_UNDO);
  }
}

// A photo dragged from the photo bar, docked or slid out, shows beside the
// pointer as itself: no black block over the bar or the page around it, also
// where the drag starts by the screen's edge.
TEST_F(EditorBarsTest, APhotoDraggedFromThePhotoBarShowsAloneBesideThePointer) {
  frame->ShowWindow(SW_SHOWMAXIMIZED);
  frame->SetForegroundWindow();
  OpenSample();
  CFotoBar& photos = Bars().m_photos;
  CImgListView& list = photos.GetList();
  hand::Perform([&] { hand::WaitUntil([&] { return ::SendMessageA(list.m_hWnd, LVM_GETITEMCOUNT, 0, 0) == 2; }); });
  ASSERT_EQ(list.GetItemCount(), 2);
  frame->GetLists().pages.DrawPendingPages();  // the page bar no longer changes
  for (bool slidOut : {false, true}) {
    SCOPED_TRACE(slidOut ? "slid out" : "docked");
    if (slidOut) {
      PinAway(photos);
      ASSERT_NE(PointAt(Bars().m_strips[CAutoHideBar::kRight], " Foto "), nullptr);
      hand::Perform([] {});
    }
    CRect item, view;
    list.GetItemRect(0, &item, LVIR_ICON);
    list.ClientToScreen(&item);
    frame->GetActiveView()->GetWindowRect(&view);
    // Pressed right of the picture's middle, so that the image starts against
    // the screen's edge; let go over the page above its photos.
    const CPoint from(item.right - 8, item.CenterPoint().y), to(view.CenterPoint().x, view.top + 40);
    // Solid black on the screen (pixels black with their right and lower
    // neighbours: not lines, text nor a dithered selection); photo pixels (red
    // or blue, blended a little with what lies under the image) beside the
    // pointer.
    const auto count = [](const WindowCapture& shot, bool photo, const CRect& area) {
      int n = 0;
      for (int y = std::max(0L, area.top); y < std::min<LONG>(shot.height, area.bottom); ++y)
        for (int x = std::max(0L, area.left); x < std::min<LONG>(shot.width, area.right); ++x) {
          const COLORREF c = Colour(shot.At(CPoint(x, y)));
          const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
          n += photo ? g < 100 && ((r > 150 && b < 100) || (b > 150 && r < 100))
                     : c == 0 && shot.At(CPoint(x + 1, y)) == 0 && shot.At(CPoint(x, y + 1)) == 0;
        }
      return n;
    };
    const CRect beside(to, CSize(120, 120));
    WindowCapture before, during;
    hand::Perform([&] {
      hand::MoveTo(from);
      before = CaptureWindow(::GetDesktopWindow());
      hand::Press();
      for (int i = 1; i <= 8; ++i) hand::MoveTo(from + CSize((to.x - from.x) * i / 8, (to.y - from.y) * i / 8));
      // The image follows the pointer once the list's thread has drawn it: on a
      // loaded machine that can take a moment after the last move.
      hand::WaitUntil([&] {
        during = CaptureWindow(::GetDesktopWindow());
        return count(during, true, beside) - count(before, true, beside) > 40 * 30;
      }, 3);
      hand::Release();
    });
    if (const char* path = std::getenv("SPAB_DRAG_SCREENSHOT"))
      WriteCapture(std::string(path) + (slidOut ? "-slid.bmp" : "-docked.bmp"), during);
    const CRect screen(0, 0, before.width - 1, before.height - 1);
    EXPECT_GT(count(during, true, beside) - count(before, true, beside), 40 * 30) << "the photo beside the pointer";
    EXPECT_LT(count(during, false, screen) - count(before, false, screen), 100) << "black pixels";
    Menu(ID_EDIT_UNDO);  // the photo dropped on the page
  }
}

// The page bar shows the numbers under its pages whole, docked and slid out of
// its strip, without being scrolled.
TEST_F(EditorBarsTest, ThePageBarShowsThePageNumbersWholeDockedAndSlidOut) {
  frame->ShowWindow(SW_SHOWMAXIMIZED);
  frame->SetForegroundWindow();
  OpenSample();
  CPageImgListView& pages = frame->GetLists().pages;
  ASSERT_EQ(pages.GetItemCount(), 3);
  for (bool slidOut : {false, true}) {
    SCOPED_TRACE(slidOut ? "slid out" : "docked");
    if (slidOut) {
      PinAway(Bars().m_pages);
      ASSERT_NE(PointAt(Bars().m_strips[CAutoHideBar::kBottom], " Pagine "), nullptr);
    }
    hand::Perform([] {});
    ASSERT_TRUE(pages.IsWindowVisible());
    CRect client;
    pages.GetClientRect(&client);
    for (int i = 0; i < pages.GetItemCount(); ++i) {
      CRect label;
      ASSERT_TRUE(pages.GetItemRect(i, &label, LVIR_LABEL));
      EXPECT_GE(label.top, client.top) << i;
      EXPECT_LE(label.bottom, client.bottom) << i;
    }
  }
}
