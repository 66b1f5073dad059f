#pragma once
// Every question and error report of the album services is shown through the
// framework's UI seam, so that tests can answer in place of a person.
#include <windows.h>

// Shows a message box with its own title, owned by the main window, and returns
// the button pressed (IDYES, IDNO, IDCANCEL, IDOK, ...).
int DocumentMessageBox(const char* text, const char* title, UINT type);
