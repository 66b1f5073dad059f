#pragma once
// CFrameWnd: a top-level window with a menu, accelerators, bars along its edges
// (laid out through WM_SIZEPARENT) and a view in the space left over. Commands
// go to the active view (and its document) first, then the frame, then the
// application.
#include "framework/collections.h"
#include "framework/create_context.h"
#include "framework/wnd.h"

class CView;
class CDocument;
class CControlBar;
class CDockBar;
class CMiniDockFrameWnd;

#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// Gives a window its place during a WM_SIZEPARENT layout (nothing in query mode).
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
 public:
  CFrameWnd();
  ~CFrameWnd() override;

  static const CRect rectDefault;
  enum { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
              LPCSTR lpszMenuName = nullptr, DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
  // Title, menu, accelerators and icon all come from the one resource id.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
  BOOL LoadAccelTable(LPCSTR lpszResourceName);
  // A frame's title: the string of its resource id up to the first newline.
  static CString TitleFromResource(UINT nIDResource);
  HACCEL GetDefaultAccelerator() { return m_hAccelTable; }

  BOOL IsFrameWnd() const override { return TRUE; }
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

  virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
  virtual void RecalcLayout(BOOL bNotify = TRUE);
  void DelayRecalcLayout(BOOL bNotify = TRUE);
  virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
  void UpdateFrameTitleForDocument(LPCSTR lpszDocName);
  void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
  virtual void ActivateFrame(int nCmdShow = -1);
  void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
  virtual CFrameWnd* GetActiveFrame() { return this; }
  CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
  virtual CDocument* GetActiveDocument();
  void SetTitle(LPCSTR lpszTitle) { m_strTitle = lpszTitle; }
  CString GetTitle() const { return m_strTitle; }
  void SetMessageText(LPCSTR lpszText);
  void SetMessageText(UINT nID);
  CWnd* GetMessageBar();
  virtual void GetMessageString(UINT nID, CString& rMessage) const;
  BOOL InModalState() const;
  // Whether a key for that window gets this frame's accelerators: the frame,
  // its children and the windows it owns (its bars floating or slid out),
  // but never an edit control.
  BOOL IsKeyForFrame(HWND hWnd) const;

  // Docking: dock bars along the sides (in the order top, bottom, left, right),
  // bars docked in them or floating in frames of m_pFloatingFrameClass.
  void EnableDocking(DWORD dwDockStyle);
  // The same with dock bars made by makeDockBar and floating bars in frames
  // of the given class (a themed look).
  void EnableDocking(DWORD dwDockStyle, CRuntimeClass* pFloatingFrameClass, CDockBar* (*makeDockBar)());
  void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
  void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
  void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = 0x2000L /* CBRS_ALIGN_TOP */);
  void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
  CControlBar* GetControlBar(UINT nID);
  // The side (CBRS_ALIGN_*) of the first dock bar allowed by dwDockStyle that a
  // rectangle (screen coordinates) touches, 0 for none.
  DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
  virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
  void AddControlBar(CControlBar* pBar);
  void RemoveControlBar(CControlBar* pBar);
  CRuntimeClass* m_pFloatingFrameClass = nullptr;
  CPtrList m_listControlBars;

  BOOL m_bAutoMenuEnable = TRUE;
  HACCEL m_hAccelTable = nullptr;
  HMENU m_hMenuDefault = nullptr;
  UINT m_nIDHelp = 0;
  UINT m_nIdleFlags = 0;
  CRect m_rectBorder;

  afx_msg int OnCreate(LPCREATESTRUCT lpcs);
  afx_msg void OnDestroy();
  afx_msg void OnClose();
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
  afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
  afx_msg void OnSettingChange(UINT uFlags, LPCSTR lpszSection);
  afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
  afx_msg BOOL OnBarCheck(UINT nID);
  afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);

 protected:
  // Passes the idle update to the floating frames of this frame's bars.
  void UpdateFloatingFrames(WPARAM wParam, LPARAM lParam);
  BOOL OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
  CView* m_pViewActive = nullptr;
  CString m_strTitle;
  UINT m_nIDTracking = 0;
  UINT m_nIDLastMessage = 0;  // the prompt the message bar shows (0: none yet)
  BOOL m_bInRecalcLayout = FALSE;
  // An accelerator with Alt ran, or the mouse was pressed with Alt held,
  // since the last key went down.
  BOOL m_bAltUsed = FALSE;
  DECLARE_MESSAGE_MAP()
};
