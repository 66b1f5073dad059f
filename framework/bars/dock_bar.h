#pragma once
// CDockBar: the strip along one side of a frame (or the inside of a floating
// frame) that holds docked control bars in rows. Its list m_arrBars holds the
// bars in order, with null entries between rows; it always starts and ends
// with a null.
#include "framework/bars/control_bar.h"
#include "framework/collections.h"

class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)
 public:
  explicit CDockBar(BOOL bFloating = FALSE);
  ~CDockBar() override;

  // dwStyle: window style with the dock side (CBRS_ALIGN_*) as bar style.
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

  BOOL IsDockBar() const override { return TRUE; }
  BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

  // Docks a bar: at the place a rectangle (screen coordinates) points to, or
  // on a new row at the end (a bar docked here already stays where it is).
  // The bar leaves the dock bar it was in.
  void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  // Takes a bar out of the list; returns its former index or -1. A floating
  // dock bar left without bars hides or destroys its frame.
  INT_PTR RemoveControlBar(CControlBar* pBar);
  INT_PTR FindBar(const CControlBar* pBar) const;
  int GetDockedCount() const;
  int GetDockedVisibleCount() const;
  CControlBar* GetDockedControlBar(INT_PTR nPos) const;
  // The size this dock bar lays a bar of its list out with (its window may
  // still have another: the size it had floating, right after a dock).
  CSize BarLayoutSize(CControlBar* pBar) const;

  // Shows or hides bars that wait for the next layout.
  virtual void RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void DrawGripper(CDC*, const CRect&) override {}

  BOOL m_bFloating;
  CPtrArray m_arrBars;
  // The space offered by the layout in progress (parent client coordinates),
  // and whether that layout only asks for sizes.
  CRect m_rectLayout;
  BOOL m_bLayoutQuery = FALSE;

  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();

 protected:
  // Where in m_arrBars a bar dropped at this rectangle (client coordinates)
  // goes, and whether it starts a row of its own there.
  INT_PTR InsertPosition(const CRect& rect, BOOL& bNewRow) const;
  DECLARE_MESSAGE_MAP()
};
