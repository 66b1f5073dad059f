#pragma once
// Reading and writing the program's XML files (albums, templates, image lists,
// CD lists, font lists). The text is measured before the XML library parses
// it: a file nested deeper than kMaxNestingDepth, or a declaration of nothing
// but white space, counts as a file that cannot be read.
#include <string>

class TiXmlDocument;

// The text of a document as every writer of the program saves it, without a
// declaration, so it is read back byte for byte in the program's code page.
// Every value is escaped whatever it holds ('&' always, "&#x41;" included,
// '<', '>', both quotes, control characters as references), so reading the
// text gives back the same characters and the same elements.
std::string XmlText(const TiXmlDocument& document);

// False when the file cannot be read, is refused as above, or is no XML
// document; the caller's own failure (its message or its null) follows.
bool LoadXmlFile(const std::string& path, TiXmlDocument& document);
