#include "bars_fixture.h"
#include "test_ids.h"

namespace {
// A frame template laid over any frame class, as a themed layer over the
// framework's frames would be: it must build and handle messages over each.
template <class T>
class CLayeredFrame : public T {
 public:
  int creates = 0;
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    if (T::OnCreate(lpcs) == -1) return -1;
    ++creates;
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_TEMPLATE_MESSAGE_MAP(CLayeredFrame, T, T)
  ON_WM_CREATE()
END_MESSAGE_MAP()
}  // namespace

TEST(MdiFrames, ChildrenLiveInTheClientThatTheLayoutLeavesBesideTheBars) {
  auto* frame = new CLayeredFrame<CMDIFrameWnd>;
  ASSERT_TRUE(frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW));
  EXPECT_EQ(frame->creates, 1);
  ASSERT_NE(frame->m_hWndMDIClient, nullptr);
  frame->MoveWindow(0, 0, 500, 400);
  frame->EnableDocking(CBRS_ALIGN_ANY);
  CBlockBar bar(100, 30);
  ASSERT_TRUE(bar.Make(frame, 3001));
  bar.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
  CRect client, mdi;
  frame->GetClientRect(&client);
  ::GetWindowRect(frame->m_hWndMDIClient, &mdi);
  frame->ScreenToClient(&mdi);
  EXPECT_RECT(mdi, CRect(0, 30, client.right, client.bottom));

  auto* child = new CLayeredFrame<CMDIChildWnd>;
  ASSERT_TRUE(child->Create(nullptr, "Child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
                            frame));
  EXPECT_EQ(child->creates, 1);
  EXPECT_EQ(::GetParent(child->m_hWnd), frame->m_hWndMDIClient);
  EXPECT_EQ(frame->MDIGetActive(), child);
  EXPECT_EQ(child->GetMDIFrame(), frame);
  EXPECT_EQ(frame->GetActiveFrame(), child);
  EXPECT_NE(::GetMenu(frame->m_hWnd), nullptr);
  child->DestroyWindow();  // deletes the child
  EXPECT_EQ(frame->MDIGetActive(), nullptr);
  frame->DestroyWindow();  // deletes the frame
  PumpPending();
}

TEST(MdiFrames, LayeredMiniDockFrameFloatsBars) {
  auto* frame = new CLayeredFrame<CFrameWnd>;
  ASSERT_TRUE(frame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW));
  frame->EnableDocking(CBRS_ALIGN_ANY);
  CBlockBar bar(100, 30);
  ASSERT_TRUE(bar.Make(frame, 3002, "Layered"));
  bar.EnableDocking(CBRS_ALIGN_ANY);
  frame->FloatControlBar(&bar, CPoint(50, 50));
  EXPECT_TRUE(bar.IsFloating());
  frame->DestroyWindow();
  PumpPending();
  EXPECT_EQ(bar.m_hWnd, nullptr);
}
