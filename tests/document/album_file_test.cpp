#include <gtest/gtest.h>

#include <tinyxml.h>

#include <cstring>
#include <string>
#include <vector>

#include "AlbumSamples.h"
#include "TempFolder.h"
#include "ModelFakes.h"
#include "XmlValues.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/nodes/DatiTreeNode.h"
#include "document/nodes/EffectTreeNode.h"
#include "document/nodes/GruppoTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/nodes/TestoTreeNode.h"
#include "imagelib/FileReplace.h"

using namespace treeNode;

namespace {
std::unique_ptr<CSposalboTreeNode> LoadText(const std::string& text,
                                            const char* path = "sample.sbm")
{
    WriteTextFile(path, text);
    return CSposalboTreeNode::Load(path, nullptr);
}

std::string SaveText(CTreeNode& node, const char* path = "saved.sbm")
{
    EXPECT_TRUE(node.SaveToFile(path));
    return ReadTextFile(path);
}

std::string Album(const std::string& pages, const std::string& rootAttributes = "")
{
    return "<sposalbo" + rootAttributes + ">\n" + pages + "</sposalbo>\n";
}

// Every object of a page, with what it holds, in order; a frame or group
// lists its own objects.
std::vector<std::string> Objects(const CTreeNode& node)
{
    std::vector<std::string> objects;
    for (size_t i = 0; i < node.GetChildCount(); ++i) {
        CTreeNode* child = node.GetChild(i);
        if (auto* text = dynamic_cast<CTestoTreeNode*>(child))
            objects.push_back("testo " + text->GetText() + " | " + text->GetLogFont().lfFaceName);
        else if (auto* picture = dynamic_cast<CImgTreeNode*>(child))
            objects.push_back(child->GetTag() + " " + picture->GetName());
        else if (auto* variable = dynamic_cast<CVariabileTreeNode*>(child))
            objects.push_back("variabile " + variable->GetName() + " = " + variable->GetValore());
        else
            objects.push_back(child->GetTag());
    }
    return objects;
}

void AddText(CTreeNode& page, const std::string& text, const std::string& face = "Arial")
{
    LOGFONTA font{};
    font.lfHeight = -24;
    std::strncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    page.AddChild(std::make_unique<CTestoTreeNode>(text, font, RGB(1, 2, 3), &page), true);
}
} // namespace

TEST(AlbumFileTest, RichAlbumSavesBackByteIdentical)
{
    auto album = LoadText(model_test::RichAlbum());
    ASSERT_TRUE(album);
    EXPECT_EQ(model_test::RichAlbum(), SaveText(*album));
    // As the reader counts them against its ceiling: every '<' no '/' follows.
    size_t elements = 0;
    const std::string text = model_test::RichAlbum();
    for (size_t i = 0; i + 1 < text.size(); ++i)
        elements += text[i] == '<' && text[i + 1] != '/';
    EXPECT_EQ(elements, album->CountFileElements());
}

