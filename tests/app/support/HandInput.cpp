#include "app/support/HandInput.h"

#include <iterator>

#include "framework/framework.h"

namespace hand {
namespace {
DWORD g_uiThread = 0;
HWND g_uiWindow = nullptr;  // a window of that thread to send through

DWORD WINAPI RunSteps(void* steps) {
  (*static_cast<const std::function<void()>*>(steps))();
  return 0;
}

// Input the system has queued is taken before a message sent after it comes
// back a second time: the first answer may precede it, the second follows the
// handling of what was taken with it (or comes from a loop that handling ran).
void Settle() {
  for (int round = 0; round < 3; ++round) {
    ::Sleep(2);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(g_uiWindow, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
  }
}

void SendMouse(DWORD flags, const POINT* screen) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (screen) {
    in.mi.dx = screen->x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = screen->y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  }
  ::SendInput(1, &in, sizeof in);
  Settle();
}

void SendKey(WORD virtualKey, DWORD flags) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = virtualKey;
  in.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = flags;
  ::SendInput(1, &in, sizeof in);
  Settle();
}
}  // namespace

void Perform(const std::function<void()>& steps) {
  g_uiThread = ::GetCurrentThreadId();
  CWnd* main = AfxGetMainWnd();
  g_uiWindow = main ? main->m_hWnd : nullptr;
  HANDLE thread = ::CreateThread(nullptr, 0, RunSteps, const_cast<std::function<void()>*>(&steps), 0, nullptr);
  if (!thread) return;
  CWinThread* app = AfxGetApp();
  LONG idle = 0;
  while (::WaitForSingleObject(thread, 0) == WAIT_TIMEOUT) {
    MSG msg;
    if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;  // a closed main window must not end the tests
      if (!(app ? app->PreTranslateMessage(&msg) : CWnd::WalkPreTranslateTree(nullptr, &msg))) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
      if (!app || app->IsIdleMessage(&msg)) idle = 0;
    } else if (app && idle < 2) {
      app->OnIdle(idle++);
    } else {
      ::MsgWaitForMultipleObjects(1, &thread, FALSE, 50, QS_ALLINPUT);
    }
  }
  ::CloseHandle(thread);
}

void MoveTo(POINT screen) { SendMouse(0, &screen); }
void Press() { SendMouse(MOUSEEVENTF_LEFTDOWN, nullptr); }
void Release() { SendMouse(MOUSEEVENTF_LEFTUP, nullptr); }

void Click(POINT screen) {
  MoveTo(screen);
  Press();
  Release();
}

void Drag(POINT from, POINT to) {
  MoveTo(from);
  Press();
  const int steps = 6;
  for (int i = 1; i <= steps; ++i)
    MoveTo(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
  Release();
}

void KeyDown(WORD virtualKey) { SendKey(virtualKey, 0); }
void KeyUp(WORD virtualKey) { SendKey(virtualKey, KEYEVENTF_KEYUP); }

void Keys(std::initializer_list<WORD> virtualKeys) {
  for (WORD key : virtualKeys) KeyDown(key);
  for (auto key = std::rbegin(virtualKeys); key != std::rend(virtualKeys); ++key) KeyUp(*key);
}

bool Chord(std::initializer_list<WORD> virtualKeys, const std::function<bool()>& shown) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    for (WORD key : virtualKeys) KeyDown(key);
    const bool done = WaitUntil(shown, 3);
    for (auto key = std::rbegin(virtualKeys); key != std::rend(virtualKeys); ++key) KeyUp(*key);
    if (done) return true;
  }
  return false;
}

GUITHREADINFO Ui() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ::GetGUIThreadInfo(g_uiThread, &info);
  return info;
}

bool InMenu() { return (Ui().flags & GUI_INMENUMODE) != 0; }

bool WaitUntil(const std::function<bool()>& condition, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (condition()) return true;
    ::Sleep(50);
  }
  return condition();
}
}  // namespace hand
