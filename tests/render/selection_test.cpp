// The selection frame: where its handles stand, which code a point hits, and
// what it draws.
#include <gtest/gtest.h>

#include <cmath>

#include "DeviceFixture.h"
#include "render/D3DSelection.h"

namespace {

constexpr float kPi = 3.14159265f;

class SelectionTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        if (HasFatalFailure())
            return;
        selection = std::make_unique<CD3DSelection>(surface.get());
        ASSERT_TRUE(selection->CreateResources());
    }
    void TearDown() override
    {
        selection.reset();
        DeviceTest::TearDown();
    }
    void Draw(bool inView)
    {
        BeginFrame(0xFF000000);
        selection->Render(inView);
        EndFrame();
    }
    // A point of the frame, in frame units, seen in view space.
    D3DXVECTOR2 InView(float fx, float fy) const
    {
        D3DXVECTOR3 p(fx, fy, 0.0f);
        D3DXVECTOR3 page;
        D3DXVec3TransformCoord(&page, &p, &selection->GetWorldTransform());
        D3DXVECTOR3 view;
        D3DXVec3TransformCoord(&view, &page, &surface->GetViewTransform());
        return {view.x, view.y};
    }

    std::unique_ptr<CD3DSelection> selection;
};

TEST_F(SelectionTest, HandleCodesRunClockwiseOnARotatedZoomedFrame)
{
    surface->SetZoom(2.0f, 2.0f);
    surface->SetPan(0.05f, -0.02f);
    selection->SetPosition(0.02f, 0.01f);
    selection->SetScale(0.1f, 0.15f);
    selection->SetRotation(kPi / 2);
    selection->SetWidth(1.5f);
    Draw(true);

    const float hw = 0.75f;
    struct Case {
        float fx, fy;
        int code;
    } cases[] = {
        {-hw, 0.5f, kHandleTopLeft},      {0.0f, 0.5f, kHandleTopMiddle},
        {hw, 0.5f, kHandleTopRight},      {hw, 0.0f, kHandleMiddleRight},
        {hw, -0.5f, kHandleBottomRight},  {0.0f, -0.5f, kHandleBottomMiddle},
        {-hw, -0.5f, kHandleBottomLeft},  {-hw, 0.0f, kHandleMiddleLeft},
        {0.0f, 0.0f, kHandleNone},        {0.3f, 0.2f, kHandleNone},
    };
    for (const Case& c : cases) {
        const D3DXVECTOR2 p = InView(c.fx, c.fy);
        EXPECT_EQ(selection->HitTest(p.x, p.y), c.code) << c.fx << ", " << c.fy;
    }
    // The rotation handle stands 0.03 page units beyond the top edge, turned
    // with the frame: with a quarter turn that is to the left in page space.
    D3DXVECTOR3 top(0.0f, 0.5f, 0.0f);
    D3DXVECTOR3 page;
    D3DXVec3TransformCoord(&page, &top, &selection->GetWorldTransform());
    page.x -= 0.03f;
    D3DXVECTOR3 view;
    D3DXVec3TransformCoord(&view, &page, &surface->GetViewTransform());
    EXPECT_EQ(selection->HitTest(view.x, view.y), kHandleRotate);
}

TEST_F(SelectionTest, ResizeHandlesKeepTheirScreenSizeAndStandOnOneLineAtZeroWidth)
{
    surface->SetZoom(2.0f, 2.0f);
    selection->SetWidth(0.0f);
    Draw(true);
    for (int i = 0; i < 8; ++i) {
        EXPECT_FLOAT_EQ(selection->Handle(i).GetScaleX(), 0.01f) << "handle " << i;
        EXPECT_FLOAT_EQ(selection->Handle(i).GetScaleY(), 0.01f) << "handle " << i;
    }
    EXPECT_FLOAT_EQ(selection->Handle(8).GetScaleX(), 0.02f);
    // Left, middle and right of the top and bottom rows.
    for (int i : {0, 1, 2, 4, 5, 6})
        EXPECT_FLOAT_EQ(selection->Handle(i).GetPositionX(), 0.0f) << "handle " << i;
}

