#include "framework/wnd.h"

#include <cstdio>
#include <exception>
#include <set>
#include <string>
#include <vector>

#include "framework/app.h"
#include "framework/exceptions.h"
#include "framework/frame.h"
#include "framework/gdi.h"
#include "framework/handle_map.h"
#include "framework/menu.h"
#include "framework/resources.h"
#include "framework/thread_state.h"
#include "framework/ui_seam.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {
CHandleMap<CWnd, HWND>* windowMapIfAlive() {
  return AfxThreadHandleMap<CWnd, HWND>([](CWnd* p, HWND h) { p->m_hWnd = h; });
}
CHandleMap<CWnd, HWND>& windowMap() { return *windowMapIfAlive(); }

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

LRESULT CALLBACK cbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  AfxThreadState& state = AfxGetThreadState();
  if (code == HCBT_CREATEWND && state.m_pWndInit) {
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    // The system may create the thread's input-method window first; it is
    // never the window being waited for.
    char className[16] = "";
    ::GetClassNameA(hWnd, className, sizeof className);
    if (::lstrcmpiA(className, "IME") == 0) return ::CallNextHookEx(state.m_hHookCbt, code, wParam, lParam);
    CWnd* pWnd = state.m_pWndInit;
    state.m_pWndInit = nullptr;
    pWnd->SubclassWindow(hWnd);
  }
  return ::CallNextHookEx(state.m_hHookCbt, code, wParam, lParam);
}
}  // namespace

void AfxHookWindowCreate(CWnd* pWnd) {
  AfxThreadState& state = AfxGetThreadState();
  if (!state.m_hHookCbt)
    state.m_hHookCbt = ::SetWindowsHookExA(WH_CBT, cbtFilterHook, nullptr, ::GetCurrentThreadId());
  state.m_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate() {
  AfxThreadState& state = AfxGetThreadState();
  if (state.m_hHookCbt) {
    ::UnhookWindowsHookEx(state.m_hHookCbt);
    state.m_hHookCbt = nullptr;
  }
  if (state.m_pWndInit) {
    state.m_pWndInit = nullptr;
    return FALSE;  // the window was never created
  }
  return TRUE;
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  AfxThreadState& state = AfxGetThreadState();
  MSG saved = state.m_lastSentMsg;
  state.m_lastSentMsg.hwnd = hWnd;
  state.m_lastSentMsg.message = nMsg;
  state.m_lastSentMsg.wParam = wParam;
  state.m_lastSentMsg.lParam = lParam;
  LRESULT lResult = 0;
  if (nMsg == WM_NCDESTROY) {
    // The main window going away ends the thread's message loop.
    CWinThread* pThread = AfxGetThread();
    if (pThread && pThread->m_pMainWnd == pWnd) {
      pThread->m_pMainWnd = nullptr;
      ::PostQuitMessage(0);
    }
  }
  try {
    lResult = pWnd->WindowProc(nMsg, wParam, lParam);
  } catch (CException* e) {
    AfxReportHandlerException(e->GetMessageText());
    e->Delete();
  } catch (const std::exception& e) {
    AfxReportHandlerException(e.what());
  } catch (...) {
    AfxReportHandlerException("unknown exception in a window procedure");
  }
  // A window whose class skipped CWnd::OnNcDestroy still lets go of its object.
  if (nMsg == WM_NCDESTROY && windowMap().LookupPermanent(hWnd) == pWnd) {
    pWnd->Detach();
    pWnd->PostNcDestroy();
  }
  state.m_lastSentMsg = saved;
  return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = windowMap().LookupPermanent(hWnd);
  if (!pWnd) return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  // A set keeps each name at a stable address for as long as the thread runs.
  static thread_local std::set<std::string> names;
  char name[96];
  std::snprintf(name, sizeof name, "Afx:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()),
                nClassStyle, static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
                static_cast<void*>(hIcon));
  auto known = names.find(name);
  if (known != names.end()) return known->c_str();
  WNDCLASSA wc{};
  if (!::GetClassInfoA(AfxGetInstanceHandle(), name, &wc)) {
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.hIcon = hIcon;
    wc.lpszClassName = name;
    if (!::RegisterClassA(&wc)) return nullptr;
  }
  return names.insert(name).first->c_str();
}

// --- Construction and the handle maps ---------------------------------------------

CWnd::CWnd() = default;

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd) {}

