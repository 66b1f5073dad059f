#pragma once
// The members of CSkinFrame<T>; included only where the template is
// instantiated.
#include <type_traits>

#include "ui/frames/MenuBarPainting.h"
#include "ui/frames/SkinFrame.h"
#include "ui/menus/colors/SkinColors.h"
#include "ui/menus/core/SkinState.h"

BEGIN_TEMPLATE_MESSAGE_MAP(CSkinFrame, T, T)
  ON_WM_MEASUREITEM()
  ON_WM_MENUCHAR()
  ON_WM_INITMENUPOPUP()
  ON_WM_ENTERMENULOOP()
  ON_WM_EXITMENULOOP()
  ON_WM_TIMER()
  ON_WM_CREATE()
  ON_WM_NCHITTEST()
  ON_WM_DESTROY()
  ON_WM_NCDESTROY()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_NCPAINT()
  ON_WM_PAINT()
  ON_WM_ACTIVATEAPP()
  ON_WM_ACTIVATE()
END_MESSAGE_MAP()

template <class T>
CSkinFrame<T>::~CSkinFrame() {
  // The default menu belongs to its CSkinMenu, which destroys it: the frame
  // must not destroy it a second time.
  if constexpr (std::is_base_of_v<CFrameWnd, T>) {
    if (this->m_hMenuDefault == m_DefaultMenu.m_hMenu) this->m_hMenuDefault = nullptr;
  }
}

template <class T>
void CSkinFrame<T>::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (!CSkinMenu::OnMeasureItem(this->m_hWnd, lpMeasureItemStruct)) T::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

template <class T>
LRESULT CSkinFrame<T>::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu) {
  if (pMenu && DYNAMIC_DOWNCAST(CSkinMenu, CMenu::FromHandlePermanent(pMenu->m_hMenu)))
    return CSkinMenu::OnMenuChar(nChar, nFlags, pMenu);
  return T::OnMenuChar(nChar, nFlags, pMenu);
}

template <class T>
void CSkinFrame<T>::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) {
  T::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
  CSkinMenu::OnInitMenuPopup(this->m_hWnd, pPopupMenu, nIndex, bSysMenu);
}

template <class T>
void CSkinFrame<T>::StopHotTracking() {
  if (m_nTimerID) FreeTimerId(this->m_hWnd, m_nTimerID);
  m_nTimerID = 0;
  if (m_nHotItem >= 0 && ::IsWindow(this->m_hWnd)) {
    HMENU hMenu = ::GetMenu(this->m_hWnd);
    const HotTrackStates states = HotTrackStatesFor(FocusIsIn(this->m_hWnd), SkinOs().osClass);
    if (hMenu) RedrawMenuBarItem(this->m_hWnd, hMenu, m_nHotItem, states.normal);
  }
  m_nHotItem = -1;
}

template <class T>
void CSkinFrame<T>::OnEnterMenuLoop(BOOL bIsTrackPopupMenu) {
  m_bInMenuLoop = 1;
  StopHotTracking();
  T::OnEnterMenuLoop(bIsTrackPopupMenu);
}

template <class T>
void CSkinFrame<T>::OnExitMenuLoop(BOOL bIsTrackPopupMenu) {
  m_bInMenuLoop = 0;
  T::OnExitMenuLoop(bIsTrackPopupMenu);
}

template <class T>
void CSkinFrame<T>::OnTimer(UINT_PTR nIDEvent) {
  T::OnTimer(nIDEvent);
  if (nIDEvent != m_nTimerID || !m_nTimerID) return;
  // The mouse may rest on the item or have left the bar: ask again.
  POINT cursor;
  ::GetCursorPos(&cursor);
  this->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y));
}

template <class T>
int CSkinFrame<T>::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (T::OnCreate(lpCreateStruct) == -1) return -1;
  m_SystemMenu.FreeItems();
  if (HMENU hSystem = ::GetSystemMenu(this->m_hWnd, FALSE)) m_SystemMenu.Attach(hSystem);
  // A window made with a plain menu (a document template's frame) has it
  // themed now, before the rest of its creation gives it icons.
  HMENU hBar = ::GetMenu(this->m_hWnd);
  if (hBar && !m_DefaultMenu.m_hMenu && !(this->GetStyle() & WS_CHILD) && m_DefaultMenu.LoadMenu(hBar)) {
    CSkinMenu::SetMenuBarBrush(hBar);
    ::DrawMenuBar(this->m_hWnd);
  }
  return 0;
}

