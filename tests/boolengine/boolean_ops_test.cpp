#include <cmath>

#include "engine_support.h"

using namespace enginetest;

namespace {

struct SquareCase {
    const char* name;
    int op;
    std::vector<Polygon> a;
    std::vector<Polygon> b;
    size_t polygons;
    double area;
    size_t vertices = 0;  // of the first result polygon, when given
};

class BooleanOnSquares : public EngineTest, public ::testing::WithParamInterface<SquareCase> {};

TEST_P(BooleanOnSquares, GivesExpectedPolygonCountAndArea)
{
    const SquareCase& c = GetParam();
    const std::vector<Polygon> result = RunOperation(c.op, c.a, c.b);
    ASSERT_EQ(result.size(), c.polygons);
    EXPECT_DOUBLE_EQ(TotalArea(result), c.area);
    if (c.vertices) {
        EXPECT_EQ(result[0].size(), c.vertices);
    }
}

const Polygon kSquare = Rect(0, 0, 10, 10);

INSTANTIATE_TEST_SUITE_P(
    Table, BooleanOnSquares,
    ::testing::Values(
        SquareCase{"OverlapOr", 1, {kSquare}, {Rect(5, 5, 15, 15)}, 1, 175},
        SquareCase{"OverlapAnd", 2, {kSquare}, {Rect(5, 5, 15, 15)}, 1, 25},
        SquareCase{"OverlapExor", 3, {kSquare}, {Rect(5, 5, 15, 15)}, 1, 150},
        SquareCase{"OverlapASubB", 4, {kSquare}, {Rect(5, 5, 15, 15)}, 1, 75},
        SquareCase{"OverlapBSubA", 5, {kSquare}, {Rect(5, 5, 15, 15)}, 1, 75},
        SquareCase{"DisjointOr", 1, {kSquare}, {Rect(20, 0, 30, 10)}, 2, 200},
        SquareCase{"DisjointAnd", 2, {kSquare}, {Rect(20, 0, 30, 10)}, 0, 0},
        SquareCase{"SharedEdgeOr", 1, {kSquare}, {Rect(10, 0, 20, 10)}, 1, 200},
        SquareCase{"SharedEdgeAnd", 2, {kSquare}, {Rect(10, 0, 20, 10)}, 0, 0},
        SquareCase{"SharedHorizontalEdgeOr", 1, {kSquare}, {Rect(0, 10, 10, 20)}, 1, 200},
        SquareCase{"TouchingCornerOr", 1, {kSquare}, {Rect(10, 10, 20, 20)}, 1, 200},
        SquareCase{"HoleASubB", 4, {kSquare}, {Rect(3, 3, 7, 7)}, 1, 84},
        SquareCase{"HoleBSubA", 5, {kSquare}, {Rect(3, 3, 7, 7)}, 0, 0},
        SquareCase{"ContainedOr", 1, {kSquare}, {Rect(3, 3, 7, 7)}, 1, 100},
        SquareCase{"ContainedAnd", 2, {kSquare}, {Rect(3, 3, 7, 7)}, 1, 16},
        SquareCase{"EqualSquaresOr", 1, {kSquare}, {kSquare}, 1, 100},
        SquareCase{"EqualSquaresASubB", 4, {kSquare}, {kSquare}, 0, 0},
        SquareCase{"CollinearOverlapOr", 1, {kSquare}, {Rect(10, 5, 20, 15)}, 1, 200},
        SquareCase{"CrossShapeOr", 1, {Rect(0, 4, 10, 6)}, {Rect(4, 0, 6, 10)}, 1, 36},
        SquareCase{"CrossShapeExor", 3, {Rect(0, 4, 10, 6)}, {Rect(4, 0, 6, 10)}, 1, 32},
        SquareCase{"FractionalOr", 1, {Rect(0.5, 0.25, 1.5, 1.25)}, {Rect(1, 0.75, 2, 1.75)}, 1, 1.75},
        SquareCase{"DuplicatedVertexIsDropped", 1, {{{0, 0}, {0, 10}, {0, 10}, {10, 10}, {10, 0}}}, {}, 1, 100, 4},
        SquareCase{"VertexOnTheLineOfItsNeighboursIsDropped", 1,
                   {{{0, 0}, {0, 5}, {0, 10}, {5, 10}, {10, 10}, {10, 0}}}, {}, 1, 100, 4},
        // One outline through the crossing.
        SquareCase{"SelfIntersectingBowTieKeepsBothLobes", 1, {{{0, 0}, {10, 10}, {10, 0}, {0, 10}}}, {}, 1, 50},
        SquareCase{"OverlappingPolygonsOfOneGroupAreUnited", 1, {kSquare, Rect(5, 0, 15, 10)}, {}, 1, 150},
        // (0.001, 0.001) joins (0, 0); the merge search then passes its old
        // place again while looking on from (0.001, 5).
        SquareCase{"VertexWithinMargeOfAnotherGroupsVertexJoinsIt", 1, {{{0, 0}, {0.001, 5}, {5, 5}, {5, 0}}},
                   {{{0.001, 0.001}, {2, -3}, {-1, -3}}}, 1, 29.4975, 7}),
    [](const ::testing::TestParamInfo<SquareCase>& info) { return std::string(info.param.name); });

TEST_F(EngineTest, HoleIsLinkedIntoOneRingVisitingBothBoundaries)
{
    const std::vector<Polygon> result = RunOperation(4, {Rect(0, 0, 10, 10)}, {Rect(3, 3, 7, 7)});
    ASSERT_EQ(result.size(), 1u);
    const Polygon& ring = result[0];
    // Outer 4 vertices, hole 4 vertices, the bridge's two ends once more each, plus the split point.
    EXPECT_EQ(ring.size(), 11u);
    EXPECT_DOUBLE_EQ(std::fabs(SignedArea(ring)), 84.0);
    EXPECT_TRUE(Inside(result, 1, 1));
    EXPECT_FALSE(Inside(result, 5, 5));
    EXPECT_FALSE(Inside(result, 5, 4.5));
}

TEST_F(EngineTest, ManyHolesWithIslandsAreLinkedAndKeptApart)
{
    std::vector<Polygon> holes, islands;
    for (int i = 0; i < 6; ++i)
        for (int j = 0; j < 6; ++j) {
            holes.push_back(Rect(i * 20 + 4, j * 20 + 4, i * 20 + 16, j * 20 + 16));
            islands.push_back(Rect(i * 20 + 8, j * 20 + 8, i * 20 + 12, j * 20 + 12));
        }
    const std::vector<Polygon> withHoles = RunOperation(4, {Rect(0, 0, 120, 120)}, holes);
    ASSERT_EQ(withHoles.size(), 1u);  // every hole joined to the outer ring
    EXPECT_DOUBLE_EQ(TotalArea(withHoles), 120.0 * 120 - 36 * 144);
    const std::vector<Polygon> result = RunOperation(1, withHoles, islands);
    EXPECT_EQ(result.size(), 37u);
    EXPECT_DOUBLE_EQ(TotalArea(result), 120.0 * 120 - 36 * 144 + 36 * 16);
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(Inside(result, i * 20 + 10, 50));   // island
        EXPECT_FALSE(Inside(result, i * 20 + 6, 50));   // hole around it
        EXPECT_TRUE(Inside(result, i * 20 + 2, 50));    // outer body
    }
}

