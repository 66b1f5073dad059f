#pragma once
// The tools bar ("Cornici e Effetti"): the frame, effect, image and
// page-template lists behind an owner-drawn tab control; pinned away, each
// list becomes a tab of the strip.
#include "app/bars/SposalboTabCtrl.h"
#include "app/lists/ImgListView.h"
#include "ui/controls/docking/PinDockBar.h"

class CStrumentiBar : public CPinDockBar {
 public:
  static constexpr UINT kTabID = 102;
  static constexpr UINT kFirstListID = 201;
  static constexpr int kListCount = 4;

  // The frame's lists of frames, effects, images and page templates.
  CStrumentiBar(CImgListView& frames, CImgListView& effects, CImgListView& images, CImgListView& templates);
  using CPinDockBar::Create;
  BOOL Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) override;
  void AddToAutoHideBar(CAutoHideBar* pStrip) override;
  void RemoveFromAutoHideBar(CAutoHideBar* pStrip, CWnd* pContent) override;
  // Shows the list of tab `index` (0 frames, 1 effects, 2 images, 3 templates).
  void ShowList(int index);
  CSposalboTabCtrl& GetTabCtrl() { return m_tabs; }
  CImgListView& GetList(int index) { return *m_lists[index]; }

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);

 protected:
  void PlaceChildren();
  CSposalboTabCtrl m_tabs;
  CImageList m_tabImages;
  CImgListView* m_lists[kListCount];
  DECLARE_MESSAGE_MAP()
};
