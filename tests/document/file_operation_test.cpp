#include <gtest/gtest.h>

#include "TempFolder.h"
#include "document/services/FileOperation.h"
#include "framework/scripted_ui.h"

namespace {

TEST(FileOperationCopyName, FollowsTheCopySequence) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"C:\\x\\a.jpg", "C:\\x\\Copy of a.jpg"}, {"C:\\x\\Copy of a.jpg", "C:\\x\\Copy (1) of a.jpg"},
      {"C:\\x\\Copy (1) of a.jpg", "C:\\x\\Copy (2) of a.jpg"},
      {"C:\\x\\Copy (9) of a", "C:\\x\\Copy (10) of a"},
      {"C:\\x\\Copy (1 of a.jpg", "C:\\x\\Copy of Copy (1 of a.jpg"}, {"a.jpg", "Copy of a.jpg"},
      {"C:\\my.dir\\file", "C:\\my.dir\\Copy of file"},
      // Names that hold the markers without the text around them: nothing is
      // read past their end.
      {"Copy .x", "Copy (1) of .x"}, {"Copy (3)", "Copy (4) of "}, {"Copy )(", "Copy of Copy )("},
      {"", "Copy of "},
  };
  for (const auto& c : cases) EXPECT_STREQ(CFileOperation::MakeCopyName(c.in), c.out) << c.in;
}

TEST(FileOperation, TellsFilesFoldersAndMissingPaths) {
  TempFolder dir;
  WriteTextFile(dir / "a.txt", "a");
  CFileOperation operation;
  EXPECT_EQ(operation.GetPathKind(dir.Path().c_str()), 2);
  EXPECT_EQ(operation.GetPathKind((dir / "a.txt").c_str()), 1);
  EXPECT_EQ(operation.GetPathKind((dir / "none.txt").c_str()), 0);
  EXPECT_EQ(operation.GetPathKind((dir / "none\\none.txt").c_str()), 0);
  EXPECT_EQ(operation.GetPathKind((dir / "none.txt").c_str(), true), 1);
}

TEST(FileOperation, CopiesFilesAndTreesWithoutOverwritingUnlessTold) {
  TempFolder dir;
  WriteTextFile(dir / "src.txt", "new");
  WriteTextFile(dir / "a.txt", "old");
  MakeFolder(dir / "tree");
  MakeFolder(dir / "tree\\sub");
  WriteTextFile(dir / "tree\\a.txt", "a");
  WriteTextFile(dir / "tree\\sub\\b.txt", "b");
  MakeFolder(dir / "out");
  CFileOperation operation;
  EXPECT_STREQ(operation.GetErrorString(), "No error");
  for (const char* copy : {"Copy of a.txt", "Copy (1) of a.txt", "Copy (2) of a.txt"}) {
    ASSERT_TRUE(operation.Copy((dir / "src.txt").c_str(), (dir / "a.txt").c_str()));
    EXPECT_EQ(ReadTextFile(dir / copy), "new") << copy;
  }
  EXPECT_EQ(ReadTextFile(dir / "a.txt"), "old");
  ASSERT_TRUE(operation.Copy((dir / "src.txt").c_str(), (dir / "out").c_str()));
  EXPECT_EQ(ReadTextFile(dir / "out\\src.txt"), "new") << "into a folder under its own name";
  ASSERT_TRUE(operation.Copy((dir / "tree").c_str(), (dir / "out").c_str())) << operation.GetErrorString();
  EXPECT_EQ(ReadTextFile(dir / "out\\tree\\sub\\b.txt"), "b");
  // Into its own parent: nothing; into its own subfolder: one copy, no endless nesting.
  EXPECT_TRUE(operation.Copy((dir / "tree").c_str(), dir.Path().c_str()));
  EXPECT_FALSE(FolderExists(dir / "tree\\tree"));
  EXPECT_FALSE(FileExists(dir / "Copy of tree"));
  ASSERT_TRUE(operation.Copy((dir / "tree").c_str(), (dir / "tree\\sub").c_str())) << operation.GetErrorString();
  EXPECT_EQ(ReadTextFile(dir / "tree\\sub\\tree\\a.txt"), "a");
  EXPECT_TRUE(FolderExists(dir / "tree\\sub\\tree\\sub"));
  EXPECT_FALSE(FolderExists(dir / "tree\\sub\\tree\\sub\\tree"));
  EXPECT_STREQ(operation.GetErrorString(), "No error");
  operation.SetOverwriteMode(true);
  WriteTextFile(dir / "src.txt", "newer");
  ASSERT_TRUE(operation.Copy((dir / "src.txt").c_str(), (dir / "a.txt").c_str()));
  EXPECT_EQ(ReadTextFile(dir / "a.txt"), "newer");
  EXPECT_FALSE(FileExists(dir / "Copy (3) of a.txt"));
}

