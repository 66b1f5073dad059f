#pragma once
// The two rulers beside the page view and the corner between them. A ruler
// shows ticks and centimetre numbers counted from the page's top-left corner
// that follow the page's pan and zoom, and marks the mouse position with an
// inverted line.
#include "app/shell/EditorFrame.h"
#include "framework/framework.h"

class CRulerView : public CView {
  DECLARE_DYNCREATE(CRulerView)
 public:
  enum Type { kVertical = 0, kHorizontal = 1 };

  void SetType(int type) { m_type = type; }
  int GetType() const { return m_type; }
  float GetSpacing() const { return m_spacing; }
  int GetOffset() const { return m_offset; }
  // Takes the page geometry: repaints at once on a pan, moves the mouse
  // marker on a mouse move, and repaints later otherwise.
  void UpdateGeometry(const RulerGeometry& geometry);

  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void OnDraw(CDC* pDC) override;

 protected:
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()

 private:
  void InvertMarker(CDC& dc, CPoint at);
  void MoveMarker(CPoint at);

  int m_type = kHorizontal;
  int m_offset = 0;
  float m_spacing = 1.0f;
  int m_unitsPerTick = 1;
  CPoint m_marker{0, 0};
};

class CRulerCornerView : public CView {
  DECLARE_DYNCREATE(CRulerCornerView)
 public:
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void OnDraw(CDC*) override {}

 protected:
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  DECLARE_MESSAGE_MAP()
};

// Both ruler views give the focus back to the page view.
void ReturnFocusToPageView(CWnd* pane);
