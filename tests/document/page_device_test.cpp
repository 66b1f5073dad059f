// Pages drawn on a real Direct3D device on a hidden window, read back pixel
// by pixel.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

#include "AlbumSamples.h"
#include "TempFolder.h"
#include "render/DeviceFixture.h"
#include "ModelFakes.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/nodes/TestoTreeNode.h"
#include "render/D3DObj.h"

using namespace treeNode;

namespace {
constexpr int kWidth = 640;
constexpr int kHeight = 256;

class PageDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Get());
        view = std::make_unique<CD3DObj>();
        view->CreateDevice(window.Get(), false);
        if (!view->GetDevice())
            GTEST_SKIP() << "no Direct3D device";
        char folder[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, folder);
        host.folder = std::string(folder) + "\\";
    }

    // A new page of the album with a red background, the colour answered
    // through the fake host.
    CPaginaTreeNode* AddRedPage(CSposalboTreeNode& album)
    {
        album.AddPage(-1);
        CPaginaTreeNode* page = album.GetCurrentPage();
        host.confirmColour = true;
        host.colourToChoose = RGB(255, 0, 0);
        page->ChooseBackgroundColour();
        return page;
    }

    // Draws the page and reads the back buffer.
    Pixels Draw(CPaginaTreeNode& page)
    {
        IDirect3DDevice9* device = view->GetDevice();
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_STENCIL | D3DCLEAR_ZBUFFER,
                      0xFF404040, 1.0f, 0);
        device->BeginScene();
        page.Render(0);
        device->EndScene();
        return ReadRenderTarget(device);
    }
    // The pixel of a page point (the view starts without zoom or pan).
    uint32_t At(const Pixels& pixels, float x, float y) const
    {
        return pixels.Rgb(static_cast<int>(kWidth / 2 + x * kHeight), static_cast<int>(kHeight / 2 - y * kHeight));
    }

    model_test::FakeHost host;
    HiddenWindow window{kWidth, kHeight};
    std::unique_ptr<CD3DObj> view;
};

bool Near(uint32_t rgb, uint32_t expected)
{
    return ColourNear(rgb, expected, 24);
}
} // namespace

TEST_F(PageDeviceTest, APageDrawsItsBackgroundPhotoAndOutline)
{
    CreateDirectoryA("0lo", nullptr);  // the fake host's folder of album photos
    model_test::WriteBmp("0lo\\verde.bmp", 0, 255, 0);
    CSposalboTreeNode album(view.get(), nullptr);
    CPaginaTreeNode* page = AddRedPage(album);
    auto photo = std::make_unique<CImgTreeNode>("verde.bmp", page);
    photo->SetPosition(0.5f, 0.0f);
    photo->SetScale(0.25f, 0.25f);
    page->InsertChildAt(0, std::move(photo));
    const Pixels pixels = Draw(*page);
    ASSERT_GT(pixels.width, 0);
    EXPECT_TRUE(Near(At(pixels, -0.5f, 0.25f), 0xFF0000)) << std::hex << At(pixels, -0.5f, 0.25f);
    EXPECT_TRUE(Near(At(pixels, 0.5f, 0.0f), 0x00FF00)) << std::hex << At(pixels, 0.5f, 0.0f);
    EXPECT_TRUE(Near(At(pixels, -1.1f, 0.0f), 0x404040)) << "outside the page";
    bool centreLine = false;
    for (float x = -3.0f; x <= 3.0f; x += 1.0f)
        centreLine = centreLine || Near(At(pixels, x / kHeight, 0.25f), 0x000000);
    EXPECT_TRUE(centreLine) << "the centre line " << std::hex << At(pixels, -1.0f / kHeight, 0.25f)
                            << " " << At(pixels, 0.0f, 0.25f) << " " << At(pixels, 1.0f / kHeight, 0.25f);
}

