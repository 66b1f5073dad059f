#include <gtest/gtest.h>

#include <atomic>

#include "framework/framework.h"
#include "framework/thread_state.h"
#include "test_support.h"

namespace {
// Counts idle calls; at the second idle call of a quiet spell it ends the loop.
class CCountingThread : public CWinThread {
 public:
  int idleCalls = 0;
  int messagesSeen = 0;
  BOOL OnIdle(LONG lCount) override {
    ++idleCalls;
    if (lCount == 1) ::PostQuitMessage(7);
    return lCount < 1;
  }
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_USER + 3) ++messagesSeen;
    return CWinThread::PreTranslateMessage(pMsg);
  }
};

std::atomic<int> g_workerValue{0};
UINT worker(LPVOID param) {
  g_workerValue = *static_cast<int*>(param);
  return 17;
}
}  // namespace

TEST(WinThread, RunPumpsMessagesIdlesWhenQuietAndReturnsTheQuitCode) {
  PumpPending();
  CCountingThread thread;
  ::PostThreadMessageA(::GetCurrentThreadId(), WM_USER + 3, 0, 0);
  EXPECT_EQ(thread.Run(), 7);
  EXPECT_EQ(thread.messagesSeen, 1);
  EXPECT_EQ(thread.idleCalls, 2);  // after the message: idle 0, then idle 1 ends the loop
}

TEST(WinThread, WorkerThreadRunsItsFunction) {
  int value = 42;
  CWinThread* thread = AfxBeginThread(worker, &value, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(thread, nullptr);
  thread->m_bAutoDelete = FALSE;
  thread->ResumeThread();
  ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  ::GetExitCodeThread(thread->m_hThread, &code);
  EXPECT_EQ(code, 17u);
  EXPECT_EQ(g_workerValue.load(), 42);
  delete thread;
}

namespace {
// Per-thread data that notes its life: how many went, and whether each saw
// its own kind refused while its record was going.
std::atomic<int> g_probesFreed{0};
std::atomic<int> g_probesRefusedWhileGoing{0};
struct CProbe : CThreadData {
  int temporariesFreed = 0;
  ~CProbe() override;
};
const CPerThread<CProbe> g_probe;
CProbe::~CProbe() {
  if (temporariesFreed == 1 && !g_probe.Get()) ++g_probesRefusedWhileGoing;
  ++g_probesFreed;
}
// Counts the freeing of temporaries into the thread's probe.
struct CCountingProbe : CThreadData {
  void FreeTemporaries() override { ++g_probe.Get()->temporariesFreed; }
};
const CPerThread<CCountingProbe> g_counting;

// On a thread started without the framework, as the editor's loaders are.
struct PlainCall {
  void (*body)(void*);
  void* argument;
};
DWORD WINAPI RunPlainCall(void* call) {
  auto* c = static_cast<PlainCall*>(call);
  c->body(c->argument);
  return 0;
}
void OnPlainThread(void (*body)(void*), void* argument) {
  PlainCall call{body, argument};
  HANDLE thread = ::CreateThread(nullptr, 0, RunPlainCall, &call, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  ::WaitForSingleObject(thread, INFINITE);
  ::CloseHandle(thread);
}
}  // namespace

TEST(ThreadState, EachThreadsDataIsItsOwnAndGoesWhenTheThreadEnds) {
  CProbe* mine = g_probe.Get();
  const int freedBefore = g_probesFreed;
  CProbe* theirs = nullptr;
  OnPlainThread([](void* seen) {
    *static_cast<CProbe**>(seen) = g_probe.Get();
    CWnd::FromHandle(::GetDesktopWindow());  // a temporary left for the thread's end
  }, &theirs);
  EXPECT_NE(theirs, nullptr);
  EXPECT_NE(theirs, mine);
  EXPECT_EQ(g_probesFreed, freedBefore + 1);
  EXPECT_EQ(g_probe.Get(), mine);  // this thread's is untouched
}

TEST(ThreadState, AFreedRecordLetsTemporariesGoFirstAndAFreshOneFollowsOnUse) {
  const int freedBefore = g_probesFreed, refusedBefore = g_probesRefusedWhileGoing;
  int freshCount = -1;
  OnPlainThread([](void* fresh) {
    g_probe.Get();
    g_counting.Get();
    AfxFreeThreadState();
    *static_cast<int*>(fresh) = g_probe.Get()->temporariesFreed;
  }, &freshCount);
  EXPECT_EQ(g_probesRefusedWhileGoing, refusedBefore + 1);
  EXPECT_EQ(freshCount, 0);  // a fresh record after the freed one
  EXPECT_EQ(g_probesFreed, freedBefore + 2);  // and that one freed at the thread's end
}

TEST(CommandLine, FileNameTurnsNewIntoOpenAndFlagsAreRecognised) {
  struct Case {
    std::vector<const char*> params;
    int command;
    const char* file;
  };
  const Case cases[] = {
      {{}, CCommandLineInfo::FileNew, ""},
      {{"album.spa"}, CCommandLineInfo::FileOpen, "album.spa"},
      {{"/p", "album.spa"}, CCommandLineInfo::FilePrint, "album.spa"},
  };
  for (const Case& c : cases) {
    CCommandLineInfo info;
    for (size_t i = 0; i < c.params.size(); ++i) {
      const char* p = c.params[i];
      BOOL flag = p[0] == '/' || p[0] == '-';
      info.ParseParam(flag ? p + 1 : p, flag, i + 1 == c.params.size());
    }
    EXPECT_EQ(info.m_nShellCommand, c.command);
    EXPECT_STREQ(info.m_strFileName, c.file);
  }
}
