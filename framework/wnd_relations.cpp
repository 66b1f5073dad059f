// Relations, styles, geometry, layout, painting and text of a window.
#include "framework/wnd.h"

#include <vector>

#include "framework/app.h"
#include "framework/frame.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/thread_state.h"
#include "framework/ui_seam.h"

// --- Relations ----------------------------------------------------------------------

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
  return FromHandle(::SetParent(m_hWnd, SafeHwnd(pWndNewParent)));
}

CWnd* CWnd::GetOwner() const {
  if (m_hWndOwner) return FromHandle(m_hWndOwner);
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  return FromHandle(owner ? owner : ::GetParent(m_hWnd));
}

void CWnd::SetOwner(CWnd* pOwnerWnd) {
  m_hWndOwner = SafeHwnd(pOwnerWnd);
  if (m_hWnd && !(GetStyle() & WS_CHILD))
    ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(m_hWndOwner));
}

CFrameWnd* CWnd::GetParentFrame() const {
  if (!m_hWnd) return nullptr;
  for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h)) {
    CWnd* pWnd = FromHandlePermanent(h);
    if (pWnd && pWnd->IsFrameWnd()) return static_cast<CFrameWnd*>(pWnd);
  }
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  CFrameWnd* pFrame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
  while (pFrame) {
    CFrameWnd* pNext = pFrame->GetParentFrame();
    if (!pNext) break;
    pFrame = pNext;
  }
  return pFrame;
}

CWnd* CWnd::GetTopLevelParent() const {
  HWND h = m_hWnd;
  while (h && (::GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) h = ::GetParent(h);
  return FromHandle(h);
}

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const {
  for (HWND h = ::GetTopWindow(m_hWnd); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    if (::GetDlgCtrlID(h) == nID) {
      CWnd* p = bOnlyPerm ? FromHandlePermanent(h) : FromHandle(h);
      if (p) return p;
    }
    if (::GetTopWindow(h)) {
      CWnd child(h);
      CWnd* p = child.GetDescendantWindow(nID, bOnlyPerm);
      child.m_hWnd = nullptr;
      if (p) return p;
    }
  }
  return nullptr;
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop) {
  HWND h = pParent ? pParent->m_hWnd : nullptr;
  const bool named = h != nullptr;
  if (!h) {
    CWnd* pMain = AfxGetMainWnd();
    h = pMain ? pMain->m_hWnd : nullptr;
  }
  while (h && (::GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) h = ::GetParent(h);
  // Nobody named: a box or dialog goes on the window in front, the dialog the
  // main window has open if any. Owned by the disabled main window instead, it
  // would enable it on closing and send that dialog behind it.
  if (!named && h) {
    HWND popup = ::GetLastActivePopup(h);
    if (popup && popup != h && ::IsWindowVisible(popup) && ::IsWindowEnabled(popup)) h = popup;
  }
  if (pWndTop) *pWndTop = h;
  return FromHandle(h);
}

// --- Styles and geometry --------------------------------------------------------------

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE));
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongA(hWnd, GWL_STYLE, static_cast<LONG>(newStyle));
  if (nFlags)
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD style = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_EXSTYLE));
  DWORD newStyle = (style & ~dwRemove) | dwAdd;
  if (style == newStyle) return FALSE;
  ::SetWindowLongA(hWnd, GWL_EXSTYLE, static_cast<LONG>(newStyle));
  if (nFlags)
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

