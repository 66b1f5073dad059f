#include <gtest/gtest.h>

#include <string>

#include "TempFolder.h"
#include "document/services/ExternalApp.h"
#include "document/services/SystemMessage.h"
#include "framework/app.h"
#include "framework/scripted_ui.h"

namespace {

TEST(ExternalAppCmdLine, IsBuiltFromTheUsersText) {
  const struct {
    const char* text;
    const char* cmdLine;
  } cases[] = {
      {"  editor.exe  ", "editor.exe \"%s\""}, {"editor.exe /open \"%1\"", "editor.exe /open \"%s\""},
      {"editor.exe %1 %1", "editor.exe %s %s"}, {"   ", ""}, {"", ""},
  };
  for (const auto& c : cases) EXPECT_STREQ(BuildExtAppCmdLine(c.text), c.cmdLine) << c.text;
  EXPECT_FALSE(HasExtAppCmdLine(BuildExtAppCmdLine("  ")));
  EXPECT_TRUE(HasExtAppCmdLine(BuildExtAppCmdLine("editor.exe")));
}

TEST(ExternalAppCmdLine, PathIsPutInLiterally) {
  EXPECT_STREQ(FormatExtAppCmdLine(BuildExtAppCmdLine(" editor.exe "), "C:\\album\\img\\3.jpg"),
               "editor.exe \"C:\\album\\img\\3.jpg\"");
  // A "%" of the user's text or of the path is no format directive.
  EXPECT_STREQ(FormatExtAppCmdLine(BuildExtAppCmdLine("ed.exe %d %n %1"), "C:\\100%s\\a.jpg"),
               "ed.exe %d %n C:\\100%s\\a.jpg");
}

std::string ExeFolder() {
  char path[MAX_PATH];
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\'));
}

// Waits for the stand-in editor's record; the bound only matters when it never comes.
// The record is whole once it has its name, but for a moment after the rename the
// renaming process still holds it and it cannot be opened: read until it can.
std::string WaitForRecord(const std::string& path) {
  std::string record;
  for (int i = 0; i < 1500 && record.empty(); ++i) {
    if (FileExists(path)) record = ReadTextFile(path);
    if (record.empty()) ::Sleep(20);
  }
  return record;
}

TEST(ExternalApp, StartsTheEditorMinimisedOnTheFile) {
  ::DeleteFileA("record_cmdline.txt");
  std::string editor = ExeFolder() + "\\record_cmdline.exe";
  ASSERT_TRUE(FileExists(editor));
  CScriptedUi ui;
  CString cmdLine = BuildExtAppCmdLine(("\"" + editor + "\" /edit \"%1\"").c_str());
  EXPECT_TRUE(RunExternalApp(cmdLine, "C:\\album 1\\img\\3%d.jpg"));
  std::string record = WaitForRecord("record_cmdline.txt");
  // Minimised without taking the keyboard from the page.
  EXPECT_EQ(record, "\"" + editor + "\" /edit \"C:\\album 1\\img\\3%d.jpg\"\n1 " +
                        std::to_string(SW_SHOWMINNOACTIVE) + "\n");
  EXPECT_TRUE(ui.Questions().empty());
  ::DeleteFileA("record_cmdline.txt");
}

TEST(ExternalApp, ProgramThatCannotStartIsReported) {
  TempFolder dir;
  CScriptedUi ui;
  EXPECT_FALSE(RunExternalApp(BuildExtAppCmdLine((dir / "no-such-editor.exe").c_str()), "C:\\a.jpg"));
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].caption, "Errore avvio programma esterno.");
  // The command names the program; the system says why it did not start.
  const CString& text = ui.Questions()[0].text;
  EXPECT_NE(text.Find((dir / "no-such-editor.exe \"C:\\a.jpg\"").c_str()), -1) << text.str();
  EXPECT_NE(text.Find(SystemMessage(ERROR_FILE_NOT_FOUND)), -1) << text.str();
  EXPECT_EQ(ui.Questions()[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
}

}  // namespace

namespace {

TEST(ExternalAppProfile, TemplateIsReadFromProgramSettings) {
  EXPECT_STREQ(GetExtAppCmdLine(), "");  // no application: no editor
  CWinApp app("DocumentTests");
  app.SetRegistryKey("SposalboTests");
  ASSERT_TRUE(app.WriteProfileString("Program Settings", "ExtAppCmdLine", "  editor.exe /e %1 "));
  EXPECT_STREQ(GetExtAppCmdLine(), "editor.exe /e %s");
  app.WriteProfileString("Program Settings", "ExtAppCmdLine", nullptr);
  EXPECT_STREQ(GetExtAppCmdLine(), "");
}

}  // namespace
