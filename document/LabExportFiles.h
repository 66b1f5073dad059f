#pragma once
// The folder operations by which a laboratory export takes the place of the
// earlier one and tidies what an interrupted export left. Replaceable, so a
// test can make one of them fail.
#include <string>

class ILabExportFiles {
 public:
  virtual ~ILabExportFiles() = default;
  virtual bool Exists(const std::string& path) = 0;
  // A folder to a new name on the same volume.
  virtual bool Move(const std::string& from, const std::string& to) = 0;
  // A folder with everything in it; what could not go stays.
  virtual bool RemoveTree(const std::string& folder) = 0;
  // Why the last operation that failed did so, in the system's words.
  virtual std::string LastError() = 0;
};

ILabExportFiles& GetLabExportFiles();
// Installs other operations (null restores the system's); returns the previous ones.
ILabExportFiles* SetLabExportFiles(ILabExportFiles* files);
