#include "app/shell/ChildView.h"

#include "app/shell/EditorFrame.h"
#include "document/pages/PaginaTreeNode.h"

IMPLEMENT_DYNCREATE(CChildView, CView)

BEGIN_MESSAGE_MAP(CChildView, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_ERASEBKGND()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

namespace {
constexpr COLORREF kViewBackground = 0xF9DCCB;
}

BOOL CChildView::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!CView::PreCreateWindow(cs)) return FALSE;
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  cs.style &= ~WS_BORDER;
  cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  return cs.lpszClass != nullptr;
}

void CChildView::OnDraw(CDC*) {}

int CChildView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CView::OnCreate(lpCreateStruct) == -1) return -1;
  if (!m_pageStatic.Create(CRect(0, 0, 10, 10), this, 0xFFFF)) return -1;
  m_pageStatic.ClearSurface();
  return 0;
}

void CChildView::LayoutPageStatic() {
  if (!m_pageStatic.m_hWnd) return;
  IEditorFrame* frame = GetEditorFrame();
  treeNode::CPaginaTreeNode* page = frame ? frame->GetCurrentPage() : nullptr;
  CRect client;
  GetClientRect(&client);
  const RECT fitted = surface_rules::FitAspect(client, page ? page->GetWidth() : 2.0f);
  m_pageStatic.MoveWindow(&fitted);
  m_pageStatic.UpdateProjection();
}

void CChildView::OnSize(UINT nType, int cx, int cy) {
  IEditorFrame* frame = GetEditorFrame();
  const bool sizing = frame && frame->IsSizing();
  const bool paused = frame ? frame->IsRenderPaused() : true;
  if (frame && !sizing) frame->SetRenderPaused(true);
  CView::OnSize(nType, cx, cy);
  LayoutPageStatic();
  if (frame && !sizing) {
    frame->SetRenderPaused(paused);
    CRect rect;
    m_pageStatic.GetClientRect(&rect);
    // Without a page nothing is drawn on the timer: the surface is shown
    // empty at its new size, as after an album is closed.
    if (m_pageStatic.ResetDevice(rect.Width(), rect.Height()) && !frame->GetCurrentPage())
      m_pageStatic.ClearSurface();
  }
}

BOOL CChildView::OnEraseBkgnd(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, kViewBackground);
  return TRUE;
}

void CChildView::OnMouseMove(UINT nFlags, CPoint point) {
  m_pageStatic.NotifyViewChanged(3, nFlags, MAKELPARAM(point.x, point.y));
  CView::OnMouseMove(nFlags, point);
}

BOOL CChildView::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
  m_pageStatic.OnMouseWheelZoom(nFlags, zDelta, pt);
  return TRUE;
}
