#pragma once
// The application object: starts the editor in its fixed order (platform
// services, settings key, GDI+, menu theme, splash, program folder, the
// laboratory's seal engine, the one single-document template), answers the
// about command and, on exit, has the main frame close the album.
#include "framework/framework.h"

#include <memory>

#include "document/services/CryptoEngine.h"

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
  // A tick of the page surface's render timer that found nothing to draw
  // changed nothing the menus, bars and panes show: it starts no idle update
  // of them, which at ten ticks a second would keep an editor at rest busy.
  BOOL IsIdleMessage(MSG* pMsg) override;
  // The program file's name without folder and extension ("Oriella" when the
  // module name cannot be read).
  static CString GetAppName();
  afx_msg void OnAppAbout();
  // The laboratory's seal engine, with "public.key" when it could be read (a
  // key put beside the program after start-up is read at the next use).
  CCryptoEngine& GetCryptoEngine();
  DECLARE_MESSAGE_MAP()

 protected:
  // The platform services start-up needs; a test makes them fail.
  virtual BOOL InitSockets() { return AfxSocketInit(); }
  virtual BOOL InitOle() { return AfxOleInit(); }
  virtual void ShowSplash();

 private:
  ULONG_PTR m_gdiplusToken = 0;
  CCryptoEngine m_crypto;
  bool m_keyLoaded = false;
  // The themed menus' start-up (themes, menu-window hook), undone at exit.
  std::unique_ptr<CSkinMenuHook> m_menuLibrary;
};

// The about box: dialog resource 100.
class CAboutDlg : public CDialog {
 public:
  CAboutDlg();
  BOOL OnInitDialog() override;
};
