#include "app/dialogs/DatiSposalboDlg.h"

#include <fstream>
#include <iterator>

#include "app/resource.h"
#include "app/shell/SposalboApp.h"

BEGIN_MESSAGE_MAP(CDatiSposalboDlg, CDHtmlDialog)
  ON_WM_SIZE()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
// The whole file; false when it cannot be opened.
bool readFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool fileExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

CDatiSposalboDlg::CDatiSposalboDlg(CWnd* pParent) : CDHtmlDialog(IDD_DATI_SPOSALBO, 0, pParent) {
  CWinApp* app = AfxGetApp();
  CString url = app ? app->GetProfileString("Program Settings", "dataURL", "") : CString();
  m_strCurrentUrl = url.IsEmpty() ? CSposalboApp::GetProgramFolder() + "html\\data.html" : url;
}

INT_PTR CDatiSposalboDlg::DoModalWithDispatch(CIDispatchIEExt* pScript) {
  m_pScript = pScript;
  SetExternalDispatch(pScript);
  INT_PTR result = DoModal();
  SetExternalDispatch(nullptr);
  return result;
}

BOOL CDatiSposalboDlg::OnInitDialog() {
  CDHtmlDialog::OnInitDialog();
  ModifyStyle(0, WS_THICKFRAME, SWP_FRAMECHANGED);
  return TRUE;
}

BOOL CDatiSposalboDlg::IsPageReachable() {
  const std::string path = LocalPathOfUrl(static_cast<const char*>(m_strCurrentUrl));
  return path.empty() || fileExists(path);
}

void CDatiSposalboDlg::OnBrowserUnavailable() {
  // The page's own fields first, then whatever else the album holds. A page
  // that cannot be read still leaves the data editable: the program's own
  // fields stand in for its fields, and the form says why.
  std::vector<PageField> fields;
  std::string note;
  const std::string path = LocalPathOfUrl(static_cast<const char*>(m_strCurrentUrl));
  std::string html;
  if (!path.empty() && readFile(path, html))
    fields = ReadPageFields(html);
  else
    note = "Pagina dei dati non disponibile: " + std::string(static_cast<const char*>(m_strCurrentUrl));
  if (fields.empty()) fields = StandardPageFields();
  if (m_pScript) {
    for (const auto& entry : m_pScript->GetParams()) {
      bool known = false;
      for (const PageField& f : fields) known |= f.name == entry.first;
      if (!known && !entry.first.empty()) fields.push_back(PageField{entry.first, entry.first, false});
    }
  }
  m_standIn.Create(this, fields, m_pScript, note);
  // The window takes the form's height.
  CRect client, window;
  GetClientRect(&client);
  GetWindowRect(&window);
  const int needed = m_standIn.Layout(client.Width());
  SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() - client.Height() + needed,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDatiSposalboDlg::OnDestroy() {
  m_standIn.Reset();
  CDHtmlDialog::OnDestroy();
}

void CDatiSposalboDlg::OnSize(UINT nType, int cx, int cy) {
  CDHtmlDialog::OnSize(nType, cx, cy);
  if (m_standIn.IsShown()) m_standIn.Layout(cx);
}

void CDatiSposalboDlg::OnOK() {
  // The page confirms through its script; Enter in the stand-in confirms it.
  if (m_standIn.IsShown()) m_standIn.Confirm();
}

void CDatiSposalboDlg::OnCancel() {
  if (m_standIn.IsShown())
    m_standIn.Cancel();
  else
    ScriptCancel();
}

void CDatiSposalboDlg::ScriptConfirm() { EndDialog(IDOK); }

void CDatiSposalboDlg::ScriptCancel() { EndDialog(IDCANCEL); }

void CDatiSposalboDlg::ScriptResize(int width, int height) {
  if (m_hWnd) SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}
