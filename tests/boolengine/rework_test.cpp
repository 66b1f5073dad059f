// Correction (grow and shrink), ring making and smoothing, checked against
// closed forms for squares.
#include <cmath>

#include "engine_support.h"

using namespace enginetest;

namespace {

const double kPi = 3.14159265358979323846;

std::vector<Polygon> Rework(int op, const std::vector<Polygon>& input, double factor)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    engine.SetCorrectionFactor(factor);
    engine.SetCorrectionAber(0.01);
    for (const Polygon& p : input) AddPolygon(engine, 0, p);
    engine.Do(op);
    return ReadResults(engine);
}

struct SquareCorrection {
    const char* name;
    double side;
    double factor;
    double area;       // closed form
    double tolerance;  // the arcs are chords inside the circle
};

class CorrectionOfSquare : public EngineTest, public ::testing::WithParamInterface<SquareCorrection> {};

TEST_P(CorrectionOfSquare, MatchesClosedFormArea)
{
    const SquareCorrection& c = GetParam();
    const std::vector<Polygon> result = Rework(6, {Rect(0, 0, c.side, c.side)}, c.factor);
    ASSERT_EQ(result.size(), 1u);
    EXPECT_NEAR(TotalArea(result), c.area, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CorrectionOfSquare,
    ::testing::Values(
        // Growing by w: s^2 + 4sw + pi w^2 (rounded corners).
        SquareCorrection{"Grow10", 100, 10, 100 * 100 + 4 * 100 * 10 + kPi * 100, 2.0},
        SquareCorrection{"Grow1", 20, 1, 20 * 20 + 4 * 20 + kPi, 0.1},
        // Shrinking by w: (s - 2w)^2 (sharp inner corners).
        SquareCorrection{"Shrink10", 100, -10, 80 * 80, 0.01},
        SquareCorrection{"Shrink2", 20, -2, 16 * 16, 0.01}),
    [](const ::testing::TestParamInfo<SquareCorrection>& info) { return std::string(info.param.name); });

TEST_F(EngineTest, ShrinkingASquareAwayLeavesNothing)
{
    const std::vector<Polygon> result = Rework(6, {Rect(0, 0, 10, 10)}, -6);
    EXPECT_TRUE(result.empty());
}

TEST_F(EngineTest, EachPolygonIsCorrectedOnItsOwn)
{
    const std::vector<Polygon> result = Rework(6, {Rect(0, 0, 10, 10), Rect(100, 0, 110, 10)}, 1);
    ASSERT_EQ(result.size(), 2u);
    EXPECT_NEAR(TotalArea(result), 2 * (100 + 40 + kPi), 0.1);
}

TEST_F(EngineTest, CorrectionOfPolygonWithLinkedHoleLeavesNoChannel)
{
    const std::vector<Polygon> framed = RunOperation(4, {Rect(0, 0, 100, 100)}, {Rect(40, 40, 60, 60)});
    ASSERT_EQ(framed.size(), 1u);
    const std::vector<Polygon> grown = Rework(6, framed, 5);
    ASSERT_EQ(grown.size(), 1u);
    // The outline grows by 5 with rounded corners; the hole shrinks to 10 x 10.
    EXPECT_NEAR(TotalArea(grown), 100 * 100 + 4 * 100 * 5 + kPi * 25 - 10 * 10, 1.0);
    EXPECT_FALSE(Inside(grown, 50, 50));
    EXPECT_TRUE(Inside(grown, 50, 62));  // where the joining links run
}

TEST_F(EngineTest, CorrectionOfSelfOverlappingOutlineFollowsItsArea)
{
    // The outline runs around the square twice: one area, no inner band.
    const Polygon twice = {{0, 0}, {0, 100}, {100, 100}, {100, 0}, {0, 0}, {0, 100}, {100, 100}, {100, 0}};
    const std::vector<Polygon> shrunk = Rework(6, {twice}, -10);
    ASSERT_EQ(shrunk.size(), 1u);
    EXPECT_NEAR(TotalArea(shrunk), 80 * 80, 0.01);
}

TEST_F(EngineTest, RingOfSquareMatchesClosedForm)
{
    const double s = 100, w = 10;
    const std::vector<Polygon> result = Rework(8, {Rect(0, 0, s, s)}, w);
    ASSERT_EQ(result.size(), 1u);  // the inner boundary is linked into the ring
    EXPECT_NEAR(TotalArea(result), 8 * s * w + kPi * w * w - 4 * w * w, 2.0);
    EXPECT_TRUE(Inside(result, 0, 50));
    EXPECT_FALSE(Inside(result, 50, 50));
    EXPECT_FALSE(Inside(result, -12, 50));
}

TEST_F(EngineTest, RingsOfOutlineAndHoleStayApartWhereTheyOverlap)
{
    const std::vector<Polygon> framed = RunOperation(4, {Rect(0, 0, 100, 100)}, {Rect(3, 3, 97, 97)});
    ASSERT_EQ(framed.size(), 1u);
    const std::vector<Polygon> rings = Rework(8, framed, 2);
    EXPECT_EQ(rings.size(), 2u);
}

struct SmallHoleRing {
    const char* name;
    double hx, hy;   // lower left corner of a 1 x 1 hole
    size_t polygons;
};

class RingOfSmallHole : public EngineTest, public ::testing::WithParamInterface<SmallHoleRing> {};

// A ring narrower than three widths joins the ring made before it.
TEST_P(RingOfSmallHole, IsUnitedWithTheRingBeforeIt)
{
    const SmallHoleRing& c = GetParam();
    const std::vector<Polygon> framed =
        RunOperation(4, {Rect(0, 0, 100, 100)}, {Rect(c.hx, c.hy, c.hx + 1, c.hy + 1)});
    ASSERT_EQ(framed.size(), 1u);
    const std::vector<Polygon> rings = Rework(8, framed, 2);
    EXPECT_EQ(rings.size(), c.polygons);
    EXPECT_TRUE(Inside(rings, c.hx + 0.5, c.hy + 0.5));
    EXPECT_TRUE(Inside(rings, 0, 50));
}

INSTANTIATE_TEST_SUITE_P(Holes, RingOfSmallHole,
                         ::testing::Values(SmallHoleRing{"touching_outline_ring", 2, 50, 1},
                                           SmallHoleRing{"apart_from_it", 50, 50, 2}),
                         [](const ::testing::TestParamInfo<SmallHoleRing>& info) { return info.param.name; });

TEST_F(EngineTest, CorrectionRestoresTheMarge)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    engine.SetCorrectionFactor(0.5);
    AddPolygon(engine, 0, Rect(0, 0, 10, 10));
    ASSERT_TRUE(engine.Do(6));
    EXPECT_DOUBLE_EQ(engine.GetMarge(), 0.001);
}

