#pragma once
// Checks for names that come from files the user or the laboratory hands us
// (immagini.xml, cd.xml): such a name may only ever point inside its folder.

// True for one path component: not empty, not ending in a dot or a blank (so
// neither "." nor ".."), no device name ("NUL", "con.jpg", "COM0", or a port
// numbered with a superscript digit), and free of \ / : * ? " < > | and
// control characters.
bool IsSingleFileName(const char* name);

// True for a relative path below a folder: one or more single file names joined by
// backslashes (or slashes); never absolute, never with a drive or a ".." step.
bool IsRelativeSubPath(const char* path);

// The extension of the last component of a path, the "." included; empty when the
// last component has no ".".
const char* FindExtension(const char* path);

// The last component of a path (after the last backslash or slash).
const char* FindFileName(const char* path);

#include <string>

// folder + "\" + name, without doubling a backslash the folder already ends with.
std::string JoinPath(const std::string& folder, const std::string& name);
