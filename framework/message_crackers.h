#pragma once
// ON_WM_* entries: each unpacks its message's parameters into the handler's
// arguments (the handler has the conventional name, e.g. OnPaint for WM_PAINT).
#include <windows.h>

#define AFX_PT(lp) CPoint(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)))
#define AFX_WND(h) CWnd::FromHandle(reinterpret_cast<HWND>(h))
#define AFX_DC(h) CDC::FromHandle(reinterpret_cast<HDC>(h))

#define ON_WM_CREATE() \
  AFX_WM_ENTRY(WM_CREATE, call.result = pThis->OnCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam)))
#define ON_WM_NCCREATE() \
  AFX_WM_ENTRY(WM_NCCREATE, call.result = pThis->OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam)))
#define ON_WM_DESTROY() AFX_WM_ENTRY(WM_DESTROY, pThis->OnDestroy())
#define ON_WM_NCDESTROY() AFX_WM_ENTRY(WM_NCDESTROY, pThis->OnNcDestroy())
#define ON_WM_CLOSE() AFX_WM_ENTRY(WM_CLOSE, pThis->OnClose())
#define ON_WM_PAINT() AFX_WM_ENTRY(WM_PAINT, pThis->OnPaint())
#define ON_WM_NCPAINT() AFX_WM_ENTRY(WM_NCPAINT, pThis->OnNcPaint())
#define ON_WM_ERASEBKGND() \
  AFX_WM_ENTRY(WM_ERASEBKGND, call.result = pThis->OnEraseBkgnd(AFX_DC(call.wParam)))
#define ON_WM_SIZE()                                                                    \
  AFX_WM_ENTRY(WM_SIZE, pThis->OnSize(static_cast<UINT>(call.wParam),                   \
                                      static_cast<short>(LOWORD(call.lParam)),          \
                                      static_cast<short>(HIWORD(call.lParam))))
#define ON_WM_SIZING()                                                                          \
  AFX_WM_ENTRY(WM_SIZING, {                                                                     \
    pThis->OnSizing(static_cast<UINT>(call.wParam), reinterpret_cast<LPRECT>(call.lParam));     \
    call.result = TRUE;                                                                         \
  })
#define ON_WM_MOVE()                                                                    \
  AFX_WM_ENTRY(WM_MOVE, pThis->OnMove(static_cast<short>(LOWORD(call.lParam)),          \
                                      static_cast<short>(HIWORD(call.lParam))))
#define ON_WM_MOVING()                                                                          \
  AFX_WM_ENTRY(WM_MOVING, {                                                                     \
    pThis->OnMoving(static_cast<UINT>(call.wParam), reinterpret_cast<LPRECT>(call.lParam));     \
    call.result = TRUE;                                                                         \
  })
#define ON_WM_ENTERSIZEMOVE() AFX_WM_ENTRY(WM_ENTERSIZEMOVE, pThis->OnEnterSizeMove())
#define ON_WM_EXITSIZEMOVE() AFX_WM_ENTRY(WM_EXITSIZEMOVE, pThis->OnExitSizeMove())
#define ON_WM_MOUSELEAVE() AFX_WM_ENTRY(WM_MOUSELEAVE, pThis->OnMouseLeave())
#define ON_WM_TIMER() AFX_WM_ENTRY(WM_TIMER, pThis->OnTimer(static_cast<UINT_PTR>(call.wParam)))
#define ON_WM_SHOWWINDOW() \
  AFX_WM_ENTRY(WM_SHOWWINDOW, pThis->OnShowWindow(static_cast<BOOL>(call.wParam), static_cast<UINT>(call.lParam)))
#define ON_WM_ENABLE() AFX_WM_ENTRY(WM_ENABLE, pThis->OnEnable(static_cast<BOOL>(call.wParam)))
#define ON_WM_ACTIVATE()                                                                \
  AFX_WM_ENTRY(WM_ACTIVATE, pThis->OnActivate(LOWORD(call.wParam), AFX_WND(call.lParam), \
                                              HIWORD(call.wParam) != 0))
#define ON_WM_ACTIVATEAPP() \
  AFX_WM_ENTRY(WM_ACTIVATEAPP, pThis->OnActivateApp(static_cast<BOOL>(call.wParam), static_cast<DWORD>(call.lParam)))
#define ON_WM_MOUSEACTIVATE()                                                           \
  AFX_WM_ENTRY(WM_MOUSEACTIVATE, call.result = pThis->OnMouseActivate(                  \
      AFX_WND(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)))
