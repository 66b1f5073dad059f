#pragma once
// The private memory a process has committed, as its address space shows it:
// what the program itself holds, whatever allocator made it.
#include <windows.h>

#include <cstddef>

size_t CommittedPrivateBytes(HANDLE process = ::GetCurrentProcess());
