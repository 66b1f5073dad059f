#include "crop/MouseInput.h"

namespace {
void sendMouse(HWND hWnd, CPoint client, DWORD flags) {
  CPoint screen(client);
  ::ClientToScreen(hWnd, &screen);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = static_cast<LONG>((screen.x * 65536LL + 32768) / ::GetSystemMetrics(SM_CXSCREEN));
  in.mi.dy = static_cast<LONG>((screen.y * 65536LL + 32768) / ::GetSystemMetrics(SM_CYSCREEN));
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  ::SendInput(1, &in, sizeof in);
}
}  // namespace

namespace input {
void Flush() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;  // a closed main window must not end the tests
    if (!CWnd::WalkPreTranslateTree(nullptr, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
}

void FlushUntil(const std::function<bool()>& done, int rounds) {
  for (int round = 0; round < rounds && !done(); ++round) {
    Flush();
    if (!done()) ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void MoveTo(HWND hWnd, CPoint client) { sendMouse(hWnd, client, 0); }
void Press(HWND hWnd, CPoint client) { sendMouse(hWnd, client, MOUSEEVENTF_LEFTDOWN); }
void Release(HWND hWnd, CPoint client) { sendMouse(hWnd, client, MOUSEEVENTF_LEFTUP); }

void Drag(HWND hWnd, CPoint from, CPoint to, int steps) {
  MoveTo(hWnd, from);
  sendMouse(hWnd, from, MOUSEEVENTF_LEFTDOWN);
  for (int i = 1; i <= steps; ++i)
    sendMouse(hWnd, CPoint(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps), 0);
  sendMouse(hWnd, to, MOUSEEVENTF_LEFTUP);
  Flush();
}

void Click(HWND hWnd, CPoint client) {
  MoveTo(hWnd, client);
  Press(hWnd, client);
  Release(hWnd, client);
  Flush();
}

void DoubleClick(HWND hWnd, CPoint client) {
  for (int i = 0; i < 2; ++i) {
    Press(hWnd, client);
    Release(hWnd, client);
  }
  Flush();
}
}  // namespace input
