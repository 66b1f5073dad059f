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

// A root with three plain children a, b, c.
struct ThreeChildren {
    ThreeChildren()
    {
        for (int i = 0; i < 3; ++i) {
            root->AddChild(MakeNode("x"), true);
            nodes[i] = root->GetChild(static_cast<size_t>(i));
        }
        root->ClearModifiedFlag();
        for (CTreeNode* n : nodes)
            n->ClearModifiedFlag();
    }
    std::unique_ptr<CTreeNode> root = MakeNode("pagina");
    CTreeNode* nodes[3];
};
} // namespace

TEST(TreeNodeTest, PrependGoesFirstAndIntoAnEmptyNodeBecomesTheOnlyChild)
{
    auto root = MakeNode("pagina");
    root->AddChild(MakeNode("a"), false);
    ASSERT_EQ(1u, root->GetChildCount());
    EXPECT_EQ("a", root->GetChild(0)->GetTag());
    root->AddChild(MakeNode("b"), true);
    root->AddChild(MakeNode("c"), false);
    EXPECT_EQ("c", root->GetChild(0)->GetTag());
    EXPECT_EQ("b", root->GetChild(2)->GetTag());
    EXPECT_EQ(root.get(), root->GetChild(0)->GetParent());
    EXPECT_TRUE(root->IsModifiedFlag());
    root->AddChild(nullptr, true);
    EXPECT_EQ(3u, root->GetChildCount());
}

TEST(TreeNodeTest, AddChildMarksEveryAncestor)
{
    auto root = MakeNode("sposalbo");
    root->AddChild(MakeNode("pagina"), true);
    CTreeNode* page = root->GetChild(0);
    root->ClearModifiedFlag();
    page->ClearModifiedFlag();
    page->AddChild(MakeNode("immagine"), true);
    EXPECT_TRUE(page->IsModifiedFlag());
    EXPECT_TRUE(root->IsModifiedFlag());
}

TEST(TreeNodeTest, ShiftZOrderSwapsWithAnUnselectedNeighbourOnly)
{
    {
        ThreeChildren t;
        t.nodes[0]->ShiftZOrder(true);
        EXPECT_EQ(t.nodes[0], t.root->GetChild(1));
        EXPECT_TRUE(t.nodes[0]->IsModifiedFlag());
        EXPECT_TRUE(t.root->IsModifiedFlag());
    }
    {
        ThreeChildren t;
        t.nodes[2]->ShiftZOrder(true);
        t.nodes[0]->ShiftZOrder(false);
        EXPECT_EQ(t.nodes[0], t.root->GetChild(0));
        EXPECT_EQ(t.nodes[2], t.root->GetChild(2));
        EXPECT_FALSE(t.root->IsModifiedFlag()) << "edges change nothing";
    }
    {
        ThreeChildren t;
        t.nodes[1]->SetSelected(true);
        t.nodes[0]->ShiftZOrder(true);
        EXPECT_EQ(t.nodes[0], t.root->GetChild(0)) << "a selected neighbour is not jumped";
        EXPECT_FALSE(t.root->IsModifiedFlag());
    }
}

TEST(TreeNodeTest, IndexOfChildAndSelectionHelpers)
{
    ThreeChildren t;
    EXPECT_EQ(2, t.root->IndexOfChild(t.nodes[2]));
    EXPECT_EQ(-1, t.root->IndexOfChild(t.root.get()));
    EXPECT_EQ(-1, MakeNode("x")->IndexOfChild(nullptr));
    EXPECT_FALSE(treeNode::IsNodeSelected(nullptr));
    EXPECT_FALSE(t.nodes[0]->ToggleSelected());
    EXPECT_TRUE(treeNode::IsNodeSelected(t.nodes[0]));
    t.root->SelectChildren(true);
    EXPECT_EQ(3, t.root->CountSelectedChildren());
}

