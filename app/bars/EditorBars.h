#pragma once
// The main frame's docking bars: the tools bar at the top, the photo bar on
// the right and the page bar at the bottom, the four auto-hide strips with
// their shared images, and the commands that show and hide the bars.
#include "app/bars/ListBars.h"
#include "app/bars/StrumentiBar.h"
#include "app/lists/EditorLists.h"
#include "ui/controls/docking/AutoHideFrame.h"

class CEditorBars : public CCmdTarget {
 public:
  explicit CEditorBars(CEditorLists& lists);

  // The strips, then the dock bars through enableDocking; floating bars get
  // themed frames that size them from every edge.
  BOOL EnableDocking(CFrameWnd* pFrame, DockEnabler enableDocking = &EnablePlainDocking);
  // The strips' images and the three bars, docked top, right and bottom.
  BOOL CreateBars(CFrameWnd* pFrame);
  // WM_PINBAR_AUTOHIDE.
  LRESULT OnPinBarAutoHide(LPARAM lParam);
  // The strip that holds a bar's tabs, or null.
  CAutoHideBar* StripHolding(CPinDockBar* pBar);

  CStrumentiBar m_tools;
  CFotoBar m_photos;
  CPageBar m_pages;
  CAutoHideBar m_strips[4];
  CImageList m_images;

  afx_msg void OnViewPhotoBar() { ToggleBar(m_photos); }
  afx_msg void OnViewPageBar() { ToggleBar(m_pages); }
  afx_msg void OnViewToolsBar() { ToggleBar(m_tools); }
  afx_msg void OnUpdateViewPhotoBar(CCmdUI* pCmdUI) { UpdateBarItem(m_photos, pCmdUI); }
  afx_msg void OnUpdateViewPageBar(CCmdUI* pCmdUI) { UpdateBarItem(m_pages, pCmdUI); }
  afx_msg void OnUpdateViewToolsBar(CCmdUI* pCmdUI) { UpdateBarItem(m_tools, pCmdUI); }

 protected:
  void ToggleBar(CPinDockBar& bar);
  void UpdateBarItem(CPinDockBar& bar, CCmdUI* pCmdUI);
  CFrameWnd* m_pFrame = nullptr;
  DECLARE_MESSAGE_MAP()
};
