#include <gtest/gtest.h>

#include <cmath>

#include "CropTestSupport.h"
#include "crop/CropSelection.h"
#include "crop/ImageEditPane.h"

namespace {
// The area a selection covers: a ring with a hole linked into it counts the
// hole negatively, as the engine walks it the other way round.
double CoveredArea(const CPolyArray& selection) {
  double total = 0.0;
  for (INT_PTR i = 0; i < selection.GetSize(); ++i) {
    const CPoly& p = selection[i];
    double twice = 0.0;
    for (INT_PTR k = 0; k < p.GetSize(); ++k) {
      const CPoint& a = p[k];
      const CPoint& b = p[(k + 1) % p.GetSize()];
      twice += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    total += std::fabs(twice) / 2.0;
  }
  return total;
}

struct CombineCase {
  const char* name;
  bool startWithSquare;  // the selection holds the square (0,0)-(100,100) first
  CRect shape;
  int mode;
  bool result;
  int polygons;
  double area;
};

const CombineCase kCases[] = {
    {"ShiftOverlapGrowsToOnePolygon", true, {50, 50, 150, 150}, cropAdd, true, 1, 17500},
    {"AltInsideLeavesOneRingWithAHole", true, {25, 25, 75, 75}, cropSubtract, true, 1, 7500},
    {"ShiftAltApartEmptiesTheSelection", true, {200, 200, 300, 300}, cropIntersect, true, 0, 0},
    {"ShiftAltOverlapKeepsTheCommonPart", true, {50, 50, 150, 150}, cropIntersect, true, 1, 2500},
    {"PlainReplacesTheSelection", true, {200, 200, 210, 220}, cropReplace, true, 1, 200},
    {"ClearEmptiesTheSelection", true, {0, 0, 0, 0}, cropClear, true, 0, 0},
    {"UnionWithNothingGivesTheShape", false, {10, 10, 40, 30}, cropAdd, true, 1, 600},
    {"DifferenceFromNothingIsNothing", false, {10, 10, 40, 30}, cropSubtract, true, 0, 0},
    {"IntersectionWithNothingIsNothing", false, {10, 10, 40, 30}, cropIntersect, true, 0, 0},
    {"UnknownModeChangesNothing", true, {50, 50, 150, 150}, 5, false, 1, 10000},
};

class CombineSelection : public ::testing::TestWithParam<CombineCase> {};

TEST_P(CombineSelection, GivesTheExpectedOutline) {
  const CombineCase& c = GetParam();
  CImageEditPane pane;
  CPoly square = RectPoly(0, 0, 100, 100);
  if (c.startWithSquare) {
    ASSERT_TRUE(pane.CombineSelection(&square, cropReplace));
  }
  CPoly shape = RectPoly(c.shape.left, c.shape.top, c.shape.right, c.shape.bottom);
  EXPECT_EQ(pane.CombineSelection(&shape, c.mode) != FALSE, c.result);
  EXPECT_EQ(pane.GetSelection().GetSize(), c.polygons);
  EXPECT_DOUBLE_EQ(CoveredArea(pane.GetSelection()), c.area);
}

INSTANTIATE_TEST_SUITE_P(Modes, CombineSelection, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CombineCase>& info) { return info.param.name; });
}  // namespace

TEST(CropSelection, AHoleIsLinkedIntoItsOuterOutline) {
  CImageEditPane pane;
  CPoly outer = RectPoly(0, 0, 100, 100), inner = RectPoly(25, 25, 75, 75);
  pane.CombineSelection(&outer, cropReplace);
  pane.CombineSelection(&inner, cropSubtract);
  ASSERT_EQ(pane.GetSelection().GetSize(), 1);
  const CPoly& ring = pane.GetSelection()[0];
  bool outerCorner = false, innerCorner = false;
  for (INT_PTR i = 0; i < ring.GetSize(); ++i) {
    outerCorner |= ring[i] == CPoint(100, 100);
    innerCorner |= ring[i] == CPoint(75, 75);
  }
  EXPECT_TRUE(outerCorner && innerCorner);
}

TEST(CropSelection, ResultCoordinatesAreTruncatedTowardZero) {
  Bool_Engine engine;
  SetupBoolEngine(&engine);
  ASSERT_TRUE(engine.StartPolygonAdd(GROUP_A));
  for (auto p : {std::pair<double, double>{-3.7, 0.0}, {10.9999, 0.0}, {10.9999, 20.5}, {-3.7, 20.5}})
    engine.AddPt(p.first, p.second);
  engine.EndPolygonAdd();
  engine.Do(BOOL_OR);
  CPolyArray selection;
  ReadBoolEngineResult(&engine, selection);
  ASSERT_EQ(selection.GetSize(), 1);
  LONG minX = LONG_MAX, maxX = LONG_MIN, maxY = LONG_MIN;
  for (INT_PTR i = 0; i < selection[0].GetSize(); ++i) {
    minX = std::min(minX, selection[0][i].x);
    maxX = std::max(maxX, selection[0][i].x);
    maxY = std::max(maxY, selection[0][i].y);
  }
  EXPECT_EQ(minX, -3);
  EXPECT_EQ(maxX, 10);
  EXPECT_EQ(maxY, 20);
}

TEST(CropSelection, AnEngineErrorKeepsTheSelection) {
  CImageEditPane pane;
  CPoly square = RectPoly(0, 0, 100, 100);
  pane.CombineSelection(&square, cropReplace);
  // Beyond the engine's coordinate range at this grid: it raises an error.
  CPoly huge = RectPoly(0, 0, 900000000, 100);
  EXPECT_FALSE(pane.CombineSelection(&huge, cropAdd));
  ASSERT_EQ(pane.GetSelection().GetSize(), 1);
  EXPECT_DOUBLE_EQ(CoveredArea(pane.GetSelection()), 10000);
}
