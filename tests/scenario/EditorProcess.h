#pragma once
// The real editor as a separate process, driven the way a person drives it:
// commands through its windows, dialogs filled in and confirmed through their
// controls, drags and clicks through the system's input. A process is
// started from the program folder with a clean profile and ended with it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace scenario {

// Polls until the condition holds (up to about 30 seconds); false when it never did.
bool WaitUntil(const std::function<bool()>& condition, int tenthsOfASecond = 300);

std::string WindowText(HWND window);

class EditorProcess {
 public:
  // Removes the editor's settings but the font list a laboratory's
  // installation names, starts exe and waits for its main window (and for the
  // splash to go, when asked, so that it covers nothing).
  EditorProcess(const std::string& exe, const std::string& fontList, bool waitForSplash = true);
  ~EditorProcess();
  EditorProcess(const EditorProcess&) = delete;
  EditorProcess& operator=(const EditorProcess&) = delete;

  HWND Main() const { return m_main; }
  bool Started() const { return m_main != nullptr; }
  void Command(UINT id) const;
  // Waits until the editor has handled what was sent to it and waits for more.
  void Settle() const;
  // The window of the editor that holds the mouse, if any.
  HWND Capture() const;
  // A visible top-level window of the process other than the main window whose
  // caption contains the text (any, for an empty text).
  HWND FindWindowWith(const std::string& caption, const char* className = "#32770") const;
  HWND WaitForWindow(const std::string& caption, const char* className = "#32770") const;
  // A dialog's static text holding the text (message boxes).
  HWND WaitForMessage(const std::string& text) const;
  bool WaitForTitle(const std::string& title) const;
  // Ends the process at once, as a crash or a power cut would.
  void Kill();
  // Waits for the process to end on its own (about 30 seconds at most).
  bool WaitForExit() const;
  // The code the process ended with; STILL_ACTIVE while it runs.
  DWORD ExitCode() const;

  // Reads and writes the process's memory for messages that carry pointers.
  template <class T>
  T Remote(HWND window, UINT message, WPARAM wParam, const T& in, LRESULT* result = nullptr) const {
    T out = in;
    LRESULT r = SendRemote(window, message, wParam, &out, sizeof out);
    if (result) *result = r;
    return out;
  }
  LRESULT SendRemote(HWND window, UINT message, WPARAM wParam, void* data, size_t size) const;

 private:
  PROCESS_INFORMATION m_process{};
  HWND m_main = nullptr;
};

// Children found by their place in the editor's window tree.
std::vector<HWND> Descendants(HWND ancestor);
HWND ChildWithId(HWND parent, int id);
HWND DescendantWithText(HWND ancestor, const std::string& text);

// Dialog controls, as typing and clicking would set them.
void SetText(HWND dialog, int id, const std::string& text);
void Press(HWND dialog, int id);

// The system's input, in screen coordinates.
// Each step waits for the editor to take it, as a hand waits for the screen.
namespace input {
void MoveTo(const EditorProcess& editor, POINT screen);
void Click(const EditorProcess& editor, POINT screen);
void Drag(const EditorProcess& editor, POINT from, POINT to);
// A key pressed and let go.
void Key(const EditorProcess& editor, WORD virtualKey);
}  // namespace input

POINT CentreOf(HWND window);
// Centre of a list view item, of a tab, in screen coordinates.
POINT ListItemCentre(const EditorProcess& editor, HWND list, int item);
POINT TabCentre(const EditorProcess& editor, HWND tabs, int tab);
int ListCount(HWND list);

}  // namespace scenario
