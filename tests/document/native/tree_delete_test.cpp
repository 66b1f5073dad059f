// The tree delete over real links, natively (Wine makes no folder links): a
// link in the tree, or as the tree, goes alone; what it leads to stays.
#include <dirent.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <system_error>

#include "document/services/TreeDelete.h"

namespace {

[[noreturn]] void ThrowErrno(const std::string& path) {
  throw std::system_error(errno, std::generic_category(), path);
}

class PosixTreeSystem : public ITreeDeleteSystem {
 public:
  Kind KindOf(const std::string& path) override {
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0) ThrowErrno(path);
    if (S_ISLNK(info.st_mode)) return Kind::kLink;
    return S_ISDIR(info.st_mode) ? Kind::kFolder : Kind::kFile;
  }
  std::vector<std::string> List(const std::string& folder) override {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) ThrowErrno(folder);
    while (dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    return names;
  }
  std::string Join(const std::string& folder, const std::string& name) override {
    return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
  }
  bool IsSeparator(char c) override { return c == '/'; }
  void RemoveFile(const std::string& path) override {
    if (::unlink(path.c_str()) != 0) ThrowErrno(path);
  }
  void RemoveLink(const std::string& path) override {
    if (::unlink(path.c_str()) != 0) ThrowErrno(path);
  }
  void RemoveFolder(const std::string& path) override {
    if (::rmdir(path.c_str()) != 0) ThrowErrno(path);
  }
};

bool Exists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

void Write(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

std::string Read(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A scratch folder with "outside" (a sentinel file and a folder of its own)
// beside the tree to delete.
class TreeDeleteTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tree-delete-XXXXXX";
    ASSERT_TRUE(::mkdtemp(pattern));
    root = pattern;
    ::mkdir((root + "/outside").c_str(), 0700);
    ::mkdir((root + "/outside/folder").c_str(), 0700);
    Write(root + "/outside/sentinel", "keep");
    Write(root + "/outside/folder/inner", "keep too");
  }
  void TearDown() override { std::system(("rm -rf '" + root + "'").c_str()); }

  void ExpectOutsideWhole() {
    EXPECT_EQ(Read(root + "/outside/sentinel"), "keep");
    EXPECT_EQ(Read(root + "/outside/folder/inner"), "keep too");
  }

  std::string root;
  PosixTreeSystem system;
};

TEST_F(TreeDeleteTest, LinksInsideGoAsLinks) {
  const std::string tree = root + "/album";
  ::mkdir(tree.c_str(), 0700);
  ::mkdir((tree + "/img").c_str(), 0700);
  ::mkdir((tree + "/img/deeper").c_str(), 0700);
  Write(tree + "/sposalbo.sbm", "album");
  Write(tree + "/img/deeper/1.jpg", "photo");
  ASSERT_EQ(::symlink((root + "/outside/folder").c_str(), (tree + "/img/to-folder").c_str()), 0);
  ASSERT_EQ(::symlink((root + "/outside/sentinel").c_str(), (tree + "/to-file").c_str()), 0);
  ASSERT_EQ(::symlink("..", (tree + "/img/deeper/up").c_str()), 0);
  ASSERT_EQ(::symlink((root + "/nowhere").c_str(), (tree + "/dangling").c_str()), 0);

  DeleteTree(system, tree + "/");
  EXPECT_FALSE(Exists(tree));
  ExpectOutsideWhole();
  EXPECT_TRUE(Exists(root + "/outside/folder"));
}

TEST_F(TreeDeleteTest, ALinkGivenAsTheTreeGoesAlone) {
  for (const std::string& target : {root + "/outside/folder", root + "/outside/sentinel"}) {
    const std::string link = root + "/link";
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    DeleteTree(system, link + "//");
    EXPECT_FALSE(Exists(link)) << target;
    ExpectOutsideWhole();
  }
}

TEST_F(TreeDeleteTest, AMissingPathIsTheSystemsFailure) {
  EXPECT_THROW(DeleteTree(system, root + "/missing"), std::system_error);
  ExpectOutsideWhole();
}

}  // namespace
