#include "framework/bars/dock_context.h"

#include <optional>

#include "framework/bars/control_bar.h"
#include "framework/bars/dock_bar.h"
#include "framework/bars/dock_layout.h"
#include "framework/bars/drag_helpers.h"
#include "framework/bars/mini_frame.h"
#include "framework/frame.h"

namespace {
// Owners that undo what a drag did to the system, whatever way the drag ends.
class CaptureHold {
 public:
  explicit CaptureHold(HWND hWnd) : m_hWnd(hWnd) { ::SetCapture(hWnd); }
  ~CaptureHold() {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  }
  CaptureHold(const CaptureHold&) = delete;
  CaptureHold& operator=(const CaptureHold&) = delete;

 private:
  HWND m_hWnd;
};

class ScreenDC {
 public:
  explicit ScreenDC(HDC& slot)
      : m_slot(slot),
        m_hDC(::GetDCEx(::GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE)) {
    m_slot = m_hDC;
  }
  ~ScreenDC() {
    m_slot = nullptr;
    if (m_hDC) ::ReleaseDC(::GetDesktopWindow(), m_hDC);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;

 private:
  HDC& m_slot;
  HDC m_hDC;
};

CSize BarSize(CControlBar* pBar, DWORD dwMode, BOOL bHorz) {
  if (pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC) return pBar->CalcDynamicLayout(0, dwMode);
  return pBar->CalcFixedLayout(FALSE, bHorz);
}

// Moves a rectangle along one axis so that it holds the point.
void KeepPointInside(CRect& rect, CPoint pt) {
  if (pt.x < rect.left || pt.x >= rect.right) rect.OffsetRect(pt.x - rect.left - rect.Width() / 2, 0);
  if (pt.y < rect.top || pt.y >= rect.bottom) rect.OffsetRect(0, pt.y - rect.top - rect.Height() / 2);
}
}  // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite) {}

void CDockContext::StartDrag(CPoint pt) {
  BeginDrag(pt, BarSize(m_pBar, LM_HORZ | LM_HORZDOCK, TRUE), BarSize(m_pBar, LM_VERTDOCK, FALSE),
            BarSize(m_pBar, LM_HORZ | LM_MRUWIDTH, TRUE));
}

void CDockContext::BeginDrag(CPoint pt, CSize sizeHorz, CSize sizeVert, CSize sizeFloat) {
  if (!m_pDockSite) m_pDockSite = m_pBar->m_pDockSite;
  if (!m_pDockSite) return;
  CRect rect;
  m_pBar->GetWindowRect(&rect);
  m_ptLast = pt;
  m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
  m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
  // The floating frame around the bar, whose outer pixels it hides.
  CRect client(rect.TopLeft(), CSize(sizeFloat.cx - 2 * kDockOverlap, sizeFloat.cy - 2 * kDockOverlap));
  CMiniFrameWnd::CalcBorders(&client, WS_POPUP | WS_CAPTION | WS_THICKFRAME, WS_EX_TOOLWINDOW);
  m_rectFrameDragHorz = client;
  m_rectFrameDragVert = m_rectFrameDragHorz;
  KeepPointInside(m_rectDragHorz, pt);
  KeepPointInside(m_rectDragVert, pt);
  KeepPointInside(m_rectFrameDragHorz, pt);
  KeepPointInside(m_rectFrameDragVert, pt);
  m_bForceFrame = ::GetKeyState(VK_CONTROL) < 0;
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  Track();
}

CRect CDockContext::CurrentOutline(BOOL* pbThick) const {
  *pbThick = m_dwOverDockStyle == 0;
  if (m_dwOverDockStyle & CBRS_ORIENT_VERT) return m_rectDragVert;
  if (m_dwOverDockStyle & CBRS_ORIENT_HORZ) return m_rectDragHorz;
  return m_rectFrameDragHorz;
}

void CDockContext::DrawOutline(BOOL bRemove) {
  if (!m_hDCDrag) return;
  if (m_bShown) AfxInvertHalftone(m_hDCDrag, m_rectShown, m_bShownThick ? 3 : 1);
  m_bShown = FALSE;
  if (bRemove) return;
  m_rectShown = CurrentOutline(&m_bShownThick);
  AfxInvertHalftone(m_hDCDrag, m_rectShown, m_bShownThick ? 3 : 1);
  m_bShown = TRUE;
}

BOOL CDockContext::Track() {
  HWND hWndBar = m_pBar->m_hWnd;
  m_bDragging = TRUE;
  m_bShown = FALSE;
  BOOL bReleased = FALSE;
  // A press that the pointer does not carry past the system's drag distance
  // is a click: it shows no outline and moves no bar.
  const CRect still = DragStillRect(m_ptLast);
  bool bMoved = false;
  {
    CaptureHold capture(hWndBar);
    std::optional<CWindowUpdateLock> lock;
    std::optional<ScreenDC> screen;
    bool bCancel = false;
    while (!bCancel && !bReleased && ::GetCapture() == hWndBar) {
      MSG msg;
      BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
      if (got <= 0) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));  // the loop above ends too
        break;
      }
      switch (msg.message) {
        case WM_LBUTTONUP:
          bReleased = TRUE;
          break;
        case WM_MOUSEMOVE: {
          POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
          ::ClientToScreen(msg.hwnd, &pt);
          if (!bMoved) {
            if (still.PtInRect(pt)) break;
            bMoved = true;
            lock.emplace();
            lock->Lock(::GetDesktopWindow());
            screen.emplace(m_hDCDrag);
          }
          Move(pt);
          break;
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
          if (msg.wParam == VK_ESCAPE && msg.message == WM_KEYDOWN) {
            bCancel = true;
          } else if (msg.wParam == VK_CONTROL) {
            m_bForceFrame = msg.message == WM_KEYDOWN;
            m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
            DrawOutline(FALSE);
          }
          break;
        case WM_RBUTTONDOWN:
          bCancel = true;
          break;
        default:
          ::DispatchMessageA(&msg);
          break;
      }
    }
    DrawOutline(TRUE);
  }  // capture, screen lock and screen DC are given back here, also on exceptions
  m_bDragging = FALSE;
  if (!bMoved) return FALSE;
  if (bReleased) EndDrag();
  return bReleased;
}

