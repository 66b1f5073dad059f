#pragma once
// CToolBar: a control bar over the system's toolbar control. Its buttons come
// from a toolbar resource (type 241) and a bitmap of the same name; update
// handlers enable and check them at idle time; tooltips and status-bar prompts
// come from the string table ("prompt\ntip" under the command's id). A
// separator widened with SetButtonInfo can host a control (a combo box).
#include <vector>

#include "framework/bars/control_bar.h"
#include "framework/bars/toolbar_layout.h"
#include "framework/gdi.h"
#include "framework/ids.h"

class CToolBar : public CControlBar {
  DECLARE_DYNAMIC(CToolBar)
 public:
  CToolBar();
  ~CToolBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  // dwCtrlStyle: toolbar control styles (TBSTYLE_*); dwStyle: window and bar style.
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                UINT nID = AFX_IDW_TOOLBAR);

  void SetSizes(SIZE sizeButton, SIZE sizeImage);
  BOOL LoadToolBar(LPCSTR lpszResourceName);
  BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCEA(nIDResource)); }
  BOOL LoadBitmap(LPCSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCEA(nIDResource)); }
  // Takes the bitmap (one image per button, side by side); the toolbar owns it.
  BOOL SetBitmap(HBITMAP hbmImageWell);
  // ID_SEPARATOR (0) makes a separator; a null array makes nIDCount separators.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

  int GetCount() const;
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  // Button styles: TBBS_* (the control's style in the low byte, its state above).
  UINT GetButtonStyle(int nIndex) const;
  void SetButtonStyle(int nIndex, UINT nStyle);
  // For a separator iImage is its width.
  void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
  void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);
  BOOL SetButtonText(int nIndex, LPCSTR lpszText);
  CString GetButtonText(int nIndex) const;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Applies the button lines of the bar's current place now.
  void Layout();

  BOOL m_bDelayedButtonLayout = TRUE;
  CSize m_sizeButton{23, 22};
  CSize m_sizeImage{16, 15};

  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg BOOL OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult);

 protected:
  BOOL GetButton(int nIndex, TBBUTTON* pButton) const;
  // The items as the arrangement sees them.
  std::vector<ToolItem> Items() const;
  // Arranges for a mode (LM_*) and length; commits the lines to the control
  // when asked or when the mode is the bar's current place.
  CSize CalcLayout(DWORD dwMode, int nLength);
  BOOL IsCurrentPlace(DWORD dwMode) const;
  void CommitWraps(const std::vector<bool>& wrap);
  // The borders and gripper around the buttons.
  CSize BorderSize(BOOL bHorz) const;
  BOOL OnToolTipText(NMHDR* pNMHDR);
  CBitmap m_bmpImageWell;
  std::vector<char> m_tipText;
  std::vector<wchar_t> m_tipTextW;
  DECLARE_MESSAGE_MAP()
};

// The separator width the toolbar gives separators it makes itself.
constexpr int kToolBarSeparatorWidth = 8;
