#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "CropTestSupport.h"
#include "crop/CropSelection.h"
#include "crop/CurvePath.h"
#include "crop/ImageEditPane.h"

namespace {
// Twice the signed area of a closed walk.
template <typename Points>
double TwiceSignedArea(const Points& p, size_t n) {
  double twice = 0.0;
  for (size_t k = 0; k < n; ++k) {
    const CPoint& a = p[k];
    const CPoint& b = p[(k + 1) % n];
    twice += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
  }
  return twice;
}

// The area a selection covers: a ring with a hole linked into it counts the
// hole negatively, as the engine walks it the other way round.
double CoveredArea(const CPolyArray& selection) {
  double total = 0.0;
  for (INT_PTR i = 0; i < selection.GetSize(); ++i)
    total += std::fabs(TwiceSignedArea(selection[i], static_cast<size_t>(selection[i].GetSize()))) / 2.0;
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

// The walk cut into its outlines: each hole comes off its link, walked the
// other way round, and so do the link's ends on straight edges; a spike drawn
// by hand stays in its outline.
TEST(CropSelection, OutlinesSplitAtHoleLinksOnly) {
  const struct {
    const char* name;
    std::vector<CRect> holes;  // cut out of the square (0,0)-(100,100)
    std::vector<double> areas;  // of the outlines, largest first
    size_t points;              // of all outlines
  } cases[] = {
      {"no hole", {}, {10000}, 4},
      {"one hole", {{25, 25, 75, 75}}, {10000, 2500}, 8},
      {"side by side", {{10, 10, 40, 40}, {60, 20, 90, 40}}, {10000, 900, 600}, 12},
      // The lower hole's link to the upper one crossed the upper one's link to
      // the outline: the engine leaves a point of each there.
      {"one above the other", {{25, 10, 75, 30}, {20, 60, 80, 90}}, {10000, 1800, 1000}, 14},
  };
  for (const auto& c : cases) {
    CPolyArray selection;
    CPoly square = RectPoly(0, 0, 100, 100);
    selection.Add(square);
    for (const CRect& r : c.holes) {
      CPoly hole = RectPoly(r.left, r.top, r.right, r.bottom);
      CombineCropSelection(selection, &hole, cropSubtract);
    }
    ASSERT_EQ(selection.GetSize(), 1) << c.name;
    const double whole = TwiceSignedArea(selection[0], static_cast<size_t>(selection[0].GetSize()));
    std::vector<double> areas;
    double sum = 0.0;
    size_t points = 0;
    for (const std::vector<CPoint>& outline : PolygonOutlines(selection[0])) {
      points += outline.size();
      const double twice = TwiceSignedArea(outline, outline.size());
      sum += twice;
      // The outer outline runs as the whole walk, the holes the other way round.
      areas.push_back((twice * whole > 0.0 ? 1.0 : -1.0) * std::fabs(twice) / 2.0);
    }
    std::sort(areas.begin(), areas.end(), [](double a, double b) { return std::fabs(a) > std::fabs(b); });
    for (size_t k = 1; k < areas.size(); ++k) areas[k] = -areas[k];
    EXPECT_EQ(areas, c.areas) << c.name;
    EXPECT_DOUBLE_EQ(sum, whole) << c.name;
    EXPECT_EQ(points, c.points) << c.name;
  }
  CPoly spike;
  for (CPoint p : {CPoint(0, 0), CPoint(100, 0), CPoint(100, 50), CPoint(150, 50), CPoint(100, 50), CPoint(100, 100),
                   CPoint(0, 100), CPoint(0, 0)})
    spike.Add(p);
  std::vector<std::vector<CPoint>> outlines = PolygonOutlines(spike);
  ASSERT_EQ(outlines.size(), 1u);
  EXPECT_EQ(outlines[0].size(), 7u);
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
