#pragma once
// CPinDockBar: a captioned resizing bar with a pin beside its close button.
// Releasing the pin of a docked bar asks the frame (WM_PINBAR_AUTOHIDE) to
// hide the bar and show its content as tabs on the auto-hide strip of its
// side; the bar says how its content goes onto a strip and comes back.
#include "ui/controls/docking/AutoHideBar.h"
#include "ui/controls/docking/ResizingBarCaptions.h"

// Posted by a pin dock bar to its frame: wParam 0, lParam the bar.
#define WM_PINBAR_AUTOHIDE (WM_USER + 0x14)

class CPinDockBar : public CResizingBarCF {
  DECLARE_DYNAMIC(CPinDockBar)
 public:
  // Every strip's tabs of this bar go with it.
  ~CPinDockBar() override;

  // Puts the bar's content on the strip as tabs.
  virtual void AddToAutoHideBar(CAutoHideBar* pStrip) = 0;
  // Takes one content window back from the strip and shows the bar again.
  virtual void RemoveFromAutoHideBar(CAutoHideBar* pStrip, CWnd* pContent) = 0;
  // The client depth its content needs to show whole when slid out of a
  // strip, across a top or bottom strip or a side one; 0 when any will do.
  virtual int GetSlideOutDepth(BOOL /*bHorizontal*/) { return 0; }

  void NcCalcClient(LPRECT pRc, UINT nDockBarID) override;
  void NcPaintGripper(CDC* pDC, const CRect& rcClient) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);

  StripButton m_pin;
  CString m_strTitle;
  DECLARE_MESSAGE_MAP()
};
