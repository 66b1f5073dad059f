#include <gtest/gtest.h>

#include <cstring>

#include "ModelFakes.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/nodes/GruppoTreeNode.h"
#include "document/nodes/ImgTreeNode.h"

using namespace treeNode;
using model_test::FakeBox;
using model_test::FakeHost;

namespace {
constexpr float kQuarter = 1.5707963f;

FakeBox* Hold(CTreeNode& container, float x, float y, float sx = 1.0f, float sy = 1.0f)
{
    container.AddChild(std::make_unique<FakeBox>(&container, x, y, 1.0f, sx, sy), true);
    return static_cast<FakeBox*>(container.GetChild(container.GetChildCount() - 1));
}
} // namespace

TEST(ContainerTest, MovingAndRotatingAGroupCarriesEachChildAboutItsCentre)
{
    CGruppoTreeNode group(nullptr);
    group.SetPosition(1.0f, 1.0f);
    FakeBox* child = Hold(group, 2.0f, 1.0f);
    group.RotateBy(kQuarter);
    EXPECT_NEAR(kQuarter, group.GetRotation(), 1e-6f);
    EXPECT_NEAR(kQuarter, child->GetRotation(), 1e-6f);
    EXPECT_NEAR(1.0f, child->GetX(), 1e-5f);
    EXPECT_NEAR(2.0f, child->GetY(), 1e-5f);
    group.SetRotation(0.0f);
    EXPECT_NEAR(2.0f, child->GetX(), 1e-5f);
    EXPECT_NEAR(0.0f, child->GetRotation(), 1e-6f);
    group.MoveBy(0.1f, 0.2f);
    EXPECT_NEAR(2.1f, child->GetX(), 1e-5f);
    group.SetPosition(2.1f, 1.2f);
    EXPECT_NEAR(3.1f, child->GetX(), 1e-5f);
    EXPECT_NEAR(1.2f, child->GetY(), 1e-5f);
}

// A container of scale (1, 1) or (0, 1) holding a child at (0.5, 0.25) is
// scaled to (2, 3).
TEST(ContainerTest, ScalingSpreadsAndScalesTheChildren)
{
    const struct {
        const char* name;
        bool frame;
        float startX, childSx, childSy;
        float x, y, sx, sy;
    } cases[] = {
        {"a group keeps a mirrored child mirrored", false, 1.0f, 0.2f, -0.4f, 1.0f, 0.75f, 0.4f, -1.2f},
        {"a frame takes its children positive", true, 1.0f, -0.2f, 0.4f, 1.0f, 0.75f, 0.4f, 1.2f},
        {"from a zero scale nothing moves", false, 0.0f, 0.2f, 0.2f, 0.5f, 0.25f, 0.2f, 0.2f},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CTreeNode> container;
        if (c.frame)
            container = std::make_unique<CCorniceTreeNode>("f.png", nullptr);
        else
            container = std::make_unique<CGruppoTreeNode>(nullptr);
        container->SetScale(c.startX, 1.0f);
        FakeBox* child = Hold(*container, 0.5f, 0.25f, c.childSx, c.childSy);
        container->SetScale(2.0f, 3.0f);
        EXPECT_FLOAT_EQ(c.x, child->GetX()) << c.name;
        EXPECT_FLOAT_EQ(c.y, child->GetY()) << c.name;
        EXPECT_FLOAT_EQ(c.sx, child->GetScaleX()) << c.name;
        EXPECT_FLOAT_EQ(c.sy, child->GetScaleY()) << c.name;
    }
    CGruppoTreeNode group(nullptr);
    group.SetScale(1.0f, 1.0f);
    FakeBox* child = Hold(group, 0.5f, 0.0f, 0.4f, 0.4f);
    group.ScaleBy(0.5f, 1.0f);
    EXPECT_FLOAT_EQ(0.25f, child->GetX());
    EXPECT_FLOAT_EQ(0.2f, child->GetScaleX());
}

TEST(ContainerTest, AMaskedFrameLetsItsChildrenMoveAloneAndAltMovesItOverThem)
{
    FakeHost host;
    CCorniceTreeNode masked("f.png", nullptr);
    FakeBox* inside = Hold(masked, 0.0f, 0.0f);
    EXPECT_TRUE(masked.HoldsChildren());
    EXPECT_FALSE(inside->IsMovable());
    masked.SetMasked(true);
    EXPECT_FALSE(masked.HoldsChildren());
    EXPECT_TRUE(inside->IsMovable());

    host.keys.insert(VK_MENU);
    masked.MoveBy(0.3f, 0.0f);
    EXPECT_FLOAT_EQ(0.0f, inside->GetX());
    EXPECT_FLOAT_EQ(0.3f, masked.GetX());
    masked.RotateBy(kQuarter);
    EXPECT_FLOAT_EQ(0.0f, inside->GetRotation());
    CCorniceTreeNode open("f.png", nullptr);
    FakeBox* carried = Hold(open, 0.0f, 0.0f);
    open.MoveBy(0.3f, 0.0f);
    EXPECT_FLOAT_EQ(0.3f, carried->GetX()) << "Alt only frees the content of a masked frame";
}

