#pragma once
// CSkinFrame<T>: a framework frame (or dialog) class with a themed default menu
// and system menu. Menu messages go to CSkinMenu, the light line the system
// draws under a menu bar with a theme brush is painted over, and where the
// system does not track owner-drawn menu-bar items (before Windows 2000, or in
// a remote session) the frame draws the item under the mouse hot itself.
// The member definitions are in SkinFrameImpl.h, included by the .cpp of each
// concrete class, which instantiates the template once.
#include "framework/framework.h"
#include "ui/menus/menu/SkinMenu.h"

template <class T>
class CSkinFrame : public T {
 public:
  using T::T;
  ~CSkinFrame() override;

  // The frame's menu bar and the window's system menu.
  CSkinMenu m_DefaultMenu;
  CSkinMenu m_SystemMenu;
  int m_bInMenuLoop = 0;
  UINT_PTR m_nTimerID = 0;
  // Position of the menu-bar item this frame drew hot, -1 for none.
  int m_nHotItem = -1;

 protected:
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
  afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnDestroy();
  afx_msg void OnNcDestroy();
  afx_msg void OnSysColorChange();
  afx_msg void OnNcPaint();
  afx_msg void OnPaint();
  afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
  afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
  DECLARE_MESSAGE_MAP()

 private:
  void StopHotTracking();
};
