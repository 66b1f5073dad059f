// The program ends when main returns, with all its threads: the end of a
// thread and the end of the process race, so the child life of ExitChild runs
// many times over, several at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/support/SampleAlbum.h"
#include "document/TempFolder.h"
#include "lifetime/ExitChild.h"

namespace {

constexpr int kRuns = 40;
constexpr int kAtOnce = 8;
// A child that has not ended by then hangs: a healthy one takes about a
// second even on a busy machine.
constexpr DWORD kHangMilliseconds = 20000;

struct Child {
  PROCESS_INFORMATION process{};
  DWORD started = 0;
};

std::string OwnPath() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

bool Start(const std::string& pictures, Child& child) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string commandLine = "\"" + OwnPath() + "\" " + kExitChildFlag + " \"" + pictures + "\"";
  child.started = ::GetTickCount();
  return ::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &child.process) != FALSE;
}

// The child's exit code, or a note of how it failed to end.
std::string Finish(Child& child) {
  const DWORD waited = ::GetTickCount() - child.started;
  const DWORD left = waited < kHangMilliseconds ? kHangMilliseconds - waited : 0;
  std::string outcome;
  if (::WaitForSingleObject(child.process.hProcess, left) != WAIT_OBJECT_0) {
    ::TerminateProcess(child.process.hProcess, 1);
    ::WaitForSingleObject(child.process.hProcess, INFINITE);
    outcome = "did not end";
  } else {
    DWORD code = 0;
    ::GetExitCodeProcess(child.process.hProcess, &code);
    outcome = std::to_string(code);
  }
  ::CloseHandle(child.process.hThread);
  ::CloseHandle(child.process.hProcess);
  return outcome;
}

}  // namespace

TEST(ProcessExit, EndsWithItsThreadsEveryTimeMainReturns) {
  TempFolder temp;
  const std::string pictures = temp / "pictures";
  MakeFolder(pictures);
  for (int i = 0; i < 40; ++i)  // enough for the loader to be busy at the end
    SampleAlbum::WritePicture(pictures + "\\" + std::to_string(i) + ".bmp", 400, 300, 0x102030u * (i + 1));

  std::vector<std::string> failures;
  for (int first = 0; first < kRuns; first += kAtOnce) {
    std::vector<Child> children(kAtOnce);
    for (Child& child : children) ASSERT_TRUE(Start(pictures, child));
    for (size_t i = 0; i < children.size(); ++i) {
      const std::string outcome = Finish(children[i]);
      if (outcome != "0") failures.push_back("run " + std::to_string(first + i) + ": " + outcome);
    }
    if (!failures.empty()) break;  // one round with a hang says it all
  }
  std::string all;
  for (const std::string& failure : failures) all += failure + "\n";
  EXPECT_TRUE(failures.empty()) << all;
}

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == kExitChildFlag) return RunExitChild(argv[2]);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
