#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include <tinyxml.h>

#include "InstalledFonts.h"
#include "document/nodes/TestoTreeNode.h"

using namespace treeNode;
using font_test::PlainFont;

TEST(TestoTest, ANewTextKeepsItsOwnFontAndItsChangesHaveTheMeshBuiltAgain)
{
    const LOGFONTA font = PlainFont("Arial", -20);
    HFONT given = CreateFontIndirectA(&font);
    CTestoTreeNode text("Prova di testo", given, RGB(1, 2, 3), nullptr);
    DeleteObject(given);
    EXPECT_STREQ("Arial", text.GetLogFont().lfFaceName);
    EXPECT_EQ(-20, text.GetLogFont().lfHeight);
    EXPECT_EQ(RGB(1, 2, 3), text.GetColour());
    EXPECT_FALSE(text.IsMeshBuilt());
    text.SetText("b\nc");
    text.SetFont(PlainFont("Times New Roman", -12));
    text.SetColour(RGB(9, 9, 9));
    EXPECT_EQ("b\nc", text.GetText());
    EXPECT_STREQ("Times New Roman", text.GetLogFont().lfFaceName);
    EXPECT_FALSE(text.IsMeshBuilt());

    text.SetLocked(true);
    NodeList hits;
    EXPECT_FALSE(text.HitTestPoint(0.0f, 0.0f, &hits, false));
    EXPECT_FALSE(text.HitTestRect(-1.0f, 1.0f, 1.0f, -1.0f, &hits, false));
    EXPECT_TRUE(hits.empty());
}

TEST(TestoTest, TransformsAreKeptAndClonesCopyEverything)
{
    CTestoTreeNode text("riga 1\nriga 2", PlainFont("Arial", -20), RGB(5, 6, 7), nullptr);
    text.SetPosition(0.1f, 0.2f);
    text.MoveBy(0.1f, 0.0f);
    text.SetScale(0.2f, 0.4f);
    text.ScaleBy(2.0f, 0.5f);
    text.SetRotation(0.5f);
    text.RotateBy(0.25f);
    text.SetLocked(true);
    text.ReleaseResources();  // the mesh goes, the placement stays
    auto copy = text.Clone(nullptr);
    for (auto* t : {&text, static_cast<CTestoTreeNode*>(copy.get())}) {
        EXPECT_FLOAT_EQ(0.2f, t->GetX());
        EXPECT_FLOAT_EQ(0.2f, t->GetY());
        EXPECT_FLOAT_EQ(0.4f, t->GetScaleX());
        EXPECT_FLOAT_EQ(0.2f, t->GetScaleY());
        EXPECT_FLOAT_EQ(0.75f, t->GetRotation());
        EXPECT_EQ("riga 1\nriga 2", t->GetText());
        EXPECT_EQ(RGB(5, 6, 7), t->GetColour());
        EXPECT_STREQ("Arial", t->GetLogFont().lfFaceName);
        EXPECT_TRUE(t->IsLocked());
    }
    EXPECT_EQ(text.DrawingFont(), static_cast<CTestoTreeNode*>(copy.get())->DrawingFont());
}

TEST(TestoTest, TextsOfOneFontHoldOneDrawingHandleFreedWithTheLastOfThem)
{
    const auto held = [] { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); };
    const DWORD before = held();
    std::vector<std::unique_ptr<CTestoTreeNode>> texts;
    for (int i = 0; i < 1000; ++i)
        texts.push_back(std::make_unique<CTestoTreeNode>("t", PlainFont("Arial", -20), 0, nullptr));
    const HFONT shared = texts.front()->DrawingFont();
    ASSERT_EQ(OBJ_FONT, GetObjectType(shared));
    for (auto& text : texts)
        EXPECT_EQ(shared, text->DrawingFont());
    EXPECT_LE(held(), before + 1);
    CTestoTreeNode other("t", PlainFont("Arial", -21), 0, nullptr);
    EXPECT_NE(shared, other.DrawingFont());

    texts[1]->ReleaseResources();  // a text whose mesh goes lets go of its font
    texts.erase(texts.begin() + 1, texts.end());
    EXPECT_EQ(OBJ_FONT, GetObjectType(shared));
    texts.front()->SetFont(PlainFont("Arial", -21));
    EXPECT_EQ(0u, GetObjectType(shared));
    EXPECT_EQ(other.DrawingFont(), texts.front()->DrawingFont());
}

TEST(TestoTest, ALongFaceNameIsCutTo31LettersAndColoursClamped)
{
    TiXmlElement element("testo");
    element.SetAttribute("testo", "x");
    element.SetAttribute("lfFaceName", std::string(40, 'F'));
    element.SetAttribute("red", 300);
    CTestoTreeNode text(element, nullptr);
    EXPECT_EQ(31u, std::strlen(text.GetLogFont().lfFaceName));
    EXPECT_EQ(255u, GetRValue(text.GetColour()));
}
