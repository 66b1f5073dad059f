// Start-up through InitInstance with the UI seam: failing platform services
// end it with their texts, a file named on the command line is not opened,
// the splash closes at its 8th tick, and closing with the save question
// answered Cancel keeps the program and the album.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/shell/MainFrm.h"
#include "app/shell/SplashWnd.h"
#include "app/shell/SposalboApp.h"
#include "app/support/SampleAlbum.h"
#include "document/SposalboDoc.h"
#include "document/TempFolder.h"
#include "document/pages/SposalboTreeNode.h"
#include "framework/scripted_ui.h"

namespace {
class FailingApp : public CSposalboApp {
 public:
  bool socketsWork = true;
  bool oleWorks = true;

 protected:
  BOOL InitSockets() override { return socketsWork; }
  BOOL InitOle() override { return oleWorks; }
};

// The program's arguments as the framework reads them, for the test's span.
class ProgramArguments {
 public:
  explicit ProgramArguments(std::vector<std::string> args) : m_args(std::move(args)) {
    for (std::string& a : m_args) m_argv.push_back(&a[0]);
    m_argv.push_back(nullptr);
    __argc = static_cast<int>(m_args.size());
    __argv = m_argv.data();
  }
  ~ProgramArguments() {
    __argc = m_savedArgc;
    __argv = m_savedArgv;
  }

 private:
  int m_savedArgc = __argc;
  char** m_savedArgv = __argv;
  std::vector<std::string> m_args;
  std::vector<char*> m_argv;
};

void DrainQueue() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

void CloseMainWindow(CWinApp& app) {
  if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
  app.ExitInstance();
  DrainQueue();
}
}  // namespace

TEST(Startup, FailingSocketsOrOleEndStartUpWithTheirTexts) {
  struct Case {
    bool sockets, ole;
    const char* text;
  } cases[] = {
      {false, true, "Windows sockets initialization failed."},
      {true, false, "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
  };
  for (const Case& c : cases) {
    CScriptedUi ui;
    FailingApp app;
    app.socketsWork = c.sockets;
    app.oleWorks = c.ole;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    ASSERT_EQ(ui.Questions().size(), 1u);
    EXPECT_STREQ(ui.Questions()[0].text, c.text);
    app.ExitInstance();
  }
}

TEST(Startup, TheFrameShowsWithoutAnAlbumEvenForAFileNamedAndTheSplashClosesAtItsEighthTick) {
  CScriptedUi ui;
  TempFolder temp;
  SampleAlbum sample(temp.Path());
  FailingApp app;
  {
    ProgramArguments arguments({"Lumivo.exe", sample.ProjectPath()});
    ASSERT_TRUE(app.InitInstance());
  }
  auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->IsWindowVisible());
  EXPECT_EQ(frame->GetAlbum(), nullptr);
  CString title;
  frame->GetWindowText(title);
  EXPECT_STREQ(title, "Lumivo");
  EXPECT_TRUE(frame->GetActiveDocument()->GetPathName().IsEmpty());
  EXPECT_TRUE(ui.Questions().empty());
  EXPECT_STREQ(app.m_pszRegistryKey, "Velmora");

  CSplashWnd* splash = CSplashWnd::Current();
  ASSERT_NE(splash, nullptr);
  HWND window = splash->m_hWnd;
  for (int tick = 1; tick < CSplashWnd::kTicks; ++tick) ::SendMessageA(window, WM_TIMER, CSplashWnd::kTimer, 0);
  EXPECT_TRUE(::IsWindow(window));
  ::SendMessageA(window, WM_TIMER, CSplashWnd::kTimer, 0);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(CSplashWnd::Current(), nullptr);
  CloseMainWindow(app);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(Startup, ClosingWithTheSaveQuestionCancelledKeepsTheProgramAndTheAlbum) {
  CScriptedUi ui;
  FailingApp app;
  ASSERT_TRUE(app.InitInstance());
  if (CSplashWnd* splash = CSplashWnd::Current()) splash->DestroyWindow();
  auto* frame = dynamic_cast<CMainFrame*>(app.m_pMainWnd);
  ASSERT_NE(frame, nullptr);
  TempFolder temp;
  SampleAlbum sample(temp.Path());
  frame->SetAlbum(std::make_unique<CSposalboDoc>(sample.ProjectPath(), frame->GetPageView()));
  frame->GetAlbum()->GetRoot()->SetModified(true);
  ui.AnswerMessage(IDCANCEL);
  frame->SendMessage(WM_CLOSE);
  ASSERT_TRUE(::IsWindow(frame->m_hWnd));
  EXPECT_NE(frame->GetAlbum(), nullptr);
  ASSERT_FALSE(ui.Questions().empty());
  EXPECT_STREQ(ui.Questions().back().text, "Vuoi salvare le modifiche al sposalbo?");
  EXPECT_STREQ(ui.Questions().back().caption, "Salva sposalbo");
  ui.AnswerMessage(IDNO);
  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
  app.ExitInstance();
  DrainQueue();
}
