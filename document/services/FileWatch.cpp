#include "document/services/FileWatch.h"

#include <map>
#include <memory>
#include <vector>

#include "document/services/FileStamp.h"
#include "document/services/PathNames.h"
#include "document/services/Win32Handle.h"

namespace {

struct FILEWATCHITEM {
  CString path;          // a file, or a folder when it ends with a backslash
  CFileStamp stamp;      // empty for a folder watch
  HWND hWndOwner;
  int muted;             // >0 while the program itself rewrites the file
};

// One notification handle per watched folder.
class CChangeNotification {
 public:
  explicit CChangeNotification(HANDLE h) : m_h(h) {}
  ~CChangeNotification() {
    if (m_h != INVALID_HANDLE_VALUE && m_h) ::FindCloseChangeNotification(m_h);
  }
  CChangeNotification(const CChangeNotification&) = delete;
  CChangeNotification& operator=(const CChangeNotification&) = delete;
  HANDLE Get() const { return m_h; }
  bool IsBroken() const { return m_broken; }
  void SetBroken() { m_broken = true; }

 private:
  HANDLE m_h;
  bool m_broken = false;
};

class CLock {
 public:
  CLock() { ::InitializeCriticalSection(&m_cs); }
  ~CLock() { ::DeleteCriticalSection(&m_cs); }
  void Enter() { ::EnterCriticalSection(&m_cs); }
  void Leave() { ::LeaveCriticalSection(&m_cs); }

 private:
  CRITICAL_SECTION m_cs;
};

class CHoldLock {
 public:
  explicit CHoldLock(CLock& lock) : m_lock(lock) { m_lock.Enter(); }
  ~CHoldLock() { m_lock.Leave(); }
  CHoldLock(const CHoldLock&) = delete;
  CHoldLock& operator=(const CHoldLock&) = delete;

