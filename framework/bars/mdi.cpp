#include "framework/bars/mdi.h"

#include "framework/app.h"
#include "framework/menu.h"
#include "framework/resources.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
  ON_WM_CREATE()
END_MESSAGE_MAP()

// --- CMDIFrameWnd -------------------------------------------------------------------

CMDIFrameWnd::CMDIFrameWnd() = default;

HMENU CMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar) {
  // The last popup of the menu bar lists the children.
  if (!hMenuBar) return nullptr;
  for (int i = ::GetMenuItemCount(hMenuBar) - 1; i >= 0; --i)
    if (HMENU hPopup = ::GetSubMenu(hMenuBar, i)) return hPopup;
  return nullptr;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*) {
  CMenu* pMenu = lpcs->hMenu ? CMenu::FromHandle(GetWindowMenuPopup(lpcs->hMenu)) : nullptr;
  return CreateClient(lpcs, pMenu);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu) {
  CLIENTCREATESTRUCT ccs{};
  ccs.hWindowMenu = pWindowMenu ? pWindowMenu->m_hMenu : nullptr;
  ccs.idFirstChild = AFX_IDW_PANE_FIRST + 1;  // the client itself is the first pane
  m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL,
                                      0, 0, 0, 0, m_hWnd,
                                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                      AfxGetInstanceHandle(), &ccs);
  return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (m_hWndMDIClient && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
      ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
    return TRUE;
  return CFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  // The children's entries of the window menu activate them.
  HWND hChild = ::GetDlgItem(m_hWndMDIClient, LOWORD(wParam));
  if (lParam == 0 && hChild && LOWORD(wParam) > AFX_IDW_PANE_FIRST) {
    ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hChild), 0);
    return TRUE;
  }
  // Menu commands go to the active child (its view and document) first.
  CMDIChildWnd* pActive = MDIGetActive();
  if (lParam == 0 && pActive && pActive->OnCommand(wParam, lParam)) return TRUE;
  return CFrameWnd::OnCommand(wParam, lParam);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const {
  BOOL bMax = FALSE;
  HWND h = m_hWndMDIClient ? reinterpret_cast<HWND>(::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                                   reinterpret_cast<LPARAM>(&bMax)))
                           : nullptr;
  if (pbMaximized) *pbMaximized = bMax;
  return DYNAMIC_DOWNCAST(CMDIChildWnd, FromHandlePermanent(h));
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate) {
  ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(SafeHwnd(pWndActivate)), 0);
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame() {
  CMDIChildWnd* pActive = MDIGetActive();
  return pActive ? static_cast<CFrameWnd*>(pActive) : this;
}

// --- CMDIChildWnd -------------------------------------------------------------------

CMDIChildWnd::CMDIChildWnd() = default;

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.style |= WS_CHILD;
  cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  return TRUE;
}

BOOL CMDIChildWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext) {
  if (!pParentWnd) pParentWnd = DYNAMIC_DOWNCAST(CMDIFrameWnd, AfxGetMainWnd());
  if (!pParentWnd || !pParentWnd->m_hWndMDIClient) return FALSE;
  m_strTitle = lpszWindowName;
  CREATESTRUCTA cs{};
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = static_cast<LONG>(dwStyle);
  cs.dwExStyle = WS_EX_MDICHILD;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  MDICREATESTRUCTA mcs{};
  mcs.szClass = cs.lpszClass;
  mcs.szTitle = lpszWindowName ? lpszWindowName : "";
  mcs.hOwner = AfxGetInstanceHandle();
  bool systemChooses = rect.left == CW_USEDEFAULT;
  mcs.x = systemChooses ? CW_USEDEFAULT : rect.left;
  mcs.y = systemChooses ? CW_USEDEFAULT : rect.top;
  mcs.cx = systemChooses ? CW_USEDEFAULT : rect.right - rect.left;
  mcs.cy = systemChooses ? CW_USEDEFAULT : rect.bottom - rect.top;
  mcs.style = static_cast<DWORD>(cs.style) & ~static_cast<DWORD>(WS_MAXIMIZE | WS_VISIBLE);
  mcs.lParam = reinterpret_cast<LPARAM>(pContext);
  // The object is attached while the client creates the window.
  AfxHookWindowCreate(this);
  HWND hWnd = reinterpret_cast<HWND>(
      ::SendMessageA(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  if (!AfxUnhookWindowCreate()) {
    PostNcDestroy();
    return FALSE;
  }
  if (!hWnd) return FALSE;  // destroyed (and deleted) during creation
  ShowWindow((cs.style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : ((cs.style & WS_VISIBLE) ? SW_SHOWNORMAL : SW_HIDE));
  return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  m_nIDHelp = nIDResource;
  CString title = TitleFromResource(nIDResource);
  return Create(nullptr, title, dwDefaultStyle, rectDefault, DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd), pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs) {
  // The creation data of an MDI child is the client's record; ours is inside it.
  auto* pMdi = static_cast<MDICREATESTRUCTA*>(lpcs->lpCreateParams);
  CCreateContext* pContext = pMdi ? reinterpret_cast<CCreateContext*>(pMdi->lParam) : nullptr;
  return OnCreateHelper(lpcs, pContext) ? 0 : -1;
}

BOOL CMDIChildWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  // The client removes its child (and its entry in the window menu).
  MDIDestroy();
  return TRUE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const {
  HWND hClient = ::GetParent(m_hWnd);
  return DYNAMIC_DOWNCAST(CMDIFrameWnd, FromHandlePermanent(::GetParent(hClient)));
}
