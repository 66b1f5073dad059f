#include "framework/common_dialogs.h"

#include <shlobj.h>

#include <cstring>

#include "framework/resources.h"
#include "framework/thread_state.h"
#include "framework/ui_seam.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

namespace {
// Lets the system dialog run with its default procedure while the creation hook
// binds the window to the C++ object.
UINT_PTR CALLBACK commonDialogHook(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

HWND ownerOf(CWnd* pParent) {
  HWND hOwner = nullptr;
  CWnd::GetSafeOwner(pParent, &hOwner);
  return hOwner;
}

const size_t kFileBufferSize = 64 * 1024;

// The shell opens its folder browser at the screen's corner; like every
// dialog it is centred on its owner.
int CALLBACK browseCallback(HWND hWnd, UINT message, LPARAM, LPARAM) {
  if (message == BFFM_INITIALIZED) CWnd::FromHandle(hWnd)->CenterWindow();
  return 0;
}

// The system's file dialogs open at the screen's corner under some hosts, and
// a hook procedure would cost them their newer look where they have one; a
// window hook held while one runs centres it on its owner as it first shows.
class CCentreOnFirstActivation {
 public:
  CCentreOnFirstActivation() {
    if (HookData* data = Data()) data->hook = ::SetWindowsHookExA(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
  }
  ~CCentreOnFirstActivation() { Release(); }
  CCentreOnFirstActivation(const CCentreOnFirstActivation&) = delete;
  CCentreOnFirstActivation& operator=(const CCentreOnFirstActivation&) = delete;

 private:
  struct HookData : CThreadData {
    HHOOK hook = nullptr;
  };
  static HookData* Data() {
    static CPerThread<HookData> perThread;
    return perThread.Get();
  }
  static void Release() {
    HookData* data = Data();
    if (!data || !data->hook) return;
    ::UnhookWindowsHookEx(data->hook);
    data->hook = nullptr;
  }
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    HookData* data = Data();
    HHOOK hook = data ? data->hook : nullptr;
    if (code == HCBT_ACTIVATE) {
      HWND window = reinterpret_cast<HWND>(wParam);
      char name[16] = "";
      ::GetClassNameA(window, name, sizeof name);
      if (lstrcmpA(name, "#32770") == 0) {
        Release();
        CWnd::FromHandle(window)->CenterWindow();
      }
    }
    return ::CallNextHookEx(hook, code, wParam, lParam);
  }
};
}  // namespace

void CCommonDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  Default();
}

void CCommonDialog::OnCancel() { Default(); }

// --- CFileDialog --------------------------------------------------------------------

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_fileBuffer(kFileBufferSize, '\0') {
  m_ofn.lStructSize = sizeof(OPENFILENAMEA);
  m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
  m_ofn.hInstance = AfxGetResourceHandle();
  if (lpszDefExt) {
    m_strDefExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_strDefExt;
  }
  if (lpszFileName) lstrcpynA(&m_fileBuffer[0], lpszFileName, static_cast<int>(kFileBufferSize));
  m_ofn.lpstrFile = &m_fileBuffer[0];
  m_ofn.nMaxFile = static_cast<DWORD>(kFileBufferSize);
  if (lpszFilter) {
    // "|" separates the parts; the system wants NUL characters and a double NUL.
    m_strFilter = lpszFilter;
    m_strFilter += '|';
    m_strFilter.Replace('|', '\0');
    m_ofn.lpstrFilter = m_strFilter;
  }
}

INT_PTR CFileDialog::DoModal() {
  m_ofn.hwndOwner = ownerOf(m_pParentWnd);
  if (m_ofn.Flags & OFN_ENABLEHOOK && !m_ofn.lpfnHook) m_ofn.lpfnHook = commonDialogHook;
  CCentreOnFirstActivation centre;
  BOOL ok = m_bOpenFileDialog ? AfxGetUiSeam()->GetOpenFileName(&m_ofn, m_widePath)
                              : AfxGetUiSeam()->GetSaveFileName(&m_ofn, m_widePath);
  return ok ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
  if (m_ofn.Flags & OFN_ALLOWMULTISELECT) {
    POSITION pos = GetStartPosition();
    return pos ? GetNextPathName(pos) : CString();
  }
  return m_ofn.lpstrFile;
}

CString CFileDialog::GetFileName() const {
  CString path = GetPathName();
  int slash = path.ReverseFind('\\');
  return slash >= 0 ? path.Mid(slash + 1) : path;
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot >= 0 ? name.Left(dot) : name;
}

