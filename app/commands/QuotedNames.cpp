#include "app/commands/QuotedNames.h"

std::string QuotedNames(const std::vector<std::string>& names) {
  constexpr size_t kNamesShown = 10;
  std::string text;
  for (size_t i = 0; i < names.size() && i < kNamesShown; ++i) text += "\n\"" + names[i] + "\"";
  if (names.size() > kNamesShown) text += "\n... (" + std::to_string(names.size()) + " in tutto)";
  return text;
}
