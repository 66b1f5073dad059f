#include <gtest/gtest.h>

#include <cmath>

#include <tinyxml.h>

#include "ModelFakes.h"
#include "document/nodes/TreeNode.h"

using model_test::FakeBox;
using treeNode::CTreeNode;

namespace {
std::unique_ptr<CTreeNode> MakeNode(const char* tag, CTreeNode* parent = nullptr)
{
    return std::make_unique<CTreeNode>(tag, parent);
}

// A root with three plain children, none of them modified.
struct ThreeChildren {
    ThreeChildren()
    {
        for (int i = 0; i < 3; ++i) {
            root->AddChild(MakeNode("x"), true);
            nodes[i] = root->GetChild(static_cast<size_t>(i));
            nodes[i]->ClearModifiedFlag();
        }
        root->ClearModifiedFlag();
    }
    std::unique_ptr<CTreeNode> root = MakeNode("pagina");
    CTreeNode* nodes[3];
};
} // namespace

TEST(TreeNodeTest, AddingChildrenMarksEveryAncestor)
{
    auto root = MakeNode("pagina");
    root->AddChild(MakeNode("a"), false);  // into an empty node: the only child
    root->AddChild(MakeNode("b"), true);
    root->AddChild(MakeNode("c"), false);
    EXPECT_EQ("c", root->GetChild(0)->GetTag());
    EXPECT_EQ("b", root->GetChild(2)->GetTag());
    EXPECT_EQ(root.get(), root->GetChild(0)->GetParent());
    root->AddChild(nullptr, true);
    EXPECT_EQ(3u, root->GetChildCount());
    CTreeNode* page = root->GetChild(0);
    root->ClearModifiedFlag();
    page->ClearModifiedFlag();
    page->AddChild(MakeNode("immagine"), true);
    EXPECT_TRUE(page->IsModifiedFlag());
    EXPECT_TRUE(root->IsModifiedFlag());
}

TEST(TreeNodeTest, ShiftZOrderSwapsWithAnUnselectedNeighbourOnly)
{
    const struct {
        int node;
        bool forward;
        int selected;  // another selected node, or -1
        int placeAfter;
        bool modified;
    } cases[] = {{0, true, -1, 1, true}, {2, true, -1, 2, false}, {0, false, -1, 0, false}, {0, true, 1, 0, false}};
    for (const auto& c : cases) {
        ThreeChildren t;
        if (c.selected >= 0)
            t.nodes[c.selected]->SetSelected(true);
        t.nodes[c.node]->ShiftZOrder(c.forward);
        EXPECT_EQ(c.placeAfter, t.root->IndexOfChild(t.nodes[c.node])) << c.node << " " << c.forward;
        EXPECT_EQ(c.modified, t.root->IsModifiedFlag()) << c.node << " " << c.forward;
        EXPECT_TRUE(!c.modified || t.nodes[c.node]->IsModifiedFlag()) << c.node << " " << c.forward;
    }
    ThreeChildren t;
    EXPECT_EQ(-1, t.root->IndexOfChild(t.root.get()));
    EXPECT_FALSE(t.nodes[0]->ToggleSelected());
    EXPECT_TRUE(treeNode::IsNodeSelected(t.nodes[0]));
    EXPECT_FALSE(treeNode::IsNodeSelected(nullptr));
}

TEST(TreeNodeTest, MapHandleForFlipFollowsTheMirroredAxes)
{
    const struct {
        float sx, sy;
        int handle, expected;
    } cases[] = {
        {-1, -1, 2, 6}, {-1, -1, 9, 5}, {-1, -1, 3, 7}, {-1, -1, 8, 4}, {-1, 1, 3, 3},  {-1, 1, 2, 4},
        {-1, 1, 6, 8},  {-1, 1, 5, 9},  {1, -1, 2, 8},  {1, -1, 3, 7},  {1, -1, 4, 6},  {1, -1, 5, 5},
        {1, 1, 2, 2},   {-1, -1, 0, 0}, {-1, -1, 1, 1}, {-1, -1, 12, 12},
    };
    for (const auto& c : cases) {
        FakeBox box(nullptr, 0, 0, 1, c.sx, c.sy);
        EXPECT_EQ(c.expected, box.MapHandleForFlip(c.handle)) << c.sx << "," << c.sy << " handle " << c.handle;
    }
}

