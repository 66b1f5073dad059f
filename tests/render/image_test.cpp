// Picture quads drawn on a real device and read back.
#include <gtest/gtest.h>

#include "DeviceFixture.h"
#include "render/D3DImage.h"
#include "render/RenderResources.h"

namespace {

constexpr uint32_t kDark = 0x141414;  // the handle bitmap's border

class ImageTest : public UnitZoomDeviceTest {
protected:
    // The resize-handle bitmap: 16 x 16, white inside a dark one-pixel border.
    std::unique_ptr<CD3DImage> Handle(float scale, float x = 0.0f, float y = 0.0f)
    {
        auto quad = std::make_unique<CD3DImage>(surface.get());
        EXPECT_TRUE(quad->LoadFromResource(IDB_HANDLE_RESIZE));
        quad->SetScale(scale, scale);
        quad->SetPosition(x, y);
        return quad;
    }
};

TEST_F(ImageTest, ResourcePictureIsDrawnWhereItsGeometrySays)
{
    auto quad = Handle(0.5f, 0.1f, 0.0f);
    EXPECT_EQ(quad->GetTileLayout().columns, 1);
    EXPECT_EQ(quad->GetTileLayout().tileWidth, 16);
    EXPECT_FLOAT_EQ(quad->GetSizeX(), 1.0f);
    BeginFrame(0xFF0000FF);
    quad->Render(kPassNormal);
    EndFrame();
    const Pixels pixels = ReadBack();
    const PixelPos centre = ToPixel(0.1f, 0.0f);
    EXPECT_TRUE(ColourNear(pixels.At(centre.x, centre.y), 0xFFFFFF, 4));
    // The centre of the border's texel column: linear filtering fades the
    // half texel outside it into the transparent border.
    const PixelPos border = ToPixel(0.1f - 0.25f + 0.5f / 32.0f, 0.0f);
    EXPECT_TRUE(AnyPixelNear(pixels, border, 1, [](uint32_t c) { return ColourNear(c, kDark, 30); }));
    const PixelPos outside = ToPixel(0.4f, 0.0f);
    EXPECT_EQ(pixels.Rgb(outside.x, outside.y), 0x0000FFu);
    // The quad answers hits in the same place.
    EXPECT_TRUE(quad->HitTest(0.3f, 0.2f));
    EXPECT_FALSE(quad->HitTest(0.4f, 0.0f));
}

TEST_F(ImageTest, MaskPassesClipThroughTheStencil)
{
    ASSERT_TRUE(surface->HasStencil());
    auto shape = Handle(0.2f, -0.1f, 0.0f);   // covers -0.2 .. 0 across
    auto picture = Handle(0.6f, 0.0f, 0.0f);  // covers -0.3 .. 0.3
    BeginFrame(0xFF0000FF);
    shape->Render(kPassWriteMask);
    picture->Render(kPassInsideMask);
    EndFrame();
    Pixels pixels = ReadBack();
    const PixelPos inside = ToPixel(-0.05f, 0.05f);
    const PixelPos outside = ToPixel(0.15f, 0.05f);
    EXPECT_TRUE(ColourNear(pixels.At(inside.x, inside.y), 0xFFFFFF, 4));
    EXPECT_EQ(pixels.Rgb(outside.x, outside.y), 0x0000FFu) << "drawn outside the shape";

    // Pass 3 draws the shape and clears it: a later inside pass draws nothing.
    BeginFrame(0xFF0000FF);
    shape->Render(kPassWriteMask);
    shape->Render(kPassClearMask);
    picture->Render(kPassInsideMask);
    EndFrame();
    pixels = ReadBack();
    EXPECT_EQ(pixels.Rgb(outside.x, outside.y), 0x0000FFu);
    const PixelPos shapeCentre = ToPixel(-0.1f, 0.0f);
    EXPECT_TRUE(ColourNear(pixels.At(shapeCentre.x, shapeCentre.y), 0xFFFFFF, 4));
    DWORD stencil = 0;
    Device()->GetRenderState(D3DRS_STENCILENABLE, &stencil);
    EXPECT_EQ(stencil, static_cast<DWORD>(FALSE));
}

TEST_F(ImageTest, TheMaskPassAndUnknownPassesDrawNoColour)
{
    auto quad = Handle(0.5f);
    for (int pass : {static_cast<int>(kPassWriteMask), 7}) {
        BeginFrame(0xFF0000FF);
        quad->Render(pass);
        EndFrame();
        const PixelPos centre = ToPixel(0.0f, 0.0f);
        EXPECT_EQ(ReadBack().Rgb(centre.x, centre.y), 0x0000FFu) << "pass " << pass;
    }
}

TEST_F(ImageTest, PlaceholderRepeatsItsPatternAndHasTheGivenAspect)
{
    CD3DImage quad(surface.get());
    ASSERT_TRUE(quad.CreatePlaceholder(7, 1.5f));
    EXPECT_TRUE(quad.IsPlaceholder());
    EXPECT_FLOAT_EQ(quad.GetSizeX(), 1.5f);
    EXPECT_FLOAT_EQ(quad.GetTileLayout().uExtent, 3.0f);
    quad.SetScale(0.5f, 0.5f);
    quad.SetPosition(0.0f, 0.0f);
    BeginFrame(0xFF0000FF);
    quad.Render(kPassNormal);
    EndFrame();
    const Pixels pixels = ReadBack();
    // Grey and near-white checks, no blue, across the whole quad.
    for (float x : {-0.3f, -0.1f, 0.1f, 0.3f}) {
        const PixelPos p = ToPixel(x, 0.2f);
        EXPECT_GE(Red(pixels.At(p.x, p.y)), 190) << x;
        EXPECT_EQ(Red(pixels.At(p.x, p.y)), Blue(pixels.At(p.x, p.y))) << x;
    }
    // The number is drawn in black from the quad's position.
    EXPECT_TRUE(AnyPixelNear(pixels, ToPixel(0.02f, 0.02f), 12,
                             [](uint32_t c) { return ColourNear(c, 0x000000, 40); }));
}

}  // namespace
