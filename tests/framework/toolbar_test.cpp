#include <vector>

#include "bars_fixture.h"
#include "framework/scripted_ui.h"
#include "test_ids.h"

namespace {
class ToolBarTest : public BarsTest {
 protected:
  void SetUp() override {
    BarsTest::SetUp();
    ASSERT_TRUE(toolbar.CreateEx(frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER |
                                                          CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC));
    ASSERT_TRUE(toolbar.LoadToolBar(IDR_TESTBAR));
    ASSERT_TRUE(status.Create(frame));
    const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    ASSERT_TRUE(status.SetIndicators(indicators, 4));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    toolbar.EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(&toolbar);
  }
  // The bottom of the toolbar's last button, relative to the toolbar's window.
  CRect LastItemInWindow() {
    CRect item, window, client;
    toolbar.GetItemRect(toolbar.GetCount() - 1, &item);
    toolbar.GetWindowRect(&window);
    toolbar.ClientToScreen(&item);
    item.OffsetRect(-window.left, -window.top);
    return item;
  }
  CToolBar toolbar;
  CStatusBar status;
};
}  // namespace

TEST_F(ToolBarTest, ButtonsComeFromTheToolbarResource) {
  ASSERT_EQ(toolbar.GetCount(), 4);
  const UINT ids[] = {ID_TEST_HANDLED, 0, ID_TEST_UNHANDLED, ID_TEST_CHECKED};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(toolbar.GetItemID(i), ids[i]);
  EXPECT_EQ(toolbar.CommandToIndex(ID_TEST_CHECKED), 3);
  EXPECT_EQ(toolbar.CommandToIndex(12345), -1);
  EXPECT_EQ(toolbar.GetButtonStyle(1) & 0xFF, static_cast<UINT>(TBBS_SEPARATOR));
  EXPECT_EQ(toolbar.m_sizeButton, CSize(23, 22));
  CRect r;
  toolbar.GetItemRect(0, &r);
  EXPECT_EQ(r.Size(), CSize(23, 22));
  EXPECT_FALSE(toolbar.LoadToolBar(IDR_TESTFRAME));  // no toolbar resource of that name
}

TEST_F(ToolBarTest, FrameLeavesTheViewWhatToolbarStatusBarAndSideBarsLeave) {
  CBlockBar left(120, 40), right(100, 35);
  ASSERT_TRUE(left.Make(frame, 2001));
  ASSERT_TRUE(right.Make(frame, 2002));
  left.EnableDocking(CBRS_ALIGN_ANY);
  right.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&left, AFX_IDW_DOCKBAR_LEFT);
  frame->DockControlBar(&right, AFX_IDW_DOCKBAR_RIGHT);
  const CRect c = Client();
  CRect top = InFrame(DockBar(AFX_IDW_DOCKBAR_TOP));
  CRect sb = InFrame(&status);
  EXPECT_RECT(top, CRect(0, 0, c.right, InFrame(&toolbar).bottom));
  EXPECT_EQ(sb.bottom, c.bottom);
  EXPECT_EQ(sb.Width(), c.Width());
  EXPECT_RECT(ViewRect(), CRect(40, top.bottom, c.right - 35, sb.top));
  EXPECT_EQ(InFrame(&left).top, top.bottom - 2);
}

TEST_F(ToolBarTest, UpdateHandlersEnableAndCheckButtons) {
  TestApp().OnIdle(0);
  auto state = [&](UINT id) { return toolbar.GetButtonStyle(toolbar.CommandToIndex(id)); };
  EXPECT_EQ(state(ID_TEST_HANDLED) & TBBS_DISABLED, 0u);
  EXPECT_NE(state(ID_TEST_UNHANDLED) & TBBS_DISABLED, 0u);  // nobody handles it
  EXPECT_NE(state(ID_TEST_CHECKED) & TBBS_CHECKED, 0u);
}

TEST_F(ToolBarTest, PressingAButtonRunsItsCommandThroughTheFrame) {
  CRect r;
  toolbar.GetItemRect(0, &r);
  CPoint mid = r.CenterPoint();
  toolbar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(mid.x, mid.y));
  toolbar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(mid.x, mid.y));
  PumpPending();
  ::ReleaseCapture();
  EXPECT_EQ(CommandLog(), std::vector<std::string>{"doc handled"});
  EXPECT_TRUE(toolbar.GetParent()->IsKindOf(RUNTIME_CLASS(CDockBar)));  // still docked
}

