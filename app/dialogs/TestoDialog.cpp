#include "app/dialogs/TestoDialog.h"

CTestoDialog::CTestoDialog(CWnd* parent) : CFontDialog(nullptr, CF_SCREENFONTS, nullptr, parent) {
  lstrcpynA(m_lf.lfFaceName, "Arial", LF_FACESIZE);
}

INT_PTR CTestoDialog::DoModal() {
  m_cf.Flags |= CF_TTONLY | CF_INITTOLOGFONTSTRUCT | CF_ENABLETEMPLATE;
  m_cf.lpTemplateName = MAKEINTRESOURCEA(IDD_TESTO);
  return CFontDialog::DoModal();
}

BOOL CTestoDialog::OnInitDialog() {
  CFontDialog::OnInitDialog();
  UpdateData(FALSE);
  return TRUE;
}

void CTestoDialog::DoDataExchange(CDataExchange* pDX) {
  CFontDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_TESTO_TEXT, m_text);
}

void CTestoDialog::SetText(const std::string& text) {
  std::string edit;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) edit += '\r';
    edit += text[i];
  }
  m_text = edit.c_str();
}

std::string CTestoDialog::GetText() const {
  std::string text;
  for (const char c : m_text.str())
    if (c != '\r') text += c;
  return text;
}
