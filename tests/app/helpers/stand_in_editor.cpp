// Stand-in outside editor with a window of its own: shows it the way a
// program's first window takes the show state it was started with, then
// names itself "shown". It stays until it is closed, or for a minute at most.
#include <windows.h>

namespace {
constexpr UINT_PTR kGiveUp = 1;

LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcA(window, message, wParam, lParam);
  }
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = EditorProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "LumivoStandInEditor";
  if (!::RegisterClassA(&windowClass)) return 1;
  HWND window = ::CreateWindowA("LumivoStandInEditor", "starting", WS_OVERLAPPEDWINDOW, 0, 0, 320, 200, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  ::ShowWindow(window, show);
  ::SetWindowTextA(window, "shown");
  ::SetTimer(window, kGiveUp, 60000, nullptr);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) ::DispatchMessageA(&message);
  return 0;
}
