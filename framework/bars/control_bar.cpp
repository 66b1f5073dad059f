#include "framework/bars/control_bar.h"

#include <algorithm>

#include "framework/bars/dock_bar.h"
#include "framework/bars/dock_context.h"
#include "framework/frame.h"
#include "framework/gdi.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_NCHITTEST()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

namespace {
int BorderWidth(DWORD dwStyle) { return (dwStyle & CBRS_BORDER_3D) ? 2 : 1; }
}  // namespace

CControlBar::CControlBar() = default;

CControlBar::~CControlBar() {
  // Destroyed here, while the object is still a control bar, so that it leaves
  // its dock bar and its frame's list of bars.
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd)) DestroyWindow();
  delete m_pDockContext;
  m_pDockContext = nullptr;
}

DWORD CControlBar::SplitStyle(DWORD dwStyle) {
  m_dwStyle = dwStyle & CBRS_ALL;
  return dwStyle & ~static_cast<DWORD>(CBRS_ALL);
}

void CControlBar::SetBarStyle(DWORD dwStyle) {
  DWORD dwOld = m_dwStyle;
  m_dwStyle = dwStyle & CBRS_ALL;
  if (dwOld != m_dwStyle) OnBarStyleChange(dwOld, m_dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom) {
  m_cxLeftBorder = cxLeft;
  m_cyTopBorder = cyTop;
  m_cxRightBorder = cxRight;
  m_cyBottomBorder = cyBottom;
}

void CControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  if (!m_pDockContext && dwDockStyle) m_pDockContext = new CDockContext(this);
  if (!m_hWndOwner && m_hWnd) {
    // Commands of a docked bar go to the frame, whatever its parent is then.
    if (CWnd* pParent = GetParent()) SetOwner(pParent);
  }
}

BOOL CControlBar::IsFloating() const { return m_pDockBar && m_pDockBar->m_bFloating; }

BOOL CControlBar::IsHorzDocked() const {
  return m_pDockBar && !m_pDockBar->m_bFloating && (m_pDockBar->m_dwStyle & CBRS_ORIENT_HORZ);
}

BOOL CControlBar::IsVertDocked() const {
  return m_pDockBar && !m_pDockBar->m_bFloating && (m_pDockBar->m_dwStyle & CBRS_ORIENT_VERT);
}

CFrameWnd* CControlBar::GetDockingFrame() const {
  return m_pDockSite ? m_pDockSite : GetParentFrame();
}

CFrameWnd* CControlBar::GetCommandTarget() const {
  CWnd* pOwner = GetOwner();
  if (pOwner && pOwner->IsFrameWnd()) return static_cast<CFrameWnd*>(pOwner);
  if (m_pDockSite) return m_pDockSite;
  return GetParentFrame();
}

BOOL CControlBar::IsVisible() const {
  if (m_nStateFlags & delayHide) return FALSE;
  if (m_nStateFlags & delayShow) return TRUE;
  return m_hWnd && (GetStyle() & WS_VISIBLE) != 0;
}

void CControlBar::DelayShow(BOOL bShow) {
  m_nStateFlags &= ~(delayHide | delayShow);
  BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
  if (bShow && !bVisible) m_nStateFlags |= delayShow;
  if (!bShow && bVisible) m_nStateFlags |= delayHide;
}

