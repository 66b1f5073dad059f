#pragma once
// Mouse gestures for tests, posted to a window in the order the system
// delivers them (moves with the button flag while it is held, the double
// click's second press as WM_LBUTTONDBLCLK). Posted rather than sent through
// the system's input: test programs run side by side on one display, and
// another program's window or pointer must not take a gesture. Posted
// messages are handled at the next Flush (a gesture's own functions flush at
// their end), so a tracker's loop finds the release already queued.
#include <windows.h>

#include <functional>

#include "framework/framework.h"

namespace input {
// Dispatches every message already queued for this thread, through the
// windows' own pre-translation (dialog keys).
void Flush();
// Flushes until the condition holds, waiting for messages between rounds (a
// bounded number of them).
void FlushUntil(const std::function<bool()>& done, int rounds = 200);
void MoveTo(HWND hWnd, CPoint client, bool buttonHeld = false);
void Press(HWND hWnd, CPoint client);
void Release(HWND hWnd, CPoint client);
void Drag(HWND hWnd, CPoint from, CPoint to, int steps = 4);
void Click(HWND hWnd, CPoint client);
void DoubleClick(HWND hWnd, CPoint client);
}  // namespace input
