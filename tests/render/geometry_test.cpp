// Placement, hit tests and rectangle intersection of rotated quads, and the
// tile layout of pictures, without a device.
#include <gtest/gtest.h>

#include <cmath>

#include "TestPictures.h"
#include "render/D3DImage.h"
#include "render/D3DObj.h"
#include "render/QuadGeometry.h"
#include "render/TileLayout.h"

namespace {

constexpr float kPi = 3.14159265f;

QuadShape Shape(float w, float h, float sx, float sy, float rotation, float x, float y)
{
    QuadShape shape{BuildWorldMatrix(sx, sy, rotation, x, y), D3DXMATRIX(), w, h, false};
    D3DXMatrixIdentity(&shape.view);
    return shape;
}

D3DXMATRIX ZoomThenPan(float zoom, float panX)
{
    D3DXMATRIX scale;
    D3DXMATRIX pan;
    D3DXMatrixScaling(&scale, zoom, zoom, 1.0f);
    D3DXMatrixTranslation(&pan, panX, 0.0f, 0.0f);
    D3DXMATRIX view;
    D3DXMatrixMultiply(&view, &scale, &pan);
    return view;
}

TEST(QuadHitTest, QuadsContainOnlyTheirOwnArea)
{
    // A 2 x 1 quad scaled, turned by 90 degrees and moved: it stands 1 wide
    // and 2 high at (1, 1).
    const QuadShape turned = Shape(2.0f, 1.0f, 1.0f, 1.0f, kPi / 2, 1.0f, 1.0f);
    const QuadShape unit = Shape(1.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f);
    QuadShape text = unit;
    text.bottomInclusive = true;
    const QuadShape small = Shape(1.0f, 1.0f, 0.02f, 0.02f, 0.0f, 0.3f, 0.3f);
    // At zoom 2 with a pan of 0.5 this one covers 0.3 .. 0.7 in view space.
    QuadShape zoomed = Shape(1.0f, 1.0f, 0.2f, 0.2f, 0.0f, 0.0f, 0.0f);
    zoomed.view = ZoomThenPan(2.0f, 0.5f);
    const QuadShape flat = Shape(1.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f);
    const struct {
        const char* what;
        const QuadShape* quad;
        float hitScale, x, y;
        bool inside;
    } cases[] = {
        {"turned centre", &turned, 1, 1.0f, 1.0f, true},      {"turned top", &turned, 1, 1.0f, 1.9f, true},
        {"turned bottom", &turned, 1, 1.0f, 0.1f, true},      {"turned right", &turned, 1, 1.4f, 1.0f, true},
        {"beside turned", &turned, 1, 1.6f, 1.0f, false},     {"far right", &turned, 1, 2.0f, 1.0f, false},
        {"above turned", &turned, 1, 1.0f, 2.1f, false},      {"left of turned", &turned, 1, 0.4f, 1.0f, false},
        {"bottom edge", &unit, 1, 0.0f, -0.5f, false},        {"right edge", &unit, 1, 0.5f, 0.0f, false},
        {"text bottom edge", &text, 1, 0.0f, -0.5f, true},    {"text top edge", &text, 1, 0.0f, 0.5f, false},
        {"beside small", &small, 1, 0.315f, 0.3f, false},     {"hit scale 2", &small, 2, 0.315f, 0.3f, true},
        {"zoomed and panned", &zoomed, 1, 0.65f, 0.15f, true}, {"left of zoomed", &zoomed, 1, 0.05f, 0.0f, false},
        {"scaled to nothing", &flat, 1, 0.0f, 0.0f, false},
    };
    for (const auto& c : cases) EXPECT_EQ(QuadContains(*c.quad, c.hitScale, c.x, c.y), c.inside) << c.what;
}

struct SegmentCase {
    D3DXVECTOR2 a1, a2, b1, b2;
    bool crosses;
};

TEST(Segments, CrossWhenBothParametersLieOnTheSegments)
{
    const SegmentCase cases[] = {
        {{0, 0}, {2, 2}, {0, 2}, {2, 0}, true},    // an X
        {{0, 0}, {1, 1}, {1.5f, 0}, {3, -1}, false},
        {{0, 0}, {2, 0}, {1, 0}, {1, 2}, true},    // a T touching
        {{0, 0}, {2, 0}, {0, 1}, {2, 1}, false},   // parallel
        {{0, 0}, {2, 0}, {3, -1}, {3, 1}, false},  // beyond the end
    };
    for (const SegmentCase& c : cases)
        EXPECT_EQ(SegmentsIntersect(c.a1, c.a2, c.b1, c.b2), c.crosses);
}

struct RectCase {
    float x1, y1, x2, y2;
    bool intersects;
    const char* why;
};

TEST(QuadRectangle, IntersectsByCornerInsideOrCrossingEdges)
{
    // A unit square turned by 45 degrees: a diamond reaching 0.707 on each axis.
    const QuadShape quad = Shape(1.0f, 1.0f, 1.0f, 1.0f, kPi / 4, 0.0f, 0.0f);
    const RectCase cases[] = {
        {-0.1f, -0.1f, 0.1f, 0.1f, true, "rectangle inside the quad"},
        {-2.0f, -2.0f, 2.0f, 2.0f, true, "quad inside the rectangle"},
        {-2.0f, -0.05f, 2.0f, 0.05f, true, "a band across: only edges cross"},
        {0.6f, 0.6f, 1.0f, 1.0f, false, "beside the diamond's edge"},
        {0.65f, -0.05f, 1.0f, 0.05f, true, "around the right corner"},
        {1.0f, 1.0f, 0.6f, 0.6f, false, "corners given in reverse order"},
        {0.1f, 0.1f, -0.1f, -0.1f, true, "reverse order inside"},
    };
    for (const RectCase& c : cases)
        EXPECT_EQ(QuadIntersectsRect(quad, 1.0f, c.x1, c.y1, c.x2, c.y2), c.intersects) << c.why;
}

struct TileCase {
    int32_t width, height;
    uint32_t maxTexture;
    int32_t columns, rows, tileWidth, tileHeight;
    float uExtent, vExtent;
};

TEST(TileLayoutOfPictures, FitsPowersOfTwoUpToTheDeviceLimit)
{
    const TileCase cases[] = {
        {1000, 600, 2048, 1, 1, 1024, 1024, 0.9765625f, 0.5859375f},
        {5000, 3000, 2048, 3, 2, 2048, 2048, 5000.0f / 6144.0f, 3000.0f / 4096.0f},
        {1, 1, 2048, 1, 1, 1, 1, 1.0f, 1.0f},
        {16, 16, 2048, 1, 1, 16, 16, 1.0f, 1.0f},
        {2048, 2049, 2048, 1, 2, 2048, 2048, 1.0f, 2049.0f / 4096.0f},
        {300, 200, 256, 2, 1, 256, 256, 300.0f / 512.0f, 200.0f / 256.0f},
    };
    for (const TileCase& c : cases) {
        TileLayout layout;
        ASSERT_TRUE(ComputeTileLayout(c.width, c.height, c.maxTexture, c.maxTexture, layout));
        EXPECT_EQ(layout.columns, c.columns) << c.width << "x" << c.height;
        EXPECT_EQ(layout.rows, c.rows) << c.width << "x" << c.height;
        EXPECT_EQ(layout.tileWidth, c.tileWidth) << c.width << "x" << c.height;
        EXPECT_EQ(layout.tileHeight, c.tileHeight) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(layout.uExtent, c.uExtent) << c.width << "x" << c.height;
        EXPECT_FLOAT_EQ(layout.vExtent, c.vExtent) << c.width << "x" << c.height;
    }
}

TEST(TileLayoutOfPictures, RejectsEmptyPicturesAndDevicesWithoutTextures)
{
    TileLayout layout;
    EXPECT_FALSE(ComputeTileLayout(0, 10, 2048, 2048, layout));
    EXPECT_FALSE(ComputeTileLayout(10, -1, 2048, 2048, layout));
    EXPECT_FALSE(ComputeTileLayout(10, 10, 0, 0, layout));
}

TEST(PictureQuadValues, AlphaBecomesTheTextureFactor)
{
    EXPECT_EQ(TextureFactorForAlpha(0.5f), 0x7FFFFFFFu);
    EXPECT_EQ(TextureFactorForAlpha(1.0f), 0xFFFFFFFFu);
    EXPECT_EQ(TextureFactorForAlpha(0.0f), 0x00FFFFFFu);
    EXPECT_EQ(TextureFactorForAlpha(-3.0f), 0x00FFFFFFu);
    EXPECT_EQ(TextureFactorForAlpha(7.0f), 0xFFFFFFFFu);
    // No number at all: opaque, as a new picture is, not an undefined conversion.
    EXPECT_EQ(TextureFactorForAlpha(std::nanf("")), 0xFFFFFFFFu);
}

TEST(PictureQuadValues, MaskLiesBesideThePicture)
{
    EXPECT_EQ(MaskPathFor("c:\\a\\b.jpg"), "c:\\a\\b.msk.jpg");
    EXPECT_EQ(MaskPathFor("D:\\lib\\frame1.jpg"), "D:\\lib\\frame1.msk.jpg");
    EXPECT_EQ(MaskPathFor("c:\\a.b\\noext"), "c:\\a.b\\noext.msk");
    EXPECT_EQ(MaskPathFor("c:\\a\\x.y.png"), "c:\\a\\x.y.msk.png");
}

D3DXVECTOR2 MapEffect(const D3DXMATRIX& m, float u, float v)
{
    // Two-component coordinates: (u, v, 1) against the first three rows.
    return {u * m._11 + v * m._21 + m._31, u * m._12 + v * m._22 + m._32};
}

TEST(PictureQuadValues, EffectMirrorModesFlipAboutTheTextureCentre)
{
    struct Case {
        int mirror;
        float u, v;
    } cases[] = {{kMirrorNone, 0.25f, 0.1f}, {kMirrorHorizontal, 0.75f, 0.1f},
                 {kMirrorVertical, 0.25f, 0.9f}, {kMirrorBoth, 0.75f, 0.9f}, {5, 0.25f, 0.1f}};
    for (const Case& c : cases) {
        const D3DXVECTOR2 out = MapEffect(EffectTextureMatrix(0.0f, c.mirror), 0.25f, 0.1f);
        EXPECT_NEAR(out.x, c.u, 1e-6f) << "mirror " << c.mirror;
        EXPECT_NEAR(out.y, c.v, 1e-6f) << "mirror " << c.mirror;
    }
    const D3DXVECTOR2 turned = MapEffect(EffectTextureMatrix(180.0f, kMirrorNone), 0.25f, 0.1f);
    EXPECT_NEAR(turned.x, 0.75f, 1e-5f);
    EXPECT_NEAR(turned.y, 0.9f, 1e-5f);
}

TEST(PictureQuadWithoutDevice, KnowsItsPlaceAndItsFilePicturesWidthButDrawsNothing)
{
    CD3DObj view;
    CD3DImage quad(&view);
    EXPECT_FLOAT_EQ(quad.GetSizeX(), 0.0f);
    EXPECT_FLOAT_EQ(quad.GetSizeY(), 1.0f);
    quad.SetPosition(0.5f, 0.0f);
    quad.SetScale(0.2f, 0.2f);
    quad.Move(0.1f, 0.0f);
    quad.ScaleBy(2.0f, 2.0f);
    quad.RotateBy(0.5f);
    EXPECT_FLOAT_EQ(quad.GetPositionX(), 0.6f);
    EXPECT_FLOAT_EQ(quad.GetScaleX(), 0.4f);
    EXPECT_FLOAT_EQ(quad.GetRotation(), 0.5f);
    EXPECT_FALSE(quad.CreatePlaceholder(1, 1.5f));
    quad.Render(kPassNormal);  // no device: nothing happens
    EXPECT_FALSE(quad.HasTextures());
    // 64 x 32: twice as wide as high, hit where the picture lies.
    WriteBmp("nodevice.bmp", 64, 32, [](int, int) { return Rgba{0, 200, 0, 255}; });
    CD3DImage picture(&view);
    picture.SetScale(0.5f, 0.5f);
    picture.LoadFromFile("nodevice.bmp", false);
    EXPECT_FALSE(picture.HasTextures());
    EXPECT_FLOAT_EQ(picture.GetSizeX(), 2.0f);
    EXPECT_TRUE(picture.HitTest(0.45f, 0.2f));
    EXPECT_FALSE(picture.HitTest(0.55f, 0.0f));
}

}  // namespace
