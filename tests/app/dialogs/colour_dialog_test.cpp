#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "app/dialogs/ColourChannels.h"
#include "app/dialogs/DlgImgColor.h"
#include "app/dialogs/DialogDriving.h"
#include "document/pages/PaginaTreeNode.h"
#include "framework/scripted_ui.h"

using dialog_test::Click;
using dialog_test::PumpPending;
using dialog_test::TextOf;

namespace {
// A page whose selection has one set of colours and which records what the
// dialog asks of it.
class RecordingPage : public treeNode::CPaginaTreeNode {
 public:
  RecordingPage() : CPaginaTreeNode(nullptr) {}
  struct Call {
    char kind;  // 'c' colours, 'a' alpha, 'r' reapply
    CImgColor colour;
    float alpha = 0;
    bool preview = false;
  };
  CImgColor* GetColourSettings() override { return &own; }
  void SetColourSettings(const CImgColor* colour, bool preview) override {
    calls.push_back({'c', *colour, 0, preview});
  }
  void SetAlpha(float alpha, bool preview) override { calls.push_back({'a', CImgColor(), alpha, preview}); }
  void ReapplyColour() override { calls.push_back({'r', CImgColor(), 0, false}); }
  CImgColor own;
  std::vector<Call> calls;
};

class ColourDialogTest : public ::testing::Test {
 protected:
  ColourDialogTest() {
    page.own.red = 1.0f;
    page.own.contrast = 0.6f;
    page.own.alpha = 0.75f;
  }
  // Runs the dialog; the action drives it and ends it.
  INT_PTR Run(std::function<void(CDlgImgColor&)> action, bool withPage = true) {
    CDlgImgColor dialog(
        nullptr, [this, withPage]() -> treeNode::CPaginaTreeNode* { return withPage ? &page : nullptr; },
        [this](bool paused) { pauses.push_back(paused); });
    ui.AnswerModalWith([&](CWnd* wnd) {
      page.calls.clear();
      action(*static_cast<CDlgImgColor*>(wnd));
    });
    return dialog.DoModal();
  }
  // Drags a slider's thumb to the end of its channel.
  static void DragToEnd(CWnd* dialog, int sliderId) {
    CWnd* slider = dialog->GetDlgItem(sliderId);
    CRect rect;
    slider->GetClientRect(&rect);
    const int centre = static_cast<CBitmapSlider*>(slider)->GetThumbCentre();
    slider->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre, 5));
    slider->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rect.right + 20, 5));
    slider->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rect.right + 20, 5));
    PumpPending();
  }
  // Presses the up arrow of a spin button once.
  static void SpinUp(CWnd* dialog, int spinId) {
    CWnd* spin = dialog->GetDlgItem(spinId);
    CRect rect;
    spin->GetClientRect(&rect);
    spin->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.Width() / 2, 2));
    spin->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rect.Width() / 2, 2));
    PumpPending();
  }

  CScriptedUi ui;
  RecordingPage page;
  std::vector<bool> pauses;
};
}  // namespace

TEST(ColourChannels, MapPositionsToValuesAndBack) {
  struct Case {
    float scale;
    int position;
    float value;
  };
  const Case cases[] = {{1.0f, 50, 1.0f}, {1.0f, 100, 2.0f}, {1.0f, 0, 0.0f},   {0.5f, 50, 0.5f},
                        {0.5f, 100, 1.0f}, {0.5f, 75, 0.75f}, {1.0f, 150, 2.0f}, {1.0f, -3, 0.0f}};
  for (const Case& c : cases) EXPECT_FLOAT_EQ(ColourValueOfPosition(c.position, c.scale), c.value) << c.position;
  for (float scale : {1.0f, 0.5f})
    for (int p = 0; p <= 100; ++p) EXPECT_EQ(ColourPositionOfValue(ColourValueOfPosition(p, scale), scale), p);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float bad[][3] = {{nan, 1.0f, 0}, {-1.0f, 1.0f, 0}, {7.0f, 1.0f, 100}, {1.2f, 0.5f, 100}, {0.0f, 0.5f, 0}};
  for (const auto& b : bad) EXPECT_EQ(ColourPositionOfValue(b[0], b[1]), static_cast<int>(b[2])) << b[0];
}

TEST(ColourChannels, TypedTextIsClampedOrIgnored) {
  struct Case {
    const char* text;
    int position;
    bool outOfRange;
  };
  const Case cases[] = {{"42", 42, false},  {" 7 ", 7, false},  {"250", 100, true}, {"-7", 0, true},
                        {"abc", 33, false}, {"", 33, false},    {"12x", 33, false},
                        {"99999999999999999999", 100, true}};
  for (const Case& c : cases) {
    bool outOfRange = false;
    EXPECT_EQ(ColourPositionOfText(c.text, 33, &outOfRange), c.position) << c.text;
    EXPECT_EQ(outOfRange, c.outOfRange) << c.text;
  }
}

