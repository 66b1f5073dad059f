#include "app/surface/RulerView.h"

#include "app/surface/RulerMath.h"

IMPLEMENT_DYNCREATE(CRulerView, CView)
IMPLEMENT_DYNCREATE(CRulerCornerView, CView)

BEGIN_MESSAGE_MAP(CRulerView, CView)
  ON_WM_SETFOCUS()
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CRulerCornerView, CView)
  ON_WM_SETFOCUS()
END_MESSAGE_MAP()

namespace {
LPCSTR RulerClass() { return AfxRegisterWndClass(0x2008, nullptr, reinterpret_cast<HBRUSH>(COLOR_MENU + 1)); }
}  // namespace

void ReturnFocusToPageView(CWnd* pane) {
  if (auto* splitter = DYNAMIC_DOWNCAST(CSplitterWnd, pane->GetParent())) splitter->SetActivePane(1, 1);
}

BOOL CRulerView::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!CView::PreCreateWindow(cs)) return FALSE;
  cs.lpszClass = RulerClass();
  return cs.lpszClass != nullptr;
}

BOOL CRulerCornerView::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!CView::PreCreateWindow(cs)) return FALSE;
  cs.lpszClass = RulerClass();
  return cs.lpszClass != nullptr;
}

void CRulerView::OnSetFocus(CWnd*) { ReturnFocusToPageView(this); }
void CRulerCornerView::OnSetFocus(CWnd*) { ReturnFocusToPageView(this); }

BOOL CRulerView::OnEraseBkgnd(CDC*) { return TRUE; }

void CRulerView::UpdateGeometry(const RulerGeometry& g) {
  const int offset = m_type == kHorizontal ? g.panX : g.panY;
  const ruler_math::TickScale scale = ruler_math::Scale(g.zoom, g.pixelsPerUnit);
  const bool moved = offset != m_offset || scale.spacing != m_spacing || scale.unitsPerTick != m_unitsPerTick;
  m_offset = offset;
  m_spacing = scale.spacing;
  m_unitsPerTick = scale.unitsPerTick;
  if (!m_hWnd) return;
  // The page surface reports every frame it draws: a ruler whose page has
  // not moved is left alone, so its mouse marker stays and it does not
  // repaint ten times a second.
  if (g.reason == 0 && !moved) return;
  switch (g.reason) {
    case 3:
      MoveMarker(CPoint(static_cast<short>(LOWORD(g.mouseL)), static_cast<short>(HIWORD(g.mouseL))));
      break;
    case 1: {
      CClientDC dc(this);
      OnDraw(&dc);
      break;
    }
    default:
      Invalidate(FALSE);
      break;
  }
}

void CRulerView::InvertMarker(CDC& dc, CPoint at) {
  if (at.x == 0 && at.y == 0) return;
  CRect client;
  GetClientRect(&client);
  if (m_type == kHorizontal)
    dc.PatBlt(at.x, 0, 1, client.Height(), DSTINVERT);
  else
    dc.PatBlt(0, at.y, client.Width(), 1, DSTINVERT);
}

void CRulerView::MoveMarker(CPoint at) {
  CClientDC dc(this);
  InvertMarker(dc, m_marker);
  m_marker = at;
  InvertMarker(dc, m_marker);
}

void CRulerView::OnDraw(CDC* pDC) {
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, RGB(255, 255, 255));
  m_marker = CPoint(0, 0);
  const bool horizontal = m_type == kHorizontal;
  CFont upright, rotated;
  upright.CreateFont(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Times New Roman");
  rotated.CreateFont(10, 0, 900, 900, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Times New Roman");
  CFont* old = pDC->SelectObject(horizontal ? &upright : &rotated);
  pDC->SetTextAlign(horizontal ? TA_RIGHT : (TA_LEFT | TA_TOP));
  pDC->SetBkMode(TRANSPARENT);
  const int length = horizontal ? client.Width() : client.Height();
  // Ticks count from the page's edge and cover the whole ruler, before the
  // page too, wherever the page has been panned.
  const int last = ruler_math::LastTick(length, m_spacing, m_offset);
  for (int i = ruler_math::FirstTick(m_spacing, m_offset); i <= last; ++i) {
    const int at = ruler_math::TickPosition(i, m_spacing, m_offset);
    const int start = ruler_math::TickStart(i);
    if (horizontal)
      pDC->PatBlt(at, start, 1, client.Height() - start, BLACKNESS);
    else
      pDC->PatBlt(start, at, client.Width() - start, 1, BLACKNESS);
    if (start == 0) {
      CString text;
      text.Format("%d", ruler_math::LabelCentimetres(i, m_unitsPerTick));
      if (horizontal)
        pDC->TextOut(at, 0, text);
      else
        pDC->TextOut(0, at, text);
    }
  }
  pDC->SelectObject(old);
}

