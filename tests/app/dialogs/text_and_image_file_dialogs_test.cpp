// The text dialog and the image file dialog through the UI seam.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/dialogs/FontListFile.h"
#include "app/dialogs/ImageFileDlg.h"
#include "app/dialogs/TestoDialog.h"
#include "app/dialogs/TextFaces.h"
#include "framework/scripted_ui.h"

TEST(TestoDialog, OffersTrueTypeFontsFromItsOwnTemplateStartingWithArial) {
  CScriptedUi ui;
  LOGFONTA chosen{};
  lstrcpyA(chosen.lfFaceName, "Times New Roman");
  chosen.lfHeight = -30;
  ui.AnswerFont(chosen);
  CTestoDialog dialog;
  EXPECT_STREQ(dialog.m_lf.lfFaceName, "Arial");
  dialog.m_text = "Marco e Giulia";
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_cf.Flags & 0x40050u, 0x40050u);
  EXPECT_EQ(dialog.m_cf.lpTemplateName, MAKEINTRESOURCEA(IDD_TESTO));
  EXPECT_STREQ(dialog.m_lf.lfFaceName, "Times New Roman");
  EXPECT_STREQ(dialog.m_text, "Marco e Giulia");
  // The template the system builds the dialog from is in the program.
  EXPECT_NE(::FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_TESTO), MAKEINTRESOURCEA(5)), nullptr);
  // Line breaks: "\n" in the album, "\r\n" in the edit.
  const struct {
    const char* album;
    const char* edit;
  } texts[] = {{"Marco\ne Giulia\n", "Marco\r\ne Giulia\r\n"}, {"\n\nsposi", "\r\n\r\nsposi"}, {"una riga", "una riga"}};
  for (const auto& t : texts) {
    dialog.SetText(t.album);
    EXPECT_STREQ(dialog.m_text, t.edit);
    EXPECT_EQ(dialog.GetText(), t.album);
  }
}

