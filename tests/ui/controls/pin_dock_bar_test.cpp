#include "tests/ui/controls/docking_fixture.h"

namespace {
class PinDockBarTest : public DockingBarsTest {
 protected:
  void SetUp() override {
    DockingBarsTest::SetUp();
    ASSERT_TRUE(bar.Make(frame, 101, "Pin bar", CSize(250, 120)));
  }
  // Releases the bar's pin, as the mouse would, and lets the frame act.
  void PinAway(CTestPinBar& pinBar) {
    CRect w;
    pinBar.GetWindowRect(&w);
    CPoint pin = pinBar.m_pin.rect.CenterPoint() + w.TopLeft();
    ASSERT_EQ(pinBar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pin.x, pin.y)), HTPIN);
    pinBar.SendMessage(WM_NCLBUTTONDOWN, HTPIN, MAKELPARAM(pin.x, pin.y));
    pinBar.SendMessage(WM_NCLBUTTONUP, HTPIN, MAKELPARAM(pin.x, pin.y));
    PumpQueued();
  }
  // Points at the strip's only tab: its pop-up slides out.
  CDrawFrame* PointAtTab(CAutoHideBar& strip) {
    for (int i = 0; i < strip.GetTabCount(); ++i) {
      CAutoHideTab* tab = strip.GetTab(i);
      if (tab->flags & AHT_SEPARATOR) continue;
      CPoint mid = tab->rect.CenterPoint();
      strip.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(mid.x, mid.y));
      return tab->frame.get();
    }
    return nullptr;
  }
  CTestPinBar bar;
};
}  // namespace

TEST_F(PinDockBarTest, PinnedAwayTheBarBecomesATabOnTheStripOfItsSide) {
  struct Case {
    UINT dockBar;
    int side;
  } cases[] = {{AFX_IDW_DOCKBAR_TOP, CAutoHideBar::kTop},
               {AFX_IDW_DOCKBAR_LEFT, CAutoHideBar::kLeft},
               {AFX_IDW_DOCKBAR_RIGHT, CAutoHideBar::kRight},
               {AFX_IDW_DOCKBAR_BOTTOM, CAutoHideBar::kBottom}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.side);
    frame->DockControlBar(&bar, k.dockBar);
    PinAway(bar);
    EXPECT_FALSE(bar.IsWindowVisible());
    CAutoHideBar& strip = frame->strips[k.side];
    ASSERT_EQ(strip.GetTabCount(), 1);  // its separators trimmed
    EXPECT_STREQ(strip.GetTab(0)->title, " Test ");
    EXPECT_TRUE(strip.IsWindowVisible());
    CRect s = InFrame(&strip), view = InFrame(&frame->view), c = Client();
    EXPECT_EQ(strip.IsHorizontal() ? s.Height() : s.Width(), 24);
    switch (k.side) {
      case CAutoHideBar::kTop: EXPECT_RECT(s, CRect(0, 0, c.right, 24)); EXPECT_EQ(view.top, 24); break;
      case CAutoHideBar::kLeft: EXPECT_EQ(s.left, 0); EXPECT_EQ(view.left, 24); break;
      case CAutoHideBar::kRight: EXPECT_EQ(s.right, c.right); EXPECT_EQ(view.right, c.right - 24); break;
      default: EXPECT_EQ(s.bottom, c.bottom); EXPECT_EQ(view.bottom, c.bottom - 24); break;
    }
    // Back for the next side.
    CDrawFrame* popup = PointAtTab(strip);
    ASSERT_NE(popup, nullptr);
    popup->SendMessage(WM_NCLBUTTONUP, HTPIN, 0);
    PumpQueued();
    EXPECT_TRUE(bar.IsWindowVisible());
  }
}

