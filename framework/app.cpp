// Sockets first: the system headers want winsock2 before windows.h.
#include <winsock2.h>

#include "framework/app.h"

#include <objbase.h>
#include <ole2.h>
#include <process.h>

#include <cstdlib>
#include <cstring>

#include "framework/doc_template.h"
#include "framework/exceptions.h"
#include "framework/handle_map.h"
#include "framework/ids.h"
#include "framework/resources.h"
#include "framework/thread_state.h"
#include "framework/ui_seam.h"
#include "framework/wnd.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
CWinApp* g_pApp = nullptr;

// The file name of the program without folder and extension.
CString moduleBaseName() {
  char path[MAX_PATH] = "";
  if (!::GetModuleFileNameA(nullptr, path, MAX_PATH)) return CString();
  CString name(path);
  int slash = name.ReverseFind('\\');
  if (slash >= 0) name = name.Mid(slash + 1);
  int dot = name.ReverseFind('.');
  if (dot >= 0) name = name.Left(dot);
  return name;
}
}  // namespace

CWinApp* AfxGetApp() { return g_pApp; }

BOOL AfxPumpMessage() {
  CWinThread* pThread = AfxGetThread();
  if (pThread) return pThread->PumpMessage();
  MSG msg;
  if (!::GetMessageA(&msg, nullptr, 0, 0)) return FALSE;
  if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return TRUE;
}

CWinThread* AfxGetThread() {
  CWinThread* p = AfxGetThreadState().pThread;
  return p ? p : g_pApp;
}

CWnd* AfxGetMainWnd() {
  CWinThread* pThread = AfxGetThread();
  return pThread ? pThread->GetMainWnd() : nullptr;
}

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
  try {
    if (pThread->m_pfnThreadProc) {
      nResult = pThread->m_pfnThreadProc(pThread->m_pThreadParams);
    } else if (pThread->InitInstance()) {
      nResult = static_cast<UINT>(pThread->Run());
    } else {
      nResult = static_cast<UINT>(pThread->ExitInstance());
    }
  } catch (CException* e) {
    AfxReportHandlerException(e->GetMessageText());
    e->Delete();
  } catch (const std::exception& e) {
    AfxReportHandlerException(e.what());
  } catch (...) {
    AfxReportHandlerException("unknown exception in a thread");
  }
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
  if (!::GetMessageA(&m_msgCur, nullptr, 0, 0)) return FALSE;
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageA(&m_msgCur);
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
    while (bIdle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++)) bIdle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        bIdle = TRUE;
        lIdleCount = 0;
      }
    } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
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

// --- Command line ----------------------------------------------------------------------

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL) {
  if (bFlag) {
    if (::lstrcmpiA(pszParam, "Embedding") == 0) m_bRunEmbedded = TRUE;
    else if (::lstrcmpiA(pszParam, "Automation") == 0) m_bRunAutomated = TRUE;
    else if (::lstrcmpiA(pszParam, "nologo") == 0) m_bShowSplash = FALSE;
    else if (::lstrcmpiA(pszParam, "p") == 0) m_nShellCommand = FilePrint;
    return;
  }
  if (m_strFileName.IsEmpty()) {
    m_strFileName = pszParam;
    if (m_nShellCommand == FileNew) m_nShellCommand = FileOpen;
  }
}

// --- CWinApp ---------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName) {
  g_pApp = this;
  m_hInstance = AfxGetInstanceHandle();
  m_strExeName = moduleBaseName();
  if (lpszAppName) {
    m_strAppName = lpszAppName;
  } else if (!m_strAppName.LoadString(AFX_IDS_APP_TITLE)) {
    m_strAppName = m_strExeName;
  }
  m_strProfileName = m_strAppName;
  m_pszAppName = m_strAppName;
  m_pszExeName = m_strExeName;
  m_pszProfileName = m_strProfileName;
}

CWinApp::~CWinApp() {
  for (CDocTemplate* pTemplate : m_templates) delete pTemplate;
  m_templates.clear();
  if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

int CWinApp::Run() {
  if (!m_pMainWnd) ::PostQuitMessage(0);
  return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT) {
  HWND hOwner = nullptr;
  CWnd::GetSafeOwner(nullptr, &hOwner);
  return AfxGetUiSeam()->MessageBox(hOwner, lpszPrompt, m_pszAppName, nType);
}

BOOL CWinApp::SaveAllModified() {
  for (CDocTemplate* pTemplate : m_templates)
    if (!pTemplate->SaveAllModified()) return FALSE;
  return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  for (CDocTemplate* pTemplate : m_templates) pTemplate->CloseAllDocuments(bEndSession);
}

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
  m_strRegistryKey = lpszRegistryKey ? lpszRegistryKey : "";
  m_pszRegistryKey = m_strRegistryKey;
  m_strProfileName = m_strAppName;
  m_pszProfileName = m_strProfileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) { SetRegistryKey(AfxLoadString(nIDRegistryKey)); }

HKEY CWinApp::GetAppRegistryKey() {
  if (!m_pszRegistryKey || !*m_pszRegistryKey) return nullptr;
  CString path = CString("Software\\") + m_pszRegistryKey + "\\" + m_pszProfileName;
  HKEY hKey = nullptr;
  DWORD disposition = 0;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_READ | KEY_WRITE, nullptr, &hKey, &disposition) != ERROR_SUCCESS)
    return nullptr;
  return hKey;
}

