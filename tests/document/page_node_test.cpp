#include <gtest/gtest.h>

#include "ModelFakes.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/nodes/GruppoTreeNode.h"
#include "document/nodes/ImgColor.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

using namespace treeNode;
using model_test::FakeBox;
using model_test::FakeHost;

namespace {
// An album of one page (W = 2) holding boxes.
struct PageFixture {
    PageFixture() { album.AddPage(-1), page = album.GetCurrentPage(); }
    FakeBox* Add(float x, float y, float width = 1.0f, float sx = 1.0f, float sy = 1.0f)
    {
        page->InsertChildAt(page->GetChildCount(), std::make_unique<FakeBox>(page, x, y, width, sx, sy));
        return static_cast<FakeBox*>(page->GetChild(page->GetChildCount() - 1));
    }
    // Selects the boxes in the order given.
    void Select(std::initializer_list<CTreeNode*> nodes)
    {
        for (CTreeNode* n : nodes)
            n->SetSelected(true);
    }
    NodeList Children()
    {
        NodeList all;
        for (size_t i = 0; i < page->GetChildCount(); ++i)
            all.push_back(page->GetChild(i));
        return all;
    }

    CSposalboTreeNode album{nullptr, nullptr};
    CPaginaTreeNode* page = nullptr;
};

float Edge(CTreeNode* n, int side)
{
    float box[4];
    n->GetBounds(box, false);
    return box[side];
}
} // namespace

TEST(PageNodeTest, SelectionKeepsTheOrderOfSelecting)
{
    PageFixture f;
    FakeBox* a = f.Add(0, 0);
    FakeBox* b = f.Add(1, 0);
    FakeBox* c = f.Add(2, 0);
    f.Select({c, a, b});
    EXPECT_EQ((NodeList{c, a, b}), f.page->GetSelection());
    a->SetSelected(false);
    EXPECT_EQ((NodeList{c, b}), f.page->GetSelection());
    EXPECT_EQ(b, f.page->GetLastSelected());
    EXPECT_EQ(2, f.page->GetSelectedCount(false));
    f.page->SelectAll(false);
    EXPECT_FALSE(c->IsSelected());
    f.page->SelectAll(true);
    EXPECT_EQ((NodeList{a, b, c}), f.page->GetSelection());
}

// The last selected object is the reference: the others take its edge (or
// centre) and keep the other coordinate.
TEST(PageNodeTest, EveryAlignmentUsesItsEdgeOfTheReference)
{
    const int kCentre = -1;  // the box's position instead of an edge
    const struct {
        const char* name;
        void (CPaginaTreeNode::*command)();
        int side;
        bool horizontal;
    } cases[] = {{"left", &CPaginaTreeNode::AlignLeft, kLeft, true},
                 {"right", &CPaginaTreeNode::AlignRight, kRight, true},
                 {"top", &CPaginaTreeNode::AlignTop, kTop, false},
                 {"bottom", &CPaginaTreeNode::AlignBottom, kBottom, false},
                 {"vertically", &CPaginaTreeNode::AlignVertically, kCentre, true},
                 {"horizontally", &CPaginaTreeNode::AlignHorizontally, kCentre, false}};
    for (const auto& c : cases) {
        PageFixture f;
        FakeBox* first = f.Add(-0.5f, 0.2f);
        FakeBox* second = f.Add(0.3f, -0.1f, 2.0f);
        FakeBox* reference = f.Add(0.6f, -0.3f, 1.0f, 0.5f, 0.5f);
        f.Select({first, second, reference});
        (f.page->*c.command)();
        auto at = [&](FakeBox* b) {
            return c.side >= 0 ? Edge(b, c.side) : c.horizontal ? b->GetX() : b->GetY();
        };
        EXPECT_FLOAT_EQ(at(reference), at(first)) << c.name;
        EXPECT_FLOAT_EQ(at(reference), at(second)) << c.name;
        EXPECT_FLOAT_EQ(c.horizontal ? 0.2f : -0.5f, c.horizontal ? first->GetY() : first->GetX()) << c.name;
        EXPECT_FLOAT_EQ(0.6f, reference->GetX()) << c.name << ": the reference stays";
        EXPECT_TRUE(f.album.CanUndo()) << c.name;
    }
}