template <class T>
LRESULT CSkinFrame<T>::OnNcHitTest(CPoint point) {
  const LRESULT hit = T::OnNcHitTest(point);
  if (SystemTracksMenuBar(SkinOs())) return hit;
  HWND hWnd = this->m_hWnd;
  const HotTrackStates states = HotTrackStatesFor(FocusIsIn(hWnd), SkinOs().osClass);
  HMENU hMenu = ::GetMenu(hWnd);
  CSkinMenu* menu = DYNAMIC_DOWNCAST(CSkinMenu, CMenu::FromHandlePermanent(hMenu));
  const int item = menu && !m_bInMenuLoop && hit == HTMENU ? ::MenuItemFromPoint(hWnd, hMenu, point) : -1;
  if (item < 0) {
    StopHotTracking();
    return hit;
  }
  if (item == m_nHotItem) {
    // Still marked: the system has not drawn over the hot look since.
    if (SkinState().hotTrackedItem || !RedrawMenuBarItem(hWnd, hMenu, item, states.hot)) return HTMENU;
  } else {
    if (m_nHotItem >= 0) RedrawMenuBarItem(hWnd, hMenu, m_nHotItem, states.normal);
    if (!RedrawMenuBarItem(hWnd, hMenu, item, states.hot)) {
      m_nHotItem = -1;
      return HTMENU;
    }
  }
  // Without a free timer id the item stays hot until the mouse moves again.
  if (!m_nTimerID) m_nTimerID = AllocateTimerId(hWnd, 100);
  m_nHotItem = item;
  return HTMENU;
}

template <class T>
void CSkinFrame<T>::OnDestroy() {
  StopHotTracking();
  // No record of the library may point at menus that go with this frame.
  SkinMenuState& s = SkinState();
  if (s.hotTrackedItem && m_DefaultMenu.CheckItemData(reinterpret_cast<ULONG_PTR>(s.hotTrackedItem)))
    s.hotTrackedItem = nullptr;
  int pos;
  HMENU popup = s.popupBeingInitialised;
  if (popup && (popup == m_SystemMenu.m_hMenu || popup == m_DefaultMenu.m_hMenu ||
                m_DefaultMenu.FindCommand(reinterpret_cast<UINT_PTR>(popup), pos)))
    s.popupBeingInitialised = nullptr;
  T::OnDestroy();
}

template <class T>
void CSkinFrame<T>::OnNcDestroy() {
  // The window destroys its system menu, and its menu bar when it still has
  // one: the menu objects let go of those handles first.
  m_SystemMenu.ReleaseHandle();
  if (m_DefaultMenu.m_hMenu && ::GetMenu(this->m_hWnd) == m_DefaultMenu.m_hMenu) m_DefaultMenu.ReleaseHandle();
  T::OnNcDestroy();
}

template <class T>
void CSkinFrame<T>::OnSysColorChange() {
  T::OnSysColorChange();
  CSkinMenu::OnSysColorChange();
  CSkinMenu::SetMenuBarBrush(m_DefaultMenu.m_hMenu);
}

template <class T>
void CSkinFrame<T>::OnNcPaint() {
  T::OnNcPaint();
  PaintMenuBarLine(this->m_hWnd);
}

template <class T>
void CSkinFrame<T>::OnPaint() {
  T::OnPaint();
  PaintMenuBarLine(this->m_hWnd);
}

template <class T>
void CSkinFrame<T>::OnActivateApp(BOOL bActive, DWORD dwThreadID) {
  T::OnActivateApp(bActive, dwThreadID);
  PaintMenuBarLine(this->m_hWnd);
}

template <class T>
void CSkinFrame<T>::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  T::OnActivate(nState, pWndOther, bMinimized);
  PaintMenuBarLine(this->m_hWnd);
}