TEST(AlbumFileTest, RichAlbumIsReadIntoTheRightNodes)
{
    auto album = LoadText(model_test::RichAlbum());
    ASSERT_TRUE(album);
    EXPECT_EQ(3, album->GetPageCount());
    EXPECT_EQ(1, album->GetCurrentPageIndex());
    EXPECT_EQ(300, album->GetPageWidth());
    EXPECT_FLOAT_EQ(1.5f, album->GetAspectRatio());
    ASSERT_EQ(2u, album->GetDati()->GetChildCount());
    auto* first = static_cast<CVariabileTreeNode*>(album->GetDati()->GetChild(0));
    EXPECT_EQ("Nicol\xE0", first->GetValore());

    CPaginaTreeNode* cover = album->GetPage(0);
    EXPECT_TRUE(cover->IsCover());
    ASSERT_TRUE(cover->GetBackground());
    EXPECT_TRUE(cover->GetBackground()->HasImage());
    ASSERT_EQ(2u, cover->GetChildCount());
    auto* photo = dynamic_cast<CImgTreeNode*>(cover->GetChild(0));
    ASSERT_TRUE(photo);
    EXPECT_TRUE(photo->IsLocked());
    EXPECT_FLOAT_EQ(-0.4f, photo->GetScaleX());
    EXPECT_FLOAT_EQ(0.75f, photo->GetColourSettings()->alpha);
    EXPECT_FLOAT_EQ(0.5f, photo->GetRatioH());
    ASSERT_TRUE(photo->GetEffect());
    EXPECT_EQ(90, photo->GetEffectRotation());
    EXPECT_EQ(-1, photo->GetEffectMirror());
    EXPECT_TRUE(photo->GetEffect()->IsPersonal());
    auto* text = dynamic_cast<CTestoTreeNode*>(cover->GetChild(1));
    ASSERT_TRUE(text);
    EXPECT_EQ("Prova di testo\nseconda riga & <citt\xE0>", text->GetText());
    EXPECT_EQ(RGB(255, 0, 128), text->GetColour());
    EXPECT_STREQ("Times New Roman", text->GetLogFont().lfFaceName);
    EXPECT_EQ(700, text->GetLogFont().lfWeight);

    CPaginaTreeNode* second = album->GetPage(1);
    EXPECT_FALSE(second->IsCover());
    EXPECT_FALSE(second->GetBackground()->HasImage());
    EXPECT_FLOAT_EQ(0.25f, second->GetBackground()->green);
    auto* frame = dynamic_cast<CCorniceTreeNode*>(second->GetChild(0));
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->IsMasked());
    EXPECT_TRUE(frame->IsPersonal());
    EXPECT_FALSE(frame->HoldsChildren()) << "a masked frame lets its content move alone";
    ASSERT_EQ(2u, frame->GetChildCount());
    auto* group = dynamic_cast<CGruppoTreeNode*>(frame->GetChild(1));
    ASSERT_TRUE(group);
    EXPECT_EQ(2u, group->GetChildCount());
    EXPECT_TRUE(group->HoldsChildren());
    auto* placeholder = dynamic_cast<CImgTreeNode*>(second->GetChild(1));
    ASSERT_TRUE(placeholder);
    EXPECT_EQ(4, placeholder->GetBookmark());
    EXPECT_TRUE(placeholder->GetName().empty());
}

// Texts, wedding data, picture and face names holding markup, references,
// quotes and accented letters are saved and opened again word for word, in
// albums and templates, with every object beside them still there.
TEST(AlbumFileTest, EveryValueIsOpenedAgainWordForWord)
{
    auto album = LoadText(Album("<pagina /><pagina />"));
    ASSERT_TRUE(album);
    CPaginaTreeNode& values = *album->GetPage(0);
    for (const std::string& name : xml_values_test::FileNameValues()) {
        ASSERT_TRUE(IsSafePictureName(name)) << name;
        values.AddChild(std::make_unique<CImgTreeNode>(name, &values), true);
    }
    for (const std::string& value : xml_values_test::TextValues()) {
        AddText(values, value, value.substr(0, LF_FACESIZE - 1));
        CDatiTreeNode* dati = album->GetDati();
        dati->AddChild(std::make_unique<CVariabileTreeNode>(value, value, dati), true);
    }
    // A reference cut between two texts once swallowed everything up to the
    // next ';', the photo between them included.
    CPaginaTreeNode& cut = *album->GetPage(1);
    AddText(cut, "Prova &#x");
    cut.AddChild(std::make_unique<CImgTreeNode>("1.jpg", &cut), true);
    AddText(cut, "x41; fine");
    AddText(cut, "Prova &#x41; fine");
    const std::vector<std::string> pageObjects[] = {Objects(values), Objects(cut)};
    const std::vector<std::string> data = Objects(*album->GetDati());
    ASSERT_EQ(pageObjects[1], (std::vector<std::string>{"testo Prova &#x | Arial", "immagine 1.jpg",
                                                        "testo x41; fine | Arial",
                                                        "testo Prova &#x41; fine | Arial"}));

    ASSERT_TRUE(album->SaveToFile("values.sbm"));
    auto reread = CSposalboTreeNode::Load("values.sbm", nullptr);
    ASSERT_TRUE(reread) << ReadTextFile("values.sbm");
    ASSERT_EQ(reread->GetPageCount(), 2);
    EXPECT_EQ(Objects(*reread->GetPage(0)), pageObjects[0]);
    EXPECT_EQ(Objects(*reread->GetPage(1)), pageObjects[1]);
    EXPECT_EQ(Objects(*reread->GetDati()), data);

    // A template keeps the texts and the fields of the wedding data, not the
    // couple's values; its photos become numbered places.
    std::unique_ptr<CSposalboTreeNode> copy = album->CloneAlbum(nullptr);
    copy->SetTemplateCopy(true);
    ASSERT_TRUE(copy->SaveToFile("values.sbt"));
    auto templ = CSposalboTreeNode::Load("values.sbt", nullptr);
    ASSERT_TRUE(templ) << ReadTextFile("values.sbt");
    ASSERT_EQ(templ->GetPageCount(), 2);
    const auto numbered = [](std::vector<std::string> objects) {
        for (std::string& object : objects)
            if (object.compare(0, 9, "immagine ") == 0)
                object = "immagine ";
        return objects;
    };
    EXPECT_EQ(Objects(*templ->GetPage(0)), numbered(pageObjects[0]));
    EXPECT_EQ(Objects(*templ->GetPage(1)), numbered(pageObjects[1]));
    std::vector<std::string> fields;
    for (const std::string& value : xml_values_test::TextValues())
        fields.push_back("variabile " + value + " = ");
    EXPECT_EQ(Objects(*templ->GetDati()), fields);
    EXPECT_EQ(Objects(*album->GetDati()), data) << "the album keeps its own";
}

