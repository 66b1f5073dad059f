#include <gtest/gtest.h>

#include <cmath>

#include "ModelFakes.h"
#include "document/nodes/HandleResize.h"

using model_test::FakeBox;
using treeNode::ResizeBoxByHandle;

namespace {
constexpr float kQuarter = 1.5707963f;

struct Edges {
    float left, top, right, bottom;
};

Edges EdgesOf(FakeBox& box)
{
    float b[4];
    box.GetBounds(b, false);
    return {b[0], b[1], b[2], b[3]};
}
} // namespace

TEST(HandleResizeTest, EachHandleMovesOnlyItsEdges)
{
    struct Case {
        int handle;
        float dx, dy;
        Edges expected;  // of a 2 x 1 box centred on the origin
    };
    const Case cases[] = {
        {2, -0.2f, 0.1f, {-1.2f, 0.6f, 1.0f, -0.5f}}, {3, 0.3f, 0.1f, {-1.0f, 0.6f, 1.0f, -0.5f}},
        {4, 0.2f, 0.1f, {-1.0f, 0.6f, 1.2f, -0.5f}},  {5, 0.2f, 0.3f, {-1.0f, 0.5f, 1.2f, -0.5f}},
        {6, 0.2f, -0.1f, {-1.0f, 0.5f, 1.2f, -0.6f}}, {7, 0.2f, -0.1f, {-1.0f, 0.5f, 1.0f, -0.6f}},
        {8, -0.2f, -0.1f, {-1.2f, 0.5f, 1.0f, -0.6f}}, {9, -0.2f, 0.4f, {-1.2f, 0.5f, 1.0f, -0.5f}},
        {0, 0.2f, 0.2f, {-1.0f, 0.5f, 1.0f, -0.5f}},  {1, 0.2f, 0.2f, {-1.0f, 0.5f, 1.0f, -0.5f}},
    };
    for (const Case& c : cases) {
        FakeBox box(nullptr, 0.0f, 0.0f, 2.0f);
        ResizeBoxByHandle(box, box.GetWidth(), c.handle, c.dx, c.dy, false);
        const Edges e = EdgesOf(box);
        EXPECT_NEAR(c.expected.left, e.left, 1e-5f) << "handle " << c.handle;
        EXPECT_NEAR(c.expected.top, e.top, 1e-5f) << "handle " << c.handle;
        EXPECT_NEAR(c.expected.right, e.right, 1e-5f) << "handle " << c.handle;
        EXPECT_NEAR(c.expected.bottom, e.bottom, 1e-5f) << "handle " << c.handle;
    }
}

TEST(HandleResizeTest, SideHandlesIgnoreKeepAspect)
{
    FakeBox box(nullptr, 0.0f, 0.0f, 2.0f);
    ResizeBoxByHandle(box, 2.0f, 5, 0.4f, 0.0f, true);
    EXPECT_FLOAT_EQ(1.2f, box.GetScaleX());
    EXPECT_FLOAT_EQ(1.0f, box.GetScaleY());
}

TEST(HandleResizeTest, CornersWithKeepAspectHoldTheOppositeCornerAndTheRatio)
{
    for (int handle : {2, 4, 6, 8}) {
        FakeBox box(nullptr, 0.0f, 0.0f, 2.0f);
        const Edges before = EdgesOf(box);
        const float dx = handle == 2 || handle == 8 ? 0.3f : -0.3f;
        ResizeBoxByHandle(box, 2.0f, handle, dx, 0.0f, true);
        const Edges after = EdgesOf(box);
        EXPECT_NEAR(2.0f, (after.right - after.left) / (after.top - after.bottom), 1e-5f)
            << "handle " << handle;
        // The corner opposite the handle stays where it was.
        const bool keepsRight = handle == 2 || handle == 8;
        const bool keepsBottom = handle == 2 || handle == 4;
        EXPECT_NEAR(keepsRight ? before.right : before.left,
                    keepsRight ? after.right : after.left, 1e-5f) << "handle " << handle;
        EXPECT_NEAR(keepsBottom ? before.bottom : before.top,
                    keepsBottom ? after.bottom : after.top, 1e-5f) << "handle " << handle;
    }
}

TEST(HandleResizeTest, ARotatedObjectStretchesAlongItsOwnAxis)
{
    FakeBox box(nullptr, 0.0f, 0.0f, 2.0f);
    box.SetRotation(kQuarter);  // its right edge now faces up
    ResizeBoxByHandle(box, 2.0f, 5, 0.0f, 0.4f, false);
    EXPECT_NEAR(1.2f, box.GetScaleX(), 1e-5f);
    EXPECT_NEAR(1.0f, box.GetScaleY(), 1e-5f);
    EXPECT_NEAR(0.0f, box.GetX(), 1e-5f);
    EXPECT_NEAR(0.2f, box.GetY(), 1e-5f) << "the left (now bottom) edge stays";
}

TEST(HandleResizeTest, DraggingAnEdgePastTheOppositeMirrors)
{
    FakeBox box(nullptr, 0.0f, 0.0f, 2.0f);
    ResizeBoxByHandle(box, 2.0f, 5, -3.0f, 0.0f, false);
    EXPECT_LT(box.GetScaleX(), 0.0f);
    EXPECT_EQ(9, box.MapHandleForFlip(5)) << "the surface keeps dragging the same side";
}

TEST(HandleResizeTest, AZeroWidthObjectIsNotScaledToInfinity)
{
    FakeBox box(nullptr, 0.0f, 0.0f, 0.0f);
    ResizeBoxByHandle(box, 0.0f, 6, 0.2f, -0.2f, true);
    EXPECT_TRUE(std::isfinite(box.GetScaleX()));
    EXPECT_TRUE(std::isfinite(box.GetScaleY()));
}