TEST_F(PageDeviceTest, TheSampleAlbumDrawsEveryPageAndSavesBackUnchanged)
{
    WriteTextFile("sample-device.sbm", model_test::RichAlbum());
    auto album = CSposalboTreeNode::Load("sample-device.sbm", view.get());
    ASSERT_TRUE(album);
    for (int i = 0; i < album->GetPageCount(); ++i) {
        album->GoToPage(i);
        EXPECT_GT(Draw(*album->GetCurrentPage()).width, 0) << "page " << i;
    }
    album->GoToPage(1);
    ASSERT_TRUE(album->SaveToFile("sample-device-saved.sbm"));
    EXPECT_EQ(model_test::RichAlbum(), ReadTextFile("sample-device-saved.sbm"));
}

TEST_F(PageDeviceTest, AMaskedFrameClipsItsContentAndAnOpenOneDoesNot)
{
    CreateDirectoryA("0lo", nullptr);
    CreateDirectoryA("1lo", nullptr);
    model_test::WriteBmp("0lo\\verde.bmp", 0, 255, 0);
    model_test::WriteBmp("1lo\\blu.bmp", 0, 0, 255);
    for (bool masked : {false, true}) {
        CSposalboTreeNode album(view.get(), nullptr);
        CPaginaTreeNode* page = AddRedPage(album);
        auto frame = std::make_unique<CCorniceTreeNode>("blu.bmp", page);
        frame->SetScale(0.25f, 0.25f);
        frame->SetMasked(masked);
        auto photo = std::make_unique<CImgTreeNode>("verde.bmp", frame.get());
        photo->SetScale(0.5f, 0.5f);
        frame->AddChild(std::move(photo), true);
        frame->MoveBy(-0.5f, 0.0f);  // carries the photo along
        page->InsertChildAt(0, std::move(frame));
        const Pixels pixels = Draw(*page);
        ASSERT_GT(pixels.width, 0);
        EXPECT_TRUE(Near(At(pixels, -0.5f, 0.0f), 0x0000FF)) << "the frame lies on top";
        const uint32_t beside = At(pixels, -0.5f + 0.4f, 0.0f);  // photo, outside the frame
        EXPECT_TRUE(Near(beside, masked ? 0xFF0000 : 0x00FF00))
            << (masked ? "clipped " : "open ") << std::hex << beside;
    }
}

TEST_F(PageDeviceTest, ATextBuildsItsMeshOnDrawingAndResizesAlongItsOwnAxis)
{
    CSposalboTreeNode album(view.get(), nullptr);
    album.AddPage(-1);
    CPaginaTreeNode* page = album.GetCurrentPage();
    LOGFONTA font{};
    font.lfHeight = -40;
    std::strcpy(font.lfFaceName, "Arial");
    auto text = std::make_unique<CTestoTreeNode>("Prova", font, RGB(0, 0, 255), page);
    CTestoTreeNode* node = text.get();
    page->InsertChildAt(0, std::move(text));
    node->SetScale(0.2f, 0.2f);
    node->SetRotation(1.5707963f);
    Draw(*page);
    ASSERT_TRUE(node->IsMeshBuilt());
    ASSERT_GT(node->GetWidth(), 0.0f);
    const float width = node->GetWidth();
    float before[4];
    node->GetBounds(before, false);
    node->ResizeByHandle(5, 0.0f, 0.1f, false);  // the right edge now faces up
    float after[4];
    node->GetBounds(after, false);
    EXPECT_NEAR(before[kTop] + 0.1f, after[kTop], 1e-4f);
    EXPECT_NEAR(before[kBottom], after[kBottom], 1e-4f) << "the left edge stays";
    EXPECT_NEAR(0.2f + 0.1f / width, node->GetScaleX(), 1e-4f);
    node->SetFont(font);
    EXPECT_FALSE(node->IsMeshBuilt());
    Draw(*page);
    EXPECT_TRUE(node->IsMeshBuilt());
}
