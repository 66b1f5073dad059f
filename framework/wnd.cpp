#include "framework/wnd.h"

#include <cstdio>
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
  AfxCallReportingExceptions([&] { lResult = pWnd->WindowProc(nMsg, wParam, lParam); },
                             "a window procedure");
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
  if (!pWnd)
    return ::IsWindowUnicode(hWnd) ? ::DefWindowProcW(hWnd, nMsg, wParam, lParam)
                                   : ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
  return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

namespace {
// The class names this thread registered; a set keeps each name at a stable
// address for as long as the thread runs.
struct CRegisteredClassNames : CThreadData {
  std::set<std::string> names;
};
}  // namespace

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  static const CPerThread<CRegisteredClassNames> registered;
  CRegisteredClassNames* thisThread = registered.Get();
  if (!thisThread) return nullptr;  // the thread is ending
  std::set<std::string>& names = thisThread->names;
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
  // The constant markers (wndTop …) hold no window.
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
  AfxForgetPermanent(windowMapIfAlive(), h, this);
  m_hWnd = nullptr;
  m_bWideProc = false;
  return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
  if (!Attach(hWnd)) return FALSE;
  PreSubclassWindow();
  // A window of wide characters stays one where the class allows: a procedure
  // set through the ANSI call would make the system hand it every text and
  // typed character in the code page, where a letter it lacks becomes "?".
  m_bWideProc = KeepsWideCharacters() && ::IsWindowUnicode(hWnd);
  const LONG_PTR proc = reinterpret_cast<LONG_PTR>(&AfxWndProc);
  WNDPROC old = reinterpret_cast<WNDPROC>(m_bWideProc ? ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, proc)
                                                      : ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, proc));
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
    const LONG_PTR proc = reinterpret_cast<LONG_PTR>(*super);
    if (m_bWideProc)
      ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, proc);
    else
      ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, proc);
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
