#include <gtest/gtest.h>

#include "ModelFakes.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/nodes/EffectTreeNode.h"
#include "document/nodes/ImageTreeNode.h"
#include "document/nodes/ImgTreeNode.h"

using namespace treeNode;
using model_test::FakeHost;

namespace {
constexpr float kQuarter = 1.5707963f;
}

TEST(ImgTreeNodeTest, SetEffectReplacesAndRemovesTheFirstChild)
{
    FakeHost host;
    CImgTreeNode photo("1.jpg", nullptr);
    photo.SetEffectRotation(90);  // without an effect: nothing to turn
    EXPECT_EQ(0, photo.GetEffectRotation());
    EXPECT_EQ(0u, photo.GetChildCount());
    photo.SetEffect(std::make_unique<CEffectTreeNode>("a.png", nullptr));
    ASSERT_TRUE(photo.GetEffect());
    EXPECT_EQ(&photo, photo.GetEffect()->GetParent());
    EXPECT_EQ(2, photo.GetEffectMirror()) << "a new effect is unmirrored";
    photo.SetEffectMirror(-1);
    photo.SetEffectRotation(45);
    EXPECT_EQ(-1, photo.GetEffectMirror());
    EXPECT_EQ(45, photo.GetEffectRotation());
    photo.SetEffect(std::make_unique<CEffectTreeNode>("b.png", nullptr));
    ASSERT_EQ(1u, photo.GetChildCount());
    EXPECT_EQ("b.png", photo.GetEffect()->GetName());
    photo.SetEffect(nullptr);
    EXPECT_EQ(0u, photo.GetChildCount());
    EXPECT_FALSE(photo.Picture().HasEffect());

    CCorniceTreeNode frame("f.png", nullptr);
    frame.AddChild(std::make_unique<CImgTreeNode>("1.jpg", &frame), true);
    EXPECT_EQ(nullptr, frame.GetEffect()) << "a frame's first photo is no effect";
}

TEST(ImgTreeNodeTest, ResetAspectRatioKeepsTheSigns)
{
    CImgTreeNode photo("1.jpg", nullptr);
    photo.SetScale(-0.5f, 0.2f);
    photo.ResetAspectRatio();
    EXPECT_FLOAT_EQ(-0.5f, photo.GetScaleX());
    EXPECT_FLOAT_EQ(0.5f, photo.GetScaleY());
}

TEST(ImgTreeNodeTest, CopiesCarryPlacementColourCropAndEffect)
{
    CImgTreeNode photo("1.jpg", nullptr);
    photo.SetPosition(0.1f, 0.2f);
    photo.SetScale(0.3f, -0.4f);
    photo.SetRotation(0.5f);
    photo.SetCrop(0.1f, 0.2f, 0.5f);
    photo.SetPersonal(true);
    photo.GetColourSettings()->saturation = 0.0f;
    photo.SetEffect(std::make_unique<CEffectTreeNode>("a.png", nullptr));
    auto copy = photo.Clone(nullptr);
    auto* clone = static_cast<CImgTreeNode*>(copy.get());
    EXPECT_FLOAT_EQ(0.2f, clone->GetY());
    EXPECT_FLOAT_EQ(-0.4f, clone->GetScaleY());
    EXPECT_FLOAT_EQ(0.5f, clone->GetRotation());
    EXPECT_FLOAT_EQ(0.5f, clone->GetRatioH());
    EXPECT_TRUE(clone->IsPersonal());
    EXPECT_EQ(0.0f, clone->GetColourSettings()->saturation);
    ASSERT_TRUE(clone->GetEffect());
    EXPECT_NE(photo.GetEffect(), clone->GetEffect());
    EXPECT_FALSE(clone->AreResourcesLoaded());
}

TEST(ImgTreeNodeTest, AlignCropToPlacesTheCutOutOverItsTurnedPhoto)
{
    CImgTreeNode photo("1.jpg", nullptr);
    photo.SetPosition(1.0f, 0.0f);
    photo.SetScale(2.0f, 2.0f);
    CImgTreeNode part("2.jpg", nullptr);
    part.SetCrop(0.25f, 0.0f, 0.5f);
    part.AlignCropTo(&photo);
    EXPECT_FLOAT_EQ(1.5f, part.GetX());
    EXPECT_FLOAT_EQ(1.0f, part.GetScaleX());
    photo.SetRotation(kQuarter);
    part.AlignCropTo(&photo);
    EXPECT_NEAR(1.0f, part.GetX(), 1e-5f);
    EXPECT_NEAR(0.5f, part.GetY(), 1e-5f);
    EXPECT_NEAR(kQuarter, part.GetRotation(), 1e-6f);
    part.AlignCropTo(nullptr);
    EXPECT_NEAR(0.5f, part.GetY(), 1e-5f);
}

TEST(ImgTreeNodeTest, PicturesAreFoundInTheFolderOfTheirKindAndAPlaceholderAsksForNoFile)
{
    FakeHost host;
    CImageTreeNode image("fiore.png", nullptr);
    image.SetPersonal(true);
    EXPECT_EQ("c:\\lib\\3lop\\fiore.png", image.ResolvePath(true));
    CCorniceTreeNode frame("ovale.png", nullptr);
    EXPECT_EQ("c:\\lib\\1hi\\ovale.png", frame.ResolvePath(false));
    CImgTreeNode photo("", nullptr);
    photo.SetBookmark(3);
    const int asked = host.pathRequests;
    photo.LoadResources();
    EXPECT_EQ(asked, host.pathRequests);
    EXPECT_TRUE(photo.AreResourcesLoaded());
}

