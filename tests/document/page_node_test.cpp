#include <gtest/gtest.h>

#include "ModelFakes.h"
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
    PageFixture()
    {
        album.AddPage(-1);
        page = album.GetCurrentPage();
    }
    FakeBox* Add(float x, float y, float width = 1.0f, float sx = 1.0f, float sy = 1.0f)
    {
        page->InsertChildAt(page->GetChildCount(),
                            std::make_unique<FakeBox>(page, x, y, width, sx, sy));
        return static_cast<FakeBox*>(page->GetChild(page->GetChildCount() - 1));
    }
    float Left(CTreeNode* n) { return Box(n)[kLeft]; }
    float Right(CTreeNode* n) { return Box(n)[kRight]; }
    float Top(CTreeNode* n) { return Box(n)[kTop]; }
    float Bottom(CTreeNode* n) { return Box(n)[kBottom]; }
    const float* Box(CTreeNode* n)
    {
        n->GetBounds(box, false);
        return box;
    }
    bool CanUndo() { return album.CanUndo(); }

    CSposalboTreeNode album{nullptr, nullptr};
    CPaginaTreeNode* page = nullptr;
    float box[4];
};
} // namespace

TEST(PageNodeTest, SelectionKeepsTheOrderOfSelecting)
{
    PageFixture f;
    FakeBox* a = f.Add(0, 0);
    FakeBox* b = f.Add(1, 0);
    FakeBox* c = f.Add(2, 0);
    c->SetSelected(true);
    a->SetSelected(true);
    b->SetSelected(true);
    EXPECT_EQ((NodeList{c, a, b}), f.page->GetSelection());
    a->SetSelected(false);
    EXPECT_EQ((NodeList{c, b}), f.page->GetSelection());
    EXPECT_EQ(b, f.page->GetLastSelected());
    EXPECT_EQ(2, f.page->GetSelectedCount(false));
    f.page->SelectAll(false);
    EXPECT_EQ(0, f.page->GetSelectedCount(false));
    EXPECT_FALSE(c->IsSelected());
    f.page->SelectAll(true);
    EXPECT_EQ((NodeList{a, b, c}), f.page->GetSelection());
}

TEST(PageNodeTest, AlignLeftMovesTheOthersToTheLastSelected)
{
    PageFixture f;
    FakeBox* first = f.Add(-0.5f, 0.2f);
    FakeBox* second = f.Add(0.3f, -0.1f, 2.0f);
    FakeBox* third = f.Add(0.6f, 0.0f, 1.0f, 0.5f, 0.5f);
    first->SetSelected(true);
    second->SetSelected(true);
    third->SetSelected(true);
    const float reference = f.Left(third);
    f.page->AlignLeft();
    EXPECT_FLOAT_EQ(reference, f.Left(first));
    EXPECT_FLOAT_EQ(reference, f.Left(second));
    EXPECT_FLOAT_EQ(0.6f, third->GetX()) << "the reference stays";
    EXPECT_FLOAT_EQ(0.2f, first->GetY());
    EXPECT_TRUE(f.CanUndo());
}

TEST(PageNodeTest, EveryAlignmentUsesItsEdgeOfTheReference)
{
    using Command = void (CPaginaTreeNode::*)();
    struct Case {
        const char* name;
        Command command;
        float (PageFixture::*edge)(CTreeNode*);
    };
    const Case cases[] = {{"right", &CPaginaTreeNode::AlignRight, &PageFixture::Right},
                          {"top", &CPaginaTreeNode::AlignTop, &PageFixture::Top},
                          {"bottom", &CPaginaTreeNode::AlignBottom, &PageFixture::Bottom}};
    for (const Case& c : cases) {
        PageFixture f;
        FakeBox* other = f.Add(-0.5f, 0.2f, 2.0f);
        FakeBox* reference = f.Add(0.5f, -0.3f, 1.0f, 0.3f, 0.3f);
        other->SetSelected(true);
        reference->SetSelected(true);
        (f.page->*c.command)();
        EXPECT_FLOAT_EQ((f.*c.edge)(reference), (f.*c.edge)(other)) << c.name;
    }
}

TEST(PageNodeTest, AlignVerticallyAndHorizontallyShareOneCoordinate)
{
    PageFixture f;
    FakeBox* other = f.Add(-0.5f, 0.2f);
    FakeBox* reference = f.Add(0.4f, -0.3f);
    other->SetSelected(true);
    reference->SetSelected(true);
    f.page->AlignVertically();
    EXPECT_FLOAT_EQ(0.4f, other->GetX());
    EXPECT_FLOAT_EQ(0.2f, other->GetY());
    f.page->AlignHorizontally();
    EXPECT_FLOAT_EQ(-0.3f, other->GetY());
}

