#include <gtest/gtest.h>

#include "doc_view_classes.h"
#include "framework/scripted_ui.h"
#include "test_ids.h"
#include "test_support.h"

namespace {
// A document, frame and view made by a single-document template, removed again
// at the end of the test.
class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CommandLog().clear();
    m_template = new CSingleDocTemplate(IDR_TESTFRAME, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame),
                                        RUNTIME_CLASS(CTestView));
    doc = static_cast<CTestDoc*>(m_template->OpenDocumentFile(nullptr, FALSE));
    ASSERT_NE(doc, nullptr);
    POSITION pos = doc->GetFirstViewPosition();
    view = static_cast<CTestView*>(doc->GetNextView(pos));
    frame = static_cast<CTestFrame*>(view->GetParentFrame());
    ASSERT_NE(frame, nullptr);
  }
  void TearDown() override {
    if (TestApp().m_pMainWnd == frame) TestApp().m_pMainWnd = nullptr;
    delete m_template;  // closes the document, which destroys the frame
    PumpPending();
  }

  // Dispatches queued messages the way the application's loop does.
  void PumpWithTranslation() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      if (!TestApp().PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
    }
  }

  UINT StateOf(UINT nID) {
    CMenu* popup = frame->GetMenu()->GetSubMenu(0);
    return popup->GetMenuState(nID, MF_BYCOMMAND);
  }

  CSingleDocTemplate* m_template = nullptr;
  CTestDoc* doc = nullptr;
  CTestView* view = nullptr;
  CTestFrame* frame = nullptr;
};
}  // namespace

TEST_F(FrameTest, TemplateBuildsDocumentFrameAndViewTogether) {
  EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CTestFrame)));
  EXPECT_EQ(frame->GetActiveView(), view);
  EXPECT_EQ(frame->GetActiveDocument(), doc);
  EXPECT_EQ(view->GetDocument(), doc);
  EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST);
  EXPECT_EQ(view->initialUpdates, 1);
  EXPECT_NE(frame->GetMenu()->m_hMenu, nullptr);
  EXPECT_NE(frame->m_hAccelTable, nullptr);
  EXPECT_EQ(doc->GetDocTemplate(), m_template);
}

TEST_F(FrameTest, CommandsRouteViewThenDocumentThenFrameThenApplication) {
  struct Case {
    UINT id;
    const char* handler;
  };
  const Case cases[] = {
      {ID_TEST_VIEWONLY, "view"},
      {ID_TEST_DOCONLY, "doc"},
      {ID_TEST_HANDLED, "doc handled"},  // the document comes before the frame
  };
  for (const Case& c : cases) {
    CommandLog().clear();
    frame->SendMessage(WM_COMMAND, MAKEWPARAM(c.id, 0));
    ASSERT_EQ(CommandLog().size(), 1u) << c.id;
    EXPECT_EQ(CommandLog()[0], c.handler);
  }
  int about = TestApp().m_nAboutCount;
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_APP_ABOUT, 0));
  EXPECT_EQ(TestApp().m_nAboutCount, about + 1);
}

TEST_F(FrameTest, DisabledCommandIsNotRun) {
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_DISABLED, 0));
  EXPECT_TRUE(CommandLog().empty());
  frame->disableItem = FALSE;
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_DISABLED, 0));
  EXPECT_EQ(CommandLog(), (std::vector<std::string>{"frame disabled"}));
}

TEST_F(FrameTest, MenuPopupGetsItsStateFromUpdateHandlers) {
  CMenu* popup = frame->GetMenu()->GetSubMenu(0);
  frame->m_bAutoMenuEnable = FALSE;
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->m_hMenu), MAKELPARAM(0, FALSE));
  EXPECT_EQ(StateOf(ID_TEST_UNHANDLED) & MF_GRAYED, 0u);  // items without handlers stay as they are
  frame->m_bAutoMenuEnable = TRUE;
  frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->m_hMenu), MAKELPARAM(0, FALSE));
  EXPECT_EQ(StateOf(ID_TEST_HANDLED) & MF_GRAYED, 0u);
  EXPECT_NE(StateOf(ID_TEST_UNHANDLED) & MF_GRAYED, 0u);  // no handler anywhere
  EXPECT_NE(StateOf(ID_TEST_DISABLED) & MF_GRAYED, 0u);   // its update handler says so
  EXPECT_NE(StateOf(ID_TEST_CHECKED) & MF_CHECKED, 0u);
  EXPECT_EQ(StateOf(ID_APP_ABOUT) & MF_GRAYED, 0u);       // handled by the application
}

TEST_F(FrameTest, IdlePassUpdatesBarsAndDelayedLayout) {
  CTopStrip strip;
  ASSERT_TRUE(strip.Make(frame, AFX_IDW_TOOLBAR));
  frame->ShowWindow(SW_SHOWNA);
  TestApp().m_pMainWnd = frame;
  frame->DelayRecalcLayout();
  TestApp().OnIdle(0);
  EXPECT_EQ(strip.idleUpdates, 1);
  EXPECT_FALSE(strip.IsWindowEnabled());  // the update handler disabled its command
  CRect stripRect;
  strip.GetWindowRect(&stripRect);
  EXPECT_EQ(stripRect.Height(), CTopStrip::kHeight);  // the delayed layout ran
  frame->disableItem = FALSE;
  TestApp().OnIdle(0);
  EXPECT_TRUE(strip.IsWindowEnabled());
  strip.DestroyWindow();
}

