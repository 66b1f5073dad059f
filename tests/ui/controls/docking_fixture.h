#pragma once
// Shared pieces of the docking bars' tests: a shown frame with a plain view,
// dock bars on every side with their auto-hide strips, resizing bars floating
// in their own frames; and a pin bar whose content is a plain child window.
#include <gtest/gtest.h>

#include <string>

#include "framework/framework.h"
#include "ui/controls/docking/AutoHideFrame.h"
#include "ui/controls/docking/ResizingFrames.h"

inline std::string Text(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}
#define EXPECT_RECT(a, b) EXPECT_EQ(Text(a), Text(b))

// Dispatches every message already queued for this thread (never waits).
void PumpQueued();

class CDockingFrame : public CFrameWnd {
 public:
  CDockingFrame();
  CWnd view;
  CAutoHideBar strips[4];
  CImageList images;
  afx_msg LRESULT OnPinBarAutoHide(WPARAM, LPARAM lParam);
  void PostNcDestroy() override {}  // the test owns it
  DECLARE_MESSAGE_MAP()
};

// A pin bar holding one plain child window (id 201) inset by 9 pixels.
class CTestPinBar : public CPinDockBar {
 public:
  CWnd content;
  BOOL Make(CFrameWnd* pFrame, UINT nID, LPCSTR lpszTitle, CSize size);
  void AddToAutoHideBar(CAutoHideBar* pStrip) override;
  void RemoveFromAutoHideBar(CAutoHideBar* pStrip, CWnd* pContent) override;
  afx_msg void OnSize(UINT nType, int cx, int cy);
  void PlaceContent();
  // The pointer as the close and pin buttons see it.
  CPoint pointer{-1000, -1000};
  bool leftDown = false;

 protected:
  CPoint PointerPos() const override { return pointer; }
  bool LeftButtonDown() const override { return leftDown; }
  DECLARE_MESSAGE_MAP()
};

class DockingBarsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  CRect InFrame(const CWnd* pWnd) const;
  CRect Client() const;
  CPoint OnScreen(const CWnd* pWnd, CPoint windowPoint) const;
  // Drags an edge of a docked bar from a point of its window by `delta`
  // pixels, the way the mouse would: press on the edge, moves, release.
  void DragEdge(CResizingBar& bar, UINT hit, CPoint windowPoint, CSize delta);

  CDockingFrame* frame = nullptr;
};
