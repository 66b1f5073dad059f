#include "bars_fixture.h"
#include "test_ids.h"

namespace {
class StatusBarTest : public BarsTest {
 protected:
  void SetUp() override {
    BarsTest::SetUp();
    ASSERT_TRUE(status.Create(frame));
    ASSERT_TRUE(status.SetIndicators(kIndicators, 4));
    frame->RecalcLayout();
  }
  CString Shown(int pane) {
    char text[256] = "";
    status.SendMessage(SB_GETTEXTA, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text));
    return text;
  }
  static void SetToggle(int vk, bool on) {
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[vk] = static_cast<BYTE>(on ? (keys[vk] | 1) : (keys[vk] & ~1));
    ::SetKeyboardState(keys);
  }
  static constexpr UINT kIndicators[4] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
  CStatusBar status;
};
constexpr UINT StatusBarTest::kIndicators[4];
}  // namespace

TEST_F(StatusBarTest, PanesAreAsWideAsTheirTextAndTheMessagePaneTakesTheRest) {
  EXPECT_EQ(status.GetCount(), 4);
  EXPECT_EQ(status.CommandToIndex(ID_INDICATOR_NUM), 2);
  int parts[4] = {};
  ASSERT_EQ(status.SendMessage(SB_GETPARTS, 4, reinterpret_cast<LPARAM>(parts)), 4);
  CRect client;
  status.GetClientRect(&client);
  EXPECT_EQ(parts[3], client.right);
  UINT id, style;
  int capWidth, scrlWidth;
  status.GetPaneInfo(1, id, style, capWidth);
  status.GetPaneInfo(3, id, style, scrlWidth);
  EXPECT_GT(scrlWidth, capWidth);  // "SCRL" is longer than "CAP"
  EXPECT_EQ(parts[1] - parts[0], capWidth + 8);
  EXPECT_NE(status.GetPaneStyle(0) & SBPS_STRETCH, 0u);
  EXPECT_EQ(InFrame(&status).bottom, Client().bottom);
  EXPECT_EQ(ViewRect().bottom, InFrame(&status).top);
}

TEST_F(StatusBarTest, KeyPanesShowOnlyWhileTheirKeyIsOn) {
  struct Case {
    bool caps, num;
  } cases[] = {{true, false}, {false, true}, {false, false}};
  for (const Case& k : cases) {
    SetToggle(VK_CAPITAL, k.caps);
    SetToggle(VK_NUMLOCK, k.num);
    TestApp().OnIdle(0);
    EXPECT_STREQ(Shown(1), k.caps ? "CAP" : "");
    EXPECT_STREQ(Shown(2), k.num ? "NUM" : "");
  }
  SetToggle(VK_NUMLOCK, false);
}

TEST_F(StatusBarTest, MenuPromptShowsWhileAnItemIsHighlighted) {
  TestApp().OnIdle(0);
  EXPECT_STREQ(Shown(0), "Ready");
  HMENU hMenu = ::GetSubMenu(::GetMenu(frame->m_hWnd), 0);
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_TEST_HANDLED, MF_HILITE), reinterpret_cast<LPARAM>(hMenu));
  EXPECT_STREQ(Shown(0), "Runs the handled command");
  CString text;
  status.GetWindowText(text);
  EXPECT_STREQ(text, "Runs the handled command");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // the menu closed
  EXPECT_STREQ(Shown(0), "Ready");
}

TEST_F(StatusBarTest, IndicatorWithoutAStringIsRefused) {
  const UINT indicators[] = {ID_SEPARATOR, 54321};
  EXPECT_FALSE(status.SetIndicators(indicators, 2));
  EXPECT_EQ(status.GetCount(), 2);  // the bar still works, the pane is empty
  EXPECT_TRUE(status.SetPaneText(1, "x"));
  EXPECT_FALSE(status.SetPaneText(5, "x"));
}