HKEY CWinApp::GetSectionKey(LPCSTR lpszSection) {
  HKEY hApp = GetAppRegistryKey();
  if (!hApp) return nullptr;
  HKEY hSection = nullptr;
  DWORD disposition = 0;
  LONG rc = ::RegCreateKeyExA(hApp, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_READ | KEY_WRITE, nullptr, &hSection, &disposition);
  ::RegCloseKey(hApp);
  return rc == ERROR_SUCCESS ? hSection : nullptr;
}

namespace {
// Closes a registry key when leaving scope.
struct RegKey {
  HKEY h;
  ~RegKey() {
    if (h) ::RegCloseKey(h);
  }
};
}  // namespace

CString CWinApp::GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault) {
  CString fallback(lpszDefault);
  if (m_pszRegistryKey && *m_pszRegistryKey) {
    RegKey key{GetSectionKey(lpszSection)};
    if (!key.h) return fallback;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(key.h, lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
      return fallback;
    CString value;
    char* buffer = value.GetBuffer(static_cast<int>(size) + 1);
    if (::RegQueryValueExA(key.h, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
      return fallback;
    }
    buffer[size] = '\0';
    value.ReleaseBuffer();
    return value;
  }
  char buffer[4096] = "";
  ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault ? lpszDefault : "", buffer,
                             sizeof buffer, m_pszProfileName);
  return buffer;
}

BOOL CWinApp::WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue) {
  if (m_pszRegistryKey && *m_pszRegistryKey) {
    if (!lpszEntry) {  // no entry: the whole section goes
      RegKey app{GetAppRegistryKey()};
      return app.h && ::RegDeleteKeyA(app.h, lpszSection) == ERROR_SUCCESS;
    }
    RegKey key{GetSectionKey(lpszSection)};
    if (!key.h) return FALSE;
    if (!lpszValue) return ::RegDeleteValueA(key.h, lpszEntry) == ERROR_SUCCESS;
    return ::RegSetValueExA(key.h, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                            static_cast<DWORD>(std::strlen(lpszValue) + 1)) == ERROR_SUCCESS;
  }
  return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

UINT CWinApp::GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault) {
  if (m_pszRegistryKey && *m_pszRegistryKey) {
    RegKey key{GetSectionKey(lpszSection)};
    if (!key.h) return static_cast<UINT>(nDefault);
    DWORD type = 0, value = 0, size = sizeof value;
    if (::RegQueryValueExA(key.h, lpszEntry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD)
      return static_cast<UINT>(nDefault);
    return value;
  }
  return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue) {
  if (m_pszRegistryKey && *m_pszRegistryKey) {
    RegKey key{GetSectionKey(lpszSection)};
    if (!key.h) return FALSE;
    DWORD value = static_cast<DWORD>(nValue);
    return ::RegSetValueExA(key.h, lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof value) == ERROR_SUCCESS;
  }
  CString text;
  text.Format("%d", nValue);
  return ::WritePrivateProfileStringA(lpszSection, lpszEntry, text, m_pszProfileName);
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  if (pTemplate) m_templates.push_back(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName) {
  if (m_templates.empty()) return nullptr;
  return m_templates.front()->OpenDocumentFile(lpszFileName);
}

void CWinApp::OnFileNew() {
  if (!m_templates.empty()) m_templates.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {}

void CWinApp::OnAppExit() {
  if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
  for (int i = 1; i < __argc; ++i) {
    const char* param = __argv[i];
    BOOL bFlag = param[0] == '-' || param[0] == '/';
    if (bFlag) ++param;
    rCmdInfo.ParseParam(param, bFlag, i == __argc - 1);
  }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr)) OnFileNew();
      return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
      return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
      return TRUE;
    default:
      return FALSE;
  }
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
  return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

// --- Platform services --------------------------------------------------------------

BOOL AfxSocketInit(WSADATA* lpwsaData) {
  WSADATA data{};
  if (::WSAStartup(MAKEWORD(2, 2), lpwsaData ? lpwsaData : &data) != 0) return FALSE;
  static bool cleanupRegistered = false;
  if (!cleanupRegistered) {
    cleanupRegistered = true;
    std::atexit([] { ::WSACleanup(); });
  }
  return TRUE;
}

BOOL AfxOleInit() {
  HRESULT hr = ::OleInitialize(nullptr);
  return SUCCEEDED(hr);
}

void AfxEnableControlContainer() {}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow) {
  CWinApp* pApp = AfxGetApp();
  if (!pApp) return -1;
  pApp->m_hInstance = hInstance;
  pApp->m_lpCmdLine = lpCmdLine;
  pApp->m_nCmdShow = nCmdShow;
  int nResult = -1;
  if (pApp->InitApplication() && pApp->InitInstance()) {
    nResult = pApp->Run();
  } else {
    if (pApp->m_pMainWnd && pApp->m_pMainWnd->m_hWnd) pApp->m_pMainWnd->DestroyWindow();
    nResult = pApp->ExitInstance();
  }
  AfxDeleteTempMaps();
  return nResult;
}
