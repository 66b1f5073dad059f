#include "app/SposalboApp.h"

#include <commctrl.h>

#include "app/ChildView.h"
#include "app/MainFrm.h"
#include "app/resource.h"

BEGIN_MESSAGE_MAP(CSposalboApp, CWinApp)
  ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CSposalboApp::CSposalboApp() = default;

BOOL CSposalboApp::InitInstance() {
  ::InitCommonControls();
  if (!CWinApp::InitInstance()) return FALSE;
  SetRegistryKey("Velmora");
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

void CSposalboApp::OnAppAbout() {
  CAboutDlg about;
  about.DoModal();
}

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() { return CDialog::OnInitDialog(); }