TEST(TreeNodeTest, DragsGrowAwayFromTheCentreAndTurnBySignedAngles)
{
    FakeBox box(nullptr, 0, 0, 2.0f, 1.0f, 1.0f);
    float sx = 0, sy = 0;
    box.ComputeScaleFromDrag(6, 1.0f, -0.5f, 1.0f, -0.5f, sx, sy);
    EXPECT_EQ(1.0f, sx) << "a point that did not move";
    EXPECT_EQ(1.0f, sy);
    box.ComputeScaleFromDrag(6, 1.2f, -0.6f, 1.0f, -0.5f, sx, sy);
    EXPECT_FLOAT_EQ(1.1f, sx);
    EXPECT_FLOAT_EQ(1.1f, sy);
    box.ComputeScaleFromDrag(6, 0.8f, -0.5f, 1.0f, -0.5f, sx, sy);
    EXPECT_FLOAT_EQ(0.9f, sx);
    EXPECT_EQ(0.0f, box.ComputeRotationFromDrag(0, 0, 1, 0)) << "a drag from the centre";
    // Counter-clockwise by a quarter turn gives -pi/2 (the handle drag convention).
    EXPECT_NEAR(-1.5707963f, box.ComputeRotationFromDrag(1, 0, 0, 1), 1e-5f);
    EXPECT_NEAR(1.5707963f, box.ComputeRotationFromDrag(0, 1, 1, 0), 1e-5f);
}

TEST(TreeNodeTest, BoundsCoverTheChildrenOrOnlyTheSelectedOnes)
{
    auto root = MakeNode("pagina");
    float b[4];
    root->GetBounds(b, false);
    EXPECT_GT(b[treeNode::kLeft], b[treeNode::kRight]) << "no children: the inverted start box";
    EXPECT_LT(b[treeNode::kTop], b[treeNode::kBottom]);
    root->AddChild(std::make_unique<FakeBox>(root.get(), 0.0f, 0.0f), true);
    root->AddChild(std::make_unique<FakeBox>(root.get(), 2.0f, 1.0f), true);
    root->GetBounds(b, false);
    EXPECT_FLOAT_EQ(-0.5f, b[treeNode::kLeft]);
    EXPECT_FLOAT_EQ(1.5f, b[treeNode::kTop]);
    EXPECT_FLOAT_EQ(2.5f, b[treeNode::kRight]);
    EXPECT_FLOAT_EQ(-0.5f, b[treeNode::kBottom]);
    root->GetChild(1)->SetSelected(true);
    root->GetBounds(b, true);
    EXPECT_FLOAT_EQ(1.5f, b[treeNode::kLeft]);
}

TEST(TreeNodeTest, ReadFloatAttributeDefaultsMissingToZeroAndRefusesInfinity)
{
    TiXmlElement element("immagine");
    element.SetAttribute("a", "0.25");
    element.SetAttribute("inf", "inf");
    element.SetAttribute("junk", "q");
    CTreeNode node("immagine", nullptr);
    const struct {
        const char* name;
        bool read;
        float value;
    } cases[] = {{"missing", true, 0.0f}, {"junk", true, 0.0f}, {"a", true, 0.25f}, {"inf", false, 9.0f}};
    for (const auto& c : cases) {
        float value = 9.0f;
        EXPECT_EQ(c.read, node.ReadFloatAttribute(element, c.name, value)) << c.name;
        EXPECT_EQ(c.value, value) << c.name;
    }
}

TEST(TreeNodeTest, CloneIsDeepAndClearsSelectionAndModified)
{
    ThreeChildren t;
    t.nodes[1]->SetLocked(true);
    t.nodes[1]->SetSelected(true);
    t.nodes[1]->AddChild(MakeNode("effetto"), true);
    std::unique_ptr<CTreeNode> copy = t.root->Clone(nullptr);
    ASSERT_EQ(3u, copy->GetChildCount());
    CTreeNode* middle = copy->GetChild(1);
    EXPECT_NE(t.nodes[1], middle);
    EXPECT_EQ(copy.get(), middle->GetParent());
    EXPECT_TRUE(middle->IsLocked());
    EXPECT_FALSE(middle->IsSelected());
    EXPECT_FALSE(middle->IsModifiedFlag());
    ASSERT_EQ(1u, middle->GetChildCount());
    EXPECT_EQ(middle, middle->GetChild(0)->GetParent());
}
