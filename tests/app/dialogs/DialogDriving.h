#pragma once
// Driving a dialog from inside its modal loop in tests: pressing buttons,
// typing into controls, and handing the dialog the messages its controls
// posted.
#include "framework/framework.h"

namespace dialog_test {

inline void PumpPending() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

inline void Click(CWnd* dialog, int id) {
  dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(dialog->m_hWnd, id)));
  PumpPending();
}

inline void Type(CWnd* dialog, int id, const char* text) {
  dialog->SetDlgItemText(id, text);
  PumpPending();
}

// As typed, letters the code page lacks too.
inline void Type(CWnd* dialog, int id, const wchar_t* text) {
  ::SetDlgItemTextW(dialog->m_hWnd, id, text);
  PumpPending();
}

inline CString TextOf(CWnd* dialog, int id) {
  CString text;
  dialog->GetDlgItemText(id, text);
  return text;
}

inline int FocusId() { return ::GetDlgCtrlID(::GetFocus()); }

}  // namespace dialog_test
