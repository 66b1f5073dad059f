#pragma once
// A small window that shows how far a long piece of work has gone: a line of
// text over a bar, centred on its owner. While it is up the owner takes no
// input, as under a dialog, yet goes on answering and drawing; both come back
// as they were when the object goes.
#include <string>

#include "framework/framework.h"

class CProgressWindow {
 public:
  CProgressWindow(CWnd* owner, const char* title);
  ~CProgressWindow();
  CProgressWindow(const CProgressWindow&) = delete;
  CProgressWindow& operator=(const CProgressWindow&) = delete;

  // The text shown and the bar at done out of total.
  void Show(const std::string& text, size_t done, size_t total);

 private:
  CWnd m_window;
  CStatic m_text;
  CWnd m_bar;
  HWND m_owner = nullptr;
  bool m_ownerDisabled = false;  // by this window, so it enables it again
};
