// Text meshes: line layout without a device, and built, placed and drawn
// meshes with one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "DeviceFixture.h"
#include "render/D3DImage.h"
#include "render/D3DText.h"
#include "render/GdiScope.h"
#include "render/MeshTools.h"
#include "render/RenderResources.h"
#include "render/TextLines.h"
#include "render/TextMemory.h"
#include "render/TextRun.h"

namespace {

struct SplitCase {
    const char* text;
    std::vector<std::string> lines;
};

TEST(TextLayout, SplitsAtLineBreaksAndKeepsEmptyLinesAsSpaces)
{
    const SplitCase cases[] = {
        {"", {}},
        {"Anna", {"Anna"}},
        {"A\n\nB", {"A", " ", "B"}},
        {"A\n", {"A", " "}},
        {"\n", {" ", " "}},
        {"uno\ndue\ntre", {"uno", "due", "tre"}},
    };
    for (const SplitCase& c : cases)
        EXPECT_EQ(SplitTextLines(c.text), c.lines) << '"' << c.text << '"';
    EXPECT_TRUE(SplitTextLines(nullptr).empty());
}

TEST(TextLayout, StacksLinesOneAndAHalfHeightsApartAboveTheLast)
{
    EXPECT_EQ(LineOffsets(3, 2.0f), (std::vector<float>{6.0f, 3.0f, 0.0f}));
    EXPECT_EQ(LineOffsets(1, 2.0f), (std::vector<float>{0.0f}));
    EXPECT_TRUE(LineOffsets(0, 2.0f).empty());
}

TEST(TextWithoutDevice, BuildsNothingAndIsNeverHit)
{
    CD3DObj view;
    CD3DText text(&view);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(text.BuildMesh("Anna", font, RGB(255, 0, 0), 0.01f, 0.0f), 0);
    EXPECT_EQ(text.BuildMesh("", font, RGB(255, 0, 0), 0.01f, 0.0f), 0);
    EXPECT_FALSE(text.HitTest(0.0f, 0.0f));
    text.Render(kPassNormal);
}

struct RedCount {
    int inside = 0;
    int outside = 0;
};

// The red pixels of the target, counted by whether their centre (in view
// space) lies where the test expects the text.
template <class Expected>
RedCount CountRed(const Pixels& pixels, Expected expected)
{
    RedCount count;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            if (!IsRed(pixels.At(x, y)))
                continue;
            const float vx = (x + 0.5f - pixels.width / 2.0f) / pixels.height;
            const float vy = (pixels.height / 2.0f - y - 0.5f) / pixels.height;
            ++(expected(vx, vy) ? count.inside : count.outside);
        }
    }
    return count;
}

class TextTest : public UnitZoomDeviceTest {
protected:
    void SetUp() override
    {
        UnitZoomDeviceTest::SetUp();
        if (HasFatalFailure())
            return;
        font = CreateFontA(-48, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                           "Liberation Sans");
        ASSERT_NE(font, nullptr);
    }
    void TearDown() override
    {
        DeleteObject(font);
        UnitZoomDeviceTest::TearDown();
    }
    HFONT font = nullptr;
};

TEST_F(TextTest, SingleLineIsCentredWithHeightOneAndItsAspectAsWidth)
{
    CD3DText text(surface.get());
    ASSERT_EQ(text.BuildMesh("Ag", font, RGB(10, 20, 30), 0.001f, 0.0f), 1);
    EXPECT_EQ(text.GetLineCount(), 1);
    D3DXVECTOR3 min;
    D3DXVECTOR3 max;
    ASSERT_TRUE(MeshBoundingBox(text.GetMesh(), min, max));
    EXPECT_NEAR(min.y, -0.5f, 1e-4f);
    EXPECT_NEAR(max.y, 0.5f, 1e-4f);
    EXPECT_NEAR(max.x - min.x, text.GetWidth(), 1e-4f);
    EXPECT_NEAR(min.x + max.x, 0.0f, 1e-4f);
    EXPECT_GT(text.GetWidth(), 0.5f);
    EXPECT_FLOAT_EQ(text.GetHeight(), 1.0f);
    EXPECT_EQ(text.GetColour(), RGB(10, 20, 30));
}

