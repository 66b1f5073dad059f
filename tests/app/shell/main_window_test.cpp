#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/resource.h"
#include "app/shell/ChildView.h"
#include "app/support/EditorFrameFixture.h"
#include "app/surface/RulerSplitterWnd.h"
#include "crop/MouseInput.h"
#include "crop/WindowCapture.h"

namespace {
// Outside a test's own script nothing is ever shown: questions are refused.
CScriptedUi g_fallbackUi;

using MainWindowTest = EditorFrameTest;
}  // namespace

TEST_F(MainWindowTest, IsATopLevelFrameWithTheMenuToolbarAndStatusBarOfTheResourceScript) {
  CString text;
  frame->GetWindowText(text);
  EXPECT_STREQ(text, "Lumivo");
  EXPECT_EQ(::GetParent(frame->m_hWnd), nullptr);
  EXPECT_TRUE(frame->GetActiveView()->IsKindOf(RUNTIME_CLASS(CChildView)));
  CMenu* menu = frame->GetMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(menu->GetMenuItemCount(), 9u);
  menu->GetSubMenu(8)->GetMenuString(ID_APP_ABOUT, text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Informazioni su Lumivo...");

  CToolBar& toolbar = frame->m_wndToolBar;
  ASSERT_EQ(toolbar.GetCount(), 31);
  EXPECT_EQ(toolbar.GetItemID(0), 32874u);
  EXPECT_EQ(toolbar.GetItemID(29), static_cast<UINT>(ID_APP_ABOUT));
  EXPECT_EQ(toolbar.GetItemID(30), CSposalboStyleCombo::kId) << "the style combo at the end";
  EXPECT_EQ(frame->m_styleCombo.GetParent(), &toolbar);
  EXPECT_EQ(toolbar.m_sizeButton, CSize(39, 39));
  toolbar.GetWindowText(text);
  EXPECT_STREQ(text, "Strumenti");
  EXPECT_EQ(toolbar.GetParent(), frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  CStatusBar& status = frame->m_wndStatusBar;
  ASSERT_EQ(status.GetCount(), 6);
  EXPECT_EQ(status.GetPaneText(1).GetLength(), 20);  // the page pane is sized by 20 blanks
  EXPECT_STREQ(status.GetPaneText(5), "SCRL");
}

TEST_F(MainWindowTest, TheAboutCommandShowsTheVersion) {
  CString caption, version;
  LRESULT icon = 0;
  ui.AnswerModalWith([&](CWnd* pDialog) {
    pDialog->GetWindowText(caption);
    HWND child = ::GetWindow(pDialog->m_hWnd, GW_CHILD);
    char text[64] = "";
    ::GetWindowTextA(child, text, sizeof text);
    version = text;
    icon = ::SendMessageA(::GetWindow(child, GW_HWNDNEXT), STM_GETICON, 0, 0);
    pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
  });
  Menu(ID_APP_ABOUT);
  std::string asked;
  for (const AfxUiQuestion& q : ui.Questions()) asked += " [" + q.kind.str() + " " + q.caption.str() + ": " + q.text.str() + "]";
  // One box, the about box (a notice of the page, told at its tick, may come
  // while the box is open).
  const auto& questions = ui.Questions();
  EXPECT_EQ(std::count_if(questions.begin(), questions.end(),
                          [](const AfxUiQuestion& q) { return q.kind == CString("modal"); }),
            1)
      << asked;
  ASSERT_FALSE(questions.empty());
  EXPECT_EQ(questions[0].type, static_cast<UINT>(IDD_ABOUTBOX)) << asked;
  EXPECT_STREQ(caption, "Informazioni su Lumivo");
  EXPECT_STREQ(version, "Lumivo versione 1.1");
  EXPECT_NE(icon, 0) << "the program icon";
}

TEST_F(MainWindowTest, RulersStartHiddenToggleWithRighelloAndGiveTheFocusBack) {
  CRulerSplitterWnd& rulers = frame->GetRulerSplitter();
  frame->ShowWindow(SW_SHOW);
  int height = -1, minimum = 0;
  rulers.GetRowInfo(0, height, minimum);
  EXPECT_EQ(height, 0);
  EXPECT_EQ(rulers.m_cxSplitter, 1);
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_RULER, 0));
  rulers.GetRowInfo(0, height, minimum);
  EXPECT_EQ(height, CRulerSplitterWnd::kRulerSize);
  EXPECT_EQ(rulers.m_cySplitter, 3);
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_RULER, 0));
  rulers.GetRowInfo(0, height, minimum);
  EXPECT_EQ(height, 0);
  EXPECT_EQ(rulers.m_cxSplitter, 1);
  EXPECT_EQ(frame->GetActiveView(), frame->GetChildView());
  rulers.GetPane(0, 1)->SetFocus();
  EXPECT_EQ(::GetFocus(), rulers.GetPageView()->m_hWnd);
}

