#pragma once
// Reading the program's XML files (albums, templates, image lists, CD lists).
// The text is measured before the XML library parses it: a file nested deeper
// than kMaxNestingDepth, or one the library would stop the program on, counts
// as a file that cannot be read. The library is used as it is.
#include <string>

class TiXmlDocument;

// False when the file cannot be read, is refused as above, or is no XML
// document; the caller's own failure (its message or its null) follows.
bool LoadXmlFile(const std::string& path, TiXmlDocument& document);
