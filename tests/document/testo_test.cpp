#include <gtest/gtest.h>

#include <cstring>

#include <tinyxml.h>

#include "document/nodes/TestoTreeNode.h"

using namespace treeNode;

namespace {
LOGFONTA Font(const char* face, LONG height)
{
    LOGFONTA font{};
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    font.lfHeight = height;
    font.lfWeight = FW_BOLD;
    return font;
}
} // namespace

TEST(TestoTest, ANewTextKeepsItsOwnCopyOfTheFont)
{
    const LOGFONTA font = Font("Arial", -20);
    HFONT given = CreateFontIndirectA(&font);
    CTestoTreeNode text("Prova di testo", given, RGB(1, 2, 3), nullptr);
    DeleteObject(given);
    EXPECT_STREQ("Arial", text.GetLogFont().lfFaceName);
    EXPECT_EQ(-20, text.GetLogFont().lfHeight);
    EXPECT_EQ(RGB(1, 2, 3), text.GetColour());
    EXPECT_EQ("testo", text.GetTag());
    EXPECT_FALSE(text.IsMeshBuilt());
}

TEST(TestoTest, TransformsAreKeptAndForwarded)
{
    CTestoTreeNode text("a", Font("Arial", -20), 0, nullptr);
    text.SetPosition(0.1f, 0.2f);
    text.MoveBy(0.1f, 0.0f);
    text.SetScale(0.2f, 0.4f);
    text.ScaleBy(2.0f, 0.5f);
    text.SetRotation(0.5f);
    text.RotateBy(0.25f);
    EXPECT_FLOAT_EQ(0.2f, text.GetX());
    EXPECT_FLOAT_EQ(0.2f, text.GetY());
    EXPECT_FLOAT_EQ(0.4f, text.GetScaleX());
    EXPECT_FLOAT_EQ(0.2f, text.GetScaleY());
    EXPECT_FLOAT_EQ(0.75f, text.GetRotation());
    text.ReleaseResources();
    EXPECT_FLOAT_EQ(0.2f, text.GetX()) << "releasing the mesh keeps the placement";
}

TEST(TestoTest, ALockedTextIsNotHitUnlessLockedObjectsAreIncluded)
{
    CTestoTreeNode text("a", Font("Arial", -20), 0, nullptr);
    text.SetLocked(true);
    NodeList hits;
    EXPECT_FALSE(text.HitTestPoint(0.0f, 0.0f, &hits, false));
    EXPECT_FALSE(text.HitTestRect(-1.0f, 1.0f, 1.0f, -1.0f, &hits, false));
    EXPECT_TRUE(hits.empty());
}

TEST(TestoTest, ChangesHaveTheMeshBuiltAgain)
{
    CTestoTreeNode text("a", Font("Arial", -20), 0, nullptr);
    text.SetText("b\nc");
    EXPECT_EQ("b\nc", text.GetText());
    text.SetFont(Font("Times New Roman", -12));
    EXPECT_STREQ("Times New Roman", text.GetLogFont().lfFaceName);
    text.SetColour(RGB(9, 9, 9));
    EXPECT_FALSE(text.IsMeshBuilt());
}

TEST(TestoTest, ALongFaceNameIsCutTo31Letters)
{
    TiXmlElement element("testo");
    element.SetAttribute("testo", "x");
    element.SetAttribute("lfFaceName", std::string(40, 'F'));
    element.SetAttribute("red", 300);
    CTestoTreeNode text(element, nullptr);
    EXPECT_EQ(31u, std::strlen(text.GetLogFont().lfFaceName));
    EXPECT_EQ(255u, GetRValue(text.GetColour()));
}

TEST(TestoTest, ClonesCopyTextColourFontAndPlacement)
{
    CTestoTreeNode text("riga 1\nriga 2", Font("Arial", -20), RGB(5, 6, 7), nullptr);
    text.SetPosition(0.3f, -0.2f);
    text.SetLocked(true);
    auto copy = text.Clone(nullptr);
    auto* clone = static_cast<CTestoTreeNode*>(copy.get());
    EXPECT_EQ("riga 1\nriga 2", clone->GetText());
    EXPECT_EQ(RGB(5, 6, 7), clone->GetColour());
    EXPECT_NE(text.GetFont(), clone->GetFont());
    EXPECT_STREQ("Arial", clone->GetLogFont().lfFaceName);
    EXPECT_FLOAT_EQ(-0.2f, clone->GetY());
    EXPECT_TRUE(clone->IsLocked());
}
