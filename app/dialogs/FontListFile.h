#pragma once
// The font list file (*.sfl): the face names of the TrueType fonts installed
// on a computer, as <fonts><font name="..."/>...</fonts> without an XML
// declaration. A laboratory writes its own so that an album's export carries
// only the fonts the laboratory lacks.
#include <windows.h>

#include <string>
#include <vector>

// The face names of the TrueType fonts the device context knows, each once,
// in the order the system first enumerates them.
std::vector<std::string> EnumTrueTypeFaces(HDC hdc);

// False when the file could not be written.
bool WriteFontList(const std::string& path, const std::vector<std::string>& faces);

// The "name" of every child element of the file's first element, whatever
// the names of the elements; empty when the file cannot be read.
std::vector<std::string> ReadFontList(const std::string& path);