TEST_F(ColourDialogTest, OpensOnTheSelectionsColours) {
  int red = -1, contrast = -1, alpha = -1;
  CString redText;
  Run([&](CDlgImgColor& dialog) {
    red = static_cast<CBitmapSlider*>(dialog.GetDlgItem(IDC_COL_RED_SLIDER))->GetPos();
    contrast = static_cast<CBitmapSlider*>(dialog.GetDlgItem(IDC_COL_CONTRAST_SLIDER))->GetPos();
    alpha = static_cast<CBitmapSlider*>(dialog.GetDlgItem(IDC_COL_ALPHA_SLIDER))->GetPos();
    redText = TextOf(&dialog, IDC_COL_RED_EDIT);
    Click(&dialog, IDCANCEL);
  });
  EXPECT_EQ(red, 50);
  EXPECT_EQ(contrast, 60);
  EXPECT_EQ(alpha, 75);
  EXPECT_STREQ(redText, "50");
  // Paused while it is made, drawn again once it shows.
  ASSERT_GE(pauses.size(), 2u);
  EXPECT_TRUE(pauses.front());
  EXPECT_FALSE(pauses.back());
}

TEST_F(ColourDialogTest, SliderDragPreviewsAndOkKeeps) {
  CString redText, greenText;
  EXPECT_EQ(Run([&](CDlgImgColor& dialog) {
              DragToEnd(&dialog, IDC_COL_RED_SLIDER);
              DragToEnd(&dialog, IDC_COL_CONTRAST_SLIDER);
              // A key moves a slider as a drag does.
              dialog.GetDlgItem(IDC_COL_GREEN_SLIDER)->SendMessage(WM_KEYDOWN, VK_RIGHT, 0);
              PumpPending();
              redText = TextOf(&dialog, IDC_COL_RED_EDIT);
              greenText = TextOf(&dialog, IDC_COL_GREEN_EDIT);
              Click(&dialog, IDOK);
            }),
            IDOK);
  EXPECT_STREQ(redText, "100");
  EXPECT_STREQ(greenText, "51");
  ASSERT_FALSE(page.calls.empty());
  for (size_t i = 0; i + 1 < page.calls.size(); ++i) {
    EXPECT_EQ(page.calls[i].kind, 'c');
    EXPECT_TRUE(page.calls[i].preview);
  }
  const RecordingPage::Call& last = page.calls.back();
  EXPECT_EQ(last.kind, 'c');
  EXPECT_FALSE(last.preview);
  EXPECT_FLOAT_EQ(last.colour.red, 2.0f);
  EXPECT_FLOAT_EQ(last.colour.green, 1.02f);
  EXPECT_FLOAT_EQ(last.colour.contrast, 1.0f);
  EXPECT_FLOAT_EQ(last.colour.alpha, 0.75f);
}

TEST_F(ColourDialogTest, TransparencySpinPreviewsTheAlphaAlone) {
  Run([&](CDlgImgColor& dialog) {
    SpinUp(&dialog, IDC_COL_ALPHA_SPIN);
    EXPECT_STREQ(TextOf(&dialog, IDC_COL_ALPHA_EDIT), "76");
    Click(&dialog, IDCANCEL);
  });
  ASSERT_GE(page.calls.size(), 2u);
  for (size_t i = 0; i + 1 < page.calls.size(); ++i) {
    EXPECT_EQ(page.calls[i].kind, 'a') << i;
    EXPECT_TRUE(page.calls[i].preview);
  }
  EXPECT_FLOAT_EQ(page.calls[page.calls.size() - 2].alpha, 0.76f);
  EXPECT_EQ(page.calls.back().kind, 'r');  // Cancel gives the objects their own colours back
}

TEST_F(ColourDialogTest, TypedValuesAreKeptWithinTheRange) {
  struct Case {
    const char* typed;
    const char* shown;
    int position;
  };
  const Case cases[] = {{"250", "100", 100}, {"-7", "0", 0}, {"abc", "abc", 50}, {"20", "20", 20}};
  for (const Case& c : cases) {
    int slider = -1;
    CString shown;
    Run([&](CDlgImgColor& dialog) {
      dialog_test::Type(&dialog, IDC_COL_GREEN_EDIT, c.typed);
      slider = static_cast<CBitmapSlider*>(dialog.GetDlgItem(IDC_COL_GREEN_SLIDER))->GetPos();
      shown = TextOf(&dialog, IDC_COL_GREEN_EDIT);
      Click(&dialog, IDOK);
    });
    EXPECT_EQ(slider, c.position) << c.typed;
    EXPECT_STREQ(shown, c.shown) << c.typed;
    ASSERT_FALSE(page.calls.empty());
    const float green = page.calls.back().colour.green;
    EXPECT_FLOAT_EQ(green, c.position / 50.0f) << c.typed;
    for (const auto& call : page.calls) EXPECT_FALSE(std::isnan(call.colour.green));
  }
}

TEST_F(ColourDialogTest, WithoutAPageShowsDefaultsAndPreviewsNothing) {
  int contrast = -1;
  EXPECT_EQ(Run(
                [&](CDlgImgColor& dialog) {
                  contrast = static_cast<CBitmapSlider*>(dialog.GetDlgItem(IDC_COL_CONTRAST_SLIDER))->GetPos();
                  DragToEnd(&dialog, IDC_COL_RED_SLIDER);
                  Click(&dialog, IDOK);
                },
                false),
            IDOK);
  EXPECT_EQ(contrast, 50);
  EXPECT_TRUE(page.calls.empty());
}
