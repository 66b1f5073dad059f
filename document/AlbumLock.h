#pragma once
// One editor at a time on an album. The editor that has an album open holds a
// lock file beside its project file, with a byte of it locked, and removes the
// file when it closes: a second editor, in this process or another, cannot
// lock that byte and is refused the album. Other programs may read the file
// meanwhile (a backup copying the album's folder). A lock a crash left behind
// locks nothing, as the system drops it with its holder.
#include <windows.h>

#include <string>

#include "document/services/Win32Handle.h"

class CAlbumLock {
 public:
  enum Result {
    kLocked,
    // Another editor holds the album.
    kHeldElsewhere,
    // No lock can be had for another reason (a read-only folder, a folder in
    // the lock file's place): the album is left unlocked, GetError says why.
    kUnlocked,
  };

  CAlbumLock() = default;
  ~CAlbumLock() { Release(); }
  CAlbumLock(const CAlbumLock&) = delete;
  CAlbumLock& operator=(const CAlbumLock&) = delete;

  // Takes the lock of the album of a project file.
  Result Acquire(const std::string& projectPath);
  void Release();
  // The system's error of the last Acquire that did not lock; 0 after one that did.
  DWORD GetError() const { return m_error; }
  const std::string& GetPath() const { return m_path; }

 private:
  CScopedHandle m_file;
  std::string m_path;
  DWORD m_error = 0;
};
