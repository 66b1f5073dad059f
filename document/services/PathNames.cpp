#include "document/services/PathNames.h"

#include <cstring>
#include <string>

namespace {
bool IsSeparator(char ch) { return ch == '\\' || ch == '/'; }

char Upper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; }

// Windows opens a device for these whatever the folder and extension: "NUL",
// "con.jpg" and "COM1 .txt" name no file. The ports run from 0 to 9 and also
// take the superscript digits one to three (bytes B9, B2, B3 in the program's
// code page).
bool IsDeviceName(const char* begin, const char* end) {
  const char* stem = begin;
  while (stem != end && *stem != '.') ++stem;
  while (stem != begin && stem[-1] == ' ') --stem;
  std::string base;
  for (const char* p = begin; p != stem; ++p) base += Upper(*p);
  static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
  for (const char* device : kDevices)
    if (base == device) return true;
  if (base.size() != 4 || (base.compare(0, 3, "COM") != 0 && base.compare(0, 3, "LPT") != 0))
    return false;
  const char digit = base[3];
  return (digit >= '0' && digit <= '9') || digit == '\xB9' || digit == '\xB2' || digit == '\xB3';
}

bool IsComponentOk(const char* begin, const char* end) {
  size_t length = static_cast<size_t>(end - begin);
  if (length == 0) return false;
  if (IsDeviceName(begin, end)) return false;
  // Windows drops trailing dots and blanks when it opens a name, so the file
  // opened would not be the name checked; "." and ".." end so too.
  if (end[-1] == '.' || end[-1] == ' ') return false;
  for (const char* p = begin; p != end; ++p) {
    unsigned char ch = static_cast<unsigned char>(*p);
    if (ch < 32 || std::strchr("\\/:*?\"<>|", ch)) return false;
  }
  return true;
}
}  // namespace

bool IsSingleFileName(const char* name) {
  return name && IsComponentOk(name, name + std::strlen(name));
}

bool IsRelativeSubPath(const char* path) {
  if (!path || !*path) return false;
  const char* begin = path;
  for (const char* p = path;; ++p) {
    if (*p == '\0' || IsSeparator(*p)) {
      if (!IsComponentOk(begin, p)) return false;
      if (*p == '\0') return true;
      begin = p + 1;
    }
  }
}

const char* FindFileName(const char* path) {
  const char* name = path;
  for (const char* p = path; *p; ++p)
    if (IsSeparator(*p)) name = p + 1;
  return name;
}

const char* FindExtension(const char* path) {
  const char* name = FindFileName(path);
  const char* dot = std::strrchr(name, '.');
  return dot ? dot : name + std::strlen(name);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || IsSeparator(folder.back())) return folder + name;
  return folder + "\\" + name;
}
