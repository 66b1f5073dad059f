#include "framework/frame.h"

#include "framework/app.h"
#include "framework/bars/control_bar.h"
#include "framework/bars/dock_bar.h"
#include "framework/document.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/resources.h"
#include "framework/view.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_CLOSE()
  ON_WM_SIZE()
  ON_WM_SETFOCUS()
  ON_WM_ERASEBKGND()
  ON_WM_INITMENUPOPUP()
  ON_WM_MENUSELECT()
  ON_WM_SYSCOMMAND()
  ON_WM_SETTINGCHANGE()
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
  ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
END_MESSAGE_MAP()

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect) {
  if (!lpLayout->hDWP) return;  // query mode: only the sizes count
  CRect rectOld;
  ::GetWindowRect(hWnd, &rectOld);
  HWND hParent = ::GetParent(hWnd);
  ::MapWindowPoints(nullptr, hParent, reinterpret_cast<LPPOINT>(&rectOld), 2);
  if (rectOld == *lpRect) return;
  lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top,
                                    lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                                    SWP_NOACTIVATE | SWP_NOZORDER);
}

CFrameWnd::CFrameWnd() = default;

void CFrameWnd::OnSettingChange(UINT uFlags, LPCSTR lpszSection) {
  Default();
  // The system tells top-level windows only; bars and views inside follow it too.
  SendMessageToDescendants(WM_SETTINGCHANGE, uFlags, reinterpret_cast<LPARAM>(lpszSection), TRUE, TRUE);
}

CFrameWnd::~CFrameWnd() {
  if (m_hMenuDefault && ::IsMenu(m_hMenuDefault) && (!m_hWnd || ::GetMenu(m_hWnd) != m_hMenuDefault))
    ::DestroyMenu(m_hMenuDefault);
  if (m_hAccelTable) ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass) {
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!cs.lpszClass) return FALSE;
  }
  if ((cs.style & FWS_ADDTOTITLE) && !(cs.style & WS_CHILD)) cs.style |= FWS_PREFIXTITLE;
  cs.dwExStyle |= WS_EX_CLIENTEDGE;
  return TRUE;
}

BOOL CFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  HMENU hMenu = nullptr;
  if (lpszMenuName) {
    hMenu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
    if (!hMenu) {
      PostNcDestroy();
      return FALSE;
    }
  }
  m_strTitle = lpszWindowName;
  HWND hWndParent = SafeHwnd(pParentWnd);
  // rectDefault lets the system choose position and size.
  bool systemChooses = rect.left == CW_USEDEFAULT;
  int width = systemChooses ? CW_USEDEFAULT : rect.right - rect.left;
  int height = systemChooses ? CW_USEDEFAULT : rect.bottom - rect.top;
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, width, height,
                hWndParent, hMenu, pContext)) {
    if (hMenu) ::DestroyMenu(hMenu);
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString title = TitleFromResource(nIDResource);
  if (title.IsEmpty()) {
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pszAppName) title = pApp->m_pszAppName;
  }
  HICON hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
  LPCSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                         reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
  HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
  m_strTitle = title;
  if (!CreateEx(0, lpszClass, title, dwDefaultStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                CW_USEDEFAULT, SafeHwnd(pParentWnd), hMenu, pContext)) {
    if (hMenu) ::DestroyMenu(hMenu);
    return FALSE;
  }
  m_hMenuDefault = ::GetMenu(m_hWnd);
  LoadAccelTable(MAKEINTRESOURCEA(nIDResource));
  if (!pContext) SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  return TRUE;
}

CString CFrameWnd::TitleFromResource(UINT nIDResource) {
  CString title;
  title.LoadString(nIDResource);
  int newline = title.Find('\n');
  return newline >= 0 ? title.Left(newline) : title;
}

BOOL CFrameWnd::LoadAccelTable(LPCSTR lpszResourceName) {
  if (m_hAccelTable) return FALSE;
  m_hAccelTable = ::LoadAcceleratorsA(AfxGetResourceHandle(), lpszResourceName);
  return m_hAccelTable != nullptr;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  CCreateContext* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  return OnCreateHelper(lpcs, pContext) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext) {
  if (CWnd::OnCreate(lpcs) == -1) return FALSE;
  if (!OnCreateClient(lpcs, pContext)) return FALSE;
  RecalcLayout();
  return TRUE;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
  if (pContext && pContext->m_pNewViewClass) {
    if (!CreateView(pContext, AFX_IDW_PANE_FIRST)) return FALSE;
  }
  return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
  CObject* pObject = pContext->m_pNewViewClass->CreateObject();
  CWnd* pView = DYNAMIC_DOWNCAST(CWnd, pObject);
  if (!pView) {
    delete pObject;
    return nullptr;
  }
  // The view deletes itself when its window goes (also when creation fails).
  if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
    return nullptr;
  if (pView->GetExStyle() & WS_EX_CLIENTEDGE) ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
  return pView;
}

