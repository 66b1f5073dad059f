#include "app/support/FailingAllocation.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<DWORD> g_thread{0};
std::atomic<long> g_allowed{-1};
std::atomic<bool> g_happened{false};

void* Allocate(std::size_t size) {
  if (g_thread.load() == ::GetCurrentThreadId() && g_allowed.load() >= 0 && g_allowed.fetch_sub(1) == 0) {
    g_happened = true;
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
}  // namespace

FailingAllocation::FailingAllocation(long allowed) {
  g_happened = false;
  g_allowed = allowed;
  g_thread = ::GetCurrentThreadId();
}

FailingAllocation::~FailingAllocation() {
  g_thread = 0;
  g_allowed = -1;
}

bool FailingAllocation::Happened() { return g_happened; }

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
