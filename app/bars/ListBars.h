#pragma once
// The editor's docking bars that hold one thumbnail list: the photo bar
// ("Fotografie", the album's photos) and the page bar ("Pagine"). The list is
// the frame's; the bar makes its window, keeps it inset by 9 pixels and moves
// it onto an auto-hide strip and back.
#include "app/lists/ImgListView.h"
#include "app/lists/PageListView.h"
#include "ui/controls/docking/PinDockBar.h"

class CSingleListBar : public CPinDockBar {
 public:
  // The style of every thumbnail list of the bars: a bordered child with a
  // single, always shown selection and auto-arrange, not yet visible.
  static constexpr DWORD kListStyle = 0x4080010C;
  static constexpr UINT kListID = 201;

  CSingleListBar(CImgListView& list, LPCSTR lpszTabTitle);
  using CPinDockBar::Create;
  BOOL Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) override;
  void AddToAutoHideBar(CAutoHideBar* pStrip) override;
  void RemoveFromAutoHideBar(CAutoHideBar* pStrip, CWnd* pContent) override;
  // Across a top or bottom strip, a row of thumbnails with their labels.
  int GetSlideOutDepth(BOOL bHorizontal) override;
  CImgListView& GetList() { return m_list; }

  afx_msg void OnSize(UINT nType, int cx, int cy);

 protected:
  void PlaceList();
  CImgListView& m_list;
  CString m_tabTitle;
  DECLARE_MESSAGE_MAP()
};

class CFotoBar : public CSingleListBar {
 public:
  explicit CFotoBar(CImgListView& list) : CSingleListBar(list, " Foto ") {}
};

class CPageBar : public CSingleListBar {
 public:
  explicit CPageBar(CPageImgListView& list) : CSingleListBar(list, " Pagine "), m_pages(list) {}
  // Every page of the album drawn again.
  void Refresh(treeNode::CSposalboTreeNode& album);
  // No page any more: whatever the list still loads stops, and it empties.
  void Clear();

 private:
  CPageImgListView& m_pages;
};
