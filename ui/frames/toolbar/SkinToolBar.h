#pragma once
// CSkinToolBar: a toolbar drawn in the look of the current menu theme. It
// paints its buttons itself, from three image lists made of its bitmap
// (full colour for the hot button, darkened for plain buttons, greyed for
// disabled ones), and hosts child controls (the style combo) in separators
// whose command id is the control's id.
#include "framework/framework.h"
#include "ui/frames/toolbar/ToolBarImages.h"

class CSkinToolBar : public CToolBar {
  DECLARE_DYNAMIC(CSkinToolBar)
 public:
  CSkinToolBar();
  ~CSkinToolBar() override;

  // The toolbar resource and its bitmap, then the three image lists from that
  // bitmap; the result is the toolbar's, whatever the image lists give.
  BOOL LoadToolBar(UINT nIDResource);
  // Makes an existing child window an item of the bar: a separator as wide as
  // the window, at nIndex (the end when out of range). FALSE without a window.
  BOOL InsertControl(int nIndex, CWnd* pControl, DWORD_PTR dwData);

  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DrawBorders(CDC* pDC, CRect& rect) override;
  void DrawGripper(CDC* pDC, const CRect& rect) override;
  void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;

  // The buttons and separators in the bar's client coordinates, with the
  // button at index hot (or none: -1) drawn hot: the parent is told of every
  // stage (NM_CUSTOMDRAW with the control's colours) and reflects it back.
  void DrawButtons(HDC hDC, int hot);
  // The bar's background as WM_ERASEBKGND paints it.
  void DrawBackground(HDC hDC);
  // Puts hosted controls on their separators (hidden on a vertical bar).
  void PlaceControls(bool vertical);

  CToolBarImages m_images;
  // 0 outside a layout, 1 in a layout for vertical docking, 2 in any other.
  int m_nLayoutState = 0;
  COLORREF m_crTransparent = kTopLeftTransparent;

 protected:
  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnNcPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg LRESULT OnAddBitmap(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnReplaceBitmap(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  // The button DrawButtons is drawing (-1 outside), so that the item painter
  // need not look its command up.
  int m_drawingIndex = -1;
  void DrawItem(NMTBCUSTOMDRAW& draw);
  // A custom-draw notification for the device context, with the control's
  // colour scheme; and the parent's answer to one.
  NMTBCUSTOMDRAW CustomDrawFor(HDC hDC) const;
  LRESULT NotifyParent(NMTBCUSTOMDRAW& draw);
  bool IsVerticalNow() const;
  int HotButtonUnderCursor() const;
  // After a change of the normal images: the darkened ones again, shown by the
  // control in the plain state.
  void ImagesChanged();
};