TEST(FileOperation, FailedCopiesReportWhyAndALaterSuccessClearsTheReport) {
  TempFolder dir;
  WriteTextFile(dir / "src.txt", "data");
  MakeFolder(dir / "tree");
  const std::string missing = dir / "missing.txt";
  const struct {
    std::string source, target, error;
    DWORD code;
  } cases[] = {
      {missing, dir / "b.txt", missing + " not found", 0},
      {dir / "tree", dir / "file.txt", "Wrong operation", 0},
      {dir / "src.txt", dir / "none\\b.txt", "", ERROR_PATH_NOT_FOUND},  // the system's own text
  };
  CFileOperation operation;
  for (const auto& c : cases) {
    EXPECT_FALSE(operation.Copy(c.source.c_str(), c.target.c_str())) << c.target;
    if (!c.error.empty()) {
      EXPECT_EQ(operation.GetErrorString(), c.error);
    }
    EXPECT_STRNE(operation.GetErrorString(), "No error");
    EXPECT_EQ(operation.GetErrorCode(), c.code) << c.target;
  }
  EXPECT_TRUE(operation.Copy((dir / "src.txt").c_str(), (dir / "b.txt").c_str()));
  EXPECT_STREQ(operation.GetErrorString(), "No error");
}

TEST(FileOperation, DeletesFilesAndTreesButNotWhatIsMissing) {
  TempFolder dir;
  MakeFolder(dir / "tree");
  MakeFolder(dir / "tree\\sub");
  WriteTextFile(dir / "tree\\sub\\b.txt", "b");
  WriteTextFile(dir / "a.txt", "a");
  CFileOperation operation;
  EXPECT_TRUE(operation.Delete((dir / "a.txt").c_str()));
  EXPECT_FALSE(FileExists(dir / "a.txt"));
  EXPECT_TRUE(operation.Delete((dir / "tree").c_str()));
  EXPECT_FALSE(FolderExists(dir / "tree"));
  EXPECT_FALSE(operation.Delete((dir / "none.txt").c_str()));
  EXPECT_EQ(operation.GetErrorCode(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(operation.Delete(""));
}

struct ReadOnlyCase {
  int answer;  // 0: the question is switched off
  bool deleted;
  bool aborted;
};

TEST(FileOperation, ReadOnlyFilesAreDeletedOnlyWhenTheUserSaysYesOrIsNotAsked) {
  const ReadOnlyCase cases[] = {{IDYES, true, false}, {IDNO, false, false}, {IDCANCEL, false, true}, {0, true, false}};
  for (const ReadOnlyCase& c : cases) {
    TempFolder dir;
    std::string path = dir / "locked.txt";
    WriteTextFile(path, "x");
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    CScriptedUi ui;
    if (c.answer) ui.AnswerMessage(c.answer);
    CFileOperation operation;
    operation.SetAskIfReadOnly(c.answer != 0);
    EXPECT_EQ(operation.Delete(path.c_str()), c.deleted) << c.answer;
    EXPECT_EQ(FileExists(path), !c.deleted) << c.answer;
    EXPECT_EQ(operation.IsAborted(), c.aborted) << c.answer;
    ASSERT_EQ(ui.Questions().size(), c.answer ? 1u : 0u);
    if (!c.answer) continue;
    EXPECT_STREQ(ui.Questions()[0].text, "locked.txt is read olny. Do you want delete it?");
    EXPECT_STREQ(ui.Questions()[0].caption, "Warning");
    EXPECT_EQ(ui.Questions()[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
  }
}

TEST(FileOperation, ReadOnlyFilesInATreeAreAskedFor) {
  TempFolder dir;
  MakeFolder(dir / "tree");
  std::string locked = dir / "tree\\locked.txt";
  WriteTextFile(locked, "x");
  ::SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
  CScriptedUi ui;
  ui.AnswerMessage(IDNO);
  ui.AnswerMessage(IDYES);
  CFileOperation operation;
  EXPECT_FALSE(operation.Delete((dir / "tree").c_str()));
  EXPECT_TRUE(FileExists(locked));
  EXPECT_TRUE(operation.Delete((dir / "tree").c_str()));
  EXPECT_FALSE(FolderExists(dir / "tree"));
  EXPECT_EQ(ui.Questions().size(), 2u);
}

}  // namespace
