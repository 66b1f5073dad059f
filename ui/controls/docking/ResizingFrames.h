#pragma once
// The floating frame and the dock context of resizing bars.
//
// CResizingMiniDockFrameWnd: once it holds a resizing bar it is sized from
// every edge and corner (it loses the move-from-edges, four-sides-only and
// blocked-system-menu styles) and keeps its small caption with its close
// button, by which the bar is dragged and hidden; the bar takes the frame's
// client size as its floating size.
//
// CResizingDockContext: the outlines of a drag have the sizes the bar keeps
// for each place, so that what is shown is what the bar will take.
#include "framework/framework.h"

class CResizingBar;

class CResizingMiniDockFrameWnd : public CMiniDockFrameWnd {
  DECLARE_DYNCREATE(CResizingMiniDockFrameWnd)
 public:
  BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
  CResizingBar* GetResizingBar() const;

  // Styles a frame holding a resizing bar gives up.
  static constexpr DWORD kDroppedStyles = MFS_4THICKFRAME | MFS_MOVEFRAME | MFS_BLOCKSYSMENU;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
  DECLARE_MESSAGE_MAP()
};

class CResizingDockContext : public CDockContext {
 public:
  explicit CResizingDockContext(CResizingBar* pBar);
  void StartDrag(CPoint pt) override;
};
