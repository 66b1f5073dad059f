#include "app/dialogs/TestoDialog.h"

#include "app/dialogs/CodePageText.h"
#include "app/dialogs/EditLineBreaks.h"
#include "app/dialogs/FontListFile.h"
#include "app/dialogs/TextFaces.h"
#include "document/DocumentHost.h"

CTestoDialog::CTestoDialog(CWnd* parent) : CFontDialog(nullptr, CF_EFFECTS | CF_SCREENFONTS, nullptr, parent) {
  lstrcpynA(m_lf.lfFaceName, "Arial", LF_FACESIZE);
}

INT_PTR CTestoDialog::DoModal() {
  m_cf.Flags |= CF_TTONLY | CF_INITTOLOGFONTSTRUCT | CF_ENABLETEMPLATE;
  m_cf.lpTemplateName = MAKEINTRESOURCEA(IDD_TESTO);
  // The system's list would start at its first face where this one is not
  // installed; the text starts in a readable face instead.
  CClientDC screen(nullptr);
  IDocumentHost* host = GetDocumentHost();
  std::function<bool(const std::string&)> isLabFace;
  if (host) isLabFace = [host](const std::string& face) { return host->IsLabFont(face); };
  const std::string face =
      ChooseTextFace(m_lf.lfFaceName, EnumTrueTypeFaces(screen.m_hDC), isLabFace, SystemTextFace());
  lstrcpynA(m_lf.lfFaceName, face.c_str(), LF_FACESIZE);
  return CFontDialog::DoModal();
}

BOOL CTestoDialog::OnInitDialog() {
  CFontDialog::OnInitDialog();
  UpdateData(FALSE);
  return TRUE;
}

void CTestoDialog::DoDataExchange(CDataExchange* pDX) {
  CFontDialog::DoDataExchange(pDX);
  if (pDX->m_bSaveAndValidate) {
    // Read as the code page holds it, a character it has no place for would
    // become another without a word: the text stays here to be corrected.
    const std::string unkept = CharactersOutsideCodePage(WideWindowText(pDX->PrepareEditCtrl(IDC_TESTO_TEXT)));
    if (!unkept.empty()) {
      AfxMessageBox(UnkeptCharactersMessage({{"Il testo", unkept}}).c_str(), MB_ICONEXCLAMATION);
      pDX->Fail();
    }
  }
  DDX_Text(pDX, IDC_TESTO_TEXT, m_text);
}

void CTestoDialog::SetText(const std::string& text) { m_text = ToEditLineBreaks(text).c_str(); }

std::string CTestoDialog::GetText() const { return FromEditLineBreaks(m_text.str()); }
