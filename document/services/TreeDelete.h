#pragma once
// Deleting a folder tree without ever leaving it: a link met in the tree, or
// given as the tree itself, goes as a link and is never followed, so what it
// leads to stays whole. The program deletes every folder tree this way
// (earlier and half-written laboratory exports). The file system is
// reached through a small interface: Win32 in the program (FileOperation),
// POSIX in the native tests. No Windows headers here.
#include <string>
#include <vector>

class ITreeDeleteSystem {
 public:
  enum class Kind { kFile, kFolder, kLink };

  virtual ~ITreeDeleteSystem() = default;
  // What the path itself is, a link not followed; throws for a path that
  // cannot be told (missing, say).
  virtual Kind KindOf(const std::string& path) = 0;
  // The names in a folder, without "." and "..".
  virtual std::vector<std::string> List(const std::string& folder) = 0;
  virtual std::string Join(const std::string& folder, const std::string& name) = 0;
  virtual bool IsSeparator(char c) = 0;
  virtual void RemoveFile(const std::string& path) = 0;
  // Removes the link alone, whatever it leads to.
  virtual void RemoveLink(const std::string& path) = 0;
  // Removes a folder that is empty by now.
  virtual void RemoveFolder(const std::string& path) = 0;
};

// Every failure is the system's to throw; the walk stops at the first one.
// Trailing separators are dropped first ("link\" would name what the link
// leads to), but never down to a root ("C:\", "/").
void DeleteTree(ITreeDeleteSystem& system, const std::string& path);
