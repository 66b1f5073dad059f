#include "imagelib/FileReplace.h"

#include <windows.h>

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
  ::DeleteFileA(temporary.c_str());
  return false;
}

void RemoveLeftoverReplacement(const std::string& path) { ::DeleteFileA(ReplacementOf(path).c_str()); }
