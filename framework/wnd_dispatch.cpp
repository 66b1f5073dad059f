// How a window's messages reach its handlers: the message map, commands and
// notifications (with reflection to the child that sent them), and the
// PreTranslateMessage chain.
#include "framework/wnd.h"

#include <vector>

#include "framework/app.h"
#include "framework/frame.h"
#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/thread_state.h"
#include "framework/ui_seam.h"

namespace {
// A CCmdUI that only records whether the command is enabled.
class CTestCmdUI : public CCmdUI {
 public:
  void Enable(BOOL bOn) override {
    m_bEnabled = bOn;
    m_bEnableChanged = TRUE;
  }
  void SetCheck(int) override {}
  void SetRadio(BOOL) override {}
  void SetText(LPCSTR) override {}
  BOOL m_bEnabled = TRUE;
};
}  // namespace

// --- Message processing -------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC super = *GetSuperWndProcAddr();
  if (m_bWideProc)
    return super ? ::CallWindowProcW(super, m_hWnd, message, wParam, lParam)
                 : ::DefWindowProcW(m_hWnd, message, wParam, lParam);
  if (super) return ::CallWindowProcA(super, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
  const MSG& msg = AfxGetThreadState().m_lastSentMsg;
  return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* CWnd::GetCurrentMessage() { return &AfxGetThreadState().m_lastSentMsg; }

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  LRESULT lResult = 0;
  if (message == WM_COMMAND) {
    if (!OnCommand(wParam, lParam)) return FALSE;
    if (pResult) *pResult = 1;
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    if (!OnNotify(wParam, lParam, &lResult)) return FALSE;
    if (pResult) *pResult = lResult;
    return TRUE;
  }
  if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
    AFX_CTLCOLOR ctl{reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                     message - WM_CTLCOLORMSGBOX};
    HBRUSH hbr = nullptr;
    if (const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_CTLCOLOR, 0, 0)) {
      AfxMsgCall call{WM_CTLCOLOR, wParam, reinterpret_cast<LPARAM>(&ctl), 0, 0, nullptr};
      CallEntry(e, call);
      hbr = reinterpret_cast<HBRUSH>(call.result);
    } else {
      hbr = OnCtlColor(CDC::FromHandle(ctl.hDC), FromHandle(ctl.hWnd), ctl.nCtlType);
    }
    if (pResult) *pResult = reinterpret_cast<LRESULT>(hbr);
    return TRUE;
  }
  const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message, 0, 0);
  if (!e) {
    // Owner-draw and scroll messages of a control go back to the control even
    // when this window has no handler for them.
    switch (message) {
      case WM_DRAWITEM:
        OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        if (pResult) *pResult = TRUE;
        return TRUE;
      case WM_MEASUREITEM:
        OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        if (pResult) *pResult = TRUE;
        return TRUE;
      case WM_DELETEITEM:
      case WM_COMPAREITEM: {
        HWND hChild = message == WM_DELETEITEM
                          ? reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem
                          : reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem;
        CWnd* pChild = FromHandlePermanent(hChild);
        return pChild && pChild->OnChildNotify(message, wParam, lParam, pResult);
      }
      case WM_HSCROLL:
      case WM_VSCROLL: {
        CWnd* pChild = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        return pChild && pChild->OnChildNotify(message, wParam, lParam, pResult);
      }
      default:
        return FALSE;
    }
  }
  AfxMsgCall call{message, wParam, lParam, 0, 0, nullptr};
  BOOL handled = CallEntry(e, call);
  if (pResult) *pResult = call.result;
  return handled;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  UINT nID = LOWORD(wParam);
  HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
  int nCode = HIWORD(wParam);
  if (!hWndCtrl) {
    // Menu item or accelerator: a command whose update handler disables it is
    // not run (an accelerator may fire while its menu item is gray).
    if (nCode == 1) nCode = CN_COMMAND;
    CTestCmdUI state;
    state.m_nID = nID;
    OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
    if (!state.m_bEnabled) return TRUE;
  } else {
    if (ReflectLastMsg(hWndCtrl)) return TRUE;  // the control handled its own notification
    if (nID == 0) return FALSE;
  }
  return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
  if (!pNMHDR) return FALSE;
  if (ReflectLastMsg(pNMHDR->hwndFrom, pResult)) return TRUE;
  AFX_NOTIFY notify{pResult, pNMHDR};
  return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom),
                  static_cast<int>(MAKELONG(static_cast<WORD>(pNMHDR->code), WM_NOTIFY)), &notify,
                  nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
  CWnd* pWnd = FromHandlePermanent(hWndChild);
  return pWnd && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
  const MSG& msg = AfxGetThreadState().m_lastSentMsg;
  return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  switch (message) {
    case WM_COMMAND:
      return OnCmdMsg(0, static_cast<int>(MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND)),
                      nullptr, nullptr);
    case WM_NOTIFY: {
      NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
      LRESULT dummy = 0;
      AFX_NOTIFY notify{pResult ? pResult : &dummy, pNMHDR};
      return OnCmdMsg(0, static_cast<int>(MAKELONG(static_cast<WORD>(pNMHDR->code), WM_REFLECT_BASE + WM_NOTIFY)),
                      &notify, nullptr);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
      if (!e) return FALSE;
      AfxMsgCall call{WM_REFLECT_BASE + WM_CTLCOLOR, wParam,
                      static_cast<LPARAM>(message - WM_CTLCOLORMSGBOX), 0, 0, nullptr};
      CallEntry(e, call);
      if (!call.result) return FALSE;  // null brush: the parent decides
      if (pResult) *pResult = call.result;
      return TRUE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY: {
      const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_REFLECT_BASE + message, 0, 0);
      if (!e) return FALSE;
      AfxMsgCall call{WM_REFLECT_BASE + message, wParam, lParam, 0, 0, nullptr};
      BOOL handled = CallEntry(e, call);
      if (pResult) *pResult = call.result;
      return handled;
    }
    default:
      return FALSE;
  }
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
  for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
    CWnd* pWnd = FromHandlePermanent(h);
    if (pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    if (h == hWndStop) break;
    // Stop at the top-level window: an owned popup does not pass keys to its owner.
    if (!(::GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) break;
  }
  return FALSE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm) {
  std::vector<HWND> children;
  for (HWND h = ::GetTopWindow(m_hWnd); h; h = ::GetWindow(h, GW_HWNDNEXT)) children.push_back(h);
  for (HWND h : children) {
    if (!::IsWindow(h)) continue;
    if (bOnlyPerm) {
      CWnd* pWnd = FromHandlePermanent(h);
      if (pWnd) AfxCallWndProc(pWnd, h, message, wParam, lParam);
    } else {
      ::SendMessageA(h, message, wParam, lParam);
    }
    if (bDeep && ::IsWindow(h) && ::GetTopWindow(h)) {
      CWnd* pChild = FromHandle(h);
      pChild->SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
    }
  }
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler) {
  CCmdUI state;
  for (HWND h = ::GetTopWindow(m_hWnd); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
    state.m_nID = static_cast<UINT>(::GetDlgCtrlID(h));
    if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1)) continue;
    state.m_pOther = FromHandle(h);
    // Only buttons follow command handlers; other controls stay as they are
    // unless an update handler says otherwise.
    BOOL isButton = (::SendMessageA(h, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON) != 0;
    state.DoUpdate(pTarget, bDisableIfNoHndler && isButton);
  }
}

void CWnd::DoDataExchange(CDataExchange*) {}