void CDockContext::Move(CPoint pt) {
  CSize offset(pt.x - m_ptLast.x, pt.y - m_ptLast.y);
  m_rectDragHorz.OffsetRect(offset);
  m_rectDragVert.OffsetRect(offset);
  m_rectFrameDragHorz.OffsetRect(offset);
  m_rectFrameDragVert.OffsetRect(offset);
  m_ptLast = pt;
  m_bForceFrame = m_bForceFrame || ::GetKeyState(VK_CONTROL) < 0;
  m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
  DrawOutline(FALSE);
}

DWORD CDockContext::CanDock() {
  DWORD dwAllowed = m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY;
  // The bar's own orientation first: a bar on a side reaches into the top dock
  // bar by its overlap, and its horizontal outline is as tall as a docked
  // row, so trying the top first would move it there on a mere press.
  const bool vertical = !m_pBar->IsFloating() && (m_pBar->m_dwStyle & CBRS_ORIENT_VERT);
  const DWORD first = vertical ? m_pDockSite->CanDock(m_rectDragVert, dwAllowed & CBRS_ORIENT_VERT)
                               : m_pDockSite->CanDock(m_rectDragHorz, dwAllowed & CBRS_ORIENT_HORZ);
  if (first) return first;
  return vertical ? m_pDockSite->CanDock(m_rectDragHorz, dwAllowed & CBRS_ORIENT_HORZ)
                  : m_pDockSite->CanDock(m_rectDragVert, dwAllowed & CBRS_ORIENT_VERT);
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle) {
  CDockBar* pDockBar = nullptr;
  CRect rect = (dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz;
  m_pDockSite->CanDock(rect, dwOverDockStyle, &pDockBar);
  return pDockBar;
}

void CDockContext::RememberDockedPlace() {
  if (!m_pBar->m_pDockBar || m_pBar->IsFloating()) return;
  m_uMRUDockID = static_cast<UINT>(m_pBar->m_pDockBar->GetDlgCtrlID());
  m_pBar->GetWindowRect(&m_rectMRUDockPos);
}

void CDockContext::EndDrag() {
  if (m_dwOverDockStyle) {
    if (CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle)) {
      CRect rect = (m_dwOverDockStyle & CBRS_ORIENT_VERT) ? m_rectDragVert : m_rectDragHorz;
      m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
      return;
    }
  }
  RememberDockedPlace();
  m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
  m_bMRUFloatKnown = TRUE;
  m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI);
  m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}

void CDockContext::ToggleDocking() {
  if (!m_pDockSite) m_pDockSite = m_pBar->m_pDockSite;
  if (!m_pDockSite) return;
  if (m_pBar->IsFloating()) {
    if (CFrameWnd* pMini = m_pBar->GetParentFrame()) {
      CRect r;
      pMini->GetWindowRect(&r);
      m_ptMRUFloatPos = r.TopLeft();
      m_bMRUFloatKnown = TRUE;
    }
    CDockBar* pDockBar = DYNAMIC_DOWNCAST(CDockBar, m_pDockSite->GetControlBar(m_uMRUDockID));
    m_pDockSite->DockControlBar(m_pBar, pDockBar, (pDockBar && !m_rectMRUDockPos.IsRectEmpty()) ? &m_rectMRUDockPos : nullptr);
    return;
  }
  RememberDockedPlace();
  if (!m_bMRUFloatKnown) {
    CRect r;
    m_pBar->GetWindowRect(&r);
    m_ptMRUFloatPos = r.TopLeft();
  }
  if (!m_dwMRUFloatStyle) m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI);
  m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
}
