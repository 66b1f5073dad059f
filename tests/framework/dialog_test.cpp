#include <gtest/gtest.h>

#include "framework/framework.h"
#include "framework/scripted_ui.h"
#include "test_ids.h"
#include "test_support.h"

namespace {
class CExchangeDialog : public CDialog {
 public:
  CExchangeDialog() : CDialog(IDD_EXCHANGE) {}
  CString name = "start";
  int percent = 40;
  int enabled = 1;
  int choice = 2;
  CButton pushButton;
  int initCount = 0;
  BOOL OnInitDialog() override {
    ++initCount;
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_NAME, name);
    DDV_MaxChars(pDX, name, 10);
    DDX_Text(pDX, IDC_PERCENT, percent);
    DDV_MinMaxInt(pDX, percent, 0, 100);
    DDX_Check(pDX, IDC_ENABLED, enabled);
    DDX_Radio(pDX, IDC_RADIO_FIRST, choice);
    DDX_Control(pDX, IDC_PUSH, pushButton);
  }
};

CString itemText(CWnd* pDialog, int nID) {
  CString text;
  pDialog->GetDlgItemText(nID, text);
  return text;
}
}  // namespace

TEST(Dialog, SeamAnswerEndsTheDialogWithoutShowingIt) {
  CScriptedUi ui;
  ui.AnswerModal(IDOK);
  CExchangeDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.initCount, 0);
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].kind, "modal");
  EXPECT_EQ(ui.Questions()[0].type, static_cast<UINT>(IDD_EXCHANGE));
}

TEST(Dialog, ADialogThatPlacesItselfNowhereOpensCentredOnItsOwner) {
  CScriptedUi ui;
  CWnd owner;
  ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 600, 400,
                             nullptr, nullptr));
  struct Case {
    const char* name;
    CPoint movedTo;  // where the dialog puts itself while opening; (-1, -1): nowhere
  };
  for (const Case& c : {Case{"nowhere", CPoint(-1, -1)}, Case{"itself", CPoint(5, 6)}}) {
    SCOPED_TRACE(c.name);
    struct CPlacingDialog : CExchangeDialog {
      CPoint movedTo;
      BOOL OnInitDialog() override {
        CExchangeDialog::OnInitDialog();
        if (movedTo.x >= 0) SetWindowPos(nullptr, movedTo.x, movedTo.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return TRUE;
      }
    } dialog;
    dialog.movedTo = c.movedTo;
    dialog.m_pParentWnd = &owner;
    CRect placed;
    ui.AnswerModalWith([&](CWnd* wnd) {
      wnd->GetWindowRect(&placed);
      wnd->SendMessage(WM_COMMAND, IDCANCEL);
    });
    dialog.DoModal();
    if (c.movedTo.x >= 0) {
      EXPECT_EQ(placed.TopLeft(), c.movedTo);
    } else {
      EXPECT_NEAR(placed.CenterPoint().x, 100 + 300, 1);
      EXPECT_NEAR(placed.CenterPoint().y, 80 + 200, 1);
    }
  }
  owner.DestroyWindow();
}

TEST(Dialog, UnansweredModalDialogIsCancelledAtOnce) {
  CScriptedUi ui;
  CExchangeDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

TEST(Dialog, ModalLoopExchangesDataBothWays) {
  CScriptedUi ui;
  CString seenName;
  int seenChoice = -1;
  ui.AnswerModalWith([&](CWnd* pDialog) {
    seenName = itemText(pDialog, IDC_NAME);
    seenChoice = pDialog->IsDlgButtonChecked(IDC_RADIO_THIRD) ? 2 : -1;
    pDialog->SetDlgItemText(IDC_NAME, "Anna");
    pDialog->SetDlgItemText(IDC_PERCENT, " 75 ");
    pDialog->CheckDlgButton(IDC_ENABLED, BST_UNCHECKED);
    pDialog->CheckRadioButton(IDC_RADIO_FIRST, IDC_RADIO_THIRD, IDC_RADIO_FIRST);
    pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
  });
  CExchangeDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.initCount, 1);
  EXPECT_STREQ(seenName, "start");
  EXPECT_EQ(seenChoice, 2);
  EXPECT_STREQ(dialog.name, "Anna");
  EXPECT_EQ(dialog.percent, 75);
  EXPECT_EQ(dialog.enabled, 0);
  EXPECT_EQ(dialog.choice, 0);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_EQ(dialog.pushButton.m_hWnd, nullptr);  // went with the dialog
}

