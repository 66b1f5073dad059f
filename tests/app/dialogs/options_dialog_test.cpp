#include <gtest/gtest.h>

#include <set>

#include "app/dialogs/DialogDriving.h"
#include "app/dialogs/FontListFile.h"
#include "document/albumfile/XmlFile.h"
#include "app/dialogs/OpzioniDlg.h"
#include "document/CutXmlFiles.h"
#include "document/TempFolder.h"
#include "document/XmlValues.h"
#include "framework/scripted_ui.h"

using dialog_test::Click;
using dialog_test::TextOf;
using dialog_test::Type;

namespace {
class OptionsDialogTest : public ::testing::Test {
 protected:
  INT_PTR Run(std::function<void(CWnd*)> action) {
    ui.AnswerModalWith(std::move(action));
    dialog.m_strCustomFolder = shown.c_str();
    dialog.m_strExtAppCmdLine = "paint.exe %s";
    return dialog.DoModal();
  }
  TempFolder temp;
  // OK makes the folders typed: all of them in the test's own folder.
  const std::string shown = temp / "grafiche", typed = temp / "altro";
  CScriptedUi ui;
  COpzioniDlg dialog{nullptr};
};
}  // namespace

TEST_F(OptionsDialogTest, ShowsAndReturnsBothSettings) {
  CString shownFolder;
  EXPECT_EQ(Run([&](CWnd* wnd) {
              shownFolder = TextOf(wnd, IDC_OPT_FOLDER);
              Type(wnd, IDC_OPT_EXT_APP, "editor.exe \"%s\"");
              Click(wnd, IDOK);
            }),
            IDOK);
  EXPECT_STREQ(shownFolder, shown.c_str());
  EXPECT_STREQ(dialog.m_strCustomFolder, shown.c_str());
  EXPECT_TRUE(FolderExists(shown + "\\image\\highres"));
  EXPECT_STREQ(dialog.m_strExtAppCmdLine, "editor.exe \"%s\"");
}

TEST_F(OptionsDialogTest, BrowsingKeepsWhatWasTypedInTheOtherField) {
  ui.AnswerFolder("d:\\mie grafiche");
  ui.AnswerFiles({"c:\\programmi\\ritocco.exe"});
  CString command, folder;
  Run([&](CWnd* wnd) {
    Type(wnd, IDC_OPT_EXT_APP, "typed.exe");
    Click(wnd, IDC_OPT_BROWSE_FOLDER);
    command = TextOf(wnd, IDC_OPT_EXT_APP);
    Type(wnd, IDC_OPT_FOLDER, typed.c_str());
    Click(wnd, IDC_OPT_BROWSE_EXT_APP);
    folder = TextOf(wnd, IDC_OPT_FOLDER);
    Click(wnd, IDOK);
  });
  EXPECT_STREQ(command, "typed.exe");
  EXPECT_STREQ(folder, typed.c_str());
  EXPECT_STREQ(dialog.m_strCustomFolder, typed.c_str());
  EXPECT_STREQ(dialog.m_strExtAppCmdLine, "c:\\programmi\\ritocco.exe");
}

TEST_F(OptionsDialogTest, WritesTheInstalledTrueTypeFacesAndReadsThemBack) {
  const std::string path = temp / "sposalbo.sfl";
  ui.AnswerFiles({CString(path.c_str())});
  std::vector<std::string> installed;
  Run([&](CWnd* wnd) {
    Click(wnd, IDC_OPT_FONT_LIST);
    CClientDC dc(wnd);
    installed = EnumTrueTypeFaces(dc.m_hDC);
    Click(wnd, IDCANCEL);
  });
  ASSERT_FALSE(installed.empty());
  EXPECT_EQ(ReadFontList(path), installed);
  // One entry per face, however often the system reports it.
  EXPECT_EQ(std::set<std::string>(installed.begin(), installed.end()).size(), installed.size());
  const std::string text = ReadTextFile(path);
  EXPECT_EQ(text.compare(0, 7, "<fonts>"), 0) << text;  // no declaration
  EXPECT_NE(text.find("<font name=\"" + installed.front() + "\" />"), std::string::npos);
}

TEST_F(OptionsDialogTest, FontListThatCannotBeWrittenIsReported) {
  ui.AnswerFiles({CString((temp / "missing\\sposalbo.sfl").c_str())});
  ui.AnswerMessage(IDOK);
  Run([&](CWnd* wnd) {
    Click(wnd, IDC_OPT_FONT_LIST);
    Click(wnd, IDCANCEL);
  });
  ASSERT_EQ(ui.Questions().size(), 3u);  // the dialog, the file, the message
  EXPECT_STREQ(ui.Questions()[2].kind, "message");
}

TEST(FontListFile, FaceNamesAreReadBackWordForWord) {
  TempFolder temp;
  std::vector<std::string> faces = xml_values_test::TextValues();
  faces.insert(faces.begin() + 1, "Arial");
  ASSERT_TRUE(WriteFontList(temp / "list.sfl", faces));
  EXPECT_EQ(ReadFontList(temp / "list.sfl"), faces) << ReadTextFile(temp / "list.sfl");
}

// A list cut inside a character is no list, as any broken one.
TEST(FontListFile, AListCutInsideACharacterIsRefusedOrRead) {
  const auto files = cut_xml_test::CutFiles("<fonts><font name=\"Arial\"/>", "</fonts>");
  TempFolder temp;
  cut_xml_test::ReadEachWithWatchdog(files, [&](const cut_xml_test::CutFile& file) {
    WriteTextFile(temp / "list.sfl", file.text);
    const std::vector<std::string> expected =
        file.whole ? std::vector<std::string>{"Arial"} : std::vector<std::string>{};
    EXPECT_EQ(ReadFontList(temp / "list.sfl"), expected) << file.name;
  });
}

TEST(FontListFile, ReadsNamesOfAnyChildElements) {
  TempFolder temp;
  struct Case {
    const char* text;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"<fonts><font name=\"Arial\"/><font name=\"Arial\"/><x name=\"Verdana\"/><font/></fonts>",
       {"Arial", "Arial", "Verdana"}},
      {"<?xml version=\"1.0\"?><lista><f name=\"Tahoma\"/></lista>", {"Tahoma"}},
      {"<fonts/>", {}},
      {"not xml at all <", {}},
  };
  // A list nested deeper than any file of the program may be is refused as
  // those are, before the XML library walks it.
  std::string deep = "<fonts><font name=\"Arial\">";
  for (int i = 0; i < 150; ++i) deep += "<f>";
  for (int i = 0; i < 150; ++i) deep += "</f>";
  deep += "</font></fonts>";
  for (const Case& c : cases) {
    WriteTextFile(temp / "list.sfl", c.text);
    EXPECT_EQ(ReadFontList(temp / "list.sfl"), c.names) << c.text;
  }
  WriteTextFile(temp / "deep.sfl", deep);
  EXPECT_TRUE(ReadFontList(temp / "deep.sfl").empty());
  // So is one of more elements than any file of the program holds.
  std::string many = "<fonts>";
  for (size_t i = 0; i < kMaxXmlElements; ++i) many += "<font name=\"Arial\"/>";
  WriteTextFile(temp / "many.sfl", many + "</fonts>");
  EXPECT_TRUE(ReadFontList(temp / "many.sfl").empty());
  EXPECT_TRUE(ReadFontList(temp / "absent.sfl").empty());
  ASSERT_TRUE(WriteFontList(temp / "empty.sfl", {}));
  EXPECT_EQ(ReadTextFile(temp / "empty.sfl").substr(0, 9), "<fonts />");
}
