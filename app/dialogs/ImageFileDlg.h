#pragma once
// The file dialog of "Carica immagini": several image files at once, into a
// file-name buffer of 32768 characters.
#include <vector>

#include "framework/framework.h"

class CImageFileDlg : public CFileDialog {
 public:
  static constexpr DWORD kBufferSize = 0x8000;

  explicit CImageFileDlg(CWnd* parent = nullptr);
  INT_PTR DoModal() override;
  // Every chosen path, in the dialog's order.
  std::vector<CString> GetPaths() const;
  // The last run ended because the chosen names did not fit the buffer: the
  // user chose files, but none came back. A system that cuts the list short
  // instead of refusing it counts too: then the run ends as a cancel.
  bool SelectionTooLarge() const { return m_selectionTooLarge; }

  // How many names a file name box holds: "a" "b" "c" gives 3, a name
  // without quotes 1, nothing 0.
  static size_t CountChosenNames(const char* spec);

 private:
  // Counts the names the user chose when the dialog is about to return them.
  static UINT_PTR CALLBACK Hook(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

  std::vector<char> m_buffer;
  size_t m_chosen = 0;
  bool m_selectionTooLarge = false;
};