namespace {
// The system's font choice runs for real on the program's template; a timer
// looks at the dialog, picks red in its colour box and presses OK.
CTestoDialog* g_textDialog = nullptr;
struct SeenColourBox {
  bool colourShown = false;
  int colours = 0;
  bool effectsShown = false;
  bool picked = false;
} g_seen;
int g_textWaits = 0;

void CALLBACK pickRedAndConfirm(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = g_textDialog ? g_textDialog->m_hWnd : nullptr;
  if (!dialog && ++g_textWaits < 200) return;
  ::KillTimer(nullptr, id);
  if (!dialog) return;
  // The dialog itself may not show yet: the controls' own style says.
  const auto shown = [dialog](int id) {
    HWND control = ::GetDlgItem(dialog, id);
    return control && (::GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
  };
  HWND colours = ::GetDlgItem(dialog, 0x473);
  g_seen.colourShown = shown(0x473);
  g_seen.effectsShown = shown(0x410) || shown(0x411);
  g_seen.colours = colours ? static_cast<int>(::SendMessageA(colours, CB_GETCOUNT, 0, 0)) : 0;
  for (int i = 0; i < g_seen.colours; ++i) {
    if (static_cast<COLORREF>(::SendMessageA(colours, CB_GETITEMDATA, i, 0)) != RGB(255, 0, 0)) continue;
    ::SendMessageA(colours, CB_SETCURSEL, i, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x473, CBN_SELCHANGE), reinterpret_cast<LPARAM>(colours));
    g_seen.picked = true;
  }
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

class CRealFontChoice : public CScriptedUi {
 public:
  BOOL ChooseFont(CHOOSEFONTA* pCf) override {
    g_textWaits = 0;
    g_seen = SeenColourBox{};
    ::SetTimer(nullptr, 0, 50, pickRedAndConfirm);
    return CUiSeam::ChooseFont(pCf);
  }
};
}  // namespace

TEST(TestoDialog, TheTextsColourIsChosenInTheDialogAndComesBackWithTheFont) {
  CRealFontChoice seam;
  CTestoDialog dialog;
  dialog.m_cf.rgbColors = RGB(0, 0, 128);
  dialog.SetText("Giulia e Marco");
  g_textDialog = &dialog;
  const INT_PTR result = dialog.DoModal();
  g_textDialog = nullptr;
  ASSERT_EQ(result, IDOK);
  EXPECT_TRUE(g_seen.colourShown);
  EXPECT_GE(g_seen.colours, 16);
  ASSERT_TRUE(g_seen.picked);
  EXPECT_EQ(dialog.m_cf.rgbColors, RGB(255, 0, 0));
  // Strike-out and underline would not show on the page: not offered.
  EXPECT_FALSE(g_seen.effectsShown);
  EXPECT_EQ(dialog.GetText(), "Giulia e Marco");
}

namespace {
// Types Greek letters and an emoji on two lines into the real dialog and presses OK; once
// the dialog has told why it stays, types a word it can keep and presses OK.
int g_unkeptStep = 0;
CScriptedUi* g_unkeptUi = nullptr;
bool g_editWide = false;
bool g_typesIntoText = false;

void CALLBACK typeUnkeptThenKept(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = g_textDialog ? g_textDialog->m_hWnd : nullptr;
  if (!dialog) {
    if (++g_textWaits >= 200) ::KillTimer(nullptr, id);
    return;
  }
  HWND edit = ::GetDlgItem(dialog, IDC_TESTO_TEXT);
  if (g_unkeptStep == 0) {
    // Made for wide characters: letters the code page lacks reach the check.
    g_editWide = ::IsWindowUnicode(edit) != FALSE;
    // What the user types first replaces the text, not the face.
    DWORD from = 1, to = 0;
    ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    g_typesIntoText = ::GetFocus() == edit && from == 0 && to == 5;
    ::SetWindowTextW(edit, L"\x03A9 e\x00E8\r\n\x039A\x03B1\x03BB\x03B7\x03BC\x03AD\x03C1\x03B1 \xD83D\xDE00 e\x00E8\x03A9");
  } else if (!g_unkeptUi->Questions().empty() || ++g_textWaits >= 200) {
    ::KillTimer(nullptr, id);
    ::SetWindowTextW(edit, L"Buongiorno");
  } else {
    return;  // the first OK is still being answered
  }
  ++g_unkeptStep;
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

class CTypedText : public CScriptedUi {
 public:
  BOOL ChooseFont(CHOOSEFONTA* pCf) override {
    g_textWaits = 0;
    g_unkeptStep = 0;
    ::SetTimer(nullptr, 0, 50, typeUnkeptThenKept);
    return CUiSeam::ChooseFont(pCf);
  }
};
}  // namespace

TEST(TestoDialog, CharactersTheCodePageCannotHoldAreNamedAndTheTextStaysToBeCorrected) {
  CTypedText seam;
  g_unkeptUi = &seam;
  CTestoDialog dialog;
  dialog.SetText("Prova");
  g_textDialog = &dialog;
  const INT_PTR result = dialog.DoModal();
  g_textDialog = nullptr;
  ASSERT_EQ(result, IDOK);
  ASSERT_EQ(seam.Questions().size(), 1u) << "told once, then kept";
  EXPECT_STREQ(seam.Questions().front().kind, "message");
  const std::string told = seam.Questions().front().text.str();
  // Each place named by line and character (an emoji is one), in order, the
  // first ten only; the ones that fit are not.
  EXPECT_NE(told.find("salvati: riga 1, carattere 1 (U+03A9); riga 2, carattere 1 (U+039A); riga 2, carattere 2 "
                      "(U+03B1); riga 2, carattere 3 (U+03BB); riga 2, carattere 4 (U+03B7); riga 2, carattere 5 "
                      "(U+03BC); riga 2, carattere 6 (U+03AD); riga 2, carattere 7 (U+03C1); riga 2, carattere 8 "
                      "(U+03B1); riga 2, carattere 10 (U+1F600); ... (11 in tutto).\n"),
            std::string::npos)
      << told;
  EXPECT_EQ(told.find("U+00E8"), std::string::npos) << told;
  EXPECT_TRUE(g_editWide);
  EXPECT_TRUE(g_typesIntoText);
  EXPECT_EQ(g_unkeptStep, 2) << "the dialog stayed open for the second try";
  EXPECT_EQ(dialog.GetText(), "Buongiorno");
}

TEST(TextFaces, ATextStartsInAFaceThatIsThereAndPreferablyTheLaboratorys) {
  const std::vector<std::string> installed = {"Cambria Math", "@Gothic", "Tahoma", "Liberation Serif", "Arial"};
  const std::function<bool(const std::string&)> lab = [](const std::string& face) {
    return face == "Liberation Serif" || face == "@Gothic";
  };
  const struct {
    const char* wanted;
    bool withLab;
    const char* system;
    const char* chosen;
  } cases[] = {
      {"Arial", true, "Tahoma", "Arial"},                  // there: kept
      {"Nessuno", true, "Tahoma", "Liberation Serif"},     // the laboratory's, never a vertical form
      {"Nessuno", false, "Tahoma", "Tahoma"},              // the system's face for text
      {"Nessuno", false, "Assente", "Cambria Math"},       // anything installed, last
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseTextFace(c.wanted, installed, c.withLab ? lab : nullptr, c.system), c.chosen) << c.wanted;
  }
  EXPECT_EQ(ChooseTextFace("Nessuno", {}, nullptr, ""), "Nessuno");  // nothing better to offer
}

TEST(TestoDialog, AFaceThisComputerLacksIsNotOffered) {
  CScriptedUi ui;
  CTestoDialog dialog;
  lstrcpyA(dialog.m_lf.lfFaceName, "Carattere che non esiste");
  dialog.DoModal();  // unanswered: cancelled, with the face it was offered
  CClientDC screen(nullptr);
  const std::vector<std::string> installed = EnumTrueTypeFaces(screen.m_hDC);
  ASSERT_FALSE(installed.empty());
  EXPECT_NE(std::find(installed.begin(), installed.end(), dialog.m_lf.lfFaceName), installed.end())
      << dialog.m_lf.lfFaceName;
}

namespace {
// Reads the face, style, size and colour the dialog shows and its sample's
// pixels, changes the words (and the size when asked) and presses OK.
struct OwnFaceRun {
  bool sizeToo = false;
  std::string faceShown, sizeShown;
  LRESULT styleShown = CB_ERR, colourShown = CB_ERR;
  COLORREF sampleColour = CLR_INVALID;
  int samplePixels = 0, sampleHeight = 0;  // of the sample colour
} g_ownFace;

LRESULT SelectedData(HWND list) {
  const LRESULT at = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
  return at == CB_ERR ? CB_ERR : ::SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
}

// The pixels of the sample's colour in the sample's place, and how many rows
// they span.
void ReadSample(HWND dialog) {
  ::UpdateWindow(dialog);
  RECT place{};
  ::GetWindowRect(::GetDlgItem(dialog, 0x444), &place);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
  HDC dc = ::GetDC(dialog);
  int top = place.bottom, bottom = place.top;
  for (int y = place.top; y < place.bottom; ++y)
    for (int x = place.left; x < place.right; ++x)
      if (::GetPixel(dc, x, y) == g_ownFace.sampleColour) {
        ++g_ownFace.samplePixels;
        top = std::min(top, y);
        bottom = std::max(bottom, y + 1);
      }
  ::ReleaseDC(dialog, dc);
  g_ownFace.sampleHeight = std::max(0, bottom - top);
}

void CALLBACK changeWordsOnly(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = g_textDialog ? g_textDialog->m_hWnd : nullptr;
  if ((!dialog || !::IsWindowVisible(dialog)) && ++g_textWaits < 200) return;
  ::KillTimer(nullptr, id);
  if (!dialog) return;
  char shown[LF_FACESIZE] = "";
  ::GetWindowTextA(::GetDlgItem(dialog, 0x470), shown, LF_FACESIZE);
  g_ownFace.faceShown = shown;
  ::GetWindowTextA(::GetDlgItem(dialog, 0x472), shown, LF_FACESIZE);
  g_ownFace.sizeShown = shown;
  g_ownFace.styleShown = SelectedData(::GetDlgItem(dialog, 0x471));
  g_ownFace.colourShown = SelectedData(::GetDlgItem(dialog, 0x473));
  ReadSample(dialog);
  if (g_ownFace.sizeToo) {
    HWND sizes = ::GetDlgItem(dialog, 0x472);
    ::SendMessageA(sizes, CB_SETCURSEL, 0, 0);
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x472, CBN_SELCHANGE), reinterpret_cast<LPARAM>(sizes));
  }
  ::SetWindowTextW(::GetDlgItem(dialog, IDC_TESTO_TEXT), L"Giulia e Marco");
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

class CWordsChange : public CScriptedUi {
 public:
  BOOL ChooseFont(CHOOSEFONTA* pCf) override {
    g_textWaits = 0;
    ::SetTimer(nullptr, 0, 50, changeWordsOnly);
    return CUiSeam::ChooseFont(pCf);
  }
};
}  // namespace

