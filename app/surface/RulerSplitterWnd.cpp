#include "app/surface/RulerSplitterWnd.h"

#include "app/surface/RulerView.h"

IMPLEMENT_DYNAMIC(CRulerSplitterWnd, CSplitterWnd)

BEGIN_MESSAGE_MAP(CRulerSplitterWnd, CSplitterWnd)
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

BOOL CRulerSplitterWnd::CreateRulers(CFrameWnd* frame, CCreateContext* context) {
  if (!CreateStatic(frame, 2, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST)) return FALSE;
  if (!CreateView(0, 0, RUNTIME_CLASS(CRulerCornerView), CSize(0, 0), nullptr) ||
      !CreateView(0, 1, RUNTIME_CLASS(CRulerView), CSize(0, 0), nullptr) ||
      !CreateView(1, 0, RUNTIME_CLASS(CRulerView), CSize(0, 0), nullptr) ||
      !CreateView(1, 1, context ? context->m_pNewViewClass : nullptr, CSize(100, 100), context))
    return FALSE;
  GetRuler(CRulerView::kHorizontal)->SetType(CRulerView::kHorizontal);
  GetRuler(CRulerView::kVertical)->SetType(CRulerView::kVertical);
  ShowRulers(false, false);
  SetActivePane(1, 1);
  return TRUE;
}

CRulerView* CRulerSplitterWnd::GetRuler(int type) const {
  return DYNAMIC_DOWNCAST(CRulerView, type == CRulerView::kHorizontal ? GetPane(0, 1) : GetPane(1, 0));
}

void CRulerSplitterWnd::ShowRulers(bool show, bool recalc) {
  const int size = show ? kRulerSize : 0;
  SetRowInfo(0, size, 0);
  SetColumnInfo(0, size, 0);
  const int divider = show ? 3 : 1;
  m_cxSplitter = m_cySplitter = m_cxSplitterGap = m_cySplitterGap = divider;
  m_rulersShown = show;
  if (recalc && m_hWnd) RecalcLayout();
}

void CRulerSplitterWnd::UpdateRulers(const RulerGeometry& geometry) {
  for (int type : {CRulerView::kHorizontal, CRulerView::kVertical})
    if (CRulerView* ruler = GetRuler(type)) ruler->UpdateGeometry(geometry);
}

void CRulerSplitterWnd::OnLButtonDown(UINT, CPoint) {}
void CRulerSplitterWnd::OnMouseMove(UINT, CPoint) {}
