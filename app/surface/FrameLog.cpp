#include "app/surface/FrameLog.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {
const std::string& LogPath() {
  static const std::string path = [] {
    char value[MAX_PATH] = "";
    const DWORD length = ::GetEnvironmentVariableA("LUMIVO_FRAME_LOG", value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(value) : std::string();
  }();
  return path;
}
}  // namespace

void LogPageShown(int pageIndex, const void* page) {
  static int last = -2;
  static const void* lastPage = nullptr;
  if (LogPath().empty() || (pageIndex == last && page == lastPage)) return;
  last = pageIndex;
  lastPage = page;
  if (FILE* file = std::fopen(LogPath().c_str(), "a")) {
    char line[64];
    const int length = std::snprintf(line, sizeof line, "%lu %d\n", ::GetTickCount(), pageIndex);
    std::fwrite(line, 1, static_cast<size_t>(length), file);
    std::fclose(file);
  }
}
