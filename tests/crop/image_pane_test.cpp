// The image pane in a window of its own: its scroll bars, made or not.
#include <gtest/gtest.h>

#include <array>

#include "CropTestSupport.h"
#include "crop/ImageEditPane.h"
#include "crop/WindowCapture.h"

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

TEST_F(ImagePaneTest, APhotoWithAlphaIsBlendedOverTheBackdropUnlessDrawnOpaque) {
  // A plain pane beside the edit pane, its photo half transparent: 400 x 300 in 200 x 150.
  CImagePane plain;
  ASSERT_TRUE(plain.Create("", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(10, 10, 210, 160), &host, 1042));
  pane.ShowWindow(SW_HIDE);
  CImgBitmap halfClear;
  ASSERT_TRUE(MakeTestPhoto(halfClear, 400, 300, true, 128));
  auto centre = [&plain] {
    ::RedrawWindow(plain.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    uint32_t p = CaptureWindow(plain.m_hWnd).At(CPoint(100, 75));  // photo pixel (200, 150)
    return std::array<int, 3>{static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255),
                              static_cast<int>(p & 255)};
  };
  const struct {
    const char* name;
    CImgBitmap* photo;
    BOOL opaque;
    std::array<int, 3> rgb;
  } cases[] = {
      {"no photo: the background", nullptr, FALSE, {0x00, 0x00, 0x44}},
      {"alpha over the backdrop", &halfClear, FALSE, {166, 139, 164}},
      {"drawn opaque", &halfClear, TRUE, {77, 150, 200}},
  };
  for (const auto& c : cases) {
    plain.SetImage(c.photo, FALSE);
    plain.SetOpaqueDrawing(c.opaque);
    std::array<int, 3> got = centre();
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(got[i], c.rgb[i], 6) << c.name << " channel " << i;
  }
  // The edit pane always shows its photo opaque.
  pane.SetImage(&halfClear, FALSE);
  pane.ShowWindow(SW_SHOW);
  plain.ShowWindow(SW_HIDE);
  ::RedrawWindow(pane.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_NEAR(static_cast<int>((CaptureWindow(pane.m_hWnd).At(CPoint(100, 75)) >> 16) & 255), 77, 6);
}
