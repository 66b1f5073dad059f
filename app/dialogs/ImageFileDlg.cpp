#include "app/dialogs/ImageFileDlg.h"

#include <commdlg.h>

#include <algorithm>

CImageFileDlg::CImageFileDlg(CWnd* parent)
    : CFileDialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                  "Tutti i formati|*.jpg;*.tga;*.tif;*.bmp;*.pcx;*.pcd|Jpeg|*.jpg|Targa|*.tga|Tiff|*.tif|"
                  "Windows Bitmap|*.bmp|Pcx|*.pcx|Kodak PhotoCD|*.pcd|Tutti i file|*.*||",
                  parent),
      m_buffer(kBufferSize, '\0') {
  m_ofn.lpstrFile = m_buffer.data();
  m_ofn.nMaxFile = kBufferSize;
}

INT_PTR CImageFileDlg::DoModal() {
  std::fill(m_buffer.begin(), m_buffer.end(), '\0');
  const INT_PTR result = CFileDialog::DoModal();
  // A selection that does not fit ends the dialog as a cancel would; the
  // system then leaves the size it needed in the buffer's first two bytes.
  m_selectionTooLarge =
      result != IDOK && (::CommDlgExtendedError() == FNERR_BUFFERTOOSMALL || m_buffer[0] != 0 || m_buffer[1] != 0);
  if (m_selectionTooLarge) std::fill(m_buffer.begin(), m_buffer.end(), '\0');
  return result;
}

std::vector<CString> CImageFileDlg::GetPaths() const {
  std::vector<CString> paths;
  for (POSITION pos = GetStartPosition(); pos;) paths.push_back(GetNextPathName(pos));
  return paths;
}
