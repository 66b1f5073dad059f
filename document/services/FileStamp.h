#pragma once
// What tells a file's content apart from an earlier one without reading it:
// its size, last write time and last change time.
#include <windows.h>

#include <string>

struct CFileStamp {
  bool exists = false;
  ULONGLONG size = 0;
  ULONGLONG written = 0;  // FILETIME ticks
  // When the file's bytes or times last changed (FILETIME ticks): unlike the
  // write time, no program can set it back, so a file replaced by another of
  // the same size with its write time put back still stamps as changed. 0
  // where not known (read from a list written before it was kept), which
  // agrees with any.
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
