#include "framework/ui_seam.h"

#include <objbase.h>

#include <algorithm>
#include <cstring>
#include <vector>

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

namespace {
std::wstring Widen(const char* text, int length) {
  const int n = text && length ? ::MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0) : 0;
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, text, length, &wide[0], n);
  return wide;
}

// "name\0pattern\0...\0\0" as one block, both final NULs kept.
std::wstring WidenFilter(const char* filter) {
  if (!filter) return std::wstring();
  const char* end = filter;
  while (*end) end += std::strlen(end) + 1;
  return Widen(filter, static_cast<int>(end - filter) + 1);
}

const wchar_t* OrNull(const std::wstring& text, const char* original) { return original ? text.c_str() : nullptr; }

// The ANSI dialog through the wide one, for the path as the user chose it.
// A hook, a template, extra buffers or several files would see the other
// character set: those dialogs run as they are.
BOOL RunFileDialog(OPENFILENAMEA* pOfn, std::wstring& rWidePath, bool open) {
  rWidePath.clear();
  const DWORD ansiOnly = OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE | OFN_ALLOWMULTISELECT;
  if ((pOfn->Flags & ansiOnly) || pOfn->lpstrCustomFilter || pOfn->lpstrFileTitle || !pOfn->lpstrFile ||
      pOfn->nMaxFile == 0) {
    const BOOL chosen = open ? ::GetOpenFileNameA(pOfn) : ::GetSaveFileNameA(pOfn);
    if (chosen && !(pOfn->Flags & OFN_ALLOWMULTISELECT)) rWidePath = AfxWiden(pOfn->lpstrFile);
    return chosen;
  }
  const std::wstring filter = WidenFilter(pOfn->lpstrFilter), initialDir = AfxWiden(pOfn->lpstrInitialDir),
                     title = AfxWiden(pOfn->lpstrTitle), defExt = AfxWiden(pOfn->lpstrDefExt);
  std::vector<wchar_t> file(pOfn->nMaxFile, L'\0');
  const std::wstring start = AfxWiden(pOfn->lpstrFile);
  start.copy(file.data(), std::min(start.size(), file.size() - 1));
  OPENFILENAMEW wide{};
  wide.lStructSize = sizeof wide;
  wide.hwndOwner = pOfn->hwndOwner;
  wide.hInstance = pOfn->hInstance;
  wide.lpstrFilter = OrNull(filter, pOfn->lpstrFilter);
  wide.nFilterIndex = pOfn->nFilterIndex;
  wide.lpstrFile = file.data();
  wide.nMaxFile = pOfn->nMaxFile;
  wide.lpstrInitialDir = OrNull(initialDir, pOfn->lpstrInitialDir);
  wide.lpstrTitle = OrNull(title, pOfn->lpstrTitle);
  wide.Flags = pOfn->Flags;
  wide.lpstrDefExt = OrNull(defExt, pOfn->lpstrDefExt);
  wide.lCustData = pOfn->lCustData;
  const BOOL chosen = open ? ::GetOpenFileNameW(&wide) : ::GetSaveFileNameW(&wide);
  pOfn->nFilterIndex = wide.nFilterIndex;
  pOfn->Flags = wide.Flags;
  if (!chosen) return FALSE;
  rWidePath = file.data();
  return AfxStoreChosenPath(pOfn, rWidePath);
}
}  // namespace

std::wstring AfxWiden(const char* text) {
  return text ? Widen(text, static_cast<int>(std::strlen(text))) : std::wstring();
}

std::string AfxNarrow(const std::wstring& text) {
  const int length = static_cast<int>(text.size());
  const int n = length ? ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr) : 0;
  std::string narrow(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, &narrow[0], n, nullptr, nullptr);
  return narrow;
}

BOOL AfxStoreChosenPath(OPENFILENAMEA* pOfn, const std::wstring& widePath) {
  const std::string path = AfxNarrow(widePath);
  if (!pOfn->lpstrFile || path.size() + 2 > pOfn->nMaxFile) {
    // As the system does: the size it would need in the buffer's first two bytes.
    if (pOfn->lpstrFile && pOfn->nMaxFile >= 2) {
      const WORD needed = static_cast<WORD>(path.size() + 2 > 0xFFFF ? 0xFFFF : path.size() + 2);
      std::memcpy(pOfn->lpstrFile, &needed, sizeof needed);
    }
    return FALSE;
  }
  // The path, then the empty name that ends a list of several.
  std::memcpy(pOfn->lpstrFile, path.c_str(), path.size() + 1);
  pOfn->lpstrFile[path.size() + 1] = '\0';
  // The offsets count code-page bytes, which are not the UTF-16 units.
  const size_t slash = widePath.find_last_of(L"\\/");
  const size_t name = slash == std::wstring::npos ? 0 : slash + 1;
  const size_t dot = widePath.find_last_of(L'.');
  pOfn->nFileOffset = static_cast<WORD>(AfxNarrow(widePath.substr(0, name)).size());
  pOfn->nFileExtension =
      static_cast<WORD>(dot == std::wstring::npos || dot < name ? 0 : AfxNarrow(widePath.substr(0, dot + 1)).size());
  return TRUE;
}

BOOL CUiSeam::GetOpenFileName(OPENFILENAMEA* pOfn, std::wstring& rWidePath) {
  return RunFileDialog(pOfn, rWidePath, true);
}

BOOL CUiSeam::GetSaveFileName(OPENFILENAMEA* pOfn, std::wstring& rWidePath) {
  return RunFileDialog(pOfn, rWidePath, false);
}

BOOL CUiSeam::ChooseColor(CHOOSECOLORA* pCc) { return ::ChooseColorA(pCc); }
BOOL CUiSeam::ChooseFont(CHOOSEFONTA* pCf) { return ::ChooseFontA(pCf); }

BOOL CUiSeam::BrowseForFolder(BROWSEINFOA* pBi, CString& rPath, std::wstring& rWidePath) {
  LPITEMIDLIST pidl = ::SHBrowseForFolderA(pBi);
  if (!pidl) return FALSE;
  wchar_t path[MAX_PATH] = L"";
  const BOOL ok = ::SHGetPathFromIDListW(pidl, path);
  ::CoTaskMemFree(pidl);
  if (ok) {
    rWidePath = path;
    rPath = CString(AfxNarrow(rWidePath).c_str());
  }
  return ok;
}

BOOL CUiSeam::BeforeModal(CWnd*, UINT, INT_PTR&, std::function<void(CWnd*)>&) { return FALSE; }

void CUiSeam::ReportError(LPCSTR lpszText) {
  ::MessageBoxA(nullptr, lpszText, "Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}
