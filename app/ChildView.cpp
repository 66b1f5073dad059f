#include "app/ChildView.h"

IMPLEMENT_DYNCREATE(CDemoDoc, CDocument)
IMPLEMENT_DYNCREATE(CChildView, CView)

CDemoDoc::CDemoDoc() { m_strTitle.Empty(); }

BOOL CChildView::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!CView::PreCreateWindow(cs)) return FALSE;
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  cs.style &= ~WS_BORDER;
  cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  return cs.lpszClass != nullptr;
}

void CChildView::OnDraw(CDC*) {}