TEST_F(SelectionTest, DrawingOutsideTheViewLeavesTheHandlesWhereTheyWere)
{
    selection->SetWidth(1.0f);
    selection->SetScale(0.2f, 0.2f);
    Draw(true);
    const float before = selection->Handle(2).GetPositionX();
    selection->SetPosition(0.3f, 0.0f);
    Draw(false);
    EXPECT_FLOAT_EQ(selection->Handle(2).GetPositionX(), before);
}

TEST_F(SelectionTest, DrawsARedOutlineAndWhiteHandlesWhereTheGeometrySays)
{
    surface->SetZoom(1.0f, 1.0f);
    selection->SetScale(0.5f, 0.5f);
    selection->SetWidth(1.0f);
    Draw(true);
    const Pixels pixels = ReadBack();
    ASSERT_EQ(pixels.width, kWidth);
    // Edges of the 0.5 x 0.5 square, away from the handles.
    EXPECT_TRUE(AnyPixelNear(pixels, ToPixel(0.12f, 0.25f), 2, IsRed));
    EXPECT_TRUE(AnyPixelNear(pixels, ToPixel(-0.25f, -0.12f), 2, IsRed));
    EXPECT_FALSE(AnyPixelNear(pixels, ToPixel(0.0f, 0.1f), 3, IsRed));
    // Handle centres are white.
    const PixelPos corner = ToPixel(0.25f, -0.25f);
    EXPECT_TRUE(ColourNear(pixels.At(corner.x, corner.y), 0xFFFFFF, 8));
    const PixelPos rotate = ToPixel(0.0f, 0.25f + 0.03f);
    EXPECT_TRUE(ColourNear(pixels.At(rotate.x, rotate.y), 0xFFFFFF, 8));
}

TEST_F(SelectionTest, EveryResizeHandleShowsItsDarkBorderOnAllFourSides)
{
    // On a surface as high as the editor's page (handles of about ten pixels)
    // and at any sub-pixel place, a handle shows a dark edge all round, never
    // on some sides only.
    window->SetClientSize(480, 480);
    ASSERT_TRUE(surface->ResetDevice(false, 1.0f));
    surface->SetZoom(1.0f, 1.0f);
    selection->SetScale(0.5f, 0.5f);
    selection->SetWidth(1.0f);
    const auto dark = [](uint32_t c) { return Red(c) < 110 && Green(c) < 110 && Blue(c) < 110; };
    for (float shift : {0.0f, 0.3f, 0.6f}) {
        selection->SetPosition(shift / 480.0f, shift / 480.0f);
        BeginFrame(0xFFFFFFFF);
        selection->Render(true);
        EndFrame();
        const Pixels pixels = ReadBack();
        for (int i = 0; i < 8; ++i) {
            const CD3DImage& handle = selection->Handle(i);
            const PixelPos centre = ToPixel(handle.GetPositionX(), handle.GetPositionY());
            const struct {
                int dx, dy;
            } sides[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
            for (const auto& side : sides) {
                bool seen = false;
                for (int step = 1; step <= 5 && !seen; ++step)
                    seen = dark(pixels.At(centre.x + side.dx * step, centre.y + side.dy * step));
                EXPECT_TRUE(seen) << "handle " << i << " side " << side.dx << "," << side.dy
                                  << " shift " << shift;
            }
        }
    }
}

TEST_F(SelectionTest, BeforeAnyDrawingTheHandlesAnswerWhereTheyWereMade)
{
    // All nine stand at the origin; the rotation handle is asked first.
    EXPECT_EQ(selection->HitTest(0.0f, 0.0f), kHandleRotate);
    EXPECT_EQ(selection->HitTest(0.5f, 0.0f), kHandleNone);
}

TEST_F(SelectionTest, ReleasedResourcesCanBeCreatedAgain)
{
    selection->ReleaseResources();
    EXPECT_FALSE(selection->Handle(0).HasTextures());
    selection->OnLostDevice();
    selection->OnResetDevice();
    EXPECT_TRUE(selection->CreateResources());
    EXPECT_TRUE(selection->Handle(0).HasTextures());
}

TEST(SelectionWithoutDevice, CannotCreateItsResourcesAndHitsNothing)
{
    CD3DObj view;
    CD3DSelection selection(&view);
    EXPECT_FALSE(selection.CreateResources());
    EXPECT_EQ(selection.HitTest(0.0f, 0.0f), kHandleNone);
}

}  // namespace
