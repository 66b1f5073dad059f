#pragma once
// CControlBar: a bar along an edge of a frame (toolbar, status bar, dock bar,
// docking window). It takes its share of the frame through WM_SIZEPARENT or
// lives in a dock bar, keeps a bar style (CBRS_*), draws its borders and
// gripper in the non-client area and updates its items from the command
// handlers at idle time.
#include "framework/bars/bar_styles.h"
#include "framework/cmd_target.h"
#include "framework/wnd.h"

class CDockBar;
class CDockContext;
class CFrameWnd;

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
 public:
  CControlBar();
  ~CControlBar() override;

  // Bar style (CBRS_* bits, the low word and CBRS_GRIPPER).
  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBarStyle(DWORD dwStyle);
  void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
  void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
  CRect GetBorders() const { return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder); }

  // Docking.
  void EnableDocking(DWORD dwDockStyle);
  BOOL IsFloating() const;
  BOOL IsHorzDocked() const;
  BOOL IsVertDocked() const;
  virtual BOOL IsDockBar() const { return FALSE; }
  CFrameWnd* GetDockingFrame() const;
  // Visible, counting a show or hide that waits for the next layout.
  BOOL IsVisible() const;
  void DelayShow(BOOL bShow);

  // Layout: the size the bar wants, fixed or for a length and mode (LM_*).
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
  virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
  // Removes borders and gripper from a window rectangle (the client area).
  virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

  // Painting of the non-client area.
  virtual void DrawBorders(CDC* pDC, CRect& rect);
  virtual void DrawGripper(CDC* pDC, const CRect& rect);
  void EraseNonClient();
  virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);

  // Updates the bar's items from the target's command handlers.
  virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
  // The frame whose handlers update the bar and receive its commands.
  CFrameWnd* GetCommandTarget() const;

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

  BOOL m_bAutoDelete = FALSE;
  int m_cxLeftBorder = 2, m_cxRightBorder = 2, m_cyTopBorder = 2, m_cyBottomBorder = 2;
  int m_cxDefaultGap = 2;
  UINT m_nMRUWidth = 32767;
  DWORD m_dwStyle = 0;
  DWORD m_dwDockStyle = 0;
  CFrameWnd* m_pDockSite = nullptr;
  CDockBar* m_pDockBar = nullptr;
  CDockContext* m_pDockContext = nullptr;

  enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4 };
  UINT m_nStateFlags = 0;

  static constexpr int kGripperSize = 7;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

 protected:
  // Stores the bar style from a creation style and returns the window style.
  DWORD SplitStyle(DWORD dwStyle);
  // Where the gripper goes inside a window rectangle (empty without one).
  CRect GripperRect(const CRect& rectWindow) const;
  // The mode of the layout this bar gets where it is now.
  DWORD CurrentLayoutMode(BOOL bStretch) const;
  DECLARE_MESSAGE_MAP()
};