TEST_F(TextTest, EmptyMiddleLineIsBuiltFromASpace)
{
    CD3DText text(surface.get());
    ASSERT_EQ(text.BuildMesh("A\n\nB", font, RGB(0, 0, 0), 0.001f, 0.0f), 1);
    EXPECT_EQ(text.GetLineCount(), 3);
    // Three lines stacked 1.5 heights apart are taller than they are wide.
    EXPECT_LT(text.GetWidth(), 0.5f);
    EXPECT_FALSE(text.BuildMesh("", font, RGB(0, 0, 0), 0.001f, 0.0f));
    EXPECT_EQ(text.GetMesh(), nullptr);
    EXPECT_FLOAT_EQ(text.GetWidth(), 0.0f);
}

TEST_F(TextTest, AppearsInItsColourWhereItsGeometrySays)
{
    CD3DText text(surface.get());
    ASSERT_EQ(text.BuildMesh("HHH", font, RGB(255, 0, 0), 0.001f, 0.0f), 1);
    text.SetScale(0.3f, 0.3f);
    text.SetPosition(0.1f, 0.1f);
    BeginFrame(0xFF000000);
    text.Render(kPassNormal);
    EndFrame();
    const Pixels pixels = ReadBack();
    const float halfW = text.GetWidth() * 0.3f * 0.5f;
    const RedCount red = CountRed(pixels, [&](float vx, float vy) {
        return vx > 0.1f - halfW - 0.01f && vx < 0.1f + halfW + 0.01f && vy > 0.1f - 0.16f &&
               vy < 0.1f + 0.16f;
    });
    EXPECT_GT(red.inside, 200);
    EXPECT_EQ(red.outside, 0);
    // Hit tests agree: the text's box, bottom edge included.
    EXPECT_TRUE(text.HitTest(0.1f, 0.1f));
    EXPECT_TRUE(text.HitTest(0.1f, 0.1f - 0.15f));
    EXPECT_FALSE(text.HitTest(0.1f, 0.1f + 0.151f));
    EXPECT_FALSE(text.HitTest(0.1f + halfW + 0.01f, 0.1f));
    EXPECT_TRUE(text.IntersectsRect(-1.0f, 0.0f, 0.0f, 0.05f));
    EXPECT_FALSE(text.IntersectsRect(-1.0f, 0.3f, 1.0f, 0.4f));
}

TEST_F(TextTest, InsideMaskPassShowsOnlyWithinTheShape)
{
    CD3DImage shape(surface.get());
    ASSERT_TRUE(shape.LoadFromResource(IDB_HANDLE_RESIZE));
    shape.SetScale(0.1f, 0.5f);
    shape.SetPosition(-0.2f, 0.0f);
    CD3DText text(surface.get());
    ASSERT_EQ(text.BuildMesh("HHHHHHHH", font, RGB(255, 0, 0), 0.001f, 0.0f), 1);
    text.SetScale(0.2f, 0.2f);
    BeginFrame(0xFF000000);
    shape.Render(kPassWriteMask);
    text.Render(kPassInsideMask);
    EndFrame();
    const Pixels pixels = ReadBack();
    const RedCount red = CountRed(pixels, [](float vx, float) { return vx > -0.26f && vx < -0.14f; });
    EXPECT_GT(red.inside, 20);
    EXPECT_EQ(red.outside, 0);
    DWORD stencil = 0;
    Device()->GetRenderState(D3DRS_STENCILENABLE, &stencil);
    EXPECT_EQ(stencil, static_cast<DWORD>(FALSE));
}

