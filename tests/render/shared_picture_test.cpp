// Pictures shared between quads through the picture cache, and pictures
// that cannot be shown (unreadable, no memory) drawn as crossed grey boxes.
#include <gtest/gtest.h>

#include <windows.h>

#include "DeviceFixture.h"
#include "TestPictures.h"
#include "render/D3DImage.h"
#include "render/PictureCache.h"
#include "render/PictureFailures.h"

namespace {

constexpr uint32_t kBoxGrey = 0xC8C8C8;
constexpr uint32_t kCrossGrey = 0x6E6E6E;

class SharedPictureTest : public UnitZoomDeviceTest {
protected:
    void SetUp() override
    {
        UnitZoomDeviceTest::SetUp();
        PictureCache::Instance().ReleaseUnused();
        TakeUntoldPictureFailures();
        ForgetToldPictureFailures();
        entries = PictureCache::Instance().EntryCount();
    }
    void TearDown() override
    {
        SetPictureMemoryLimit(0);
        UnitZoomDeviceTest::TearDown();
    }
    std::unique_ptr<CD3DImage> Load(const std::string& path, float x = 0.0f, bool refused = false)
    {
        auto quad = std::make_unique<CD3DImage>(surface.get());
        quad->SetScale(0.3f, 0.3f);
        quad->SetPosition(x, 0.0f);
        if (refused)
            quad->LoadRefused(path);
        else
            quad->LoadFromFile(path.c_str(), true);
        return quad;
    }
    uint32_t At(const Pixels& pixels, float x, float y) const
    {
        const PixelPos p = ToPixel(x, y);
        return pixels.Rgb(p.x, p.y);
    }
    Pixels Draw(const std::vector<CD3DImage*>& quads)
    {
        BeginFrame(0xFF000000);
        for (CD3DImage* quad : quads)
            quad->Render(kPassNormal);
        EndFrame();
        return ReadBack();
    }
    size_t NewEntries() const { return PictureCache::Instance().EntryCount() - entries; }
    size_t entries = 0;
};

void WriteGrey(const std::string& path, uint8_t level, int width = 16, int height = 16)
{
    WriteBmp(path, width, height, [level](int, int) { return Rgba{level, level, level, 255}; });
}

TEST_F(SharedPictureTest, CopiesOfAPictureShareItsTilesAndAColourChangeMakesItsOwn)
{
    WriteGrey("shared.bmp", 100);
    auto a = Load("shared.bmp", -0.5f);
    auto b = Load("shared.bmp", 0.0f);
    auto c = Load("shared.bmp", 0.5f);
    EXPECT_EQ(NewEntries(), 1u) << "three copies, one set of tiles";

    b->SetColorAdjust(1.0f, 1.0f, 1.0f, 0.5f, 0.5f, 1.0f, 1.0f, true);
    EXPECT_EQ(NewEntries(), 2u);
    const Pixels pixels = Draw({a.get(), b.get(), c.get()});
    EXPECT_EQ(At(pixels, -0.5f, 0.0f), 0x646464u) << "the others keep their colours";
    EXPECT_EQ(At(pixels, 0.5f, 0.0f), 0x646464u);
    EXPECT_LT(At(pixels, 0.0f, 0.0f) & 0xFF, 95u);

    // Released quads hold nothing; the cache lets go of what nobody holds.
    a->ReleaseResources();
    b->ReleaseResources();
    PictureCache::Instance().ReleaseUnused();
    EXPECT_EQ(NewEntries(), 1u) << "c still shows the picture";
    c.reset();
    PictureCache::Instance().ReleaseUnused();
    EXPECT_EQ(NewEntries(), 0u);
}

TEST_F(SharedPictureTest, APictureChangedOnDiskIsAPictureOfItsOwn)
{
    WriteGrey("changing.bmp", 100);
    auto before = Load("changing.bmp");
    WriteGrey("changing.bmp", 200, 32, 16);
    // The change is seen even within the file system's time resolution.
    auto after = Load("changing.bmp");
    EXPECT_EQ(NewEntries(), 2u);
    EXPECT_FLOAT_EQ(after->GetSizeX(), 2.0f);
    EXPECT_EQ(At(Draw({after.get()}), 0.0f, 0.0f), 0xC8C8C8u);
}

// Within one frame a file is looked at once; after it a change is seen, of
// the picture or of the mask beside it.
TEST_F(SharedPictureTest, AFileIsLookedAtOnceInAFrame)
{
    WriteGrey("framed.bmp", 100);
    std::unique_ptr<CD3DImage> first;
    {
        PictureFileLook frame;
        first = Load("framed.bmp");
        WriteGrey("framed.bmp", 200, 32, 16);
        EXPECT_FLOAT_EQ(Load("framed.bmp")->GetSizeX(), 1.0f);
    }
    EXPECT_FLOAT_EQ(Load("framed.bmp")->GetSizeX(), 2.0f);
    WriteGrey("framed.msk.bmp", 255, 32, 16);
    EXPECT_TRUE(Load("framed.bmp")->HasMask());
}

// While the cache holds a file's pictures, a quad made again (an undo, a
// page drawn again) takes them, its proportions and its mask from the cache:
// with the files gone it still shows them. Once no quad holds them, the file
// is read again.
TEST_F(SharedPictureTest, AQuadMadeAgainWhileThePictureIsCachedReadsNoFile)
{
    WriteGrey("kept.bmp", 100, 32, 16);
    WriteGrey("kept.msk.bmp", 255, 32, 16);
    auto first = Load("kept.bmp");
    ASSERT_TRUE(first->HasMask());
    const size_t made = NewEntries();
    ASSERT_TRUE(::DeleteFileA("kept.bmp") && ::DeleteFileA("kept.msk.bmp"));

    auto again = Load("kept.bmp", 0.25f);
    EXPECT_FALSE(again->HasFailed());
    EXPECT_TRUE(again->HasTextures());
    EXPECT_TRUE(again->HasMask());
    EXPECT_FLOAT_EQ(again->GetSizeX(), 2.0f);
    EXPECT_EQ(NewEntries(), made) << "nothing made again";
    EXPECT_EQ(At(Draw({again.get()}), 0.25f, 0.0f), 0x646464u);
    EXPECT_TRUE(TakeUntoldPictureFailures().empty());

    first.reset();
    again.reset();
    PictureCache::Instance().ReleaseUnused();
    auto gone = Load("kept.bmp");
    EXPECT_TRUE(gone->HasFailed()) << "what the file told went with its pictures";
}

TEST_F(SharedPictureTest, PicturesArePreviewedForTheSizeTheyCoverOnTheSurface)
{
    WriteGrey("large.bmp", 100, 1024, 512);
    surface->SetPixelsPerUnit(100.0f);  // 0.3 x 2 x 100 = 60 pixels wide
    auto small = Load("large.bmp");
    surface->SetPixelsPerUnit(256.0f);  // 154
    auto middle = Load("large.bmp");
    EXPECT_EQ(small->GetLoadedSize(), 128);
    EXPECT_EQ(small->GetTileLayout().tileWidth, 128);
    EXPECT_FLOAT_EQ(small->GetSizeX(), 2.0f);
    EXPECT_EQ(middle->GetLoadedSize(), 256);
    EXPECT_EQ(NewEntries(), 2u) << "sizes are pictures of their own";

    EXPECT_TRUE(small->NeedsSharperPreview()) << "drawn larger now than it was loaded for";
    EXPECT_FALSE(middle->NeedsSharperPreview());
    middle->SetScale(1.0f, 1.0f);  // 512 pixels wide
    EXPECT_TRUE(middle->NeedsSharperPreview());

    WriteGrey("little.bmp", 100, 64, 32);
    auto little = Load("little.bmp");
    little->SetScale(4.0f, 4.0f);
    EXPECT_FALSE(little->NeedsSharperPreview()) << "the whole picture is already there";
}

TEST_F(SharedPictureTest, APictureThatCannotBeShownIsACrossedGreyBoxToldOnce)
{
    WriteGrey("wide.bmp", 100, 64, 32);
    WriteGrey("refused.bmp", 100, 64, 32);
    const struct {
        const char* why;
        const char* path;
        size_t limit;
        float aspect;
        bool refused;
    } cases[] = {
        {"unreadable", "missing.bmp", 0, 1.0f, false},
        {"no memory left", "wide.bmp", 1, 2.0f, false},  // the proportions from the header
        {"a refused name", "refused.bmp", 0, 1.0f, true},  // never read, though the file is there
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        SetPictureMemoryLimit(c.limit);
        auto quad = Load(c.path, 0.0f, c.refused);
        auto again = Load(c.path, 0.0f, c.refused);
        SetPictureMemoryLimit(0);
        EXPECT_TRUE(quad->HasFailed());
        EXPECT_FLOAT_EQ(quad->GetSizeX(), c.aspect);
        EXPECT_TRUE(quad->HitTest(0.0f, 0.1f)) << "still selectable";
        const Pixels pixels = Draw({quad.get()});
        EXPECT_TRUE(ColourNear(At(pixels, 0.0f, 0.0f), kCrossGrey, 24)) << "the cross meets at the centre";
        EXPECT_TRUE(ColourNear(At(pixels, 0.0f, 0.1f), kBoxGrey, 8)) << std::hex << At(pixels, 0.0f, 0.1f);
        const std::vector<std::string> told = TakeUntoldPictureFailures();
        ASSERT_EQ(told.size(), 1u) << "once for both quads";
        EXPECT_EQ(told[0], c.path);
        Load(c.path, 0.0f, c.refused);
        EXPECT_TRUE(TakeUntoldPictureFailures().empty()) << "never told twice";
    }
}

TEST_F(SharedPictureTest, AnEmptyNameIsATransparentPictureAndNoFailure)
{
    auto quad = Load("");
    EXPECT_FALSE(quad->HasFailed());
    EXPECT_TRUE(quad->HasTextures());
    EXPECT_EQ(At(Draw({quad.get()}), 0.0f, 0.0f), 0u);
    EXPECT_TRUE(TakeUntoldPictureFailures().empty());
}

}  // namespace
