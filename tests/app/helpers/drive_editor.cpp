// Drives the running editor the way a person would, for tools/run:
//   drive_editor make <folder> [<texts>]
//                                writes the sample album below the folder, with
//                                that many texts on its first page, and prints
//                                its project file's path
//   drive_editor demo <folder> <program folder> <photo folder>
//                                writes the demonstration album below the
//                                folder from the program folder's template
//                                and libraries and the sample photos, and
//                                prints its project file's path
//   drive_editor open <project>  waits for the editor's window, chooses
//                                File > Open and types the path into the
//                                file dialog
//   drive_editor drag <x0> <y0> <x1> <y1>
//                                drags with the left button between two
//                                screen points through the system's input
//   drive_editor command <id>    chooses the menu command of that id (a
//                                dialog it opens stays open to be looked at)
//   drive_editor cycles <project> <count> [<marks folder>]
//                                opens the album through File > Apri and closes
//                                it through File > Chiudi that many times, and
//                                prints the editor's memory before the first
//                                open and after each close: committed private,
//                                mapped and image bytes of its address space,
//                                its GDI and USER objects; at each of those
//                                times (and with the album open) it writes
//                                "start", "open-<n>" or "closed-<n>" in the
//                                marks folder and waits until a script reading
//                                the Unix process's memory removes it
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

#include "DemoAlbum.h"
#include "EditorDriving.h"
#include "app/resource.h"
#include "app/support/GeneratedAlbum.h"
#include "app/support/SampleAlbum.h"
#include "document/SposalboException.h"
#include "framework/scripted_ui.h"

namespace {
HWND WaitFor(const char* what, HWND (*find)(HWND), HWND arg) {
  for (int i = 0; i < 300; ++i) {
    if (HWND found = find(arg)) return found;
    ::Sleep(100);
  }
  std::fprintf(stderr, "drive_editor: no %s\n", what);
  return nullptr;
}

// The main window: "Lumivo" without an album, "<name> (<w> x <h>)" with one.
HWND g_editor;
BOOL CALLBACK FindMainWindow(HWND window, LPARAM) {
  char title[256] = "";
  ::GetWindowTextA(window, title, sizeof title);
  const size_t n = std::strlen(title);
  if (::IsWindowVisible(window) && ::GetMenu(window) &&
      (std::strcmp(title, "Lumivo") == 0 || (n > 0 && title[n - 1] == ')' && std::strstr(title, " x ")))) {
    g_editor = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindEditor(HWND) {
  g_editor = nullptr;
  ::EnumWindows(FindMainWindow, 0);
  return g_editor;
}

int Open(const char* project) {
  HWND editor = WaitFor("editor window", FindEditor, nullptr);
  if (!editor) return 1;
  ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(ID_ALBUM_OPEN, 0), 0);
  HWND dialog = WaitFor("file dialog", FindOwnedDialog, editor);
  if (!dialog) return 1;
  AnswerFileDialog(dialog, project);
  return 0;
}
void MouseTo(int x, int y, DWORD buttons) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  ::SendInput(1, &input, sizeof input);
  ::Sleep(100);
}

// A hand's drag: press, a few small moves still over what it took, the way
// across, and the release once the editor holds the mouse.
int Drag(int x0, int y0, int x1, int y1) {
  MouseTo(x0, y0, 0);
  MouseTo(x0, y0, MOUSEEVENTF_LEFTDOWN);
  for (int d : {3, 6, 10}) MouseTo(x0 + (x1 > x0 ? d : -d), y0, 0);
  for (int i = 1; i <= 8; ++i) MouseTo(x0 + (x1 - x0) * i / 8, y0 + (y1 - y0) * i / 8, 0);
  ::Sleep(300);
  MouseTo(x1, y1, MOUSEEVENTF_LEFTUP);
  return 0;
}

int Command(int id) {
  HWND editor = WaitFor("editor window", FindEditor, nullptr);
  if (!editor) return 1;
  ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  return 0;
}

// What the editor holds, as its address space and the system show it.
void PrintMemory(const char* when, HWND editor) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(editor, &id);
  HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
  if (!process) return;
  unsigned long long priv = 0, mapped = 0, image = 0, reserved = 0;
  MEMORY_BASIC_INFORMATION info{};
  uintptr_t at = 0;
  while (::VirtualQueryEx(process, reinterpret_cast<const void*>(at), &info, sizeof info) == sizeof info) {
    if (info.State == MEM_COMMIT)
      (info.Type == MEM_PRIVATE ? priv : info.Type == MEM_MAPPED ? mapped : image) += info.RegionSize;
    if (info.State == MEM_RESERVE) reserved += info.RegionSize;
    const uintptr_t next = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
    if (next <= at) break;
    at = next;
  }
  // Wine answers 0 for both: it does not count them.
  const DWORD gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
  const DWORD user = ::GetGuiResources(process, GR_USEROBJECTS);
  ::CloseHandle(process);
  std::printf("%s: private %llu MB, mapped %llu MB, image %llu MB, reserved %llu MB, gdi %lu, user %lu\n", when,
              priv >> 20, mapped >> 20, image >> 20, reserved >> 20, gdi, user);
  std::fflush(stdout);
}

