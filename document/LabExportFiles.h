#pragma once
// The file and folder operations by which a laboratory export copies the
// album's files, takes the place of the earlier export and tidies what an
// interrupted export left. Replaceable, so a test can make one of them fail,
// or stand in for another program writing a file while it is copied.
#include <string>

struct CFileDigest;

class ILabExportFiles {
 public:
  virtual ~ILabExportFiles() = default;
  virtual bool Exists(const std::string& path) = 0;
  // A folder to a new name on the same volume.
  virtual bool Move(const std::string& from, const std::string& to) = 0;
  // A folder with everything in it; what could not go stays.
  virtual bool RemoveTree(const std::string& folder) = 0;
  enum class CopyResult {
    kCopied,
    kHeld,  // another program has the file open for writing
    kFailed
  };
  // One file over another name, replacing a file there; no program can write
  // the file while it is copied. The digest of the bytes copied goes to copied.
  virtual CopyResult Copy(const std::string& from, const std::string& to, CFileDigest& copied) = 0;
  // Waits while a file another program writes settles.
  virtual void Pause(unsigned milliseconds) = 0;
  // Why the last operation that failed did so, in the system's words.
  virtual std::string LastError() = 0;
};

ILabExportFiles& GetLabExportFiles();
// Installs other operations (null restores the system's); returns the previous ones.
ILabExportFiles* SetLabExportFiles(ILabExportFiles* files);