TEST(PageNodeTest, WithOneSelectedAlignAndEqualSizeDoNothingButCentringActs)
{
    PageFixture f;
    FakeBox* only = f.Add(-0.5f, 0.2f, 1.0f, 0.5f, 0.5f);
    only->SetSelected(true);
    f.page->AlignLeft();
    f.page->SameSize(false);
    EXPECT_FALSE(f.CanUndo()) << "a command that cannot act saves no undo";
    EXPECT_FLOAT_EQ(-0.5f, only->GetX());
    f.page->CenterHorizontally();
    EXPECT_FLOAT_EQ(0.0f, only->GetX());
    EXPECT_FLOAT_EQ(0.2f, only->GetY());
    f.page->CenterVertically();
    EXPECT_FLOAT_EQ(0.0f, only->GetY());
    f.page->PlaceLeftOfCenter();
    EXPECT_FLOAT_EQ(0.0f, f.Right(only));
    f.page->PlaceRightOfCenter();
    EXPECT_FLOAT_EQ(0.0f, f.Left(only));
}

TEST(PageNodeTest, EqualSizesTakeTheReferenceScale)
{
    struct Case {
        const char* name;
        void (CPaginaTreeNode::*command)(bool);
        bool keepAspect;
        float sx, sy;  // of the other object
        float expectedX, expectedY;
    };
    // The reference has scale (0.6, 0.3).
    const Case cases[] = {
        {"height", &CPaginaTreeNode::SameHeight, false, 0.2f, 0.4f, 0.2f, 0.3f},
        {"height aspect", &CPaginaTreeNode::SameHeight, true, 0.2f, 0.4f, 0.15f, 0.3f},
        {"width", &CPaginaTreeNode::SameWidth, false, 0.2f, 0.4f, 0.6f, 0.4f},
        {"width aspect", &CPaginaTreeNode::SameWidth, true, 0.2f, 0.4f, 0.6f, 1.2f},
        {"size", &CPaginaTreeNode::SameSize, false, 0.2f, 0.4f, 0.6f, 0.3f},
        {"size aspect tall", &CPaginaTreeNode::SameSize, true, 0.2f, 0.4f, 0.15f, 0.3f},
        {"size aspect wide", &CPaginaTreeNode::SameSize, true, 0.4f, 0.2f, 0.6f, 0.3f},
        {"size aspect flat", &CPaginaTreeNode::SameSize, true, 0.0f, 0.2f, 0.0f, 0.2f},
    };
    for (const Case& c : cases) {
        PageFixture f;
        FakeBox* other = f.Add(0, 0, 1.0f, c.sx, c.sy);
        FakeBox* reference = f.Add(0, 0, 1.0f, 0.6f, 0.3f);
        other->SetSelected(true);
        reference->SetSelected(true);
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
    auto inner = std::make_unique<FakeBox>(group.get(), 0.5f, 0.5f);
    FakeBox* child = inner.get();
    group->AddChild(std::move(inner), true);
    f.page->InsertChildAt(1, std::move(group));
    free->SetSelected(true);
    child->SetSelected(true);
    ASSERT_EQ(2, f.page->GetSelectedCount(false));
    f.page->MoveSelection(0.1f, 0.0f, true);
    EXPECT_FLOAT_EQ(0.1f, free->GetX());
    EXPECT_FLOAT_EQ(0.5f, child->GetX());
    f.page->SetLocked(true);
    EXPECT_TRUE(free->IsLocked());
    EXPECT_TRUE(child->IsLocked());
}

TEST(PageNodeTest, BringToFrontAndSendToBackKeepTheSelectedOrder)
{
    PageFixture f;
    FakeBox* a = f.Add(0, 0);
    FakeBox* b = f.Add(0, 0);
    FakeBox* c = f.Add(0, 0);
    FakeBox* d = f.Add(0, 0);
    c->SetSelected(true);
    a->SetSelected(true);
    f.page->BringSelectionToFront();
    EXPECT_EQ((NodeList{b, d, a, c}), (NodeList{f.page->GetChild(0), f.page->GetChild(1),
                                                f.page->GetChild(2), f.page->GetChild(3)}));
    f.page->SendSelectionToBack();
    EXPECT_EQ((NodeList{a, c, b, d}), (NodeList{f.page->GetChild(0), f.page->GetChild(1),
                                                f.page->GetChild(2), f.page->GetChild(3)}));
}

TEST(PageNodeTest, ShiftZOrderMovesARunOfSelectedObjectsTogether)
{
    PageFixture f;
    FakeBox* a = f.Add(0, 0);
    FakeBox* b = f.Add(0, 0);
    FakeBox* c = f.Add(0, 0);
    a->SetSelected(true);
    b->SetSelected(true);
    f.page->ShiftZOrder(true);
    EXPECT_EQ(c, f.page->GetChild(0));
    EXPECT_EQ(a, f.page->GetChild(1));
    EXPECT_EQ(b, f.page->GetChild(2));
}

TEST(PageNodeTest, DeleteSelectionRemovesTheObjectsAndEmptiesTheSelection)
{
    PageFixture f;
    f.Add(0, 0);
    FakeBox* doomed = f.Add(1, 0);
    doomed->SetSelected(true);
    f.page->DeleteSelection();
    EXPECT_EQ(1u, f.page->GetChildCount());
    EXPECT_EQ(0, f.page->GetSelectedCount(false));
    EXPECT_TRUE(f.CanUndo());
}

TEST(PageNodeTest, GroupingPutsTheGroupWhereTheTopmostSelectedObjectWas)
{
    PageFixture f;
    FakeBox* a = f.Add(-0.5f, 0.0f);
    FakeBox* b = f.Add(0.0f, 0.0f);
    FakeBox* c = f.Add(0.5f, 0.0f);
    FakeBox* d = f.Add(1.0f, 0.0f);
    c->SetSelected(true);
    a->SetSelected(true);
    CGruppoTreeNode* group = f.page->GroupSelection();
    ASSERT_TRUE(group);
    ASSERT_EQ(3u, f.page->GetChildCount());
    EXPECT_EQ(b, f.page->GetChild(0));
    EXPECT_EQ(group, f.page->GetChild(1));
    EXPECT_EQ(d, f.page->GetChild(2));
    EXPECT_EQ(a, group->GetChild(0));
    EXPECT_EQ(c, group->GetChild(1));
    EXPECT_FALSE(a->IsSelected());
    EXPECT_EQ((NodeList{group}), f.page->GetSelection());
    EXPECT_FLOAT_EQ(0.0f, group->GetX()) << "fitted around its children";
    EXPECT_FALSE(a->IsMovable());
}

TEST(PageNodeTest, UngroupingGivesBackTheChildrenSelectedAndRecoloured)
{
    PageFixture f;
    FakeBox* a = f.Add(-0.5f, 0.0f);
    FakeBox* b = f.Add(0.5f, 0.0f);
    a->SetSelected(true);
    b->SetSelected(true);
    CGruppoTreeNode* group = f.page->GroupSelection();
    ASSERT_TRUE(f.page->IsGroupOrFrameSelected());
    CImgColor half;
    half.brightness = 0.5f;
    group->GetColourSettings()->brightness = 0.5f;
    f.page->UngroupSelection();
    ASSERT_EQ(2u, f.page->GetChildCount());
    EXPECT_EQ(a, f.page->GetChild(0));
    EXPECT_EQ(b, f.page->GetChild(1));
    EXPECT_EQ((NodeList{a, b}), f.page->GetSelection());
    EXPECT_TRUE(a->IsMovable());
}

TEST(PageNodeTest, MovingASelectionIntoItsOwnDescendantSkipsTheAncestors)
{
    PageFixture f;
    auto group = std::make_unique<CGruppoTreeNode>(f.page);
    auto inner = std::make_unique<CGruppoTreeNode>(group.get());
    CGruppoTreeNode* target = inner.get();
    group->AddChild(std::move(inner), true);
    CGruppoTreeNode* outer = group.get();
    f.page->InsertChildAt(0, std::move(group));
    FakeBox* box = f.Add(0, 0);
    outer->SetSelected(true);
    box->SetSelected(true);
    f.page->MoveSelectionInto(target);
    EXPECT_EQ(outer, f.page->GetChild(0)) << "the target's ancestor stays on the page";
    ASSERT_EQ(1u, f.page->GetChildCount());
    ASSERT_EQ(1u, target->GetChildCount());
    EXPECT_EQ(box, target->GetChild(0));
    EXPECT_FALSE(box->IsSelected());
    EXPECT_TRUE(target->IsSelected());
}

TEST(PageNodeTest, ColourOfSeveralObjectsCombinesWithTheirOwn)
{
    PageFixture f;
    auto groupA = std::make_unique<CGruppoTreeNode>(f.page);
    auto groupB = std::make_unique<CGruppoTreeNode>(f.page);
    CGruppoTreeNode* a = groupA.get();
    CGruppoTreeNode* b = groupB.get();
    f.page->InsertChildAt(0, std::move(groupA));
    f.page->InsertChildAt(1, std::move(groupB));
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

TEST(PageNodeTest, BackgroundColourComesFromTheChooser)
{
    FakeHost host;
    PageFixture f;
    host.confirmColour = false;
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
    const bool couldUndo = f.CanUndo();
    f.page->RotateBackground(1.57f);
    EXPECT_TRUE(couldUndo);
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
