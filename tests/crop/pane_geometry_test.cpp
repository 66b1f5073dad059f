#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "crop/PaneGeometry.h"

TEST(PaneGeometry, AWidePhotoIsCentredVerticallyAtZoomOne) {
  PaneFit fit = FitPicture(400, 100, 200, 200, 1.0);
  EXPECT_DOUBLE_EQ(fit.scale, 0.5);
  EXPECT_EQ(fit.offsetX, 0);
  EXPECT_EQ(fit.offsetY, 75);  // bands of 75 above and below
  EXPECT_FALSE(fit.fitsX);
  EXPECT_TRUE(fit.fitsY);
  EXPECT_EQ(MaxScroll(fit, 200, 200), CPoint(0, 0));
}

TEST(PaneGeometry, MappingGoesBothWaysAndIgnoresScrollAlongAFittingSide) {
  PaneFit fit = FitPicture(400, 100, 200, 200, 2.0);  // 400 x 100 on screen
  CPoint scroll(50, 30);                               // y fits: its offset does not count
  EXPECT_EQ(MapPanePoint(CPoint(100, 20), 0, fit, scroll), CPoint(50, 70));
  EXPECT_EQ(MapPanePoint(CPoint(50, 70), 1, fit, scroll), CPoint(100, 20));
  EXPECT_EQ(MapPanePoint(CPoint(-3, 49), 1, fit, scroll), CPoint(47, -1));  // truncated toward zero
}

TEST(PaneGeometry, NoScaleLeavesPointsAsTheyAre) {
  PaneFit none = FitPicture(400, 100, 0, 200, 1.0);
  EXPECT_EQ(MapPanePoint(CPoint(7, 9), 1, none, CPoint(3, 3)), CPoint(7, 9));
  EXPECT_EQ(MapPanePoint(CPoint(7, 9), 0, none, CPoint(3, 3)), CPoint(7, 9));
}

TEST(PaneGeometry, UnusableZoomsAreRefused) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double zoom;
    bool usable;
  } cases[] = {{1.0, true}, {0.0, false}, {-1.1, false}, {nan, false}, {1e-6, false}, {999.0, true}, {1e6, false}};
  for (const auto& c : cases) EXPECT_EQ(IsUsableZoom(400, 300, 200, 200, c.zoom), c.usable) << c.zoom;
}

// A photo 4000 x 1 is a tenth of a pixel tall in a pane of 400: it still
// shows as a line, and zooming in (not out) is how the user gets closer.
TEST(PaneGeometry, APhotoThinnerThanAPixelShowsAsALineAndCanBeZoomedInto) {
  PaneFit fit = FitPicture(4000, 1, 400, 400, 1.0);
  CRect source, destination;
  ASSERT_TRUE(VisiblePart(fit, CPoint(0, 0), CRect(0, 0, 400, 400), 4000, 1, source, destination));
  EXPECT_EQ(source, CRect(0, 0, 4000, 1));
  EXPECT_EQ(destination.Width(), 400);
  EXPECT_EQ(destination.Height(), 1);
  EXPECT_TRUE(IsUsableZoom(4000, 1, 400, 400, 1.1));
  EXPECT_FALSE(IsUsableZoom(4000, 1, 400, 400, 0.9));
}

TEST(PaneGeometry, ZoomKeepsTheCentreAndScrollingStaysInRange) {
  PaneFit one = FitPicture(200, 200, 200, 200, 1.0);
  PaneFit two = FitPicture(200, 200, 184, 184, 2.0);
  CPoint scroll = ScrollAfterZoom(one, CSize(200, 200), CPoint(0, 0), two, CSize(184, 184));
  // The photo's centre stays at the view's centre.
  EXPECT_EQ(MapPanePoint(CPoint(92, 92), 1, two, scroll), CPoint(100, 100));
  const struct {
    int code, thumb, current, expected;
  } cases[] = {{SB_LINEDOWN, 0, 10, 11},  {SB_LINEUP, 0, 0, 0},         {SB_PAGEDOWN, 0, 10, 26},
               {SB_PAGEDOWN, 0, 90, 100}, {SB_THUMBTRACK, 500, 0, 100}, {SB_TOP, 0, 40, 0},
               {SB_BOTTOM, 0, 0, 100},    {SB_ENDSCROLL, 0, 40, 40}};
  for (const auto& c : cases) EXPECT_EQ(ScrollRequest(c.code, c.thumb, c.current, 100), c.expected) << c.code;
}
