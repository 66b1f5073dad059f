#pragma once
// One editor at a time on an album. The editor that has an album open holds a
// lock file beside its project file, open without sharing and removed when
// closed: a second editor, in this process or another, cannot open that file
// and is refused the album. A lock file a crash left behind locks nothing,
// as nothing holds it open any more.
#include <string>

#include "document/services/Win32Handle.h"

class CAlbumLock {
 public:
  // Takes the lock of the album of a project file. False when another editor
  // holds it. Where no lock file can be made at all (a read-only folder, where
  // the album cannot be saved either) the album is left unlocked: true.
  bool Acquire(const std::string& projectPath);
  void Release() { m_file.Reset(); }

 private:
  CScopedHandle m_file;
};
