#include "framework/menu.h"

#include "framework/handle_map.h"
#include "framework/resources.h"
#include "framework/thread_state.h"
#include "framework/wnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {
CHandleMap<CMenu, HMENU>* menuMapIfAlive() {
  return AfxThreadHandleMap<CMenu, HMENU>([](CMenu* p, HMENU h) { p->m_hMenu = h; });
}
CHandleMap<CMenu, HMENU>& menuMap() { return *menuMapIfAlive(); }

// Records the tracked menu for the duration of a TrackPopupMenu call.
class CTrackingScope {
 public:
  CTrackingScope(HWND hWnd, HMENU hMenu) : m_state(AfxGetThreadState()) {
    m_savedWnd = m_state.m_hTrackingWindow;
    m_savedMenu = m_state.m_hTrackingMenu;
    m_state.m_hTrackingWindow = hWnd;
    m_state.m_hTrackingMenu = hMenu;
  }
  ~CTrackingScope() {
    m_state.m_hTrackingWindow = m_savedWnd;
    m_state.m_hTrackingMenu = m_savedMenu;
  }
  CTrackingScope(const CTrackingScope&) = delete;
  CTrackingScope& operator=(const CTrackingScope&) = delete;

 private:
  AfxThreadState& m_state;
  HWND m_savedWnd;
  HMENU m_savedMenu;
};
}  // namespace

CMenu::~CMenu() {
  if (!menuMapIfAlive()) {
    if (m_hMenu) ::DestroyMenu(m_hMenu);
    return;
  }
  DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu) { return menuMap().FromHandle(hMenu); }

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) { return menuMap().LookupPermanent(hMenu); }

BOOL CMenu::Attach(HMENU hNewMenu) {
  if (!hNewMenu || m_hMenu) return FALSE;
  m_hMenu = hNewMenu;
  menuMap().SetPermanent(hNewMenu, this);
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU h = m_hMenu;
  AfxForgetPermanent(menuMapIfAlive(), h, this);
  m_hMenu = nullptr;
  return h;
}

BOOL CMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEA(nIDResource)); }

BOOL CMenu::LoadMenu(LPCSTR lpszResourceName) {
  return Attach(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::DestroyMenu() {
  if (!m_hMenu) return FALSE;
  return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
  int n = ::GetMenuStringA(m_hMenu, nIDItem, nullptr, 0, nFlags);
  char* buffer = rString.GetBuffer(n + 1);
  ::GetMenuStringA(m_hMenu, nIDItem, buffer, n + 1, nFlags);
  rString.ReleaseBuffer();
  return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
  CTrackingScope scope(CWnd::SafeHwnd(pWnd), m_hMenu);
  return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, CWnd::SafeHwnd(pWnd), lpRect);
}

BOOL CMenu::TrackPopupMenuEx(UINT fuFlags, int x, int y, CWnd* pWnd, LPTPMPARAMS lptpm) {
  CTrackingScope scope(CWnd::SafeHwnd(pWnd), m_hMenu);
  return ::TrackPopupMenuEx(m_hMenu, fuFlags, x, y, CWnd::SafeHwnd(pWnd), lptpm);
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

HMENU CMenu::GetTrackingMenu() { return AfxGetThreadState().m_hTrackingMenu; }
HWND CMenu::GetTrackingWindow() { return AfxGetThreadState().m_hTrackingWindow; }