// --- Layout ---------------------------------------------------------------------------

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const {
  DWORD s = m_dwStyle;
  int w = BorderWidth(s);
  if (s & CBRS_BORDER_LEFT) rect.left += w;
  if (s & CBRS_BORDER_TOP) rect.top += w;
  if (s & CBRS_BORDER_RIGHT) rect.right -= w;
  if (s & CBRS_BORDER_BOTTOM) rect.bottom -= w;
  bool gripper = (s & CBRS_GRIPPER) && !(s & CBRS_FLOATING);
  if (bHorz) {
    rect.left += m_cxLeftBorder + (gripper ? kGripperSize : 0);
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
  } else {
    // A vertical bar turns its borders with it.
    rect.left += m_cyTopBorder;
    rect.top += m_cxLeftBorder + (gripper ? kGripperSize : 0);
    rect.right -= m_cyBottomBorder;
    rect.bottom -= m_cxRightBorder;
  }
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize size(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
  CRect rect(0, 0, 0, 0);
  CalcInsideRect(rect, bHorz);
  // The borders alone: what the inside rectangle lost.
  size.cx = std::max<int>(size.cx, -rect.Width());
  size.cy = std::max<int>(size.cy, -rect.Height());
  return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD dwMode) {
  return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

DWORD CControlBar::CurrentLayoutMode(BOOL bStretch) const {
  DWORD dwMode = bStretch ? LM_STRETCH : 0;
  if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
    dwMode |= LM_HORZ | LM_MRUWIDTH;
  else if (m_dwStyle & CBRS_ORIENT_HORZ)
    dwMode |= LM_HORZ | LM_HORZDOCK;
  else
    dwMode |= LM_VERTDOCK;
  return dwMode;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
  AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (m_nStateFlags & (delayHide | delayShow)) {
    ShowWindow((m_nStateFlags & delayShow) ? SW_SHOWNOACTIVATE : SW_HIDE);
    m_nStateFlags &= ~(delayHide | delayShow);
  }
  if (!(GetStyle() & WS_VISIBLE)) return 0;  // a hidden bar takes no space
  CRect rect(lpLayout->rect);
  CSize avail = rect.Size();
  DWORD dwMode = CurrentLayoutMode(lpLayout->bStretch);
  CSize size = CalcDynamicLayout(-1, dwMode);
  size.cx = std::max(0, std::min<int>(size.cx, avail.cx));
  size.cy = std::max(0, std::min<int>(size.cy, avail.cy));
  if (dwMode & LM_HORZ) {
    lpLayout->sizeTotal.cy += size.cy;
    lpLayout->sizeTotal.cx = std::max<LONG>(lpLayout->sizeTotal.cx, size.cx);
    if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
      rect.top = rect.bottom - size.cy;
      lpLayout->rect.bottom -= size.cy;
    } else {
      lpLayout->rect.top += size.cy;
    }
  } else {
    lpLayout->sizeTotal.cx += size.cx;
    lpLayout->sizeTotal.cy = std::max<LONG>(lpLayout->sizeTotal.cy, size.cy);
    if (m_dwStyle & CBRS_ALIGN_RIGHT) {
      rect.left = rect.right - size.cx;
      lpLayout->rect.right -= size.cx;
    } else {
      lpLayout->rect.left += size.cx;
    }
  }
  rect.right = rect.left + size.cx;
  rect.bottom = rect.top + size.cy;
  AfxRepositionWindow(lpLayout, m_hWnd, &rect);
  return 0;
}

// --- Creation and destruction ----------------------------------------------------------

int CControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  if (!m_pDockSite) m_pDockSite = GetParentFrame();
  if (m_pDockSite) m_pDockSite->AddControlBar(this);
  return 0;
}

void CControlBar::OnDestroy() {
  if (m_pDockBar) {
    CDockBar* pDockBar = m_pDockBar;
    m_pDockBar = nullptr;
    pDockBar->RemoveControlBar(this);
  }
  if (m_pDockSite) {
    m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
  }
  CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy() {
  if (m_bAutoDelete) delete this;
}

// --- Non-client area ---------------------------------------------------------------------

void CControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  CRect rect(lpncsp->rgrc[0]);
  CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
  if (rect.right < rect.left) rect.right = rect.left;
  if (rect.bottom < rect.top) rect.bottom = rect.top;
  lpncsp->rgrc[0] = rect;
}

LRESULT CControlBar::OnNcHitTest(CPoint) {
  // Presses on borders and gripper arrive as client clicks: they start drags.
  return HTCLIENT;
}

