#include "app/commands/QuotedNames.h"

std::string ListedLines(const std::vector<std::string>& lines) {
  constexpr size_t kLinesShown = 10;
  std::string text;
  for (size_t i = 0; i < lines.size() && i < kLinesShown; ++i) text += "\n" + lines[i];
  if (lines.size() > kLinesShown) text += "\n... (" + std::to_string(lines.size()) + " in tutto)";
  return text;
}

std::string QuotedNames(const std::vector<std::string>& names) {
  std::vector<std::string> quoted;
  quoted.reserve(names.size());
  for (const std::string& name : names) quoted.push_back("\"" + name + "\"");
  return ListedLines(quoted);
}
