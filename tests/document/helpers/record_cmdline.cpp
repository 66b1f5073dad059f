// Stand-in external editor: records the command line it was started with (and how
// its window was asked to show) in record_cmdline.txt in its current folder.
#include <windows.h>

#include <cstdio>

int main() {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  ::GetStartupInfoA(&startup);
  std::FILE* partial = std::fopen("record_cmdline.tmp", "wb");
  if (!partial) return 1;
  std::fprintf(partial, "%s\n%lu %u\n", ::GetCommandLineA(),
               static_cast<unsigned long>(startup.dwFlags & STARTF_USESHOWWINDOW),
               static_cast<unsigned>(startup.wShowWindow));
  std::fclose(partial);
  // Renamed only when complete, so the test never reads half a record.
  return ::MoveFileExA("record_cmdline.tmp", "record_cmdline.txt", MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
