#pragma once
// Names the user is told about, in a message box of bounded size.
#include <string>
#include <vector>

// The first lines, one a line, and how many there are in all.
std::string ListedLines(const std::vector<std::string>& lines);

// The first names, one a line in quotes, and how many there are in all.
std::string QuotedNames(const std::vector<std::string>& names);
