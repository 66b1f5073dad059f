#pragma once
// What tells a file's content apart from an earlier one without reading it:
// its size and last write time.
#include <windows.h>

#include <map>
#include <string>

struct CFileStamp {
  bool exists = false;
  ULONGLONG size = 0;
  ULONGLONG written = 0;  // FILETIME ticks
  // When the file's bytes, times or attributes last changed (FILETIME ticks),
  // read only for the photos' reference copies (ReadContentStamp): unlike the
  // write time no program can put it back, so a file replaced by another of
  // the same size with its write time put back still stamps as another. 0
  // where not known, which agrees with any.
  ULONGLONG changed = 0;

  bool operator==(const CFileStamp& other) const {
    return exists == other.exists && size == other.size && written == other.written &&
           (changed == 0 || other.changed == 0 || changed == other.changed);
  }
  bool operator!=(const CFileStamp& other) const { return !(*this == other); }
};

// The stamp of a file; one that does not exist (or cannot be read) stamps as
// not existing.
CFileStamp ReadFileStamp(const std::string& path);

// The same with the change time, read from the file's folder: the file
// itself is not opened, so a program replacing it meanwhile (saving by a
// rename over it) is never in the way.
CFileStamp ReadContentStamp(const std::string& path);

// The change times of every file of a folder, read in one listing: a look
// at many files of one folder costs about what a look at one does.
class CFolderChangeTimes {
 public:
  explicit CFolderChangeTimes(const std::string& folder);
  // 0 for a name not found.
  ULONGLONG Of(const std::string& name) const;

 private:
  std::map<std::string, ULONGLONG> m_times;  // by lower-case name
};
