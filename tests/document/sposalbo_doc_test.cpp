#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>
#include <string>

#include "AlbumSamples.h"
#include "InstalledFonts.h"
#include "ModelFakes.h"
#include "TempFolder.h"
#include "document/AlbumFonts.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/SposalboDoc.h"
#include "document/SposalboException.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/SystemMessage.h"
#include "document/nodes/TestoTreeNode.h"
#include "framework/scripted_ui.h"

namespace {

using model_test::FakeHost;
using treeNode::CTestoTreeNode;

const char kCannotCreate[] = "Impossibile creare la directory per il nuovo sposalbo.";
const char kCannotOpen[] = "Impossibile aprire il sposalbo.";

// Runs the construction and gives the exception it threw.
template <class Make>
CSposalboException ThrownBy(Make make) {
  try {
    make();
  } catch (const CSposalboException& error) {
    return error;
  }
  return CSposalboException(0, "nothing thrown");
}

LOGFONTA Face(const char* face) { return font_test::PlainFont(face, -20); }

class SposalboDocTest : public testing::Test {
 protected:
  std::unique_ptr<CSposalboDoc> NewBlank(const std::string& name = "Nozze") {
    return std::make_unique<CSposalboDoc>(name, 300, 200, parent.Path(), nullptr);
  }
  // A blank album with one page, as the new-album command leaves it.
  std::unique_ptr<CSposalboDoc> NewWithPage() {
    auto doc = NewBlank();
    doc->GetRoot()->AddPage(-1);
    return doc;
  }

