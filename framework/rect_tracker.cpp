#include "framework/rect_tracker.h"

#include <algorithm>

#include "framework/gdi.h"
#include "framework/wnd.h"

namespace {
// Which edges of the rectangle each handle moves: left, top, right, bottom.
struct HandleEdges {
  bool left, top, right, bottom;
};
const HandleEdges kEdges[] = {
    {true, true, false, false},   // top left
    {false, true, true, false},   // top right
    {false, false, true, true},   // bottom right
    {true, false, false, true},   // bottom left
    {false, true, false, false},  // top
    {false, false, true, false},  // right
    {false, false, false, true},  // bottom
    {true, false, false, false},  // left
    {true, true, true, true},     // middle: the whole rectangle moves
};

CRect normalized(const CRect& r) {
  CRect n(r);
  n.NormalizeRect();
  return n;
}

// Drawn with XOR: drawing the same frame again erases it.
void drawDragFrame(CWnd* pWnd, const CRect& rect) {
  CClientDC dc(pWnd);
  dc.DrawFocusRect(&rect);
}
}  // namespace

UINT CRectTracker::GetHandleMask() const {
  // Edge handles only when the rectangle is large enough to show them apart.
  UINT mask = 0x0F;
  CRect r(m_rect);
  r.NormalizeRect();
  if (r.Width() > 3 * m_nHandleSize) mask |= 0x50;
  if (r.Height() > 3 * m_nHandleSize) mask |= 0xA0;
  return mask;
}

