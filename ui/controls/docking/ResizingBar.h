#pragma once
// CResizingBar: a control bar that docks on any side, shares its dock row with
// other resizing bars (the row's length is shared out among them), floats in a
// CResizingMiniDockFrameWnd and is resized by dragging its inner edge (or the
// edge it shares with a neighbour). Sizes are kept for docking along the top
// or bottom, along a side, and floating; they are not kept between runs.
#include <vector>

#include "framework/framework.h"

// Sizing styles: the edges that size the bar now (recomputed with its
// non-client area) and two options.
#define RBS_EDGELEFT 0x0001
#define RBS_EDGERIGHT 0x0002
#define RBS_EDGETOP 0x0004
#define RBS_EDGEBOTTOM 0x0008
#define RBS_EDGEANY 0x000F
#define RBS_EDGEINSIDE 0x0010  // the edges are taken out of the client area (and drawn)
#define RBS_SIZECHILD 0x0020   // the first child window fills the client area

struct RowBar;

class CResizingBar : public CControlBar {
  DECLARE_DYNAMIC(CResizingBar)
 public:
  CResizingBar();
  ~CResizingBar() override;

  // dwStyle: window style with the bar style (CBRS_*) in it.
  virtual BOOL Create(LPCSTR lpszWindowName, CWnd* pParentWnd, UINT nID,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);
  // Sets all three sizes to sizeDefault first.
  virtual BOOL Create(LPCSTR lpszWindowName, CWnd* pParentWnd, CSize sizeDefault, BOOL bHasGripper, UINT nID,
                      DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP);
  // Allowed sides; makes the bar's CResizingDockContext.
  void EnableDocking(DWORD dwDockStyle);
  BOOL IsFloating() const;
  DWORD GetSizingStyle() const { return m_dwSizingStyle; }
  void SetSizingStyle(DWORD dwStyle) { m_dwSizingStyle = dwStyle; }

  // Sizes in the profile section "<name>-RBar-<id>"; nothing calls them.
  virtual BOOL LoadState(LPCSTR lpszProfileName);
  virtual BOOL SaveState(LPCSTR lpszProfileName);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  // Edge dragging.
  virtual void StartTracking(UINT nHitTest, CPoint point);
  virtual void StopTracking();
  virtual void OnTrackUpdateSize(CPoint point);
  virtual void OnTrackInvertTracker();
  // Painting of the gripper or caption in the non-client area (window coordinates).
  virtual void NcPaintGripper(CDC* pDC, const CRect& rcClient);
  // Takes borders, edges (and gripper) out of a window rectangle.
  virtual void NcCalcClient(LPRECT pRc, UINT nDockBarID);
  // Places the visible bars of this bar's row end to end.
  virtual void AlignControlBars();

  // The visible bars of this bar's row in order (this one included), and
  // this bar's index among them.
  std::vector<CControlBar*> GetRowBars(int* pThisIndex = nullptr) const;
  BOOL IsSideDocked() const { return m_nDockBarID == AFX_IDW_DOCKBAR_LEFT || m_nDockBarID == AFX_IDW_DOCKBAR_RIGHT; }

  CSize m_szHorz{200, 200};
  CSize m_szVert{200, 200};
  CSize m_szFloat{200, 200};
  CSize m_szMinHorz{33, 32};
  CSize m_szMinVert{33, 32};
  CSize m_szMinFloat{37, 32};
  DWORD m_dwSizingStyle = 0;
  UINT m_htEdge = 0;
  int m_nTrackPosMin = 0, m_nTrackPosMax = 0, m_nTrackPosOld = 0, m_nTrackEdgeOfs = 0;
  BOOL m_bTracking = FALSE;
  BOOL m_bKeepSize = FALSE;      // shown while docked: keeps its length once
  BOOL m_bParentSizing = FALSE;  // the frame asked for a layout of length -1
  BOOL m_bDragShowContent = FALSE;
  UINT m_nDockBarID = 0;
  int m_cxEdge = 5;
  // Where the left button last went down in the non-client area: a release
  // on a caption button (close or pin) acts only when the press was on that
  // button, not when a layout change moved it under the pointer meanwhile.
  UINT m_nPressedButton = HTNOWHERE;
  // Whether the release with this hit code ends a press on the same button.
  bool TakePressedButton(UINT nHitTest);

  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnPaint();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
  afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
  afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  afx_msg void OnDestroy();

  static constexpr COLORREF kBackground = RGB(0xCB, 0xDC, 0xF9);

 protected:
  // The sizes kept by LoadState and SaveState, by profile key.
  struct StateValue {
    const char* key;
    LONG* value;
  };
  std::vector<StateValue> StateValues();
  CString StateSection(LPCSTR lpszProfileName) const;
  // The dock bar id this bar is docked in now (AFX_IDW_DOCKBAR_FLOAT floating, 0 none).
  UINT CurrentDockBarID() const;
  BOOL IsHorzRow() const { return !IsSideDocked(); }
  // Sizes of the row's bars as the row arithmetic sees them.
  std::vector<RowBar> RowSizes(const std::vector<CControlBar*>& bars) const;
  // Whether the edge being dragged lies across the row (changes thickness).
  BOOL TrackingAcrossRow() const;
  CRect TrackerRect() const;
  CWindowUpdateLock m_updateLock;
  std::vector<CControlBar*> m_trackRow;
  int m_nTrackIndex = 0;
  DECLARE_MESSAGE_MAP()
};
