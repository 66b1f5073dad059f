#include <gtest/gtest.h>

#include <tinyxml.h>

#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

using namespace treeNode;

TEST(SfondoTest, ANewOrAttributelessBackgroundIsWhiteAndHoldsOnePicture)
{
    TiXmlElement element("sfondo");
    element.SetAttribute("green", "inf");
    CSfondoTreeNode background(element, nullptr);
    EXPECT_EQ(1.0f, background.red) << "a missing colour keeps white";
    EXPECT_EQ(1.0f, background.green) << "a value that is no finite number keeps white";
    EXPECT_EQ(1.0f, CSfondoTreeNode(nullptr).blue);
    EXPECT_FALSE(background.HasImage());
    EXPECT_EQ(nullptr, background.GetColourSettings());
    background.SetImage(std::make_unique<CImgTreeNode>("1.jpg", nullptr));
    background.SetImage(std::make_unique<CImgTreeNode>("2.jpg", nullptr));
    ASSERT_EQ(1u, background.GetChildCount());
    EXPECT_EQ("2.jpg", background.GetImage()->GetName());
    EXPECT_EQ(&background, background.GetImage()->GetParent());
    EXPECT_EQ(background.GetImage()->GetColourSettings(), background.GetColourSettings());
}

TEST(SfondoTest, ThePictureIsCentredUnturnedAndStretchedOverThePage)
{
    CSposalboTreeNode album(nullptr, nullptr);
    album.SetPageSize(300, 100, 2);  // a page three times as wide as high
    album.AddPage(-1);
    CPaginaTreeNode* page = album.GetCurrentPage();
    auto picture = std::make_unique<CImgTreeNode>("1.jpg", nullptr);
    picture->SetPosition(0.4f, 0.4f);
    picture->SetRotation(1.0f);
    page->SetBackgroundImage(std::move(picture));
    CImgTreeNode* image = page->GetBackground()->GetImage();
    ASSERT_TRUE(image);
    EXPECT_EQ(0.0f, image->GetX());
    EXPECT_EQ(0.0f, image->GetRotation());
    const float width = image->GetWidth() > 0.0f ? image->GetWidth() : 1.0f;
    EXPECT_FLOAT_EQ(3.0f, image->GetScaleX() * width) << "the page's own width";
    EXPECT_FLOAT_EQ(1.0f, image->GetScaleY() * image->GetHeight());
}

TEST(SfondoTest, AQuarterTurnStandsTheBoxUpright)
{
    struct Case {
        float degrees;
        bool upright;
    };
    const Case cases[] = {{90.0f, true}, {90.5f, true}, {92.0f, false}, {180.0f, false},
                          {270.0f, true}, {-90.0f, true}, {450.0f, true}};
    for (const Case& c : cases) {
        CSposalboTreeNode album(nullptr, nullptr);
        album.AddPage(-1);  // 2 x 1
        CPaginaTreeNode* page = album.GetCurrentPage();
        page->SetBackgroundImage(std::make_unique<CImgTreeNode>("1.jpg", nullptr));
        page->RotateBackground(c.degrees * 3.14159265f / 180.0f);
        CImgTreeNode* image = page->GetBackground()->GetImage();
        const float width = image->GetWidth() > 0.0f ? image->GetWidth() : 1.0f;
        EXPECT_FLOAT_EQ(c.upright ? 1.0f : 2.0f, image->GetScaleX() * width) << c.degrees;
        EXPECT_FLOAT_EQ(c.upright ? 2.0f : 1.0f, image->GetScaleY()) << c.degrees;
    }
}