// A line whose glyphs are too many for one mesh (about 600 characters at the
// size of a page text) still draws, twice as wide as its first half, from its
// left end to its right one.
TEST_F(TextTest, ALineTooLongForOneMeshDrawsWhole)
{
    HFONT tahoma = CreateFontA(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Tahoma");
    ASSERT_NE(tahoma, nullptr);
    std::string line;
    while (line.size() < 600)
        line += "Anna e Marco sposi ";
    line.resize(600);
    CD3DText half(surface.get());
    CD3DText text(surface.get());
    const int halfBuilt = half.BuildMesh(line.substr(0, 300).c_str(), tahoma, RGB(255, 0, 0), 0.0f, 0.0f);
    const int built = text.BuildMesh(line.c_str(), tahoma, RGB(255, 0, 0), 0.0f, 0.0f);
    DeleteObject(tahoma);
    ASSERT_EQ(halfBuilt, 1);
    ASSERT_EQ(built, 1);
    EXPECT_NEAR(text.GetWidth(), 2.0f * half.GetWidth(), 0.03f * text.GetWidth());
    // 0.2 high, each end in turn brought into the target.
    text.SetScale(0.2f, 0.2f);
    const float halfLength = 0.1f * text.GetWidth();
    for (float x : {halfLength - 0.45f, 0.45f - halfLength}) {
        text.SetPosition(x, 0.0f);
        BeginFrame(0xFF000000);
        text.Render(kPassNormal);
        EndFrame();
        const RedCount red = CountRed(ReadBack(), [](float, float vy) { return vy > -0.12f && vy < 0.12f; });
        EXPECT_GT(red.inside, 200) << (x < 0 ? "right end" : "left end");
        EXPECT_EQ(red.outside, 0);
    }
}

// Past the texts' memory a text is a box with a cross in its colour, about
// the size the text would take, hit like the text; it is told once, and the
// memory its neighbours held comes back when they go.
TEST_F(TextTest, PastTheMemoryBudgetATextIsABoxWithACrossToldOnce)
{
    ForgetToldTextPlaceholders();
    const size_t before = TextMemoryHeld();
    SetTextMemoryLimit(before + 1);
    auto built = std::make_unique<CD3DText>(surface.get());
    CD3DText boxed(surface.get());
    ASSERT_EQ(built->BuildMesh("HHH", font, RGB(255, 0, 0), 0.001f, 0.0f), 1);
    EXPECT_GT(TextMemoryHeld(), before);
    // The same words would share the mesh held: other words must be made.
    EXPECT_EQ(boxed.BuildMesh("HHN", font, RGB(255, 0, 0), 0.001f, 0.0f), 0);
    {
        // Under a share of its own (a quarter of the budget) a text is made
        // whatever the others hold, as far as the share goes.
        SetTextMemoryLimit(TextMemoryHeld());
        const TextMemoryShare share;
        CD3DText shared(surface.get()), past(surface.get());
        EXPECT_EQ(shared.BuildMesh("HHN", font, RGB(255, 0, 0), 0.001f, 0.0f), 1);
        EXPECT_EQ(past.BuildMesh("HNN", font, RGB(255, 0, 0), 0.001f, 0.0f), 0);
    }
    EXPECT_FALSE(TextMemoryAllowsAnother()) << "the share ends with it";
    SetTextMemoryLimit(0);
    ASSERT_TRUE(boxed.IsPlaceholder());
    EXPECT_EQ(boxed.GetMesh(), nullptr);
    EXPECT_NEAR(boxed.GetWidth(), built->GetWidth(), 0.25f * built->GetWidth());
    EXPECT_TRUE(TakeUntoldTextPlaceholders());
    EXPECT_FALSE(TakeUntoldTextPlaceholders()) << "told once";

    boxed.SetScale(0.3f, 0.3f);
    boxed.SetPosition(0.1f, 0.1f);
    BeginFrame(0xFF000000);
    boxed.Render(kPassNormal);
    EndFrame();
    const float halfW = boxed.GetWidth() * 0.3f * 0.5f;
    const RedCount red = CountRed(ReadBack(), [&](float vx, float vy) {
        return vx > 0.1f - halfW - 0.01f && vx < 0.1f + halfW + 0.01f && vy > 0.1f - 0.16f &&
               vy < 0.1f + 0.16f;
    });
    EXPECT_GT(red.inside, 200);
    EXPECT_EQ(red.outside, 0);
    EXPECT_TRUE(boxed.HitTest(0.1f + halfW - 0.01f, 0.1f));

    built.reset();
    EXPECT_EQ(TextMemoryHeld(), before);
    boxed.Reset();
    EXPECT_FALSE(boxed.IsPlaceholder());
}

// Texts drawn in one run, their boxes gathered into one draw, show exactly what
// drawing them one by one shows: each box above the boxes and texts before it
// and below those after it, and the device's state is given back.
TEST_F(TextTest, BoxesDrawnInOneRunLayerAsWhenDrawnOneByOne)
{
    const size_t before = TextMemoryHeld();
    CD3DText built(surface.get());
    ASSERT_EQ(built.BuildMesh("HHH", font, RGB(0, 0, 255), 0.001f, 0.0f), 1);
    SetTextMemoryLimit(TextMemoryHeld());
    const COLORREF colours[] = {RGB(255, 0, 0), RGB(0, 160, 0), RGB(200, 200, 0),
                                RGB(0, 0, 0), RGB(120, 0, 160)};
    std::vector<std::unique_ptr<CD3DText>> boxes;
    for (int i = 0; i < 5; ++i) {
        boxes.push_back(std::make_unique<CD3DText>(surface.get()));
        CD3DText& box = *boxes.back();
        ASSERT_EQ(box.BuildMesh(("Box " + std::to_string(i)).c_str(), font, colours[i], 0.001f,
                                0.0f), 0);
        ASSERT_TRUE(box.IsPlaceholder());
        // Overlapping, the later ones turned, so each covers its neighbours' lines.
        box.SetScale(0.25f, 0.25f);
        box.SetRotation(0.3f * static_cast<float>(i));
        box.SetPosition(-0.25f + 0.1f * static_cast<float>(i), 0.05f * static_cast<float>(i % 2));
    }
    SetTextMemoryLimit(0);
    built.SetScale(0.2f, 0.2f);
    built.SetPosition(0.0f, 0.0f);
    const std::vector<const CD3DText*> order = {boxes[0].get(), boxes[1].get(), &built,
                                                boxes[2].get(), boxes[3].get(), boxes[4].get()};

    BeginFrame(0xFFFFFFFF);
    for (const CD3DText* text : order)
        const_cast<CD3DText*>(text)->Render(kPassNormal);
    EndFrame();
    const Pixels alone = ReadBack();

    BeginFrame(0xFFFFFFFF);
    {
        TextRun run(Device(), false);
        for (const CD3DText* text : order)
            text->DrawIn(run);
    }
    DWORD lighting = TRUE, depth = TRUE;
    Device()->GetRenderState(D3DRS_LIGHTING, &lighting);
    Device()->GetRenderState(D3DRS_ZENABLE, &depth);
    EndFrame();
    const Pixels together = ReadBack();

    EXPECT_EQ(lighting, static_cast<DWORD>(FALSE));
    EXPECT_EQ(depth, static_cast<DWORD>(D3DZB_FALSE));
    ASSERT_EQ(together.argb.size(), alone.argb.size());
    int differing = 0;
    for (size_t i = 0; i < alone.argb.size(); ++i)
        differing += (alone.argb[i] & 0xFFFFFFu) != (together.argb[i] & 0xFFFFFFu);
    EXPECT_EQ(differing, 0);
    EXPECT_LT(std::count(alone.argb.begin(), alone.argb.end(), alone.argb[0]),
              static_cast<std::ptrdiff_t>(alone.argb.size() * 9 / 10))
        << "the boxes are drawn";
    boxes.clear();
    built.Reset();
    EXPECT_EQ(TextMemoryHeld(), before);
}

// Texts of the same words and font share one mesh whatever their colours,
// counted once in the texts' memory; it goes with the last of them.
TEST_F(TextTest, TextsOfTheSameWordsAndFontShareOneMesh)
{
    const size_t before = TextMemoryHeld();
    auto red = std::make_unique<CD3DText>(surface.get());
    CD3DText green(surface.get());
    ASSERT_EQ(red->BuildMesh("Anna", font, RGB(255, 0, 0), 0.001f, 0.0f), 1);
    const size_t one = TextMemoryHeld() - before;
    ASSERT_EQ(green.BuildMesh("Anna", font, RGB(0, 255, 0), 0.001f, 0.0f), 1);
    EXPECT_EQ(green.GetMesh(), red->GetMesh());
    EXPECT_EQ(TextMemoryHeld() - before, one);
    EXPECT_FLOAT_EQ(green.GetWidth(), red->GetWidth());
    EXPECT_EQ(green.GetColour(), RGB(0, 255, 0));

    HFONT smaller = CreateFontA(-40, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Liberation Sans");
    CD3DText otherFont(surface.get());
    CD3DText otherWords(surface.get());
    const int otherFontBuilt = otherFont.BuildMesh("Anna", smaller, RGB(255, 0, 0), 0.001f, 0.0f);
    DeleteObject(smaller);
    ASSERT_EQ(otherFontBuilt, 1);
    ASSERT_EQ(otherWords.BuildMesh("Anna\n", font, RGB(255, 0, 0), 0.001f, 0.0f), 1);
    EXPECT_NE(otherFont.GetMesh(), red->GetMesh());
    EXPECT_NE(otherWords.GetMesh(), red->GetMesh());
    otherFont.Reset();
    otherWords.Reset();

    red.reset();
    EXPECT_EQ(TextMemoryHeld() - before, one) << "still held by the green text";
    BeginFrame(0xFF000000);
    green.SetScale(0.3f, 0.3f);
    green.Render(kPassNormal);
    EndFrame();
    const Pixels pixels = ReadBack();
    EXPECT_TRUE(AnyPixelNear(pixels, PixelPos{pixels.width / 2, pixels.height / 2}, 40,
                             [](uint32_t argb) { return Green(argb) > 200 && Red(argb) < 60; }));
    green.Reset();
    EXPECT_EQ(TextMemoryHeld(), before);
}

// A flat text holds only the front of its glyphs, not their backs and walls:
// far less memory for the same pixels.
TEST_F(TextTest, AFlatTextKeepsOnlyTheFrontOfItsGlyphs)
{
    CD3DText text(surface.get());
    ASSERT_EQ(text.BuildMesh("Testo 12", font, RGB(255, 0, 0), 0.0f, 0.0f), 1);
    ComRef<ID3DXMesh> whole;
    {
        FontContext dc(font);
        ASSERT_TRUE(SUCCEEDED(D3DXCreateTextA(Device(), dc.Get(), "Testo 12", 0.0f, 0.0f, whole.Out(),
                                              nullptr, nullptr)));
    }
    ID3DXMesh* mesh = text.GetMesh();
    EXPECT_LT(mesh->GetNumFaces() * 2, whole->GetNumFaces());
    EXPECT_LT(mesh->GetNumVertices() * 2, whole->GetNumVertices());
    EXPECT_LT(MeshGeometryBytes(mesh) * 2, MeshGeometryBytes(whole.Get()));
    struct Vertex {
        D3DXVECTOR3 position, normal;
    };
    ASSERT_EQ(mesh->GetNumBytesPerVertex(), sizeof(Vertex));
    void* bits = nullptr;
    ASSERT_TRUE(SUCCEEDED(mesh->LockVertexBuffer(D3DLOCK_READONLY, &bits)));
    int walls = 0;
    for (DWORD v = 0; v < mesh->GetNumVertices(); ++v)
        walls += std::fabs(static_cast<const Vertex*>(bits)[v].normal.z) < 0.5f ? 1 : 0;
    mesh->UnlockVertexBuffer();
    EXPECT_EQ(walls, 0);
}

// The device processes vertices in software: a text's geometry stays in
// system memory, where no graphics driver keeps a copy of its own.
TEST_F(TextTest, ATextsGeometryIsKeptInSystemMemory)
{
    CD3DText text(surface.get());
    ASSERT_EQ(text.BuildMesh("Testo 12", font, RGB(255, 0, 0), 0.0f, 0.0f), 1);
    EXPECT_TRUE(text.GetMesh()->GetOptions() & D3DXMESH_SYSTEMMEM);
    ComRef<IDirect3DVertexBuffer9> vertices;
    ASSERT_TRUE(SUCCEEDED(text.GetMesh()->GetVertexBuffer(vertices.Out())));
    D3DVERTEXBUFFER_DESC desc{};
    vertices->GetDesc(&desc);
    EXPECT_EQ(desc.Pool, D3DPOOL_SYSTEMMEM);
}

TEST_F(TextTest, MovesScalesAndRotatesLikeAPicture)
{
    CD3DText text(surface.get());
    ASSERT_EQ(text.BuildMesh("H", font, RGB(0, 0, 0), 0.001f, 0.0f), 1);
    text.SetPosition(0.1f, 0.0f);
    text.Move(0.1f, 0.1f);
    text.SetScale(0.1f, 0.1f);
    text.ScaleBy(2.0f, 2.0f);
    text.RotateBy(1.5707963f);
    // Turned by a quarter, the 0.2-high text now spans 0.2 across.
    EXPECT_TRUE(text.HitTest(0.2f + 0.09f, 0.1f));
    EXPECT_FALSE(text.HitTest(0.2f + 0.11f, 0.1f));
    text.Reset();
    EXPECT_EQ(text.GetMesh(), nullptr);
}

}  // namespace

