#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "TempFolder.h"
#include "document/AlbumFolder.h"

namespace {

TEST(AlbumFolderName, OnlyNamesTheFileSystemKeepsAsTypedAreValid) {
  const char* valid[] = {"Nozze", "Nozze 2006", "Nozze.2006", "Anna & Luca", ".nascosto"};
  for (const char* name : valid) EXPECT_TRUE(IsValidAlbumFolderName(name)) << name;
  const char* invalid[] = {"",      ".",      "..",     "a\\b",  "a/b",     "C:x",  "a*",
                           "a?",    "a\"b",   "a<b",    "a>b",   "a|b",     "Nozze.",
                           "Nozze ", "a\tb",  "..\\x",  "\\\\srv\\x"};
  for (const char* name : invalid) EXPECT_FALSE(IsValidAlbumFolderName(name)) << name;
}

TEST(AlbumFolderCreate, MakesTheFolderWithItsPhotoFoldersUnderTheFirstFreeName) {
  TempFolder parent;
  std::string created;
  ASSERT_TRUE(CreateAlbumFolder(parent.Path(), "Nozze", created));
  EXPECT_EQ(created, parent / "Nozze");
  EXPECT_TRUE(FolderExists(parent / "Nozze\\img"));
  EXPECT_TRUE(FolderExists(parent / "Nozze\\rif"));
  MakeFolder(parent / "Nozze_1");
  WriteTextFile(parent / "Nozze_2", "x");  // a file is in the way just as a folder is
  ASSERT_TRUE(CreateAlbumFolder(parent.Path(), "Nozze", created));
  EXPECT_EQ(created, parent / "Nozze_3");
  // Invalid names and missing parents are refused.
  EXPECT_FALSE(CreateAlbumFolder(parent.Path(), "..\\fuori", created));
  EXPECT_FALSE(CreateAlbumFolder(parent.Path(), "Sposi.", created));
  EXPECT_FALSE(CreateAlbumFolder(parent / "manca", "Sposi", created));
  EXPECT_FALSE(FolderExists(parent / "Sposi"));
  // Removing the empty album folder keeps anything put in it since.
  RemoveEmptyAlbumFolder(parent / "Nozze_3");
  EXPECT_FALSE(FolderExists(parent / "Nozze_3"));
  WriteTextFile(parent / "Nozze\\img\\1.jpg", "photo");
  RemoveEmptyAlbumFolder(parent / "Nozze");
  EXPECT_TRUE(FileExists(parent / "Nozze\\img\\1.jpg"));
}

TEST(AlbumFolderCreate, FailsWhenAllThousandNumberedNamesAreTaken) {
  TempFolder parent;
  MakeFolder(parent / "Nozze");
  for (int n = 1; n <= 1000; ++n) MakeFolder(parent / ("Nozze_" + std::to_string(n)));
  std::string created = "unchanged";
  EXPECT_FALSE(CreateAlbumFolder(parent.Path(), "Nozze", created));
  EXPECT_EQ(created, "unchanged");
  EXPECT_FALSE(FolderExists(parent / "Nozze_1001"));
}

TEST(AlbumFolderCreate, RefusesInvalidNamesAndMissingParents) {
  TempFolder parent;
  std::string created;
  EXPECT_FALSE(CreateAlbumFolder(parent.Path(), "..\\fuori", created));
  EXPECT_FALSE(CreateAlbumFolder(parent.Path(), "Nozze.", created));
  EXPECT_FALSE(FolderExists(parent / "Nozze"));
  EXPECT_FALSE(CreateAlbumFolder(parent / "manca", "Nozze", created));
}

TEST(AlbumFolderPaths, DriveAndShareRootsAreRoots) {
  const char* roots[] = {"C:", "C:\\", "c:/", "Z:\\\\", "\\", "\\\\server\\share",
                         "\\\\server\\share\\"};
  for (const char* path : roots) EXPECT_TRUE(IsDriveRoot(path)) << path;
  const char* folders[] = {"C:\\album", "C:\\a\\b\\", "\\\\server\\share\\album"};
  for (const char* path : folders) EXPECT_FALSE(IsDriveRoot(path)) << path;
}

TEST(AlbumFolderPaths, LastNameIgnoresTrailingSeparators) {
  EXPECT_EQ(FolderLastName("C:\\a\\Nozze.2006"), "Nozze.2006");
  EXPECT_EQ(FolderLastName("C:\\a\\Nozze\\"), "Nozze");
  EXPECT_EQ(FolderLastName("Nozze"), "Nozze");
}

TEST(AlbumFolderDelete, RemovesTheProgramsFilesAndKeepsWhatElseIsThere) {
  TempFolder parent;
  std::string created;
  ASSERT_TRUE(CreateAlbumFolder(parent.Path(), "Nozze", created));
  WriteTextFile(created + "\\sposalbo.sbm", "<sposalbo />");
  WriteTextFile(created + "\\sposalbo.sbm.new", "<sposalbo");
  WriteTextFile(created + "\\immagini.xml", "<immagini />");
  ::SetFileAttributesA((created + "\\immagini.xml").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(HoldsAlbum(created));
  EXPECT_TRUE(RemoveAlbumFolder(created + "\\"));
  EXPECT_FALSE(FolderExists(created));
  EXPECT_TRUE(FolderExists(parent.Path()));

  // The user's own files keep the folders that hold them.
  ASSERT_TRUE(CreateAlbumFolder(parent.Path(), "Nozze", created));
  WriteTextFile(created + "\\sposalbo.sbm", "<sposalbo />");
  WriteTextFile(created + "\\img\\mia.jpg", "photo");
  MakeFolder(created + "\\font");
  WriteTextFile(created + "\\font\\a.ttf", "font");
  EXPECT_TRUE(RemoveAlbumFolder(created));
  EXPECT_EQ(FilesIn(created), std::set<std::string>({"font", "img"}));
  EXPECT_TRUE(FileExists(created + "\\img\\mia.jpg"));
  EXPECT_TRUE(FileExists(created + "\\font\\a.ttf"));
}

TEST(AlbumFolderDelete, RefusesEmptyPathsRootsAndFoldersWithoutAnAlbum) {
  TempFolder parent;
  MakeFolder(parent / "altro");
  WriteTextFile(parent / "altro\\dati.txt", "keep");
  MakeFolder(parent / "cartella");
  MakeFolder(parent / "cartella\\sposalbo.sbm");  // a folder of that name is no project file
  WriteTextFile(parent / "file.sbm", "x");

  const std::string refused[] = {"", "C:\\", "C:", "\\", parent / "altro", parent / "cartella",
                                 parent / "manca", parent / "file.sbm"};
  for (const std::string& path : refused) EXPECT_FALSE(RemoveAlbumFolder(path)) << path;
  EXPECT_TRUE(FileExists(parent / "altro\\dati.txt"));
  EXPECT_TRUE(FolderExists(parent / "cartella\\sposalbo.sbm"));
  EXPECT_TRUE(FileExists(parent / "file.sbm"));
}

}  // namespace