void CFrameWnd::RecalcLayout(BOOL) {
  if (m_bInRecalcLayout) return;  // a bar's layout may ask for another one
  m_bInRecalcLayout = TRUE;
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  if (GetStyle() & FWS_SNAPTOBARS) {
    // The frame takes the size its bars ask for.
    CRect rect(0, 0, 32767, 32767);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
    CalcWindowRect(&rect);
    SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
  } else {
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
  }
  m_bInRecalcLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL) { m_nIdleFlags |= idleLayout; }

void CFrameWnd::OnSize(UINT nType, int cx, int cy) {
  CWnd::OnSize(nType, cx, cy);
  if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
  if (!(GetStyle() & FWS_ADDTOTITLE)) return;
  CDocument* pDoc = GetActiveDocument();
  UpdateFrameTitleForDocument(bAddToTitle && pDoc ? pDoc->GetTitle().GetString() : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCSTR lpszDocName) {
  CString text;
  if (lpszDocName && *lpszDocName) {
    if (GetStyle() & FWS_PREFIXTITLE)
      text = CString(lpszDocName) + " - " + m_strTitle;
    else
      text = m_strTitle + " - " + lpszDocName;
  } else {
    text = m_strTitle;
  }
  CString current;
  GetWindowText(current);
  if (current != text) SetWindowText(text);
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
  if (nCmdShow == -1) nCmdShow = IsWindowVisible() ? (IsIconic() ? SW_RESTORE : SW_SHOW) : SW_SHOW;
  ShowWindow(nCmdShow);
  if (IsWindowVisible()) BringWindowToTop();
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
  if (!m_pViewActive) {
    CWnd* pPane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
    if (CView* pView = DYNAMIC_DOWNCAST(CView, pPane)) SetActiveView(pView, FALSE);
  }
  SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
  if (bMakeVisible) {
    CWinApp* pApp = AfxGetApp();
    int nCmdShow = pApp && pApp->m_pMainWnd == this ? pApp->m_nCmdShow : -1;
    ActivateFrame(nCmdShow);
    if (m_pViewActive) m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
  }
  (void)pDoc;
  OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* pViewOld = m_pViewActive;
  if (pViewNew == pViewOld) return;
  m_pViewActive = nullptr;
  if (pViewOld && bNotify) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
  m_pViewActive = pViewNew;
  if (pViewNew && bNotify) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() {
  return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  // View (and its document) first, then this frame, then the application.
  if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* pApp = AfxGetApp();
  return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::InModalState() const { return m_hWnd && !::IsWindowEnabled(m_hWnd); }

BOOL CFrameWnd::IsKeyForFrame(HWND hWnd) const {
  if (!hWnd) return FALSE;
  // An edit control keeps its editing keys (Ctrl+Z, Delete, the clipboard's).
  char cls[16] = "";
  ::GetClassNameA(hWnd, cls, sizeof cls);
  if (lstrcmpiA(cls, "Edit") == 0) return FALSE;
  if (hWnd == m_hWnd || ::IsChild(m_hWnd, hWnd)) return TRUE;
  // A bar floating or slid out lies in a top-level window this frame owns.
  for (HWND owner = ::GetWindow(::GetAncestor(hWnd, GA_ROOT), GW_OWNER); owner; owner = ::GetWindow(owner, GW_OWNER))
    if (owner == m_hWnd) return TRUE;
  return FALSE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  const UINT message = pMsg->message;
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) {
    // Alt held through a click (selecting inside frames) is Alt used; the
    // next key pressed, Alt again among them, starts afresh.
    if (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)) m_bAltUsed = TRUE;
    return FALSE;
  }
  if (message >= WM_KEYFIRST && message <= WM_KEYLAST && m_hAccelTable) {
    // No accelerators while a modal dialog has disabled this frame, and only
    // for keys meant for this frame, its children or its bars.
    if (InModalState()) return FALSE;
    if (!IsKeyForFrame(pMsg->hwnd)) return FALSE;
    // A held key repeating is no new press: Alt held through a drag stays used.
    const bool keyPressed = (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && !(pMsg->lParam & (1L << 30));
    if (keyPressed) m_bAltUsed = FALSE;
    if (!::TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg)) return FALSE;
    if (message == WM_SYSKEYDOWN) m_bAltUsed = TRUE;
    return TRUE;
  }
  return FALSE;
}

void CFrameWnd::OnSysCommand(UINT nID, LPARAM lParam) {
  // The key of an accelerator with Alt went to the accelerator, not to the
  // system, and a click is no key at all: letting go of Alt then looks to it
  // like a press of Alt alone, and it would put the menu bar in keyboard mode.
  if ((nID & 0xFFF0) == SC_KEYMENU && lParam == 0 && m_bAltUsed) {
    m_bAltUsed = FALSE;
    return;
  }
  Default();
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu) {
  if (bSysMenu || !pMenu) return;
  CCmdUI state;
  state.m_pMenu = pMenu;
  state.m_nIndexMax = pMenu->GetMenuItemCount();
  for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
    state.m_nID = pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex));
    if (state.m_nID == 0) continue;  // separator
    if (state.m_nID == static_cast<UINT>(-1)) {
      // A popup item follows the state of its first command.
      CMenu* pSub = pMenu->GetSubMenu(static_cast<int>(state.m_nIndex));
      if (!pSub) continue;
      state.m_nID = pSub->GetMenuItemID(0);
      if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
      state.m_pSubMenu = pSub;
      state.DoUpdate(this, FALSE);
      state.m_pSubMenu = nullptr;
    } else {
      // System commands (ids from 0xF000) are Windows' own.
      state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
    }
    UINT nCount = pMenu->GetMenuItemCount();
    if (nCount < state.m_nIndexMax) {
      // An update handler removed items: stay at this index.
      state.m_nIndex -= (state.m_nIndexMax - nCount);
      while (state.m_nIndex < nCount && pMenu->GetMenuItemID(static_cast<int>(state.m_nIndex)) == state.m_nID)
        ++state.m_nIndex;
    }
    state.m_nIndexMax = nCount;
  }
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam) {
  if (m_nIdleFlags & idleLayout) RecalcLayout(m_nIdleFlags & idleNotify);
  if (m_nIdleFlags & idleTitle) OnUpdateFrameTitle(TRUE);
  m_nIdleFlags = 0;
  // A new status bar starts with the idle prompt.
  if (m_nIDLastMessage == 0 && GetMessageBar()) SetMessageText(AFX_IDS_IDLEMESSAGE);
  // Floating bars are not descendants of this frame: their frames get the pass here.
  UpdateFloatingFrames(wParam, lParam);
  return 0;
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam) {
  CWnd* pBar = GetMessageBar();
  if (!pBar) return 0;
  m_nIDLastMessage = lParam ? AFX_IDS_IDLEMESSAGE : static_cast<UINT>(wParam);
  CString text;
  if (lParam)
    text = reinterpret_cast<LPCSTR>(lParam);
  else if (wParam)
    GetMessageString(static_cast<UINT>(wParam), text);
  pBar->SetWindowText(text);
  return 0;
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const {
  rMessage.LoadString(nID);
  int newline = rMessage.Find('\n');
  if (newline >= 0) rMessage = rMessage.Left(newline);
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::SetMessageText(LPCSTR lpszText) {
  SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID); }

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) {
  if (nFlags == 0xFFFF && !hSysMenu) {
    m_nIDTracking = AFX_IDS_IDLEMESSAGE;
  } else if (!(nFlags & (MF_SEPARATOR | MF_POPUP))) {
    m_nIDTracking = nItemID;
  }
  if (GetMessageBar()) SendMessage(WM_SETMESSAGESTRING, m_nIDTracking);
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
  if (m_pViewActive && m_pViewActive->m_hWnd)
    m_pViewActive->SetFocus();
  else
    CWnd::OnSetFocus(pOldWnd);
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
  // The view covers the client area; erasing under it only flickers.
  if (m_pViewActive && m_pViewActive->m_hWnd) return TRUE;
  return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::OnClose() {
  CDocument* pDoc = GetActiveDocument();
  if (pDoc && !pDoc->CanCloseFrame(this)) return;
  CWinApp* pApp = AfxGetApp();
  if (pApp && pApp->m_pMainWnd == this) {
    if (!pDoc && !pApp->SaveAllModified()) return;
    pApp->CloseAllDocuments(FALSE);
    // Closing the documents may have destroyed (and deleted) this frame.
    if (!pApp->m_pMainWnd) return;
  }
  if (pDoc && pDoc->m_bAutoDelete) {
    pDoc->OnCloseDocument();  // destroys the frames of the document, this one too
    return;
  }
  DestroyWindow();
}

void CFrameWnd::OnDestroy() {
  if (m_hMenuDefault && ::GetMenu(m_hWnd) == m_hMenuDefault) {
    ::SetMenu(m_hWnd, nullptr);  // the destructor destroys it
  }
  CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI) {
  if (CControlBar* pControlBar = GetControlBar(pCmdUI->m_nID)) {
    pCmdUI->Enable(TRUE);
    pCmdUI->SetCheck(pControlBar->IsVisible());
    return;
  }
  CWnd* pBar = GetDescendantWindow(static_cast<int>(pCmdUI->m_nID), TRUE);
  pCmdUI->Enable(pBar != nullptr);
  pCmdUI->SetCheck(pBar && pBar->IsWindowVisible());
}

BOOL CFrameWnd::OnBarCheck(UINT nID) {
  if (CControlBar* pControlBar = GetControlBar(nID)) {
    ShowControlBar(pControlBar, !pControlBar->IsVisible(), FALSE);
    return TRUE;
  }
  CWnd* pBar = GetDescendantWindow(static_cast<int>(nID), TRUE);
  if (!pBar) return FALSE;
  pBar->ShowWindow(pBar->IsWindowVisible() ? SW_HIDE : SW_SHOW);
  RecalcLayout();
  return TRUE;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI) {
  UINT vk = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL
            : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                : VK_SCROLL;
  pCmdUI->Enable(::GetKeyState(static_cast<int>(vk)) & 1);
}
