#include "EditorDriving.h"

#include <cstring>

namespace {
// The file name box of the explorer-style file dialog, and of the old one.
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileNameEdit = 0x480;

struct Search {
  HWND owner;
  HWND found;
};

BOOL CALLBACK IsOwnedDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char cls[32] = "";
  ::GetClassNameA(window, cls, sizeof cls);
  if (std::strcmp(cls, "#32770") == 0 && ::GetWindow(window, GW_OWNER) == search->owner &&
      ::IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindOwnedDialog(HWND owner) {
  Search search{owner, nullptr};
  ::EnumWindows(IsOwnedDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForOwnedDialog(HWND owner, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (HWND found = FindOwnedDialog(owner)) return found;
    ::Sleep(50);
  }
  return nullptr;
}

void AnswerFileDialog(HWND dialog, const char* text) {
  // The dialog fills its boxes after it shows.
  ::Sleep(500);
  HWND name = ::GetDlgItem(dialog, kFileNameCombo);
  if (!name) name = ::GetDlgItem(dialog, kFileNameEdit);
  ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
}
