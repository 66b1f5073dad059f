#include <gtest/gtest.h>

#include "app/dialogs/CodePageText.h"
#include "app/dialogs/DialogDriving.h"
#include "app/dialogs/DlgNuovoSposalbo.h"
#include "document/TempFolder.h"
#include "document/pages/SposalboTreeNode.h"
#include "framework/scripted_ui.h"

using dialog_test::Click;
using dialog_test::TextOf;
using dialog_test::Type;

namespace {
// Two template folders: the custom one holds "a" and a page template saved
// beside it, the program's "a" and "b".
class NewAlbumDialogTest : public ::testing::Test {
 protected:
  NewAlbumDialogTest() {
    MakeFolder(temp / "custom");
    MakeFolder(temp / "program");
    WriteTextFile(temp / "custom\\a.sbt", "<sposalbo />");
    treeNode::CSposalboTreeNode page(nullptr, nullptr);
    page.AddPage(-1);
    page.SetPageLimits(4, 40);
    page.SetTemplateCopy(true);
    page.SetPageTemplate(true);
    EXPECT_TRUE(page.SaveToFile(pageTemplate));
    WriteTextFile(temp / "program\\a.sbt", "<sposalbo />");
    WriteTextFile(temp / "program\\b.sbt", "<sposalbo />");
  }
  INT_PTR Run(std::function<void(CWnd*)> action, const CString& custom = "") {
    ui.AnswerModalWith(std::move(action));
    CDlgNuovoSposalbo dialog(nullptr, custom, CString((temp / "program\\").c_str()));
    const INT_PTR result = dialog.DoModal();
    name = dialog.m_strName;
    fromTemplate = dialog.m_bFromTemplate;
    templatePath = dialog.m_strTemplatePath;
    width = dialog.m_nPageWidth;
    height = dialog.m_nPageHeight;
    return result;
  }
  static CString ComboItem(CWnd* dialog, int index, CString* path = nullptr) {
    auto* combo = static_cast<CComboBox*>(dialog->GetDlgItem(IDC_NS_TEMPLATE));
    CString text;
    combo->GetLBText(index, text);
    if (path) *path = *reinterpret_cast<const CString*>(combo->GetItemData(index));
    return text;
  }

  TempFolder temp;
  const std::string pageTemplate = temp / "custom\\pagina.sbt";
  CScriptedUi ui;
  CString name, templatePath;
  bool fromTemplate = false;
  int width = 0, height = 0;
};
}  // namespace