TEST(AlbumFileTest, MissingAttributesTakeTheirReadDefaults)
{
    auto album = LoadText(Album("    <pagina copertina=\"2\">\n"
                                "        <immagine name=\"a.jpg\" cropX=\"0\" />\n"
                                "        <sfondo />\n"
                                "    </pagina>\n"));
    ASSERT_TRUE(album);
    EXPECT_EQ(1, album->GetNumMinPage());
    EXPECT_EQ(30, album->GetNumMaxPage());
    EXPECT_EQ(100, album->GetPageWidth());
    EXPECT_EQ(50, album->GetPageHeight());
    EXPECT_EQ(2, album->GetRifilo());
    CPaginaTreeNode* page = album->GetPage(0);
    EXPECT_FALSE(page->IsCover()) << "only exactly 1 is a cover";
    EXPECT_FALSE(page->GetBackground()) << "a later sfondo is no background";
    ASSERT_EQ(2u, page->GetChildCount());
    auto* photo = static_cast<CImgTreeNode*>(page->GetChild(0));
    EXPECT_EQ(0.0f, photo->GetX());
    EXPECT_EQ(0.0f, photo->GetScaleX()) << "invisible until resized";
    EXPECT_EQ(0.0f, photo->GetColourSettings()->red);
    EXPECT_EQ(-1, photo->GetBookmark());
    EXPECT_FALSE(photo->IsPersonal());
    EXPECT_TRUE(album->GetDati());
    EXPECT_EQ(0u, album->GetDati()->GetChildCount());
    const std::string saved = SaveText(*album);
    EXPECT_EQ(std::string::npos, saved.find("cropX")) << "zero crop values are not written";
    EXPECT_EQ(std::string::npos, saved.find("bookmark"));
}

