#include "scenario/EditorProcess.h"

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <cmath>
#include <cstring>

namespace scenario {

bool WaitUntil(const std::function<bool()>& condition, int tenthsOfASecond) {
  for (int i = 0; i < tenthsOfASecond; ++i) {
    if (condition()) return true;
    ::Sleep(100);
  }
  return condition();
}

std::string WindowText(HWND window) {
  char text[512] = "";
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

namespace {
std::string ClassOf(HWND window) {
  char name[64] = "";
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindowsOf(DWORD pid) {
  std::vector<HWND> all, found;
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
  for (HWND window : all) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == pid && ::IsWindowVisible(window)) found.push_back(window);
  }
  return found;
}
}  // namespace

std::vector<HWND> Descendants(HWND ancestor) {
  std::vector<HWND> found;
  ::EnumChildWindows(ancestor, CollectWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

namespace {
// Memory in another process for the length of one message.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, size_t size)
      : m_process(process), m_address(::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteBlock() {
    if (m_address) ::VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  void* Address() const { return m_address; }

 private:
  HANDLE m_process;
  void* m_address;
};
}  // namespace

EditorProcess::EditorProcess(const std::string& exe, const std::string& fontList, bool waitForSplash) {
  const char settings[] = "Software\\Velmora\\Lumivo\\Program Settings";
  ::SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Velmora\\Lumivo");
  ::SHSetValueA(HKEY_CURRENT_USER, settings, "Font list", REG_SZ, fontList.c_str(),
                static_cast<DWORD>(fontList.size() + 1));
  const std::string folder = exe.substr(0, exe.find_last_of('\\'));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + exe + "\"";
  if (!::CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &m_process))
    return;
  WaitUntil([this] {
    for (HWND window : TopLevelWindowsOf(m_process.dwProcessId))
      if (WindowText(window) == "Lumivo") m_main = window;
    return m_main != nullptr;
  });
  // The splash sits in the middle of the screen for its few seconds.
  if (waitForSplash)
    WaitUntil([this] {
    for (HWND window : TopLevelWindowsOf(m_process.dwProcessId))
      if (window != m_main && ClassOf(window) != "tooltips_class32") return false;
    return true;
  }, 200);
}

EditorProcess::~EditorProcess() {
  Kill();
  if (m_process.hThread) ::CloseHandle(m_process.hThread);
  if (m_process.hProcess) ::CloseHandle(m_process.hProcess);
}

void EditorProcess::Kill() {
  if (m_process.hProcess && ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
    ::TerminateProcess(m_process.hProcess, 1);
    ::WaitForSingleObject(m_process.hProcess, INFINITE);
  }
}

bool EditorProcess::WaitForExit() const {
  return WaitUntil([this] { return ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0; });
}

DWORD EditorProcess::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  ::GetExitCodeProcess(m_process.hProcess, &code);
  return code;
}

void EditorProcess::Command(UINT id) const {
  ::PostMessageA(m_main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
  Settle();
}

HWND EditorProcess::Capture() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return ::GetGUIThreadInfo(m_process.dwThreadId, &info) ? info.hwndCapture : nullptr;
}

void EditorProcess::Settle() const {
  // A message sent through comes back once the queue before it is handled;
  // the idle wait then covers what that handling queued in turn.
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(m_main, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
  ::WaitForInputIdle(m_process.hProcess, 30000);
  ::Sleep(50);
}

HWND EditorProcess::FindWindowWith(const std::string& caption, const char* className) const {
  for (HWND window : TopLevelWindowsOf(m_process.dwProcessId))
    if (window != m_main && ClassOf(window) == className && WindowText(window).find(caption) != std::string::npos)
      return window;
  return nullptr;
}

HWND EditorProcess::WaitForWindow(const std::string& caption, const char* className) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowWith(caption, className)) != nullptr; });
  return found;
}

