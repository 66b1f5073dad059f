#pragma once
// The view of the single-document template: it holds the page surface as its
// only child and keeps it at the largest place of the page's shape.
#include "app/shell/DemoDoc.h"
#include "app/surface/PageStatic.h"
#include "framework/framework.h"

class CChildView : public CView {
  DECLARE_DYNCREATE(CChildView)
 public:
  CDemoDoc* GetDocument() const { return static_cast<CDemoDoc*>(m_pDocument); }
  CSposalboPageStatic& GetPageStatic() { return m_pageStatic; }

  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void OnDraw(CDC* pDC) override;
  // The surface at the largest centred rectangle of the current page's aspect.
  void LayoutPageStatic();

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
  DECLARE_MESSAGE_MAP()

 private:
  CSposalboPageStatic m_pageStatic;
};
