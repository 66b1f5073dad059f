#pragma once
// The application object: starts the editor with one single-document template
// and answers the about command. (Start-up grows with the later editor work.)
#include "framework/framework.h"

#include <memory>

class CSkinMenuHook;

class CSposalboApp : public CWinApp {
 public:
  CSposalboApp();
  ~CSposalboApp() override;
  BOOL InitInstance() override;
  // True when the program may close: the main frame closes the album, asking
  // the save question when it is modified.
  BOOL SaveAllModified() override;
  // The program file's folder with its trailing backslash (".\\" when the
  // module name cannot be read).
  static CString GetProgramFolder();
  int ExitInstance() override;
  // The program file's name without folder and extension ("Oriella" when the
  // module name cannot be read).
  static CString GetAppName();
  afx_msg void OnAppAbout();
  DECLARE_MESSAGE_MAP()

 private:
  // The themed menus' start-up (themes, menu-window hook), undone at exit.
  std::unique_ptr<CSkinMenuHook> m_menuLibrary;
};

// The about box: dialog resource 100.
class CAboutDlg : public CDialog {
 public:
  CAboutDlg();
  BOOL OnInitDialog() override;
};
