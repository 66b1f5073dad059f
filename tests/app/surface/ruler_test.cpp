// The rulers: tick spacing at several zooms, where ticks and labels go, and a
// ruler drawn into a bitmap and read back.
#include <gtest/gtest.h>

#include "app/surface/RulerMath.h"
#include "app/surface/RulerView.h"

TEST(RulerMath, SpacingIsAtLeastThreePixelsInStepsOfTen) {
  struct Case {
    float zoom, pixelsPerUnit, spacing;
  } cases[] = {
      {1.0f, 10.0f, 10.0f}, {0.5f, 0.5f, 25.0f},  // a quarter pixel: scaled by 10 twice
      {2.0f, 2.0f, 4.0f},   {0.0f, 5.0f, 10.0f},  // not above 0: 1, then 10
      {-1.0f, 5.0f, 10.0f}, {1.0f, 2.9f, 29.0f},
  };
  for (const Case& c : cases)
    EXPECT_FLOAT_EQ(ruler_math::TickSpacing(c.zoom, c.pixelsPerUnit), c.spacing) << c.zoom << " " << c.pixelsPerUnit;
}

TEST(RulerMath, TicksCountFromTheOffsetWithLongTicksEveryTenth) {
  EXPECT_EQ(ruler_math::TickPosition(1, 10.0f, 0), 10);
  EXPECT_EQ(ruler_math::TickPosition(3, 2.5f, -100), 107);
  EXPECT_EQ(ruler_math::TickStart(10), 0);
  EXPECT_EQ(ruler_math::TickStart(20), 0);
  EXPECT_EQ(ruler_math::TickStart(5), 10);
  EXPECT_EQ(ruler_math::TickStart(7), 12);
}

TEST(RulerMath, TicksCoverTheRulerFromBeforeThePageToItsEnd) {
  struct Case {
    int length;
    float spacing;
    int offset, first, last;
  } cases[] = {
      {200, 10.0f, 0, 0, 19},       // the page starts with the ruler
      {200, 10.0f, -45, -4, 15},    // the page starts 45 pixels in: ticks before it too
      {200, 10.0f, 1000, 100, 119}, // panned far left: the ruler still fills
      {0, 10.0f, 0, 0, -1},         // no ruler, no ticks
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ruler_math::FirstTick(c.spacing, c.offset), c.first) << c.offset;
    EXPECT_EQ(ruler_math::LastTick(c.length, c.spacing, c.offset), c.last) << c.offset;
  }
}

TEST(RulerMath, LabelsReadCentimetresAtEveryScale) {
  struct Case {
    float zoom, pixelsPerUnit;
    int unitsPerTick, tick, centimetres;
  } cases[] = {
      {1.0f, 4.0f, 1, 10, 1},   {1.0f, 4.0f, 1, 30, 3},  // a tick a millimetre
      {1.0f, 2.8f, 10, 10, 10}, {1.0f, 2.8f, 10, 20, 20},  // a tick a centimetre
      {0.5f, 0.5f, 100, 10, 100},                          // scaled twice
      {1.0f, 4.0f, 1, -20, -2},                            // before the page's edge
  };
  for (const Case& c : cases) {
    const ruler_math::TickScale scale = ruler_math::Scale(c.zoom, c.pixelsPerUnit);
    EXPECT_EQ(scale.unitsPerTick, c.unitsPerTick) << c.pixelsPerUnit;
    EXPECT_EQ(ruler_math::LabelCentimetres(c.tick, scale.unitsPerTick), c.centimetres) << c.tick;
  }
}

namespace {
// A horizontal ruler 200 x 16 drawn into a memory bitmap.
struct DrawnRuler {
  explicit DrawnRuler(const RulerGeometry& geometry) {
    const char* cls = AfxRegisterWndClass(0);
    parent.CreateEx(0, cls, "ruler", WS_POPUP, 0, 0, 200, 16, nullptr, nullptr);
    CCreateContext context;
    ruler = new CRulerView;  // deletes itself with its window
    ruler->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 16), &parent, 1, &context);
    ruler->UpdateGeometry(geometry);
    CClientDC screen(ruler);
    dc.CreateCompatibleDC(&screen);
    bitmap.CreateCompatibleBitmap(&screen, 200, 16);
    old = dc.SelectObject(&bitmap);
    ruler->OnDraw(&dc);
  }
  ~DrawnRuler() {
    dc.SelectObject(old);
    parent.DestroyWindow();
  }
  bool Black(int x, int y) { return (dc.GetPixel(x, y) & 0xFFFFFF) == 0; }
  CWnd parent;
  CRulerView* ruler = nullptr;
  CDC dc;
  CBitmap bitmap;
  CBitmap* old = nullptr;
};
}  // namespace

TEST(RulerView, DrawsTicksFromTheOffsetWithLongTicksAtTheTenths) {
  RulerGeometry g;
  g.reason = 2;
  g.zoom = 1.0f;
  g.pixelsPerUnit = 10.0f;
  g.panX = -5;  // the page starts 5 pixels in
  DrawnRuler drawn(g);
  EXPECT_FLOAT_EQ(drawn.ruler->GetSpacing(), 10.0f);
  EXPECT_TRUE(drawn.Black(15, 15));   // tick 1
  EXPECT_FALSE(drawn.Black(15, 11));  // a short tick starts at 12
  EXPECT_TRUE(drawn.Black(55, 11));   // tick 5 starts at 10
  EXPECT_TRUE(drawn.Black(105, 1));   // tick 10 spans the ruler
  EXPECT_FALSE(drawn.Black(20, 15));  // between ticks
  EXPECT_TRUE(drawn.Black(5, 1));     // the page's edge
}

TEST(RulerView, TicksReachTheRulersEndWhenThePageIsPannedAway) {
  RulerGeometry g;
  g.reason = 2;
  g.pixelsPerUnit = 10.0f;
  g.panX = 150;  // the page's edge lies 150 pixels before the ruler
  DrawnRuler drawn(g);
  EXPECT_TRUE(drawn.Black(0, 15));
  EXPECT_TRUE(drawn.Black(50, 1));    // 20 centimetres
  EXPECT_TRUE(drawn.Black(190, 15));  // near the end
  EXPECT_TRUE(drawn.Black(150, 1));
}

TEST(RulerView, FramesThatMoveNothingLeaveTheRulerAndItsMarkerAlone) {
  RulerGeometry g;
  g.reason = 2;
  g.pixelsPerUnit = 10.0f;
  DrawnRuler drawn(g);
  CRulerView& ruler = *drawn.ruler;
  // Only a shown window collects a region to repaint.
  drawn.parent.SetWindowPos(nullptr, 600, 900, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ruler.ValidateRect(nullptr);
  g.reason = 0;
  ruler.UpdateGeometry(g);
  EXPECT_FALSE(ruler.GetUpdateRect(nullptr)) << "an unchanged frame repaints nothing";
  g.panX = 7;
  ruler.UpdateGeometry(g);
  EXPECT_TRUE(ruler.GetUpdateRect(nullptr)) << "a frame after a pan repaints";
}