TEST_F(NewAlbumDialogTest, ChecksEachEntryAndStaysOpen) {
  // A side the page surface and a laboratory cannot use is refused naming the range.
  const char* const kBadWidth = "Larghezza pagina invalida: serve un numero intero di millimetri da 50 a 1000.";
  const char* const kBadHeight = "Altezza pagina invalida: serve un numero intero di millimetri da 50 a 1000.";
  // "Kalimera" in Greek letters, none of which the code page holds.
  const std::string letters[] = {"U+039A", "U+03B1", "U+03BB", "U+03B7", "U+03BC", "U+03AD", "U+03C1", "U+03B1"};
  auto named = [&](int first) {
    std::string where;
    for (const std::string& letter : letters)
      where += (where.empty() ? "" : ", ") + std::string("carattere ") + std::to_string(first++) + " (" + letter + ")";
    return where + ".\nUsare nomi di cartelle e file scritti solo con le lettere della lingua per i programmi non "
                   "Unicode di Windows.";
  };
  const std::string greekName =
      "Il nome dello sposalbo contiene caratteri che il programma non pu\xf2 usare: " + named(1);
  const std::string greekFolder =
      "Il percorso c:\\???????? contiene caratteri che il programma non pu\xf2 usare: " + named(4);
  struct Case {
    const wchar_t* name;
    const wchar_t* folder;
    bool blank;
    const char* width;
    const char* height;
    bool emptyTemplates;
    const char* message;
    int focus;
  };
  const Case cases[] = {
      {L"", L"c:\\album", false, "", "", false, "Nome sposalbo macante.", IDC_NS_NAME},
      {L"Nozze", L"", false, "", "", false, "Percorso in cui salvare il sposalbo non impostato.", IDC_NS_BROWSE_FOLDER},
      {L"Nozze", L"c:\\album", true, "0", "200", false, kBadWidth, IDC_NS_WIDTH},
      {L"Nozze", L"c:\\album", true, "-3", "200", false, kBadWidth, IDC_NS_WIDTH},
      {L"Nozze", L"c:\\album", true, "30x", "200", false, kBadWidth, IDC_NS_WIDTH},
      {L"Nozze", L"c:\\album", true, "1", "1", false, kBadWidth, IDC_NS_WIDTH},
      {L"Nozze", L"c:\\album", true, "49", "200", false, kBadWidth, IDC_NS_WIDTH},
      {L"Nozze", L"c:\\album", true, "100000", "99999999", false, kBadWidth, IDC_NS_WIDTH},
      {L"Nozze", L"c:\\album", true, "300", "", false, kBadHeight, IDC_NS_HEIGHT},
      {L"Nozze", L"c:\\album", true, "300", "1001", false, kBadHeight, IDC_NS_HEIGHT},
      {L"Nozze", L"c:\\album", true, "300", "99999999999", false, kBadHeight, IDC_NS_HEIGHT},
      {L"Nozze", L"c:\\album", false, "", "", true, "Template non impostato.", IDC_NS_NAME},
      {L"Nozze?", L"c:\\album", false, "", "", false, nullptr, IDC_NS_NAME},
      {L"Nozze.", L"c:\\album", false, "", "", false, nullptr, IDC_NS_NAME},
      {L"..", L"c:\\album", false, "", "", false, nullptr, IDC_NS_NAME},
      // A name the system keeps for a device is refused as such.
      {L"CON", L"c:\\album", false, "", "", false,
       "Nome sposalbo non valido: non pu\xf2 contenere \\ / : * ? \" < > | n\xe9 finire con un punto o uno spazio, "
       "n\xe9 essere un nome riservato al sistema (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9).",
       IDC_NS_NAME},
      // Letters the code page lacks are named, in the name or in the folder.
      {L"\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1", L"c:\\album", false, "", "", false, greekName.c_str(),
       IDC_NS_NAME},
      {L"Nozze", L"c:\\\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1", false, "", "", false, greekFolder.c_str(),
       IDC_NS_FOLDER},
  };
  for (const Case& c : cases) {
    ui.Clear();
    ui.AnswerMessage(IDOK);
    int focus = 0;
    bool stillOpen = false;
    const INT_PTR result = Run([&](CWnd* dialog) {
      if (c.emptyTemplates) static_cast<CComboBox*>(dialog->GetDlgItem(IDC_NS_TEMPLATE))->ResetContent();
      Type(dialog, IDC_NS_NAME, c.name);
      Type(dialog, IDC_NS_FOLDER, c.folder);
      if (c.blank) {
        dialog->CheckRadioButton(IDC_NS_FROM_TEMPLATE, IDC_NS_BLANK, IDC_NS_BLANK);
        Click(dialog, IDC_NS_BLANK);
        Type(dialog, IDC_NS_WIDTH, c.width);
        Type(dialog, IDC_NS_HEIGHT, c.height);
      }
      Click(dialog, IDOK);
      focus = dialog_test::FocusId();
      stillOpen = ::IsWindow(dialog->m_hWnd) && dialog->IsWindowVisible();
      Click(dialog, IDCANCEL);
    });
    SCOPED_TRACE(AfxNarrow(c.name));
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(focus, c.focus);
    ASSERT_EQ(ui.Questions().size(), 2u);  // the dialog, then its message
    const AfxUiQuestion& message = ui.Questions()[1];
    EXPECT_STREQ(message.kind, "message");
    EXPECT_STREQ(message.caption, CDlgNuovoSposalbo::kErrorTitle);
    EXPECT_EQ(message.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    if (c.message) {
      EXPECT_STREQ(message.text, c.message);
    }
  }
}

TEST_F(NewAlbumDialogTest, ListsCustomTemplatesFirst) {
  CString first, firstPath, second, third;
  int count = 0;
  const CString custom = (temp / "custom\\").c_str();
  Run(
      [&](CWnd* dialog) {
        count = static_cast<CComboBox*>(dialog->GetDlgItem(IDC_NS_TEMPLATE))->GetCount();
        first = ComboItem(dialog, 0, &firstPath);
        second = ComboItem(dialog, 1);
        third = ComboItem(dialog, 2);
        Click(dialog, IDCANCEL);
      },
      custom);
  ASSERT_EQ(count, 3);
  EXPECT_STREQ(first, "a");
  EXPECT_STREQ(firstPath, custom + "a.sbt");
  EXPECT_TRUE((second == CString("a") && third == CString("b")) || (second == CString("b") && third == CString("a")));
}

TEST_F(NewAlbumDialogTest, OkReturnsTheTemplateOrThePageSize) {
  EXPECT_EQ(Run([&](CWnd* dialog) {
              Type(dialog, IDC_NS_NAME, L"Nozze Nicol\u00f2 Rossi");  // a letter the code page holds
              Type(dialog, IDC_NS_FOLDER, "c:\\album");
              Click(dialog, IDOK);
            }),
            IDOK);
  EXPECT_STREQ(name, "Nozze Nicol\xf2 Rossi");
  EXPECT_TRUE(fromTemplate);
  EXPECT_FALSE(templatePath.IsEmpty());

  EXPECT_EQ(Run([&](CWnd* dialog) {
              Type(dialog, IDC_NS_NAME, "Nozze");
              Type(dialog, IDC_NS_FOLDER, "c:\\album");
              dialog->CheckRadioButton(IDC_NS_FROM_TEMPLATE, IDC_NS_BLANK, IDC_NS_BLANK);
              Click(dialog, IDC_NS_BLANK);
              EXPECT_FALSE(dialog->GetDlgItem(IDC_NS_TEMPLATE)->IsWindowEnabled());
              Type(dialog, IDC_NS_WIDTH, "1000");
              Type(dialog, IDC_NS_HEIGHT, " 50");
              Click(dialog, IDOK);
            }),
            IDOK);
  EXPECT_FALSE(fromTemplate);
  EXPECT_TRUE(templatePath.IsEmpty());
  EXPECT_EQ(width, 1000);
  EXPECT_EQ(height, 50);
}

TEST_F(NewAlbumDialogTest, BrowsingFillsTheFolderAndAddsATemplate) {
  const std::string chosen = temp / "custom\\a.sbt";
  ui.AnswerFolder("d:\\lavori");
  ui.AnswerFiles({CString(chosen.c_str())});
  ui.AnswerFiles({CString(pageTemplate.c_str())});  // a page template is refused
  ui.AnswerMessage(IDOK);
  CString folder, selected;
  int before = 0, after = 0;
  Run([&](CWnd* dialog) {
    Click(dialog, IDC_NS_BROWSE_FOLDER);
    Click(dialog, IDC_NS_BROWSE_TEMPLATE);
    folder = TextOf(dialog, IDC_NS_FOLDER);
    auto* combo = static_cast<CComboBox*>(dialog->GetDlgItem(IDC_NS_TEMPLATE));
    before = combo->GetCount();
    Click(dialog, IDC_NS_BROWSE_TEMPLATE);
    after = combo->GetCount();
    selected = *reinterpret_cast<const CString*>(combo->GetItemData(combo->GetCurSel()));
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(after, before);
  EXPECT_STREQ(ui.Questions().back().text,
               "Il file scelto \xE8 un template di pagina: un nuovo sposalbo si crea da un template di sposalbo.");
  EXPECT_STREQ(folder, "d:\\lavori");
  EXPECT_STREQ(selected, chosen.c_str());
  // The folder browser's title and flags.
  bool sawFolder = false;
  for (const AfxUiQuestion& q : ui.Questions())
    if (q.kind == CString("folder")) {
      sawFolder = true;
      EXPECT_STREQ(q.text, "Scegli la directory in cui creare il nuovo sposalbo.");
    }
  EXPECT_TRUE(sawFolder);
}

// A folder or template chosen in a folder named with letters the code page
// lacks is shown as chosen, and refused naming them.
TEST_F(NewAlbumDialogTest, BrowsingToNamesTheCodePageCannotHoldNamesTheirLetters) {
  const std::wstring greek = L"d:\\\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1";
  ui.AnswerWideFolder(greek);
  ui.AnswerMessage(IDOK);
  ui.AnswerWideFile(greek + L"\\a.sbt");
  ui.AnswerMessage(IDOK);
  std::wstring shown;
  int before = 0, after = 0;
  Run([&](CWnd* dialog) {
    Type(dialog, IDC_NS_NAME, "Nozze");
    Click(dialog, IDC_NS_BROWSE_FOLDER);
    shown = WideWindowText(::GetDlgItem(dialog->m_hWnd, IDC_NS_FOLDER));
    Click(dialog, IDOK);
    auto* combo = static_cast<CComboBox*>(dialog->GetDlgItem(IDC_NS_TEMPLATE));
    before = combo->GetCount();
    Click(dialog, IDC_NS_BROWSE_TEMPLATE);
    after = combo->GetCount();
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(shown, greek);
  EXPECT_EQ(after, before);
  const std::string told = "contiene caratteri che il programma non pu\xf2 usare: carattere 4 (U+039A), carattere 5 ";
  const auto& questions = ui.Questions();  // the dialog, the folder, its message, the file, its message
  ASSERT_EQ(questions.size(), 5u);
  EXPECT_EQ(questions[2].text.Find(("Il percorso d:\\???????? " + told).c_str()), 0) << questions[2].text.str();
  EXPECT_EQ(questions[4].text.Find(("Il percorso d:\\????????\\a.sbt " + told).c_str()), 0)
      << questions[4].text.str();
}

TEST_F(NewAlbumDialogTest, TheArrowKeysChooseBetweenTemplateAndBlankPages) {
  struct Step {
    UINT key;
    int focus;
    bool templateEnabled;  // the template controls, the page size the other way
  };
  const Step steps[] = {{VK_DOWN, IDC_NS_BLANK, false}, {VK_UP, IDC_NS_FROM_TEMPLATE, true}};
  Run([&](CWnd* dialog) {
    ::SetFocus(::GetDlgItem(dialog->m_hWnd, IDC_NS_FROM_TEMPLATE));
    for (const Step& step : steps) {
      MSG key{::GetFocus(), WM_KEYDOWN, step.key, 0, 0, {}};
      ::IsDialogMessageA(dialog->m_hWnd, &key);
      dialog_test::PumpPending();
      EXPECT_EQ(dialog_test::FocusId(), step.focus) << step.key;
      EXPECT_EQ(dialog->IsDlgButtonChecked(step.focus), BST_CHECKED) << step.key;
      EXPECT_EQ(dialog->GetDlgItem(IDC_NS_TEMPLATE)->IsWindowEnabled() != FALSE, step.templateEnabled) << step.key;
      EXPECT_EQ(dialog->GetDlgItem(IDC_NS_WIDTH)->IsWindowEnabled() != FALSE, !step.templateEnabled) << step.key;
    }
    Click(dialog, IDCANCEL);
  });
}
