#include "app/dialogs/CustomGraphicsFolder.h"

#include <windows.h>

namespace {
// A folder made when missing; false, with the system's error left, when it
// is still no folder.
bool EnsureFolder(const std::string& path) {
  if (::CreateDirectoryA(path.c_str(), nullptr)) return true;
  const DWORD error = ::GetLastError();
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  ::SetLastError(error == ERROR_ALREADY_EXISTS ? ERROR_DIRECTORY : error);
  return false;
}
}  // namespace

bool MakeCustomFolders(const std::string& folder) {
  // A drive or a share named on the way simply refuses to be made.
  for (size_t at = folder.find_first_of("\\/", 1); at != std::string::npos;
       at = folder.find_first_of("\\/", at + 1))
    ::CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
  if (!EnsureFolder(folder)) return false;
  for (const char* kind : {"image", "frame", "effect"}) {
    const std::string base = folder + "\\" + kind;
    if (!EnsureFolder(base) || !EnsureFolder(base + "\\highres") || !EnsureFolder(base + "\\lowres")) return false;
  }
  return EnsureFolder(folder + "\\template");
}
