#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "framework/framework.h"

#include <dlgs.h>
#include "framework/scripted_ui.h"
#include "test_ids.h"
#include "test_support.h"

TEST(UiSeam, MessageBoxesAreAnsweredFromTheQueueAndRecorded) {
  CScriptedUi ui;
  ui.AnswerMessage(IDYES);
  EXPECT_EQ(AfxMessageBox("Save?", MB_YESNOCANCEL), IDYES);
  EXPECT_EQ(AfxMessageBox(IDS_GREETING), IDOK);  // unanswered OK box: OK
  EXPECT_EQ(AfxMessageBox("Again?", MB_YESNO), IDNO);  // unanswered: the cautious button
  EXPECT_EQ(AfxMessageBox("Really?", MB_OKCANCEL), IDCANCEL);
  ASSERT_EQ(ui.Questions().size(), 4u);
  EXPECT_STREQ(ui.Questions()[0].text, "Save?");
  EXPECT_STREQ(ui.Questions()[0].caption, "FrameworkTests");
  EXPECT_STREQ(ui.Questions()[1].text, "Hello");
  EXPECT_EQ(ui.PendingAnswers(), 0u);
}

TEST(UiSeam, SeamIsRestoredWhenTheScriptEnds) {
  CUiSeam* before = AfxGetUiSeam();
  {
    CScriptedUi ui;
    EXPECT_EQ(AfxGetUiSeam(), &ui);
  }
  EXPECT_EQ(AfxGetUiSeam(), before);
}

TEST(FileDialog, OpenReturnsTheChosenFileAndItsParts) {
  CScriptedUi ui;
  ui.AnswerFiles({"C:\\albums\\wedding.spa"});
  CFileDialog dialog(TRUE, "spa", nullptr, OFN_HIDEREADONLY, "Albums (*.spa)|*.spa|All files|*.*||");
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_STREQ(dialog.GetPathName(), "C:\\albums\\wedding.spa");
  EXPECT_STREQ(dialog.GetFileName(), "wedding.spa");
  EXPECT_STREQ(dialog.GetFileExt(), "spa");
  EXPECT_STREQ(dialog.GetFileTitle(), "wedding");
  // The filter reached the system in its NUL-separated form.
  const char* filter = dialog.m_ofn.lpstrFilter;
  EXPECT_STREQ(filter, "Albums (*.spa)");
  filter += std::strlen(filter) + 1;
  EXPECT_STREQ(filter, "*.spa");
  filter += std::strlen(filter) + 1;
  EXPECT_STREQ(filter, "All files");
  filter += std::strlen(filter) + 1;
  EXPECT_STREQ(filter, "*.*");
  filter += std::strlen(filter) + 1;
  EXPECT_STREQ(filter, "");
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].kind, "open");
}

TEST(FileDialog, MultiSelectionIteratesEveryPath) {
  CScriptedUi ui;
  ui.AnswerFiles({"C:\\photos", "a.jpg", "b.jpg", "c.jpg"});
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, "Images|*.jpg||");
  ASSERT_EQ(dialog.DoModal(), IDOK);
  std::vector<std::string> paths;
  for (POSITION pos = dialog.GetStartPosition(); pos;) paths.push_back(dialog.GetNextPathName(pos).GetString());
  EXPECT_EQ(paths, (std::vector<std::string>{"C:\\photos\\a.jpg", "C:\\photos\\b.jpg", "C:\\photos\\c.jpg"}));

  ui.AnswerFiles({"C:\\photos\\single.jpg"});
  CFileDialog single(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
  ASSERT_EQ(single.DoModal(), IDOK);
  POSITION pos = single.GetStartPosition();
  EXPECT_STREQ(single.GetNextPathName(pos), "C:\\photos\\single.jpg");
  EXPECT_EQ(pos, nullptr);
}

// A name with letters the code page lacks comes back twice: as chosen, and as
// the ANSI calls hold it, with "?" or a look-alike and the offsets in bytes.
TEST(FileDialog, APathComesBackAsChosenAndAsTheCodePageHoldsIt) {
  CScriptedUi ui;
  const std::wstring chosen = L"C:\\\u039a\u03bc\\\u00e8.jpg";
  ui.AnswerWideFile(chosen);
  ui.AnswerWideFolder(L"D:\\\u039a\u03bc");
  CFileDialog dialog(TRUE);
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetWidePathName(), chosen);
  EXPECT_STREQ(dialog.GetPathName(), "C:\\?\xb5\\\xe8.jpg");
  EXPECT_EQ(dialog.m_ofn.nFileOffset, 6);
  EXPECT_EQ(dialog.m_ofn.nFileExtension, 8);
  CString folder;
  std::wstring wideFolder;
  ASSERT_TRUE(AfxBrowseForFolder(nullptr, "Scegli", 0, folder, &wideFolder));
  EXPECT_EQ(wideFolder, L"D:\\\u039a\u03bc");
  EXPECT_STREQ(folder, "D:\\?\xb5");
}