TEST_F(ToolBarTest, ComboInAWidenedSeparatorKeepsItsPlace) {
  toolbar.SetButtonInfo(1, ID_TEST_COMBO, TBBS_SEPARATOR, 120);
  CRect slot;
  toolbar.GetItemRect(1, &slot);
  EXPECT_EQ(slot.Width(), 120);
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(slot.left, slot.top, slot.right, 150),
                           &toolbar, ID_TEST_COMBO));
  frame->RecalcLayout();
  auto comboRect = [&] {
    CRect r;
    combo.GetWindowRect(&r);
    toolbar.ScreenToClient(&r);
    return r;
  };
  const CRect placed = comboRect();
  CBlockBar other(80, 30);
  ASSERT_TRUE(other.Make(frame, 2003));
  other.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&other, AFX_IDW_DOCKBAR_TOP);
  frame->MoveWindow(0, 0, kWidth - 100, kHeight);
  TestApp().OnIdle(0);
  EXPECT_RECT(comboRect(), placed);
  toolbar.GetItemRect(1, &slot);
  EXPECT_EQ(slot.left, placed.left);
  EXPECT_TRUE(combo.IsWindowEnabled());  // no command handler, yet controls stay usable
}

TEST_F(ToolBarTest, LinesFollowThePlaceAndMatchTheControl) {
  struct Case {
    const char* name;
    UINT dockBar;  // 0: floating
  } cases[] = {{"left", AFX_IDW_DOCKBAR_LEFT}, {"floating", 0}, {"top", AFX_IDW_DOCKBAR_TOP}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    if (k.dockBar)
      frame->DockControlBar(&toolbar, k.dockBar);
    else
      frame->FloatControlBar(&toolbar, CPoint(200, 200));
    TestApp().OnIdle(0);
    CRect window, last = LastItemInWindow();
    toolbar.GetWindowRect(&window);
    CRect inside(0, 0, window.Width(), window.Height());
    toolbar.CalcInsideRect(inside, !(toolbar.GetBarStyle() & CBRS_ORIENT_VERT) ||
                                       (toolbar.GetBarStyle() & CBRS_ORIENT_HORZ));
    // The bar is exactly as large as its buttons plus borders.
    EXPECT_EQ(last.bottom, inside.bottom);
    if (k.dockBar == AFX_IDW_DOCKBAR_LEFT) {
      EXPECT_EQ(last.left, inside.left);  // one column
      EXPECT_EQ(window.Width(), inside.left + 23 + (window.Width() - inside.right));
    } else {
      EXPECT_EQ(last.right, inside.right);  // one line
    }
  }
}

TEST_F(ToolBarTest, TooltipsAndPromptsComeFromTheStringTable) {
  NMTTDISPINFOA info{};
  info.hdr.hwndFrom = nullptr;
  info.hdr.idFrom = ID_TEST_HANDLED;
  info.hdr.code = TTN_GETDISPINFOA;
  toolbar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(info.lpszText, "Handled");

  // Pointing at a button shows its prompt in the status bar; leaving shows "Ready".
  NMTBHOTITEM hot{};
  hot.hdr.hwndFrom = toolbar.m_hWnd;
  hot.hdr.idFrom = static_cast<UINT_PTR>(toolbar.GetDlgCtrlID());
  hot.hdr.code = TBN_HOTITEMCHANGE;
  hot.idNew = ID_TEST_HANDLED;
  toolbar.GetParent()->SendMessage(WM_NOTIFY, hot.hdr.idFrom, reinterpret_cast<LPARAM>(&hot));
  EXPECT_STREQ(status.GetPaneText(0), "Runs the handled command");
  hot.dwFlags = HICF_LEAVING;
  toolbar.GetParent()->SendMessage(WM_NOTIFY, hot.hdr.idFrom, reinterpret_cast<LPARAM>(&hot));
  EXPECT_STREQ(status.GetPaneText(0), "Ready");

  toolbar.SetBarStyle(toolbar.GetBarStyle() & ~static_cast<DWORD>(CBRS_TOOLTIPS));
  info.lpszText = nullptr;
  toolbar.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_STREQ(info.lpszText, "");
}

TEST_F(ToolBarTest, GripperIsDrawnBesideTheButtons) {
  frame->UpdateWindow();
  toolbar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ERASE);
  CRect window;
  toolbar.GetWindowRect(&window);
  HDC hDC = ::GetWindowDC(toolbar.m_hWnd);
  // The raised gripper: a highlight line on its left, a shadow line on its right.
  int x = toolbar.m_cxLeftBorder + 2;
  int y = window.Height() / 2;
  COLORREF light = ::GetPixel(hDC, x, y);
  COLORREF dark = ::GetPixel(hDC, x + 2, y);
  ::ReleaseDC(toolbar.m_hWnd, hDC);
  EXPECT_EQ(light, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(dark, ::GetSysColor(COLOR_BTNSHADOW));
}
