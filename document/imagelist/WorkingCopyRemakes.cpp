#include "document/imagelist/WorkingCopyRemakes.h"

#include <algorithm>
#include <utility>

#include "document/imagelist/WorkingCopy.h"
#include "render/PictureCache.h"

namespace {
// Photos decoded at once: bounds the memory a 32-bit process gives to them.
constexpr unsigned kMostWorkers = 4;

volatile HANDLE g_hold = nullptr;

unsigned WorkerCount(size_t remakes) {
  SYSTEM_INFO system{};
  ::GetSystemInfo(&system);
  const unsigned cores = std::max<DWORD>(1, system.dwNumberOfProcessors);
  return static_cast<unsigned>(std::min<size_t>({cores, kMostWorkers, remakes}));
}

// Each remake is written by one worker only.
void Remake(WorkingCopyRemake& remake) {
  // Nothing may leave a thread's body: a picture too large for the memory
  // left keeps the copy it had.
  try {
    remake.result = RemakeWorkingCopyFiles(remake.reference.c_str(), remake.working.c_str(), &remake.madeFrom,
                                           &remake.madeFromDigest);
    if (remake.result == RemakeResult::kNotWritten) remake.writeError = ::GetLastError();
  } catch (...) {
    remake.result = RemakeResult::kNotWritten;
    remake.writeError = ERROR_NOT_ENOUGH_MEMORY;
  }
}
}  // namespace

CWorkingCopyRemakes::CWorkingCopyRemakes(std::vector<WorkingCopyRemake> remakes)
    : m_remakes(std::move(remakes)),
      m_finished(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  // Without the event nobody could wait for workers: the work is done here.
  const unsigned workers = m_finished.IsValid() ? WorkerCount(m_remakes.size()) : 0;
  m_running = static_cast<LONG>(workers);
  for (unsigned i = 0; i < workers; ++i) {
    CScopedHandle worker(::CreateThread(nullptr, 0, WorkerMain, this, 0, nullptr));
    if (worker.IsValid())
      m_workers.push_back(std::move(worker));
    else if (::InterlockedDecrement(&m_running) == 0)
      ::SetEvent(m_finished.Get());
  }
  // No thread to be had: the work is done here, before the caller waits.
  if (m_workers.empty()) {
    m_running = 1;
    Work();
  }
}

CWorkingCopyRemakes::~CWorkingCopyRemakes() {
  ::InterlockedExchange(&m_stop, 1);
  for (const CScopedHandle& worker : m_workers) ::WaitForSingleObject(worker.Get(), INFINITE);
}

DWORD WINAPI CWorkingCopyRemakes::WorkerMain(void* self) {
  static_cast<CWorkingCopyRemakes*>(self)->Work();
  return 0;
}

void CWorkingCopyRemakes::Work() {
  for (;;) {
    if (m_stop) break;
    if (HANDLE hold = g_hold) ::WaitForSingleObject(hold, INFINITE);
    const LONG index = ::InterlockedIncrement(&m_next) - 1;
    if (index >= static_cast<LONG>(m_remakes.size())) break;
    Remake(m_remakes[static_cast<size_t>(index)]);
    ::InterlockedIncrement(&m_done);
  }
  if (::InterlockedDecrement(&m_running) == 0) ::SetEvent(m_finished.Get());
}

std::vector<WorkingCopyRemake> CWorkingCopyRemakes::Wait() {
  for (const CScopedHandle& worker : m_workers) ::WaitForSingleObject(worker.Get(), INFINITE);
  // A page showing a copy reads it again, not what the old file told.
  for (const WorkingCopyRemake& remake : m_remakes) PictureCache::Instance().ForgetFile(remake.working);
  return std::move(m_remakes);
}

HANDLE HoldWorkingCopyRemakes(HANDLE until) {
  HANDLE before = g_hold;
  g_hold = until;
  return before;
}