TEST(PageNodeTest, WithOneSelectedAlignAndEqualSizeDoNothingButCentringActs)
{
    PageFixture f;
    FakeBox* only = f.Add(-0.5f, 0.2f, 1.0f, 0.5f, 0.5f);
    only->SetSelected(true);
    f.page->AlignLeft();
    f.page->SameSize(false);
    EXPECT_FALSE(f.album.CanUndo()) << "a command that cannot act saves no undo";
    EXPECT_FLOAT_EQ(-0.5f, only->GetX());
    f.page->CenterHorizontally();
    EXPECT_FLOAT_EQ(0.0f, only->GetX());
    EXPECT_FLOAT_EQ(0.2f, only->GetY());
    f.page->CenterVertically();
    EXPECT_FLOAT_EQ(0.0f, only->GetY());
    f.page->PlaceLeftOfCenter();
    EXPECT_FLOAT_EQ(0.0f, Edge(only, kRight));
    f.page->PlaceRightOfCenter();
    EXPECT_FLOAT_EQ(0.0f, Edge(only, kLeft));
}

TEST(PageNodeTest, EqualSizesTakeTheReferenceScale)
{
    // The reference has scale (0.6, 0.3); the other object (sx, sy).
    const struct {
        const char* name;
        void (CPaginaTreeNode::*command)(bool);
        bool keepAspect;
        float sx, sy, expectedX, expectedY;
    } cases[] = {
        {"height", &CPaginaTreeNode::SameHeight, false, 0.2f, 0.4f, 0.2f, 0.3f},
        {"height aspect", &CPaginaTreeNode::SameHeight, true, 0.2f, 0.4f, 0.15f, 0.3f},
        {"width", &CPaginaTreeNode::SameWidth, false, 0.2f, 0.4f, 0.6f, 0.4f},
        {"width aspect", &CPaginaTreeNode::SameWidth, true, 0.2f, 0.4f, 0.6f, 1.2f},
        {"size", &CPaginaTreeNode::SameSize, false, 0.2f, 0.4f, 0.6f, 0.3f},
        {"size aspect tall", &CPaginaTreeNode::SameSize, true, 0.2f, 0.4f, 0.15f, 0.3f},
        {"size aspect wide", &CPaginaTreeNode::SameSize, true, 0.4f, 0.2f, 0.6f, 0.3f},
        {"size aspect flat", &CPaginaTreeNode::SameSize, true, 0.0f, 0.2f, 0.0f, 0.2f},
    };
    for (const auto& c : cases) {
        PageFixture f;
        FakeBox* other = f.Add(0, 0, 1.0f, c.sx, c.sy);
        FakeBox* reference = f.Add(0, 0, 1.0f, 0.6f, 0.3f);
        f.Select({other, reference});
        (f.page->*c.command)(c.keepAspect);
        EXPECT_FLOAT_EQ(c.expectedX, other->GetScaleX()) << c.name;
        EXPECT_FLOAT_EQ(c.expectedY, other->GetScaleY()) << c.name;
        EXPECT_FLOAT_EQ(0.6f, reference->GetScaleX()) << c.name;
    }
}

TEST(PageNodeTest, PageFractionFitsThePage)
{
    PageFixture f;  // page width 2
    FakeBox* picture = f.Add(0, 0, 2.0f, 0.3f, 0.3f);
    picture->SetSelected(true);
    f.page->SizeToPageFraction(false, false);
    EXPECT_FLOAT_EQ(1.0f, picture->GetScaleX() * picture->GetWidth() / 2.0f);
    EXPECT_FLOAT_EQ(1.0f, picture->GetScaleY()) << "exactly page-high";
    picture->SetScale(0.3f, 0.3f);
    f.page->SizeToPageFraction(true, true);
    // Half page: T = 1, nsx = 0.5, ratio 1: covers by height.
    EXPECT_FLOAT_EQ(1.0f, picture->GetScaleX());
    EXPECT_FLOAT_EQ(1.0f, picture->GetScaleY());
}

