// The graphics-style combo with and without the registry's style key, and
// what choosing an item asks of the frame.
#include <gtest/gtest.h>

#include "app/shell/SposalboApp.h"
#include "app/shell/StyleCombo.h"
#include "app/support/FakeEditorFrame.h"

namespace {
class StyleComboTest : public ::testing::Test {
 protected:
  void SetUp() override {
    key.Format("Software\\Velmora\\%s\\style", static_cast<const char*>(CSposalboApp::GetAppName()));
    ::RegDeleteKeyA(HKEY_CURRENT_USER, key);
    const char* cls = AfxRegisterWndClass(0);
    ASSERT_TRUE(parent.CreateEx(0, cls, "toolbar", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
  }
  void TearDown() override {
    parent.DestroyWindow();
    ::RegDeleteKeyA(HKEY_CURRENT_USER, key);
  }
  void Create() {
    ASSERT_TRUE(combo.Create(0x50200003, CRect(10, 10, 200, 100), &parent, CSposalboStyleCombo::kId));
    combo.Fill();
  }
  void Choose(int index) {
    combo.SetCurSel(index);
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(CSposalboStyleCombo::kId, CBN_SELENDOK),
                       reinterpret_cast<LPARAM>(combo.m_hWnd));
  }
  CString Item(int index) {
    CString text;
    combo.GetLBText(index, text);
    return text;
  }
  CString key;
  CWnd parent;
  CSposalboStyleCombo combo;
  FakeEditorFrame frame;
};
}  // namespace

TEST_F(StyleComboTest, WithoutTheStyleKeyOnlyStandardAndPersonalizzate) {
  Create();
  ASSERT_EQ(combo.GetCount(), 2);
  EXPECT_STREQ(Item(0), "Standard");
  EXPECT_STREQ(Item(1), "Personalizzate");
  EXPECT_EQ(combo.GetCurSel(), 0);
  Choose(1);
  Choose(0);
  ASSERT_EQ(frame.collected.size(), 2u);
  EXPECT_EQ(frame.collected[0], std::make_pair(std::string(), true));
  EXPECT_EQ(frame.collected[1], std::make_pair(std::string(), false));
}

TEST_F(StyleComboTest, RegistryStylesFollowWithTheirKeys) {
  HKEY raw = nullptr;
  ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, key, &raw), ERROR_SUCCESS);
  ::RegSetValueExA(raw, "nozze", 0, REG_SZ, reinterpret_cast<const BYTE*>("Nozze classiche"), 16);
  ::RegSetValueExA(raw, "moderno", 0, REG_SZ, reinterpret_cast<const BYTE*>("Moderno"), 8);
  ::RegCloseKey(raw);
  Create();
  ASSERT_EQ(combo.GetCount(), 4);
  // In the registry's enumeration order, each text with its own key.
  const int moderno = Item(2) == CString("Moderno") ? 2 : 3;
  EXPECT_STREQ(Item(5 - moderno), "Nozze classiche");
  EXPECT_EQ(combo.GetStyleKey(5 - moderno), "nozze");
  Choose(moderno);
  ASSERT_EQ(frame.collected.size(), 1u);
  EXPECT_EQ(frame.collected[0], std::make_pair(std::string("moderno"), false));
}
