#include <gtest/gtest.h>

#include "doc_view_classes.h"
#include "framework/framework.h"
#include "test_support.h"

namespace {
CRect paneRect(CSplitterWnd& splitter, int row, int col) {
  CRect r;
  splitter.GetPane(row, col)->GetWindowRect(&r);
  splitter.ScreenToClient(&r);
  return r;
}

class SplitterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "splitter", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    ASSERT_TRUE(splitter.CreateStatic(frame, 2, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST));
    CCreateContext context;
    for (int r = 0; r < 2; ++r)
      for (int c = 0; c < 2; ++c)
        ASSERT_TRUE(splitter.CreateView(r, c, RUNTIME_CLASS(CTestView), CSize(100, 100), &context));
    frame->RecalcLayout();
  }
  void TearDown() override { frame->DestroyWindow(); }
  CFrameWnd* frame = nullptr;
  CSplitterWnd splitter;
};
}  // namespace

TEST_F(SplitterTest, PanesHaveRowColumnIdsAndFillTheGrid) {
  EXPECT_EQ(splitter.GetPane(1, 1)->GetDlgCtrlID(), AFX_IDW_PANE_FIRST + 16 + 1);
  EXPECT_TRUE(CWnd::FromHandlePermanent(splitter.GetPane(0, 1)->m_hWnd)->IsKindOf(RUNTIME_CLASS(CTestView)));
  CRect client;
  splitter.GetClientRect(&client);
  struct Case {
    int rowSize, colSize, gap;
  };
  for (const Case& c : {Case{16, 16, 3}, Case{0, 0, 1}}) {
    splitter.SetRowInfo(0, c.rowSize, 0);
    splitter.SetColumnInfo(0, c.colSize, 0);
    splitter.m_cxSplitterGap = splitter.m_cySplitterGap = c.gap;
    splitter.RecalcLayout();
    EXPECT_EQ(paneRect(splitter, 0, 0), CRect(0, 0, c.colSize, c.rowSize));
    EXPECT_EQ(paneRect(splitter, 1, 1),
              CRect(c.colSize + c.gap, c.rowSize + c.gap, client.right, client.bottom));
    int cur = -1, min = -1;
    splitter.GetRowInfo(0, cur, min);
    EXPECT_EQ(cur, c.rowSize);
  }
}

TEST_F(SplitterTest, ActivePaneBecomesTheFramesActiveView) {
  splitter.SetActivePane(1, 1);
  CWnd* pane = CWnd::FromHandlePermanent(splitter.GetPane(1, 1)->m_hWnd);
  EXPECT_EQ(static_cast<CWnd*>(frame->GetActiveView()), pane);
  int row = -1, col = -1;
  EXPECT_EQ(splitter.GetActivePane(&row, &col), pane);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(col, 1);
}

TEST_F(SplitterTest, NextPaneCommandCyclesThroughThePanes) {
  splitter.SetActivePane(1, 1);
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_NEXT_PANE, 0));
  int row = -1, col = -1;
  splitter.GetActivePane(&row, &col);
  EXPECT_EQ(row * 2 + col, 0);  // wrapped around to the first pane
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_PREV_PANE, 0));
  splitter.GetActivePane(&row, &col);
  EXPECT_EQ(row * 2 + col, 3);
}

TEST(RectTracker, HitTestFindsHandlesEdgesAndInside) {
  CRectTracker tracker(CRect(20, 20, 80, 80), CRectTracker::solidLine | CRectTracker::resizeOutside);
  tracker.m_nHandleSize = 6;
  struct Case {
    CPoint point;
    int hit;
  };
  const Case cases[] = {
      {CPoint(50, 50), CRectTracker::hitMiddle},    {CPoint(15, 15), CRectTracker::hitTopLeft},
      {CPoint(84, 15), CRectTracker::hitTopRight},  {CPoint(84, 84), CRectTracker::hitBottomRight},
      {CPoint(15, 84), CRectTracker::hitBottomLeft}, {CPoint(50, 15), CRectTracker::hitTop},
      {CPoint(84, 50), CRectTracker::hitRight},     {CPoint(50, 84), CRectTracker::hitBottom},
      {CPoint(15, 50), CRectTracker::hitLeft},      {CPoint(150, 150), CRectTracker::hitNothing},
  };
  for (const Case& c : cases) EXPECT_EQ(tracker.HitTest(c.point), c.hit) << c.point.x << "," << c.point.y;
  CRectTracker inverted(CRect(80, 20, 20, 80), CRectTracker::resizeOutside);
  EXPECT_EQ(inverted.NormalizeHit(CRectTracker::hitTopLeft), CRectTracker::hitTopRight);
}

