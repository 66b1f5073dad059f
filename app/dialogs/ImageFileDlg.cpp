#include "app/dialogs/ImageFileDlg.h"

#include <commdlg.h>

#include <algorithm>
#include <string>

CImageFileDlg::CImageFileDlg(CWnd* parent)
    : CFileDialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY,
                  "Tutti i formati|*.jpg;*.tga;*.tif;*.bmp;*.pcx;*.pcd|Jpeg|*.jpg|Targa|*.tga|Tiff|*.tif|"
                  "Windows Bitmap|*.bmp|Pcx|*.pcx|Kodak PhotoCD|*.pcd|Tutti i file|*.*||",
                  parent),
      m_buffer(kBufferSize, '\0') {
  m_ofn.lpstrFile = m_buffer.data();
  m_ofn.nMaxFile = kBufferSize;
  m_ofn.Flags |= OFN_ENABLEHOOK;
  m_ofn.lpfnHook = Hook;
  m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
}

size_t CImageFileDlg::CountChosenNames(const char* spec) {
  if (!spec) return 0;
  const std::string text(spec);
  const size_t quotes = static_cast<size_t>(std::count(text.begin(), text.end(), '"'));
  if (quotes > 0) return quotes / 2;
  return text.find_first_not_of(' ') == std::string::npos ? 0 : 1;
}

UINT_PTR CALLBACK CImageFileDlg::Hook(HWND hDlg, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_NOTIFY) return 0;
  const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
  if (notify->hdr.code != CDN_FILEOK || !notify->lpOFN) return 0;
  auto* self = reinterpret_cast<CImageFileDlg*>(notify->lpOFN->lCustData);
  // The file name box as the user left it: every chosen name, whatever fits.
  HWND dialog = ::GetParent(hDlg);
  const LRESULT length = ::SendMessageA(dialog, CDM_GETSPEC, 0, 0);
  if (self && length > 0) {
    std::vector<char> spec(static_cast<size_t>(length) + 1, '\0');
    ::SendMessageA(dialog, CDM_GETSPEC, spec.size(), reinterpret_cast<LPARAM>(spec.data()));
    self->m_chosen = CountChosenNames(spec.data());
  }
  return 0;  // the dialog goes on and closes
}

INT_PTR CImageFileDlg::DoModal() {
  std::fill(m_buffer.begin(), m_buffer.end(), '\0');
  m_chosen = 0;
  INT_PTR result = CFileDialog::DoModal();
  // A selection that does not fit ends the dialog as a cancel would; the
  // system then leaves the size it needed in the buffer's first two bytes.
  // Some systems return as many names as fit instead: fewer than were chosen.
  m_selectionTooLarge =
      result != IDOK ? ::CommDlgExtendedError() == FNERR_BUFFERTOOSMALL || m_buffer[0] != 0 || m_buffer[1] != 0
                     : GetPaths().size() < m_chosen;
  if (m_selectionTooLarge) {
    std::fill(m_buffer.begin(), m_buffer.end(), '\0');
    result = IDCANCEL;
  }
  return result;
}

std::vector<CString> CImageFileDlg::GetPaths() const {
  std::vector<CString> paths;
  for (POSITION pos = GetStartPosition(); pos;) paths.push_back(GetNextPathName(pos));
  return paths;
}
