// The image pane in a window of its own: its scroll bars, made or not.
#include <gtest/gtest.h>

#include "CropTestSupport.h"
#include "crop/ImageEditPane.h"

namespace {
// A 200 x 150 pane showing a 400 x 300 photo, at zoom 1.
class ImagePaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), "Pane", WS_POPUP | WS_VISIBLE, 40, 40, 240, 190, nullptr,
                              nullptr));
    ASSERT_TRUE(pane.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10, 10, 210, 160), &host, 1041));
    ASSERT_TRUE(MakeTestPhoto(photo, 400, 300));
    pane.SetImage(&photo, FALSE);
  }
  void TearDown() override { host.DestroyWindow(); }
  int Children() const {
    int n = 0;
    for (HWND child = ::GetWindow(pane.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) ++n;
    return n;
  }
  CWnd host;
  CImageEditPane pane;
  CImgBitmap photo;
};
}  // namespace

TEST_F(ImagePaneTest, ScrollBarsThatCannotAllBeMadeLeaveNoneAndTheWholeViewToThePhoto) {
  // The vertical bar, the horizontal bar and the size box are made in turn.
  for (int made = 0; made < 3; ++made) {
    {
      RefusedWindows refused("ScrollBar", made);
      EXPECT_FALSE(pane.EnableScrollBars(TRUE)) << made;
    }
    EXPECT_FALSE(pane.HasScrollBars());
    EXPECT_EQ(Children(), 0) << made;
    pane.SetZoom(2.0f, FALSE);
    EXPECT_EQ(pane.GetViewRect(), CRect(0, 0, 200, 150)) << made;
    pane.SetZoom(1.0f, FALSE);
  }
  // Once they can be made, they are.
  EXPECT_TRUE(pane.EnableScrollBars(TRUE));
  EXPECT_TRUE(pane.HasScrollBars());
  EXPECT_EQ(Children(), 3);
  pane.SetZoom(2.0f, FALSE);
  EXPECT_EQ(pane.GetViewRect(), CRect(0, 0, 200 - CImagePane::kBarSize, 150 - CImagePane::kBarSize));
}
