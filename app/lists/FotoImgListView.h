#pragma once
// The photo bar's list of the album's photos: a mark on every photo some page
// uses, and "Elimina" in its context menu for a photo nothing of the album
// uses.
#include "app/lists/ImgListView.h"

class CFotoImgListView : public CImgListView {
 public:
  static constexpr UINT kDeleteCommand = 33084;

  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) override;
  void UpdateItemState(int index) override;
  // Every photo's mark follows its use now: a mark changed while the list
  // paints shows only at the paint after.
  void UpdateUsedMarks();
  bool MasksShapePictures() const override { return true; }
  bool AcceptFile(const CString& name) const override;
  // Whether the first selected photo may be deleted: it is in the album's
  // image list, and neither a page nor a page's undo or redo history nor a
  // clipboard uses it.
  bool CanDeleteSelected() const;

 protected:
  afx_msg BOOL OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  // The context menu's popup protocol (themed menu).
  afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg void OnDeletePhoto();
  afx_msg void OnUpdateDeletePhoto(CCmdUI* pCmdUI);
  DECLARE_MESSAGE_MAP()

 private:
  CImageList m_marks;
};