void CControlBar::OnNcPaint() { EraseNonClient(); }

void CControlBar::EraseNonClient() {
  CWindowDC dc(this);
  CRect rectClient, rectWindow;
  GetClientRect(&rectClient);
  GetWindowRect(&rectWindow);
  ScreenToClient(&rectWindow);
  rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
  dc.ExcludeClipRect(&rectClient);
  rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
  DrawBorders(&dc, rectWindow);
  dc.IntersectClipRect(&rectWindow);
  SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
  DrawGripper(&dc, rectWindow);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC) {
  CRect rect;
  pDC->GetClipBox(&rect);
  pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
  return TRUE;
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect) {
  DWORD s = m_dwStyle;
  if (!(s & CBRS_BORDER_ANY)) return;
  COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
  COLORREF hilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  bool etched = (s & CBRS_BORDER_3D) != 0;
  // Each side: an outer shadow line and, etched, an inner highlight line.
  if (s & CBRS_BORDER_TOP) {
    pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, shadow);
    if (etched) pDC->FillSolidRect(rect.left, rect.top + 1, rect.Width(), 1, hilite);
    rect.top += BorderWidth(s);
  }
  if (s & CBRS_BORDER_BOTTOM) {
    pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, etched ? hilite : shadow);
    if (etched) pDC->FillSolidRect(rect.left, rect.bottom - 2, rect.Width(), 1, shadow);
    rect.bottom -= BorderWidth(s);
  }
  if (s & CBRS_BORDER_LEFT) {
    pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), shadow);
    if (etched) pDC->FillSolidRect(rect.left + 1, rect.top, 1, rect.Height(), hilite);
    rect.left += BorderWidth(s);
  }
  if (s & CBRS_BORDER_RIGHT) {
    pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), etched ? hilite : shadow);
    if (etched) pDC->FillSolidRect(rect.right - 2, rect.top, 1, rect.Height(), shadow);
    rect.right -= BorderWidth(s);
  }
}

CRect CControlBar::GripperRect(const CRect& rectWindow) const {
  if (!(m_dwStyle & CBRS_GRIPPER) || (m_dwStyle & CBRS_FLOATING)) return CRect(0, 0, 0, 0);
  if (m_dwStyle & CBRS_ORIENT_HORZ) {
    int x = rectWindow.left + m_cxLeftBorder + 2;
    return CRect(x, rectWindow.top + m_cyTopBorder + 1, x + 3, rectWindow.bottom - m_cyBottomBorder - 1);
  }
  int y = rectWindow.top + m_cxLeftBorder + 2;
  return CRect(rectWindow.left + m_cyTopBorder + 1, y, rectWindow.right - m_cyBottomBorder - 1, y + 3);
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect) {
  CRect grip = GripperRect(rect);
  if (grip.IsRectEmpty()) return;
  pDC->Draw3dRect(&grip, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW));
}

// --- Mouse: dragging and toggling docking ----------------------------------------------------

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_pDockContext && m_pDockBar) {
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
    return;
  }
  CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_pDockContext && m_pDockBar) {
    m_pDockContext->ToggleDocking();
    return;
  }
  CWnd::OnLButtonDblClk(nFlags, point);
}

// --- Commands and idle update -----------------------------------------------------------------

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  if (CFrameWnd* pTarget = GetCommandTarget()) OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
  return 0;
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
      // The child that sent it and this bar come first; then the owner (the
      // frame) gets what its bars' children say.
      LRESULT lResult = 0;
      if (OnWndMsg(message, wParam, lParam, &lResult)) return lResult;
      CWnd* pOwner = GetOwner();
      if (pOwner && pOwner->m_hWnd && pOwner->m_hWnd != m_hWnd)
        return pOwner->SendMessage(message, wParam, lParam);
      return DefWindowProc(message, wParam, lParam);
    }
    default:
      return CWnd::WindowProc(message, wParam, lParam);
  }
}
