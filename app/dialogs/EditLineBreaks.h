#pragma once
// The album keeps line breaks as "\n"; a multi-line edit box shows and gives
// them as "\r\n".
#include <string>

inline std::string ToEditLineBreaks(const std::string& text) {
  std::string edit;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) edit += '\r';
    edit += text[i];
  }
  return edit;
}

// For the text as the code page holds it, and as typed.
template <class String>
String FromEditLineBreaks(const String& edit) {
  String text;
  for (const auto c : edit)
    if (c != '\r') text += c;
  return text;
}
