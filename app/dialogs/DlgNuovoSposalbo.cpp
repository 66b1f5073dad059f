#include "app/dialogs/DlgNuovoSposalbo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "app/dialogs/CodePageText.h"
#include "app/dialogs/WideEdit.h"
#include "document/AlbumFolder.h"
#include "document/albumfile/PageTemplateMark.h"

const char CDlgNuovoSposalbo::kErrorTitle[] = "Parametri nuovo sposalbo errati";

namespace {
constexpr int kMaxTextLength = 259;

// A file name without folder and extension.
CString TitleOf(const CString& path) {
  CString name = path.Mid(path.ReverseFind('\\') + 1);
  const int dot = name.ReverseFind('.');
  return dot > 0 ? name.Left(dot) : name;
}

// The page sides a new album may have, in millimetres: the page surface
// draws any of them at a readable scale, the status pane shows them whole and
// a laboratory prints them (the program's templates lie well inside).
constexpr int kMinPageSide = 50;
constexpr int kMaxPageSide = 1000;

// A whole number of at least 1, as typed; false for anything else.
bool ReadPositive(const CString& text, int& value) {
  const char* begin = text;
  while (*begin == ' ' || *begin == '\t') ++begin;
  if (*begin == '-' || *begin == '\0') return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long number = std::strtoull(begin, &end, 10);
  while (*end == ' ' || *end == '\t') ++end;
  if (end == begin || *end != '\0' || errno == ERANGE || number < 1 || number > INT_MAX) return false;
  value = static_cast<int>(number);
  return true;
}

bool ReadPageSide(const CString& text, int& millimetres) {
  return ReadPositive(text, millimetres) && millimetres >= kMinPageSide && millimetres <= kMaxPageSide;
}

// The refusal of a side, with the sides accepted.
CString PageSideRefusal(const char* side) {
  CString message;
  message.Format("%s pagina invalida: serve un numero intero di millimetri da %d a %d.", side, kMinPageSide,
                 kMaxPageSide);
  return message;
}
}  // namespace

BEGIN_MESSAGE_MAP(CDlgNuovoSposalbo, CDialog)
  ON_BN_CLICKED(IDC_NS_FROM_TEMPLATE, OnFromTemplate)
  ON_BN_CLICKED(IDC_NS_BLANK, OnBlank)
  ON_BN_CLICKED(IDC_NS_BROWSE_FOLDER, OnBrowseFolder)
  ON_BN_CLICKED(IDC_NS_BROWSE_TEMPLATE, OnBrowseTemplate)
END_MESSAGE_MAP()

CDlgNuovoSposalbo::CDlgNuovoSposalbo(CWnd* pParent, const CString& customTemplateFolder,
                                     const CString& templateFolder)
    : CDialog(IDD, pParent), m_customTemplateFolder(customTemplateFolder), m_templateFolder(templateFolder) {}

BOOL CDlgNuovoSposalbo::OnInitDialog() {
  CDialog::OnInitDialog();
  m_templates.SubclassDlgItem(IDC_NS_TEMPLATE, this);
  // Both become names of folders: letters the code page lacks are kept as
  // typed, so that the check names them.
  for (int id : {IDC_NS_NAME, IDC_NS_FOLDER}) {
    RemakeEditForWideText(::GetDlgItem(m_hWnd, id));
    SendDlgItemMessage(id, EM_LIMITTEXT, kMaxTextLength);
  }
  SetDlgItemText(IDC_NS_NAME, m_strName);
  SetDlgItemText(IDC_NS_FOLDER, m_strFolder);
  FillTemplateList();
  GotoDlgCtrl(GetDlgItem(IDC_NS_NAME));
  if (m_bFromTemplate) {
    CheckRadioButton(IDC_NS_FROM_TEMPLATE, IDC_NS_BLANK, IDC_NS_FROM_TEMPLATE);
    ApplyMode(true);
  } else {
    CheckRadioButton(IDC_NS_FROM_TEMPLATE, IDC_NS_BLANK, IDC_NS_BLANK);
    ApplyMode(false);
    if (m_nPageWidth > 0) SetDlgItemInt(IDC_NS_WIDTH, static_cast<UINT>(m_nPageWidth), FALSE);
    if (m_nPageHeight > 0) SetDlgItemInt(IDC_NS_HEIGHT, static_cast<UINT>(m_nPageHeight), FALSE);
  }
  return FALSE;  // the focus is set
}

void CDlgNuovoSposalbo::FillTemplateList() {
  for (int i = m_templates.GetCount() - 1; i >= 0; --i) m_templates.DeleteString(static_cast<UINT>(i));
  m_templatePaths.clear();
  if (!m_customTemplateFolder.IsEmpty()) AddTemplateFolder(m_customTemplateFolder);
  AddTemplateFolder(m_templateFolder);
  m_templates.SetCurSel(0);
}

void CDlgNuovoSposalbo::AddTemplateFolder(const CString& folder) {
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA(folder + "*.sbt", &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    // A page template saved beside the album templates makes no album.
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsPageTemplateFile((folder + found.cFileName).str()))
      AddTemplate(folder + found.cFileName);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
}

