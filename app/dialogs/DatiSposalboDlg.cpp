#include "app/dialogs/DatiSposalboDlg.h"

#include <fstream>
#include <iterator>

#include "app/resource.h"
#include "app/shell/SposalboApp.h"

BEGIN_MESSAGE_MAP(CDatiSposalboDlg, CDHtmlDialog)
  ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {
std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

void CDatiSposalboDlg::OnBrowserUnavailable() {
  // The page's own fields first, then whatever else the album holds.
  std::vector<PageField> fields;
  const std::string path = LocalPathOfUrl(static_cast<const char*>(m_strCurrentUrl));
  if (!path.empty()) fields = ReadPageFields(readFile(path));
  if (m_pScript) {
    for (const auto& entry : m_pScript->GetParams()) {
      bool known = false;
      for (const PageField& f : fields) known |= f.name == entry.first;
      if (!known && !entry.first.empty()) fields.push_back(PageField{entry.first, entry.first, false});
    }
  }
  m_standIn.Create(this, fields, m_pScript);
  // The window takes the form's height.
  CRect client, window;
  GetClientRect(&client);
  GetWindowRect(&window);
  const int needed = m_standIn.Layout(client.Width());
  SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() - client.Height() + needed,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