// Numbers no object can hold would hide it or break it, and be written back
// changed: each is repaired so the object stays in place and visible (one lost
// scale takes the other's size), the album counts them so the user can be
// told, and the repair is what a save writes.
TEST(AlbumFileTest, ImpossibleNumbersOfObjectsAreRepairedAndCounted)
{
    auto album = LoadText(Album(
        "    <pagina>\n"
        "        <sfondo red=\"nan\" green=\"0.5\" />\n"
        "        <cornice name=\"c.png\" pos_x=\"inf\" pos_y=\"0.25\" scale_x=\"nan\" scale_y=\"-0.4\" "
        "rotation=\"-inf\" red=\"NaN\" contrast=\"inf\" alpha=\"1e99\" cropX=\"nan\" masked=\"0\">\n"
        "            <immagine name=\"a.jpg\" scale_x=\"nan\" scale_y=\"x\" />\n"
        "        </cornice>\n"
        "        <testo testo=\"Ciao\" pos_x=\"abc\" scale_x=\"0.3\" scale_y=\"inf\" />\n"
        "    </pagina>\n"));
    ASSERT_TRUE(album);
    CPaginaTreeNode* page = album->GetPage(0);
    EXPECT_EQ(1.0f, page->GetBackground()->red);
    EXPECT_EQ(0.5f, page->GetBackground()->green);
    auto* frame = dynamic_cast<CCorniceTreeNode*>(page->GetChild(0));
    ASSERT_TRUE(frame);
    EXPECT_EQ(0.0f, frame->GetX());
    EXPECT_EQ(0.25f, frame->GetY());
    EXPECT_FLOAT_EQ(0.4f, frame->GetScaleX()) << "the other scale's size";
    EXPECT_FLOAT_EQ(-0.4f, frame->GetScaleY());
    EXPECT_EQ(0.0f, frame->GetRotation());
    EXPECT_EQ(1.0f, frame->GetColourSettings()->red);
    EXPECT_EQ(0.5f, frame->GetColourSettings()->contrast) << "the contrast that changes nothing";
    EXPECT_EQ(1.0f, frame->GetColourSettings()->alpha);
    EXPECT_EQ(0.0f, frame->GetColourSettings()->green) << "a missing value keeps its read default";
    EXPECT_EQ(0.0f, frame->GetCropX());
    auto* photo = dynamic_cast<CImgTreeNode*>(frame->GetChild(0));
    ASSERT_TRUE(photo);
    EXPECT_EQ(1.0f, photo->GetScaleX());
    EXPECT_EQ(1.0f, photo->GetScaleY());
    auto* text = dynamic_cast<CTestoTreeNode*>(page->GetChild(1));
    ASSERT_TRUE(text);
    EXPECT_EQ(0.0f, text->GetX());
    EXPECT_FLOAT_EQ(0.3f, text->GetScaleY());
    EXPECT_EQ(12, album->TakeRepairedNumbers());
    EXPECT_EQ(0, album->TakeRepairedNumbers()) << "told once";
    const std::string saved = SaveText(*album);
    for (const char* word : {"nan", "inf", "e+"})
        EXPECT_EQ(std::string::npos, saved.find(word)) << word;

    auto sound = LoadText(model_test::RichAlbum());
    ASSERT_TRUE(sound);
    EXPECT_EQ(0, sound->TakeRepairedNumbers());
}

// A repaired position keeps an object with what holds it: inside a frame or
// group where the holder is, on the page at the page's centre; a holder whose
// position is repaired takes what it holds along, as it lies.
TEST(AlbumFileTest, ARepairedPositionKeepsTheObjectWithItsHolder)
{
    const struct {
        const char* objects;
        std::vector<float> positions;  // x, y of every object, holders before what they hold
    } cases[] = {
        {"<cornice pos_x=\"0.6\" pos_y=\"0.2\"><immagine pos_x=\"inf\" pos_y=\"0.3\" /></cornice>",
         {0.6f, 0.2f, 0.6f, 0.3f}},
        {"<cornice pos_x=\"0.6\" pos_y=\"0.2\"><immagine pos_x=\"nan\" pos_y=\"-inf\" /></cornice>",
         {0.6f, 0.2f, 0.6f, 0.2f}},
        {"<cornice pos_x=\"inf\" pos_y=\"0.2\"><immagine pos_x=\"0.7\" pos_y=\"0.25\" /></cornice>",
         {0.0f, 0.2f, 0.0f, 0.25f}},
        {"<gruppo pos_x=\"0.5\" pos_y=\"-1e99\"><testo testo=\"a\" pos_x=\"0.2\" pos_y=\"0.1\" />"
         "<immagine pos_x=\"0.4\" pos_y=\"0.3\" /></gruppo>",
         {0.5f, 0.0f, 0.2f, -0.1f, 0.4f, 0.1f}},
        {"<gruppo pos_x=\"0.4\" pos_y=\"0.1\"><cornice pos_x=\"inf\" pos_y=\"0.1\">"
         "<immagine pos_x=\"0.9\" pos_y=\"0.1\" /></cornice><testo testo=\"b\" pos_x=\"abc\" /></gruppo>",
         {0.4f, 0.1f, 0.4f, 0.1f, 0.4f, 0.1f, 0.4f, 0.0f}},
        {"<immagine pos_x=\"inf\" pos_y=\"0.3\" />", {0.0f, 0.3f}},
    };
    for (const auto& c : cases) {
        auto album = LoadText(Album("<pagina>" + std::string(c.objects) + "</pagina>"));
        ASSERT_TRUE(album) << c.objects;
        std::vector<float> positions;
        std::vector<CTreeNode*> pending{album->GetPage(0)};
        while (!pending.empty()) {
            CTreeNode* node = pending.front();
            pending.erase(pending.begin());
            for (size_t i = node->GetChildCount(); i > 0; --i)
                pending.insert(pending.begin(), node->GetChild(i - 1));
            if (node != album->GetPage(0)) {
                positions.push_back(node->GetX());
                positions.push_back(node->GetY());
            }
        }
        ASSERT_EQ(positions.size(), c.positions.size()) << c.objects;
        for (size_t i = 0; i < positions.size(); ++i)
            EXPECT_NEAR(positions[i], c.positions[i], 1e-6f) << c.objects << " #" << i;
        SaveText(*album);
        auto again = CSposalboTreeNode::Load("saved.sbm", nullptr);
        ASSERT_TRUE(again);
        EXPECT_EQ(0, again->TakeRepairedNumbers()) << c.objects;
    }
}

