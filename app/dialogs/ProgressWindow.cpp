#include "app/dialogs/ProgressWindow.h"

namespace {
// Room for three lines of text: a long sentence wraps, and the count keeps a line of its own.
constexpr int kWidth = 380, kHeight = 102, kMargin = 12, kTextHeight = 48, kBarHeight = 18;
}  // namespace

CProgressWindow::CProgressWindow(CWnd* owner, const char* title) : m_owner(owner ? owner->GetSafeHwnd() : nullptr) {
  const char* windowClass =
      AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_WAIT), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  RECT frame = {0, 0, kWidth, kHeight};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  ::AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  // Centred on the owner, or on the screen without one.
  RECT around = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  if (m_owner) ::GetWindowRect(m_owner, &around);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  const int x = around.left + (around.right - around.left - width) / 2;
  const int y = around.top + (around.bottom - around.top - height) / 2;
  if (!m_window.CreateEx(WS_EX_DLGMODALFRAME, windowClass, title, style, x, y, width, height, m_owner, nullptr))
    return;
  const RECT textRect = {kMargin, kMargin, kWidth - kMargin, kMargin + kTextHeight};
  m_text.Create("", WS_CHILD | WS_VISIBLE | SS_LEFT, textRect, &m_window);
  m_text.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  const RECT barRect = {kMargin, kMargin * 2 + kTextHeight, kWidth - kMargin, kMargin * 2 + kTextHeight + kBarHeight};
  m_bar.Create(PROGRESS_CLASSA, nullptr, WS_CHILD | WS_VISIBLE, barRect, &m_window, 1);
  // The owner takes no clicks or keys meanwhile: no command can start on
  // the album while the work changes it.
  if (m_owner && ::IsWindowEnabled(m_owner)) {
    ::EnableWindow(m_owner, FALSE);
    m_ownerDisabled = true;
  }
  m_window.ShowWindow(SW_SHOWNORMAL);
  m_window.UpdateWindow();
}

CProgressWindow::~CProgressWindow() {
  // Enabled before the window goes, so that the owner is activated again.
  if (m_ownerDisabled) ::EnableWindow(m_owner, TRUE);
  if (m_window.GetSafeHwnd()) m_window.DestroyWindow();
}

void CProgressWindow::Show(const std::string& text, size_t done, size_t total) {
  if (!m_window.GetSafeHwnd()) return;
  m_text.SetWindowText(text.c_str());
  m_bar.SendMessage(PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
  m_bar.SendMessage(PBM_SETPOS, static_cast<WPARAM>(done));
  m_window.UpdateWindow();
}
