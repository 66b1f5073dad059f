// Start-up through InitInstance with the UI seam: failing platform services
// end it with their texts, the splash closes at its 8th tick, and closing
// with the save question answered Cancel keeps the program and the album.
#include <gtest/gtest.h>

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

TEST(Startup, TheSplashClosesAtItsEighthTickWhileTheFrameRuns) {
  CScriptedUi ui;
  FailingApp app;
  ASSERT_TRUE(app.InitInstance());
  CSplashWnd* splash = CSplashWnd::Current();
  ASSERT_NE(splash, nullptr);
  HWND window = splash->m_hWnd;
  for (int tick = 1; tick < CSplashWnd::kTicks; ++tick) ::SendMessageA(window, WM_TIMER, CSplashWnd::kTimer, 0);
  EXPECT_TRUE(::IsWindow(window));
  ::SendMessageA(window, WM_TIMER, CSplashWnd::kTimer, 0);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(CSplashWnd::Current(), nullptr);
  CloseMainWindow(app);
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