TEST(FileDialog, CancelAndUnansweredBothCancel) {
  CScriptedUi ui;
  ui.AnswerFiles({});
  CFileDialog save(FALSE);
  EXPECT_EQ(save.DoModal(), IDCANCEL);
  EXPECT_EQ(save.DoModal(), IDCANCEL);
  EXPECT_STREQ(ui.Questions()[0].kind, "save");
}

TEST(ColorDialog, ReturnsTheAnsweredColour) {
  CScriptedUi ui;
  ui.AnswerColor(RGB(12, 34, 56));
  ui.CancelColor();
  CColorDialog dialog(RGB(1, 1, 1));
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetColor(), RGB(12, 34, 56));
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.GetColor(), RGB(12, 34, 56));
}

TEST(FontDialog, ReturnsTheAnsweredFontWithATemplate) {
  CScriptedUi ui;
  LOGFONTA chosen{};
  lstrcpyA(chosen.lfFaceName, "Liberation Serif");
  chosen.lfWeight = FW_BOLD;
  chosen.lfItalic = TRUE;
  ui.AnswerFont(chosen);
  LOGFONTA initial{};
  lstrcpyA(initial.lfFaceName, "Arial");
  CFontDialog dialog(&initial);
  dialog.m_cf.Flags |= CF_TTONLY | CF_INITTOLOGFONTSTRUCT | CF_ENABLETEMPLATE;
  dialog.m_cf.lpTemplateName = MAKEINTRESOURCEA(IDD_EXCHANGE);
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_STREQ(dialog.GetFaceName(), "Liberation Serif");
  EXPECT_TRUE(dialog.IsBold());
  EXPECT_TRUE(dialog.IsItalic());
  LOGFONTA current{};
  dialog.GetCurrentFont(&current);
  EXPECT_STREQ(current.lfFaceName, "Liberation Serif");
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(FolderBrowser, ReturnsTheAnsweredFolderOrNothing) {
  CScriptedUi ui;
  ui.AnswerFolder("D:\\cd");
  ui.AnswerFolder("");
  CString path("unchanged");
  EXPECT_TRUE(AfxBrowseForFolder(nullptr, "Choose the CD", 0x245, path));
  EXPECT_STREQ(path, "D:\\cd");
  EXPECT_FALSE(AfxBrowseForFolder(nullptr, "Choose the CD", 0x245, path));
  EXPECT_STREQ(path, "D:\\cd");
  EXPECT_STREQ(ui.Questions()[0].text, "Choose the CD");
}

TEST(Profile, ValuesLiveUnderTheRegistryKeyAndProgramName) {
  CWinApp& app = TestApp();
  app.SetRegistryKey("FrameworkTestVendor");
  EXPECT_TRUE(app.WriteProfileString("Program Settings", "Frame Path", "C:\\frames\\"));
  EXPECT_TRUE(app.WriteProfileInt("Program Settings", "Count", 42));
  EXPECT_STREQ(app.GetProfileString("Program Settings", "Frame Path"), "C:\\frames\\");
  EXPECT_EQ(app.GetProfileInt("Program Settings", "Count", 0), 42u);
  EXPECT_STREQ(app.GetProfileString("Program Settings", "Missing", "fallback"), "fallback");
  EXPECT_EQ(app.GetProfileInt("Program Settings", "Missing", 7), 7u);

  // Read back directly from the registry at the documented place.
  HKEY key = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER,
                            "Software\\FrameworkTestVendor\\FrameworkTests\\Program Settings", 0,
                            KEY_READ, &key),
            ERROR_SUCCESS);
  char value[64] = "";
  DWORD size = sizeof value;
  EXPECT_EQ(::RegQueryValueExA(key, "Frame Path", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(value, "C:\\frames\\");
  ::RegCloseKey(key);

  EXPECT_TRUE(app.WriteProfileString("Program Settings", "Frame Path", nullptr));
  EXPECT_STREQ(app.GetProfileString("Program Settings", "Frame Path", "gone"), "gone");
  EXPECT_TRUE(app.WriteProfileString("Program Settings", nullptr, nullptr));
  EXPECT_EQ(app.GetProfileInt("Program Settings", "Count", -1), static_cast<UINT>(-1));
}

namespace {
// Runs the real font dialog and presses OK in it from a timer, to show the
// dialog runs with its object's message map and data exchange.
class CTextFontDialog : public CFontDialog {
 public:
  CString text = "before";
  int initCalls = 0;
  BOOL OnInitDialog() override {
    ++initCalls;
    return CFontDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* pDX) override {
    // The font name box of the system dialog stands in for a template's edit.
    if (pDX->m_bSaveAndValidate) GetDlgItemText(0x470, text);
  }
};

CTextFontDialog* g_running = nullptr;
int g_ticks = 0;
void CALLBACK pressOk(HWND, UINT, UINT_PTR id, DWORD) {
  ++g_ticks;
  if (g_running && g_running->m_hWnd) {
    ::KillTimer(nullptr, id);
    g_running->PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
  } else if (g_ticks > 200) {
    ::KillTimer(nullptr, id);
    HWND active = ::GetActiveWindow();
    if (active) ::PostMessageA(active, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
}

class CRealFontSeam : public CScriptedUi {
 public:
  BOOL ChooseFont(CHOOSEFONTA* pCf) override {
    g_ticks = 0;
    ::SetTimer(nullptr, 0, 50, pressOk);
    return CUiSeam::ChooseFont(pCf);
  }
};
}  // namespace

TEST(FontDialog, SystemDialogRunsWithTheObjectsMessageMap) {
  CRealFontSeam seam;
  LOGFONTA initial{};
  lstrcpyA(initial.lfFaceName, "Liberation Sans");
  initial.lfHeight = -16;
  CTextFontDialog dialog;
  dialog.m_lf = initial;
  dialog.m_cf.Flags |= CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS;
  g_running = &dialog;
  INT_PTR result = dialog.DoModal();
  g_running = nullptr;
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.initCalls, 1);
  EXPECT_STREQ(dialog.text, "Liberation Sans");
  EXPECT_STREQ(dialog.GetFaceName(), "Liberation Sans");
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

namespace {
// The system's colour and folder dialogs run for real; a timer reads where
// the dialog opened and cancels it.
HWND g_owner = nullptr;
CRect g_opened;
int g_waits = 0;
// The shown window the system dialogs open over, 600 x 450.
class COwnerWindow : public CWnd {
 public:
  COwnerWindow(int x, int y)
      : created(CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_POPUP | WS_VISIBLE | WS_CAPTION, x, y, 600, 450,
                         nullptr, nullptr) != FALSE) {
    g_owner = m_hWnd;
  }
  ~COwnerWindow() override {
    g_owner = nullptr;
    DestroyWindow();
  }
  const bool created;
};
BOOL CALLBACK ownedDialog(HWND window, LPARAM out) {
  char name[16] = "";
  ::GetClassNameA(window, name, sizeof name);
  if (lstrcmpA(name, "#32770") != 0 || ::GetWindow(window, GW_OWNER) != g_owner || !::IsWindowVisible(window))
    return TRUE;
  *reinterpret_cast<HWND*>(out) = window;
  return FALSE;
}
HWND OpenedDialog() {
  HWND found = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), ownedDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}
void CALLBACK measureAndCancel(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = OpenedDialog();
  if (!dialog && ++g_waits < 200) return;
  ::KillTimer(nullptr, id);
  if (!dialog) return;
  ::GetWindowRect(dialog, &g_opened);
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

class CMeasuringSeam : public CScriptedUi {
 public:
  BOOL ChooseColor(CHOOSECOLORA* pCc) override {
    Arm();
    return CUiSeam::ChooseColor(pCc);
  }
  BOOL BrowseForFolder(BROWSEINFOA* pBi, CString& rPath, std::wstring& rWidePath) override {
    Arm();
    return CUiSeam::BrowseForFolder(pBi, rPath, rWidePath);
  }
  BOOL GetOpenFileName(OPENFILENAMEA* pOfn, std::wstring& rWidePath) override {
    Arm();
    return CUiSeam::GetOpenFileName(pOfn, rWidePath);
  }
  BOOL GetSaveFileName(OPENFILENAMEA* pOfn, std::wstring& rWidePath) override {
    Arm();
    return CUiSeam::GetSaveFileName(pOfn, rWidePath);
  }

 private:
  static void Arm() {
    g_waits = 0;
    g_opened.SetRectEmpty();
    ::SetTimer(nullptr, 0, 50, measureAndCancel);
  }
};
}  // namespace

TEST(SystemDialogs, OpenCentredOnTheirOwner) {
  COwnerWindow owner(420, 300);
  ASSERT_TRUE(owner.created);
  CMeasuringSeam seam;
  const CPoint centre(420 + 600 / 2, 300 + 450 / 2);
  const struct {
    const char* dialog;
    std::function<void()> run;
  } cases[] = {
      {"colour", [&] { CColorDialog(RGB(1, 2, 3), CC_FULLOPEN, &owner).DoModal(); }},
      {"folder", [&] {
         CString path;
         AfxBrowseForFolder(&owner, "Scegli", BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE, path);
       }},
      {"open", [&] { CFileDialog(TRUE, "sbm", "sposalbo.sbm", OFN_FILEMUSTEXIST, "Album|*.sbm|", &owner).DoModal(); }},
      {"save", [&] { CFileDialog(FALSE, "sbt", nullptr, OFN_OVERWRITEPROMPT, "Template|*.sbt|", &owner).DoModal(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dialog);
    c.run();
    ASSERT_FALSE(g_opened.IsRectEmpty()) << "the dialog never showed";
    EXPECT_NEAR(g_opened.CenterPoint().x, centre.x, 2);
    EXPECT_NEAR(g_opened.CenterPoint().y, centre.y, 2);
  }
}

namespace {
// Types a name into the system's file dialog that opened and accepts it.
std::wstring g_typed;
void CALLBACK typeAndAccept(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = OpenedDialog();
  if (!dialog && ++g_waits < 200) return;
  ::KillTimer(nullptr, id);
  if (!dialog) return;
  for (int box : {edt1, cmb13})
    if (HWND name = ::GetDlgItem(dialog, box)) ::SetWindowTextW(name, g_typed.c_str());
  ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

class CTypingSeam : public CScriptedUi {
 public:
  BOOL GetSaveFileName(OPENFILENAMEA* pOfn, std::wstring& rWidePath) override {
    g_waits = 0;
    ::SetTimer(nullptr, 0, 50, typeAndAccept);
    return CUiSeam::GetSaveFileName(pOfn, rWidePath);
  }
};
}  // namespace

// The system's dialog gives the name as typed, letters the code page lacks
// too, beside the code page's text of it.
TEST(SystemDialogs, ANameTypedWithLettersTheCodePageLacksComesBackAsTyped) {
  COwnerWindow owner(100, 100);
  ASSERT_TRUE(owner.created);
  wchar_t folder[MAX_PATH] = L"";
  ASSERT_GT(::GetTempPathW(MAX_PATH, folder), 0u);
  const std::string initialDir = AfxNarrow(folder);
  g_typed = L"\u039a\u03bc.txt";
  CTypingSeam seam;
  CFileDialog dialog(FALSE, nullptr, nullptr, 0, "Testo|*.txt|", &owner);
  dialog.m_ofn.lpstrInitialDir = initialDir.c_str();
  ASSERT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.GetWidePathName(), folder + g_typed);
  EXPECT_STREQ(dialog.GetPathName(), (initialDir + "?\xb5.txt").c_str());
  EXPECT_STREQ(dialog.GetFileName(), "?\xb5.txt");
}

namespace {
class COwnerRecordingSeam : public CScriptedUi {
 public:
  int MessageBox(HWND hOwner, LPCSTR lpszText, LPCSTR lpszCaption, UINT nType) override {
    owners.push_back(hOwner);
    return CScriptedUi::MessageBox(hOwner, lpszText, lpszCaption, nType);
  }
  std::vector<HWND> owners;
};
}  // namespace

// A box shown while a dialog is open sits on that dialog: owned by the
// disabled main window, closing it would enable that window over the dialog.
TEST(UiSeam, MessageBoxWithoutOwnerGoesOnTheDialogInFront) {
  CWnd main, dialog;
  ASSERT_TRUE(main.CreateEx(0, AfxRegisterWndClass(0), "Main", WS_POPUP | WS_VISIBLE | WS_CAPTION, 100, 100, 600, 450,
                            nullptr, nullptr));
  CWnd* before = TestApp().m_pMainWnd;
  TestApp().m_pMainWnd = &main;
  COwnerRecordingSeam seam;
  AfxMessageBox("Alone", MB_OK);
  ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), "Dialog", WS_POPUP | WS_VISIBLE | WS_CAPTION, 200, 200, 300,
                              200, main.m_hWnd, nullptr));
  ::SetActiveWindow(dialog.m_hWnd);
  main.EnableWindow(FALSE);  // as while the dialog runs modal
  AfxMessageBox("Over the dialog", MB_OK);
  main.EnableWindow(TRUE);
  ASSERT_EQ(seam.owners.size(), 2u);
  EXPECT_EQ(seam.owners[0], main.m_hWnd);
  EXPECT_EQ(seam.owners[1], dialog.m_hWnd);
  TestApp().m_pMainWnd = before;
  dialog.DestroyWindow();
  main.DestroyWindow();
}