void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const {
  CRect r(m_rect);
  r.NormalizeRect();
  if (m_nStyle & (solidLine | dottedLine)) r.InflateRect(1, 1);
  int size = m_nHandleSize;
  int offset = (m_nStyle & resizeOutside) ? size : 0;
  int x = 0, y = 0;
  switch (nHandle) {
    case hitTopLeft: x = r.left - offset; y = r.top - offset; break;
    case hitTopRight: x = r.right - size + offset; y = r.top - offset; break;
    case hitBottomRight: x = r.right - size + offset; y = r.bottom - size + offset; break;
    case hitBottomLeft: x = r.left - offset; y = r.bottom - size + offset; break;
    case hitTop: x = r.left + (r.Width() - size) / 2; y = r.top - offset; break;
    case hitRight: x = r.right - size + offset; y = r.top + (r.Height() - size) / 2; break;
    case hitBottom: x = r.left + (r.Width() - size) / 2; y = r.bottom - size + offset; break;
    case hitLeft: x = r.left - offset; y = r.top + (r.Height() - size) / 2; break;
    default: break;
  }
  pHandleRect->SetRect(x, y, x + size, y + size);
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const {
  CRect r(m_rect);
  r.NormalizeRect();
  int inflate = (m_nStyle & (resizeOutside | hatchedBorder)) ? m_nHandleSize : 0;
  if (m_nStyle & (solidLine | dottedLine)) inflate = std::max(inflate, 1);
  r.InflateRect(inflate, inflate);
  *lpTrueRect = r;
}

void CRectTracker::Draw(CDC* pDC) const {
  CRect r(m_rect);
  r.NormalizeRect();
  int saved = pDC->SaveDC();
  pDC->SetBkMode(TRANSPARENT);
  if (m_nStyle & (solidLine | dottedLine)) {
    CPen pen(m_nStyle & dottedLine ? PS_DOT : PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->SelectStockObject(NULL_BRUSH);
    pDC->Rectangle(r.left - 1, r.top - 1, r.right + 1, r.bottom + 1);
    pDC->SelectObject(oldPen);
  }
  if (m_nStyle & (hatchInside | hatchedBorder)) {
    CBrush hatch(HS_BDIAGONAL, RGB(0, 0, 0));
    if (m_nStyle & hatchInside) {
      pDC->FillRect(&r, &hatch);
    } else {
      CRect outer(r);
      outer.InflateRect(m_nHandleSize, m_nHandleSize);
      CRgn ring, inner;
      ring.CreateRectRgnIndirect(&outer);
      inner.CreateRectRgnIndirect(&r);
      ring.CombineRgn(&ring, &inner, RGN_DIFF);
      ::FillRgn(pDC->m_hDC, static_cast<HRGN>(ring.m_hObject), static_cast<HBRUSH>(hatch.m_hObject));
    }
  }
  for (int i : ShownHandles()) {
    CRect handle;
    GetHandleRect(i, &handle);
    pDC->FillSolidRect(&handle, RGB(0, 0, 0));
  }
  pDC->RestoreDC(saved);
}

std::vector<int> CRectTracker::ShownHandles() const {
  std::vector<int> shown;
  if (!(m_nStyle & (resizeInside | resizeOutside))) return shown;
  UINT mask = GetHandleMask();
  for (int i = 0; i < 8; ++i)
    if (mask & (1u << i)) shown.push_back(i);
  return shown;
}

int CRectTracker::HitTestHandles(CPoint point) const {
  for (int i : ShownHandles()) {
    CRect handle;
    GetHandleRect(i, &handle);
    if (handle.PtInRect(point)) return i;
  }
  CRect r(m_rect);
  r.NormalizeRect();
  if (m_nStyle & (solidLine | dottedLine)) r.InflateRect(1, 1);
  return r.PtInRect(point) ? hitMiddle : hitNothing;
}

int CRectTracker::HitTest(CPoint point) const {
  CRect trueRect;
  GetTrueRect(&trueRect);
  CRect r(m_rect);
  r.NormalizeRect();
  trueRect.right += 1;
  trueRect.bottom += 1;
  if (!trueRect.PtInRect(point)) return hitNothing;
  return NormalizeHit(HitTestHandles(point));
}

// A handle of an inverted rectangle acts as the handle on the other side.
int CRectTracker::NormalizeHit(int nHandle) const {
  if (nHandle == hitNothing || nHandle == hitMiddle) return nHandle;
  static const int swapX[] = {hitTopRight, hitTopLeft, hitBottomLeft, hitBottomRight, hitTop, hitLeft, hitBottom, hitRight};
  static const int swapY[] = {hitBottomLeft, hitBottomRight, hitTopRight, hitTopLeft, hitBottom, hitRight, hitTop, hitLeft};
  if (m_rect.right < m_rect.left) nHandle = swapX[nHandle];
  if (m_rect.bottom < m_rect.top) nHandle = swapY[nHandle];
  return nHandle;
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const {
  if (nHitTest != HTCLIENT) return FALSE;
  CPoint point;
  ::GetCursorPos(&point);
  pWnd->ScreenToClient(&point);
  int hit = HitTest(point);
  LPCSTR cursor = nullptr;
  switch (hit) {
    case hitTopLeft: case hitBottomRight: cursor = IDC_SIZENWSE; break;
    case hitTopRight: case hitBottomLeft: cursor = IDC_SIZENESW; break;
    case hitTop: case hitBottom: cursor = IDC_SIZENS; break;
    case hitLeft: case hitRight: cursor = IDC_SIZEWE; break;
    case hitMiddle: cursor = IDC_SIZEALL; break;
    default: return FALSE;
  }
  ::SetCursor(::LoadCursorA(nullptr, cursor));
  return TRUE;
}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo) {
  int hit = HitTest(point);
  if (hit < 0) return FALSE;
  return TrackHandle(hit, pWnd, point, pWndClipTo, bAllowInvert);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert) {
  m_rect.SetRect(point.x, point.y, point.x, point.y);
  return TrackHandle(hitBottomRight, pWnd, point, nullptr, bAllowInvert);
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo, BOOL bAllowInvert) {
  if (!pWnd || !pWnd->m_hWnd || ::GetCapture()) return FALSE;
  const HandleEdges edges = kEdges[nHandle];
  CRect rectStart(m_rect);
  CRect rectOld(m_rect);
  CPoint start = point;
  pWnd->UpdateWindow();
  pWnd->SetCapture();
  bool moved = false;
  bool drawn = false;
  BOOL bResult = FALSE;
  for (;;) {
    MSG msg;
    if (!::GetMessageA(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (::GetCapture() != pWnd->m_hWnd) break;
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      CPoint now(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      if (msg.hwnd != pWnd->m_hWnd) ::MapWindowPoints(msg.hwnd, pWnd->m_hWnd, &now, 1);
      CSize delta = now - start;
      CRect r(rectStart);
      if (edges.left) r.left += delta.cx;
      if (edges.top) r.top += delta.cy;
      if (edges.right) r.right += delta.cx;
      if (edges.bottom) r.bottom += delta.cy;
      if (!bAllowInvert) {
        // The moving edge stops at the fixed one.
        if (r.right < r.left) {
          if (edges.left && !edges.right) r.left = r.right; else r.right = r.left;
        }
        if (r.bottom < r.top) {
          if (edges.top && !edges.bottom) r.top = r.bottom; else r.bottom = r.top;
        }
      }
      AdjustRect(nHandle, &r);
      if (drawn) drawDragFrame(pWndClipTo ? pWndClipTo : pWnd, normalized(rectOld));  // erase
      drawn = false;
      m_rect = r;
      if (m_rect != rectStart) moved = true;
      if (msg.message == WM_LBUTTONUP) {
        bResult = moved;
        break;
      }
      drawDragFrame(pWndClipTo ? pWndClipTo : pWnd, normalized(m_rect));
      drawn = true;
      rectOld = m_rect;
      continue;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      m_rect = rectStart;
      break;
    }
    if (msg.message == WM_RBUTTONDOWN) {
      m_rect = rectStart;
      break;
    }
    ::DispatchMessageA(&msg);
  }
  if (drawn) drawDragFrame(pWndClipTo ? pWndClipTo : pWnd, normalized(rectOld));
  if (::GetCapture() == pWnd->m_hWnd) ::ReleaseCapture();
  if (bResult && m_rect != rectStart) OnChangedRect(rectStart);
  return bResult && m_rect != rectStart;
}