// A face this computer lacks shows with the text's own style, size (24 points)
// and colour (one of none of the system's sixteen), its sample drawn with them.
TEST(TestoDialog, ATextKeepsItsOwnFaceStyleSizeAndColourUnlessOthersAreChosen) {
  CWordsChange seam;
  LOGFONTA own{};
  lstrcpyA(own.lfFaceName, "Carattere che non esiste");
  CClientDC screen(nullptr);
  own.lfHeight = -::MulDiv(24, screen.GetDeviceCaps(LOGPIXELSY), 72);
  own.lfWeight = FW_BOLD;
  own.lfItalic = TRUE;
  own.lfOutPrecision = OUT_TT_PRECIS;
  own.lfQuality = ANTIALIASED_QUALITY;
  own.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
  const COLORREF brown = RGB(122, 90, 52);
  for (const bool sizeToo : {false, true}) {
    SCOPED_TRACE(sizeToo ? "size chosen" : "words only");
    CTestoDialog dialog;
    dialog.SetText("Marco e Giulia");
    dialog.SetTextFont(own);
    dialog.m_cf.rgbColors = brown;
    g_ownFace = OwnFaceRun{};
    g_ownFace.sizeToo = sizeToo;
    g_ownFace.sampleColour = brown;
    g_textDialog = &dialog;
    const INT_PTR result = dialog.DoModal();
    g_textDialog = nullptr;
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(g_ownFace.faceShown, own.lfFaceName);
    EXPECT_EQ(g_ownFace.styleShown, MAKELONG(FW_BOLD, 1));
    EXPECT_EQ(g_ownFace.sizeShown, "24");
    EXPECT_EQ(g_ownFace.colourShown, static_cast<LRESULT>(brown));
    EXPECT_GT(g_ownFace.samplePixels, 50) << "the sample in the text's colour";
    EXPECT_GE(g_ownFace.sampleHeight, 20) << "and at its size";
    EXPECT_EQ(dialog.GetText(), "Giulia e Marco");
    EXPECT_EQ(dialog.m_cf.rgbColors, brown);
    EXPECT_STREQ(dialog.m_lf.lfFaceName, own.lfFaceName);
    EXPECT_EQ(dialog.m_lf.lfWeight, own.lfWeight);
    EXPECT_EQ(dialog.m_lf.lfItalic, own.lfItalic);
    if (sizeToo)
      EXPECT_NE(dialog.m_lf.lfHeight, own.lfHeight);
    else
      EXPECT_EQ(std::memcmp(&dialog.m_lf, &own, sizeof own), 0) << "only the words changed";
  }
}

