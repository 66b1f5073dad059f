#pragma once
// Shared pieces of the control-bar tests: a bar of a known size, and a shown
// frame (from the test template, with its view) that docks on every side.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doc_view_classes.h"
#include "test_support.h"

// Rectangles compared as text, so that a failure shows them.
inline std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}
#define EXPECT_RECT(a, b) EXPECT_EQ(Text(a), Text(b))

// A bar `length` long and `thickness` thick along whatever side holds it.
class CBlockBar : public CControlBar {
 public:
  CBlockBar(int length = 120, int thickness = 30) : m_length(length), m_thickness(thickness) {}
  BOOL Make(CWnd* pParent, UINT nID, LPCSTR lpszTitle = "Block", DWORD dwBarStyle = CBRS_TOP);
  CSize CalcFixedLayout(BOOL, BOOL bHorz) override {
    return bHorz ? CSize(m_length, m_thickness) : CSize(m_thickness, m_length);
  }
  CSize CalcDynamicLayout(int, DWORD dwMode) override {
    return CalcFixedLayout(FALSE, (dwMode & (LM_HORZ | LM_HORZDOCK)) && !(dwMode & LM_VERTDOCK));
  }
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override { ++idleUpdates; }
  int idleUpdates = 0;

 private:
  int m_length, m_thickness;
};

// A floating frame class of the tests' own, counting its windows' ends.
class CCountingMiniFrame : public CMiniDockFrameWnd {
  DECLARE_DYNCREATE(CCountingMiniFrame)
 public:
  static int destroyed;
  void PostNcDestroy() override {
    ++destroyed;
    CMiniDockFrameWnd::PostNcDestroy();
  }
};

class BarsTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 640, kHeight = 480;
  void SetUp() override;
  void TearDown() override;

  // A window's rectangle in the frame's client coordinates.
  CRect InFrame(const CWnd* pWnd) const;
  CRect ViewRect() const { return InFrame(view); }
  CRect Client() const;
  CDockBar* DockBar(UINT nID) const { return DYNAMIC_DOWNCAST(CDockBar, frame->GetControlBar(nID)); }
  // Posts mouse moves to the bar (screen points) and a release, then starts a
  // drag at `from`: the drag loop takes the posted messages.
  void Drag(CControlBar* pBar, CPoint from, const std::vector<CPoint>& path, bool release = true);

  CSingleDocTemplate* m_template = nullptr;
  CTestFrame* frame = nullptr;
  CTestView* view = nullptr;
};