namespace {
// A photo whose file is missing: it shows as an empty square picture.
std::unique_ptr<CImgTreeNode> SquarePhoto(float x, float y, float scale)
{
    auto photo = std::make_unique<CImgTreeNode>("missing.jpg", nullptr);
    photo->SetPosition(x, y);
    photo->SetScale(scale, scale);
    photo->LoadResources();
    return photo;
}
} // namespace

TEST(ImgTreeNodeTest, ALockedPhotoIsHitOnlyWhenLockedObjectsAreIncluded)
{
    FakeHost host;
    auto photo = SquarePhoto(0.0f, 0.0f, 0.2f);
    ASSERT_FLOAT_EQ(1.0f, photo->GetWidth());
    NodeList hits;
    EXPECT_TRUE(photo->HitTestPoint(0.05f, 0.05f, &hits, false));
    EXPECT_FALSE(photo->HitTestPoint(0.15f, 0.0f, &hits, false));
    photo->SetLocked(true);
    EXPECT_FALSE(photo->HitTestPoint(0.05f, 0.05f, &hits, false));
    EXPECT_TRUE(photo->HitTestPoint(0.05f, 0.05f, &hits, true));
    EXPECT_TRUE(photo->HitTestRect(-1.0f, 1.0f, 0.0f, 0.0f, &hits, true));
    EXPECT_EQ(3u, hits.size());
}

TEST(ImgTreeNodeTest, BoundsAreTheBoxOfTheTurnedQuad)
{
    FakeHost host;
    auto photo = SquarePhoto(1.0f, 0.0f, 0.2f);
    photo->SetRotation(0.78539816f);
    float b[4];
    photo->GetBounds(b, false);
    EXPECT_NEAR(1.0f - 0.141421f, b[kLeft], 1e-4f);
    EXPECT_NEAR(0.141421f, b[kTop], 1e-4f);
}

TEST(ImgTreeNodeTest, HandleResizingOfAWidePicture)
{
    FakeHost host;
    char folder[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, folder);
    host.folder = std::string(folder) + "\\";
    CreateDirectoryA("0lo", nullptr);
    model_test::WriteBmp("0lo\\wide.bmp", 10, 20, 30);
    CImgTreeNode photo("wide.bmp", nullptr);
    photo.SetScale(0.5f, 0.5f);
    photo.LoadResources();
    ASSERT_FLOAT_EQ(2.0f, photo.GetWidth());
    photo.ResizeByHandle(5, 0.2f, 0.0f, true);
    EXPECT_FLOAT_EQ(0.6f, photo.GetScaleX()) << "a side handle changes only the width";
    EXPECT_FLOAT_EQ(0.5f, photo.GetScaleY());
    EXPECT_FLOAT_EQ(0.1f, photo.GetX());
    photo.SetScale(0.5f, 0.5f);
    photo.SetPosition(0.0f, 0.0f);
    photo.ResizeByHandle(2, 0.1f, 0.0f, true);
    float b[4];
    photo.GetBounds(b, false);
    EXPECT_NEAR(0.5f, b[kRight], 1e-5f) << "the bottom-right corner stays";
    EXPECT_NEAR(-0.25f, b[kBottom], 1e-5f);
    EXPECT_NEAR(2.0f, (b[kRight] - b[kLeft]) / (b[kTop] - b[kBottom]), 1e-4f);
}

TEST(ImgTreeNodeTest, InsideAFrameOnlySelectedOrAltPickedObjectsAreHit)
{
    FakeHost host;
    CCorniceTreeNode frame("missing.png", nullptr);
    frame.SetScale(1.0f, 1.0f);
    std::unique_ptr<CImgTreeNode> inner = SquarePhoto(0.0f, 0.0f, 0.2f);
    inner->SetParent(&frame);
    CImgTreeNode* photo = inner.get();
    frame.AddChild(std::move(inner), true);
    NodeList hits;
    EXPECT_TRUE(frame.HitTestPoint(0.0f, 0.0f, &hits, false));
    EXPECT_EQ((NodeList{&frame}), hits) << "the click hits the frame";
    hits.clear();
    photo->SetSelected(true);
    frame.HitTestPoint(0.0f, 0.0f, &hits, false);
    EXPECT_EQ((NodeList{photo, &frame}), hits) << "a selected object inside stays grabbable";
    hits.clear();
    photo->SetSelected(false);
    frame.SetLocked(true);
    host.keys.insert(VK_MENU);
    EXPECT_TRUE(frame.HitTestPoint(0.0f, 0.0f, &hits, false));
    EXPECT_EQ((NodeList{photo}), hits) << "with Alt the content is picked one by one";
    hits.clear();
    photo->SetLocked(true);
    EXPECT_FALSE(frame.HitTestPoint(0.0f, 0.0f, &hits, false));
    EXPECT_TRUE(frame.HitTestPoint(0.0f, 0.0f, &hits, true));
    EXPECT_EQ((NodeList{photo, &frame}), hits);
}

TEST(ImgTreeNodeTest, FitToSizeKeepsTheProportionsUnlessStretched)
{
    FakeHost host;
    auto photo = SquarePhoto(0.0f, 0.0f, 1.0f);
    photo->FitToSize(false, 0.5f, 0.2f);
    EXPECT_FLOAT_EQ(0.2f, photo->GetScaleX());
    EXPECT_FLOAT_EQ(0.2f, photo->GetScaleY());
    photo->FitToSize(true, 0.5f, 0.2f);
    EXPECT_FLOAT_EQ(0.5f, photo->GetScaleX());
    CImgTreeNode unloaded("x.jpg", nullptr);
    unloaded.FitToSize(true, 0.5f, 0.2f);
    EXPECT_FLOAT_EQ(0.5f, unloaded.GetScaleX()) << "no division by a missing size";
}
