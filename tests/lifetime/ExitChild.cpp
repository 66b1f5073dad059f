#include "lifetime/ExitChild.h"

#include <windows.h>

#include "app/lists/ImgListView.h"
#include "document/SposalboException.h"
#include "document/services/FileWatch.h"
#include "document/services/Win32Handle.h"
#include "framework/framework.h"
#include "ui/controls/docking/AutoHideBar.h"

namespace {

// Lumivo.exe's stack reserve, as the hostile-file reader's thread has it.
constexpr SIZE_T kEditorStack = 2 * 1024 * 1024;

// What a thread of the editor leaves in its per-thread state: temporaries in
// the handle maps (not freed at idle: the thread ends first), a registered
// window class, a window made and destroyed, an auto-hide strip, and an
// exception thrown and caught.
bool UseFramework() {
  CWnd::FromHandle(::GetDesktopWindow());
  HDC screen = ::GetDC(nullptr);
  CDC::FromHandle(screen);
  CGdiObject::FromHandle(::GetStockObject(WHITE_BRUSH));
  CWnd window;
  const bool made = window.CreateEx(0, AfxRegisterWndClass(0), "thread window", WS_POPUP, 0, 0, 10, 10,
                                    nullptr, nullptr) != FALSE;
  window.DestroyWindow();
  { CAutoHideBar strip; }
  bool caught = false;
  try {
    throw CSposalboException(CSposalboException::kCannotOpen, "thrown on a thread");
  } catch (const CSposalboException&) {
    caught = true;
  }
  ::ReleaseDC(nullptr, screen);
  return made && caught;
}

DWORD WINAPI EditorStackThread(void*) {
  try {
    return UseFramework() ? 0 : 1;
  } catch (...) {
    return 1;
  }
}

UINT FrameworkWorker(LPVOID) { return UseFramework() ? 0 : 1; }

bool Joined(HANDLE thread) {
  DWORD code = 1;
  return ::WaitForSingleObject(thread, INFINITE) == WAIT_OBJECT_0 && ::GetExitCodeThread(thread, &code) && code == 0;
}

int RunThreads() {
  CScopedHandle stack(::CreateThread(nullptr, kEditorStack, EditorStackThread, nullptr,
                                     STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
  if (!stack.IsValid()) return kNoThread;
  if (!Joined(stack.Get())) return kThreadFailed;
  CWinThread* worker = AfxBeginThread(FrameworkWorker, nullptr, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  if (!worker) return kNoThread;
  worker->m_bAutoDelete = FALSE;
  worker->ResumeThread();
  const bool workerDone = Joined(worker->m_hThread);
  delete worker;
  return workerDone ? 0 : kThreadFailed;
}

void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

}  // namespace

int RunExitChild(const std::string& pictures) {
  if (const int failed = RunThreads()) return failed;

  CWnd host;
  if (!host.CreateEx(0, AfxRegisterWndClass(0), "exit child", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr,
                     nullptr))
    return kNoWindow;
  // Left running: the program's end stops and joins the watch's worker.
  if (!AddFileWatch((pictures + "\\").c_str(), host.m_hWnd)) return kNoWatch;

  CImgListView list;
  if (!list.Create(WS_CHILD | LVS_ICON, CRect(0, 0, 300, 300), &host, 1)) return kNoWindow;
  list.SetFolder(pictures.c_str());
  list.LoadFolderAsync();
  // The first thumbnails in, the rest still loading when main returns.
  for (int i = 0; i < 20000 && list.IsLoading() && list.GetItemCount() < 2; ++i) {
    Pump();
    ::Sleep(1);
  }
  if (list.GetItemCount() == 0) return kNoLoad;
  return 0;
}