TEST_F(FrameTest, RecalcLayoutLeavesTheViewWhatTheBarsDoNotTake) {
  frame->MoveWindow(0, 0, 400, 300);
  CTopStrip strip;
  ASSERT_TRUE(strip.Make(frame, AFX_IDW_TOOLBAR));
  frame->RecalcLayout();
  CRect client, viewRect, stripRect;
  frame->GetClientRect(&client);
  view->GetWindowRect(&viewRect);
  frame->ScreenToClient(&viewRect);
  strip.GetWindowRect(&stripRect);
  frame->ScreenToClient(&stripRect);
  EXPECT_EQ(stripRect, CRect(0, 0, client.right, CTopStrip::kHeight));
  EXPECT_EQ(viewRect, CRect(0, CTopStrip::kHeight, client.right, client.bottom));

  // Query mode reports the space left and moves nothing.
  strip.MoveWindow(0, 0, 5, 5);
  CRect left;
  frame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &left);
  EXPECT_EQ(left, CRect(0, CTopStrip::kHeight, client.right, client.bottom));
  strip.GetWindowRect(&stripRect);
  EXPECT_EQ(stripRect.Width(), 5);
  strip.DestroyWindow();
}

TEST_F(FrameTest, AcceleratorsWorkInTheFrameAndItsBarsButNotInAnEditOrAModalDialog) {
  frame->ShowWindow(SW_SHOWNA);
  TestApp().m_pMainWnd = frame;
  view->PostMessage(WM_KEYDOWN, VK_F5, 0);
  PumpWithTranslation();
  EXPECT_EQ(CommandLog(), (std::vector<std::string>{"doc handled"}));

  // A window the frame owns (a bar floating) gets them too; an edit control,
  // in the frame or beside it, keeps its keys.
  CommandLog().clear();
  HWND owned = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, frame->m_hWnd, nullptr, nullptr, nullptr);
  HWND edits[] = {::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, frame->m_hWnd, nullptr, nullptr, nullptr),
                  ::CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 10, 10, owned, nullptr, nullptr, nullptr)};
  ::PostMessageA(owned, WM_KEYDOWN, VK_F5, 0);
  PumpWithTranslation();
  EXPECT_EQ(CommandLog(), (std::vector<std::string>{"doc handled"}));
  CommandLog().clear();
  for (HWND edit : edits) ::PostMessageA(edit, WM_KEYDOWN, VK_F5, 0);
  PumpWithTranslation();
  EXPECT_TRUE(CommandLog().empty());
  ::DestroyWindow(owned);
  ::DestroyWindow(edits[0]);

  CommandLog().clear();
  CScriptedUi ui;
  ui.AnswerModalWith([](CWnd* pDialog) {
    ::PostMessageA(pDialog->GetDlgItem(1001)->m_hWnd, WM_KEYDOWN, VK_F5, 0);
    pDialog->PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0));
  });
  CDialog dialog(IDD_EXCHANGE, frame);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(CommandLog().empty());
  EXPECT_TRUE(frame->IsWindowEnabled());
}

TEST_F(FrameTest, TitleCombinesDocumentAndFrameNames) {
  doc->SetTitle("Album");
  CString title;
  frame->GetWindowText(title);
  EXPECT_STREQ(title, "Album - Test Frame");
}

TEST_F(FrameTest, ClosingAskedToSaveCanBeCancelled) {
  CScriptedUi ui;
  doc->SetModifiedFlag(TRUE);
  HWND hFrame = frame->m_hWnd;
  ui.AnswerMessage(IDCANCEL);
  frame->SendMessage(WM_CLOSE);
  EXPECT_TRUE(::IsWindow(hFrame));
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_EQ(ui.Questions()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNOCANCEL));

  ui.AnswerMessage(IDNO);
  frame->SendMessage(WM_CLOSE);
  EXPECT_FALSE(::IsWindow(hFrame));
  frame = nullptr;  // deleted with its window; the document went with it
}

TEST_F(FrameTest, OpeningAgainReusesTheDocumentAfterAskingToSave) {
  CScriptedUi ui;
  EXPECT_EQ(m_template->OpenDocumentFile(nullptr, FALSE), doc);
  EXPECT_TRUE(ui.Questions().empty());  // unmodified: nothing to ask
  EXPECT_EQ(view->GetParentFrame(), frame);
  doc->SetModifiedFlag(TRUE);
  ui.AnswerMessage(IDCANCEL);
  EXPECT_EQ(m_template->OpenDocumentFile(nullptr, FALSE), nullptr);
  EXPECT_TRUE(doc->IsModified());
  ui.AnswerMessage(IDNO);
  EXPECT_EQ(m_template->OpenDocumentFile(nullptr, FALSE), doc);
  EXPECT_FALSE(doc->IsModified());
}

TEST_F(FrameTest, OpeningAMissingFileFailsAndKeepsTheDocument) {
  EXPECT_EQ(m_template->OpenDocumentFile("no-such-file.spa", FALSE), nullptr);
  EXPECT_EQ(frame->GetActiveDocument(), doc);
}
