#include "app/dialogs/OpzioniDlg.h"

#include "app/dialogs/CustomGraphicsFolder.h"
#include "app/dialogs/FontListFile.h"
#include "document/services/SystemMessage.h"

BEGIN_MESSAGE_MAP(COpzioniDlg, CDialog)
  ON_BN_CLICKED(IDC_OPT_FONT_LIST, SaveFontList)
  ON_BN_CLICKED(IDC_OPT_BROWSE_FOLDER, OnBrowseFolder)
  ON_BN_CLICKED(IDC_OPT_BROWSE_EXT_APP, OnBrowseExtApp)
END_MESSAGE_MAP()

COpzioniDlg::COpzioniDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void COpzioniDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_OPT_FOLDER, m_strCustomFolder);
  DDX_Text(pDX, IDC_OPT_EXT_APP, m_strExtAppCmdLine);
}

void COpzioniDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  m_strCustomFolder.Trim();
  // An empty text means no custom folder: nothing is made at the root of a drive.
  if (!m_strCustomFolder.IsEmpty() && !MakeCustomFolders(m_strCustomFolder.str())) {
    // The libraries would look in a folder that is not there: the dialog
    // stays open with what was typed, to be put right or cancelled.
    const CString reason = SystemMessage(::GetLastError());
    CString message;
    message.Format("Impossibile creare la directory delle grafiche personalizzate %s:\n%s",
                   m_strCustomFolder.GetString(), reason.GetString());
    MessageBox(message, "Opzioni", MB_ICONERROR);
    GotoDlgCtrl(GetDlgItem(IDC_OPT_FOLDER));
    return;
  }
  EndDialog(IDOK);
}

void COpzioniDlg::OnBrowseFolder() {
  CString folder;
  if (!AfxBrowseForFolder(this, "Scegli la directory delle grafiche personalizzate.",
                          BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_NEWDIALOGSTYLE, folder))
    return;
  // What was typed in the other field stays.
  UpdateData(TRUE);
  m_strCustomFolder = folder;
  UpdateData(FALSE);
}

void COpzioniDlg::OnBrowseExtApp() {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR,
                     "Applicazione (*.exe)|*.exe|Tutti i file |*.*|", this);
  if (dialog.DoModal() != IDOK) return;
  UpdateData(TRUE);
  m_strExtAppCmdLine = dialog.GetPathName();
  UpdateData(FALSE);
}

void COpzioniDlg::SaveFontList() {
  CFileDialog dialog(FALSE, "sfl", "sposalbo.sfl", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST,
                     "Sposalbo font list (*.sfl)|*.sfl|", this);
  if (dialog.DoModal() != IDOK) return;
  CClientDC dc(this);
  const CString path = dialog.GetPathName();
  if (!WriteFontList(static_cast<const char*>(path), EnumTrueTypeFaces(dc.m_hDC))) {
    CString message;
    message.Format("Impossibile scrivere la lista dei font in %s.", static_cast<const char*>(path));
    MessageBox(message, "Opzioni", MB_ICONERROR);
  }
}