  TempFolder parent;
  FakeHost host;
  CScriptedUi ui;
};

TEST_F(SposalboDocTest, ABlankAlbumIsWrittenAtOnceAndCountsAsNeverSaved) {
  auto doc = NewBlank();
  EXPECT_EQ(doc->GetFolder(), parent / "Nozze");
  EXPECT_EQ(doc->GetProjectPath(), parent / "Nozze\\sposalbo.sbm");
  EXPECT_TRUE(doc->IsNewNeverSaved());
  EXPECT_TRUE(FolderExists(parent / "Nozze\\img"));
  EXPECT_TRUE(FolderExists(parent / "Nozze\\rif"));
  EXPECT_EQ(doc->GetRoot()->GetPageCount(), 0);
  EXPECT_EQ(doc->GetCurrentPage(), nullptr);
  EXPECT_EQ(doc->GetTitle(), "Nozze (300 x 200)");

  auto written = treeNode::CSposalboTreeNode::Load(doc->GetProjectPath(), nullptr);
  ASSERT_TRUE(written);
  EXPECT_EQ(written->GetPageWidth(), 300);
  EXPECT_EQ(written->GetPageHeight(), 200);
  EXPECT_EQ(written->GetNumMinPage(), 0);
  EXPECT_EQ(written->GetNumMaxPage(), 999);

  // Beside earlier ones a new album takes the next free name.
  MakeFolder(parent / "Nozze_1");
  auto next = NewBlank();
  EXPECT_EQ(next->GetFolder(), parent / "Nozze_2");
  EXPECT_EQ(next->GetTitle(), "Nozze_2 (300 x 200)");
  EXPECT_TRUE(FileExists(parent / "Nozze_2\\sposalbo.sbm"));
}

TEST_F(SposalboDocTest, AnAlbumFromATemplateStartsAsTheTemplate) {
  WriteTextFile(parent / "modello.sbt", model_test::RichAlbum());
  CSposalboDoc doc("Nozze", parent.Path(), parent / "modello.sbt", nullptr);
  EXPECT_TRUE(doc.IsNewNeverSaved());
  EXPECT_EQ(doc.GetRoot()->GetPageCount(), 3);
  // On the cover, though the template was left on its second spread.
  EXPECT_EQ(doc.GetRoot()->GetCurrentPageIndex(), 0);
  EXPECT_EQ(doc.GetTitle(), "Nozze (300 x 200)");
  auto written = treeNode::CSposalboTreeNode::Load(doc.GetProjectPath(), nullptr);
  ASSERT_TRUE(written);
  EXPECT_EQ(written->GetPageCount(), 3);
  EXPECT_EQ(written->GetCurrentPageIndex(), 0);
  EXPECT_EQ(written->GetNumMaxPage(), 40);

  // A template of fewer spreads than its least number: blank ones follow.
  WriteTextFile(parent / "pagina.sbt",
                "<sposalbo numMinPage=\"4\" numMaxPage=\"40\"><pagina><testo testo=\"Anna\" /></pagina></sposalbo>");
  CSposalboDoc filled("Rossi", parent.Path(), parent / "pagina.sbt", nullptr);
  EXPECT_EQ(filled.GetRoot()->GetPageCount(), 4);
  EXPECT_EQ(filled.GetRoot()->GetCurrentPageIndex(), 0);
  EXPECT_EQ(filled.GetRoot()->GetPage(0)->GetChildCount(), 1u);
  EXPECT_EQ(treeNode::CSposalboTreeNode::Load(filled.GetProjectPath(), nullptr)->GetPageCount(), 4);
}

// Code 1: no folder for the album (invalid names, a missing parent); code 2:
// an unreadable template or project file. Nothing is left behind.
TEST_F(SposalboDocTest, AlbumsThatCannotBeMadeOrOpenedThrowWithTheirCode) {
  WriteTextFile(parent / "rotto.sbt", "<sposalbo><pagina></sposalbo>");
  WriteTextFile(parent / "vuoto.sbt", "");
  WriteTextFile(parent / "rotto.sbm", "<sposalbo>");
  WriteTextFile(parent / "vuoto.sbm", "");
  struct Case {
    std::string what;
    int code;
    std::function<void()> make;
  };
  std::vector<Case> cases;
  for (const std::string name : {"", "a\\b", "Nozze.", "Nozze ", "x:y", "a|b"})
    cases.push_back({"name " + name, 1, [=] { NewBlank(name); }});
  cases.push_back({"missing parent", 1, [&] { CSposalboDoc("Nozze", 300, 200, parent / "manca", nullptr); }});
  // A folder named with letters the code page lacks, as the ANSI calls give it.
  const std::string replaced = parent / "?a??\xb5??a";
  cases.push_back({"replaced letters", 1, [&] { CSposalboDoc("Nozze", 300, 200, replaced, nullptr); }});
  for (const std::string name : {"manca.sbt", "rotto.sbt", "vuoto.sbt"})
    cases.push_back({name, 2, [=] { CSposalboDoc("Nozze", parent.Path(), parent / name, nullptr); }});
  for (const std::string& path : {parent / "manca.sbm", parent / "rotto.sbm", parent / "vuoto.sbm", parent.Path()})
    cases.push_back({path, 2, [=] { CSposalboDoc(path, nullptr); }});
  for (const Case& c : cases) {
    const CSposalboException error = ThrownBy(c.make);
    EXPECT_EQ(error.code, c.code) << c.what;
    // A folder the system would not make is named, with the reason in the
    // program's language; an empty file is named and said to be empty.
    std::string told;
    if (c.what == "missing parent") told = std::string("\n") + (parent / "manca\\Nozze") + ":\npercorso non trovato";
    if (c.what == "replaced letters") told = "\n" + replaced + "\\Nozze:\nnome o percorso non valido";
    // A file the album cannot be read from is named, with why.
    const std::string file = c.what.find('\\') == std::string::npos ? parent / c.what : c.what;
    if (c.what.find("vuoto.sb") != std::string::npos) told = "\n" + file + ": il file \xe8 vuoto.";
    if (c.what.find("manca.sb") != std::string::npos) told = "\n" + file + ": il file non esiste.";
    if (c.what == parent / "rotto.sbm") told = "\n" + file + ": il file \xe8 danneggiato o incompleto.";
    if (c.what == "rotto.sbt") told = "\n" + file + ": il file \xe8 danneggiato o incompleto (riga 1, colonna 19).";
    if (c.what == parent.Path()) told = "\n" + file + ": \xe8 una cartella, non un file.";
    EXPECT_EQ(error.message, (c.code == 1 ? kCannotCreate : kCannotOpen) + told) << c.what;
    EXPECT_FALSE(FolderExists(parent / "Nozze")) << c.what;
  }
  EXPECT_EQ(host.layouts, 0);

  // A page size no page can have: the message names the value.
  WriteTextFile(parent / "zero.sbt", "<sposalbo pageWidth=\"0\"><pagina /></sposalbo>");
  WriteTextFile(parent / "negativo.sbm", "<sposalbo pageHeight=\"-5\"><pagina /></sposalbo>");
  const CSposalboException fromTemplate =
      ThrownBy([&] { CSposalboDoc("Nozze", parent.Path(), parent / "zero.sbt", nullptr); });
  EXPECT_EQ(fromTemplate.code, 2);
  EXPECT_EQ(fromTemplate.message.find(std::string(kCannotOpen) + "\nLarghezza della pagina non valida: pageWidth=\"0\""),
            0u) << fromTemplate.message;
  EXPECT_FALSE(FolderExists(parent / "Nozze"));
  WriteTextFile(parent / "enorme.sbt", "<sposalbo numMinPage=\"2000000000\"><pagina /></sposalbo>");
  const CSposalboException tooMany =
      ThrownBy([&] { CSposalboDoc("Nozze", parent.Path(), parent / "enorme.sbt", nullptr); });
  EXPECT_EQ(tooMany.message, std::string(kCannotOpen) +
                                 "\nNumero minimo di pagine non valido: numMinPage=\"2000000000\" (al massimo 999).");
  EXPECT_FALSE(FolderExists(parent / "Nozze"));
  const CSposalboException opened = ThrownBy([&] { CSposalboDoc(parent / "negativo.sbm", nullptr); });
  EXPECT_EQ(opened.code, 2);
  EXPECT_EQ(opened.message.find(std::string(kCannotOpen) + "\nAltezza della pagina non valida: pageHeight=\"-5\""), 0u)
      << opened.message;
}

TEST_F(SposalboDocTest, AnOpenedAlbumLivesInTheFolderOfItsFileAndLaysOutTheView) {
  MakeFolder(parent / "Sposi");
  WriteTextFile(parent / "Sposi\\sposalbo.sbm", model_test::RichAlbum());
  CSposalboDoc doc(parent / "Sposi\\sposalbo.sbm", nullptr);
  EXPECT_FALSE(doc.IsNewNeverSaved());
  EXPECT_EQ(doc.GetFolder(), parent / "Sposi");
  EXPECT_EQ(doc.GetProjectPath(), parent / "Sposi\\sposalbo.sbm");
  EXPECT_EQ(doc.GetTitle(), "Sposi (300 x 200)");
  EXPECT_EQ(doc.GetCurrentPage(), doc.GetRoot()->GetPage(1));
  EXPECT_EQ(host.layouts, 1);
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(SposalboDocTest, SavingWritesTheProjectFileAndTheImageList) {
  auto doc = NewWithPage();
  doc->GetRoot()->SetModified(true);
  WriteTextFile(parent / "foto.jpg", "jpeg");
  auto list = std::make_unique<spab_imagelist::CMImageList>();
  ASSERT_TRUE(list->AddFromLabCd("K", doc->GetFolder().c_str(), parent.Path().c_str(), "foto.jpg"));
  doc->GetRoot()->SetImageList(std::move(list));
  doc->GetCurrentPage()->AddChild(std::make_unique<treeNode::CImgTreeNode>("1.jpg", nullptr), true);

  ASSERT_TRUE(doc->Save());
  EXPECT_FALSE(doc->IsNewNeverSaved());
  EXPECT_FALSE(doc->IsModified());
  auto written = treeNode::CSposalboTreeNode::Load(doc->GetProjectPath(), nullptr);
  ASSERT_TRUE(written);
  EXPECT_EQ(written->GetPageCount(), 1);
  auto savedList = spab_imagelist::CMImageList::Load(doc->GetFolder().c_str(), false);
  ASSERT_TRUE(savedList);
  ASSERT_TRUE(savedList->Find("1.jpg"));
  // The references are counted afresh before the list is written.
  EXPECT_EQ(savedList->Find("1.jpg")->refCount, 1);
}

TEST_F(SposalboDocTest, AFailedSaveIsReportedAndTheAlbumStaysNeverSaved) {
  auto doc = NewWithPage();
  ASSERT_TRUE(doc->DeleteFolder());
  EXPECT_FALSE(doc->Save());
  EXPECT_TRUE(doc->IsNewNeverSaved());
  // The system's reason, for the message.
  EXPECT_EQ(doc->GetSaveError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

// An album is held by the editor that has it open: a second open is refused
// naming the album until the first closes it, while other programs may copy
// the folder, lock file included. A new album is held too, and the one closed
// without a save still goes with its folder.
TEST_F(SposalboDocTest, AnAlbumOpenInAnotherEditorIsRefusedNamingIt) {
  MakeFolder(parent / "Sposi");
  const std::string project = parent / "Sposi\\sposalbo.sbm";
  WriteTextFile(project, model_test::RichAlbum());
  {
    CSposalboDoc first(project, nullptr);
    EXPECT_TRUE(::CopyFileA((project + ".lock").c_str(), (parent / "copia.lock").c_str(), FALSE))
        << ::GetLastError();
    const CSposalboException refused = ThrownBy([&] { CSposalboDoc(project, nullptr); });
    EXPECT_EQ(refused.code, CSposalboException::kCannotOpen);
    EXPECT_NE(refused.message.find("\"Sposi\""), std::string::npos) << refused.message;
    EXPECT_NE(refused.message.find("gi\xe0 aperto"), std::string::npos) << refused.message;
    EXPECT_EQ(treeNode::CSposalboTreeNode::Load(project, nullptr)->GetPageCount(), 3) << "still readable";
  }
  EXPECT_FALSE(FileExists(project + ".lock"));
  CSposalboDoc again(project, nullptr);
  auto made = NewBlank();
  EXPECT_EQ(ThrownBy([&] { CSposalboDoc(made->GetProjectPath(), nullptr); }).code, CSposalboException::kCannotOpen);
  EXPECT_TRUE(made->DeleteFolder());
  EXPECT_FALSE(FolderExists(parent / "Nozze"));
}

// Where no lock can be had for another reason than a second editor, the
// album opens and says once, naming the reason, that it is unprotected. A
// read-only lock file still locks.
TEST_F(SposalboDocTest, AnAlbumThatCannotBeLockedSaysSoOnce) {
  MakeFolder(parent / "Sposi");
  const std::string project = parent / "Sposi\\sposalbo.sbm", lock = project + ".lock";
  WriteTextFile(project, model_test::RichAlbum());
  MakeFolder(lock);
  {
    CSposalboDoc first(project, nullptr);
    ASSERT_EQ(ui.Questions().size(), 1u);
    const AfxUiQuestion told = ui.Questions()[0];
    EXPECT_STREQ(told.caption, "Sposalbo non protetto");
    EXPECT_EQ(told.type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_NE(told.text.Find("\"Sposi\""), -1) << told.text.str();
    EXPECT_NE(told.text.Find((lock + ":\n" + SystemMessage(ERROR_ACCESS_DENIED).str()).c_str()), -1)
        << told.text.str();
    ASSERT_TRUE(first.Save());
    EXPECT_EQ(ui.Questions().size(), 1u) << "told once";
  }
  ::RemoveDirectoryA(lock.c_str());
  WriteTextFile(lock, "");
  ::SetFileAttributesA(lock.c_str(), FILE_ATTRIBUTE_READONLY);
  {
    CSposalboDoc first(project, nullptr);
    EXPECT_EQ(ThrownBy([&] { CSposalboDoc(project, nullptr); }).code, CSposalboException::kCannotOpen);
  }
  EXPECT_EQ(ui.Questions().size(), 1u);
  ::SetFileAttributesA(lock.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A save over a project file that changed on disk since it was read or last
// written asks first: No keeps the other version and the album unsaved.
TEST_F(SposalboDocTest, ASaveOverAProjectFileChangedOnDiskAsksFirst) {
  auto doc = NewWithPage();
  ASSERT_TRUE(doc->Save());
  EXPECT_TRUE(ui.Questions().empty());
  const std::string other = "<sposalbo pageWidth=\"300\" pageHeight=\"200\"><pagina /><pagina /><pagina /></sposalbo>";
  WriteTextFile(doc->GetProjectPath(), other);
  doc->GetRoot()->SetModified(true);
  ui.AnswerMessage(IDNO);
  EXPECT_FALSE(doc->Save());
  EXPECT_TRUE(doc->WasSaveDeclined());
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].caption, "Salva sposalbo");
  EXPECT_EQ(ui.Questions()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
  EXPECT_NE(ui.Questions()[0].text.Find(doc->GetProjectPath().c_str()), -1) << ui.Questions()[0].text.str();
  EXPECT_EQ(ReadTextFile(doc->GetProjectPath()), other);
  EXPECT_TRUE(doc->IsModified());

  ui.AnswerMessage(IDYES);
  EXPECT_TRUE(doc->Save());
  EXPECT_FALSE(doc->WasSaveDeclined());
  EXPECT_EQ(treeNode::CSposalboTreeNode::Load(doc->GetProjectPath(), nullptr)->GetPageCount(), 1);
  doc->GetRoot()->SetModified(true);
  EXPECT_TRUE(doc->Save());  // over its own version: no question
  EXPECT_EQ(ui.Questions().size(), 2u);
}

// An album at the ceiling of objects is written and read again; one past it
// is not written at all: the user is told, the last file stays byte for byte
// and the album still has changes to save.
TEST_F(SposalboDocTest, AnAlbumPastTheCeilingOfObjectsIsNotSaved) {
  auto doc = NewWithPage();
  model_test::LeaveRoomFor(*doc->GetRoot(), 0);
  ASSERT_TRUE(doc->Save());
  ASSERT_TRUE(treeNode::CSposalboTreeNode::Load(doc->GetProjectPath(), nullptr));
  const std::string last = ReadTextFile(doc->GetProjectPath());
  doc->GetRoot()->GetDati()->AddVariable("sposa", "Anna");
  doc->GetRoot()->SetModified(true);
  EXPECT_FALSE(doc->Save());
  EXPECT_TRUE(doc->WasSaveDeclined()) << "told already";
  // Compared whole, not printed: the file holds 50000 elements.
  EXPECT_TRUE(ReadTextFile(doc->GetProjectPath()) == last) << "the last file as it was";
  EXPECT_TRUE(doc->IsModified());
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].caption, "Salva sposalbo");
  EXPECT_EQ(ui.Questions()[0].text.Find("Troppi oggetti: l'album ne contiene pi\xf9 di 50000.\n"), 0)
      << ui.Questions()[0].text.str();
}

TEST_F(SposalboDocTest, ResourcePathsLeadToTheAlbumOrTheLibrary) {
  auto doc = NewBlank();
  auto list = std::make_unique<spab_imagelist::CMImageList>();
  WriteTextFile(parent / "cd.jpg", "jpeg");
  ASSERT_TRUE(list->AddFromLabCd("K", doc->GetFolder().c_str(), parent.Path().c_str(), "cd.jpg"));
  auto imported = std::make_unique<spab_imagelist::CMImg>();
  imported->thumb = "7.jpg";
  imported->riferimento = "3.tif";
  imported->tipo = 1;
  list->AppendCopy(*imported);
  doc->GetRoot()->SetImageList(std::move(list));

  const std::string album = doc->GetFolder();
  struct Case {
    int kind;
    bool lowRes;
    const char* name;
    bool personal;
    std::string path;
  } cases[] = {
      {0, true, "7.jpg", false, album + "\\img\\7.jpg"},
      {0, false, "7.jpg", false, album + "\\rif\\3.tif"},
      // A CD photo's full picture is its working copy, the CD's file; a
      // reference copy of the same name belongs to another photo.
      {0, false, "1.jpg", false, album + "\\img\\1.jpg"},
      {0, false, "nessuna.jpg", false, album + "\\img\\nessuna.jpg"},
      {1, true, "ovale.png", false, "c:\\lib\\1lo\\ovale.png"},
      {2, false, "fx.png", true, "c:\\lib\\2hip\\fx.png"},
      {3, true, "fiore.png", true, "c:\\lib\\3lop\\fiore.png"},
      // A group has no folder; a name that is no file name resolves nowhere.
      {4, true, "gruppo.jpg", false, ""},
      {0, true, "..\\7.jpg", false, ""},
      {1, true, "", false, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(doc->GetResourceFolder(c.kind, c.lowRes, c.name, c.personal), c.path) << c.name;
  EXPECT_EQ(doc->GetImageFolder(true), album + "\\img\\");
  EXPECT_EQ(doc->GetImageFolder(false), album + "\\rif\\");
}

TEST_F(SposalboDocTest, DeletingRemovesANewAlbumButNeverAFolderWithoutOne) {
  auto doc = NewBlank();
  ASSERT_TRUE(doc->DeleteFolder());
  EXPECT_FALSE(FolderExists(parent / "Nozze"));

  // What the program made goes with its photos; the user's own files stay,
  // and keep the folder.
  doc = NewBlank();
  WriteTextFile(parent / "foto.jpg", "jpeg");
  auto list = std::make_unique<spab_imagelist::CMImageList>();
  ASSERT_TRUE(list->AddFromLabCd("K", doc->GetFolder().c_str(), parent.Path().c_str(), "foto.jpg"));
  ASSERT_TRUE(list->Save(doc->GetFolder().c_str(), false));
  doc->GetRoot()->SetImageList(std::move(list));
  WriteTextFile(parent / "Nozze\\scaletta.txt", "mine");
  MakeFolder(parent / "Nozze\\mie");
  ASSERT_TRUE(doc->DeleteFolder());
  EXPECT_EQ(FilesIn(parent / "Nozze"), std::set<std::string>({"mie", "scaletta.txt"}));
  RemoveTree(parent / "Nozze");

  auto other = NewBlank("Altro");
  ::DeleteFileA(other->GetProjectPath().c_str());
  WriteTextFile(other->GetFolder() + "\\nota.txt", "keep");
  EXPECT_FALSE(other->DeleteFolder());
  EXPECT_TRUE(FileExists(other->GetFolder() + "\\nota.txt"));
}

TEST_F(SposalboDocTest, TheAlbumsOwnFontsAreLentToTheSystemWhileItIsOpen) {
  MakeFolder(parent / "Sposi");
  MakeFolder(parent / "Sposi\\font");
  const std::string face = font_test::InstalledTrueTypeFace();
  ASSERT_FALSE(face.empty());
  ASSERT_TRUE(WriteFontFile(Face(face.c_str()), parent / "Sposi\\font\\Mio.ttf"));
  WriteTextFile(parent / "Sposi\\font\\leggimi.txt", "not a font");
  WriteTextFile(parent / "Sposi\\font\\rotto.ttf", "not a font either");
  WriteTextFile(parent / "Sposi\\sposalbo.sbm", model_test::RichAlbum());
  const std::string font = parent / "Sposi\\font\\Mio.ttf";
  {
    CSposalboDoc doc(parent / "Sposi\\sposalbo.sbm", nullptr);
    ASSERT_EQ(doc.GetFonts().GetLoadedFiles().size(), 1u);
    EXPECT_EQ(doc.GetFonts().GetLoadedFiles()[0], font);
  }
  // Closing the album took the font back: there is nothing left to remove.
  EXPECT_FALSE(::RemoveFontResourceA(font.c_str()));
  WriteTextFile(parent / "sposalbo.sbm", model_test::RichAlbum());
  EXPECT_TRUE(CSposalboDoc(parent / "sposalbo.sbm", nullptr).GetFonts().GetLoadedFiles().empty());
}

TEST_F(SposalboDocTest, ANewTextIsPlacedAtThePointAndSelectedAlone) {
  auto doc = NewWithPage();
  treeNode::CPaginaTreeNode* page = doc->GetCurrentPage();
  page->AddChild(std::make_unique<model_test::FakeBox>(page, 0.0f, 0.0f), true);
  page->GetChild(0)->SetSelected(true);
  host.textToEnter = "Anna e Luca";
  host.fontToChoose = Face("Tahoma");
  host.textColourToChoose = RGB(200, 10, 20);
  host.confirmText = true;
  ASSERT_TRUE(doc->CreateText(0.25f, -0.125f));
  EXPECT_EQ(host.offeredText, "Prova di testo");
  EXPECT_STREQ(host.offeredFont.lfFaceName, "Arial");
  ASSERT_EQ(page->GetChildCount(), 2u);
  auto* text = dynamic_cast<CTestoTreeNode*>(page->GetChild(1));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->GetText(), "Anna e Luca");
  EXPECT_STREQ(text->GetLogFont().lfFaceName, "Tahoma");
  EXPECT_EQ(text->GetColour(), RGB(200, 10, 20));
  EXPECT_FLOAT_EQ(text->GetX(), 0.25f);
  EXPECT_FLOAT_EQ(text->GetY(), -0.125f);
  EXPECT_EQ(page->GetSelection(), treeNode::NodeList{text});
  EXPECT_TRUE(doc->GetRoot()->CanUndo());

  // Cancelled or left empty: no text; the dialog opens next time with the
  // font and colour last chosen.
  host.confirmText = false;
  EXPECT_FALSE(doc->CreateText(0.0f, 0.0f));
  EXPECT_STREQ(host.offeredFont.lfFaceName, "Tahoma");
  EXPECT_EQ(host.offeredTextColour, RGB(200, 10, 20));
  host.confirmText = true;
  host.textToEnter = "";
  EXPECT_FALSE(doc->CreateText(0.0f, 0.0f));
  EXPECT_EQ(page->GetChildCount(), 2u);
  host.textToEnter = "testo";
  EXPECT_FALSE(NewBlank("Senza pagine")->CreateText(0.0f, 0.0f));
  EXPECT_EQ(host.textEdits, 3) << "no page, no dialog";
  EXPECT_EQ(host.newTextEdits, 3) << "each for a text being made";
  model_test::LeaveRoomFor(*doc->GetRoot(), 0);
  EXPECT_FALSE(doc->CreateText(0.0f, 0.0f));
  EXPECT_EQ(host.textEdits, 3) << "an album past which no object fits opens no dialog";
  EXPECT_EQ(page->GetChildCount(), 2u);
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].caption, "Troppi oggetti");
}

TEST_F(SposalboDocTest, EditingTheOneSelectedTextReplacesTextColourAndFont) {
  auto doc = NewWithPage();
  host.confirmText = true;
  host.textToEnter = "Prima";
  host.fontToChoose = Face("Tahoma");
  host.textColourToChoose = RGB(1, 2, 3);
  ASSERT_TRUE(doc->CreateText(0.0f, 0.0f));
  auto* text = static_cast<CTestoTreeNode*>(doc->GetCurrentPage()->GetChild(0));
  host.textToEnter = "";
  EXPECT_FALSE(doc->EditSelectedText());
  EXPECT_EQ(text->GetText(), "Prima") << "an empty answer changes nothing";

  host.textToEnter = "Seconda";
  host.fontToChoose = Face("Courier New");
  host.textColourToChoose = RGB(9, 8, 7);
  ASSERT_TRUE(doc->EditSelectedText());
  EXPECT_EQ(host.newTextEdits, 1) << "an edited text keeps its own font";
  EXPECT_EQ(host.offeredText, "Prima");
  EXPECT_STREQ(host.offeredFont.lfFaceName, "Tahoma");
  EXPECT_EQ(host.offeredTextColour, RGB(1, 2, 3));
  EXPECT_EQ(text->GetText(), "Seconda");
  EXPECT_STREQ(text->GetLogFont().lfFaceName, "Courier New");
  EXPECT_EQ(text->GetColour(), RGB(9, 8, 7));
  EXPECT_FALSE(text->IsMeshBuilt());
  doc->GetRoot()->Undo();
  auto* restored = static_cast<CTestoTreeNode*>(doc->GetCurrentPage()->GetChild(0));
  EXPECT_EQ(restored->GetText(), "Prima");

  // Two texts or none selected: no dialog.
  ASSERT_TRUE(doc->CreateText(0.1f, 0.1f));
  restored->SetSelected(true);
  const int edits = host.textEdits;
  EXPECT_FALSE(doc->EditSelectedText());
  doc->GetCurrentPage()->SelectAll(false);
  EXPECT_FALSE(doc->EditSelectedText());
  EXPECT_EQ(host.textEdits, edits);
  EXPECT_TRUE(doc->EditSelectionColour());
  EXPECT_EQ(host.colourEdits, 1);
}

}  // namespace