CWnd::~CWnd() {
  // The constant markers (wndTop …) hold no window; they are destroyed at exit,
  // when the handle map may already be gone.
  INT_PTR value = reinterpret_cast<INT_PTR>(m_hWnd);
  if (!m_hWnd || value == 1 || value == -1 || value == -2) return;
  CHandleMap<CWnd, HWND>* map = windowMapIfAlive();
  if (!map) return;  // the thread is ending: its windows go with it
  // Only a window this object owns is destroyed (never a temporary's).
  if (map->LookupPermanent(m_hWnd) != this) return;
  if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  if (m_hWnd) Detach();  // attached without subclassing: the map still has it
}

CWnd* CWnd::FromHandle(HWND hWnd) { return windowMap().FromHandle(hWnd); }

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return windowMap().LookupPermanent(hWnd); }

BOOL CWnd::Attach(HWND hWndNew) {
  if (!hWndNew || m_hWnd) return FALSE;
  if (windowMap().LookupPermanent(hWndNew)) return FALSE;  // already owned
  m_hWnd = hWndNew;
  windowMap().SetPermanent(hWndNew, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (h && windowMap().LookupPermanent(h) == this) windowMap().RemoveHandle(h);
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  WNDPROC old = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old != &AfxWndProc) *GetSuperWndProcAddr() = old;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
  HWND hWndControl = ::GetDlgItem(SafeHwnd(pParent), static_cast<int>(nID));
  return hWndControl ? SubclassWindow(hWndControl) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
  WNDPROC* super = GetSuperWndProcAddr();
  if (m_hWnd && *super) {
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*super));
    *super = nullptr;
  }
  return Detach();
}

// --- Creation -----------------------------------------------------------------------

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext) {
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID,
                  pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, SafeHwnd(pParentWnd),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
  if (m_hWnd) return FALSE;
  CREATESTRUCTA cs{};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = static_cast<LONG>(dwStyle);
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  AfxHookWindowCreate(this);
  HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style),
                                cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                cs.lpCreateParams);
  if (!AfxUnhookWindowCreate()) {
    // The window never came to exist, so it never reached PostNcDestroy.
    PostNcDestroy();
    return FALSE;
  }
  if (!hWnd) {
    // WM_CREATE refused: the window was destroyed and detached already, or the
    // class was unknown and nothing was attached.
    if (m_hWnd) Detach();
    return FALSE;
  }
  return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass) {
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    if (!cs.lpszClass) return FALSE;
  }
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

void CWnd::PreSubclassWindow() {}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType) {
  DWORD exStyle = GetExStyle();
  if (nAdjustType == adjustBorder) exStyle &= ~WS_EX_CLIENTEDGE;
  ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, exStyle);
}

// --- Message processing -------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT lResult = 0;
  if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
  return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC super = *GetSuperWndProcAddr();
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

// --- Relations ----------------------------------------------------------------------

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent) {
  return FromHandle(::SetParent(m_hWnd, SafeHwnd(pWndNewParent)));
}

CWnd* CWnd::GetOwner() const {
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  return FromHandle(owner ? owner : ::GetParent(m_hWnd));
}

void CWnd::SetOwner(CWnd* pOwnerWnd) {
  ::SetWindowLongPtrA(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(SafeHwnd(pOwnerWnd)));
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
  if (!h) {
    CWnd* pMain = AfxGetMainWnd();
    h = pMain ? pMain->m_hWnd : nullptr;
  }
  while (h && (::GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) h = ::GetParent(h);
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
