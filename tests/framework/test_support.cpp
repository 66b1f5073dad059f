#include "test_support.h"

#include <commctrl.h>

#include "framework/scripted_ui.h"

void PumpPending() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;  // a destroyed main window must not end the tests
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
  ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CTestApp::CTestApp() : CWinApp("FrameworkTests") {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&icc);
}

CTestApp& TestApp() {
  static CTestApp app;
  return app;
}

namespace {
// Outside a test's own script nothing is ever shown: questions are refused.
CScriptedUi& FallbackUi() {
  static CScriptedUi ui;
  return ui;
}

// The application object and the fallback seam exist before any test runs.
const bool g_appReady = (TestApp(), FallbackUi(), true);
}  // namespace

CHostWnd::CHostWnd() {
  CreateEx(0, AfxRegisterWndClass(0), "Host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 400, 300,
           nullptr, nullptr);
}
