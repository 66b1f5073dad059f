#pragma once
// Real mouse input for tests: the system sees held buttons as a user's. It is
// queued and handled at the next Flush (a gesture's own functions flush at
// their end): a tracker's loop must find the release already queued.
#include <windows.h>

#include <functional>

#include "framework/framework.h"

namespace input {
// Dispatches every message already queued for this thread, through the
// windows' own pre-translation (dialog keys).
void Flush();
// Flushes until the condition holds, waiting for input between rounds (a
// bounded number of them).
void FlushUntil(const std::function<bool()>& done, int rounds = 200);
void MoveTo(HWND hWnd, CPoint client);
void Press(HWND hWnd, CPoint client);
void Release(HWND hWnd, CPoint client);
void Drag(HWND hWnd, CPoint from, CPoint to, int steps = 4);
void Click(HWND hWnd, CPoint client);
void DoubleClick(HWND hWnd, CPoint client);
}  // namespace input