TEST_F(EngineTest, OuterPolygonStartsAtTopLeftAndRunsClockwise)
{
    const std::vector<Polygon> result = RunOperation(1, {Rect(0, 0, 10, 10)}, {});
    ASSERT_EQ(result.size(), 1u);
    const Polygon expected = {{0, 10}, {10, 10}, {10, 0}, {0, 0}};
    EXPECT_EQ(result[0], expected);
}

TEST_F(EngineTest, EvenOddRuleLeavesOverlapOfOneGroupOut)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    engine.SetWindingRule(false);
    AddPolygon(engine, 0, Rect(0, 0, 10, 10));
    AddPolygon(engine, 0, Rect(5, 5, 15, 15));
    ASSERT_TRUE(engine.Do(1));
    const std::vector<Polygon> result = ReadResults(engine);
    EXPECT_DOUBLE_EQ(TotalArea(result), 150.0);
    EXPECT_FALSE(Inside(result, 7, 7));
    EXPECT_TRUE(Inside(result, 2, 2));
}

TEST_F(EngineTest, EmptyEngineSucceedsWithoutResult)
{
    Bool_Engine engine;
    ArmLikeCropTool(engine);
    EXPECT_TRUE(engine.Do(1));
    EXPECT_FALSE(engine.StartResultPolygon());
}

}  // namespace
