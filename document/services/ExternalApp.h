#pragma once
// The external image editor: its command-line template, built from the text the
// user entered (profile value "ExtAppCmdLine" of "Program Settings"), and the start
// of the editor on a photo.
#include "framework/string_type.h"

// The template from the user's text, trimmed: empty stays empty; every "%1" becomes
// the file's place "%s"; any other text gets " \"%s\"" appended.
CString BuildExtAppCmdLine(const char* text);

// The template from the profile value "ExtAppCmdLine" of "Program Settings".
CString GetExtAppCmdLine();

// True when an external editor is set.
bool HasExtAppCmdLine(const char* cmdLine);

// The command line for a file: every "%s" of the template replaced by the path, as
// plain text; any other "%" of the user's text stays as it is.
CString FormatExtAppCmdLine(const char* cmdLine, const char* filePath);

// Starts the editor on the file, minimised and not active (the keyboard stays
// with the album), and does not wait for it. A program that cannot be started
// is reported in a message box, naming the command and the system's reason,
// and answered false.
bool RunExternalApp(const char* cmdLine, const char* filePath);
