#pragma once
// A fresh folder under the test's working folder, removed with everything in it
// when the test ends; and small file helpers for the document tests.
#include <windows.h>

#include <set>
#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's absolute path, without a trailing backslash.
  const std::string& Path() const { return m_path; }
  // Path() + "\" + relative.
  std::string operator/(const std::string& relative) const { return m_path + "\\" + relative; }

 private:
  std::string m_path;
};

void WriteTextFile(const std::string& path, const std::string& text);
// Deletes a folder with everything in it.
void RemoveTree(const std::string& path);
std::string ReadTextFile(const std::string& path);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
void MakeFolder(const std::string& path);
// The names in a folder, without "." and "..".
std::set<std::string> FilesIn(const std::string& folder);
