#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/framework.h"
#include "framework/scripted_ui.h"
#include "test_support.h"

namespace {
const UINT kRegisteredPing = ::RegisterWindowMessageA("FrameworkTestPing");
const UINT kPrivateMessage = WM_USER + 7;

// Records which handlers ran, in order.
class CRecorderWnd : public CWnd {
 public:
  std::vector<std::string> calls;
  CSize lastSize;
  BOOL Make() {
    return CreateEx(0, AfxRegisterWndClass(0), "rec", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr);
  }
  afx_msg int OnCreate(LPCREATESTRUCT lpcs) {
    calls.push_back("create");
    return CWnd::OnCreate(lpcs);
  }
  afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs) {
    calls.push_back("nccreate");
    return CWnd::OnNcCreate(lpcs);
  }
  afx_msg void OnSize(UINT, int cx, int cy) {
    calls.push_back("size");
    lastSize = CSize(cx, cy);
  }
  afx_msg LRESULT OnPrivate(WPARAM wParam, LPARAM lParam) {
    calls.push_back("private");
    return static_cast<LRESULT>(wParam + lParam);
  }
  afx_msg LRESULT OnPing(WPARAM wParam, LPARAM) {
    calls.push_back("ping");
    return static_cast<LRESULT>(wParam * 2);
  }
  afx_msg void OnRange(UINT nID) { calls.push_back("range " + std::to_string(nID)); }
  afx_msg void OnThrowing() { throw std::runtime_error("handler failed"); }
  afx_msg void OnTimer(UINT_PTR id) { calls.push_back("timer " + std::to_string(id)); }
  afx_msg void OnMouseLeave() { calls.push_back("leave"); }
  afx_msg void OnExitSizeMove() { calls.push_back("exit size move"); }
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT) {
    calls.push_back("key " + std::to_string(nChar) + " x" + std::to_string(nRepCnt));
  }
  afx_msg void OnLButtonDown(UINT, CPoint point) {
    calls.push_back("down " + std::to_string(point.x) + "," + std::to_string(point.y));
  }
  DECLARE_MESSAGE_MAP()
};

// Overrides one entry of its base map and adds another.
class CDerivedRecorderWnd : public CRecorderWnd {
 public:
  afx_msg LRESULT OnPrivateDerived(WPARAM, LPARAM) {
    calls.push_back("derived private");
    return 99;
  }
  DECLARE_MESSAGE_MAP()
};

// The template form of the map: the base class is a parameter.
template <class TBase>
class CCountingWnd : public TBase {
 public:
  int count = 0;
  afx_msg LRESULT OnCount(WPARAM, LPARAM) { return ++count; }
  DECLARE_MESSAGE_MAP()
};
}  // namespace

BEGIN_MESSAGE_MAP(CRecorderWnd, CWnd)
  ON_WM_NCCREATE()
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_TIMER()
  ON_WM_MOUSELEAVE()
  ON_WM_EXITSIZEMOVE()
  ON_WM_KEYDOWN()
  ON_WM_LBUTTONDOWN()
  ON_MESSAGE(kPrivateMessage, OnPrivate)
  ON_REGISTERED_MESSAGE(kRegisteredPing, OnPing)
  ON_COMMAND_RANGE(100, 110, OnRange)
  ON_COMMAND(200, OnThrowing)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CDerivedRecorderWnd, CRecorderWnd)
  ON_MESSAGE(kPrivateMessage, OnPrivateDerived)
END_MESSAGE_MAP()

BEGIN_TEMPLATE_MESSAGE_MAP(CCountingWnd, TBase, TBase)
  ON_MESSAGE(WM_USER + 50, OnCount)
END_MESSAGE_MAP()

TEST(MessageMap, CreationHookLetsTheObjectSeeItsFirstMessages) {
  CRecorderWnd wnd;
  ASSERT_TRUE(wnd.Make());
  ASSERT_GE(wnd.calls.size(), 2u);
  EXPECT_EQ(wnd.calls[0], "nccreate");
  EXPECT_NE(std::find(wnd.calls.begin(), wnd.calls.end(), "create"), wnd.calls.end());
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
}

TEST(MessageMap, DispatchesCrackedAndRawMessages) {
  CRecorderWnd wnd;
  ASSERT_TRUE(wnd.Make());
  wnd.calls.clear();
  wnd.MoveWindow(0, 0, 150, 90);
  CRect client;
  wnd.GetClientRect(&client);
  EXPECT_EQ(wnd.lastSize, client.Size());
  EXPECT_EQ(wnd.SendMessage(kPrivateMessage, 3, 4), 7);
  EXPECT_EQ(wnd.SendMessage(kRegisteredPing, 21), 42);
  wnd.PostMessage(WM_TIMER, 5);
  PumpPending();
  EXPECT_EQ(wnd.calls.back(), "timer 5");
}

TEST(MessageMap, CrackersUnpackTheirParameters) {
  CRecorderWnd wnd;
  ASSERT_TRUE(wnd.Make());
  wnd.calls.clear();
  wnd.SendMessage(WM_MOUSELEAVE);
  wnd.SendMessage(WM_EXITSIZEMOVE);
  wnd.SendMessage(WM_KEYDOWN, VK_F2, MAKELPARAM(3, 0));
  wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5 & 0xFFFF, 12));
  EXPECT_EQ(wnd.calls, (std::vector<std::string>{"leave", "exit size move", "key 113 x3", "down -5,12"}));
}

TEST(MessageMap, CommandRangeHandlerGetsTheId) {
  CRecorderWnd wnd;
  ASSERT_TRUE(wnd.Make());
  wnd.calls.clear();
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(104, 0));
  wnd.SendMessage(WM_COMMAND, MAKEWPARAM(111, 0));
  EXPECT_EQ(wnd.calls, (std::vector<std::string>{"range 104"}));
}

TEST(MessageMap, MostDerivedEntryWinsAndBaseEntriesStillApply) {
  CDerivedRecorderWnd wnd;
  ASSERT_TRUE(wnd.Make());
  EXPECT_EQ(wnd.SendMessage(kPrivateMessage, 1, 1), 99);
  EXPECT_EQ(wnd.SendMessage(kRegisteredPing, 5), 10);
}

TEST(MessageMap, TemplateFormDispatchesThroughTheParameterBase) {
  CCountingWnd<CRecorderWnd> wnd;
  ASSERT_TRUE(wnd.Make());
  EXPECT_EQ(wnd.SendMessage(WM_USER + 50), 1);
  EXPECT_EQ(wnd.SendMessage(WM_USER + 50), 2);
  EXPECT_EQ(wnd.SendMessage(kPrivateMessage, 2, 2), 4);
}

TEST(MessageMap, ExceptionStopsAtTheWindowProcedureAndIsReported) {
  CScriptedUi ui;
  CRecorderWnd wnd;
  ASSERT_TRUE(wnd.Make());
  EXPECT_NO_THROW(wnd.SendMessage(WM_COMMAND, MAKEWPARAM(200, 0)));
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].kind, "error");
  EXPECT_STREQ(ui.Questions()[0].text, "handler failed");
  // The window keeps working.
  EXPECT_EQ(wnd.SendMessage(kPrivateMessage, 1, 2), 3);
}

TEST(MessageMap, UnhandledMessagesReachTheDefaultProcedure) {
  CRecorderWnd wnd;
  ASSERT_TRUE(wnd.Make());
  wnd.SetWindowText("caption");
  CString text;
  wnd.GetWindowText(text);
  EXPECT_STREQ(text, "caption");
}
