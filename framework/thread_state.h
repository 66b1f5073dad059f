#pragma once
// Per-thread state of the layer: the message being handled, the window being
// created, the menu being tracked (read by owner-drawn menus to find the menu of
// an item), and the cleaners of the temporary handle maps.
#include <windows.h>

#include <functional>
#include <vector>

class CWnd;
class CWinThread;

struct AfxThreadState {
  MSG m_lastSentMsg{};                // the message the innermost window procedure handles
  CWnd* m_pWndInit = nullptr;         // object waiting for its window (creation hook)
  HHOOK m_hHookCbt = nullptr;
  HWND m_hTrackingWindow = nullptr;   // owner of the popup menu being tracked
  HMENU m_hTrackingMenu = nullptr;    // the popup menu being tracked
  CWinThread* pThread = nullptr;
  std::vector<std::function<void()>> tempMapCleaners;
  int nModalDepth = 0;
};

AfxThreadState& AfxGetThreadState();