void WaitIdle(HWND editor) {
  DWORD_PTR result = 0;
  while (!::SendMessageTimeoutA(editor, WM_NULL, 0, 0, SMTO_NORMAL, 100, &result)) {
  }
}

bool TitleHasAlbum(HWND editor) {
  char title[256] = "";
  ::GetWindowTextA(editor, title, sizeof title);
  return std::strstr(title, " x ") != nullptr;
}

// A box the album shows on opening (texts drawn as boxes) is answered OK.
void AnswerBoxes(HWND editor) {
  for (int i = 0; i < 10; ++i) {
    WaitIdle(editor);
    ::Sleep(500);
    HWND box = FindOwnedDialog(editor);
    if (!box) return;
    char caption[128] = "";
    ::GetWindowTextA(box, caption, sizeof caption);
    std::printf("box \"%s\" answered\n", caption);
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
}

// The script reads the Unix process's memory while the file is there: it
// removes the file when done.
void MarkForSampler(const std::string& marks, const std::string& when) {
  if (marks.empty()) return;
  const std::string path = marks + "\\" + when;
  std::ofstream(path).put('\n');
  for (int i = 0; i < 100 && ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) ::Sleep(100);
}

int Cycles(const char* project, int count, const std::string& marks) {
  HWND editor = WaitFor("editor window", FindEditor, nullptr);
  if (!editor) return 1;
  WaitIdle(editor);
  ::Sleep(2000);
  PrintMemory("start", editor);
  MarkForSampler(marks, "start");
  for (int cycle = 1; cycle <= count; ++cycle) {
    ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(ID_ALBUM_OPEN, 0), 0);
    HWND dialog = WaitForOwnedDialog(editor, 30);
    if (!dialog) return 1;
    AnswerFileDialog(dialog, project);
    for (int i = 0; i < 1200 && !TitleHasAlbum(editor); ++i) ::Sleep(100);
    if (!TitleHasAlbum(editor)) return 1;
    AnswerBoxes(editor);
    ::Sleep(2000);
    AnswerBoxes(editor);
    PrintMemory(("open " + std::to_string(cycle)).c_str(), editor);
    MarkForSampler(marks, "open-" + std::to_string(cycle));
    ::PostMessageA(editor, WM_COMMAND, MAKEWPARAM(ID_ALBUM_CLOSE, 0), 0);
    for (int i = 0; i < 600 && TitleHasAlbum(editor); ++i) ::Sleep(100);
    WaitIdle(editor);
    ::Sleep(2000);
    PrintMemory(("closed " + std::to_string(cycle)).c_str(), editor);
    MarkForSampler(marks, "closed-" + std::to_string(cycle));
  }
  return 0;
}

// No box waits for a click on a display nobody watches: what the document
// would have asked or shown is printed.
int Demo(const char* folder, const DemoAlbumSources& sources) {
  CScriptedUi ui;
  try {
    std::printf("%s\n", MakeDemoAlbum(folder, sources).c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "drive_editor: %s\n", e.what());
  } catch (const CSposalboException& e) {
    std::fprintf(stderr, "drive_editor: %s\n", e.message.c_str());
  }
  for (const AfxUiQuestion& question : ui.Questions())
    std::fprintf(stderr, "drive_editor: %s\n", question.text.str().c_str());
  return 1;
}
}  // namespace

int main(int argc, char** argv) {
  if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "make") == 0) {
    ::CreateDirectoryA(argv[2], nullptr);
    SampleAlbum album(argv[2]);
    if (argc == 4 && !AddTextsToCurrentPage(album.ProjectPath(), std::atoi(argv[3]))) return 1;
    std::printf("%s\n", album.ProjectPath().c_str());
    return 0;
  }
  if (argc == 5 && std::strcmp(argv[1], "demo") == 0) return Demo(argv[2], DemoAlbumSources{argv[3], argv[4]});
  if (argc == 3 && std::strcmp(argv[1], "open") == 0) return Open(argv[2]);
  if (argc == 6 && std::strcmp(argv[1], "drag") == 0)
    return Drag(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
  if (argc == 3 && std::strcmp(argv[1], "command") == 0) return Command(std::atoi(argv[2]));
  if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "cycles") == 0)
    return Cycles(argv[2], std::atoi(argv[3]), argc == 5 ? argv[4] : "");
  std::fprintf(stderr,
               "usage: drive_editor make <folder> [texts] | demo <folder> <program folder> <photo folder> | "
               "open <project file> | drag x0 y0 x1 y1 | command id | cycles <project file> count [marks folder]\n");
  return 2;
}
