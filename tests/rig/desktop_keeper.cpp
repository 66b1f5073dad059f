// Holds the desktop of a Wine session open for as long as the session lasts.
//
// The first program of a session that needs the desktop makes Wine start the
// desktop process, which takes that program's standard error along, and the
// desktop process ends a moment after its last other program. Under ctest the
// tests overlap, so the desktop would live through the whole run holding the
// output pipe of whichever test started it, and ctest would wait for that test
// until the end. The session starts this program first, with its output going
// nowhere; it starts the desktop, stays its user until the session's server
// is stopped, and names a file once the desktop is up.
//   desktop_keeper <ready-file>
#include <windows.h>

int main(int argc, char** argv) {
  if (!::GetDesktopWindow()) return 1;
  if (argc > 1) {
    HANDLE ready = ::CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 1;
    ::CloseHandle(ready);
  }
  ::Sleep(INFINITE);
  return 0;
}
