#pragma once
// Every question and error report of the album services is shown through this one
// function, so that tests can answer in place of a person.
#include <windows.h>

typedef int (*DocumentMessageBoxHook)(const char* text, const char* title, UINT type);

// Shows a message box owned by the active window and returns the button pressed
// (IDYES, IDNO, IDCANCEL, IDOK, ...).
int DocumentMessageBox(const char* text, const char* title, UINT type);

// Routes every later box to the hook; null restores the real message box. Returns
// the hook that was set before.
DocumentMessageBoxHook SetDocumentMessageBoxHook(DocumentMessageBoxHook hook);
