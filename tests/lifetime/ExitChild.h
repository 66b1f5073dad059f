#pragma once
// A short life of the program with every kind of thread it starts, run as a
// process of its own: framework code on a thread with the editor's stack and on
// a framework worker thread (both joined), a thumbnail list whose loader is
// still busy when the program ends, and a file watch whose worker is left for
// the program's end to stop. main then returns, and the process must end.
#include <string>

// The child's command-line flag, followed by the folder of pictures to load.
constexpr const char* kExitChildFlag = "--exit-child";

// Exit codes of a child that could not set up what it should end with.
enum ExitChildFailure { kNoWindow = 2, kNoLoad = 3, kNoWatch = 4, kNoThread = 5, kThreadFailed = 6 };

int RunExitChild(const std::string& pictures);
