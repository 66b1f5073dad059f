#pragma once
// Texts are kept in the system's code page: a character it has no place for
// would be stored as a look-alike or a "?". The dialogs find those characters
// before anything is stored and tell the user, who corrects the text.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// The characters of text the code page cannot hold, each once, in the order
// they first come, as code points ("U+03BA"), joined by ", "; empty when every
// character fits.
std::string CharactersOutsideCodePage(const std::wstring& text);

// The whole text of a window as typed, before any conversion.
std::wstring WideWindowText(HWND window);

// The message that names them: for each text that holds some, what the text
// is ("Il testo") and its characters as CharactersOutsideCodePage names them.
using UnkeptCharacters = std::vector<std::pair<std::string, std::string>>;
std::string UnkeptCharactersMessage(const UnkeptCharacters& unkept);