TEST(TreeNodeTest, MapHandleForFlipFollowsTheMirroredAxes)
{
    struct Case {
        float sx, sy;
        int handle, expected;
    };
    const Case cases[] = {
        {-1, -1, 2, 6}, {-1, -1, 9, 5}, {-1, -1, 3, 7}, {-1, -1, 8, 4}, {-1, 1, 3, 3},
        {-1, 1, 2, 4},  {-1, 1, 6, 8},  {-1, 1, 5, 9},  {1, -1, 2, 8},  {1, -1, 3, 7},
        {1, -1, 4, 6},  {1, -1, 5, 5},  {1, 1, 2, 2},   {-1, -1, 0, 0}, {-1, -1, 1, 1},
        {-1, -1, 12, 12},
    };
    for (const Case& c : cases) {
        FakeBox box(nullptr, 0, 0, 1, c.sx, c.sy);
        EXPECT_EQ(c.expected, box.MapHandleForFlip(c.handle))
            << c.sx << "," << c.sy << " handle " << c.handle;
    }
}

TEST(TreeNodeTest, ComputeScaleFromDragGrowsAwayFromTheCentre)
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
}

TEST(TreeNodeTest, ComputeRotationFromDragIsSignedAndZeroOnTheCentre)
{
    FakeBox box(nullptr, 0, 0);
    EXPECT_EQ(0.0f, box.ComputeRotationFromDrag(0, 0, 1, 0));
    // Counter-clockwise by a quarter turn gives -pi/2 (the sign of the
    // handle drag convention).
    EXPECT_NEAR(-1.5707963f, box.ComputeRotationFromDrag(1, 0, 0, 1), 1e-5f);
    EXPECT_NEAR(1.5707963f, box.ComputeRotationFromDrag(0, 1, 1, 0), 1e-5f);
}

TEST(TreeNodeTest, BoundsOfNoChildrenAreTheInvertedStartBox)
{
    auto root = MakeNode("pagina");
    float b[4];
    root->GetBounds(b, false);
    EXPECT_GT(b[treeNode::kLeft], b[treeNode::kRight]);
    EXPECT_LT(b[treeNode::kTop], b[treeNode::kBottom]);
}

TEST(TreeNodeTest, BoundsCoverTheChildrenOrOnlyTheSelectedOnes)
{
    auto root = MakeNode("pagina");
    root->AddChild(std::make_unique<FakeBox>(root.get(), 0.0f, 0.0f), true);
    root->AddChild(std::make_unique<FakeBox>(root.get(), 2.0f, 1.0f), true);
    float b[4];
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
    float value = 9.0f;
    EXPECT_TRUE(node.ReadFloatAttribute(element, "missing", value));
    EXPECT_EQ(0.0f, value);
    value = 9.0f;
    EXPECT_TRUE(node.ReadFloatAttribute(element, "junk", value));
    EXPECT_EQ(0.0f, value);
    EXPECT_TRUE(node.ReadFloatAttribute(element, "a", value));
    EXPECT_EQ(0.25f, value);
    value = 9.0f;
    EXPECT_FALSE(node.ReadFloatAttribute(element, "inf", value));
    EXPECT_EQ(9.0f, value);
}

TEST(TreeNodeTest, RotateVectorWorksInPlace)
{
    float v[2] = {1.0f, 0.0f};
    treeNode::RotateVector(v, v, 1.5707963f);
    EXPECT_NEAR(0.0f, v[0], 1e-6f);
    EXPECT_NEAR(1.0f, v[1], 1e-6f);
}

TEST(TreeNodeTest, BaseAnswersWithoutAParent)
{
    CTreeNode node("x", nullptr);
    EXPECT_EQ(nullptr, node.GetView());
    EXPECT_TRUE(node.UseLowResImages());
    EXPECT_FALSE(node.IsTemplateCopy());
    EXPECT_EQ(0, node.NextId());
    EXPECT_EQ(1.0f, node.GetRotation());
    EXPECT_EQ(0, node.HitTestHandles(0, 0));
    EXPECT_EQ(nullptr, node.FindImage("a"));
    EXPECT_TRUE(node.IsMovable());
}

TEST(TreeNodeTest, ChildrenOfAHoldingNodeAreNotMovable)
{
    auto root = MakeNode("gruppo");
    root->SetHoldsChildren(true);
    root->AddChild(MakeNode("immagine"), true);
    EXPECT_FALSE(root->GetChild(0)->IsMovable());
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
