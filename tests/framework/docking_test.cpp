#include <memory>

#include "bars_fixture.h"

namespace {
// Whether nothing holds the screen's update lock (only one window may hold it).
bool ScreenUnlocked(HWND hWnd) {
  if (!::LockWindowUpdate(hWnd)) return false;
  ::LockWindowUpdate(nullptr);
  return true;
}

// Takes the mouse capture when it receives kGrab (posted into a drag loop).
class CCaptureThief : public CWnd {
 public:
  static constexpr UINT kGrab = WM_APP + 7;
  CCaptureThief() { CreateEx(0, AfxRegisterWndClass(0), "thief", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
  afx_msg LRESULT OnGrab(WPARAM, LPARAM) {
    SetCapture();
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCaptureThief, CWnd)
  ON_MESSAGE(kGrab, OnGrab)
END_MESSAGE_MAP()

// A dock context whose moves fail.
class CFailingDockContext : public CDockContext {
 public:
  using CDockContext::CDockContext;
  void Move(CPoint) override { throw std::runtime_error("move failed"); }
};

class DockingTest : public BarsTest {
 protected:
  void SetUp() override {
    BarsTest::SetUp();
    frame->EnableDocking(CBRS_ALIGN_ANY);
    frame->m_pFloatingFrameClass = RUNTIME_CLASS(CCountingMiniFrame);
    CCountingMiniFrame::destroyed = 0;
    ASSERT_TRUE(a.Make(frame, 1001, "Bar A"));
    a.EnableDocking(CBRS_ALIGN_ANY);
  }
  // A second bar; until docked it takes the top of the frame itself.
  void MakeB() {
    ASSERT_TRUE(b.Make(frame, 1002, "Bar B"));
    b.EnableDocking(CBRS_ALIGN_ANY);
  }
  CPoint InsideOnScreen(CWnd* pWnd, int dx = 2, int dy = 2) {
    CRect r;
    pWnd->GetWindowRect(&r);
    return CPoint(r.left + dx, r.top + dy);
  }
  CPoint FramePoint(int x, int y) {
    CPoint pt(x, y);
    frame->ClientToScreen(&pt);
    return pt;
  }
  CBlockBar a{120, 30};
  CBlockBar b{100, 30};
};
}  // namespace

TEST_F(DockingTest, BarDockedOnEachSideTakesThatSideFromTheView) {
  const CRect c = Client();
  struct Case {
    UINT dockBar;
    DWORD align;
    CRect bar;   // in the frame's client area
    CRect view;
  } cases[] = {
      {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP, {-2, 0, 118, 30}, {0, 30, c.right, c.bottom}},
      {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM, {-2, c.bottom - 30, 118, c.bottom}, {0, 0, c.right, c.bottom - 30}},
      {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT, {0, -2, 30, 118}, {30, 0, c.right, c.bottom}},
      {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT, {c.right - 30, -2, c.right, 118}, {0, 0, c.right - 30, c.bottom}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.dockBar);
    frame->DockControlBar(&a, k.dockBar);
    EXPECT_EQ(a.GetParent(), DockBar(k.dockBar));
    EXPECT_EQ(a.GetBarStyle() & CBRS_ALIGN_ANY, k.align);
    EXPECT_FALSE(a.IsFloating());
    EXPECT_RECT(InFrame(&a), k.bar);
    EXPECT_RECT(ViewRect(), k.view);
  }
}

TEST_F(DockingTest, BarsShareARowUntilABreakOrALackOfRoom) {
  MakeB();
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  // Dropped beside the first bar: same row, where it was dropped.
  CRect drop(FramePoint(200, 0), CSize(100, 30));
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP, &drop);
  EXPECT_RECT(InFrame(&b), CRect(200, 0, 300, 30));
  EXPECT_EQ(ViewRect().top, 30);

  // A row break before the second bar puts it on a row below (overlapping by 2),
  // where it keeps its place along the row.
  CDockBar* top = DockBar(AFX_IDW_DOCKBAR_TOP);
  EXPECT_TRUE(InsertDockRowBreak(top->m_arrBars, top->FindBar(&b)));
  frame->RecalcLayout();
  EXPECT_RECT(InFrame(&b), CRect(200, 28, 300, 58));
  EXPECT_EQ(ViewRect().top, 58);
  // A break before the first bar of a row changes nothing.
  EXPECT_FALSE(InsertDockRowBreak(top->m_arrBars, top->FindBar(&b)));

  // Docked again beside the first, then the frame narrows: pulled back, then wrapped.
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP, &drop);
  EXPECT_EQ(InFrame(&b).top, 0);
  CRect w;
  frame->GetWindowRect(&w);
  int chrome = w.Width() - Client().Width();
  frame->MoveWindow(0, 0, 250 + chrome, kHeight);
  EXPECT_RECT(InFrame(&b), CRect(116, 0, 216, 30));
  frame->MoveWindow(0, 0, 200 + chrome, kHeight);
  EXPECT_RECT(InFrame(&b), CRect(-2, 28, 98, 58));
}

TEST_F(DockingTest, FloatsInAFrameOfTheChosenClassAndDocksBack) {
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  frame->FloatControlBar(&a, CPoint(300, 200));
  ASSERT_TRUE(a.IsFloating());
  CFrameWnd* mini = a.GetParentFrame();
  ASSERT_NE(mini, nullptr);
  EXPECT_TRUE(mini->IsKindOf(RUNTIME_CLASS(CCountingMiniFrame)));
  EXPECT_TRUE(mini->IsWindowVisible());
  CString title;
  mini->GetWindowText(title);
  EXPECT_STREQ(title, "Bar A");
  CRect mc;
  mini->GetClientRect(&mc);
  EXPECT_EQ(mc.Size(), CSize(116, 26));  // the bar less its outer two pixels
  EXPECT_EQ(ViewRect().top, 0);          // the top gave its space back

  HWND hMini = mini->m_hWnd;
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
  EXPECT_EQ(a.GetParent(), DockBar(AFX_IDW_DOCKBAR_LEFT));
  PumpPending();
  EXPECT_FALSE(::IsWindow(hMini));
  EXPECT_EQ(CCountingMiniFrame::destroyed, 1);
  EXPECT_EQ(ViewRect().left, 30);
}

TEST_F(DockingTest, DragFloatsABarAndDropsItOnAnotherSide) {
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  Drag(&a, InsideOnScreen(&a), {FramePoint(300, 200)});
  ASSERT_TRUE(a.IsFloating());
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_TRUE(ScreenUnlocked(frame->m_hWnd));
  EXPECT_EQ(ViewRect().top, 0);

  Drag(&a, InsideOnScreen(&a), {FramePoint(150, 150), FramePoint(1, 200)});
  EXPECT_EQ(a.GetParent(), DockBar(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_EQ(ViewRect().left, 30);
  EXPECT_TRUE(ScreenUnlocked(frame->m_hWnd));
}

// A bar on a side whose top reaches into the top dock bar (bars overlap their
// dock bar's edge) stays on its side when pressed without moving or dragged
// along that side: its own orientation is tried before the other one.
TEST_F(DockingTest, BarDockedOnASideStaysThereWhenPressedOrDraggedAlongIt) {
  MakeB();
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP);
  for (UINT side : {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
    frame->DockControlBar(&a, side);
    frame->RecalcLayout();
    const CRect docked = InFrame(&a);
    Drag(&a, InsideOnScreen(&a), {});
    EXPECT_EQ(a.GetParent(), DockBar(side)) << side;
    EXPECT_RECT(InFrame(&a), docked);

    const CPoint from = InsideOnScreen(&a);
    Drag(&a, from, {from + CSize(0, 20), from + CSize(0, 40)});
    EXPECT_EQ(a.GetParent(), DockBar(side)) << side;
  }
}

TEST_F(DockingTest, DragEndsCleanlyWhenCancelledLostOrFailing) {
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP);
  const CRect before = InFrame(&a);

  a.PostMessage(WM_KEYDOWN, VK_ESCAPE);  // escape: nothing moves
  Drag(&a, InsideOnScreen(&a), {FramePoint(300, 200)});
  EXPECT_RECT(InFrame(&a), before);
  EXPECT_EQ(::GetCapture(), nullptr);
  PumpPending();  // the moves the cancelled drag left

  CCaptureThief thief;  // another window takes the mouse during the drag
  thief.PostMessage(CCaptureThief::kGrab);
  Drag(&a, InsideOnScreen(&a), {FramePoint(300, 200)});
  EXPECT_RECT(InFrame(&a), before);
  EXPECT_EQ(::GetCapture(), thief.m_hWnd);
  ::ReleaseCapture();
  PumpPending();
  EXPECT_TRUE(ScreenUnlocked(frame->m_hWnd));

  CDockContext* normal = a.m_pDockContext;
  std::unique_ptr<CDockContext> failing(new CFailingDockContext(&a));
  a.m_pDockContext = failing.get();
  EXPECT_THROW(Drag(&a, InsideOnScreen(&a), {FramePoint(300, 200)}), std::runtime_error);
  a.m_pDockContext = normal;
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_TRUE(ScreenUnlocked(frame->m_hWnd));
  PumpPending();  // the release that the failed drag left
}

TEST_F(DockingTest, ControlKeyForbidsDocking) {
  frame->FloatControlBar(&a, CPoint(300, 200));
  a.PostMessage(WM_KEYDOWN, VK_CONTROL);
  Drag(&a, InsideOnScreen(&a), {FramePoint(150, 150), FramePoint(1, 200)});
  EXPECT_TRUE(a.IsFloating());
  EXPECT_EQ(ViewRect().left, 0);
}

TEST_F(DockingTest, DoubleClicksToggleBetweenDockedAndFloatingPlaces) {
  MakeB();
  CRect drop(FramePoint(200, 0), CSize(120, 30));
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP);
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_TOP, &drop);
  const CRect docked = InFrame(&a);
  a.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(a.IsFloating());
  CFrameWnd* mini = a.GetParentFrame();
  mini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  EXPECT_EQ(a.GetParent(), DockBar(AFX_IDW_DOCKBAR_TOP));
  EXPECT_RECT(InFrame(&a), docked);
}