TEST(PageNodeTest, LockedGroupChildrenAreSkippedByMovesButLockedWithTheOthers)
{
    PageFixture f;
    FakeBox* free = f.Add(0, 0);
    auto group = std::make_unique<CGruppoTreeNode>(f.page);
    group->AddChild(std::make_unique<FakeBox>(group.get(), 0.5f, 0.5f), true);
    auto* child = static_cast<FakeBox*>(group->GetChild(0));
    f.page->InsertChildAt(1, std::move(group));
    f.Select({free, child});
    ASSERT_EQ(2, f.page->GetSelectedCount(false));
    f.page->MoveSelection(0.1f, 0.0f, true);
    EXPECT_FLOAT_EQ(0.1f, free->GetX());
    EXPECT_FLOAT_EQ(0.5f, child->GetX());
    f.page->SetLocked(true);
    EXPECT_TRUE(free->IsLocked());
    EXPECT_TRUE(child->IsLocked());
}

TEST(PageNodeTest, ZOrderCommandsKeepTheSelectedOrder)
{
    PageFixture f;
    FakeBox* a = f.Add(0, 0);
    FakeBox* b = f.Add(0, 0);
    FakeBox* c = f.Add(0, 0);
    FakeBox* d = f.Add(0, 0);
    f.Select({c, a});
    f.page->BringSelectionToFront();
    EXPECT_EQ((NodeList{b, d, a, c}), f.Children());
    f.page->SendSelectionToBack();
    EXPECT_EQ((NodeList{a, c, b, d}), f.Children());
    // A run of selected objects moves forward together.
    PageFixture g;
    FakeBox* e = g.Add(0, 0);
    FakeBox* h = g.Add(0, 0);
    FakeBox* i = g.Add(0, 0);
    g.Select({e, h});
    g.page->ShiftZOrder(true);
    EXPECT_EQ((NodeList{i, e, h}), g.Children());
}

TEST(PageNodeTest, DeleteSelectionRemovesTheObjectsAndEmptiesTheSelection)
{
    PageFixture f;
    f.Add(0, 0);
    f.Add(1, 0)->SetSelected(true);
    f.page->DeleteSelection();
    EXPECT_EQ(1u, f.page->GetChildCount());
    EXPECT_EQ(0, f.page->GetSelectedCount(false));
    EXPECT_TRUE(f.album.CanUndo());
}

TEST(PageNodeTest, GroupingPutsTheGroupWhereTheTopmostSelectedObjectWasAndUngroupingGivesItBack)
{
    PageFixture f;
    FakeBox* a = f.Add(-0.5f, 0.0f);
    FakeBox* b = f.Add(0.0f, 0.0f);
    FakeBox* c = f.Add(0.5f, 0.0f);
    FakeBox* d = f.Add(1.0f, 0.0f);
    f.Select({c, a});
    CGruppoTreeNode* group = f.page->GroupSelection();
    ASSERT_TRUE(group);
    EXPECT_EQ((NodeList{b, group, d}), f.Children());
    EXPECT_EQ(a, group->GetChild(0));
    EXPECT_EQ(c, group->GetChild(1));
    EXPECT_FALSE(a->IsSelected());
    EXPECT_EQ((NodeList{group}), f.page->GetSelection());
    EXPECT_FLOAT_EQ(0.0f, group->GetX()) << "fitted around its children";
    EXPECT_FALSE(a->IsMovable());
    ASSERT_TRUE(f.page->IsGroupOrFrameSelected());

    group->GetColourSettings()->brightness = 0.5f;
    f.page->UngroupSelection();
    EXPECT_EQ((NodeList{b, d, a, c}), f.Children()) << "given back on top";
    EXPECT_EQ((NodeList{a, c}), f.page->GetSelection());
    EXPECT_TRUE(a->IsMovable());
}

