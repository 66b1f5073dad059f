// Lines, links, nodes and graphs of the engine at the level of single records.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "boolengine/booleng.h"
#include "boolengine/boolline.h"
#include "boolengine/exactmath.h"
#include "boolengine/graph.h"
#include "boolengine/keyorder.h"
#include "boolengine/node_merge.h"
#include "engine_support.h"

namespace {

using enginetest::EngineTest;

class GeometryTest : public EngineTest {
protected:
    BoolLink* Link(int64_t x0, int64_t y0, int64_t x1, int64_t y1)
    {
        return graph.AddLink(new Node(x0, y0, &engine), new Node(x1, y1, &engine));
    }
    Bool_Engine engine;
    Graph graph{&engine};
};

struct SideCase {
    int64_t x, y;
    double tolerance;
    int side;
};

TEST_F(GeometryTest, PointInLineGivesSideOfHorizontalLink)
{
    BoolLink* link = Link(0, 0, 10, 0);
    BoolLine line(link, &engine);
    line.CalculateLineParameters();
    EXPECT_EQ(line.AA(), 0.0);
    EXPECT_EQ(line.BB(), -1.0);
    EXPECT_EQ(line.CC(), 0.0);
    const SideCase cases[] = {{5, 3, 1, LEFT_SIDE}, {5, -3, 1, RIGHT_SIDE}, {5, 0, 1, ON_AREA}, {5, 4, 5, ON_AREA},
                              {5, 5, 5, ON_AREA},   {5, 6, 5, LEFT_SIDE}};
    for (const SideCase& c : cases) {
        LPoint p(c.x, c.y);
        double distance = 0;
        EXPECT_EQ(line.PointInLine(&p, distance, c.tolerance), c.side) << c.x << "," << c.y;
    }
    LPoint beyond(20, 0), within(7, 0);
    double distance = 0;
    EXPECT_EQ(line.PointOnLine(&beyond, distance, 1), ON_AREA);
    EXPECT_EQ(line.PointOnLine(&within, distance, 1), IN_AREA);
    EXPECT_EQ(line.PointOnLine(link->GetEndNode(), distance, 0), IN_AREA);
}

TEST_F(GeometryTest, CalculateYRoundsToNearest)
{
    BoolLine line(Link(0, 0, 10, 5), &engine);
    EXPECT_EQ(line.Calculate_Y(4), 2);
    EXPECT_EQ(line.Calculate_Y(5), 3);  // 2.5 + 0.5 truncated
}

TEST_F(GeometryTest, ZeroLengthLineRaisesEngineError)
{
    Node* n = new Node(3, 3, &engine);
    BoolLine line(graph.AddLink(n, n), &engine);
    EXPECT_THROW(line.CalculateLineParameters(), Bool_Engine_Error);
}

TEST_F(GeometryTest, LinkIsSplitIntoChainAtItsCrossings)
{
    BoolLink* link = Link(0, 0, 10, 0);
    link->SetGraphNum(7);
    link->SetGroup(GROUP_B);
    BoolLine line(link, &engine);
    line.AddCrossing(7, 0);
    line.AddCrossing(3, 0);
    line.AddCrossing(link->GetEndNode());  // an end node is never a crossing
    EXPECT_EQ(line.CrossingCount(), 2);
    EXPECT_TRUE(line.ProcessCrossings(&graph));
    ASSERT_EQ(graph.GetNumberOfLinks(), 3);
    std::vector<std::pair<int64_t, int64_t>> pieces;
    for (BoolLink* l : graph.LinkVector()) {
        EXPECT_EQ(l->GetGraphNum(), 7);
        EXPECT_EQ(l->GetGroup(), GROUP_B);
        pieces.emplace_back(l->GetBeginNode()->GetX(), l->GetEndNode()->GetX());
    }
    std::sort(pieces.begin(), pieces.end());
    EXPECT_EQ(pieces, (std::vector<std::pair<int64_t, int64_t>>{{0, 3}, {3, 7}, {7, 10}}));
    EXPECT_EQ(link->GetEndNode()->GetX(), 3);
}

TEST_F(GeometryTest, CrossingOfTwoLinksIsSharedAndOnTheGrid)
{
    BoolLink* a = Link(0, 0, 10, 10);
    BoolLink* b = Link(0, 10, 10, 0);
    BoolLine la(a, &engine), lb(b, &engine);
    Node* crossing = la.Intersect(lb);
    EXPECT_EQ(crossing->GetX(), 5);
    EXPECT_EQ(crossing->GetY(), 5);
    EXPECT_EQ(la.CrossingCount(), 1);
    EXPECT_EQ(lb.CrossingCount(), 1);
    la.ProcessCrossings(&graph);
    lb.ProcessCrossings(&graph);
    EXPECT_EQ(crossing->GetNumberOfLinks(), 4);
}

// Truncation would move a crossing that lies on a grid point one unit off
// whenever the line equation is not exact (the diagonals of a square), and the
// read-back would then lose a whole caller unit.
TEST_F(GeometryTest, CrossingGoesToTheNearestGridPoint)
{
    const int64_t cases[][10] = {{0, 0, 100000000, 100000000, 0, 100000000, 100000000, 0, 50000000, 50000000},
                                 {0, 0, 10, 10, 0, 10, 20, 0, 7, 7},
                                 {0, 0, -10, -10, 0, -10, -20, 0, -7, -7}};
    for (const auto& c : cases) {
        BoolLine la(Link(c[0], c[1], c[2], c[3]), &engine), lb(Link(c[4], c[5], c[6], c[7]), &engine);
        Node* n = la.Intersect(lb);
        EXPECT_EQ(n->GetX(), c[8]);
        EXPECT_EQ(n->GetY(), c[9]);
        la.ProcessCrossings(&graph);
        lb.ProcessCrossings(&graph);
    }
}

TEST_F(GeometryTest, NearParallelCrossingStaysInsideBothLinks)
{
    const int64_t far = int64_t(4) << 50;
    const int64_t cases[][8] = {{0, 0, 1000000000, 1, 0, 1, 1000000000, 0},
                                {0, 0, far, 1, 0, 1, far, 0},
                                {0, 0, far, 3, 5, 2, far - 7, 1}};
    for (const auto& c : cases) {
        BoolLine la(Link(c[0], c[1], c[2], c[3]), &engine), lb(Link(c[4], c[5], c[6], c[7]), &engine);
        Node* n = la.Intersect(lb);
        EXPECT_GE(n->GetX(), std::max(std::min(c[0], c[2]), std::min(c[4], c[6])));
        EXPECT_LE(n->GetX(), std::min(std::max(c[0], c[2]), std::max(c[4], c[6])));
        EXPECT_GE(n->GetY(), std::max(std::min(c[1], c[3]), std::min(c[5], c[7])));
        EXPECT_LE(n->GetY(), std::min(std::max(c[1], c[3]), std::max(c[5], c[7])));
        la.ProcessCrossings(&graph);
        lb.ProcessCrossings(&graph);
    }
}

TEST_F(GeometryTest, ParallelLinksRaiseEngineError)
{
    BoolLine la(Link(0, 0, 10, 0), &engine), lb(Link(0, 5, 10, 5), &engine);
    LPoint p;
    EXPECT_FALSE(la.Intersect2(lb, p));
    EXPECT_THROW(la.Intersect(lb), Bool_Engine_Error);
}

TEST_F(GeometryTest, RedirectTwiceRestoresTheLink)
{
    BoolLink* link = Link(0, 0, 10, 0);
    link->leftA = true;
    link->rightB = true;
    link->SetOperationFlags();
    Node* begin = link->GetBeginNode();
    Node* end = link->GetEndNode();
    link->Redirect(end);
    EXPECT_EQ(link->GetBeginNode(), end);
    EXPECT_TRUE(link->rightA);
    EXPECT_TRUE(link->leftB);
    link->Redirect(begin);
    EXPECT_EQ(link->GetBeginNode(), begin);
    EXPECT_TRUE(link->leftA);
    EXPECT_TRUE(link->rightB);
    EXPECT_FALSE(link->rightA);
    EXPECT_FALSE(link->leftB);
}

struct FlagCase {
    bool leftA, rightA, leftB, rightB;
    bool orLeft, orRight, andMarked, aSubBMarked;
};

TEST_F(GeometryTest, OperationFlagsFollowTheSideFlags)
{
    const FlagCase cases[] = {
        {true, false, true, false, true, false, true, false},    // boundary of both, result left
        {true, false, false, true, false, false, false, true},   // inside the union: no boundary
        {false, false, false, false, false, false, false, false},
        {true, true, false, true, false, false, true, true},
    };
    for (const FlagCase& c : cases) {
        BoolLink* link = Link(0, 0, 10, 0);
        link->leftA = c.leftA;
        link->rightA = c.rightA;
        link->leftB = c.leftB;
        link->rightB = c.rightB;
        link->SetOperationFlags();
        EXPECT_EQ(link->LeftInResult(BOOL_OR), c.orLeft);
        EXPECT_EQ(link->RightInResult(BOOL_OR), c.orRight);
        EXPECT_EQ(link->IsMarked(BOOL_AND), c.andMarked);
        EXPECT_EQ(link->IsMarked(BOOL_A_SUB_B), c.aSubBMarked);
    }
}

TEST_F(GeometryTest, MergingNodesOfOneLinkLeavesZeroLengthLinkThatIsRemoved)
{
    BoolLink* link = Link(0, 0, 1, 0);
    Node* end = link->GetEndNode();
    link->GetBeginNode()->Merge(end);
    EXPECT_TRUE(link->IsZeroLength());
    EXPECT_EQ(graph.DeleteZeroLines(), 1);
    EXPECT_EQ(graph.GetNumberOfLinks(), 0);
}

TEST_F(GeometryTest, NullPointCopyRaisesCreationError)
{
    try {
        LPoint copy(static_cast<const LPoint*>(nullptr));
        FAIL();
    } catch (const Bool_Engine_Error& e) {
        EXPECT_EQ(e.header, "Fatal Creation Error");
        EXPECT_EQ(e.message, "Cannot copy a NULL Point Object.\n\nCould not create a LPoint Object.");
    }
}

TEST_F(GeometryTest, MakeClockWiseTurnsCounterClockwiseRing)
{
    graph.AddRing({LPoint(0, 0), LPoint(10, 0), LPoint(10, 10), LPoint(0, 10)}, GROUP_A, 1);
    EXPECT_TRUE(graph.MakeClockWise());
    EXPECT_FALSE(graph.MakeClockWise());
}

TEST_F(GeometryTest, CornerTestAndCandidateComparison)
{
    BoolLink* in = Link(0, 0, 10, 0);
    Node* corner = in->GetEndNode();
    BoolLink* up = graph.AddLink(corner, new Node(10, 10, &engine));
    BoolLink* down = graph.AddLink(corner, new Node(10, -10, &engine));
    BoolLink* straight = graph.AddLink(corner, new Node(20, 0, &engine));
    BoolLine line(in, &engine);
    EXPECT_EQ(line.PointOnCorner(up, 0.0001), 0);
    EXPECT_EQ(line.PointOnCorner(straight, 0.0001), 1);
    EXPECT_EQ(line.PointOnCorner(down, 0.0001), 2);
    EXPECT_EQ(BoolLine::Compare(&engine, in, straight, up), 0);    // up turns further left
    EXPECT_EQ(BoolLine::Compare(&engine, in, straight, down), 2);  // down turns further right
}

TEST(ExactMath, SignsOfLargeProductsAreExact)
{
    const int64_t big = int64_t(1) << 53;
    EXPECT_EQ(exactmath::SignOfDifference(big + 1, big - 1, big, big), -1);
    EXPECT_EQ(exactmath::SignOfDifference(-big, big, -big, big), 0);
    EXPECT_EQ(exactmath::Orientation(0, 0, big, 1, 2 * big, 3), 1);
    EXPECT_EQ(exactmath::Orientation(0, 0, big, 1, 2 * big, 2), 0);
    EXPECT_EQ(exactmath::CrossSign(3, -4, -6, 8), 0);
    EXPECT_EQ(exactmath::DotSign(3, -4, -6, 8), -1);
}

// The quick answer from doubles must never differ from the exact products:
// pairs of products one apart, equal, and far apart, at every magnitude.
TEST(ExactMath, QuickSignsAgreeWithTheExactProducts)
{
    std::mt19937_64 rng(31);
    for (int i = 0; i < 20000; ++i) {
        const int bits = 2 + i % 61;
        const int64_t a = static_cast<int64_t>(rng() >> (64 - bits)) * (i % 3 ? 1 : -1);
        const int64_t b = static_cast<int64_t>(rng() >> (64 - bits)) | 1;
        // c * d close to a * b: d taken from the quotient, then nudged.
        const int64_t c = i % 5 ? a + static_cast<int64_t>(rng() % 7) - 3 : a;
        const int64_t nudge = static_cast<int64_t>(rng() % 3) - 1;
        const int64_t d = c == 0 ? 0 : static_cast<int64_t>(static_cast<long double>(a) * b / c) + nudge;
        ASSERT_EQ(exactmath::SignOfDifference(a, b, c, d), exactmath::SignOfDifferenceExact(a, b, c, d))
            << a << " " << b << " " << c << " " << d;
        ASSERT_EQ(exactmath::SignOfDifference(a, b, a, b), 0);
    }
}

// The merge after adding nodes looks only near the new ones: it must leave
// the very graph a whole merge leaves. Two equal graphs are built from one
// seed: random chains on a coarse lattice (so the whole merge finds some
// nodes within the marge), then new nodes on and beside old ones.
TEST(NodeMerge, MergeAfterAddingEqualsTheWholeMerge)
{
    using Links = std::vector<std::pair<std::pair<int64_t, int64_t>, std::pair<int64_t, int64_t>>>;
    int walkedNearOnly = 0;
    auto build = [&walkedNearOnly](unsigned seed, bool partial, int& merges) {
        Bool_Engine engine;
        engine.SetLog(false);
        Graph graph(&engine);
        std::mt19937 rng(seed);
        auto coordinate = [&rng] { return static_cast<int64_t>(rng() % 40) * 6 + static_cast<int64_t>(rng() % 3); };
        std::vector<Node*> nodes;
        for (int chain = 0; chain < 6; ++chain) {
            Node* first = new Node(coordinate(), coordinate(), &engine);
            Node* prev = first;
            for (int i = 0; i < 12; ++i) {
                Node* next = new Node(coordinate(), coordinate(), &engine);
                graph.AddLink(prev, next);
                prev = next;
            }
            graph.AddLink(prev, first);
        }
        nodemerge::Survivors survivors;
        nodemerge::MergeAll(&graph, 4, &survivors);
        EXPECT_TRUE(survivors.known);
        std::vector<Node*> added;
        for (int i = 0; i < 25; ++i) {
            Node* at = survivors.nodes[rng() % survivors.nodes.size()];
            // On an old node, beside one, or on another new one.
            const int64_t dx = static_cast<int64_t>(rng() % 11) - 5, dy = static_cast<int64_t>(rng() % 11) - 5;
            Node* n = i % 5 == 4 && !added.empty() ? added[rng() % added.size()]
                                                   : new Node(at->GetX() + dx, at->GetY() + dy, &engine);
            graph.AddLink(at, n);
            if (std::find(added.begin(), added.end(), n) == added.end()) added.push_back(n);
        }
        merges = partial ? nodemerge::MergeAfterAdding(&graph, 4, survivors, added) : -1;
        if (merges < 0)
            merges = nodemerge::MergeAll(&graph, 4);  // two nodes at one place: the whole merge decides
        else
            ++walkedNearOnly;
        Links links;
        for (BoolLink* l : graph.LinkVector())
            links.push_back({{l->GetBeginNode()->GetX(), l->GetBeginNode()->GetY()},
                             {l->GetEndNode()->GetX(), l->GetEndNode()->GetY()}});
        return links;
    };
    for (unsigned seed = 1; seed <= 60; ++seed) {
        int partialMerges = 0, wholeMerges = 0;
        const Links partial = build(seed, true, partialMerges);
        const Links whole = build(seed, false, wholeMerges);
        EXPECT_EQ(partialMerges, wholeMerges) << "seed " << seed;
        EXPECT_EQ(partial, whole) << "seed " << seed;
    }
    EXPECT_GT(walkedNearOnly, 30);
}

// Radix orders equal a stable sort by key, over small and huge key ranges.
TEST(KeyOrder, EqualsTheStableSortByKey)
{
    std::mt19937_64 rng(8);
    for (int rep = 0; rep < 40; ++rep) {
        const size_t n = 1 + rng() % (rep < 20 ? 60 : 3000);
        const int shift = static_cast<int>(rng() % 62);
        std::vector<int64_t> keys(n);
        for (int64_t& k : keys) k = static_cast<int64_t>(rng() >> shift) - static_cast<int64_t>(rng() >> shift);
        for (size_t i = 0; i + 1 < n; i += 3) keys[i + 1] = keys[i];  // ties
        std::vector<uint32_t> expected(n);
        for (size_t i = 0; i < n; ++i) expected[i] = static_cast<uint32_t>(i);
        std::stable_sort(expected.begin(), expected.end(), [&](uint32_t a, uint32_t b) { return keys[a] < keys[b]; });
        ASSERT_EQ(keyorder::ByKey(keys), expected) << n << " keys, shift " << shift;
    }
}

}  // namespace
