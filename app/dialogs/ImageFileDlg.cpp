#include "app/dialogs/ImageFileDlg.h"

CImageFileDlg::CImageFileDlg(CWnd* parent)
    : CFileDialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                  "Tutti i formati|*.jpg;*.tga;*.tif;*.bmp;*.pcx;*.pcd|Jpeg|*.jpg|Targa|*.tga|Tiff|*.tif|"
                  "Windows Bitmap|*.bmp|Pcx|*.pcx|Kodak PhotoCD|*.pcd|Tutti i file|*.*||",
                  parent),
      m_buffer(kBufferSize, '\0') {
  m_ofn.lpstrFile = m_buffer.data();
  m_ofn.nMaxFile = kBufferSize;
}

std::vector<CString> CImageFileDlg::GetPaths() const {
  std::vector<CString> paths;
  for (POSITION pos = GetStartPosition(); pos;) paths.push_back(GetNextPathName(pos));
  return paths;
}
