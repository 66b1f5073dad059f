#include "tests/ui/controls/docking_fixture.h"

namespace {
bool ScreenUnlocked(HWND hWnd) {
  if (!::LockWindowUpdate(hWnd)) return false;
  ::LockWindowUpdate(nullptr);
  return true;
}

class ResizingBarTest : public DockingBarsTest {
 protected:
  void SetUp() override {
    DockingBarsTest::SetUp();
    ASSERT_TRUE(a.Make(frame, 101, "Bar A", CSize(250, 120)));
    ASSERT_TRUE(b.Make(frame, 102, "Bar B", CSize(250, 100)));
    frame->ShowControlBar(&b, FALSE, FALSE);  // until a test docks it
  }
  // Docks the first bar on a side and drops the second beside it (at a
  // point of the frame's client area): the first makes room, the dropped one
  // keeps its length.
  void DockBeside(UINT dockBar = AFX_IDW_DOCKBAR_TOP, CPoint at = CPoint(400, 0)) {
    frame->ShowControlBar(&b, TRUE, FALSE);
    frame->DockControlBar(&a, dockBar);
    CRect drop(0, 0, 250, 100);
    frame->ClientToScreen(&at);
    drop.OffsetRect(at);
    frame->DockControlBar(&b, dockBar, &drop);
  }
  CTestPinBar a, b;
};
}  // namespace

TEST_F(ResizingBarTest, SizesAndLayoutRequests) {
  EXPECT_EQ(a.m_szHorz, CSize(250, 120));
  EXPECT_EQ(a.m_szVert, CSize(250, 120));
  EXPECT_EQ(a.m_szFloat, CSize(250, 120));
  EXPECT_EQ(a.CalcFixedLayout(TRUE, TRUE), CSize(32767, 120));
  EXPECT_EQ(a.CalcFixedLayout(TRUE, FALSE), CSize(250, 32767));
  EXPECT_EQ(a.CalcDynamicLayout(10, LM_HORZ), CSize(37, 120));  // raised to the floating minimum
  EXPECT_EQ(a.CalcDynamicLayout(90, LM_HORZ | LM_LENGTHY), CSize(37, 90));
  EXPECT_EQ(a.CalcDynamicLayout(500, LM_HORZ | LM_MRUWIDTH), CSize(37, 90));  // asked, not changed
}

TEST_F(ResizingBarTest, DockedOnEachSideItFillsTheSide) {
  const CRect c = Client();
  struct Case {
    UINT dockBar;
    CRect bar;
    CRect view;
  } cases[] = {
      {AFX_IDW_DOCKBAR_TOP, {-2, 0, c.right + 2, 120}, {0, 120, c.right, c.bottom}},
      {AFX_IDW_DOCKBAR_BOTTOM, {-2, c.bottom - 120, c.right + 2, c.bottom}, {0, 0, c.right, c.bottom - 120}},
      {AFX_IDW_DOCKBAR_LEFT, {0, -2, 250, c.bottom + 2}, {250, 0, c.right, c.bottom}},
      {AFX_IDW_DOCKBAR_RIGHT, {c.right - 250, -2, c.right, c.bottom + 2}, {0, 0, c.right - 250, c.bottom}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.dockBar);
    frame->DockControlBar(&a, k.dockBar);
    EXPECT_RECT(InFrame(&a), k.bar);
    EXPECT_RECT(InFrame(&frame->view), k.view);
  }
  // Alone on the right, only its left edge sizes it.
  CRect w;
  a.GetWindowRect(&w);
  EXPECT_EQ(a.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.left + 1, w.top + 50)), HTLEFT);
  EXPECT_EQ(a.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.right - 1, w.top + 50)), HTCLIENT);
  EXPECT_EQ(a.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.left + 50, w.bottom - 1)), HTCLIENT);
}

TEST_F(ResizingBarTest, BarsSharingARowFillItAndTradeLengthAtTheirCommonEdge) {
  DockBeside();
  const CRect c = Client();
  CRect ra = InFrame(&a), rb = InFrame(&b);
  EXPECT_EQ(ra.left, -2);
  EXPECT_EQ(rb.Width(), 250);
  EXPECT_EQ(rb.left, ra.right - 2);
  EXPECT_EQ(rb.right, c.right + 2);
  EXPECT_EQ(ra.Height(), 120);
  EXPECT_EQ(rb.Height(), 120);  // the row's largest thickness
  CRect w;
  a.GetWindowRect(&w);
  EXPECT_EQ(a.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.right - 1, w.top + 60)), HTRIGHT);
  b.GetWindowRect(&w);
  EXPECT_EQ(b.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.left + 1, w.top + 60)), HTLEFT);

  for (BOOL live : {TRUE, FALSE}) {
    SCOPED_TRACE(live);
    a.m_bDragShowContent = live;
    CRect before = InFrame(&a);
    DragEdge(a, HTRIGHT, CPoint(before.Width() - 2, 60), CSize(40, 0));
    EXPECT_EQ(InFrame(&a).Width(), before.Width() + 40);
    EXPECT_EQ(InFrame(&b).left, InFrame(&a).right - 2);
    EXPECT_EQ(InFrame(&b).right, c.right + 2);  // the row stays filled
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(ScreenUnlocked(frame->m_hWnd));
  }
  // Not past the neighbour's minimum.
  DragEdge(a, HTRIGHT, CPoint(InFrame(&a).Width() - 2, 60), CSize(2000, 0));
  EXPECT_EQ(InFrame(&b).Width(), b.m_szMinHorz.cx);
}

