// A page-like scene: background, a photo, a masked frame holding a photo, a
// text and a selection frame, drawn in the page's passes. The picture is
// written to "page_scene.bmp" in the test's working folder (or to the path in
// SPAB_SCREENSHOT) so a person can look at it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "DeviceFixture.h"
#include "TestPictures.h"
#include "render/D3DImage.h"
#include "render/D3DSelection.h"
#include "render/D3DText.h"

namespace {

void WriteScenePictures()
{
    WriteBmp("paper.bmp", 150, 100, [](int, int) { return Rgba{252, 250, 244, 255}; });
    // A photo: sky over a meadow with a sun.
    WriteBmp("photo.bmp", 120, 80, [](int x, int y) {
        const int dx = x - 85;
        const int dy = y - 22;
        if (dx * dx + dy * dy < 100)
            return Rgba{250, 220, 60, 255};
        if (y < 50)
            return Rgba{uint8_t(90 + y), uint8_t(150 + y), 235, 255};
        return Rgba{60, uint8_t(120 + (x % 20)), 50, 255};
    });
    // A frame: a gold border, transparent inside; its mask an ellipse.
    WriteTga("frame.tga", 80, 100, [](int x, int y) {
        const bool border = x < 8 || x >= 72 || y < 8 || y >= 92;
        return border ? Rgba{200, 160, 60, 255} : Rgba{0, 0, 0, 0};
    });
    WriteTga("frame.msk.tga", 80, 100, [](int x, int y) {
        const float ex = (x + 0.5f - 40.0f) / 36.0f;
        const float ey = (y + 0.5f - 50.0f) / 46.0f;
        return Rgba{0, 0, 0, uint8_t(ex * ex + ey * ey < 1.0f ? 255 : 0)};
    });
}

class PageScene : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        if (HasFatalFailure())
            return;
        window->SetClientSize(400, 300);
        ASSERT_TRUE(surface->ResetDevice(false, 0.0f));
        surface->SetZoom(0.9f, 0.9f);
    }
    std::unique_ptr<CD3DImage> Picture(const char* path, float x, float y, float scale, float rotation)
    {
        auto quad = std::make_unique<CD3DImage>(surface.get());
        quad->LoadFromFile(path, false);
        quad->SetPosition(x, y);
        quad->SetScale(scale, scale);
        quad->SetRotation(rotation);
        return quad;
    }
    D3DXVECTOR2 InView(float x, float y) const
    {
        return {x * surface->GetZoomX() + surface->GetPanX(), y * surface->GetZoomY() + surface->GetPanY()};
    }
};

TEST_F(PageScene, DrawsAPhotoAMaskedFrameATextAndASelection)
{
    WriteScenePictures();
    auto paper = Picture("paper.bmp", 0.0f, 0.0f, 1.0f, 0.0f);
    auto photo = Picture("photo.bmp", -0.32f, 0.12f, 0.4f, 0.12f);
    auto frame = Picture("frame.tga", 0.4f, 0.05f, 0.6f, 0.0f);
    ASSERT_TRUE(frame->HasMask());
    auto inner = Picture("photo.bmp", 0.4f, 0.05f, 0.6f, 0.0f);

    HFONT font = CreateFontA(-48, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Liberation Serif");
    CD3DText text(surface.get());
    ASSERT_EQ(text.BuildMesh("Anna e Marco\n12 giugno", font, RGB(150, 20, 40), 0.001f, 0.0f), 1);
    DeleteObject(font);
    text.SetPosition(-0.3f, -0.32f);
    text.SetScale(0.18f, 0.18f);

    CD3DSelection selection(surface.get());
    ASSERT_TRUE(selection.CreateResources());
    selection.SetPosition(-0.32f, 0.12f);
    selection.SetScale(0.4f, 0.4f);
    selection.SetRotation(0.12f);
    selection.SetWidth(photo->GetSizeX());

    BeginFrame(0xFFDCDCDC);
    paper->Render(kPassNormal);
    photo->Render(kPassNormal);
    frame->Render(kPassWriteMask);
    inner->Render(kPassInsideMask);
    frame->Render(kPassClearMask);
    text.Render(kPassNormal);
    selection.Render(true);
    EndFrame();
    const Pixels pixels = ReadBack();
    ASSERT_EQ(pixels.width, 400);

    const char* target = std::getenv("SPAB_SCREENSHOT");
    const std::string path = target && *target ? target : "page_scene.bmp";
    WriteBmp(path, pixels.width, pixels.height, [&](int x, int y) {
        const uint32_t c = pixels.At(x, y);
        return Rgba{uint8_t(Red(c)), uint8_t(Green(c)), uint8_t(Blue(c)), 255};
    });
    std::printf("page scene written to %s\n", path.c_str());

    auto pixelAt = [&](float pageX, float pageY) {
        const D3DXVECTOR2 v = InView(pageX, pageY);
        const PixelPos p = ToPixel(v.x, v.y);
        return pixels.Rgb(p.x, p.y);
    };
    // Outside the page: the clear colour; on the paper: the paper.
    EXPECT_EQ(pixelAt(0.0f, 0.54f), 0xDCDCDCu);
    EXPECT_TRUE(ColourNear(pixelAt(0.0f, -0.45f), 0xFCFAF4, 2));
    // The frame's border is gold; its masked inside shows the photo; the
    // frame's corner inside the border but outside the ellipse shows paper.
    EXPECT_TRUE(ColourNear(pixelAt(0.4f - 0.24f + 0.02f, 0.05f), 0xC8A03C, 12));
    EXPECT_FALSE(ColourNear(pixelAt(0.4f, 0.05f), 0xFCFAF4, 20));
    EXPECT_TRUE(ColourNear(pixelAt(0.4f - 0.24f + 0.06f, 0.05f + 0.3f - 0.06f), 0xFCFAF4, 2));
    // A red selection outline around the rotated photo.
    const float c = std::cos(0.12f);
    const float s = std::sin(0.12f);
    const float ox = 0.0f;
    const float oy = 0.2f;  // top edge midpoint of the 0.4-high photo
    const D3DXVECTOR2 top = InView(-0.32f + ox * c - oy * s + 0.05f * c, 0.12f + ox * s + oy * c + 0.05f * s);
    EXPECT_TRUE(AnyPixelNear(pixels, ToPixel(top.x, top.y), 2, IsRed));
    // The text's colour near its place.
    const D3DXVECTOR2 words = InView(-0.3f, -0.32f);
    EXPECT_TRUE(AnyPixelNear(pixels, ToPixel(words.x, words.y), 30, [](uint32_t p) {
        return ColourNear(p, 0x961428, 30);
    }));
}

}  // namespace
