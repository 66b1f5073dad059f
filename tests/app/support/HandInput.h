#pragma once
// The system's own input (SendInput) for the real frame of a test program. A
// second thread, the hand, presses keys and moves the mouse while the test's
// thread runs the program's message loop, or whatever loop a menu, a drag or
// a dialog runs inside it: every loop gets its input as a user gives it, and
// keys pass the frame's accelerators. The test program has a desktop of its
// own, so the frame must be shown and in front.
#include <windows.h>

#include <functional>
#include <initializer_list>

namespace hand {
// Runs the steps on the hand's thread while this thread handles its messages
// (with the application's pre-translation and idle work) until they end.
void Perform(const std::function<void()>& steps);
// The same while this thread runs the work (a dialog's own modal loop) and,
// once it ends, handles its messages until the steps end too.
void PerformDuring(const std::function<void()>& work, const std::function<void()>& steps);

// Steps, for the hand's thread. Each one waits until the user-interface thread
// has taken what it caused (mouse points in screen coordinates).
void MoveTo(POINT screen);
void Press();
void Release();
void Click(POINT screen);
// A press carried the distance in a few moves, then let go.
void Drag(POINT from, POINT to);
// Characters typed as a keyboard of any language gives them, one by one.
void Type(const wchar_t* text);
void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);
// The keys pressed in order and let go in the reverse order (Alt+Backspace).
void Keys(std::initializer_list<WORD> virtualKeys);
// The same, held until what they cause shows (a menu opening); true once it
// did. Whenever a window of the program gains the focus, the display tells it
// which keys are down, and it knows nothing of the keys the hand pressed: a
// chord cut short that way is pressed again.
bool Chord(std::initializer_list<WORD> virtualKeys, const std::function<bool()>& shown);

// What the user-interface thread shows: its capture, focus, menu mode.
GUITHREADINFO Ui();
bool InMenu();
// Polls the condition (reading only what another thread may read) for about
// that many seconds; false when it never held.
bool WaitUntil(const std::function<bool()>& condition, int seconds = 10);
}  // namespace hand