HWND EditorProcess::WaitForMessage(const std::string& text) const {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND window : TopLevelWindowsOf(m_process.dwProcessId))
      if (ClassOf(window) == "#32770" && DescendantWithText(window, text)) found = window;
    return found != nullptr;
  });
  return found;
}

bool EditorProcess::WaitForTitle(const std::string& title) const {
  return WaitUntil([&] { return WindowText(m_main) == title; });
}

LRESULT EditorProcess::SendRemote(HWND window, UINT message, WPARAM wParam, void* data, size_t size) const {
  RemoteBlock block(m_process.hProcess, size);
  if (!block.Address() || !::WriteProcessMemory(m_process.hProcess, block.Address(), data, size, nullptr)) return 0;
  const LRESULT result = ::SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>(block.Address()));
  ::ReadProcessMemory(m_process.hProcess, block.Address(), data, size, nullptr);
  return result;
}

HWND ChildWithId(HWND parent, int id) {
  for (HWND child : Descendants(parent))
    if (::GetParent(child) == parent && ::GetDlgCtrlID(child) == id) return child;
  return nullptr;
}

HWND DescendantWithText(HWND ancestor, const std::string& text) {
  for (HWND child : Descendants(ancestor))
    if (WindowText(child).find(text) != std::string::npos) return child;
  return nullptr;
}

void SetText(HWND dialog, int id, const std::string& text) {
  ::SendMessageA(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Press(HWND dialog, int id) {
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

namespace input {
namespace {
void SendMouse(const EditorProcess& editor, POINT screen, DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
  ::SendInput(1, &in, sizeof in);
  editor.Settle();
}
}  // namespace

void MoveTo(const EditorProcess& editor, POINT screen) { SendMouse(editor, screen, 0); }

void Click(const EditorProcess& editor, POINT screen) {
  SendMouse(editor, screen, 0);
  SendMouse(editor, screen, MOUSEEVENTF_LEFTDOWN);
  SendMouse(editor, screen, MOUSEEVENTF_LEFTUP);
}

void Drag(const EditorProcess& editor, POINT from, POINT to) {
  SendMouse(editor, from, 0);
  SendMouse(editor, from, MOUSEEVENTF_LEFTDOWN);
  // A hand starts with a few small moves, still over the item it took.
  const double length = std::hypot(double(to.x - from.x), double(to.y - from.y));
  for (int pixels : {3, 6, 10}) {
    const double f = length > 0 ? pixels / length : 0;
    SendMouse(editor, POINT{from.x + LONG((to.x - from.x) * f), from.y + LONG((to.y - from.y) * f)}, 0);
  }
  // Then it travels, and lets go once the drag holds the mouse.
  const int steps = 8;
  for (int i = 1; i <= steps; ++i)
    SendMouse(editor, POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps}, 0);
  WaitUntil([&] { return editor.Capture() != nullptr; }, 20);
  SendMouse(editor, to, MOUSEEVENTF_LEFTUP);
  WaitUntil([&] { return editor.Capture() == nullptr; }, 20);
}

void Key(const EditorProcess& editor, WORD virtualKey) {
  INPUT in[2]{};
  for (INPUT& key : in) {
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = virtualKey;
  }
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, in, sizeof in[0]);
  editor.Settle();
}
}  // namespace input

POINT CentreOf(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

namespace {
POINT CentreOnScreen(HWND window, const RECT& r) {
  POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ::ClientToScreen(window, &p);
  return p;
}
}  // namespace

POINT ListItemCentre(const EditorProcess& editor, HWND list, int item) {
  ::SendMessageA(list, LVM_ENSUREVISIBLE, item, FALSE);
  RECT r{LVIR_ICON, 0, 0, 0};
  return CentreOnScreen(list, editor.Remote(list, LVM_GETITEMRECT, item, r));
}

POINT TabCentre(const EditorProcess& editor, HWND tabs, int tab) {
  return CentreOnScreen(tabs, editor.Remote(tabs, TCM_GETITEMRECT, tab, RECT{}));
}

int ListCount(HWND list) { return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

}  // namespace scenario
