// Threads of the program: the message loop with its idle passes, the
// PreTranslateMessage chain and worker threads.
#include <process.h>

#include "framework/app.h"
#include "framework/exceptions.h"
#include "framework/ids.h"
#include "framework/thread_state.h"
#include "framework/wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

// --- CWinThread ------------------------------------------------------------------

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
  if (m_hThread) ::CloseHandle(m_hThread);
  if (AfxGetThreadState().pThread == this) AfxGetThreadState().pThread = nullptr;
}

unsigned __stdcall CWinThread::ThreadEntry(void* pParam) {
  CWinThread* pThread = static_cast<CWinThread*>(pParam);
  AfxGetThreadState().pThread = pThread;
  UINT nResult = 0;
  AfxCallReportingExceptions(
      [&] {
        if (pThread->m_pfnThreadProc) {
          nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
        } else if (pThread->InitInstance()) {
          nResult = static_cast<UINT>(pThread->Run());
        } else {
          nResult = static_cast<UINT>(pThread->ExitInstance());
        }
      },
      "a thread");
  AfxDeleteTempMaps();
  AfxGetThreadState().pThread = nullptr;
  if (pThread->m_bAutoDelete) pThread->Delete();
  return nResult;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  unsigned id = 0;
  // Started suspended so the object is complete before the thread can end and
  // delete it.
  uintptr_t h = ::_beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, this,
                                 CREATE_SUSPENDED, &id);
  if (!h) return FALSE;
  m_hThread = reinterpret_cast<HANDLE>(h);
  m_nThreadID = id;
  if (!(dwCreateFlags & CREATE_SUSPENDED)) ::ResumeThread(m_hThread);
  return TRUE;
}

void CWinThread::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  // Mouse moves without movement and the caret blink timer do not restart idle work.
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    if (m_nLastMouseMsg == pMsg->message && m_ptLastMouse.x == pMsg->pt.x && m_ptLastMouse.y == pMsg->pt.y)
      return FALSE;
    m_ptLastMouse = pMsg->pt;
    m_nLastMouseMsg = pMsg->message;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
  CWnd* pMainWnd = GetMainWnd();
  if (CWnd::WalkPreTranslateTree(CWnd::SafeHwnd(pMainWnd), pMsg)) return TRUE;
  // A key for a modeless window outside the main frame gets the main frame's
  // accelerators as a last chance.
  if (pMainWnd && pMainWnd->m_hWnd && pMsg->hwnd) {
    HWND top = pMsg->hwnd;
    while (top && (::GetWindowLongA(top, GWL_STYLE) & WS_CHILD)) top = ::GetParent(top);
    if (top != pMainWnd->m_hWnd) return pMainWnd->PreTranslateMessage(pMsg);
  }
  return FALSE;
}

BOOL CWinThread::PumpMessage() {
  if (!AfxGetMessage(&m_msgCur)) return FALSE;
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageW(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    // Menus, bars and panes show the state their update handlers give them.
    CWnd* pMainWnd = GetMainWnd();
    if (pMainWnd && pMainWnd->m_hWnd && ::IsWindowVisible(pMainWnd->m_hWnd)) {
      AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
      pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
  } else if (lCount == 1) {
    AfxDeleteTempMaps();
  }
  return lCount < 1;
}

int CWinThread::Run() {
  BOOL bIdle = TRUE;
  LONG lIdleCount = 0;
  for (;;) {
    while (bIdle && !::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessageW(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
  }
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority,
                           UINT nStackSize, DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs) {
  CWinThread* pThread = new CWinThread(pfnThreadProc, pParam);
  if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
    delete pThread;
    return nullptr;
  }
  pThread->SetThreadPriority(nPriority);
  if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
  return pThread;
}

void AfxEndThread(UINT nExitCode, BOOL bDelete) {
  CWinThread* pThread = AfxGetThreadState().pThread;
  AfxDeleteTempMaps();
  if (pThread && bDelete && pThread->m_bAutoDelete) pThread->Delete();
  ::_endthreadex(nExitCode);
}
