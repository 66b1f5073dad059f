#pragma once
// The document and view the single-document template needs; the album is not a
// framework document, so the document only carries the window title.
#include "framework/framework.h"

class CDemoDoc : public CDocument {
  DECLARE_DYNCREATE(CDemoDoc)
 public:
  CDemoDoc();
};

class CChildView : public CView {
  DECLARE_DYNCREATE(CChildView)
 public:
  CDemoDoc* GetDocument() const { return static_cast<CDemoDoc*>(m_pDocument); }
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void OnDraw(CDC* pDC) override;
};
