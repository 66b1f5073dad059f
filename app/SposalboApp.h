#pragma once
// The application object: starts the editor with one single-document template
// and answers the about command. (Start-up grows with the later editor work.)
#include "framework/framework.h"

class CSposalboApp : public CWinApp {
 public:
  CSposalboApp();
  BOOL InitInstance() override;
  afx_msg void OnAppAbout();
  DECLARE_MESSAGE_MAP()
};

// The about box: dialog resource 100.
class CAboutDlg : public CDialog {
 public:
  CAboutDlg();
  BOOL OnInitDialog() override;
};
