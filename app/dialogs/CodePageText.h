#pragma once
// Texts are kept in the system's code page: a character it has no place for
// would be stored as a look-alike or a "?". The dialogs find those characters
// before anything is stored and tell the user, who corrects the text.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Where the characters of text the code page cannot hold are, in order, so
// that the user finds them: "carattere 3 (U+03BB)", counted in characters
// from 1, with "riga 2, " before it in a text of several lines; the first
// ones only, then how many in all. Empty when every character fits.
std::string CharactersOutsideCodePage(const std::wstring& text);

// The whole text of a window as typed, before any conversion.
std::wstring WideWindowText(HWND window);

// The message that names them: for each text that holds some, what the text
// is ("Il testo") and its characters as CharactersOutsideCodePage names them.
using UnkeptCharacters = std::vector<std::pair<std::string, std::string>>;
std::string UnkeptCharactersMessage(const UnkeptCharacters& unkept);

// Names of files and folders pass through the code page too, where such a
// character names another file or none. Empty when the name as typed or
// chosen fits; else the message naming its characters, what the name is
// first ("Il nome dello sposalbo"), with what to do instead.
std::string UnusableNameMessage(const std::string& what, const std::wstring& name);
// The same for a path, shown in the code page with a "?" for each of them.
std::string UnusablePathMessage(const std::wstring& path);
