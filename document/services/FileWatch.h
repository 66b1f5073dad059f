#pragma once
// Watches photo files that an external editor may change. One worker thread (lowest
// priority) waits on folder change notifications and, when a watched file has
// changed (its last-write time or size, or another file renamed or made in its
// place), posts the registered message "FileWatchNotify" to the
// window that asked for the watch:
//   wParam = the watch id, lParam = 0.
// The receiver asks GetFileWatchPath for the path: the path stays in the watch
// table, so no pointer into it ever travels in a message queue.
#include <windows.h>

#include "framework/string_type.h"

#define FILEWATCH_MESSAGE_NAME "FileWatchNotify"

// Watches a file, or a whole folder when path ends with a backslash. Returns the
// watch id, or 0 when the file's time cannot be read, the folder cannot be watched
// or the wait would hold more folders than Windows allows.
UINT AddFileWatch(const char* path, HWND hWndOwner);

// Stops the worker and forgets every watch.
void StopFileWatch();

// The watched path of a watch id; false when the watch no longer exists.
bool GetFileWatchPath(UINT id, CString& path);

// The id of "FileWatchNotify".
UINT GetFileWatchMessage();

// The program's own rewrite of a watched file (a reloaded photo saved back) must not
// look like an outside change: hold one of these around the write. The watches of
// the path are muted meanwhile and take the file's new time when it ends.
class CFileWatchOwnWrite {
 public:
  explicit CFileWatchOwnWrite(const char* path);
  ~CFileWatchOwnWrite();
  CFileWatchOwnWrite(const CFileWatchOwnWrite&) = delete;
  CFileWatchOwnWrite& operator=(const CFileWatchOwnWrite&) = delete;

 private:
  CString m_path;
};