TEST(ContainerTest, RecolouringAFrameShowsChildrenCombinedWithoutStoringIt)
{
    CCorniceTreeNode frame("f.png", nullptr);
    frame.AddChild(std::make_unique<CImgTreeNode>("1.jpg", &frame), true);
    auto* photo = static_cast<CImgTreeNode*>(frame.GetChild(0));
    photo->GetColourSettings()->brightness = 0.8f;
    CImgColor change;
    change.brightness = 0.5f;
    frame.SetColourSettings(&change, false);
    EXPECT_FLOAT_EQ(0.5f, frame.GetColourSettings()->brightness);
    EXPECT_FLOAT_EQ(0.8f, photo->GetColourSettings()->brightness) << "stored value unchanged";
    EXPECT_FLOAT_EQ(0.4f, photo->Picture().GetColourSettings().brightness) << "shown value";
    frame.SetAlpha(0.5f, true);
    EXPECT_FLOAT_EQ(1.0f, frame.GetColourSettings()->alpha) << "a preview stores nothing";
    EXPECT_FLOAT_EQ(0.5f, photo->Picture().GetColourSettings().alpha);
}

namespace {
// A photo of brightness 0.8 in a frame of brightness 0.5 in a group of red
// and transparency 0.5.
struct NestedColours {
    NestedColours()
    {
        group.AddChild(std::make_unique<CCorniceTreeNode>("f.png", &group), true);
        frame = static_cast<CCorniceTreeNode*>(group.GetChild(0));
        frame->AddChild(std::make_unique<CImgTreeNode>("1.jpg", frame), true);
        photo = static_cast<CImgTreeNode*>(frame->GetChild(0));
        photo->GetColourSettings()->brightness = 0.8f;
        CImgColor red;
        red.red = 0.5f;
        red.alpha = 0.5f;
        group.SetColourSettings(&red, false);
        CImgColor dim;
        dim.brightness = 0.5f;
        frame->SetColourSettings(&dim, false);
    }
    // Pictures load again after a page change, an undo or the album's
    // opening, the holders before what they hold.
    void Reload()
    {
        group.ReleaseResources();
        for (CImgTreeNode* picture : {static_cast<CImgTreeNode*>(&group), static_cast<CImgTreeNode*>(frame), photo})
            picture->LoadResources();
    }
    CGruppoTreeNode group{nullptr};
    CCorniceTreeNode* frame = nullptr;
    CImgTreeNode* photo = nullptr;
};
} // namespace

TEST(ContainerTest, ReloadedContentStillShowsTheColoursOfWhatHoldsIt)
{
    NestedColours n;
    CImgTreeNode* frame = n.frame;
    CImgTreeNode* photo = n.photo;
    n.Reload();
    EXPECT_FLOAT_EQ(0.4f, photo->Picture().GetColourSettings().brightness);
    EXPECT_FLOAT_EQ(0.5f, photo->Picture().GetColourSettings().red);
    EXPECT_FLOAT_EQ(0.5f, frame->Picture().GetColourSettings().red);
    EXPECT_FLOAT_EQ(0.5f, frame->Picture().GetColourSettings().brightness);
    EXPECT_FLOAT_EQ(0.8f, photo->GetColourSettings()->brightness) << "stored value unchanged";
    EXPECT_FLOAT_EQ(1.0f, photo->GetColourSettings()->red);
}

// Whatever is set or previewed, on the photo or on the frame, the photo
// shows its colour within both holders', exactly as when its picture is
// loaded again.
TEST(ContainerTest, ContentShowsItsColourWithinEveryHolderWhenSetOrPreviewed)
{
    NestedColours n;
    CCorniceTreeNode* frame = n.frame;
    CImgTreeNode* photo = n.photo;
    const auto shown = [&] { return photo->Picture().GetColourSettings(); };

    CImgColor brighter;
    brighter.brightness = 1.5f;
    photo->SetColourSettings(&brighter, true);
    EXPECT_FLOAT_EQ(0.75f, shown().brightness) << "a preview of the photo";
    EXPECT_FLOAT_EQ(0.5f, shown().red);
    EXPECT_FLOAT_EQ(0.8f, photo->GetColourSettings()->brightness);
    photo->SetAlpha(0.5f, true);
    EXPECT_FLOAT_EQ(0.25f, shown().alpha) << "a preview of its transparency";
    photo->ReapplyColour();
    EXPECT_FLOAT_EQ(0.4f, shown().brightness) << "given its own back";

    CImgColor dimmer;
    dimmer.brightness = 0.25f;
    frame->SetColourSettings(&dimmer, true);
    EXPECT_FLOAT_EQ(0.2f, shown().brightness) << "a preview of the frame";
    EXPECT_FLOAT_EQ(0.5f, shown().red) << "keeps the group's colour";
    frame->SetAlpha(1.0f, true);
    EXPECT_FLOAT_EQ(0.5f, shown().alpha);

    photo->SetColourSettings(&brighter, false);
    const ColourSettings set = shown();
    EXPECT_FLOAT_EQ(0.75f, set.brightness) << "after OK";
    n.Reload();
    const ColourSettings reloaded = shown();
    EXPECT_EQ(0, std::memcmp(&set, &reloaded, sizeof set)) << "as after a reload, to the bit";
}

TEST(ContainerTest, FitToChildrenPlacesTheBoxAroundThem)
{
    CGruppoTreeNode group(nullptr);
    Hold(group, -0.5f, 0.0f);
    Hold(group, 0.5f, 0.5f);
    group.FitToChildren();
    EXPECT_FLOAT_EQ(0.0f, group.GetX());
    EXPECT_FLOAT_EQ(0.25f, group.GetY());
    EXPECT_FLOAT_EQ(1.5f, group.GetScaleY());
    CGruppoTreeNode empty(nullptr);
    empty.SetPosition(0.3f, 0.3f);
    empty.FitToChildren();
    EXPECT_FLOAT_EQ(0.3f, empty.GetX());
}
