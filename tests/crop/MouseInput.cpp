#include "crop/MouseInput.h"

namespace {
void post(HWND hWnd, UINT message, WPARAM flags, CPoint client) {
  ::PostMessageA(hWnd, message, flags, MAKELPARAM(static_cast<short>(client.x), static_cast<short>(client.y)));
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

void MoveTo(HWND hWnd, CPoint client, bool buttonHeld) { post(hWnd, WM_MOUSEMOVE, buttonHeld ? MK_LBUTTON : 0, client); }
void Press(HWND hWnd, CPoint client) { post(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, client); }
void Release(HWND hWnd, CPoint client) { post(hWnd, WM_LBUTTONUP, 0, client); }

void Drag(HWND hWnd, CPoint from, CPoint to, int steps) {
  MoveTo(hWnd, from);
  Press(hWnd, from);
  for (int i = 1; i <= steps; ++i)
    MoveTo(hWnd, CPoint(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps), true);
  Release(hWnd, to);
  Flush();
}

void Click(HWND hWnd, CPoint client) {
  MoveTo(hWnd, client);
  Press(hWnd, client);
  Release(hWnd, client);
  Flush();
}

void DoubleClick(HWND hWnd, CPoint client) {
  Press(hWnd, client);
  Release(hWnd, client);
  post(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, client);
  Release(hWnd, client);
  Flush();
}
}  // namespace input
