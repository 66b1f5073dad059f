// The default message handlers of CWnd: a derived class's handler calls these to
// get the window's standard behaviour.
#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/thread_state.h"
#include "framework/wnd.h"

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
void CWnd::OnDestroy() { Default(); }

void CWnd::OnNcDestroy() {
  Default();
  // The object lets go of the handle; PostNcDestroy may delete the object.
  HWND h = m_hWnd;
  if (h && FromHandlePermanent(h) == this) {
    Detach();
    PostNcDestroy();
  }
}

void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnEnterSizeMove() { Default(); }
void CWnd::OnExitSizeMove() { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSettingChange(UINT, LPCSTR) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }

void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {
  const MSG& msg = AfxGetThreadState().m_lastSentMsg;
  if (msg.lParam && ReflectLastMsg(reinterpret_cast<HWND>(msg.lParam))) return;
  Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {
  const MSG& msg = AfxGetThreadState().m_lastSentMsg;
  if (msg.lParam && ReflectLastMsg(reinterpret_cast<HWND>(msg.lParam))) return;
  Default();
}

namespace {
// The popup (or bar) that contains the item, searching submenus depth first.
HMENU findPopupWithItem(HMENU hMenu, UINT nID) {
  int count = ::GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    HMENU hSub = ::GetSubMenu(hMenu, i);
    if (hSub) {
      if (HMENU found = findPopupWithItem(hSub, nID)) return found;
    } else if (::GetMenuItemID(hMenu, i) == nID) {
      return hMenu;
    }
  }
  return nullptr;
}
}  // namespace

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDIS) {
  if (lpDIS->CtlType == ODT_MENU) {
    CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDIS->hwndItem));
    if (pMenu) {
      pMenu->DrawItem(lpDIS);
      return;
    }
  } else if (ReflectLastMsg(lpDIS->hwndItem)) {
    return;
  }
  Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMIS) {
  if (lpMIS->CtlType == ODT_MENU) {
    // The item belongs to the menu being tracked or to this window's menu bar.
    AfxThreadState& state = AfxGetThreadState();
    HMENU hPopup = nullptr;
    if (state.m_hTrackingWindow == m_hWnd && state.m_hTrackingMenu)
      hPopup = findPopupWithItem(state.m_hTrackingMenu, lpMIS->itemID);
    if (!hPopup && ::GetMenu(m_hWnd)) hPopup = findPopupWithItem(::GetMenu(m_hWnd), lpMIS->itemID);
    if (!hPopup && ::GetSystemMenu(m_hWnd, FALSE))
      hPopup = findPopupWithItem(::GetSystemMenu(m_hWnd, FALSE), lpMIS->itemID);
    CMenu* pMenu = hPopup ? CMenu::FromHandlePermanent(hPopup) : nullptr;
    if (pMenu) {
      pMenu->MeasureItem(lpMIS);
      return;
    }
  } else {
    HWND hChild = ::GetDlgItem(m_hWnd, static_cast<int>(lpMIS->CtlID));
    if (hChild && ReflectLastMsg(hChild)) return;
  }
  Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT) {
  LRESULT lResult = 0;
  if (pWnd && ReflectLastMsg(pWnd->m_hWnd, &lResult)) return reinterpret_cast<HBRUSH>(lResult);
  return reinterpret_cast<HBRUSH>(Default());
}
