// Drives the running editor the way a person would, for tools/run:
//   drive_editor make <folder>   writes the sample album below the folder and
//                                prints its project file's path
//   drive_editor open <project>  waits for the editor's window, chooses
//                                File > Open and types the path into the
//                                file dialog
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/resource.h"
#include "app/support/SampleAlbum.h"

namespace {
// The file name box of the explorer-style file dialog.
constexpr int kFileNameCombo = 0x47c;

HWND WaitFor(const char* what, HWND (*find)(HWND), HWND arg) {
  for (int i = 0; i < 300; ++i) {
    if (HWND found = find(arg)) return found;
    ::Sleep(100);
  }
  std::fprintf(stderr, "drive_editor: no %s\n", what);
  return nullptr;
}

HWND FindEditor(HWND) { return ::FindWindowA(nullptr, "Lumivo"); }

HWND g_dialog;
BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM owner) {
  char cls[32] = "";
  ::GetClassNameA(window, cls, sizeof cls);
  if (std::strcmp(cls, "#32770") == 0 && ::GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(owner) &&
      ::IsWindowVisible(window)) {
    g_dialog = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindFileDialog(HWND editor) {
  g_dialog = nullptr;
  ::EnumWindows(FindOwnedDialog, reinterpret_cast<LPARAM>(editor));
  return g_dialog;
}

int Open(const char* project) {
  HWND editor = WaitFor("editor window", FindEditor, nullptr);
  if (!editor) return 1;
  ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(ID_ALBUM_OPEN, 0), 0);
  HWND dialog = WaitFor("file dialog", FindFileDialog, editor);
  if (!dialog) return 1;
  ::Sleep(500);
  HWND name = ::GetDlgItem(dialog, kFileNameCombo);
  if (!name) name = ::GetDlgItem(dialog, 0x480);
  ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(project));
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "make") == 0) {
    ::CreateDirectoryA(argv[2], nullptr);
    SampleAlbum album(argv[2]);
    std::printf("%s\n", album.ProjectPath().c_str());
    return 0;
  }
  if (argc == 3 && std::strcmp(argv[1], "open") == 0) return Open(argv[2]);
  std::fprintf(stderr, "usage: drive_editor make <folder> | open <project file>\n");
  return 2;
}
