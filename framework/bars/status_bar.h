#pragma once
// CStatusBar: a control bar over the system's status control. Each pane shows
// an indicator (its text from the string table sizes it) or the message pane;
// update handlers enable panes at idle time (the frame's key-state handlers
// show "CAP", "NUM" and "SCRL" only while the key is on) and set their texts;
// the window text is the first pane (the frame's prompts go there).
#include <vector>

#include "framework/bars/control_bar.h"
#include "framework/ids.h"

// Right edges of panes in a status bar of a given width: every pane is its
// width plus the gap, the stretching pane (the first with SBPS_STRETCH) takes
// what is left.
std::vector<int> StatusPaneRightEdges(const std::vector<int>& widths, const std::vector<UINT>& styles,
                                      int clientWidth, int gap);

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)
 public:
  CStatusBar();
  ~CStatusBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
              UINT nID = AFX_IDW_STATUS_BAR);
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
  // ID_SEPARATOR gives an empty pane (the first one stretches); other ids need a
  // string, whose text sizes the pane. False when a string is missing.
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  int GetCount() const { return static_cast<int>(m_panes.size()); }
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);
  CString GetPaneText(int nIndex) const;
  void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
  BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);

 protected:
  struct Pane {
    UINT nID = 0;
    UINT nStyle = 0;
    int cxText = 0;
    CString text;
  };
  // Gives the control its parts and (optionally) every pane's text.
  void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
  void ShowPaneText(int nIndex);
  int TextWidth(LPCSTR lpszText) const;
  std::vector<Pane> m_panes;
  DECLARE_MESSAGE_MAP()
};