TEST(ImageFileDlg, ManyFilesFitTheLargeBufferAndComeBackWithTheirFolder) {
  CScriptedUi ui;
  std::vector<CString> answer{"C:\\foto"};
  for (int i = 0; i < 300; ++i) {
    CString name;
    name.Format("matrimonio_%03d_una_fotografia_dal_nome_lungo_per_riempire_il_buffer_degli_archivi.jpg", i);
    answer.push_back(name);
  }
  ui.AnswerFiles(answer);
  CImageFileDlg dialog;
  ASSERT_EQ(dialog.DoModal(), IDOK);
  const std::vector<CString> paths = dialog.GetPaths();
  ASSERT_EQ(paths.size(), 300u);
  EXPECT_STREQ(paths[299], "C:\\foto\\" + answer[300]);
  EXPECT_EQ(dialog.m_ofn.Flags & 0x204u, 0x204u);
}

TEST(ImageFileDlg, ASelectionLargerThanTheBufferIsRefused) {
  CScriptedUi ui;
  std::vector<CString> answer{"C:\\foto"};
  for (int i = 0; i < 400; ++i) answer.push_back(CString('x', 100));
  ui.AnswerFiles(answer);
  CImageFileDlg dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(dialog.GetPaths().empty());
}

TEST(ImageFileDlg, CountsTheNamesOfItsFileNameBox) {
  const struct {
    const char* spec;
    size_t names;
  } cases[] = {{"\"a.jpg\" \"b c.jpg\" \"d.tif\"", 3}, {"sposi.jpg", 1}, {"  ", 0}, {"", 0}};
  for (const auto& c : cases) EXPECT_EQ(CImageFileDlg::CountChosenNames(c.spec), c.names) << c.spec;
  EXPECT_EQ(CImageFileDlg::CountChosenNames(nullptr), 0u);
}

