#pragma once
// CMiniFrameWnd: a frame with a small (tool window) caption. Its MFS_* styles
// decide how its edges behave: MFS_MOVEFRAME moves the frame from its edges
// instead of sizing it, MFS_4THICKFRAME sizes only from the four sides,
// MFS_BLOCKSYSMENU keeps the system menu away, MFS_SYNCACTIVE draws the caption
// active while the owner is active.
// CMiniDockFrameWnd: the floating frame of docked bars, holding a floating dock
// bar; it snaps to the size of its bars, takes their title, hides them when
// closed and goes once its last bar leaves it.
#include "framework/bars/dock_bar.h"
#include "framework/frame.h"

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)
 public:
  CMiniFrameWnd();
  BOOL Create(LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, const RECT& rect,
              CWnd* pParentWnd = nullptr, UINT nID = 0);
  BOOL CreateEx(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                const RECT& rect, CWnd* pParentWnd = nullptr, UINT nID = 0);
  // Grows a client rectangle to the window rectangle of a mini frame.
  static void CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION,
                          DWORD dwExStyle = WS_EX_TOOLWINDOW);
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;

  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg BOOL OnNcActivate(BOOL bActive);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};

// Hit codes of the mini frame's edges after its MFS_* styles.
LRESULT AfxMiniFrameHitTest(LRESULT hit, DWORD dwStyle);

class CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNCREATE(CMiniDockFrameWnd)
 public:
  CMiniDockFrameWnd();
  // A floating frame owned by pParent for bars of this bar style.
  virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
  void RecalcLayout(BOOL bNotify = TRUE) override;
  // The first bar it holds (null when none).
  CControlBar* GetFloatingBar() const;

  CDockBar m_wndDockBar;

  afx_msg void OnClose();
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
  afx_msg LRESULT OnFloatFrameEmptied(WPARAM, LPARAM);

 protected:
  // Creates the window with this style and its floating dock bar.
  BOOL CreateFrame(CWnd* pParent, DWORD dwBarStyle, DWORD dwWndStyle);
  DECLARE_MESSAGE_MAP()
};
