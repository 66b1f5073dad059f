// The dialog with a combined, feathered selection, read back from the screen:
// the blue outline, the white haze inside it and the photo elsewhere. With
// SPAB_CROP_PREVIEW_SCREENSHOT set the dialog is written to that path as a
// bitmap so a person can look at it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "CropTestSupport.h"
#include "crop/CropResources.h"
#include "crop/WindowCapture.h"

namespace {
int Red(uint32_t c) { return (c >> 16) & 255; }
int Green(uint32_t c) { return (c >> 8) & 255; }
int Blue(uint32_t c) { return c & 255; }
}  // namespace

TEST(CropPreview, ShowsTheOutlineAndTheSoftEdgeOverThePhoto) {
  std::string folder = FreshFolder("preview");
  ASSERT_TRUE(WriteTestPhoto(folder + "\\photo.tif", 400, 300));
  CTestCropDlg dialog;
  dialog.Run(CString((folder + "\\photo.tif").c_str()), [](CTestCropDlg& d) {
    HWND pane = d.PaneWindow();
    input::Drag(pane, d.PanePoint(40, 30), d.PanePoint(300, 220));
    {
      HeldKeys shift(true, false);
      input::Drag(pane, d.PanePoint(250, 150), d.PanePoint(380, 280));
    }
    d.SetDlgItemText(IDC_CROP_FEATHER, "50");
    ::RedrawWindow(d.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    input::Flush();
    ASSERT_EQ(d.GetPane().GetSelection().GetSize(), 1);

    WindowCapture shot = CaptureWindow(d.m_hWnd);
    if (const char* target = std::getenv("SPAB_CROP_PREVIEW_SCREENSHOT"); target && *target)
      WriteCapture(target, shot);
    // Pane client points into the capture of the whole window.
    CPoint origin(0, 0);
    ::MapWindowPoints(pane, d.m_hWnd, &origin, 1);
    CRect frame;
    ::GetWindowRect(d.m_hWnd, &frame);
    CPoint client(0, 0);
    ::ClientToScreen(d.m_hWnd, &client);
    auto at = [&](int x, int y, int dy = 0) {
      CPoint p = d.PanePoint(x, y);
      return shot.At(CPoint(p.x + origin.x + client.x - frame.left, p.y + dy + origin.y + client.y - frame.top));
    };
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