namespace {
// The file name box's text, as CDM_GETSPEC gives it.
LRESULT CALLBACK AnswerSpec(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != CDM_GETSPEC) return ::DefWindowProcA(window, message, wParam, lParam);
  const std::string& text = *reinterpret_cast<std::string*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (lParam && wParam > text.size()) lstrcpynA(reinterpret_cast<char*>(lParam), text.c_str(), static_cast<int>(wParam));
  return static_cast<LRESULT>(text.size() + 1);
}

// A system dialog that, as some do, returns only the names that fit and says
// nothing: its file name box holds every name the user chose.
class CuttingSeam : public CUiSeam {
 public:
  std::string spec;
  std::vector<std::string> returned;
  BOOL GetOpenFileName(OPENFILENAMEA* pOfn, std::wstring&) override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = AnswerSpec;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "CuttingFileDialog";
    ::RegisterClassA(&wc);
    HWND dialog = ::CreateWindowA("CuttingFileDialog", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    ::SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&spec));
    HWND hook = ::CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 1, 1, dialog, nullptr, wc.hInstance, nullptr);
    OFNOTIFYA notify{};
    notify.hdr.code = CDN_FILEOK;
    notify.lpOFN = pOfn;
    if (pOfn->lpfnHook) pOfn->lpfnHook(hook, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
    ::DestroyWindow(dialog);
    std::string block;
    for (const std::string& name : returned) block += name + '\0';
    block += '\0';
    std::copy(block.begin(), block.end(), pOfn->lpstrFile);
    return TRUE;
  }
};
}  // namespace

TEST(ImageFileDlg, AListCutShortIsTreatedAsTooLarge) {
  CuttingSeam seam;
  CUiSeam* previous = AfxSetUiSeam(&seam);
  seam.spec = "\"a.jpg\" \"b.jpg\" \"c.jpg\"";
  seam.returned = {"C:\\foto", "a.jpg", "b.jpg"};
  CImageFileDlg dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(dialog.SelectionTooLarge());
  EXPECT_TRUE(dialog.GetPaths().empty());
  seam.returned.push_back("c.jpg");  // all of them
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_FALSE(dialog.SelectionTooLarge());
  EXPECT_EQ(dialog.GetPaths().size(), 3u);
  AfxSetUiSeam(previous);
}
