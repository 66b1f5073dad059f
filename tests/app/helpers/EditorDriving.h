#pragma once
// What the helper programs that drive the real editor share: finding the
// dialog a command opened and answering its file dialog.
#include <windows.h>

// The visible dialog the window owns, or null.
HWND FindOwnedDialog(HWND owner);
// The same, waited for up to `seconds`.
HWND WaitForOwnedDialog(HWND owner, int seconds);
// Types the text into the file dialog's name box and presses its OK.
void AnswerFileDialog(HWND dialog, const char* text);
