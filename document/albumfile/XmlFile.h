#pragma once
// Reading and writing the program's XML files (albums, templates, image lists,
// CD lists, font lists). The text is measured before the XML library parses
// it: a file nested deeper than kMaxNestingDepth, or a declaration of nothing
// but white space, counts as a file that cannot be read.
#include <cstddef>
#include <string>

class TiXmlDocument;

// The text of a document as every writer of the program saves it, without a
// declaration, so it is read back byte for byte in the program's code page.
// Every value is escaped whatever it holds ('&' always, "&#x41;" included,
// '<', '>', both quotes, control characters as references), so reading the
// text gives back the same characters and the same elements.
std::string XmlText(const TiXmlDocument& document);

// The most elements a file may hold. An album holds an element for each of
// its objects, a real one some thousands; counted before the parse, the
// ceiling keeps a file from outside from taking all the program's memory.
constexpr size_t kMaxXmlElements = 50000;

enum class XmlRead { kRead, kUnreadable, kNotXml, kTooDeep, kTooManyElements, kEmpty, kTooLarge };

// kUnreadable when the file cannot be opened or read; kNotXml when its text
// is no XML document (cut short, or damaged), the document then holding the
// parser's row and column; kTooDeep when nested deeper than kMaxNestingDepth;
// kTooManyElements when it holds more than kMaxXmlElements; kEmpty for a
// file of no byte; kTooLarge when memory runs out while it is read or parsed.
XmlRead ReadXmlFile(const std::string& path, TiXmlDocument& document);

// Whether ReadXmlFile read the file; else the caller's own failure (its
// message or its null) follows.
bool LoadXmlFile(const std::string& path, TiXmlDocument& document);
