#include <gtest/gtest.h>

#include <cmath>

#include "app/surface/SurfaceRules.h"

using namespace surface_rules;

namespace {
Keys K(const char* held) {
  Keys k;
  for (const char* c = held; *c; ++c) {
    if (*c == 'C') k.ctrl = true;
    if (*c == 'S') k.shift = true;
    if (*c == 'A') k.alt = true;
    if (*c == ' ') k.space = true;
  }
  return k;
}
}  // namespace

TEST(SurfaceRules, CursorFollowsToolModeAndKeys) {
  struct Case {
    int mode;
    const char* keys;
    bool band;
    int cursor;
  } cases[] = {
      {0, "", true, kCursorBand},          {0, "C ", false, kCursorZoomIn},   {0, "A ", false, kCursorZoomOut},
      {0, "C", false, kCursorAddToSelection}, {0, " ", false, kCursorHand},  {0, "", false, kCursorSelect},
      {1, "C ", false, kCursorZoomIn},     {1, "A ", false, kCursorZoomOut},  {1, "", false, kCursorHand},
      {1, "CA", false, kCursorZoomOut},    {1, "C", false, kCursorZoomIn},    {2, "C ", false, kCursorZoomIn},
      {2, "A", false, kCursorZoomOut},     {2, "", false, kCursorZoomIn},     {2, " ", false, kCursorHand},
      {7, "C", false, kCursorSelect},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CursorFor(c.mode, K(c.keys), c.band), c.cursor) << c.mode << " '" << c.keys << "'";
}

TEST(SurfaceRules, LeftPressStartsZoomPanOrSelection) {
  struct Case {
    int mode;
    const char* keys;
    PressAction action;
  } cases[] = {
      {0, "C ", PressAction::kZoomClick}, {0, "A ", PressAction::kZoomClick}, {0, " ", PressAction::kPan},
      {0, "", PressAction::kSelect},       {0, "C", PressAction::kSelect},     {1, "C", PressAction::kZoomClick},
      {1, "A ", PressAction::kZoomClick},  {1, "", PressAction::kPan},         {1, " ", PressAction::kPan},
      {2, " ", PressAction::kPan},          {2, "", PressAction::kZoomClick},   {2, "C ", PressAction::kZoomClick},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LeftPressAction(c.mode, K(c.keys)), c.action) << c.mode << " '" << c.keys << "'";
}

TEST(SurfaceRules, ClientPointsMapToViewSpaceAndOutsideToNothing) {
  const RECT client{0, 0, 400, 200};
  ViewPoint v;
  ASSERT_TRUE(ClientToView(POINT{0, 0}, client, v));
  EXPECT_FLOAT_EQ(v.x, -1.0f);
  EXPECT_FLOAT_EQ(v.y, 0.5f);
  ASSERT_TRUE(ClientToView(POINT{200, 100}, client, v));
  EXPECT_FLOAT_EQ(v.x, 0.0f);
  EXPECT_FLOAT_EQ(v.y, 0.0f);
  EXPECT_FALSE(ClientToView(POINT{400, 10}, client, v));
  EXPECT_FALSE(ClientToView(POINT{-1, 10}, client, v));
  EXPECT_FALSE(ClientToView(POINT{0, 0}, RECT{0, 0, 0, 0}, v));
}

TEST(SurfaceRules, WheelScalesRotatesOrReorders) {
  EXPECT_EQ(WheelActionFor(K("S")), WheelAction::kScale);
  EXPECT_EQ(WheelActionFor(K("CS")), WheelAction::kRotate);
  EXPECT_EQ(WheelActionFor(K("C")), WheelAction::kRotate);
  EXPECT_EQ(WheelActionFor(K("")), WheelAction::kZOrder);
  EXPECT_FLOAT_EQ(WheelScaleFactor(120), 1.05f);
  EXPECT_NEAR(WheelRotation(-120), -2.0f * 3.14159265f / 180.0f, 1e-6f);
}

TEST(SurfaceRules, PixelsPerUnitAndSpreadLayout) {
  EXPECT_FLOAT_EQ(PixelsPerUnit(400, 200, 300.0f, 150.0f), 200.0f / 150.0f);
  EXPECT_FLOAT_EQ(PixelsPerUnit(400, 200, 300.0f, 0.5f), 400.0f / 300.0f);
  EXPECT_FLOAT_EQ(PixelsPerUnit(400, 200, 0.0f, 0.0f), 10.0f);
  struct Case {
    RECT view;
    float aspect;
    RECT fitted;
  } cases[] = {
      {{0, 0, 400, 200}, 2.0f, {0, 0, 400, 200}},   // a spread fills a 2:1 view
      {{0, 0, 600, 200}, 2.0f, {100, 0, 500, 200}},  // wider: centred across
      {{0, 0, 400, 400}, 2.0f, {0, 100, 400, 300}},  // narrower: centred down
      {{0, 0, 400, 200}, 0.0f, {0, 0, 400, 200}},    // no page: a spread
  };
  for (const Case& c : cases) {
    const RECT r = FitAspect(c.view, c.aspect);
    EXPECT_EQ(r.left, c.fitted.left);
    EXPECT_EQ(r.top, c.fitted.top);
    EXPECT_EQ(r.right, c.fitted.right);
    EXPECT_EQ(r.bottom, c.fitted.bottom);
  }
}

TEST(SurfaceRules, ZoomNeverReachesZeroOrBelow) {
  EXPECT_TRUE(IsUsableZoom(0.9f));
  EXPECT_FALSE(IsUsableZoom(0.0f));
  EXPECT_FALSE(IsUsableZoom(-1.0f));
  EXPECT_FALSE(IsUsableZoom(std::nanf("")));
  EXPECT_FALSE(IsUsableZoom(INFINITY));
}
