#pragma once
// Per-thread state of the layer (internal): the message being handled, the
// window being created, the menu being tracked, and the temporary handle maps.
#include <windows.h>

#include <functional>
#include <vector>

class CWnd;
class CWinThread;

struct AfxThreadState {
  MSG lastSentMsg{};                // the message the innermost window procedure handles
  CWnd* pWndInit = nullptr;         // object waiting for its window (creation hook)
  HHOOK hHookCbt = nullptr;
  HWND hTrackingWindow = nullptr;   // owner of the popup menu being tracked
  HMENU hTrackingMenu = nullptr;    // the popup menu being tracked
  CWinThread* pThread = nullptr;
  std::vector<std::function<void()>> tempMapCleaners;
  int nModalDepth = 0;
};

AfxThreadState& AfxGetThreadState();
