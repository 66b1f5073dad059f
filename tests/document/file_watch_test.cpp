#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "document/services/FileWatch.h"

namespace {

// A message-only window that collects the "FileWatchNotify" messages it receives.
class WatchTest : public testing::Test {
 protected:
  void SetUp() override {
    window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(window);
    message = GetFileWatchMessage();
    ASSERT_NE(message, 0u);
  }
  void TearDown() override {
    StopFileWatch();
    if (window) ::DestroyWindow(window);
  }

  // Pumps messages until `count` notifications came or the time ran out; the
  // waiting is only a bound for a change that never comes.
  std::vector<WPARAM> Collect(size_t count, DWORD milliseconds) {
    std::vector<WPARAM> ids;
    DWORD start = ::GetTickCount();
    while (ids.size() < count && ::GetTickCount() - start < milliseconds) {
      MSG msg;
      while (::PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) {
        if (msg.message == message) {
          EXPECT_EQ(msg.lParam, 0);
          ids.push_back(msg.wParam);
        }
      }
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return ids;
  }
  std::vector<WPARAM> WaitFor(size_t count) { return Collect(count, 5000); }
  // Changes that must not be reported: everything that came in a good while.
  std::vector<WPARAM> Quiet() { return Collect(100, 800); }

  static void Append(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << text;
  }

  TempFolder dir;
  HWND window = nullptr;
  UINT message = 0;
};

TEST_F(WatchTest, ChangedFilePostsItsIdOnce) {
  EXPECT_EQ(message, ::RegisterWindowMessageA("FileWatchNotify"));
  std::string path = dir / "3.jpg";
  WriteTextFile(path, "photo");
  UINT id = AddFileWatch(path.c_str(), window);
  ASSERT_NE(id, 0u);
  CString watched;
  ASSERT_TRUE(GetFileWatchPath(id, watched));
  EXPECT_EQ(watched.str(), path);

  Quiet();
  Append(path, " edited");
  EXPECT_EQ(WaitFor(1), std::vector<WPARAM>{id});
  EXPECT_TRUE(Quiet().empty());

  Append(path, " again");
  EXPECT_EQ(WaitFor(1), std::vector<WPARAM>{id});
}

// However an editor saves (in place, a new file renamed over the old one, or
// delete and create), each of its saves is reported.
TEST_F(WatchTest, EverySaveIsReportedWhicheverWayTheEditorWrites) {
  const std::string path = dir / "5.jpg", written = dir / "5.jpg.tmp";
  WriteTextFile(path, "photo");
  const UINT id = AddFileWatch(path.c_str(), window);
  ASSERT_NE(id, 0u);
  const struct {
    const char* way;
    std::function<void(const std::string&)> save;
  } ways[] = {
      {"in place", [&](const std::string& text) { WriteTextFile(path, text); }},
      // The new file is written a while before it takes the photo's place.
      {"renamed over",
       [&](const std::string& text) {
         WriteTextFile(written, text);
         EXPECT_TRUE(Quiet().empty());
         EXPECT_TRUE(::MoveFileExA(written.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
       }},
      // As most editors do: the rename follows the write at once, while the
      // watch may be looking at the folder the write changed.
      {"renamed over at once",
       [&](const std::string& text) {
         WriteTextFile(written, text);
         EXPECT_TRUE(::MoveFileExA(written.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
             << "error " << ::GetLastError();
       }},
      {"deleted and made",
       [&](const std::string& text) {
         EXPECT_TRUE(::DeleteFileA(path.c_str()));
         WriteTextFile(path, text);
       }},
  };
  for (const auto& w : ways) {
    for (int save = 1; save <= 3; ++save) {
      SCOPED_TRACE(std::string(w.way) + " " + std::to_string(save));
      Quiet();
      w.save(std::string(static_cast<size_t>(save), 'x') + w.way);
      // A save of more than one step (made empty, then written) may be told
      // once a step; what counts is that it is told, and for this photo.
      const std::vector<WPARAM> ids = WaitFor(1);
      EXPECT_FALSE(ids.empty());
      for (WPARAM told : ids) EXPECT_EQ(told, id);
    }
  }
  // Saves in quick succession: the watch never holds the file the editor replaces.
  for (int save = 0; save < 20; ++save) {
    WriteTextFile(written, std::string(static_cast<size_t>(save), 'y'));
    ASSERT_TRUE(::MoveFileExA(written.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
        << "save " << save << ", error " << ::GetLastError();
  }
}

TEST_F(WatchTest, AttributeOnlyChangePostsNothing) {
  std::string path = dir / "a.jpg";
  WriteTextFile(path, "photo");
  ASSERT_NE(AddFileWatch(path.c_str(), window), 0u);
  Quiet();
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(Quiet().empty());
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_TRUE(Quiet().empty());
}

TEST_F(WatchTest, OnlyTheChangedFileOfAFolderIsReported) {
  std::string a = dir / "a.jpg", b = dir / "b.jpg";
  WriteTextFile(a, "a");
  WriteTextFile(b, "b");
  UINT idA = AddFileWatch(a.c_str(), window);
  UINT idB = AddFileWatch(b.c_str(), window);
  ASSERT_NE(idA, 0u);
  ASSERT_EQ(idB, idA + 1);
  Quiet();
  Append(b, "changed");
  EXPECT_EQ(WaitFor(1), std::vector<WPARAM>{idB});
  EXPECT_TRUE(Quiet().empty());
}

TEST_F(WatchTest, FolderWatchPostsOnEveryChange) {
  std::string folder = dir.Path() + "\\";
  UINT id = AddFileWatch(folder.c_str(), window);
  ASSERT_NE(id, 0u);
  Quiet();
  WriteTextFile(dir / "new.jpg", "x");
  std::vector<WPARAM> ids = WaitFor(1);
  ASSERT_FALSE(ids.empty());
  EXPECT_EQ(ids[0], id);
}

TEST_F(WatchTest, MissingFileOrFolderGivesNoWatch) {
  EXPECT_EQ(AddFileWatch((dir / "none.jpg").c_str(), window), 0u);
  EXPECT_EQ(AddFileWatch((dir / "none\\").c_str(), window), 0u);
  EXPECT_EQ(AddFileWatch("", window), 0u);
  EXPECT_EQ(AddFileWatch(nullptr, window), 0u);
}

TEST_F(WatchTest, StopForgetsEveryWatchAndARestartWorks) {
  StopFileWatch();  // nothing runs: returns at once
  std::string path = dir / "a.jpg";
  WriteTextFile(path, "photo");
  UINT first = AddFileWatch(path.c_str(), window);
  ASSERT_NE(first, 0u);
  StopFileWatch();
  CString watched;
  EXPECT_FALSE(GetFileWatchPath(first, watched));
  Append(path, "changed");
  EXPECT_TRUE(Quiet().empty());

  UINT second = AddFileWatch(path.c_str(), window);
  EXPECT_GT(second, first);
  Quiet();
  Append(path, "changed again");
  EXPECT_EQ(WaitFor(1), std::vector<WPARAM>{second});
}

TEST_F(WatchTest, TheProgramsOwnRewriteIsNotReported) {
  std::string path = dir / "a.jpg";
  WriteTextFile(path, "photo");
  UINT id = AddFileWatch(path.c_str(), window);
  ASSERT_NE(id, 0u);
  Quiet();
  {
    CFileWatchOwnWrite ownWrite(path.c_str());
    WriteTextFile(path, "reloaded and saved back");
  }
  EXPECT_TRUE(Quiet().empty());
  // An outside change afterwards is reported again.
  Append(path, " edited");
  EXPECT_EQ(WaitFor(1), std::vector<WPARAM>{id});
}

TEST_F(WatchTest, NoMoreFoldersThanOneWaitCanHold) {
  std::vector<UINT> ids;
  for (int i = 0; i < MAXIMUM_WAIT_OBJECTS; ++i) {
    std::string folder = dir / ("f" + std::to_string(i));
    MakeFolder(folder);
    ids.push_back(AddFileWatch((folder + "\\").c_str(), window));
  }
  for (int i = 0; i < MAXIMUM_WAIT_OBJECTS - 1; ++i) EXPECT_NE(ids[i], 0u) << i;
  EXPECT_EQ(ids.back(), 0u);
  // A folder already watched still takes more watches.
  WriteTextFile(dir / "f0\\a.jpg", "x");
  EXPECT_NE(AddFileWatch((dir / "f0\\a.jpg").c_str(), window), 0u);
}

TEST_F(WatchTest, WatchesGoOnWhenAWatchedFolderIsRemoved) {
  MakeFolder(dir / "gone");
  WriteTextFile(dir / "gone\\a.jpg", "x");
  ASSERT_NE(AddFileWatch((dir / "gone\\a.jpg").c_str(), window), 0u);
  std::string path = dir / "b.jpg";
  WriteTextFile(path, "photo");
  UINT id = AddFileWatch(path.c_str(), window);
  ASSERT_NE(id, 0u);
  Quiet();
  ::DeleteFileA((dir / "gone\\a.jpg").c_str());
  ::RemoveDirectoryA((dir / "gone").c_str());
  Quiet();
  Append(path, " edited");
  EXPECT_EQ(WaitFor(1), std::vector<WPARAM>{id});
}

}  // namespace