int CDlgNuovoSposalbo::AddTemplate(const CString& path) {
  m_templatePaths.push_back(std::make_unique<CString>(path));
  const int item = m_templates.AddString(TitleOf(path));
  if (item >= 0) m_templates.SetItemData(item, reinterpret_cast<DWORD_PTR>(m_templatePaths.back().get()));
  return item;
}

void CDlgNuovoSposalbo::ApplyMode(bool fromTemplate) {
  m_bFromTemplate = fromTemplate;
  GetDlgItem(IDC_NS_TEMPLATE)->EnableWindow(fromTemplate);
  GetDlgItem(IDC_NS_BROWSE_TEMPLATE)->EnableWindow(fromTemplate);
  GetDlgItem(IDC_NS_WIDTH)->EnableWindow(!fromTemplate);
  GetDlgItem(IDC_NS_HEIGHT)->EnableWindow(!fromTemplate);
}

void CDlgNuovoSposalbo::OnFromTemplate() { ApplyMode(true); }

void CDlgNuovoSposalbo::OnBlank() { ApplyMode(false); }

void CDlgNuovoSposalbo::OnBrowseFolder() {
  CString folder;
  std::wstring chosen;
  if (AfxBrowseForFolder(this, "Scegli la directory in cui creare il nuovo sposalbo.",
                         BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT, folder, &chosen))
    ::SetDlgItemTextW(m_hWnd, IDC_NS_FOLDER, chosen.c_str());
}

void CDlgNuovoSposalbo::OnBrowseTemplate() {
  CFileDialog dialog(TRUE, "sbt", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                     "File template sposalbo (*.sbt)|*.sbt|", this);
  if (!m_customTemplateFolder.IsEmpty()) dialog.m_ofn.lpstrInitialDir = m_customTemplateFolder;
  if (dialog.DoModal() != IDOK) return;
  const std::string unusable = UnusablePathMessage(dialog.GetWidePathName());
  if (!unusable.empty()) return Refuse(unusable.c_str(), IDC_NS_BROWSE_TEMPLATE);
  if (IsPageTemplateFile(dialog.GetPathName().str()))
    return Refuse("Il file scelto \xE8 un template di pagina: un nuovo sposalbo si crea da un template di sposalbo.",
                  IDC_NS_BROWSE_TEMPLATE);
  const int item = AddTemplate(dialog.GetPathName());
  if (item >= 0) m_templates.SetCurSel(item);
}

void CDlgNuovoSposalbo::Refuse(const char* message, int focusId) {
  MessageBox(message, kErrorTitle, MB_ICONERROR);
  GotoDlgCtrl(GetDlgItem(focusId));
}

void CDlgNuovoSposalbo::OnOK() {
  GetDlgItemText(IDC_NS_NAME, m_strName);
  m_strName = m_strName.Left(kMaxTextLength);
  if (m_strName.IsEmpty()) return Refuse("Nome sposalbo macante.", IDC_NS_NAME);
  const std::string unusableName =
      UnusableNameMessage("Il nome dello sposalbo", WideWindowText(::GetDlgItem(m_hWnd, IDC_NS_NAME)));
  if (!unusableName.empty()) return Refuse(unusableName.c_str(), IDC_NS_NAME);
  // The name becomes a folder name: checked before anything is made.
  if (!IsValidAlbumFolderName(static_cast<const char*>(m_strName)))
    return Refuse("Nome sposalbo non valido: non pu\xf2 contenere \\ / : * ? \" < > | n\xe9 finire con un punto o "
                  "uno spazio, n\xe9 essere un nome riservato al sistema (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9).",
                  IDC_NS_NAME);
  GetDlgItemText(IDC_NS_FOLDER, m_strFolder);
  m_strFolder = m_strFolder.Left(kMaxTextLength);
  if (m_strFolder.IsEmpty())
    return Refuse("Percorso in cui salvare il sposalbo non impostato.", IDC_NS_BROWSE_FOLDER);
  const std::string unusableFolder = UnusablePathMessage(WideWindowText(::GetDlgItem(m_hWnd, IDC_NS_FOLDER)));
  if (!unusableFolder.empty()) return Refuse(unusableFolder.c_str(), IDC_NS_FOLDER);

  if (!m_bFromTemplate) {
    CString text;
    GetDlgItemText(IDC_NS_WIDTH, text);
    if (!ReadPageSide(text, m_nPageWidth)) return Refuse(PageSideRefusal("Larghezza"), IDC_NS_WIDTH);
    GetDlgItemText(IDC_NS_HEIGHT, text);
    if (!ReadPageSide(text, m_nPageHeight)) return Refuse(PageSideRefusal("Altezza"), IDC_NS_HEIGHT);
    m_strTemplatePath.Empty();
  } else {
    const int item = m_templates.GetCurSel();
    const CString* path = item >= 0 ? reinterpret_cast<const CString*>(m_templates.GetItemData(item)) : nullptr;
    if (!path || path == reinterpret_cast<const CString*>(CB_ERR))
      return Refuse("Template non impostato.", IDC_NS_NAME);
    m_strTemplatePath = *path;
  }
  EndDialog(IDOK);
}