#define ON_WM_NCACTIVATE() \
  AFX_WM_ENTRY(WM_NCACTIVATE, call.result = pThis->OnNcActivate(static_cast<BOOL>(call.wParam)))
#define ON_WM_SETFOCUS() AFX_WM_ENTRY(WM_SETFOCUS, pThis->OnSetFocus(AFX_WND(call.wParam)))
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY(WM_KILLFOCUS, pThis->OnKillFocus(AFX_WND(call.wParam)))
#define ON_WM_CANCELMODE() AFX_WM_ENTRY(WM_CANCELMODE, pThis->OnCancelMode())
#define ON_WM_CAPTURECHANGED() AFX_WM_ENTRY(WM_CAPTURECHANGED, pThis->OnCaptureChanged(AFX_WND(call.lParam)))
#define ON_WM_SYSCOLORCHANGE() AFX_WM_ENTRY(WM_SYSCOLORCHANGE, pThis->OnSysColorChange())
#define ON_WM_SETTINGCHANGE()                                                           \
  AFX_WM_ENTRY(WM_SETTINGCHANGE, pThis->OnSettingChange(static_cast<UINT>(call.wParam), \
                                                        reinterpret_cast<LPCSTR>(call.lParam)))
#define ON_WM_GETMINMAXINFO() \
  AFX_WM_ENTRY(WM_GETMINMAXINFO, pThis->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(call.lParam)))
#define ON_WM_WINDOWPOSCHANGING() \
  AFX_WM_ENTRY(WM_WINDOWPOSCHANGING, pThis->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(call.lParam)))
#define ON_WM_WINDOWPOSCHANGED() \
  AFX_WM_ENTRY(WM_WINDOWPOSCHANGED, pThis->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(call.lParam)))
#define ON_WM_NCCALCSIZE()                                                              \
  AFX_WM_ENTRY(WM_NCCALCSIZE, pThis->OnNcCalcSize(static_cast<BOOL>(call.wParam),       \
                                                  reinterpret_cast<NCCALCSIZE_PARAMS*>(call.lParam)))
#define ON_WM_NCHITTEST() AFX_WM_ENTRY(WM_NCHITTEST, call.result = pThis->OnNcHitTest(AFX_PT(call.lParam)))
#define ON_WM_SETCURSOR()                                                               \
  AFX_WM_ENTRY(WM_SETCURSOR, call.result = pThis->OnSetCursor(AFX_WND(call.wParam),     \
                                                              LOWORD(call.lParam), HIWORD(call.lParam)))
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY(WM_GETDLGCODE, call.result = pThis->OnGetDlgCode())
#define ON_WM_COPYDATA()                                                                \
  AFX_WM_ENTRY(WM_COPYDATA, call.result = pThis->OnCopyData(                           \
      AFX_WND(call.wParam), reinterpret_cast<COPYDATASTRUCT*>(call.lParam)))
#define ON_WM_SYSCOMMAND() \
  AFX_WM_ENTRY(WM_SYSCOMMAND, pThis->OnSysCommand(static_cast<UINT>(call.wParam), call.lParam))
#define ON_WM_DROPFILES() AFX_WM_ENTRY(WM_DROPFILES, pThis->OnDropFiles(reinterpret_cast<HDROP>(call.wParam)))
#define ON_WM_CONTEXTMENU() \
  AFX_WM_ENTRY(WM_CONTEXTMENU, pThis->OnContextMenu(AFX_WND(call.wParam), AFX_PT(call.lParam)))
#define ON_WM_PARENTNOTIFY() \
  AFX_WM_ENTRY(WM_PARENTNOTIFY, pThis->OnParentNotify(static_cast<UINT>(call.wParam), call.lParam))
#define ON_WM_STYLECHANGED()                                                            \
  AFX_WM_ENTRY(WM_STYLECHANGED, pThis->OnStyleChanged(static_cast<int>(call.wParam),    \
                                                      reinterpret_cast<LPSTYLESTRUCT>(call.lParam)))

// Mouse.
#define AFX_MOUSE_ENTRY(msg, fn) \
  AFX_WM_ENTRY(msg, pThis->fn(static_cast<UINT>(call.wParam), AFX_PT(call.lParam)))
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEWHEEL()                                                                  \
  AFX_WM_ENTRY(WM_MOUSEWHEEL, call.result = pThis->OnMouseWheel(                            \
      LOWORD(call.wParam), static_cast<short>(HIWORD(call.wParam)), AFX_PT(call.lParam)))