TEST_F(PinDockBarTest, TabSlidesThePopupOutAndDeactivationHidesIt) {
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
  PinAway(bar);
  CAutoHideBar& strip = frame->strips[CAutoHideBar::kLeft];
  CDrawFrame* popup = PointAtTab(strip);
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(popup->IsWindowVisible());
  EXPECT_EQ(::GetParent(bar.content.m_hWnd), popup->m_hWnd);
  CRect s, p;
  strip.GetWindowRect(&s);
  popup->GetWindowRect(&p);
  EXPECT_RECT(p, CRect(s.right, s.top, s.right + 160, s.bottom));  // 200 deep, at most 160
  popup->SendMessage(WM_TIMER, CDrawFrame::kSlideTimer);
  popup->GetWindowRect(&p);
  EXPECT_EQ(p.Width(), 160);
  // Out and active, its caption shows the active colour.
  EXPECT_EQ(::GetActiveWindow(), popup->m_hWnd);
  HDC hDC = ::GetWindowDC(popup->m_hWnd);
  CRect client;
  popup->GetClientRect(&client);
  popup->ClientToScreen(&client);
  COLORREF caption = ::GetPixel(hDC, client.left - p.left + 1, client.top - p.top - 2);
  ::ReleaseDC(popup->m_hWnd, hDC);
  EXPECT_EQ(caption, ::GetSysColor(COLOR_ACTIVECAPTION));

  popup->SendMessage(WM_NCACTIVATE, FALSE);
  PumpQueued();
  EXPECT_FALSE(popup->IsWindowVisible());
  EXPECT_FALSE(::KillTimer(popup->m_hWnd, CDrawFrame::kSlideTimer));  // no slide runs while hidden

  // Made shallower by the user, it slides out that deep from then on.
  PointAtTab(strip);
  popup->SetWindowPos(nullptr, 0, 0, 120, p.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  popup->SendMessage(WM_NCACTIVATE, FALSE);
  PumpQueued();
  PointAtTab(strip);
  popup->GetWindowRect(&p);
  EXPECT_EQ(p.Width(), 120);
}

TEST_F(PinDockBarTest, PopupPinPutsTheBarBackWhereItWas) {
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_RIGHT);
  const CRect docked = InFrame(&bar);
  PinAway(bar);
  CAutoHideBar& strip = frame->strips[CAutoHideBar::kRight];
  CDrawFrame* popup = PointAtTab(strip);
  ASSERT_NE(popup, nullptr);
  HWND hPopup = popup->m_hWnd;
  CRect w;
  popup->GetWindowRect(&w);
  CPoint pin = popup->m_rcPin.CenterPoint() + w.TopLeft();
  EXPECT_EQ(popup->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pin.x, pin.y)), HTPIN);
  // Its own handler makes the bar take the content back: the pop-up goes after it.
  popup->SendMessage(WM_NCLBUTTONUP, HTPIN, MAKELPARAM(pin.x, pin.y));
  PumpQueued();
  EXPECT_FALSE(::IsWindow(hPopup));
  EXPECT_TRUE(bar.IsWindowVisible());
  EXPECT_RECT(InFrame(&bar), docked);
  EXPECT_EQ(::GetParent(bar.content.m_hWnd), bar.m_hWnd);
  EXPECT_EQ(strip.GetTabCount(), 0);
  EXPECT_FALSE(strip.IsWindowVisible());  // a strip without tabs hides
}

TEST_F(PinDockBarTest, ABarGoingAwayLeavesNoTabBehind) {
  auto* heap = new CTestPinBar;
  ASSERT_TRUE(heap->Make(frame, 102, "Heap", CSize(200, 100)));
  frame->DockControlBar(heap, AFX_IDW_DOCKBAR_BOTTOM);
  PinAway(*heap);
  CAutoHideBar& strip = frame->strips[CAutoHideBar::kBottom];
  CDrawFrame* popup = PointAtTab(strip);
  ASSERT_NE(popup, nullptr);
  HWND hPopup = popup->m_hWnd;
  popup->PostMessage(WM_DRAWFRAME_RESTORE);  // arrives after the bar is gone
  delete heap;
  EXPECT_EQ(strip.GetTabCount(), 0);
  EXPECT_FALSE(::IsWindow(hPopup));
  PumpQueued();
  frame->RecalcLayout();
  EXPECT_FALSE(strip.IsWindowVisible());
}

// A release that ends no press on that button (the press went down elsewhere
// and a layout change moved the button under the pointer) neither pins the
// bar away nor closes it.
TEST_F(PinDockBarTest, ReleaseOnAButtonPressedElsewhereDoesNothing) {
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
  const struct {
    UINT button, other;
  } cases[] = {{HTPIN, HTCLOSE}, {HTCLOSE, HTPIN}};
  for (const auto& [button, other] : cases) {
    bar.SendMessage(WM_NCLBUTTONUP, button, 0);   // no press at all
    bar.SendMessage(WM_NCLBUTTONDOWN, other, 0);  // a press on the other button
    bar.SendMessage(WM_NCLBUTTONUP, button, 0);
    PumpQueued();
    EXPECT_TRUE(bar.IsWindowVisible()) << button;
    for (CAutoHideBar& strip : frame->strips) EXPECT_EQ(strip.GetTabCount(), 0) << button;
  }
}

TEST_F(PinDockBarTest, FloatingBarsPinDoesNothingMore) {
  frame->FloatControlBar(&bar, CPoint(300, 300));
  bar.SendMessage(WM_NCLBUTTONUP, HTPIN, 0);
  PumpQueued();
  EXPECT_TRUE(bar.IsWindowVisible());
  for (CAutoHideBar& strip : frame->strips) EXPECT_EQ(strip.GetTabCount(), 0);
}

TEST_F(PinDockBarTest, StripAndTabsShowTheirColours) {
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
  PinAway(bar);
  CAutoHideBar& strip = frame->strips[CAutoHideBar::kTop];
  strip.RedrawWindow();
  CAutoHideTab* tab = strip.GetTab(0);
  HDC hDC = ::GetDC(strip.m_hWnd);
  COLORREF background = ::GetPixel(hDC, 2, 1);
  COLORREF inTab = ::GetPixel(hDC, tab->rect.right - 3, tab->rect.top + 2);
  ::ReleaseDC(strip.m_hWnd, hDC);
  EXPECT_EQ(background, CAutoHideBar::kBackground);
  EXPECT_EQ(inTab, CAutoHideBar::kTabColour);
}