// The buffer holds either one path, or the folder followed by the file names,
// each NUL-terminated, ending with an empty string. A position is the offset of
// the next name plus one.
POSITION CFileDialog::GetStartPosition() const {
  if (!m_ofn.lpstrFile || !m_ofn.lpstrFile[0]) return nullptr;
  return reinterpret_cast<POSITION>(static_cast<INT_PTR>(1));
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  const char* buffer = m_ofn.lpstrFile;
  size_t offset = static_cast<size_t>(reinterpret_cast<INT_PTR>(pos)) - 1;
  size_t firstLength = std::strlen(buffer);
  bool several = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && buffer[firstLength + 1] != '\0';
  if (!several) {
    pos = nullptr;
    return CString(buffer);
  }
  if (offset == 0) offset = firstLength + 1;  // the first name after the folder
  CString folder(buffer);
  CString name(buffer + offset);
  size_t next = offset + static_cast<size_t>(name.GetLength()) + 1;
  pos = buffer[next] ? reinterpret_cast<POSITION>(static_cast<INT_PTR>(next + 1)) : nullptr;
  if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\') folder += '\\';
  return folder + name;
}

// --- CColorDialog -----------------------------------------------------------------

COLORREF* CColorDialog::GetSavedCustomColors() {
  static COLORREF colors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
  return colors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd) {
  m_cc.lStructSize = sizeof(CHOOSECOLORA);
  m_cc.lpCustColors = GetSavedCustomColors();
  m_cc.Flags = dwFlags | (clrInit ? CC_RGBINIT : 0) | CC_ENABLEHOOK;
  m_cc.lpfnHook = commonDialogHook;
  m_cc.rgbResult = clrInit;
}

INT_PTR CColorDialog::DoModal() {
  m_cc.hwndOwner = ownerOf(m_pParentWnd);
  // Bound to this object as it is made, the system's dialog opens centred on
  // its owner like every dialog, not at the owner's corner.
  AfxHookWindowCreate(this);
  BOOL ok = AfxGetUiSeam()->ChooseColor(&m_cc);
  AfxUnhookWindowCreate();
  if (m_hWnd) Detach();
  return ok ? IDOK : IDCANCEL;
}

// --- CFontDialog ------------------------------------------------------------------

CFontDialog::CFontDialog(LPLOGFONTA lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd) {
  m_cf.lStructSize = sizeof(CHOOSEFONTA);
  m_cf.lpLogFont = &m_lf;
  m_cf.Flags = dwFlags | CF_ENABLEHOOK;
  m_cf.lpfnHook = commonDialogHook;
  m_cf.hInstance = AfxGetResourceHandle();
  (void)pdcPrinter;
  if (lplfInitial) {
    m_lf = *lplfInitial;
    m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
  }
}

INT_PTR CFontDialog::DoModal() {
  m_cf.hwndOwner = ownerOf(m_pParentWnd);
  m_cf.lpLogFont = &m_lf;
  m_cf.hInstance = AfxGetResourceHandle();
  // The system creates the dialog; the hook binds it to this object so its
  // message map (and a custom template's controls) work.
  AfxHookWindowCreate(this);
  BOOL ok = AfxGetUiSeam()->ChooseFont(&m_cf);
  AfxUnhookWindowCreate();
  if (m_hWnd) Detach();
  return ok ? IDOK : IDCANCEL;
}

void CFontDialog::GetCurrentFont(LPLOGFONTA lplf) {
  if (m_hWnd)
    SendMessage(WM_CHOOSEFONT_GETLOGFONT, 0, reinterpret_cast<LPARAM>(lplf));
  else
    *lplf = m_lf;
}

// --- Folder browser -----------------------------------------------------------------

BOOL AfxBrowseForFolder(CWnd* pOwner, LPCSTR lpszTitle, UINT nFlags, CString& rPath, std::wstring* pWidePath) {
  char displayName[MAX_PATH] = "";
  BROWSEINFOA bi{};
  bi.hwndOwner = CWnd::SafeHwnd(pOwner);
  bi.pszDisplayName = displayName;
  bi.lpszTitle = lpszTitle;
  bi.ulFlags = nFlags;
  bi.lpfn = browseCallback;
  CString path;
  std::wstring widePath;
  if (!AfxGetUiSeam()->BrowseForFolder(&bi, path, widePath)) return FALSE;
  rPath = path;
  if (pWidePath) *pWidePath = widePath;
  return TRUE;
}
