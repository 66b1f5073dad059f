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
  CWnd* view = GetPageView();
  for (int type : {CRulerView::kHorizontal, CRulerView::kVertical}) {
    CRulerView* ruler = GetRuler(type);
    if (!ruler) continue;
    // The page's corner and the mouse come in the view's client coordinates;
    // a ruler counts from its own client area, which the view's border and
    // the splitter's gaps shift.
    RulerGeometry g = geometry;
    if (view && view->m_hWnd && ruler->m_hWnd) {
      CPoint viewOrigin(0, 0), rulerOrigin(0, 0);
      view->ClientToScreen(&viewOrigin);
      ruler->ClientToScreen(&rulerOrigin);
      const CSize shift = viewOrigin - rulerOrigin;
      g.panX -= shift.cx;
      g.panY -= shift.cy;
      if (g.reason == 3) {
        const int x = static_cast<short>(LOWORD(g.mouseL)) + shift.cx;
        const int y = static_cast<short>(HIWORD(g.mouseL)) + shift.cy;
        g.mouseL = MAKELPARAM(x, y);
      }
    }
    ruler->UpdateGeometry(g);
  }
}

void CRulerSplitterWnd::OnLButtonDown(UINT, CPoint) {}
void CRulerSplitterWnd::OnMouseMove(UINT, CPoint) {}
