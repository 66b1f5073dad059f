#pragma once
// The system's own text for an error code, to tell the user why something
// the program asked of the system failed.
#include <windows.h>

#include "framework/string_type.h"

// The system's message for the code, without the trailing line break; "System
// error N" when the system has none.
CString SystemMessage(DWORD code);
