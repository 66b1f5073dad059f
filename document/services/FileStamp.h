#pragma once
// What tells a file's content apart from an earlier one without reading it:
// its size and last write time.
#include <windows.h>

#include <string>

struct CFileStamp {
  bool exists = false;
  ULONGLONG size = 0;
  ULONGLONG written = 0;  // FILETIME ticks

  bool operator==(const CFileStamp& other) const {
    return exists == other.exists && size == other.size && written == other.written;
  }
  bool operator!=(const CFileStamp& other) const { return !(*this == other); }
};

// The stamp of a file; one that does not exist (or cannot be read) stamps as
// not existing.
CFileStamp ReadFileStamp(const std::string& path);