// A page side that is no size refuses the album, naming the value; a missing
// side takes its default, and a decimal size its whole millimetres.
TEST(AlbumFileTest, APageSizeThatIsNoSizeRefusesTheAlbum)
{
    const struct {
        const char* attributes;
        const char* refusal;
    } cases[] = {
        {" pageWidth=\"0\" pageHeight=\"-5\"", "Larghezza della pagina non valida: pageWidth=\"0\""},
        {" pageHeight=\"-5\"", "Altezza della pagina non valida: pageHeight=\"-5\""},
        {" pageWidth=\"nan\"", "Larghezza della pagina non valida: pageWidth=\"nan\""},
        {" pageHeight=\"1e99\"", "Altezza della pagina non valida: pageHeight=\"1e99\""},
        {" pageWidth=\"trenta\"", "Larghezza della pagina non valida: pageWidth=\"trenta\""},
        {" pageWidth=\"0.5\"", "Larghezza della pagina non valida: pageWidth=\"0.5\""},
        {" pageWidth=\"297.5\" pageHeight=\"210\"", nullptr},
    };
    for (const auto& c : cases) {
        WriteTextFile("sample.sbm", Album("    <pagina />\n", c.attributes));
        std::string refusal;
        auto album = CSposalboTreeNode::Load("sample.sbm", nullptr, &refusal);
        if (!c.refusal) {
            ASSERT_TRUE(album) << c.attributes;
            EXPECT_EQ(297, album->GetPageWidth());
            EXPECT_EQ(210, album->GetPageHeight());
            EXPECT_EQ("", refusal);
            continue;
        }
        EXPECT_FALSE(album) << c.attributes;
        EXPECT_EQ(0u, refusal.find(c.refusal)) << refusal;
    }
}

TEST(AlbumFileTest, AnAlbumWithoutDatiIsWrittenWithAnEmptyDatiFirst)
{
    auto album = LoadText(Album("    <pagina />\n"));
    ASSERT_TRUE(album);
    EXPECT_EQ("<sposalbo paginacorrente=\"0\" numMinPage=\"1\" numMaxPage=\"30\" "
              "pageWidth=\"100\" pageHeight=\"50\" rifilo=\"2\">\n"
              "    <dati />\n"
              "    <pagina />\n"
              "</sposalbo>\n",
              SaveText(*album));
}

TEST(AlbumFileTest, CurrentPageOutsideTheListReadsAsZeroOrMinusOne)
{
    struct Case {
        const char* current;
        int pages;
        int expected;
    };
    const Case cases[] = {{"5", 3, 0}, {"3", 3, 0}, {"-2", 3, 0}, {"2", 3, 2}, {"5", 0, -1}};
    for (const Case& c : cases) {
        std::string pages;
        for (int i = 0; i < c.pages; ++i)
            pages += "    <pagina />\n";
        auto album = LoadText(Album(pages, std::string(" paginacorrente=\"") + c.current + "\""));
        ASSERT_TRUE(album);
        EXPECT_EQ(c.expected, album->GetCurrentPageIndex()) << c.current << " of " << c.pages;
    }
}

TEST(AlbumFileTest, TheLastOfSeveralDatiWins)
{
    auto album = LoadText(Album("    <dati><variabile name=\"a\" valore=\"1\" /></dati>\n"
                                "    <pagina />\n"
                                "    <dati><variabile name=\"b\" valore=\"2\" /></dati>\n"));
    ASSERT_TRUE(album);
    EXPECT_EQ(1, album->GetPageCount());
    ASSERT_EQ(1u, album->GetDati()->GetChildCount());
    EXPECT_EQ("b", static_cast<CVariabileTreeNode*>(album->GetDati()->GetChild(0))->GetName());
}

