#include "ui/controls/docking/AutoHideFrame.h"

void EnablePlainDocking(CFrameWnd* pFrame, DWORD dwDockStyle) { pFrame->EnableDocking(dwDockStyle); }

int StripSideOf(UINT nDockBarID) {
  switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP: return CAutoHideBar::kTop;
    case AFX_IDW_DOCKBAR_LEFT: return CAutoHideBar::kLeft;
    case AFX_IDW_DOCKBAR_RIGHT: return CAutoHideBar::kRight;
    case AFX_IDW_DOCKBAR_BOTTOM: return CAutoHideBar::kBottom;
    default: return -1;
  }
}

BOOL EnableAutoHideDocking(CFrameWnd* pFrame, CAutoHideBar* strips, DWORD dwDockStyle, DockEnabler enableDocking) {
  const struct {
    DWORD align;
    int side;
  } sides[] = {{CBRS_ALIGN_TOP, CAutoHideBar::kTop},
               {CBRS_ALIGN_LEFT, CAutoHideBar::kLeft},
               {CBRS_ALIGN_RIGHT, CAutoHideBar::kRight},
               {CBRS_ALIGN_BOTTOM, CAutoHideBar::kBottom}};
  for (const auto& s : sides) {
    if (!(dwDockStyle & s.align) || strips[s.side].m_hWnd) continue;
    if (!strips[s.side].Create(s.side, pFrame)) return FALSE;
  }
  enableDocking(pFrame, dwDockStyle);
  // Left and right strips come right after the top dock bar.
  CControlBar* pTop = pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
  if (pTop) {
    for (int side : {CAutoHideBar::kRight, CAutoHideBar::kLeft}) {
      if (strips[side].m_hWnd)
        strips[side].SetWindowPos(pTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  return TRUE;
}

BOOL PinBarAway(CFrameWnd* pFrame, LPARAM lParam, CAutoHideBar* strips) {
  // The bar posted itself: it must still be one of this frame's bars.
  auto* pCandidate = reinterpret_cast<CControlBar*>(lParam);
  if (!pCandidate || !pFrame->m_listControlBars.Find(pCandidate)) return FALSE;
  auto* pBar = DYNAMIC_DOWNCAST(CPinDockBar, pCandidate);
  if (!pBar || !pBar->m_hWnd) return FALSE;
  int side = StripSideOf(static_cast<UINT>(::GetDlgCtrlID(::GetParent(pBar->m_hWnd))));
  if (side < 0 || !strips[side].m_hWnd) return FALSE;
  CAutoHideBar& strip = strips[side];
  strip.AddTab(AHT_SEPARATOR, nullptr, nullptr, nullptr, 0, -1);
  pBar->AddToAutoHideBar(&strip);
  strip.AddTab(AHT_SEPARATOR, nullptr, nullptr, nullptr, 0, -1);
  strip.TrimSeparators();
  strip.RecalcLayout();
  strip.Invalidate(TRUE);
  pFrame->ShowControlBar(pBar, FALSE, FALSE);
  return TRUE;
}
