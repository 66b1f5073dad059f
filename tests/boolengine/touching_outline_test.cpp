// Polygons that touch in one point are handed out as one outline walked on
// through that point; holes touching their polygon stay part of it.
#include <algorithm>
#include <cmath>

#include "engine_support.h"

using namespace enginetest;

namespace {

struct TouchCase {
    const char* name;
    int op;
    std::vector<Polygon> a;
    std::vector<Polygon> b;
    Polygon outline;    // the one result polygon, as handed out
    Point touching;     // met twice by the outline
    Point inside;       // a point of the result
    Point outside;      // a point left out of it
};

class TouchingOutline : public EngineTest, public ::testing::WithParamInterface<TouchCase> {};

TEST_P(TouchingOutline, IsOneClockwiseWalkThroughTheTouchingPoint)
{
    const TouchCase& c = GetParam();
    const std::vector<Polygon> result = RunOperation(c.op, c.a, c.b);
    ASSERT_EQ(result.size(), 1u);
    EXPECT_EQ(result[0], c.outline);
    EXPECT_EQ(std::count(result[0].begin(), result[0].end(), c.touching), 2);
    EXPECT_DOUBLE_EQ(SignedArea(result[0]), SignedArea(c.outline));
    EXPECT_LT(SignedArea(result[0]), 0.0);  // clockwise, y up
    EXPECT_TRUE(Inside(result, c.inside.first, c.inside.second));
    EXPECT_FALSE(Inside(result, c.outside.first, c.outside.second));
}

const Polygon kDiamondOnLeftEdge = {{0, 20}, {10, 30}, {20, 20}, {10, 10}};
const Polygon kDiamondOnTopEdge = {{20, 40}, {30, 30}, {20, 20}, {10, 30}};

INSTANTIATE_TEST_SUITE_P(
    Table, TouchingOutline,
    ::testing::Values(
        // The walk arriving at the shared corner turns furthest left and so
        // takes in the second square before it closes.
        TouchCase{"SquaresTouchingAtACorner", 1, {Rect(0, 0, 10, 10)}, {Rect(10, 10, 20, 20)},
                  {{10, 20}, {20, 20}, {20, 10}, {10, 10}, {10, 0}, {0, 0}, {0, 10}, {10, 10}},
                  {10, 10}, {15, 15}, {5, 15}},
        // The outer walk goes straight past the hole's corner on its left
        // edge; the hole is walked on its own and joined from above.
        TouchCase{"HoleTouchingTheLeftEdge", 4, {Rect(0, 0, 40, 40)}, {kDiamondOnLeftEdge},
                  {{0, 40}, {10, 40}, {10, 30}, {0, 20}, {10, 10}, {20, 20}, {10, 30}, {10, 40}, {40, 40}, {40, 0},
                   {0, 0}, {0, 20}},
                  {0, 20}, {2, 33}, {10, 20}},
        // A hole whose top corner lies on the outer boundary is entered
        // right there, without a bridge.
        TouchCase{"HoleTouchingTheTopEdge", 4, {Rect(0, 0, 40, 40)}, {kDiamondOnTopEdge},
                  {{20, 40}, {40, 40}, {40, 0}, {0, 0}, {0, 40}, {20, 40}, {10, 30}, {20, 20}, {30, 30}},
                  {20, 40}, {35, 35}, {20, 30}},
        TouchCase{"BowTie", 1, {{{0, 0}, {10, 10}, {10, 0}, {0, 10}}}, {},
                  {{5, 5}, {10, 10}, {10, 0}, {5, 5}, {0, 0}, {0, 10}},
                  {5, 5}, {8, 5}, {5, 8}},
        // The overlap is a hole touching the rest at two crossings.
        TouchCase{"OverlappingSquaresExor", 3, {Rect(0, 0, 10, 10)}, {Rect(5, 5, 15, 15)},
                  {{5, 15}, {10, 15}, {10, 10}, {5, 10}, {5, 5}, {10, 5}, {10, 10}, {10, 15}, {15, 15}, {15, 5},
                   {10, 5}, {10, 0}, {0, 0}, {0, 10}, {5, 10}},
                  {5, 10}, {2, 2}, {7, 7}}),
    [](const ::testing::TestParamInfo<TouchCase>& info) { return std::string(info.param.name); });

}  // namespace
