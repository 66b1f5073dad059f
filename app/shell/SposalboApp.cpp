#include "app/shell/SposalboApp.h"

#include <commctrl.h>

#include "app/shell/ChildView.h"
#include "app/shell/DemoDoc.h"
#include "app/shell/MainFrm.h"
#include "app/resource.h"
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
  SetRegistryKey("Velmora");
  if (!m_menuLibrary) m_menuLibrary = std::make_unique<CSkinMenuHook>();
  CSkinMenu::SelectTheme(8);
  AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CDemoDoc), RUNTIME_CLASS(CMainFrame),
                                        RUNTIME_CLASS(CChildView)));
  // The command line is read, but the editor always starts without an album.
  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
  if (!ProcessShellCommand(cmdInfo) || !m_pMainWnd) return FALSE;
  m_pMainWnd->ShowWindow(SW_SHOW);
  m_pMainWnd->UpdateWindow();
  return TRUE;
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
  return CWinApp::ExitInstance();
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
