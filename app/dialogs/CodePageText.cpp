#include "app/dialogs/CodePageText.h"

#include <cstdio>
#include <set>

namespace {
// Whether the code page holds these UTF-16 units (one character) as they are.
bool Fits(const wchar_t* units, int count) {
  // A system whose code page is UTF-8 holds every character (and takes no
  // default-character flag).
  if (::GetACP() == CP_UTF8) return true;
  BOOL usedDefault = FALSE;
  char converted[8];
  const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, units, count, converted, sizeof converted,
                                      nullptr, &usedDefault);
  return n > 0 && !usedDefault;
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

std::string CharactersOutsideCodePage(const std::wstring& text) {
  std::string named;
  std::set<unsigned long> seen;
  for (size_t i = 0; i < text.size();) {
    const bool pair = IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
    const int count = pair ? 2 : 1;
    const unsigned long code =
        pair ? 0x10000ul + ((static_cast<unsigned long>(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00) : text[i];
    if (!Fits(&text[i], count) && seen.insert(code).second) {
      char name[16];
      std::snprintf(name, sizeof name, "U+%04lX", code);
      named += (named.empty() ? "" : ", ") + std::string(name);
    }
    i += static_cast<size_t>(count);
  }
  return named;
}

std::wstring WideWindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, &text[0], length + 1)));
  return text;
}

std::string UnkeptCharactersMessage(const UnkeptCharacters& unkept) {
  std::string message;
  for (const auto& text : unkept)
    message += text.first + " contiene caratteri che non possono essere salvati: " + text.second + ".\n";
  return message + "Correggere il testo.";
}