#define AFX_NCMOUSE_ENTRY(msg, fn) \
  AFX_WM_ENTRY(msg, pThis->fn(static_cast<UINT>(call.wParam), AFX_PT(call.lParam)))
#define ON_WM_NCMOUSEMOVE() AFX_NCMOUSE_ENTRY(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_NCMOUSE_ENTRY(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_NCMOUSE_ENTRY(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_NCMOUSE_ENTRY(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_NCMOUSE_ENTRY(WM_NCRBUTTONDOWN, OnNcRButtonDown)

// Keyboard.
#define AFX_KEY_ENTRY(msg, fn)                                                          \
  AFX_WM_ENTRY(msg, pThis->fn(static_cast<UINT>(call.wParam), LOWORD(call.lParam),      \
                              HIWORD(call.lParam)))
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY(WM_SYSKEYUP, OnSysKeyUp)

// Scrolling: the control is a scroll bar, slider or spin control (or null).
#define ON_WM_HSCROLL()                                                                 \
  AFX_WM_ENTRY(WM_HSCROLL, pThis->OnHScroll(LOWORD(call.wParam), HIWORD(call.wParam),   \
                                            AfxScrollBarFromHandle(reinterpret_cast<HWND>(call.lParam))))
#define ON_WM_VSCROLL()                                                                 \
  AFX_WM_ENTRY(WM_VSCROLL, pThis->OnVScroll(LOWORD(call.wParam), HIWORD(call.wParam),   \
                                            AfxScrollBarFromHandle(reinterpret_cast<HWND>(call.lParam))))

// Owner draw, colours and menus (the layer folds WM_CTLCOLOR* into WM_CTLCOLOR:
// wParam the DC, lParam an AFX_CTLCOLOR).
#define ON_WM_DRAWITEM()                                                                \
  AFX_WM_ENTRY(WM_DRAWITEM, { pThis->OnDrawItem(static_cast<int>(call.wParam),          \
                                                reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); \
                              call.result = TRUE; })
#define ON_WM_MEASUREITEM()                                                             \
  AFX_WM_ENTRY(WM_MEASUREITEM, { pThis->OnMeasureItem(static_cast<int>(call.wParam),    \
                                                      reinterpret_cast<LPMEASUREITEMSTRUCT>(call.lParam)); \
                                 call.result = TRUE; })
#define ON_WM_CTLCOLOR()                                                                    \
  AFX_WM_ENTRY(WM_CTLCOLOR, {                                                               \
    AFX_CTLCOLOR* ctl_ = reinterpret_cast<AFX_CTLCOLOR*>(call.lParam);                      \
    call.result = reinterpret_cast<LRESULT>(pThis->OnCtlColor(                              \
        CDC::FromHandle(ctl_->hDC), CWnd::FromHandle(ctl_->hWnd), ctl_->nCtlType));         \
  })
#define ON_WM_INITMENUPOPUP()                                                               \
  AFX_WM_ENTRY(WM_INITMENUPOPUP, pThis->OnInitMenuPopup(                                    \
      CMenu::FromHandle(reinterpret_cast<HMENU>(call.wParam)), LOWORD(call.lParam),         \
      HIWORD(call.lParam) != 0))
#define ON_WM_MENUSELECT()                                                                  \
  AFX_WM_ENTRY(WM_MENUSELECT, pThis->OnMenuSelect(LOWORD(call.wParam), HIWORD(call.wParam), \
                                                  reinterpret_cast<HMENU>(call.lParam)))
#define ON_WM_MENUCHAR()                                                                    \
  AFX_WM_ENTRY(WM_MENUCHAR, call.result = pThis->OnMenuChar(LOWORD(call.wParam), HIWORD(call.wParam), \
                                                            CMenu::FromHandle(reinterpret_cast<HMENU>(call.lParam))))
#define ON_WM_ENTERMENULOOP() \
  AFX_WM_ENTRY(WM_ENTERMENULOOP, pThis->OnEnterMenuLoop(static_cast<BOOL>(call.wParam)))
#define ON_WM_EXITMENULOOP() \
  AFX_WM_ENTRY(WM_EXITMENULOOP, pThis->OnExitMenuLoop(static_cast<BOOL>(call.wParam)))
#define ON_WM_ENTERIDLE() \
  AFX_WM_ENTRY(WM_ENTERIDLE, pThis->OnEnterIdle(static_cast<UINT>(call.wParam), AFX_WND(call.lParam)))
