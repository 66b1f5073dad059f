#include "framework/bars/mini_frame.h"

#include <algorithm>

#include "framework/bars/dock_context.h"
#include "framework/bars/dock_layout.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
  ON_WM_NCHITTEST()
  ON_WM_NCACTIVATE()
  ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID) {
  return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID) {
  m_strTitle = lpWindowName;
  HMENU hMenuOrId = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
  return CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, SafeHwnd(pParentWnd), hMenuOrId);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass) {
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!cs.lpszClass) return FALSE;
  }
  // Sizable mini frames get a system sizing border; the MFS_* bits then decide
  // which parts of it size.
  if (cs.style & (MFS_THICKFRAME | MFS_4THICKFRAME)) cs.style |= WS_THICKFRAME;
  cs.dwExStyle |= WS_EX_TOOLWINDOW;
  cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  return TRUE;
}

void CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle) {
  // Only the system's border bits count (the MFS_* bits share the low word).
  ::AdjustWindowRectEx(lpClientRect, dwStyle & 0xFFFF0000 & ~static_cast<DWORD>(MFS_BLOCKSYSMENU), FALSE,
                       dwExStyle | WS_EX_TOOLWINDOW);
}

void CMiniFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT) {
  CalcBorders(lpClientRect, GetStyle(), GetExStyle());
}

LRESULT AfxMiniFrameHitTest(LRESULT hit, DWORD dwStyle) {
  bool sizing = hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
  if ((dwStyle & MFS_MOVEFRAME) && sizing) return HTCAPTION;
  if (dwStyle & MFS_4THICKFRAME) {
    switch (hit) {
      case HTTOPLEFT:
      case HTBOTTOMLEFT:
        return HTLEFT;
      case HTTOPRIGHT:
      case HTBOTTOMRIGHT:
        return HTRIGHT;
      default:
        break;
    }
  }
  if ((dwStyle & MFS_BLOCKSYSMENU) && hit == HTSYSMENU) return HTCAPTION;
  return hit;
}

LRESULT CMiniFrameWnd::OnNcHitTest(CPoint) { return AfxMiniFrameHitTest(Default(), GetStyle()); }

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive) {
  if (GetStyle() & MFS_SYNCACTIVE) {
    HWND hActive = ::GetActiveWindow();
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hActive && (hActive == hOwner || hActive == m_hWnd)) bActive = TRUE;
  }
  return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam) {
  UINT cmd = nID & 0xFFF0;
  if ((GetStyle() & MFS_BLOCKSYSMENU) && (cmd == SC_KEYMENU || cmd == SC_MOUSEMENU)) return;
  Default();
  (void)lParam;
}

// --- CMiniDockFrameWnd ---------------------------------------------------------------

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
  ON_WM_CLOSE()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_SIZING()
  ON_MESSAGE(WM_FLOATFRAME_EMPTIED, OnFloatFrameEmptied)
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE) {}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  DWORD dwWndStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE | MFS_BLOCKSYSMENU |
                     MFS_4THICKFRAME | FWS_SNAPTOBARS;
  // Fixed bars are moved from any edge; bars that can change shape are sized.
  if (!(dwBarStyle & CBRS_SIZE_DYNAMIC)) dwWndStyle |= MFS_MOVEFRAME;
  return CreateFrame(pParent, dwBarStyle, dwWndStyle);
}

BOOL CMiniDockFrameWnd::CreateFrame(CWnd* pParent, DWORD dwBarStyle, DWORD dwWndStyle) {
  m_bAutoMenuEnable = FALSE;
  if (!CMiniFrameWnd::CreateEx(0, nullptr, "", dwWndStyle, CRect(0, 0, 0, 0), pParent)) return FALSE;
  DWORD dwDockStyle = WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_FLOAT_MULTI) |
                      ((dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP);
  if (!m_wndDockBar.Create(this, dwDockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
    DestroyWindow();  // deletes this frame
    return FALSE;
  }
  m_wndDockBar.SetOwner(pParent);
  return TRUE;
}

CControlBar* CMiniDockFrameWnd::GetFloatingBar() const {
  for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
    if (CControlBar* pBar = m_wndDockBar.GetDockedControlBar(i)) return pBar;
  return nullptr;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify) {
  CMiniFrameWnd::RecalcLayout(bNotify);
  // The caption shows the bar's title.
  if (CControlBar* pBar = GetFloatingBar()) {
    CString title, current;
    pBar->GetWindowText(title);
    GetWindowText(current);
    if (title != current) SetWindowText(title);
  }
}

void CMiniDockFrameWnd::OnClose() {
  // Closing hides the bars; the frame goes when they leave it.
  for (INT_PTR i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i) {
    CControlBar* pBar = m_wndDockBar.GetDockedControlBar(i);
    if (pBar && pBar->m_pDockSite) pBar->m_pDockSite->ShowControlBar(pBar, FALSE, FALSE);
  }
  ShowWindow(SW_HIDE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  CControlBar* pBar = GetFloatingBar();
  if (nHitTest == HTCAPTION && pBar && pBar->m_pDockContext && !IsIconic()) {
    // Dragging the caption can dock the bar again.
    ::SetActiveWindow(m_hWnd);
    pBar->m_pDockContext->StartDrag(point);
    return;
  }
  Default();
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  CControlBar* pBar = GetFloatingBar();
  if (nHitTest == HTCAPTION && pBar && pBar->m_pDockContext) {
    pBar->m_pDockContext->ToggleDocking();
    return;
  }
  Default();
  (void)point;
}

void CMiniDockFrameWnd::OnSizing(UINT fwSide, LPRECT pRect) {
  CControlBar* pBar = GetFloatingBar();
  CRect current;
  GetWindowRect(&current);
  if (!pBar || !(pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC)) {
    *pRect = current;  // a fixed bar keeps its size
    return;
  }
  CRect borders(0, 0, 0, 0);
  CalcWindowRect(&borders);
  CSize client(pRect->right - pRect->left - borders.Width(), pRect->bottom - pRect->top - borders.Height());
  bool bVertEdge = fwSide == WMSZ_TOP || fwSide == WMSZ_BOTTOM;
  DWORD dwMode = LM_HORZ | (bVertEdge ? LM_LENGTHY : 0);
  int nLength = (bVertEdge ? client.cy : client.cx) + 2 * kDockOverlap;
  CSize size = pBar->CalcDynamicLayout(nLength, dwMode);
  pBar->CalcDynamicLayout(nLength, dwMode | LM_COMMIT);
  int cx = std::max(0, static_cast<int>(size.cx) - 2 * kDockOverlap) + borders.Width();
  int cy = std::max(0, static_cast<int>(size.cy) - 2 * kDockOverlap) + borders.Height();
  // The edge being dragged moves; the opposite one stays.
  if (fwSide == WMSZ_LEFT || fwSide == WMSZ_TOPLEFT || fwSide == WMSZ_BOTTOMLEFT)
    pRect->left = pRect->right - cx;
  else
    pRect->right = pRect->left + cx;
  if (fwSide == WMSZ_TOP || fwSide == WMSZ_TOPLEFT || fwSide == WMSZ_TOPRIGHT)
    pRect->top = pRect->bottom - cy;
  else
    pRect->bottom = pRect->top + cy;
}

LRESULT CMiniDockFrameWnd::OnFloatFrameEmptied(WPARAM, LPARAM) {
  if (m_wndDockBar.GetDockedCount() == 0) DestroyWindow();
  return 0;
}
