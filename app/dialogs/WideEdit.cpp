#include "app/dialogs/WideEdit.h"

#include "app/dialogs/CodePageText.h"

HWND RemakeEditForWideText(HWND edit) {
  if (!edit || ::IsWindowUnicode(edit)) return edit;
  HWND parent = ::GetParent(edit);
  RECT place;
  ::GetWindowRect(edit, &place);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(edit, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(edit, GWL_EXSTYLE));
  const std::wstring text = WideWindowText(edit);
  HWND wide = ::CreateWindowExW(exStyle, L"EDIT", text.c_str(), style, place.left, place.top,
                                place.right - place.left, place.bottom - place.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(::GetDlgCtrlID(edit))),
                                ::GetModuleHandleW(nullptr), nullptr);
  if (!wide) return edit;  // the old one still takes the words, only not all letters
  ::SendMessageW(wide, WM_SETFONT, ::SendMessageW(edit, WM_GETFONT, 0, 0), FALSE);
  // Right after the old one, where the tab order had it.
  ::SetWindowPos(wide, edit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const bool focused = ::GetFocus() == edit;
  ::DestroyWindow(edit);
  if (focused) ::SetFocus(wide);
  return wide;
}
