#include "app/support/HandInput.h"

#include <gtest/gtest.h>

#include <iterator>

#include "framework/framework.h"

namespace hand {
namespace {
constexpr UINT kAskQueuedInput = WM_APP + 1;
constexpr DWORD kInputTakenWithin = 10000;

DWORD g_uiThread = 0;
HWND g_probe = nullptr;  // a window of that thread that tells whether input waits for it
bool g_inputLeft = false;

DWORD WINAPI RunSteps(void* steps) {
  (*static_cast<const std::function<void()>*>(steps))();
  return 0;
}

// Answered by whichever loop the user-interface thread runs when asked.
LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kAskQueuedInput) return HIWORD(::GetQueueStatus(QS_INPUT)) != 0;
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// A message-only window of the calling thread with ProbeProc, for one Perform.
class Probe {
 public:
  Probe() {
    static const ATOM kind = [] {
      WNDCLASSA c{};
      c.lpfnWndProc = ProbeProc;
      c.hInstance = ::GetModuleHandleA(nullptr);
      c.lpszClassName = "HandInputProbe";
      return ::RegisterClassA(&c);
    }();
    m_window = ::CreateWindowExA(0, MAKEINTATOM(kind), "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 ::GetModuleHandleA(nullptr), nullptr);
  }
  ~Probe() {
    if (m_window) ::DestroyWindow(m_window);
  }
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;
  HWND Window() const { return m_window; }

 private:
  HWND m_window = nullptr;
};

// The input given is taken once the user-interface thread, answering from
// whatever loop it runs, holds none queued: what it took last has been
// handled then, or its handling runs the loop that answered. Bounded: input
// never taken is reported when the steps end.
void Settle() {
  const DWORD start = ::GetTickCount();
  do {
    DWORD_PTR queued = 1;
    if (!::SendMessageTimeoutA(g_probe, kAskQueuedInput, 0, 0, SMTO_NORMAL, kInputTakenWithin, &queued)) break;
    if (!queued) return;
    // A moment for the thread to reach its queue before it is asked again.
    ::Sleep(1);
  } while (::GetTickCount() - start < kInputTakenWithin);
  g_inputLeft = true;
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

void Perform(const std::function<void()>& steps) { PerformDuring(nullptr, steps); }

void PerformDuring(const std::function<void()>& work, const std::function<void()>& steps) {
  g_uiThread = ::GetCurrentThreadId();
  const Probe probe;
  ASSERT_NE(probe.Window(), nullptr);
  g_probe = probe.Window();
  g_inputLeft = false;
  HANDLE thread = ::CreateThread(nullptr, 0, RunSteps, const_cast<std::function<void()>*>(&steps), 0, nullptr);
  ASSERT_NE(thread, nullptr);
  if (work) work();
  CWinThread* app = AfxGetApp();
  LONG idle = 0;
  while (::WaitForSingleObject(thread, 0) == WAIT_TIMEOUT) {
    MSG msg;
    // In the wide form, as the program's own loops take them.
    if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;  // a closed main window must not end the tests
      if (!(app ? app->PreTranslateMessage(&msg) : CWnd::WalkPreTranslateTree(nullptr, &msg))) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
      if (!app || app->IsIdleMessage(&msg)) idle = 0;
    } else if (app && idle < 2) {
      app->OnIdle(idle++);
    } else {
      ::MsgWaitForMultipleObjects(1, &thread, FALSE, 50, QS_ALLINPUT);
    }
  }
  ::CloseHandle(thread);
  g_probe = nullptr;
  EXPECT_FALSE(g_inputLeft) << "input the hand gave was never taken";
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

void Type(const wchar_t* text) {
  for (const wchar_t* c = text; *c; ++c) {
    INPUT in[2]{};
    for (INPUT& key : in) {
      key.type = INPUT_KEYBOARD;
      key.ki.wScan = *c;
      key.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    in[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof in[0]);
    Settle();
  }
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
