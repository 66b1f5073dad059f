#include "ui/controls/docking/ResizingFrames.h"

#include <algorithm>

#include "ui/controls/docking/ResizingBar.h"

IMPLEMENT_DYNCREATE(CResizingMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CResizingMiniDockFrameWnd, CMiniDockFrameWnd)
  ON_WM_SIZE()
  ON_WM_GETMINMAXINFO()
  ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

namespace {
// The floating frame hides the bar's outer two pixels on each side.
constexpr int kHidden = 2 * kDockOverlap;
}  // namespace

BOOL CResizingMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
  DWORD dwWndStyle = 0x80C83B00;  // pop-up, caption, system menu, mini-frame styles, snapping to its bars
  if (dwBarStyle & CBRS_SIZE_DYNAMIC) dwWndStyle &= ~static_cast<DWORD>(MFS_MOVEFRAME);
  return CreateFrame(pParent, dwBarStyle, dwWndStyle);
}

CResizingBar* CResizingMiniDockFrameWnd::GetResizingBar() const {
  return DYNAMIC_DOWNCAST(CResizingBar, GetFloatingBar());
}

void CResizingMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CMiniDockFrameWnd::OnSize(nType, cx, cy);
  CResizingBar* pBar = GetResizingBar();
  // A hidden bar leaves an empty frame: its size is no size for the bar.
  if (!pBar || nType == SIZE_MINIMIZED || !(pBar->GetStyle() & WS_VISIBLE)) return;
  CSize size(cx + kHidden, cy + kHidden);
  if (size.cx >= pBar->m_szMinFloat.cx && size.cy >= pBar->m_szMinFloat.cy) pBar->m_szFloat = size;
}

void CResizingMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI) {
  Default();
  if (CResizingBar* pBar = GetResizingBar()) {
    CRect r(0, 0, pBar->m_szMinFloat.cx - kHidden, pBar->m_szMinFloat.cy - kHidden);
    CalcWindowRect(&r);
    lpMMI->ptMinTrackSize.x = std::max<LONG>(lpMMI->ptMinTrackSize.x, r.Width());
    lpMMI->ptMinTrackSize.y = std::max<LONG>(lpMMI->ptMinTrackSize.y, r.Height());
  }
}

void CResizingMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
  Default();
  (void)lpwndpos;
  CResizingBar* pBar = GetResizingBar();
  if (!pBar) return;
  // Sized from all edges and corners; the caption (to drag it) and its close
  // button stay.
  DWORD dwStyle = GetStyle();
  if ((dwStyle & kDroppedStyles) || !(dwStyle & WS_CLIPCHILDREN)) {
    ModifyStyle(kDroppedStyles, WS_CLIPCHILDREN);
    DelayRecalcLayout();
    pBar->SendMessage(WM_NCPAINT);
  }
}

CResizingDockContext::CResizingDockContext(CResizingBar* pBar) : CDockContext(pBar) {}

void CResizingDockContext::StartDrag(CPoint pt) {
  auto* pBar = static_cast<CResizingBar*>(m_pBar);
  auto atLeast = [](CSize s, CSize m) { return CSize(std::max(s.cx, m.cx), std::max(s.cy, m.cy)); };
  BeginDrag(pt, atLeast(pBar->m_szHorz, pBar->m_szMinHorz), atLeast(pBar->m_szVert, pBar->m_szMinVert),
            atLeast(pBar->m_szFloat, pBar->m_szMinFloat));
}