TEST(Dialog, RangeViolationShowsTheRangeMessageAndKeepsTheDialog) {
  struct Case {
    const char* percent;
    const char* message;
  };
  const Case cases[] = {
      {"150", "Please enter an integer between 0 and 100."},
      {"-1", "Please enter an integer between 0 and 100."},
      {"12abc", "Please enter an integer."},
      {"", "Please enter an integer."},
  };
  for (const Case& c : cases) {
    CScriptedUi ui;
    bool stayedOpen = false;
    HWND focusAfterFailure = nullptr;
    HWND percentControl = nullptr;
    ui.AnswerModalWith([&](CWnd* pDialog) {
      percentControl = pDialog->GetDlgItem(IDC_PERCENT)->m_hWnd;
      pDialog->SetDlgItemText(IDC_PERCENT, c.percent);
      pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
      stayedOpen = ::IsWindowVisible(pDialog->m_hWnd) != 0;
      focusAfterFailure = ::GetFocus();
      pDialog->SetDlgItemText(IDC_PERCENT, "50");
      pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    });
    CExchangeDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK) << c.percent;
    EXPECT_TRUE(stayedOpen) << c.percent;
    EXPECT_EQ(focusAfterFailure, percentControl) << c.percent;
    ASSERT_EQ(ui.Questions().size(), 2u) << c.percent;
    EXPECT_STREQ(ui.Questions()[1].kind, "message");
    EXPECT_STREQ(ui.Questions()[1].text, c.message);
    EXPECT_EQ(dialog.percent, 50);
  }
}

TEST(Dialog, TooLongTextIsRefused) {
  CScriptedUi ui;
  ui.AnswerModalWith([](CWnd* pDialog) {
    pDialog->SetDlgItemText(IDC_NAME, "far too long a name");
    pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  });
  CExchangeDialog dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  ASSERT_EQ(ui.Questions().size(), 2u);
  EXPECT_STREQ(ui.Questions()[1].text, "Please enter no more than 10 characters.");
}

TEST(Dialog, ModelessDialogExchangesOnRequest) {
  CExchangeDialog dialog;
  ASSERT_TRUE(dialog.Create(IDD_EXCHANGE));
  EXPECT_EQ(dialog.initCount, 1);
  EXPECT_STREQ(itemText(&dialog, IDC_PERCENT), "40");
  EXPECT_NE(dialog.pushButton.m_hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(dialog.GetDlgItem(IDC_PUSH)->m_hWnd), &dialog.pushButton);
  dialog.SetDlgItemText(IDC_PERCENT, "9");
  EXPECT_TRUE(dialog.UpdateData(TRUE));
  EXPECT_EQ(dialog.percent, 9);
  dialog.percent = 13;
  EXPECT_TRUE(dialog.UpdateData(FALSE));
  EXPECT_STREQ(itemText(&dialog, IDC_PERCENT), "13");
  dialog.DestroyWindow();
}

TEST(Dialog, MissingTemplateFailsWithMinusOne) {
  CScriptedUi ui;
  ui.AnswerModalWith([](CWnd*) {});
  CDialog dialog(9999);
  EXPECT_EQ(dialog.DoModal(), -1);
  CDialog modeless;
  EXPECT_FALSE(modeless.Create(9999));
}

namespace {
// A command target that only disables the push button.
class CPushDisabler : public CCmdTarget {
 public:
  afx_msg void OnUpdatePush(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  afx_msg void OnCancelCommand() {}
  DECLARE_MESSAGE_MAP()
};
}  // namespace

BEGIN_MESSAGE_MAP(CPushDisabler, CCmdTarget)
  ON_UPDATE_COMMAND_UI(IDC_PUSH, OnUpdatePush)
  ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

TEST(Dialog, ControlsFollowTheUpdateHandlersOfATarget) {
  CExchangeDialog dialog;
  ASSERT_TRUE(dialog.Create(IDD_EXCHANGE));
  CPushDisabler target;
  dialog.UpdateDialogControls(&target, TRUE);
  EXPECT_FALSE(dialog.GetDlgItem(IDC_PUSH)->IsWindowEnabled());   // its update handler
  EXPECT_FALSE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());       // no handler at all
  EXPECT_TRUE(dialog.GetDlgItem(IDCANCEL)->IsWindowEnabled());    // has a command handler
  EXPECT_TRUE(dialog.GetDlgItem(IDC_NAME)->IsWindowEnabled());    // not a button: left alone
  dialog.DestroyWindow();
}

TEST(Controls, ToolTipsCountTheirTools) {
  CHostWnd host;
  CButton button;
  ASSERT_TRUE(button.Create("b", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), &host, 5));
  CToolTipCtrl tips;
  ASSERT_TRUE(tips.Create(&host));
  EXPECT_TRUE(tips.AddTool(&button, "Press me"));
  EXPECT_TRUE(tips.AddTool(&host, "Area", CRect(50, 0, 90, 20), 7));
  EXPECT_EQ(tips.GetToolCount(), 2);
  tips.DelTool(&button);
  EXPECT_EQ(tips.GetToolCount(), 1);
}