TEST_F(DockingTest, HiddenBarGivesItsSpaceBackAtOnceOrAtIdle) {
  frame->DockControlBar(&a, AFX_IDW_DOCKBAR_LEFT);
  for (BOOL delay : {FALSE, TRUE}) {
    SCOPED_TRACE(delay);
    frame->ShowControlBar(&a, FALSE, delay);
    if (delay) {
      EXPECT_EQ(ViewRect().left, 30);
      EXPECT_FALSE(a.IsVisible());
      TestApp().OnIdle(0);
    }
    EXPECT_EQ(ViewRect().left, 0);
    frame->ShowControlBar(&a, TRUE, FALSE);
    EXPECT_EQ(ViewRect().left, 30);
  }
  // A hidden floating bar hides its frame.
  frame->FloatControlBar(&a, CPoint(300, 200));
  frame->ShowControlBar(&a, FALSE, FALSE);
  EXPECT_FALSE(a.GetParentFrame()->IsWindowVisible());
}

TEST_F(DockingTest, IdleUpdateReachesDockedAndFloatingBars) {
  MakeB();
  frame->DockControlBar(&b, AFX_IDW_DOCKBAR_TOP);
  frame->FloatControlBar(&a, CPoint(300, 200));
  TestApp().OnIdle(0);
  EXPECT_EQ(a.idleUpdates, 1);
  EXPECT_EQ(b.idleUpdates, 1);
}

TEST_F(DockingTest, FloatingFrameGoesOnceWithItsBarOrWithTheFrame) {
  auto* heapBar = new CBlockBar(80, 20);
  ASSERT_TRUE(heapBar->Make(frame, 1003, "Heap"));
  heapBar->EnableDocking(CBRS_ALIGN_ANY);
  frame->FloatControlBar(heapBar, CPoint(100, 100));
  HWND hMini = heapBar->GetParentFrame()->m_hWnd;
  delete heapBar;
  PumpPending();
  EXPECT_FALSE(::IsWindow(hMini));
  EXPECT_EQ(CCountingMiniFrame::destroyed, 1);
  EXPECT_EQ(frame->GetControlBar(1003), nullptr);

  frame->FloatControlBar(&a, CPoint(100, 100));
  hMini = a.GetParentFrame()->m_hWnd;
  if (TestApp().m_pMainWnd == frame) TestApp().m_pMainWnd = nullptr;
  delete m_template;
  m_template = nullptr;
  PumpPending();
  EXPECT_FALSE(::IsWindow(hMini));
  EXPECT_EQ(CCountingMiniFrame::destroyed, 2);
  EXPECT_EQ(a.m_hWnd, nullptr);
}
