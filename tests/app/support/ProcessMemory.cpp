#include "app/support/ProcessMemory.h"

#include <cstdint>

size_t CommittedPrivateBytes(HANDLE process) {
  size_t total = 0;
  MEMORY_BASIC_INFORMATION info{};
  uintptr_t at = 0;
  while (::VirtualQueryEx(process, reinterpret_cast<const void*>(at), &info, sizeof info) == sizeof info) {
    if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
    const uintptr_t next = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
    if (next <= at) break;  // the top of the address space
    at = next;
  }
  return total;
}
