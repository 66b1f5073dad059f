#pragma once
// The application and its threads: the message loop with idle processing,
// profile settings, command-line handling and the document templates.
#include <windows.h>

#include <vector>

#include "framework/cmd_target.h"
#include "framework/string_type.h"

class CWnd;
class CDocTemplate;
class CDocument;

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWinThread();
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  ~CWinThread() override;

  CWnd* m_pMainWnd = nullptr;
  CWnd* m_pActiveWnd = nullptr;
  BOOL m_bAutoDelete = TRUE;
  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;
  MSG m_msgCur{};

  operator HANDLE() const { return m_hThread; }
  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                    LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
  DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
  DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
  BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostThreadMessageA(m_nThreadID, message, wParam, lParam);
  }
  virtual CWnd* GetMainWnd() { return m_pMainWnd; }

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  // The message loop: pumps messages and runs OnIdle while the queue is empty.
  virtual int Run();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL PumpMessage();
  // lCount counts idle calls since the last message; TRUE asks for more.
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL IsIdleMessage(MSG* pMsg);
  virtual void Delete();

  AFX_THREADPROC m_pfnThreadProc = nullptr;
  LPVOID m_pThreadParams = nullptr;

 private:
  static unsigned __stdcall ThreadEntry(void* pParam);
  POINT m_ptLastMouse{-1, -1};
  UINT m_nLastMouseMsg = 0;
};

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                           int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

class CCommandLineInfo : public CObject {
 public:
  enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };
  virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

  BOOL m_bShowSplash = TRUE;
  BOOL m_bRunEmbedded = FALSE;
  BOOL m_bRunAutomated = FALSE;
  int m_nShellCommand = FileNew;
  CString m_strFileName;
};

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  explicit CWinApp(LPCSTR lpszAppName = nullptr);
  ~CWinApp() override;

  LPCSTR m_pszAppName = nullptr;
  LPCSTR m_pszExeName = nullptr;
  LPCSTR m_pszRegistryKey = nullptr;
  LPCSTR m_pszProfileName = nullptr;
  HINSTANCE m_hInstance = nullptr;
  LPSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;

  BOOL InitInstance() override;
  int ExitInstance() override;
  int Run() override;
  BOOL OnIdle(LONG lCount) override;
  virtual BOOL InitApplication() { return TRUE; }
  virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);
  virtual BOOL SaveAllModified();
  void CloseAllDocuments(BOOL bEndSession);

  // Settings live under HKEY_CURRENT_USER\Software\<key>\<profile name>\<section>.
  void SetRegistryKey(LPCSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);
  CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
  BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
  UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
  HKEY GetAppRegistryKey();
  HKEY GetSectionKey(LPCSTR lpszSection);

  // Documents.
  void AddDocTemplate(CDocTemplate* pTemplate);
  const std::vector<CDocTemplate*>& GetDocTemplates() const { return m_templates; }
  virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
  void EnableShellOpen() {}
  void RegisterShellFileTypes(BOOL bCompat = FALSE) { (void)bCompat; }
  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
  void LoadStdProfileSettings(UINT nMaxMRU = 4) { (void)nMaxMRU; }
  void SetDialogBkColor(COLORREF = RGB(192, 192, 192), COLORREF = RGB(0, 0, 0)) {}

  HICON LoadIcon(UINT nIDResource) const;
  HICON LoadStandardIcon(LPCSTR lpszIconName) const { return ::LoadIconA(nullptr, lpszIconName); }
  HCURSOR LoadCursor(UINT nIDResource) const;
  HCURSOR LoadStandardCursor(LPCSTR lpszCursorName) const { return ::LoadCursorA(nullptr, lpszCursorName); }

  afx_msg void OnFileNew();
  afx_msg void OnFileOpen();
  afx_msg void OnAppExit();

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  CString m_strAppName, m_strExeName, m_strRegistryKey, m_strProfileName;
  std::vector<CDocTemplate*> m_templates;
};

CWinApp* AfxGetApp();
// Takes one message from the queue and handles it as the message loop would;
// FALSE when it was WM_QUIT.
BOOL AfxPumpMessage();
// Takes the next message of the thread's queue in its wide form, as every
// message loop does: taken in the code page's form, a letter typed into a
// window of wide characters would be "?" already. DispatchMessageW hands an
// ANSI window its own form. FALSE when it was WM_QUIT.
BOOL AfxGetMessage(MSG* pMsg);
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
// Start-up of the platform services the program uses.
BOOL AfxSocketInit(struct WSAData* lpwsaData = nullptr);
BOOL AfxOleInit();
void AfxEnableControlContainer();
// The program's entry: sets up the application object and runs it.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
