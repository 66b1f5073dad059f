// Picture quads loaded from files: orientation, colour settings, masks,
// effects and tiles, drawn and read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "DeviceFixture.h"
#include "TestPictures.h"
#include "render/D3DImage.h"

namespace {

const Rgba kGreen{0, 200, 0, 255};
const Rgba kRed{200, 0, 0, 255};
const Rgba kBlue{0, 0, 200, 255};
const Rgba kWhite{255, 255, 255, 255};

uint32_t Rgb(const Rgba& c)
{
    return (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
}

class ImageFileTest : public UnitZoomDeviceTest {
protected:
    std::unique_ptr<CD3DImage> Load(const std::string& path, float scale, bool preview = false)
    {
        auto quad = std::make_unique<CD3DImage>(surface.get());
        quad->LoadFromFile(path.c_str(), preview);
        quad->SetScale(scale, scale);
        quad->SetPosition(0.0f, 0.0f);
        return quad;
    }
    Pixels DrawAlone(CD3DImage& quad, D3DCOLOR background = 0xFF000000)
    {
        BeginFrame(background);
        quad.Render(kPassNormal);
        EndFrame();
        return ReadBack();
    }
    uint32_t At(const Pixels& pixels, float x, float y) const
    {
        const PixelPos p = ToPixel(x, y);
        return pixels.Rgb(p.x, p.y);
    }
};

// 64 x 32: green top half, red bottom-left, blue bottom-right quarter.
void WriteQuarters(const std::string& path)
{
    WriteBmp(path, 64, 32, [](int x, int y) { return y < 16 ? kGreen : (x < 32 ? kRed : kBlue); });
}

TEST_F(ImageFileTest, FilePictureStandsUprightWithItsAspect)
{
    WriteQuarters("quarters.bmp");
    for (bool preview : {false, true}) {
        auto quad = Load("quarters.bmp", 0.4f, preview);
        ASSERT_TRUE(quad->HasTextures());
        EXPECT_FLOAT_EQ(quad->GetSizeX(), 2.0f);
        EXPECT_FALSE(quad->HasMask());
        const Pixels pixels = DrawAlone(*quad);
        // The quad spans 0.8 x 0.4 around the centre. A preview comes from
        // the JPEG thumbnail written into the file: near, not exact.
        const int tolerance = preview ? 16 : 0;
        EXPECT_TRUE(ColourNear(At(pixels, 0.0f, 0.1f), Rgb(kGreen), tolerance)) << "preview " << preview;
        EXPECT_TRUE(ColourNear(At(pixels, -0.2f, -0.1f), Rgb(kRed), tolerance)) << "preview " << preview;
        EXPECT_TRUE(ColourNear(At(pixels, 0.2f, -0.1f), Rgb(kBlue), tolerance)) << "preview " << preview;
        EXPECT_EQ(At(pixels, 0.0f, 0.3f), 0u) << "preview " << preview;
    }
}

TEST_F(ImageFileTest, ColourSettingsRecolourFromTheSourceEveryTime)
{
    WriteBmp("grey.bmp", 16, 16, [](int, int) { return Rgba{100, 100, 100, 255}; });
    auto quad = Load("grey.bmp", 0.5f);
    EXPECT_EQ(At(DrawAlone(*quad), 0.0f, 0.0f), 0x646464u) << "plain copy by default";

    quad->SetColorAdjust(2.0f, 1.0f, 1.0f, 1.0f, 0.5f, 1.0f, 1.0f, true);
    uint32_t c = At(DrawAlone(*quad), 0.0f, 0.0f);
    EXPECT_GT(Red(c), 150) << std::hex << c;
    EXPECT_LT(Green(c), Red(c) - 50) << std::hex << c;

    quad->SetColorAdjust(1.0f, 1.0f, 1.0f, 0.5f, 0.5f, 1.0f, 1.0f, true);
    c = At(DrawAlone(*quad), 0.0f, 0.0f);
    EXPECT_LT(Green(c), 95) << "darker: " << std::hex << c;

    quad->SetColorAdjust(1.0f, 1.0f, 1.0f, 1.0f, 0.8f, 1.0f, 1.0f, true);
    c = At(DrawAlone(*quad), 0.0f, 0.0f);
    EXPECT_NE(Green(c), 100) << "contrast: " << std::hex << c;
    EXPECT_EQ(Red(c), Green(c));

    quad->SetColorAdjust(1.0f, 1.0f, 1.0f, 1.0f, 0.5f, 1.0f, 1.0f, false);
    EXPECT_EQ(At(DrawAlone(*quad), 0.0f, 0.0f), c) << "stored only, not applied";
    quad->ApplyColorAdjust();
    EXPECT_EQ(At(DrawAlone(*quad), 0.0f, 0.0f), 0x646464u) << "back to a plain copy";
}

TEST_F(ImageFileTest, TransparencyKeepsTheColourAndBlends)
{
    WriteBmp("white.bmp", 16, 16, [](int, int) { return kWhite; });
    auto quad = Load("white.bmp", 0.5f);
    quad->SetColorAdjust(1.0f, 1.0f, 1.0f, 1.0f, 0.5f, 1.0f, 0.5f, true);
    const uint32_t c = At(DrawAlone(*quad), 0.0f, 0.0f);
    EXPECT_TRUE(ColourNear(c, 0x7F7F7F, 3)) << std::hex << c;
}

TEST_F(ImageFileTest, APictureHasNoDarkFringeAtItsEdgesOrCutOutsEnlargedOrShrunk)
{
    // On white: an opaque white picture, and one with a white patch in
    // transparent black; 12 x 10 texels in a 16 x 16 tile drawn 12.8 pixels a
    // texel, and 299 x 199 in a 512 x 256 tile drawn 7.7 texels a pixel.
    const struct {
        const char* name;
        int width, height;
        float scale;
    } cases[] = {
        {"edge.bmp", 12, 10, 0.5f},
        {"cutout.tga", 12, 10, 0.5f},
        {"shrunkedge.bmp", 299, 199, 0.1f},
        {"shrunkcutout.tga", 299, 199, 0.1f},
    };
    for (const auto& c : cases) {
        const int w = c.width;
        const int h = c.height;
        if (std::string(c.name).find(".tga") != std::string::npos) {
            WriteTga(c.name, w, h, [w, h](int x, int y) {
                return x >= w / 4 && x < 3 * w / 4 && y >= 3 * h / 10 && y < 7 * h / 10 ? kWhite : Rgba{0, 0, 0, 0};
            });
        } else {
            WriteBmp(c.name, w, h, [](int, int) { return kWhite; });
        }
        auto quad = Load(c.name, c.scale);
        const Pixels pixels = DrawAlone(*quad, 0xFFFFFFFF);
        int darkest = 255;
        for (uint32_t p : pixels.argb)
            darkest = std::min({darkest, Red(p), Green(p), Blue(p)});
        EXPECT_GE(darkest, 250) << c.name;
    }
}

TEST_F(ImageFileTest, MaskBesideThePictureClipsThroughTheStencil)
{
    WriteTga("frame.tga", 32, 32, [](int, int) { return kWhite; });
    // The shape, the left half only: in the mask's alpha, or in its grey
    // level when it has no alpha.
    WriteTga("frame.msk.tga", 32, 32, [](int x, int) { return Rgba{0, 0, 0, uint8_t(x < 16 ? 255 : 0)}; });
    WriteBmp("grey.bmp", 32, 32, [](int, int) { return kWhite; });
    WriteBmp("grey.msk.bmp", 32, 32, [](int x, int) { return x < 16 ? kWhite : Rgba{0, 0, 0, 255}; });
    WriteBmp("photo.bmp", 32, 32, [](int, int) { return kRed; });
    for (const char* name : {"frame.tga", "grey.bmp"}) {
        auto frame = Load(name, 0.5f);
        ASSERT_TRUE(frame->HasMask());
        auto photo = Load("photo.bmp", 0.5f);
        BeginFrame(0xFF000000);
        frame->Render(kPassWriteMask);
        photo->Render(kPassInsideMask);
        EndFrame();
        const Pixels pixels = ReadBack();
        EXPECT_EQ(At(pixels, -0.15f, 0.0f), Rgb(kRed)) << name;
        EXPECT_EQ(At(pixels, 0.15f, 0.0f), 0u) << name;
    }
}

TEST_F(ImageFileTest, AGreyMaskShapesThePictureItselfOnlyWhenAsked)
{
    WriteBmp("cut.bmp", 32, 32, [](int, int) { return kRed; });
    // No alpha: the grey level is the shape, the left half with a soft edge.
    WriteBmp("cut.msk.bmp", 32, 32, [](int x, int) {
        const uint8_t level = x < 12 ? 255 : (x < 20 ? uint8_t(255 - (x - 12) * 32) : 0);
        return Rgba{level, level, level, 255};
    });
    // An effect of plain white changes nothing, and the shape comes after it.
    WriteBmp("neutral.bmp", 8, 8, [](int, int) { return kWhite; });
    const struct {
        bool shapes, effect;
    } cases[] = {{false, false}, {true, false}, {true, true}};
    for (const auto& c : cases) {
        const bool shapes = c.shapes;
        auto quad = std::make_unique<CD3DImage>(surface.get());
        quad->SetMaskShapesPicture(shapes);
        quad->LoadFromFile("cut.bmp", false);
        if (c.effect)
            quad->LoadEffect("neutral.bmp", 0.0f, kMirrorNone);
        quad->SetScale(0.5f, 0.5f);
        quad->SetPosition(0.0f, 0.0f);
        ASSERT_TRUE(quad->HasMask());
        const Pixels pixels = DrawAlone(*quad, 0xFFFFFFFF);
        EXPECT_TRUE(ColourNear(At(pixels, -0.15f, 0.0f), Rgb(kRed), 2)) << shapes << c.effect;
        EXPECT_EQ(At(pixels, 0.15f, 0.0f), shapes ? 0xFFFFFFu : Rgb(kRed)) << shapes << c.effect;
        const uint32_t edge = At(pixels, 0.0f, 0.0f);
        if (shapes) {
            EXPECT_TRUE(Green(edge) > 40 && Green(edge) < 215) << "half way: " << std::hex << edge;
        }
    }
}

TEST_F(ImageFileTest, EffectModulatesTransparencyAndFollowsItsMirror)
{
    WriteBmp("plain.bmp", 32, 32, [](int, int) { return kWhite; });
    // No alpha: the green channel becomes the effect's transparency.
    WriteBmp("fade.bmp", 32, 32, [](int x, int) { return Rgba{0, uint8_t(x < 16 ? 255 : 0), 0, 255}; });
    auto quad = Load("plain.bmp", 0.5f);
    quad->LoadEffect("fade.bmp", 0.0f, kMirrorNone);
    ASSERT_TRUE(quad->HasEffect());
    Pixels pixels = DrawAlone(*quad);
    EXPECT_TRUE(ColourNear(At(pixels, -0.15f, 0.0f), 0xFFFFFF, 6)) << std::hex << At(pixels, -0.15f, 0.0f);
    EXPECT_EQ(At(pixels, 0.15f, 0.0f), 0u);

    quad->SetEffectMirror(kMirrorHorizontal);
    pixels = DrawAlone(*quad);
    EXPECT_EQ(At(pixels, -0.15f, 0.0f), 0u);
    EXPECT_TRUE(ColourNear(At(pixels, 0.15f, 0.0f), 0xFFFFFF, 6));

    quad->SetEffectMirror(kMirrorNone);
    quad->SetEffectRotation(180.0f);
    pixels = DrawAlone(*quad);
    EXPECT_EQ(At(pixels, -0.15f, 0.0f), 0u);

    quad->RemoveEffect();
    EXPECT_FALSE(quad->HasEffect());
    pixels = DrawAlone(*quad);
    EXPECT_TRUE(ColourNear(At(pixels, 0.15f, 0.0f), 0xFFFFFF, 2));
}

// The largest difference between horizontal neighbours, and the mean green,
// over the pixels within `inset` of a square of `side` pixels centred on
// (cx, cy).
struct Evenness {
    int spread = 0;
    int mean = 0;
};

Evenness EvennessAround(const Pixels& pixels, int cx, int cy, int side)
{
    Evenness e;
    long sum = 0;
    int count = 0;
    for (int y = cy - side / 2; y < cy + side / 2; ++y) {
        for (int x = cx - side / 2; x < cx + side / 2; ++x) {
            sum += Green(pixels.At(x, y));
            ++count;
            e.spread = std::max(e.spread, std::abs(Green(pixels.At(x + 1, y)) - Green(pixels.At(x, y))));
        }
    }
    e.mean = count ? static_cast<int>(sum / count) : 0;
    return e;
}

// One-pixel lines, white and black by turns across.
Rgba Line(int x, int)
{
    return x % 2 ? kWhite : Rgba{0, 0, 0, 255};
}

TEST_F(ImageFileTest, FineLinesShrunkSeveralTimesReadAsTheirMeanGrey)
{
    // The picture, its mask or its effect made of lines, on black; drawn 49
    // pixels high, five or six times smaller than its texture (not a whole
    // number of times, where every pixel would fall between two lines).
    WriteBmp("lines.bmp", 300, 300, Line);
    WriteBmp("white.bmp", 256, 256, [](int, int) { return kWhite; });
    WriteBmp("shaped.bmp", 256, 256, [](int, int) { return kWhite; });
    WriteBmp("shaped.msk.bmp", 256, 256, Line);
    // Modulated twice: half-strength lines make the picture's own colour.
    WriteBmp("halflines.bmp", 256, 256, [](int x, int) { return Rgba{0, uint8_t(x % 2 ? 128 : 0), 0, 255}; });
    const struct {
        const char* what;
        const char* picture;
        const char* effect;
    } cases[] = {
        {"picture", "lines.bmp", nullptr},
        {"mask", "shaped.bmp", nullptr},
        {"effect", "white.bmp", "halflines.bmp"},
    };
    for (const auto& c : cases) {
        auto quad = std::make_unique<CD3DImage>(surface.get());
        quad->SetMaskShapesPicture(true);
        quad->LoadFromFile(c.picture, false);
        if (c.effect)
            quad->LoadEffect(c.effect, 0.0f, kMirrorNone);
        quad->SetScale(0.19f, 0.19f);
        quad->SetPosition(0.0f, 0.0f);
        const Pixels pixels = DrawAlone(*quad);
        const PixelPos centre = ToPixel(0.0f, 0.0f);
        const Evenness e = EvennessAround(pixels, centre.x, centre.y, 40);
        EXPECT_LE(e.spread, 16) << c.what;
        EXPECT_NEAR(e.mean, 128, 24) << c.what;
    }
}

TEST_F(ImageFileTest, AShrunkPictureKeepsItsEdgeOpaque)
{
    // 299 x 199 in a 512 x 256 texture, drawn 26 pixels high on red: the
    // smaller levels mix the edge with what lies beyond the picture.
    WriteBmp("wide.bmp", 299, 199, [](int, int) { return kWhite; });
    auto quad = Load("wide.bmp", 0.1f);
    const Pixels pixels = DrawAlone(*quad, 0xFFFF0000);
    // Every pixel the quad covers, the outermost too (pixel centres lie on
    // whole coordinates).
    const float halfWidth = 0.05f * 299.0f / 199.0f * kHeight;
    const float halfHeight = 0.05f * kHeight;
    auto inside = [](int pixel, float half, int centre) {
        return std::fabs(static_cast<float>(pixel - centre)) < half - 0.1f;
    };
    int tinted = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const uint32_t c = pixels.At(x, y);
            tinted += inside(x, halfWidth, kWidth / 2) && inside(y, halfHeight, kHeight / 2) && Red(c) - Green(c) > 4;
        }
    }
    EXPECT_EQ(tinted, 0);
}

