// The dialog with a combined, feathered selection, read back from the screen:
// the blue outline, the white haze inside it and the photo elsewhere. With
// SPAB_CROP_PREVIEW_SCREENSHOT set the dialog is written to that path as a
// bitmap so a person can look at it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "CropTestSupport.h"
#include "crop/CropResources.h"
#include "crop/WindowCapture.h"

namespace {
int Red(uint32_t c) { return (c >> 16) & 255; }
int Green(uint32_t c) { return (c >> 8) & 255; }
int Blue(uint32_t c) { return c & 255; }

// The dialog's window captured, read at the pane points of photo pixels.
class PaneShot {
 public:
  explicit PaneShot(CTestCropDlg& d) : m_dialog(d), m_shot(CaptureWindow(d.m_hWnd)) {
    ::MapWindowPoints(d.PaneWindow(), d.m_hWnd, &m_origin, 1);
    CRect frame;
    ::GetWindowRect(d.m_hWnd, &frame);
    CPoint client(0, 0);
    ::ClientToScreen(d.m_hWnd, &client);
    m_origin.Offset(client.x - frame.left, client.y - frame.top);
  }
  const WindowCapture& Shot() const { return m_shot; }
  uint32_t At(int x, int y, int dy = 0) {
    CPoint p = m_dialog.PanePoint(x, y);
    return m_shot.At(CPoint(p.x + m_origin.x, p.y + dy + m_origin.y));
  }

 private:
  CTestCropDlg& m_dialog;
  WindowCapture m_shot;
  CPoint m_origin{0, 0};
};

// The dialog on a 400 x 300 test photo of a folder of its own.
void RunOnTestPhoto(const char* folderName, const CTestCropDlg::Steps& steps) {
  std::string folder = FreshFolder(folderName);
  ASSERT_TRUE(WriteTestPhoto(folder + "\\photo.tif", 400, 300));
  CTestCropDlg dialog;
  dialog.Run(CString((folder + "\\photo.tif").c_str()), steps);
}

// Draws the rectangle `first`, then `second` with the keys held, and sets the
// feather to 50.
void DrawSelection(CTestCropDlg& d, CRect first, CRect second, bool shift, bool alt) {
  HWND pane = d.PaneWindow();
  input::Drag(pane, d.PanePoint(first.left, first.top), d.PanePoint(first.right, first.bottom));
  {
    HeldKeys keys(shift, alt);
    input::Drag(pane, d.PanePoint(second.left, second.top), d.PanePoint(second.right, second.bottom));
  }
  d.SetDlgItemText(IDC_CROP_FEATHER, "50");
  ::RedrawWindow(d.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  input::Flush();
}
}  // namespace

TEST(CropPreview, ShowsTheOutlineAndTheSoftEdgeOverThePhoto) {
  RunOnTestPhoto("preview", [](CTestCropDlg& d) {
    DrawSelection(d, CRect(40, 30, 300, 220), CRect(250, 150, 380, 280), true, false);
    ASSERT_EQ(d.GetPane().GetSelection().GetSize(), 1);

    PaneShot shot(d);
    if (const char* target = std::getenv("SPAB_CROP_PREVIEW_SCREENSHOT"); target && *target)
      WriteCapture(target, shot.Shot());
    auto at = [&](int x, int y, int dy = 0) { return shot.At(x, y, dy); };
    // The 2-pixel blue line lies across the top edge.
    int blueRows = 0;
    for (int dy = -3; dy <= 3; ++dy) blueRows += Blue(at(150, 30, dy)) > 180 && Red(at(150, 30, dy)) < 90;
    EXPECT_GE(blueRows, 1);
    // Inside next to the outline the haze lightens the photo (its red is 77).
    EXPECT_GT(Red(at(150, 36)), 150);
    // Deep inside and outside the selection the photo shows as it is.
    EXPECT_NEAR(Red(at(150, 125)), 77, 12);
    EXPECT_NEAR(Red(at(350, 40)), 77, 12);
    EXPECT_NEAR(Green(at(350, 40)), 40, 12);
  });
}

// A hole comes linked into its outline by an edge walked there and back: the
// preview shows neither a line nor a gap in the haze along it. The photo's red
// is the same everywhere, and above and below the hole the haze's rays meet the
// outline's top or bottom edge, so across the hole's columns (the link's among
// them) every row keeps the red of its middle.
TEST(CropPreview, AHoleShowsOnlyItsOwnOutline) {
  RunOnTestPhoto("preview-hole", [](CTestCropDlg& d) {
    DrawSelection(d, CRect(40, 30, 300, 220), CRect(120, 90, 220, 160), false, true);
    ASSERT_EQ(d.GetPane().GetSelection().GetSize(), 1);
    PaneShot shot(d);
    for (int y : {40, 55, 70, 80, 170, 185, 200, 210}) {
      const int middle = Red(shot.At(170, y));
      int worst = 0;
      for (int x = 110; x <= 230; ++x) worst = std::max(worst, std::abs(Red(shot.At(x, y)) - middle));
      EXPECT_LE(worst, 12) << "row " << y;
    }
    // The hole itself: the photo as it is, its outline in blue.
    EXPECT_NEAR(Red(shot.At(170, 125)), 77, 12);
    int blueRows = 0;
    for (int dy = -3; dy <= 3; ++dy) blueRows += Blue(shot.At(170, 90, dy)) > 180 && Red(shot.At(170, 90, dy)) < 90;
    EXPECT_GE(blueRows, 1);
  });
}
