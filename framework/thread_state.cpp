#include "framework/thread_state.h"

#include <atomic>
#include <cstdlib>

namespace {

// The process's one TLS slot for the records, taken on first use.
std::atomic<DWORD> g_recordSlot{TLS_OUT_OF_INDEXES};

DWORD RecordSlot() {
  DWORD slot = g_recordSlot.load();
  if (slot != TLS_OUT_OF_INDEXES) return slot;
  const DWORD fresh = ::TlsAlloc();
  if (fresh == TLS_OUT_OF_INDEXES) std::abort();  // no thread could keep any state
  if (g_recordSlot.compare_exchange_strong(slot, fresh)) return fresh;
  ::TlsFree(fresh);  // another thread was first
  return slot;
}

// The record of the calling thread, or null. TlsGetValue clears the last
// error, which callers of the layer may still want to read.
AfxThreadState* CurrentRecord(DWORD slot) {
  const DWORD lastError = ::GetLastError();
  auto* state = static_cast<AfxThreadState*>(::TlsGetValue(slot));
  ::SetLastError(lastError);
  return state;
}

// By index: freeing a temporary may make data of another kind, which grows the
// list (the objects themselves stay where they are).
void AfxFreeTemporaries(AfxThreadState& state) {
  for (size_t i = 0; i < state.m_data.size(); ++i)
    if (CThreadData* data = state.m_data[i].get()) data->FreeTemporaries();
}

void NTAPI FreeRecordAtThreadExit(PVOID, DWORD reason, PVOID) {
  if (reason != DLL_THREAD_DETACH && reason != DLL_PROCESS_DETACH) return;
  if (g_recordSlot.load() != TLS_OUT_OF_INDEXES) AfxFreeThreadState();
}

// The main thread's record goes at exit after every other global of the
// program, whose destructors may still use it: made before them all, this
// object is destroyed after them all (the thread-exit callback does not run
// for the main thread on every system).
struct CMainThreadRecordKeeper {
  CMainThreadRecordKeeper() = default;
  CMainThreadRecordKeeper(const CMainThreadRecordKeeper&) = delete;
  CMainThreadRecordKeeper& operator=(const CMainThreadRecordKeeper&) = delete;
  ~CMainThreadRecordKeeper() { AfxFreeThreadState(); }
};
CMainThreadRecordKeeper g_mainThreadRecordKeeper __attribute__((init_priority(101)));

}  // namespace

// The loader calls the image's TLS callbacks at every thread's end (and at the
// process's, for the thread that ends it); the toolchain's start-up code lists
// the callbacks of the .CRT$XL* sections in name order. This one comes first,
// so the record goes while the runtime's own per-thread state is still whole.
extern "C" {
extern PIMAGE_TLS_CALLBACK afx_free_thread_state_callback;
__attribute__((section(".CRT$XLB"), used)) PIMAGE_TLS_CALLBACK afx_free_thread_state_callback =
    FreeRecordAtThreadExit;
}

AfxThreadState::~AfxThreadState() {
  // Temporaries first, while every map can still take back its handles; then
  // the data, last made first gone, with the record marked as going so that
  // nothing asks it for new data meanwhile.
  AfxFreeTemporaries(*this);
  m_bEnding = true;
  while (!m_data.empty()) {
    std::unique_ptr<CThreadData> last = std::move(m_data.back());
    m_data.pop_back();
  }
}

AfxThreadState& AfxGetThreadState() {
  const DWORD slot = RecordSlot();
  if (AfxThreadState* state = CurrentRecord(slot)) return *state;
  auto* state = new AfxThreadState;
  ::TlsSetValue(slot, state);
  return *state;
}

void AfxFreeThreadState() {
  const DWORD slot = RecordSlot();
  AfxThreadState* state = CurrentRecord(slot);
  if (!state) return;
  // The record stays findable while it frees its data: a temporary's
  // destructor may look at its map.
  delete state;
  ::TlsSetValue(slot, nullptr);
}

void AfxDeleteTempMaps() { AfxFreeTemporaries(AfxGetThreadState()); }

size_t AfxAllocThreadDataIndex() {
  static std::atomic<size_t> next{0};
  return next++;
}