void CWnd::DragAcceptFiles(BOOL bAccept) {
  ModifyStyleEx(bAccept ? 0 : WS_EX_ACCEPTFILES, bAccept ? WS_EX_ACCEPTFILES : 0, 0);
}

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
  return ::SetWindowPos(m_hWnd, SafeHwnd(pWndInsertAfter), x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  CRect area;
  HWND center = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
  if (GetStyle() & WS_CHILD) center = ::GetParent(m_hWnd);
  if (center && ::IsWindowVisible(center) && !::IsIconic(center)) {
    ::GetWindowRect(center, &area);
    if (GetStyle() & WS_CHILD) ::MapWindowPoints(nullptr, center, reinterpret_cast<LPPOINT>(&area), 2);
  } else {
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  CRect rc;
  GetWindowRect(&rc);
  if (GetStyle() & WS_CHILD) ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<LPPOINT>(&rc), 2);
  int x = area.left + (area.Width() - rc.Width()) / 2;
  int y = area.top + (area.Height() - rc.Height()) / 2;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Asks each child in z-order for its share of the client area (WM_SIZEPARENT),
// then gives the child nIDLeftOver what is left. In query mode nothing moves and
// lpRectParam receives the space left.
void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag,
                          LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch) {
  AFX_SIZEPARENTPARAMS layout{};
  HWND hWndLeftOver = nullptr;
  layout.bStretch = bStretch;
  layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
  if (lpRectClient)
    layout.rect = *lpRectClient;
  else
    ::GetClientRect(m_hWnd, &layout.rect);
  if ((nFlag & ~reposNoPosLeftOver) != reposQuery) layout.hDWP = ::BeginDeferWindowPos(8);
  for (HWND hChild = ::GetTopWindow(m_hWnd); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    UINT nIDC = static_cast<UINT>(::GetDlgCtrlID(hChild));
    if (nIDC == nIDLeftOver)
      hWndLeftOver = hChild;
    else if (nIDC >= nIDFirst && nIDC <= nIDLast)
      ::SendMessageA(hChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
  }
  if ((nFlag & ~reposNoPosLeftOver) == reposQuery) {
    if (bStretch)
      *lpRectParam = layout.rect;
    else {
      lpRectParam->left = lpRectParam->top = 0;
      lpRectParam->right = layout.sizeTotal.cx;
      lpRectParam->bottom = layout.sizeTotal.cy;
    }
    return;
  }
  if (nIDLeftOver && hWndLeftOver && !(nFlag & reposNoPosLeftOver)) {
    if (nFlag == reposExtra && lpRectParam) {
      layout.rect.left += lpRectParam->left;
      layout.rect.top += lpRectParam->top;
      layout.rect.right -= lpRectParam->right;
      layout.rect.bottom -= lpRectParam->bottom;
    }
    CWnd* pLeftOver = FromHandle(hWndLeftOver);
    pLeftOver->CalcWindowRect(&layout.rect);
    if (layout.hDWP)
      layout.hDWP = ::DeferWindowPos(layout.hDWP, hWndLeftOver, nullptr, layout.rect.left,
                                     layout.rect.top, layout.rect.right - layout.rect.left,
                                     layout.rect.bottom - layout.rect.top,
                                     SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
}

// --- Painting, text and menus -----------------------------------------------------------

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }
CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }

void CWnd::GetWindowText(CString& rString) const {
  int n = ::GetWindowTextLengthA(m_hWnd);
  char* buffer = rString.GetBuffer(n + 1);
  ::GetWindowTextA(m_hWnd, buffer, n + 1);
  rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  HWND h = ::GetDlgItem(m_hWnd, nID);
  rString.Empty();
  if (!h) return 0;
  CWnd item(h);
  item.GetWindowText(rString);
  item.m_hWnd = nullptr;
  return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->GetSafeHandle() : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const {
  return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }

BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr); }

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
  if (!lpszCaption) {
    CWinApp* pApp = AfxGetApp();
    lpszCaption = pApp && pApp->m_pszAppName ? pApp->m_pszAppName : "";
  }
  return AfxGetUiSeam()->MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT) {
  CWinApp* pApp = AfxGetApp();
  if (pApp) return pApp->DoMessageBox(lpszText, nType, 0);
  HWND hOwner = nullptr;
  CWnd::GetSafeOwner(nullptr, &hOwner);
  return AfxGetUiSeam()->MessageBox(hOwner, lpszText, "", nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
  CString text;
  text.LoadString(nIDPrompt);
  return AfxMessageBox(text, nType, nIDHelp);
}