TEST(RectTracker, TracksTheMouseUntilTheButtonIsReleased) {
  CHostWnd host;
  host.ShowWindow(SW_SHOWNA);
  CRectTracker tracker(CRect(20, 20, 80, 80), CRectTracker::dottedLine | CRectTracker::resizeOutside);
  host.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(95, 100));
  host.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(100, 110));
  EXPECT_TRUE(tracker.Track(&host, CPoint(84, 84)));  // the bottom right handle
  EXPECT_EQ(tracker.m_rect, CRect(20, 20, 96, 106));
  EXPECT_EQ(::GetCapture(), nullptr);

  host.PostMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 8));
  host.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 8));
  EXPECT_TRUE(tracker.TrackRubberBand(&host, CPoint(30, 40), TRUE));
  tracker.m_rect.NormalizeRect();
  EXPECT_EQ(tracker.m_rect, CRect(5, 8, 30, 40));

  host.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(tracker.Track(&host, CPoint(15, 20)));
  EXPECT_EQ(tracker.m_rect, CRect(5, 8, 30, 40));  // cancelled: unchanged
}

TEST(RectTracker, DrawsItsHandles) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bitmap;
  bitmap.CreateBitmap(100, 100, 1, 32, nullptr);
  CBitmap* old = dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, 100, 100, RGB(255, 255, 255));
  CRectTracker tracker(CRect(20, 20, 80, 80), CRectTracker::solidLine | CRectTracker::resizeOutside);
  tracker.Draw(&dc);
  EXPECT_EQ(dc.GetPixel(16, 16), RGB(0, 0, 0));      // top left handle
  EXPECT_EQ(dc.GetPixel(19, 50), RGB(0, 0, 0));      // the outline
  EXPECT_EQ(dc.GetPixel(50, 50), RGB(255, 255, 255));
  dc.SelectObject(old);
}

TEST(Controls, ListSelectionAndTextRoundTrip) {
  CHostWnd host;
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 200, 100), &host, 10));
  list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
  list.InsertColumn(1, "Size", LVCFMT_LEFT, 50);
  for (int i = 0; i < 4; ++i) {
    CString name;
    name.Format("item %d", i);
    list.InsertItem(i, name);
    list.SetItemText(i, 1, "big");
    list.SetItemData(i, static_cast<DWORD_PTR>(100 + i));
  }
  EXPECT_EQ(list.GetItemCount(), 4);
  EXPECT_STREQ(list.GetItemText(2, 0), "item 2");
  EXPECT_STREQ(list.GetItemText(2, 1), "big");
  EXPECT_EQ(list.GetItemData(3), 103u);
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
  std::vector<int> selected;
  for (POSITION pos = list.GetFirstSelectedItemPosition(); pos;) selected.push_back(list.GetNextSelectedItem(pos));
  EXPECT_EQ(selected, (std::vector<int>{1, 3}));
  EXPECT_EQ(list.GetSelectedCount(), 2u);
}

TEST(Controls, ComboTabSliderAndSpinKeepTheirValues) {
  CHostWnd host;
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &host, 11));
  combo.AddString("alpha");
  combo.AddString("beta");
  combo.SetCurSel(1);
  CString text;
  combo.GetLBText(combo.GetCurSel(), text);
  EXPECT_STREQ(text, "beta");
  EXPECT_EQ(combo.FindStringExact(-1, "alpha"), 0);
  CTabCtrl tabs;
  ASSERT_TRUE(tabs.Create(WS_CHILD, CRect(0, 0, 200, 30), &host, 12));
  tabs.InsertItem(0, "Frames");
  tabs.InsertItem(1, "Effects");
  EXPECT_EQ(tabs.GetItemCount(), 2);
  tabs.SetCurSel(1);
  EXPECT_EQ(tabs.GetCurSel(), 1);
  CSliderCtrl slider;
  ASSERT_TRUE(slider.Create(WS_CHILD, CRect(0, 0, 100, 20), &host, 13));
  slider.SetRange(0, 100);
  slider.SetPos(30);
  EXPECT_EQ(slider.GetPos(), 30);
  EXPECT_EQ(slider.GetRangeMax(), 100);
  CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_CHILD, CRect(0, 0, 20, 20), &host, 14));
  spin.SetRange(-5, 5);
  spin.SetPos(-3);
  EXPECT_EQ(spin.GetPos(), -3);
  int lower = 0, upper = 0;
  spin.GetRange(lower, upper);
  EXPECT_EQ(lower, -5);
  EXPECT_EQ(upper, 5);
}
