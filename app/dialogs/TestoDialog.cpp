#include "app/dialogs/TestoDialog.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/dialogs/CodePageText.h"
#include "app/dialogs/EditLineBreaks.h"
#include "app/dialogs/FontListFile.h"
#include "app/dialogs/TextFaces.h"
#include "app/dialogs/WideEdit.h"
#include "document/DocumentHost.h"

namespace {
// The font choice's own lists, by the ids the system fills them by.
constexpr int kFaceList = 0x470, kStyleList = 0x471, kSizeList = 0x472, kColourList = 0x473, kScriptList = 0x474;

// The list's item whose data is `data`; CB_ERR when none is.
LRESULT ItemOfData(HWND list, LPARAM data) {
  const LRESULT count = ::SendMessageA(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i)
    if (::SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data) return i;
  return CB_ERR;
}

// Selects the item of that data, made at `at` (-1: last) with `name` when the
// list has none.
void SelectItemOfData(HWND list, LPARAM data, const std::string& name, LRESULT at) {
  LRESULT item = ItemOfData(list, data);
  if (item == CB_ERR) {
    item = ::SendMessageA(list, CB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(name.c_str()));
    if (item < 0) return;
    ::SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(item), data);
  }
  ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
}

// Where a size joins the size list: before the first larger one.
LRESULT SizePlace(HWND sizes, int points) {
  const LRESULT count = ::SendMessageA(sizes, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i)
    if (static_cast<int>(::SendMessageA(sizes, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) > points) return i;
  return -1;
}
}  // namespace

CTestoDialog::CTestoDialog(CWnd* parent) : CFontDialog(nullptr, CF_EFFECTS | CF_SCREENFONTS, nullptr, parent) {
  lstrcpynA(m_lf.lfFaceName, "Arial", LF_FACESIZE);
}

void CTestoDialog::SetTextFont(const LOGFONTA& font) {
  m_own = font;
  m_ownFont = true;
}

INT_PTR CTestoDialog::DoModal() {
  m_cf.Flags |= CF_TTONLY | CF_INITTOLOGFONTSTRUCT | CF_ENABLETEMPLATE;
  m_cf.lpTemplateName = MAKEINTRESOURCEA(IDD_TESTO);
  if (m_ownFont) {
    m_lf = m_own;
  } else {
    // The system's list would start at its first face where this one is not
    // installed; the text starts in a readable face instead.
    CClientDC screen(nullptr);
    IDocumentHost* host = GetDocumentHost();
    std::function<bool(const std::string&)> isLabFace;
    if (host) isLabFace = [host](const std::string& face) { return host->IsLabFont(face); };
    const std::string face =
        ChooseTextFace(m_lf.lfFaceName, EnumTrueTypeFaces(screen.m_hDC), isLabFace, SystemTextFace());
    lstrcpynA(m_lf.lfFaceName, face.c_str(), LF_FACESIZE);
  }
  m_chosen = Chosen{};
  m_shown = false;
  const INT_PTR result = CFontDialog::DoModal();
  // An answer given without the dialog showing was chosen whole.
  if (!m_shown) m_chosen = Chosen{true, true, true, true};
  if (result == IDOK && m_ownFont) {
    // The system answers with the face it showed selected and its own idea of
    // the rest: only what the user chose replaces the text's own.
    const LOGFONTA answered = m_lf;
    m_lf = m_own;
    if (m_chosen.face) {
      std::memcpy(m_lf.lfFaceName, answered.lfFaceName, sizeof m_lf.lfFaceName);
      m_lf.lfPitchAndFamily = answered.lfPitchAndFamily;
    }
    if (m_chosen.face || m_chosen.script) m_lf.lfCharSet = answered.lfCharSet;
    if (m_chosen.style) {
      m_lf.lfWeight = answered.lfWeight;
      m_lf.lfItalic = answered.lfItalic;
    }
    if (m_chosen.size) {
      m_lf.lfHeight = answered.lfHeight;
      m_lf.lfWidth = answered.lfWidth;
    }
  }
  return result;
}

BOOL CTestoDialog::OnInitDialog() {
  // Letters the code page lacks reach the check below as typed.
  RemakeEditForWideText(::GetDlgItem(m_hWnd, IDC_TESTO_TEXT));
  if (m_ownFont) ShowOwnFont();
  CFontDialog::OnInitDialog();
  UpdateData(FALSE);
  m_chosen = Chosen{};  // filling the lists was not the user's choice
  m_shown = true;
  // The user opens the dialog to write: the keyboard goes to the text, all of
  // it selected, rather than to the face list.
  if (HWND text = ::GetDlgItem(m_hWnd, IDC_TESTO_TEXT)) {
    ::SetFocus(text);
    ::SendMessageA(text, EM_SETSEL, 0, -1);
    return FALSE;
  }
  return TRUE;
}

void CTestoDialog::ShowOwnFont() {
  // A face the list lacks (not installed here) joins it, so that the text's
  // face is the one the dialog shows.
  HWND faces = ::GetDlgItem(m_hWnd, kFaceList);
  if (!faces) return;
  LRESULT at = ::SendMessageA(faces, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(m_own.lfFaceName));
  if (at == CB_ERR) at = ::SendMessageA(faces, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_own.lfFaceName));
  if (at >= 0) ::SendMessageA(faces, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  // The system shows the style and size of a face it did not find as those of
  // its first face, and a colour outside its own sixteen as none: the text's
  // own are shown instead, and the sample drawn with them.
  HWND styles = ::GetDlgItem(m_hWnd, kStyleList), sizes = ::GetDlgItem(m_hWnd, kSizeList);
  HWND colours = ::GetDlgItem(m_hWnd, kColourList);
  if (styles) {
    const LPARAM own = MAKELONG(m_own.lfWeight > FW_MEDIUM ? FW_BOLD : FW_NORMAL, m_own.lfItalic ? 1 : 0);
    const LRESULT style = ItemOfData(styles, own);
    if (style != CB_ERR) ::SendMessageA(styles, CB_SETCURSEL, static_cast<WPARAM>(style), 0);
  }
  if (sizes && m_own.lfHeight != 0) {
    CClientDC screen(nullptr);
    const int points = ::MulDiv(std::abs(m_own.lfHeight), 72, screen.GetDeviceCaps(LOGPIXELSY));
    SelectItemOfData(sizes, points, std::to_string(points), SizePlace(sizes, points));
  }
  if (colours) SelectItemOfData(colours, static_cast<LPARAM>(m_cf.rgbColors), "Personalizzato", -1);
  // The system makes the sample's font and colour from the lists' choice.
  if (styles)
    ::SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(kStyleList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(styles));
  if (colours)
    ::SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(kColourList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(colours));
}

BOOL CTestoDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT code = HIWORD(wParam);
  if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) {
    switch (LOWORD(wParam)) {
      case kFaceList:
        m_chosen.face = true;
        break;
      case kStyleList:
        m_chosen.style = true;
        break;
      case kSizeList:
        m_chosen.size = true;
        break;
      case kScriptList:
        m_chosen.script = true;
        break;
      default:
        break;
    }
  }
  return CFontDialog::OnCommand(wParam, lParam);
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
