#pragma once
// An edit control of wide characters in place of one a dialog template made.
// A dialog built through the ANSI calls makes its edits for the code page:
// such an edit may hold "?" for a letter the code page lacks before anyone
// reads it, so the check that names those letters would never see them.
#include <windows.h>

// Makes the edit again for wide characters, with its id, place, style, font,
// text, focus and place in the tab order; the old one is destroyed. The new
// handle; the same one when it already is such an edit or cannot be made again.
HWND RemakeEditForWideText(HWND edit);