// An object selected inside a group leaves the selection, flag and all, when
// the group is grouped again or moved into a frame; it can then be chosen
// again, and selecting none lets go of it at any depth.
TEST(PageNodeTest, ObjectsSelectedInsideAGroupLeaveTheSelectionWithIt)
{
    for (const bool intoFrame : {false, true}) {
        SCOPED_TRACE(intoFrame ? "moved into a frame" : "grouped");
        PageFixture f;
        FakeBox* other = f.Add(1.0f, 0.0f);
        auto group = std::make_unique<CGruppoTreeNode>(f.page);
        group->AddChild(std::make_unique<FakeBox>(group.get(), 0.5f, 0.5f), true);
        CGruppoTreeNode* holder = group.get();
        CTreeNode* inside = holder->GetChild(0);
        f.page->InsertChildAt(1, std::move(group));
        auto frame = std::make_unique<CCorniceTreeNode>("f.png", f.page);
        CCorniceTreeNode* target = frame.get();
        f.page->InsertChildAt(2, std::move(frame));

        f.Select({inside});
        EXPECT_EQ(0, f.page->GetSelectedCount(true));
        f.page->SelectAll(false);
        EXPECT_FALSE(inside->IsSelected());

        f.Select({inside, holder, other});
        if (intoFrame)
            f.page->MoveSelectionInto(target);
        else
            ASSERT_TRUE(f.page->GroupSelection());
        EXPECT_FALSE(inside->IsSelected());
        f.page->SelectAll(false);
        EXPECT_EQ(0, f.page->GetSelectedCount(false));
        inside->SetSelected(true);
        EXPECT_EQ((NodeList{inside}), f.page->GetSelection()) << "chosen again";
    }
}

TEST(PageNodeTest, UngroupingAFrameLeavesItSelectedAboveItsFormerObjects)
{
    PageFixture f;
    FakeBox* other = f.Add(0.0f, 0.0f);
    auto frame = std::make_unique<CCorniceTreeNode>("f.png", f.page);
    CCorniceTreeNode* held = frame.get();
    frame->AddChild(std::make_unique<FakeBox>(held, -0.2f, 0.0f), true);
    frame->AddChild(std::make_unique<FakeBox>(held, 0.2f, 0.0f), true);
    CTreeNode* a = held->GetChild(0);
    CTreeNode* c = held->GetChild(1);
    f.page->InsertChildAt(0, std::move(frame));
    f.Select({held});
    f.page->UngroupSelection();
    EXPECT_EQ((NodeList{other, a, c, held}), f.Children()) << "the frame on top";
    EXPECT_EQ((NodeList{held, a, c}), f.page->GetSelection()) << "the frame still first";
    EXPECT_TRUE(held->IsSelected());
    EXPECT_EQ(0u, held->GetChildCount());
}

TEST(PageNodeTest, MovingASelectionIntoItsOwnDescendantSkipsTheAncestors)
{
    PageFixture f;
    auto group = std::make_unique<CGruppoTreeNode>(f.page);
    group->AddChild(std::make_unique<CGruppoTreeNode>(group.get()), true);
    CTreeNode* target = group->GetChild(0);
    CGruppoTreeNode* outer = group.get();
    f.page->InsertChildAt(0, std::move(group));
    FakeBox* box = f.Add(0, 0);
    f.Select({outer, box});
    f.page->MoveSelectionInto(target);
    EXPECT_EQ((NodeList{outer}), f.Children()) << "the target's ancestor stays on the page";
    ASSERT_EQ(1u, target->GetChildCount());
    EXPECT_EQ(box, target->GetChild(0));
    EXPECT_FALSE(box->IsSelected());
    EXPECT_TRUE(target->IsSelected());
}

