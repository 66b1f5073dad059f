#pragma once
// Shared pieces of the layer's tests: the test application, a message pump that
// never waits, and a simple top-level window to host children.
#include "framework/framework.h"

// Dispatches every message already queued for this thread (never waits).
void PumpPending();

// The application object of the test program: it counts the commands it handles
// so routing tests can see when a command reached the application.
class CTestApp : public CWinApp {
 public:
  CTestApp();
  int m_nAboutCount = 0;
  afx_msg void OnAppAbout() { ++m_nAboutCount; }
  DECLARE_MESSAGE_MAP()
};

CTestApp& TestApp();

// A plain top-level window (hidden) that owns test children.
class CHostWnd : public CWnd {
 public:
  CHostWnd();
};
