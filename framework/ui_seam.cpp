#include "framework/ui_seam.h"

#include <objbase.h>

namespace {
CUiSeam& realSeam() {
  static CUiSeam seam;
  return seam;
}
CUiSeam* g_seam = nullptr;
}  // namespace

CUiSeam* AfxGetUiSeam() { return g_seam ? g_seam : &realSeam(); }

CUiSeam* AfxSetUiSeam(CUiSeam* pSeam) {
  CUiSeam* previous = AfxGetUiSeam();
  g_seam = pSeam;
  return previous;
}

int CUiSeam::MessageBox(HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) {
  return ::MessageBoxA(hOwner, lpszText, lpszCaption, nType);
}

BOOL CUiSeam::GetOpenFileName(OPENFILENAMEA* pOfn) { return ::GetOpenFileNameA(pOfn); }
BOOL CUiSeam::GetSaveFileName(OPENFILENAMEA* pOfn) { return ::GetSaveFileNameA(pOfn); }
BOOL CUiSeam::ChooseColor(CHOOSECOLORA* pCc) { return ::ChooseColorA(pCc); }
BOOL CUiSeam::ChooseFont(CHOOSEFONTA* pCf) { return ::ChooseFontA(pCf); }

BOOL CUiSeam::BrowseForFolder(BROWSEINFOA* pBi, CString& rPath) {
  LPITEMIDLIST pidl = ::SHBrowseForFolderA(pBi);
  if (!pidl) return FALSE;
  char path[MAX_PATH] = "";
  BOOL ok = ::SHGetPathFromIDListA(pidl, path);
  ::CoTaskMemFree(pidl);
  if (ok) rPath = path;
  return ok;
}

BOOL CUiSeam::BeforeModal(CWnd*, UINT, INT_PTR&, std::function<void(CWnd*)>&) { return FALSE; }

void CUiSeam::ReportError(LPCSTR lpszText) {
  ::MessageBoxA(nullptr, lpszText, "Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}