TEST(PageNodeTest, ColourOfSeveralObjectsCombinesWithTheirOwn)
{
    PageFixture f;
    f.page->InsertChildAt(0, std::make_unique<CGruppoTreeNode>(f.page));
    f.page->InsertChildAt(1, std::make_unique<CGruppoTreeNode>(f.page));
    CTreeNode* a = f.page->GetChild(0);
    CTreeNode* b = f.page->GetChild(1);
    a->GetColourSettings()->brightness = 0.8f;
    a->SetSelected(true);
    EXPECT_EQ(a->GetColourSettings(), f.page->GetColourSettings());
    b->SetSelected(true);
    EXPECT_EQ(nullptr, f.page->GetColourSettings()) << "only one object has settings to edit";
    CImgColor change;
    change.brightness = 0.5f;
    f.page->SetColourSettings(&change, false);
    EXPECT_FLOAT_EQ(0.4f, a->GetColourSettings()->brightness);
    EXPECT_FLOAT_EQ(0.5f, b->GetColourSettings()->brightness);
    f.page->SetAlpha(0.5f, false);
    EXPECT_FLOAT_EQ(0.5f, a->GetColourSettings()->alpha);
}

// An object chosen inside a group (with Alt) is the one the colour dialog
// edits: it opens on its own colours, previews within the group's and gets
// them back on Cancel.
TEST(PageNodeTest, ColourOfAnObjectInsideAGroupIsItsOwnWithinTheGroups)
{
    PageFixture f;
    f.page->InsertChildAt(0, std::make_unique<CGruppoTreeNode>(f.page));
    CTreeNode* group = f.page->GetChild(0);
    group->AddChild(std::make_unique<CImgTreeNode>("1.jpg", group), true);
    auto* photo = static_cast<CImgTreeNode*>(group->GetChild(0));
    photo->GetColourSettings()->brightness = 0.8f;
    CImgColor dim;
    dim.brightness = 0.5f;
    group->SetColourSettings(&dim, false);
    photo->SetSelected(true);
    EXPECT_EQ(photo->GetColourSettings(), f.page->GetColourSettings());
    CImgColor brighter;
    brighter.brightness = 1.5f;
    f.page->SetColourSettings(&brighter, true);
    EXPECT_FLOAT_EQ(0.75f, photo->Picture().GetColourSettings().brightness);
    f.page->ReapplyColour();
    EXPECT_FLOAT_EQ(0.4f, photo->Picture().GetColourSettings().brightness) << "Cancel";
    EXPECT_FLOAT_EQ(0.8f, photo->GetColourSettings()->brightness);
}

TEST(PageNodeTest, BackgroundColourComesFromTheChooser)
{
    FakeHost host;
    PageFixture f;
    f.page->ChooseBackgroundColour();
    EXPECT_FALSE(f.page->GetBackground()) << "cancel changes nothing";
    EXPECT_EQ(0x00FFFFFFu, host.offeredColour) << "white without a background";
    host.confirmColour = true;
    host.colourToChoose = RGB(255, 0, 51);
    f.page->ChooseBackgroundColour();
    ASSERT_TRUE(f.page->GetBackground());
    EXPECT_FLOAT_EQ(1.0f, f.page->GetBackground()->red);
    EXPECT_FLOAT_EQ(0.0f, f.page->GetBackground()->green);
    EXPECT_FLOAT_EQ(0.2f, f.page->GetBackground()->blue);
    f.page->ChooseBackgroundColour();
    EXPECT_EQ(static_cast<uint32_t>(RGB(255, 0, 51)), host.offeredColour);
    // Turning a background without a picture neither fails nor adds one.
    f.page->RotateBackground(1.57f);
    EXPECT_FALSE(f.page->GetBackground()->HasImage());
    EXPECT_TRUE(f.album.CanUndo());
    f.page->RemoveBackground();
    EXPECT_FALSE(f.page->GetBackground());
}

TEST(PageNodeTest, WidthFollowsTheAlbumPageShape)
{
    CSposalboTreeNode album(nullptr, nullptr);
    album.SetPageSize(300, 200, 2);
    album.AddPage(-1);
    EXPECT_FLOAT_EQ(1.5f, album.GetCurrentPage()->GetWidth());
    EXPECT_FLOAT_EQ(1.0f, album.GetCurrentPage()->GetHeight());
    album.SetPageSize(300, 0, 2);
    EXPECT_FLOAT_EQ(2.0f, album.GetCurrentPage()->GetWidth());
    CPaginaTreeNode loose(nullptr);
    EXPECT_FLOAT_EQ(2.0f, loose.GetWidth());
}
