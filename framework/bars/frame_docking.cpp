// The docking members of CFrameWnd: dock bars, docking, floating and showing
// control bars.
#include <algorithm>
#include <vector>

#include "framework/bars/control_bar.h"
#include "framework/bars/dock_bar.h"
#include "framework/bars/mini_frame.h"
#include "framework/exceptions.h"
#include "framework/frame.h"

namespace {
// The dock bars in the order they take their side of the frame.
struct DockSide {
  UINT nID;
  DWORD dwStyle;
};
const DockSide kDockSides[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};
}  // namespace

void CFrameWnd::AddControlBar(CControlBar* pBar) {
  if (!m_listControlBars.Find(pBar)) m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
  if (POSITION pos = m_listControlBars.Find(pBar)) m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
  if (nID == 0) return nullptr;
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
    CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (pBar->m_hWnd && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID) return pBar;
  }
  return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
  EnableDocking(dwDockStyle, RUNTIME_CLASS(CMiniDockFrameWnd), []() { return new CDockBar; });
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle, CRuntimeClass* pFloatingFrameClass, CDockBar* (*makeDockBar)()) {
  m_pFloatingFrameClass = pFloatingFrameClass;
  for (const DockSide& side : kDockSides) {
    if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(side.nID)) continue;
    CDockBar* pDock = makeDockBar();
    pDock->m_bAutoDelete = TRUE;  // freed with its window, also when creation fails
    if (!pDock->Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | side.dwStyle, side.nID))
      AfxThrowResourceException();
  }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  CDockBar* pDockBar = nDockBarID ? DYNAMIC_DOWNCAST(CDockBar, GetControlBar(nDockBarID)) : nullptr;
  if (nDockBarID && !pDockBar) return;  // no such dock bar: the bar stays where it is
  DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (!pBar || !pBar->m_hWnd) return;
  DWORD dwAllowed = pBar->m_dwDockStyle & CBRS_ALIGN_ANY;
  if (!pDockBar) {
    for (const DockSide& side : kDockSides) {
      CDockBar* pCandidate = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(side.nID));
      if (pCandidate && (pCandidate->m_dwStyle & dwAllowed)) {
        pDockBar = pCandidate;
        break;
      }
    }
  }
  // A bar docks only where its docking style allows.
  if (!pDockBar || !(pDockBar->m_dwStyle & dwAllowed)) return;
  pDockBar->DockControlBar(pBar, lpRect);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle) {
  CRuntimeClass* pClass = m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
  CObject* pObject = pClass->CreateObject();
  CMiniDockFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pObject);
  if (!pFrame) {
    delete pObject;
    return nullptr;
  }
  // A frame whose creation fails deletes itself.
  return pFrame->Create(this, dwStyle) ? pFrame : nullptr;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (!pBar || !pBar->m_hWnd) return;
  CDockBar* pOld = pBar->m_pDockBar;
  DWORD dwAlign = dwStyle & CBRS_ALIGN_ANY;
  if (pOld && pOld->m_bFloating && pOld->GetDockedCount() == 1 && (pOld->m_dwStyle & CBRS_ALIGN_ANY) == dwAlign) {
    // Already alone in a floating frame of that kind: the frame moves.
    if (CFrameWnd* pFrame = pOld->GetParentFrame()) {
      pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      pFrame->RecalcLayout();
    }
    return;
  }
  CMiniDockFrameWnd* pFrame = CreateFloatingFrame(dwStyle | (pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC));
  if (!pFrame) AfxThrowResourceException();
  pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  pFrame->m_wndDockBar.DockControlBar(pBar);
  pFrame->RecalcLayout();
  if (pBar->GetStyle() & WS_VISIBLE) {
    pFrame->ShowWindow(SW_SHOWNA);
    pFrame->UpdateWindow();
  }
  RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (!pBar || !pBar->m_hWnd) return;
  if (bDelay) {
    pBar->DelayShow(bShow);
    DelayRecalcLayout();
    return;
  }
  pBar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
  pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
  if (pBar->IsFloating()) {
    if (CFrameWnd* pFrame = pBar->GetParentFrame()) {
      pFrame->RecalcLayout();
      bool anyVisible = pBar->m_pDockBar->GetDockedVisibleCount() > 0;
      pFrame->ShowWindow(anyVisible ? SW_SHOWNA : SW_HIDE);
    }
    return;
  }
  RecalcLayout();
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar) {
  for (const DockSide& side : kDockSides) {
    if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY)) continue;
    CDockBar* pDockBar = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(side.nID));
    if (!pDockBar || pDockBar->m_bFloating || !pDockBar->IsWindowVisible()) continue;
    CRect rectBar;
    pDockBar->GetWindowRect(&rectBar);
    // An empty dock bar is a line along the frame's side; it still takes bars.
    if (rectBar.Width() == 0) rectBar.right++;
    if (rectBar.Height() == 0) rectBar.bottom++;
    CRect common;
    if (common.IntersectRect(&rectBar, &rect)) {
      if (ppDockBar) *ppDockBar = pDockBar;
      return side.dwStyle & CBRS_ALIGN_ANY;
    }
  }
  if (ppDockBar) *ppDockBar = nullptr;
  return 0;
}

void CFrameWnd::UpdateFloatingFrames(WPARAM wParam, LPARAM lParam) {
  std::vector<HWND> frames;
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
    CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (!pBar->IsFloating()) continue;
    // Delayed shows of floating bars happen now.
    if (pBar->m_nStateFlags & (CControlBar::delayHide | CControlBar::delayShow))
      ShowControlBar(pBar, (pBar->m_nStateFlags & CControlBar::delayShow) != 0, FALSE);
    HWND hFrame = ::GetParent(::GetParent(pBar->m_hWnd));
    if (hFrame && std::find(frames.begin(), frames.end(), hFrame) == frames.end()) frames.push_back(hFrame);
  }
  for (HWND hFrame : frames) {
    CWnd* pFrame = FromHandlePermanent(hFrame);
    if (!pFrame || !::IsWindowVisible(hFrame)) continue;
    AfxCallWndProc(pFrame, hFrame, WM_IDLEUPDATECMDUI, wParam, lParam);
    pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, wParam, lParam, TRUE, TRUE);
  }
}
