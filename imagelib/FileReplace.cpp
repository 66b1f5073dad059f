#include "imagelib/FileReplace.h"

#include <windows.h>

#include "imagelib/ByteSink.h"

namespace {
std::string ReplacementOf(const std::string& path) { return path + ".new"; }
}  // namespace

bool ReplaceFileWith(const std::string& path,
                     const std::function<bool(const std::string& temporary)>& writeTemporary) {
  const std::string temporary = ReplacementOf(path);
  if (writeTemporary(temporary) &&
      ::MoveFileExA(temporary.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  // The caller tells the user why the write failed, not why the cleaning did.
  const DWORD error = ::GetLastError();
  ::DeleteFileA(temporary.c_str());
  ::SetLastError(error);
  return false;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  img::FileSink file;
  if (!file.Open(path, false)) return false;
  const bool written = file.Write(bytes.data(), bytes.size());
  return file.Close() && written;
}

bool ReplaceFileWithBytes(const std::string& path, const std::string& bytes) {
  return ReplaceFileWith(path, [&](const std::string& temporary) { return WriteWholeFile(temporary, bytes); });
}

void RemoveLeftoverReplacement(const std::string& path) { ::DeleteFileA(ReplacementOf(path).c_str()); }
