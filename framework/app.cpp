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

BOOL AfxGetMessage(MSG* pMsg) { return ::GetMessageW(pMsg, nullptr, 0, 0) != 0; }

BOOL AfxPumpMessage() {
  CWinThread* pThread = AfxGetThread();
  if (pThread) return pThread->PumpMessage();
  MSG msg;
  if (!AfxGetMessage(&msg)) return FALSE;
  if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
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