 private:
  CLock& m_lock;
};

// A wait holds at most MAXIMUM_WAIT_OBJECTS handles, one of them the wake event.
const size_t kMaxFolders = MAXIMUM_WAIT_OBJECTS - 1;

struct FileWatchState {
  CLock lock;
  std::map<UINT, FILEWATCHITEM> table;
  UINT nextId = 1;
  std::vector<CString> folders;
  std::vector<std::unique_ptr<CChangeNotification>> notifications;  // parallel to folders
  CScopedHandle wake{::CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  bool stop = false;
  CScopedHandle thread;  // the worker; empty while none runs
  UINT message = 0;

  // A worker still running at exit must not outlive the state it uses.
  ~FileWatchState() {
    if (!thread.IsValid()) return;
    lock.Enter();
    stop = true;
    ::SetEvent(wake.Get());
    lock.Leave();
    ::WaitForSingleObject(thread.Get(), INFINITE);
  }
};

FileWatchState& State() {
  static FileWatchState state;
  return state;
}

CString FolderOf(const CString& path) {
  const char* name = FindFileName(path);
  return CString(path.GetString(), static_cast<int>(name - path.GetString()));
}

bool IsFolderWatch(const CString& path) {
  return !path.IsEmpty() && (path[path.GetLength() - 1] == '\\' || path[path.GetLength() - 1] == '/');
}

// False while no file lies there (between an editor's delete and create). The
// stamp is read without opening the file: a file open here, even for a moment,
// cannot be replaced, and an editor renaming its new file over it fails to save.
bool ReadStamp(const char* path, CFileStamp& stamp) {
  stamp = ReadFileStamp(path);
  return stamp.exists;
}

void NotifyFolder(FileWatchState& state, const CString& folder) {
  for (auto& [id, item] : state.table) {
    if (FolderOf(item.path) != folder) continue;
    CFileStamp stamp;
    if (!IsFolderWatch(item.path)) {
      if (item.muted) continue;
      if (!ReadStamp(item.path, stamp) || stamp == item.stamp) continue;
    }
    if (item.hWndOwner) ::PostMessageA(item.hWndOwner, state.message, id, 0);
    item.stamp = stamp;
  }
}

void WatchFolders(FileWatchState& state) {
  // The wait list and, parallel to it, the index of each handle's folder (the wake
  // event has none).
  std::vector<HANDLE> waitList{state.wake.Get()};
  std::vector<size_t> waitFolder{0};
  for (;;) {
    DWORD result = ::WaitForMultipleObjects(static_cast<DWORD>(waitList.size()), waitList.data(),
                                            FALSE, INFINITE);
    CHoldLock hold(state.lock);
    if (state.stop) break;
    if (result == WAIT_OBJECT_0) {
      ::ResetEvent(state.wake.Get());
      waitList.assign(1, state.wake.Get());
      waitFolder.assign(1, 0);
      for (size_t i = 0; i < state.notifications.size(); ++i) {
        if (state.notifications[i]->IsBroken()) continue;
        waitList.push_back(state.notifications[i]->Get());
        waitFolder.push_back(i);
      }
    } else if (result > WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + waitList.size()) {
      size_t k = result - WAIT_OBJECT_0;
      size_t folder = waitFolder[k];
      // Waiting again before the files are looked at: a change made while
      // they are (an editor's rename right after its write) signals anew
      // instead of falling between the look and the next wait.
      const bool waitsAgain = ::FindNextChangeNotification(waitList[k]) != FALSE;
      NotifyFolder(state, state.folders[folder]);
      if (!waitsAgain) {
        // A folder that went away would signal for ever: stop waiting on it.
        state.notifications[folder]->SetBroken();
        waitList.erase(waitList.begin() + k);
        waitFolder.erase(waitFolder.begin() + k);
      }
    } else {
      // A failed wait must not spin: wait for the next wake-up only.
      waitList.assign(1, state.wake.Get());
      waitFolder.assign(1, 0);
    }
  }
}

DWORD WINAPI FileWatchThread(LPVOID) {
  FileWatchState& state = State();
  // Nothing may leave a thread's body: a watch that failed (out of memory)
  // reports no more changes, and the worker ends as if stopped.
  try {
    WatchFolders(state);
  } catch (...) {
  }
  CHoldLock hold(state.lock);
  state.notifications.clear();
  state.folders.clear();
  state.table.clear();
  return 0;
}

}  // namespace

UINT GetFileWatchMessage() {
  FileWatchState& state = State();
  CHoldLock hold(state.lock);
  if (!state.message) state.message = ::RegisterWindowMessageA(FILEWATCH_MESSAGE_NAME);
  return state.message;
}

UINT AddFileWatch(const char* path, HWND hWndOwner) {
  FileWatchState& state = State();
  if (!path || !*path) return 0;
  CString watched(path);
  CString folder = FolderOf(watched);
  if (folder.IsEmpty()) return 0;

  CHoldLock hold(state.lock);
  // Without its wake event the worker's every wait would fail at once and spin.
  if (!state.wake.IsValid()) return 0;
  CFileStamp stamp;
  if (!IsFolderWatch(watched) && !ReadStamp(watched, stamp)) return 0;
  if (!state.message) state.message = ::RegisterWindowMessageA(FILEWATCH_MESSAGE_NAME);

  bool known = false;
  for (const CString& f : state.folders) known = known || f == folder;
  if (!known) {
    if (state.folders.size() >= kMaxFolders) return 0;
    HANDLE h = ::FindFirstChangeNotificationA(
        folder, FALSE,
        // Names too: a file renamed over a watched one changes it.
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
            FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (h == INVALID_HANDLE_VALUE || !h) return 0;
    state.folders.push_back(folder);
    state.notifications.push_back(std::make_unique<CChangeNotification>(h));
    ::SetEvent(state.wake.Get());
  }

  UINT id = state.nextId++;
  state.table[id] = FILEWATCHITEM{watched, stamp, hWndOwner, 0};

  if (!state.thread.IsValid()) {
    state.stop = false;
    ::SetEvent(state.wake.Get());
    HANDLE thread = ::CreateThread(nullptr, 0, FileWatchThread, nullptr, CREATE_SUSPENDED, nullptr);
    if (!thread) {
      state.table.erase(id);
      return 0;
    }
    ::SetThreadPriority(thread, THREAD_PRIORITY_LOWEST);
    state.thread.Reset(thread);
    ::ResumeThread(thread);
  }
  return id;
}

void StopFileWatch() {
  FileWatchState& state = State();
  HANDLE thread;
  {
    CHoldLock hold(state.lock);
    if (!state.thread.IsValid()) return;
    state.stop = true;
    ::SetEvent(state.wake.Get());
    thread = state.thread.Get();
  }
  // Only this (user-interface) thread starts and stops the worker, so the handle
  // stays ours while we wait without the lock.
  ::WaitForSingleObject(thread, INFINITE);
  CHoldLock hold(state.lock);
  state.thread.Reset();
  state.table.clear();
  state.notifications.clear();
  state.folders.clear();
}

bool GetFileWatchPath(UINT id, CString& path) {
  FileWatchState& state = State();
  CHoldLock hold(state.lock);
  auto it = state.table.find(id);
  if (it == state.table.end()) return false;
  path = it->second.path;
  return true;
}

CFileWatchOwnWrite::CFileWatchOwnWrite(const char* path) : m_path(path ? path : "") {
  FileWatchState& state = State();
  CHoldLock hold(state.lock);
  for (auto& [id, item] : state.table)
    if (item.path.CompareNoCase(m_path) == 0) ++item.muted;
}

CFileWatchOwnWrite::~CFileWatchOwnWrite() {
  FileWatchState& state = State();
  CHoldLock hold(state.lock);
  for (auto& [id, item] : state.table) {
    if (item.path.CompareNoCase(m_path) != 0 || item.muted == 0) continue;
    CFileStamp stamp;
    if (ReadStamp(item.path, stamp)) item.stamp = stamp;
    --item.muted;
  }
}
