#pragma once
// Per-thread state of the layer: the message being handled, the window being
// created, the menu being tracked (read by owner-drawn menus to find the menu of
// an item), and the per-thread objects of other parts of the layer (the handle
// maps with their temporaries, the registered window classes).
//
// Each thread's record sits in one Win32 TLS slot: made on first use, freed by
// the layer's own thread-exit callback, whichever way the thread was started.
// The main thread's record is freed when the process ends, after the program's
// globals, which may still use it from their destructors. The layer keeps no
// C++ thread_local object with a destructor: with this toolchain those are
// destroyed after their storage has been freed, inside the loader's thread-exit
// call, where a fault is swallowed and leaves the runtime's locks held.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

class CWnd;
class CWinThread;

// Base of the objects a thread's record owns for other parts of the layer.
class CThreadData {
 public:
  CThreadData() = default;
  CThreadData(const CThreadData&) = delete;
  CThreadData& operator=(const CThreadData&) = delete;
  virtual ~CThreadData() = default;
  // Frees what was made for the moment only (temporary handle wrappers).
  virtual void FreeTemporaries() {}
};

struct AfxThreadState {
  AfxThreadState() = default;
  AfxThreadState(const AfxThreadState&) = delete;
  AfxThreadState& operator=(const AfxThreadState&) = delete;
  ~AfxThreadState();

  MSG m_lastSentMsg{};                // the message the innermost window procedure handles
  CWnd* m_pWndInit = nullptr;         // object waiting for its window (creation hook)
  HHOOK m_hHookCbt = nullptr;
  HWND m_hTrackingWindow = nullptr;   // owner of the popup menu being tracked
  HMENU m_hTrackingMenu = nullptr;    // the popup menu being tracked
  CWinThread* pThread = nullptr;
  int nModalDepth = 0;
  bool m_bEnding = false;             // the record is being freed: its data is going
  std::vector<std::unique_ptr<CThreadData>> m_data;  // by CPerThread index
};

// The calling thread's record, made on first use.
AfxThreadState& AfxGetThreadState();
// Frees the calling thread's record now (the thread-exit callback does it for
// every thread; a later use makes a fresh record).
void AfxFreeThreadState();
void AfxDeleteTempMaps();

size_t AfxAllocThreadDataIndex();

// One T (a CThreadData) per thread, in the thread's record. A function-local
// static of this type has no destructor to run at exit.
template <class T>
class CPerThread {
 public:
  CPerThread() : m_index(AfxAllocThreadDataIndex()) {}

  // The calling thread's T, made with args on first use; null while the
  // thread's record is being freed.
  template <class... Args>
  T* Get(Args&&... args) const {
    AfxThreadState& state = AfxGetThreadState();
    if (state.m_bEnding) return nullptr;
    if (state.m_data.size() <= m_index) state.m_data.resize(m_index + 1);
    std::unique_ptr<CThreadData>& slot = state.m_data[m_index];
    if (!slot) slot = std::make_unique<T>(std::forward<Args>(args)...);
    return static_cast<T*>(slot.get());
  }

 private:
  size_t m_index;
};