// Without an album the page surface shows an empty white page area, as after
// an album is closed, not what the view behind painted there.
TEST_F(MainWindowTest, WithoutAnAlbumThePageSurfaceIsShownEmptyAndWhite) {
  frame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  frame->ShowWindow(SW_SHOWMAXIMIZED);
  CRect area;
  frame->GetPageSurface()->GetClientRect(&area);
  frame->GetPageSurface()->ClientToScreen(&area);
  const auto centre = [&] { return CaptureWindow(::GetDesktopWindow()).At(area.CenterPoint()); };
  input::FlushUntil([&] { return centre() == 0xFFFFFFu; }, 100);
  EXPECT_EQ(centre(), 0xFFFFFFu);
}

namespace {
// Where a capture holds black along a line of screen pixels.
std::vector<int> BlackAlong(const WindowCapture& shot, CPoint from, CSize step, int count) {
  std::vector<int> at;
  for (int i = 0; i < count; ++i)
    if ((shot.At(from + CSize(step.cx * i, step.cy * i)) & 0xFFFFFFu) == 0) at.push_back(i);
  return at;
}
}  // namespace

// Each ruler's long tick of 0 centimetres stands exactly at the page's drawn
// edge, whatever borders lie between the view and the rulers.
TEST_F(MainWindowTest, RulersZeroTicksMeetThePagesDrawnCorner) {
  OpenSample();
  frame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  frame->ShowWindow(SW_SHOWMAXIMIZED);
  frame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_VIEW_RULER, 0));
  CRulerSplitterWnd& rulers = frame->GetRulerSplitter();
  CWnd* surface = frame->GetPageSurface();
  CRect area, across, down;
  int edgeX = -1, edgeY = -1;
  std::vector<int> longAcross, longDown;
  // The layout settles at idle time and the page is drawn at the surface's
  // next tick, so the screen is read again until both 0 ticks stand on the
  // page's edge; rulers off the edge never get there and fail below.
  const auto ticksMeetTheEdge = [&] {
    surface->GetClientRect(&area);
    surface->ClientToScreen(&area);
    rulers.GetPane(0, 1)->GetClientRect(&across);
    rulers.GetPane(0, 1)->ClientToScreen(&across);
    rulers.GetPane(1, 0)->GetClientRect(&down);
    rulers.GetPane(1, 0)->ClientToScreen(&down);
    // The two rulers alone: repainting the splitter's every child would have
    // the view paint over the page's last frame for a moment.
    for (CWnd* ruler : {rulers.GetPane(0, 1), rulers.GetPane(1, 0)})
      ruler->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const WindowCapture shot = CaptureWindow(::GetDesktopWindow());
    // The page's outline: the first black pixel from the surface's left along
    // its middle, and from its top a quarter of the way across.
    const std::vector<int> left = BlackAlong(shot, CPoint(area.left, area.CenterPoint().y), CSize(1, 0), area.Width());
    const std::vector<int> top =
        BlackAlong(shot, CPoint(area.left + area.Width() / 4, area.top), CSize(0, 1), area.Height());
    // Long ticks alone reach a ruler's outer edge.
    longAcross = BlackAlong(shot, across.TopLeft(), CSize(1, 0), across.Width());
    longDown = BlackAlong(shot, down.TopLeft(), CSize(0, 1), down.Height());
    if (left.empty() || top.empty()) return false;
    edgeX = area.left + left.front() - across.left;
    edgeY = area.top + top.front() - down.top;
    return std::find(longAcross.begin(), longAcross.end(), edgeX) != longAcross.end() &&
           std::find(longDown.begin(), longDown.end(), edgeY) != longDown.end();
  };
  bool met = false;
  input::FlushUntil([&] { return met = ticksMeetTheEdge(); }, 400);
  std::string ticks = "across:";
  for (int x : longAcross) ticks += " " + std::to_string(x);
  ticks += ", down:";
  for (int y : longDown) ticks += " " + std::to_string(y);
  EXPECT_TRUE(met) << "page edge at " << edgeX << ", " << edgeY << "; long ticks " << ticks;
}
