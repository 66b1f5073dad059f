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
  // user chose files, but none came back.
  bool SelectionTooLarge() const { return m_selectionTooLarge; }

 private:
  std::vector<char> m_buffer;
  bool m_selectionTooLarge = false;
};
