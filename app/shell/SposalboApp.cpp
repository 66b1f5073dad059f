#include "app/shell/SposalboApp.h"

#include <commctrl.h>
#include <gdiplus.h>

#include "app/shell/ChildView.h"
#include "app/shell/DemoDoc.h"
#include "app/shell/MainFrm.h"
#include "app/resource.h"
#include "app/shell/SplashWnd.h"
#include "app/surface/PageStatic.h"
#include "ui/menus/core/SkinMenuHook.h"
#include "ui/menus/menu/SkinMenu.h"

BEGIN_MESSAGE_MAP(CSposalboApp, CWinApp)
  ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
  // "Esci": the framework closes the main window, which asks about the album.
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
END_MESSAGE_MAP()

CSposalboApp::CSposalboApp() = default;
CSposalboApp::~CSposalboApp() = default;

BOOL CSposalboApp::InitInstance() {
  ::InitCommonControls();
  if (!CWinApp::InitInstance()) return FALSE;
  if (!InitSockets()) {
    AfxMessageBox(IDP_SOCKETS_INIT_FAILED);
    return FALSE;
  }
  if (!InitOle()) {
    AfxMessageBox(IDP_OLE_INIT_FAILED);
    return FALSE;
  }
  AfxEnableControlContainer();
  SetRegistryKey("Velmora");
  if (!m_gdiplusToken) {
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &input, nullptr);
  }
  if (!m_menuLibrary) m_menuLibrary = std::make_unique<CSkinMenuHook>();
  CSkinMenu::SelectTheme(8);
  ShowSplash();
  // A missing or unreadable key only leaves the export without its seal.
  GetCryptoEngine();
  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CDemoDoc), RUNTIME_CLASS(CMainFrame),
                                        RUNTIME_CLASS(CChildView)));
  // Without a document-type string no file type is registered.
  EnableShellOpen();
  RegisterShellFileTypes(TRUE);
  // The command line is read, but the editor always starts without an album.
  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
  if (!ProcessShellCommand(cmdInfo) || !m_pMainWnd) return FALSE;
  // The editor opens maximised.
  m_pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);
  m_pMainWnd->UpdateWindow();
  if (CFrameWnd* frame = DYNAMIC_DOWNCAST(CFrameWnd, m_pMainWnd))
    if (CDocument* doc = frame->GetActiveDocument()) doc->SetTitle("");
  return TRUE;
}

CCryptoEngine& CSposalboApp::GetCryptoEngine() {
  if (!m_keyLoaded)
    m_keyLoaded = m_crypto.AcquireContext() && m_crypto.ImportPublicKey(GetProgramFolder() + "public.key");
  return m_crypto;
}

void CSposalboApp::ShowSplash() {
  CSplashWnd::EnableSplashScreen(TRUE);
  CSplashWnd::ShowSplashScreen(m_pMainWnd);
}

BOOL CSposalboApp::SaveAllModified() {
  auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd);
  return frame ? frame->QueryCloseAlbum() : TRUE;
}

CString CSposalboApp::GetProgramFolder() {
  char path[MAX_PATH] = "";
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return ".\\";
  CString folder(path);
  const int slash = folder.ReverseFind('\\');
  return slash >= 0 ? folder.Left(slash + 1) : folder;
}

int CSposalboApp::ExitInstance() {
  m_menuLibrary.reset();
  if (m_gdiplusToken) Gdiplus::GdiplusShutdown(m_gdiplusToken);
  m_gdiplusToken = 0;
  return CWinApp::ExitInstance();
}

BOOL CSposalboApp::IsIdleMessage(MSG* pMsg) {
  if (pMsg->message == WM_TIMER && pMsg->wParam == CSposalboPageStatic::kRenderTimer) {
    auto* surface = DYNAMIC_DOWNCAST(CSposalboPageStatic, CWnd::FromHandlePermanent(pMsg->hwnd));
    if (surface && surface->LastTickWasQuiet()) return FALSE;
  }
  return CWinApp::IsIdleMessage(pMsg);
}

CString CSposalboApp::GetAppName() {
  char path[MAX_PATH] = "";
  const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "Oriella";
  char name[_MAX_FNAME] = "";
  _splitpath(path, nullptr, nullptr, name, nullptr);
  return name;
}

void CSposalboApp::OnAppAbout() {
  CAboutDlg about;
  about.DoModal();
}

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() { return CDialog::OnInitDialog(); }
