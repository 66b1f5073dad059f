#pragma once
// The frame's client area: a fixed 2 x 2 splitter with the corner pane, the
// horizontal ruler on top, the vertical ruler at the left and the page view.
// The rulers start hidden; their dividers cannot be dragged.
#include "app/shell/EditorFrame.h"
#include "framework/framework.h"

class CRulerView;

class CRulerSplitterWnd : public CSplitterWnd {
  DECLARE_DYNAMIC(CRulerSplitterWnd)
 public:
  static constexpr int kRulerSize = 16;

  // The four panes, the page view from the frame's creation context; false
  // when any cannot be made.
  BOOL CreateRulers(CFrameWnd* frame, CCreateContext* context);
  void ShowRulers(bool show, bool recalc = true);
  bool AreRulersShown() const { return m_rulersShown; }
  // Hands the page geometry to both rulers.
  void UpdateRulers(const RulerGeometry& geometry);
  CRulerView* GetRuler(int type) const;
  CWnd* GetPageView() const { return GetPane(1, 1); }

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  bool m_rulersShown = false;
};