TEST(AlbumFileTest, AnyRootElementNameIsAcceptedAndEmptyFilesAreNot)
{
    EXPECT_TRUE(LoadText("<album><pagina /></album>"));
    EXPECT_FALSE(LoadText(""));
    EXPECT_FALSE(LoadText("<sposalbo><pagina>"));
    EXPECT_FALSE(CSposalboTreeNode::Load("does-not-exist.sbm", nullptr));
}

TEST(AlbumFileTest, TemplateCopiesNumberTheirPhotosAndDropTheNames)
{
    auto album = LoadText(Album("    <pagina>\n"
                                "        <immagine name=\"a.jpg\" />\n"
                                "        <image name=\"lib.png\" />\n"
                                "        <cornice name=\"f.png\"><immagine name=\"b.jpg\" /></cornice>\n"
                                "    </pagina>\n"));
    ASSERT_TRUE(album);
    std::unique_ptr<CSposalboTreeNode> copy = album->CloneAlbum(nullptr);
    copy->SetTemplateCopy(true);
    ASSERT_TRUE(copy->SaveToFile("template.sbt"));
    auto reread = CSposalboTreeNode::Load("template.sbt", nullptr);
    ASSERT_TRUE(reread);
    CPaginaTreeNode* page = reread->GetPage(0);
    auto* first = static_cast<CImgTreeNode*>(page->GetChild(0));
    EXPECT_EQ(1, first->GetBookmark());
    EXPECT_TRUE(first->GetName().empty());
    EXPECT_EQ("lib.png", static_cast<CImgTreeNode*>(page->GetChild(1))->GetName());
    auto* nested = static_cast<CImgTreeNode*>(page->GetChild(2)->GetChild(0));
    EXPECT_EQ(2, nested->GetBookmark());
    EXPECT_EQ(-1, static_cast<CImgTreeNode*>(album->GetPage(0)->GetChild(0))->GetBookmark())
        << "the album itself keeps its photos";
}

TEST(AlbumFileTest, SavingClearsTheModifiedMarksOnlyWhenTheFileWasWritten)
{
    auto album = LoadText(Album("    <pagina />\n", " paginacorrente=\"0\""));
    ASSERT_TRUE(album);
    album->AddPage(-1);
    album->GetPage(0)->SetPageModified(true);
    EXPECT_TRUE(album->IsModified());
    WriteTextFile("kept.sbm", "old");
    EXPECT_FALSE(album->SaveToFile("no-such-folder\\album.sbm"));
    EXPECT_TRUE(album->IsModified());
    EXPECT_TRUE(album->GetPage(0)->IsPageModified());
    ASSERT_TRUE(album->SaveToFile("kept.sbm"));
    EXPECT_FALSE(album->IsModified());
    EXPECT_FALSE(album->GetPage(0)->IsPageModified());
    EXPECT_NE("old", ReadTextFile("kept.sbm"));
    CreateDirectoryA("blocked.sbm.new", nullptr);  // the temporary cannot be made
    WriteTextFile("blocked.sbm", "old album");
    EXPECT_FALSE(album->SaveToFile("blocked.sbm"));
    EXPECT_EQ("old album", ReadTextFile("blocked.sbm"));
    RemoveDirectoryA("blocked.sbm.new");
    // Past the ceiling of elements nothing is written: the file could not be read.
    model_test::LeaveRoomFor(*album, 0);
    album->GetDati()->AddVariable("sposa", "Anna");
    EXPECT_FALSE(album->SaveToFile("blocked.sbm"));
    EXPECT_TRUE(ReadTextFile("blocked.sbm") == "old album") << "not printed: a file written would be long";
}

TEST(AlbumFileTest, AFullDiskIsAFailedWrite)
{
    // The bytes of a short file wait in the buffer until it is closed, and a
    // failure to flush them must not pass for a written file.
    if (GetFileAttributesA("Z:\\dev\\full") == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "this machine has no always-full device";
    EXPECT_FALSE(WriteWholeFile("Z:\\dev\\full", "<sposalbo />"));
    ASSERT_TRUE(WriteWholeFile("written.sbm", "<sposalbo />"));
    EXPECT_EQ("<sposalbo />", ReadTextFile("written.sbm"));
}
