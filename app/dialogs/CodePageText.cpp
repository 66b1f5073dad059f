#include "app/dialogs/CodePageText.h"

#include <cstdio>

#include "framework/ui_seam.h"

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

// The UTF-16 units of the character at i: two for a surrogate pair.
int UnitsAt(const std::wstring& text, size_t i) {
  return IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
}

// "U+03BA": the character's code point, of one unit or a surrogate pair.
std::string CodeName(const wchar_t* units, bool pair) {
  const unsigned long code =
      pair ? 0x10000ul + ((static_cast<unsigned long>(units[0]) - 0xD800) << 10) + (units[1] - 0xDC00) : units[0];
  char name[16];
  std::snprintf(name, sizeof name, "U+%04lX", code);
  return name;
}
}  // namespace

std::string CharactersOutsideCodePage(const std::wstring& text) {
  constexpr size_t kPlacesNamed = 10;
  const bool lines = text.find_first_of(L"\r\n") != std::wstring::npos;
  std::string named;
  size_t found = 0, line = 1, column = 0;
  for (size_t i = 0; i < text.size();) {
    if (text[i] == L'\r' || text[i] == L'\n') {
      // "\r\n" is one line break.
      i += text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n' ? 2 : 1;
      ++line;
      column = 0;
      continue;
    }
    const int count = UnitsAt(text, i);
    const bool pair = count == 2;
    ++column;  // a pair of units is one character
    if (!Fits(&text[i], count) && ++found <= kPlacesNamed) {
      if (!named.empty()) named += lines ? "; " : ", ";
      if (lines) named += "riga " + std::to_string(line) + ", ";
      named += "carattere " + std::to_string(column) + " (" + CodeName(&text[i], pair) + ")";
    }
    i += static_cast<size_t>(count);
  }
  if (found > kPlacesNamed) named += (lines ? "; ... (" : ", ... (") + std::to_string(found) + " in tutto)";
  return named;
}

std::wstring WideWindowText(HWND window) {
  const int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(window, &text[0], length + 1)));
  return text;
}

namespace {
std::string Named(const std::string& what, const char* cannot, const std::string& where) {
  return what + " contiene caratteri che " + cannot + ": " + where + ".\n";
}
}  // namespace

std::string UnkeptCharactersMessage(const UnkeptCharacters& unkept) {
  std::string message;
  for (const auto& text : unkept) message += Named(text.first, "non possono essere salvati", text.second);
  return message + "Correggere il testo.";
}

std::string UnusableNameMessage(const std::string& what, const std::wstring& name) {
  const std::string where = CharactersOutsideCodePage(name);
  if (where.empty()) return where;
  // The letters the code page holds are those of the system's setting for
  // programs that are not Unicode.
  return Named(what, "il programma non pu\xf2 usare", where) +
         "Usare nomi di cartelle e file scritti solo con le lettere della lingua per i programmi non Unicode "
         "di Windows.";
}

std::string UnusablePathMessage(const std::wstring& path) {
  // The system would show a look-alike for some letters ("a" for alpha, the
  // micro sign for mu), which reads as a letter that is fine: each one the
  // code page lacks is a "?", at the place the message names.
  std::string shown;
  for (size_t i = 0; i < path.size();) {
    const int count = UnitsAt(path, i);
    shown += Fits(&path[i], count) ? AfxNarrow(path.substr(i, static_cast<size_t>(count))) : "?";
    i += static_cast<size_t>(count);
  }
  return UnusableNameMessage("Il percorso " + shown, path);
}