TEST_F(ResizingBarTest, BarsSharingASideRowFillItFromEndToEnd) {
  const CRect c = Client();
  DockBeside(AFX_IDW_DOCKBAR_RIGHT, CPoint(c.right - 250, 400));
  CRect ra = InFrame(&a), rb = InFrame(&b);
  // Like the rows along the top and bottom, the row runs from two pixels
  // before the dock bar to two pixels after it, each bar overlapping the last.
  EXPECT_EQ(ra.top, -2);
  EXPECT_EQ(rb.top, ra.bottom - 2);
  EXPECT_EQ(rb.bottom, c.bottom + 2);
  EXPECT_EQ(rb.Height(), 100);
  EXPECT_EQ(ra.Width(), 250);
  EXPECT_EQ(rb.Width(), 250);
  CRect w;
  a.GetWindowRect(&w);
  EXPECT_EQ(a.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.left + 100, w.bottom - 1)), HTBOTTOM);
  b.GetWindowRect(&w);
  EXPECT_EQ(b.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.left + 100, w.top + 1)), HTTOP);
  DragEdge(b, HTTOP, CPoint(100, 1), CSize(0, -40));
  EXPECT_EQ(InFrame(&b).Height(), 140);
  EXPECT_EQ(InFrame(&a).bottom, InFrame(&b).top + 2);
  EXPECT_EQ(InFrame(&a).top, -2);
  EXPECT_EQ(InFrame(&b).bottom, c.bottom + 2);
}

TEST_F(ResizingBarTest, InnerEdgeChangesThicknessWithinItsLimits) {
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  for (BOOL live : {TRUE, FALSE}) {
    SCOPED_TRACE(live);
    a.m_bDragShowContent = live;
    int before = InFrame(&a).Height();
    DragEdge(a, HTBOTTOM, CPoint(100, before - 2), CSize(0, 30));
    EXPECT_EQ(InFrame(&a).Height(), before + 30);
    EXPECT_EQ(InFrame(&frame->view).top, before + 30);
  }
  DragEdge(a, HTBOTTOM, CPoint(100, InFrame(&a).Height() - 2), CSize(0, -500));
  EXPECT_EQ(InFrame(&a).Height(), a.m_szMinHorz.cy);
  DragEdge(a, HTBOTTOM, CPoint(100, InFrame(&a).Height() - 2), CSize(0, 5000));
  EXPECT_EQ(InFrame(&frame->view).Height(), 2);  // the view keeps two pixels
}

TEST_F(ResizingBarTest, FullWindowDraggingFollowsTheSystemSetting) {
  BOOL saved = FALSE;
  ::SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &saved, 0);
  for (BOOL full : {static_cast<BOOL>(!saved), saved}) {
    ::SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, full, nullptr, 0);
    // The system tells the frame; the frame tells its bars.
    frame->SendMessage(WM_SETTINGCHANGE, SPI_SETDRAGFULLWINDOWS, 0);
    EXPECT_EQ(a.m_bDragShowContent, full);
  }
}

TEST_F(ResizingBarTest, LostCaptureEndsTheDragCleanly) {
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  a.m_bDragShowContent = FALSE;
  CPoint start = OnScreen(&a, CPoint(100, 118));
  a.SendMessage(WM_NCLBUTTONDOWN, HTBOTTOM, MAKELPARAM(start.x, start.y));
  EXPECT_TRUE(a.m_bTracking);
  EXPECT_EQ(::GetCapture(), a.m_hWnd);
  frame->view.SetCapture();  // someone else takes the mouse
  EXPECT_FALSE(a.m_bTracking);
  EXPECT_TRUE(ScreenUnlocked(frame->m_hWnd));
  ::ReleaseCapture();
}