std::vector<Polygon> Smooth(const Polygon& p, double distance)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    engine.SetSmoothAber(distance);
    AddPolygon(engine, 0, p);
    engine.Do(7);
    return ReadResults(engine);
}

struct SmoothCase {
    const char* name;
    Polygon input;
    double distance;
    size_t vertices;
};

class Smoothing : public EngineTest, public ::testing::WithParamInterface<SmoothCase> {};

TEST_P(Smoothing, LeavesExpectedVertexCount)
{
    const SmoothCase& c = GetParam();
    const std::vector<Polygon> result = Smooth(c.input, c.distance);
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ(result[0].size(), c.vertices);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Smoothing,
    ::testing::Values(
        SmoothCase{"TriangleIsLeftAlone", {{0, 0}, {0, 1}, {1, 0}}, 10, 3},
        SmoothCase{"SquareKeepsItsCorners", Rect(0, 0, 100, 100), 10, 4},
        SmoothCase{"SmallNotchIsRemoved", {{0, 0}, {0, 100}, {50, 100}, {50, 98}, {52, 98}, {52, 100}, {100, 100}, {100, 0}}, 10, 4},
        SmoothCase{"NearlyStraightRunIsMerged", {{0, 0}, {0, 100}, {30, 101}, {60, 100}, {100, 100}, {100, 0}}, 10, 4},
        SmoothCase{"ShortLinkIsCollapsed", {{0, 0}, {0, 100}, {3, 103}, {100, 100}, {100, 0}}, 10, 4}),
    [](const ::testing::TestParamInfo<SmoothCase>& info) { return std::string(info.param.name); });

TEST_F(EngineTest, SmoothingStopsWalkingAtThreeLinks)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    AddPolygon(engine, 0, {{0, 0}, {0, 2}, {1, 3}, {2, 2}, {2, 0}});
    AddPolygon(engine, 0, Rect(100, 100, 200, 200));
    ASSERT_TRUE(engine.Do(7));
    const std::vector<Polygon> result = ReadResults(engine);
    ASSERT_EQ(result.size(), 2u);
    EXPECT_EQ(result[0].size() + result[1].size(), 7u);  // the small house shrank to a triangle
}

}  // namespace
