#pragma once
// Line layout of a multi-line page text.
#include <string>
#include <vector>

// The lines of a text split at each "\n"; an empty line becomes " " so it
// still takes its height. No text gives no line.
std::vector<std::string> SplitTextLines(const char* text);

// Vertical offsets of count lines stacked 1.5 line heights apart: the last
// line at 0, each earlier one a step above the next.
std::vector<float> LineOffsets(int count, float lineHeight);