TEST_F(ResizingBarTest, FloatingFrameSizesFromEveryEdgeAndKeepsItsCaption) {
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  frame->FloatControlBar(&a, CPoint(200, 200));
  auto* mini = DYNAMIC_DOWNCAST(CResizingMiniDockFrameWnd, a.GetParentFrame());
  ASSERT_NE(mini, nullptr);
  mini->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  DWORD style = mini->GetStyle();
  EXPECT_EQ(style & CResizingMiniDockFrameWnd::kDroppedStyles, 0u);
  EXPECT_NE(style & WS_CAPTION, 0u);  // dragged by its caption
  EXPECT_NE(style & WS_SYSMENU, 0u);  // closed by its close button
  CRect client;
  mini->GetClientRect(&client);
  EXPECT_EQ(client.Size(), CSize(246, 116));
  CRect w;
  mini->GetWindowRect(&w);
  EXPECT_EQ(mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.right - 1, w.bottom - 1)), HTBOTTOMRIGHT);
  EXPECT_EQ(mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(w.right - 1, w.top + w.Height() / 2)), HTRIGHT);

  // The user sizes it: the bar's floating size follows.
  CRect sizing = w;
  sizing.right += 50;
  mini->SendMessage(WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&sizing));
  mini->SetWindowPos(nullptr, sizing.left, sizing.top, sizing.Width(), sizing.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(a.m_szFloat, CSize(300, 120));

  // Its close button hides the bar; the frame shows it again.
  mini->GetWindowRect(&w);
  const int captionY = w.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYSMCAPTION) / 2;
  const CPoint closeButton(w.right - ::GetSystemMetrics(SM_CXFRAME) - ::GetSystemMetrics(SM_CXSMSIZE) / 2, captionY);
  EXPECT_EQ(mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(closeButton.x, closeButton.y)), HTCLOSE);
  mini->SendMessage(WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(closeButton.x, closeButton.y));
  EXPECT_FALSE(a.IsWindowVisible());
  EXPECT_FALSE(mini->IsWindowVisible());
  frame->ShowControlBar(&a, TRUE, FALSE);
  EXPECT_TRUE(mini->IsWindowVisible());
  EXPECT_EQ(a.m_szFloat, CSize(300, 120));  // the size it had, not the empty frame's
  CRect shown;
  mini->GetWindowRect(&shown);
  EXPECT_RECT(shown, w);

  // Dragged by its caption to the frame's left edge, it docks there.
  const CPoint caption(w.left + w.Width() / 3, captionY);
  EXPECT_EQ(mini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(caption.x, caption.y)), HTCAPTION);
  CPoint edge(1, 200);
  frame->ClientToScreen(&edge);
  a.ScreenToClient(&edge);
  a.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(edge.x, edge.y));
  a.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(edge.x, edge.y));
  HWND hMini = mini->m_hWnd;
  mini->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(caption.x, caption.y));
  PumpQueued();
  EXPECT_EQ(a.m_nDockBarID, static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_FALSE(::IsWindow(hMini));
  EXPECT_EQ(InFrame(&frame->view).left, 250);
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ResizingBarTest, CloseButtonHidesAndFrameShowsAgainAtTheSameSize) {
  DockBeside();
  const CRect docked = InFrame(&b);
  CRect w;
  b.GetWindowRect(&w);
  CRect close = b.m_close.rect;
  close.OffsetRect(w.left, w.top);
  EXPECT_EQ(b.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(close.left + 5, close.top + 5)), HTCLOSE);
  b.pointer = close.CenterPoint();
  b.OnUpdateCmdUI(frame, FALSE);
  EXPECT_TRUE(b.m_close.hover);
  b.leftDown = true;
  b.OnUpdateCmdUI(frame, FALSE);
  EXPECT_TRUE(b.m_close.pushed);

  b.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(close.left + 5, close.top + 5));
  b.SendMessage(WM_NCLBUTTONUP, HTCLOSE, MAKELPARAM(close.left + 5, close.top + 5));
  EXPECT_FALSE(b.IsWindowVisible());
  EXPECT_EQ(InFrame(&a).right, Client().right + 2);  // the other bar takes the row
  frame->ShowControlBar(&b, TRUE, FALSE);
  EXPECT_EQ(InFrame(&b).Width(), docked.Width());
  EXPECT_EQ(InFrame(&b).right, Client().right + 2);
}

TEST_F(ResizingBarTest, CaptionIsFlatOrAGradientOfTheCaptionColours) {
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  BOOL saved = FALSE;
  ::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &saved, 0);
  COLORREF c1 = ::GetSysColor(COLOR_INACTIVECAPTION), c2 = ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION);
  for (BOOL gradient : {FALSE, TRUE}) {
    SCOPED_TRACE(gradient);
    ::SystemParametersInfoA(SPI_SETGRADIENTCAPTIONS, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(gradient)), 0);
    a.SendMessage(WM_NCPAINT, 1);
    // The strip runs down the left of a bar docked at the top.
    HDC hDC = ::GetWindowDC(a.m_hWnd);
    CRect w;
    a.GetWindowRect(&w);
    int x = 5 + 1;
    COLORREF bottom = ::GetPixel(hDC, x, w.Height() - 6);
    COLORREF top = ::GetPixel(hDC, x, 5 + 2 * 13 + 2);
    ::ReleaseDC(a.m_hWnd, hDC);
    EXPECT_EQ(bottom, c1);
    // Between the edge and the content, the bar's own light blue.
    a.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    HDC hClient = ::GetDC(a.m_hWnd);
    EXPECT_EQ(::GetPixel(hClient, 4, 4), CResizingBar::kBackground);
    ::ReleaseDC(a.m_hWnd, hClient);
    if (!gradient || c1 == c2) {
      EXPECT_EQ(top, c1);
    } else {
      EXPECT_NE(top, c1);  // towards the second colour
    }
  }
  ::SystemParametersInfoA(SPI_SETGRADIENTCAPTIONS, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(saved)), 0);
}