TEST(TiledFilePicture, FineLinesShrunkAcrossTilesReadAsTheirMeanGrey)
{
    // 64 x 64 in 8-pixel tiles, drawn 12.8 pixels high on red: no seam
    // lets the background through, and the lines are even grey.
    WriteBmp("tiledlines.bmp", 64, 64, Line);
    TinyTextureScene scene;
    ASSERT_NE(scene.Device(), nullptr);
    CD3DImage quad(scene.Surface());
    quad.LoadFromFile("tiledlines.bmp", false);
    ASSERT_EQ(quad.GetTileLayout().columns, 8);
    quad.SetScale(0.05f, 0.05f);
    quad.SetPosition(0.0f, 0.0f);
    const Pixels pixels = scene.DrawAlone(quad, 0xFFFF0000);
    const Evenness e = EvennessAround(pixels, 128, 128, 10);
    EXPECT_LE(e.spread, 16);
    EXPECT_NEAR(e.mean, 128, 24);
    for (int y = 123; y < 133; ++y) {
        for (int x = 123; x < 133; ++x)
            EXPECT_LE(std::abs(Red(pixels.At(x, y)) - Green(pixels.At(x, y))), 4) << x << "," << y;
    }
}

TEST(TiledFilePicture, TilesShowThePictureWithoutSeams)
{
    // 20 x 12 with 8-pixel textures: 3 x 2 tiles, seams at 8 and 16 across
    // and 8 down, none of them on a colour boundary.
    WriteBmp("tiled.bmp", 20, 12, [](int x, int y) { return y < 6 ? (x < 10 ? kRed : kGreen) : kBlue; });
    TinyTextureScene scene;
    ASSERT_NE(scene.Device(), nullptr);
    CD3DImage quad(scene.Surface());
    quad.LoadFromFile("tiled.bmp", false);
    EXPECT_EQ(quad.GetTileLayout().columns, 3);
    EXPECT_EQ(quad.GetTileLayout().rows, 2);
    quad.SetScale(0.6f, 0.6f);  // 1.0 x 0.6 view units: 12.8 pixels per picture pixel
    quad.SetPosition(0.0f, 0.0f);
    const Pixels pixels = scene.DrawAlone(quad, 0xFF000000);
    ASSERT_EQ(pixels.width, 256);
    auto at = [&](float vx, float vy) {
        return pixels.Rgb(static_cast<int>(128 + vx * 256), static_cast<int>(128 - vy * 256));
    };
    // Picture column c starts at view x -0.5 + c / 20 and row r at 0.3 - r / 20:
    // the tile seams lie at columns 8 and 16 and at row 8.
    const float rowSeam = 0.3f - 8.0f / 20.0f;
    auto pure = [](uint32_t c) {
        return ColourNear(c, Rgb(kRed), 8) || ColourNear(c, Rgb(kGreen), 8) || ColourNear(c, Rgb(kBlue), 8);
    };
    int seams = 0;
    for (float vx = -0.45f; vx <= 0.45f; vx += 0.005f) {
        for (float vy : {rowSeam - 0.002f, rowSeam, rowSeam + 0.002f, 0.15f, -0.15f})
            seams += !pure(at(vx, vy));
    }
    for (float vy = -0.25f; vy <= 0.25f; vy += 0.005f) {
        if (std::fabs(vy) < 0.01f)
            continue;  // the picture's own red/blue boundary
        for (float seam : {-0.5f + 0.4f, -0.5f + 0.8f}) {
            for (float dx : {-0.002f, 0.0f, 0.002f})
                seams += !pure(at(seam + dx, vy));
        }
    }
    EXPECT_EQ(seams, 0);
    EXPECT_EQ(at(-0.25f, 0.15f), Rgb(kRed));
    EXPECT_EQ(at(0.35f, 0.15f), Rgb(kGreen));
    EXPECT_EQ(at(0.45f, -0.2f), Rgb(kBlue));
}

}  // namespace
