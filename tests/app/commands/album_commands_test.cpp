#include <gtest/gtest.h>

#include "app/dialogs/DialogDriving.h"
#include "app/resource.h"
#include "app/commands/AlbumFrameFake.h"
#include "document/albumfile/PageTemplateMark.h"
#include "document/LabKeys.h"
#include "document/ModelFakes.h"
#include "document/TempFolder.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/DatiTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/services/SystemMessage.h"
#include "document/services/Win32Handle.h"
#include "framework/scripted_ui.h"
#include "render/TestPictures.h"

using dialog_test::Click;
using dialog_test::TextOf;
using dialog_test::Type;

namespace {
const char kTwoPages[] =
    "<sposalbo paginacorrente=\"0\" numMinPage=\"1\" numMaxPage=\"10\" pageWidth=\"300\" pageHeight=\"200\">"
    "<pagina><immagine name=\"altra.jpg\" scale_x=\"0.2\" scale_y=\"0.2\" /></pagina><pagina /></sposalbo>";

class AlbumCommandsTest : public ::testing::Test {
 protected:
  AlbumCommandsTest() {
    MakeAlbumFolder();
    WriteTextFile(project, kTwoPages);
  }
  void MakeAlbumFolder() {
    for (const char* folder : {"Nozze", "Nozze\\img", "Nozze\\rif"}) MakeFolder(temp / folder);
  }
  // The open command on the sample album.
  void Open() {
    ui.AnswerFiles({project.c_str()});
    frame.Command(ID_ALBUM_OPEN);
    ASSERT_NE(frame.album, nullptr);
  }
  // The new-album dialog answered: "Sposi", blank, 300 x 200 mm, in parent.
  void AnswerNewBlankAlbum(const std::string& parent) {
    ui.AnswerModalWith([parent](CWnd* dialog) {
      Type(dialog, IDC_NS_NAME, "Sposi");
      Type(dialog, IDC_NS_FOLDER, parent.c_str());
      dialog->CheckRadioButton(IDC_NS_FROM_TEMPLATE, IDC_NS_BLANK, IDC_NS_BLANK);
      Click(dialog, IDC_NS_BLANK);
      Type(dialog, IDC_NS_WIDTH, "300");
      Type(dialog, IDC_NS_HEIGHT, "200");
      Click(dialog, IDOK);
    });
  }
  int Pages() { return frame.album->GetRoot()->GetPageCount(); }
  // The frame seals exports with that laboratory's key.
  void TrustLaboratory(lab_test::Laboratory& lab) {
    ASSERT_TRUE(lab.Ready());
    lab_test::WriteBytes(temp / "public.key", lab.PublicKeyBlob());
    ASSERT_TRUE(frame.seal.AcquireContext());
    ASSERT_TRUE(frame.seal.ImportPublicKey((temp / "public.key").c_str()));
  }
  size_t MessagesAsked() {
    size_t n = 0;
    for (const AfxUiQuestion& q : ui.Questions()) n += q.kind == CString("message");
    return n;
  }

  TempFolder temp;
  std::string project = temp / "Nozze\\sposalbo.sbm";
  CScriptedUi ui;
  FakeAlbumFrame frame;
};
}  // namespace

TEST_F(AlbumCommandsTest, OpenShowsTheAlbumAndItsPhotos) {
  Open();
  EXPECT_EQ(Pages(), 2);
  EXPECT_FALSE(frame.renderPaused);
  EXPECT_EQ(frame.title, frame.album->GetTitle());
  EXPECT_EQ(frame.photoFolder, frame.album->GetImageFolder(true));
  EXPECT_EQ(frame.pageListRebuilds, 1);
  EXPECT_TRUE(frame.pageShownBeforeLists) << "the first spread is drawn before the bars fill";
  for (UINT id : {ID_ALBUM_CLOSE, ID_ALBUM_SAVE, ID_ALBUM_LOAD_CD, ID_ALBUM_SEND_TO_LAB, ID_PAGE_SAVE_AS_TEMPLATE})
    EXPECT_TRUE(frame.Enabled(id)) << id;
  EXPECT_FALSE(frame.Enabled(ID_ALBUM_PRINT));
  EXPECT_FALSE(frame.Enabled(ID_EDIT_IMAGE_EXTERNAL));
}

TEST_F(AlbumCommandsTest, OpeningClearsWhatAnUnfinishedSaveLeftBeside) {
  WriteTextFile(temp / "Nozze\\immagini.xml", "<immagini lastThumb=\"0\" lastRif=\"0\" />");
  for (const char* leftover : {"Nozze\\sposalbo.sbm.new", "Nozze\\immagini.xml.new"})
    WriteTextFile(temp / leftover, "");
  WriteTextFile(temp / "Nozze\\altro.new", "not ours");
  Open();
  EXPECT_EQ(Pages(), 2);
  EXPECT_FALSE(FileExists(temp / "Nozze\\sposalbo.sbm.new"));
  EXPECT_FALSE(FileExists(temp / "Nozze\\immagini.xml.new"));
  EXPECT_TRUE(FileExists(temp / "Nozze\\altro.new"));
}

// Two editors on one album: the second is refused it, by name. The first,
// whose file was changed on disk meanwhile, asks before its save writes over
// that; No keeps the album open without a further word.
TEST_F(AlbumCommandsTest, ASecondEditorIsRefusedTheAlbumAndASaveOverAnOutsideChangeAsks) {
  Open();
  FakeAlbumFrame second;
  ui.AnswerFiles({project.c_str()});
  second.Command(ID_ALBUM_OPEN);
  EXPECT_EQ(second.album, nullptr);
  ASSERT_EQ(MessagesAsked(), 1u);
  EXPECT_STREQ(ui.Questions().back().caption, "Errore caricamento File");
  EXPECT_NE(ui.Questions().back().text.Find("\"Nozze\""), -1) << ui.Questions().back().text.str();

  ui.Clear();
  frame.album->GetRoot()->SetModified(true);
  const std::string outside = std::string(kTwoPages) + "\n";
  WriteTextFile(project, outside);
  ui.AnswerMessage(IDYES);  // save the changes
  ui.AnswerMessage(IDNO);   // but not over the other version
  frame.Command(ID_ALBUM_CLOSE);
  EXPECT_NE(frame.album, nullptr);
  EXPECT_EQ(MessagesAsked(), 2u);
  EXPECT_EQ(ReadTextFile(project), outside);
}

// The file is named with why it cannot be read: cut short or damaged, empty.
TEST_F(AlbumCommandsTest, AnUnreadableAlbumIsReportedAndNothingOpens) {
  const std::pair<const char*, std::string> files[] = {
      {"not an album <", "Impossibile aprire il sposalbo.\n" + project + ": il file \xe8 danneggiato o incompleto."},
      {"<sposalbo><pagina></sposalbo>",
       "Impossibile aprire il sposalbo.\n" + project + ": il file \xe8 danneggiato o incompleto (riga 1, colonna 19)."},
      {"", "Impossibile aprire il sposalbo.\n" + project + ": il file \xe8 vuoto."}};
  for (const auto& file : files) {
    SCOPED_TRACE(file.first);
    ui.Clear();
    WriteTextFile(project, file.first);
    ui.AnswerFiles({project.c_str()});
    frame.Command(ID_ALBUM_OPEN);
    EXPECT_EQ(frame.album, nullptr);
    ASSERT_EQ(MessagesAsked(), 1u);
    EXPECT_STREQ(ui.Questions().back().caption, "Errore caricamento File");
    EXPECT_EQ(ui.Questions().back().text.str(), file.second);
    EXPECT_TRUE(frame.renderPaused);
    EXPECT_EQ(frame.closeHolds, 0) << "a close asked for meanwhile goes ahead";
    for (UINT id : {ID_ALBUM_CLOSE, ID_ALBUM_SAVE, ID_ALBUM_PRINT, ID_ALBUM_DATA})
      EXPECT_FALSE(frame.Enabled(id)) << id;
  }
}

// A path chosen through a folder named with letters the code page lacks
// would name another file or none: it is refused naming those letters, and
// nothing is opened or written.
TEST_F(AlbumCommandsTest, APathWithLettersTheCodePageLacksIsRefusedNamingThem) {
  const std::wstring folder = AfxWiden(temp.Path().c_str()) + L"\\\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1";
  const std::string shown = temp.Path() + "\\????????";
  const size_t first = temp.Path().size() + 2;  // where the folder's name starts, counted from 1
  const std::string letters =
      "carattere " + std::to_string(first) + " (U+039A), carattere " + std::to_string(first + 1) + " (U+03B1)";
  auto told = [&](const char* caption, const std::string& path) {
    ASSERT_EQ(MessagesAsked(), 1u);
    EXPECT_STREQ(ui.Questions().back().caption, caption);
    const std::string text = ui.Questions().back().text.str();
    EXPECT_EQ(text.find("Il percorso " + path + " contiene caratteri che il programma non pu\xf2 usare: " + letters),
              0u)
        << text;
  };
  ui.AnswerWideFile(folder + L"\\sposalbo.sbm");
  frame.Command(ID_ALBUM_OPEN);
  EXPECT_EQ(frame.album, nullptr);
  told("Errore caricamento File", shown + "\\sposalbo.sbm");

  Open();
  ui.Clear();
  ui.AnswerWideFile(folder + L"\\album.sbt");
  frame.Command(ID_ALBUM_SAVE_AS_TEMPLATE);
  told("Salva come template", shown + "\\album.sbt");
  ui.Clear();
  ui.AnswerWideFolder(folder);
  frame.Command(ID_ALBUM_LOAD_CD);
  told("Carica CD", shown);
}

// A page size no page can have is the open error, naming the value: no
// album titled "(0 x -5)".
TEST_F(AlbumCommandsTest, AnAlbumWithAPageSizeThatIsNoSizeIsRefusedNamingIt) {
  WriteTextFile(project, "<sposalbo pageWidth=\"0\" pageHeight=\"-5\"><pagina /></sposalbo>");
  ui.AnswerFiles({project.c_str()});
  frame.Command(ID_ALBUM_OPEN);
  EXPECT_EQ(frame.album, nullptr);
  ASSERT_EQ(MessagesAsked(), 1u);
  EXPECT_STREQ(ui.Questions().back().caption, "Errore caricamento File");
  EXPECT_EQ(ui.Questions().back().type, static_cast<UINT>(MB_ICONERROR));
  EXPECT_NE(ui.Questions().back().text.Find("pageWidth=\"0\""), -1) << ui.Questions().back().text.str();
  EXPECT_TRUE(frame.renderPaused);
}

// Numbers of objects that were repaired as the album was read are told once,
// and the album asks to be saved so the repair is kept; an album without any
// is opened without a word and unmodified.
TEST_F(AlbumCommandsTest, RepairedNumbersAreToldOnceAndSaved) {
  WriteTextFile(project,
                "<sposalbo pageWidth=\"300\" pageHeight=\"200\"><pagina>"
                "<cornice name=\"c.png\" scale_x=\"nan\" scale_y=\"nan\" /></pagina></sposalbo>");
  Open();
  ASSERT_EQ(MessagesAsked(), 1u);
  EXPECT_STREQ(ui.Questions().back().caption, "Sposalbo riparato");
  EXPECT_EQ(ui.Questions().back().text.Find("Lo sposalbo conteneva 2 valori non validi"), 0)
      << ui.Questions().back().text.str();
  EXPECT_TRUE(frame.album->IsModified());
  ASSERT_TRUE(frame.album->Save());
  const std::string saved = ReadTextFile(project);
  EXPECT_NE(saved.find("scale_x=\"1.000000\" scale_y=\"1.000000\""), std::string::npos) << saved;

  ui.Clear();
  frame.Command(ID_ALBUM_CLOSE);
  ui.AnswerFiles({project.c_str()});
  frame.Command(ID_ALBUM_OPEN);
  ASSERT_NE(frame.album, nullptr);
  EXPECT_EQ(MessagesAsked(), 0u);
  EXPECT_FALSE(frame.album->IsModified());
}

// The repair is told in words that agree with the number of values repaired.
TEST_F(AlbumCommandsTest, TheRepairIsToldInTheNumberOfItsValues) {
  const struct {
    const char* scales;
    const char* told;
  } cases[] = {
      {"scale_x=\"nan\" scale_y=\"0.5\"",
       "Lo sposalbo conteneva un valore non valido (posizione, scala, rotazione, colore o ritaglio di un oggetto), "
       "sostituito con un valore che lascia l'oggetto visibile al suo posto.\n"},
      {"scale_x=\"nan\" scale_y=\"inf\"",
       "Lo sposalbo conteneva 2 valori non validi (posizione, scala, rotazione, colore o ritaglio di un oggetto), "
       "sostituiti con valori che lasciano gli oggetti visibili al loro posto.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scales);
    if (frame.album) frame.album->GetRoot()->SetModified(false);
    WriteTextFile(project, std::string("<sposalbo pageWidth=\"300\" pageHeight=\"200\"><pagina>") +
                               "<cornice name=\"c.png\" " + c.scales + " /></pagina></sposalbo>");
    ui.Clear();
    Open();
    ASSERT_EQ(MessagesAsked(), 1u);
    EXPECT_EQ(ui.Questions().back().text.Find(c.told), 0) << ui.Questions().back().text.str();
  }
}

// The image list as an album opens: none yet is no fault; one gone while its
// photos are there is rebuilt and told; one that cannot be read is kept
// aside, said, and never written over, and a list rebuilt from the "img"
// folder takes its place at once; one that can be neither read nor moved
// keeps the album closed.
TEST_F(AlbumCommandsTest, AnUnreadableImageListIsKeptAsideAndNeverWrittenOver) {
  const std::string listPath = temp / "Nozze\\immagini.xml";
  const std::string aside = temp / "Nozze\\immagini-illeggibile.xml";
  const char damaged[] = "<immagini lastThumb=\"40\" lastRif=\"12\"><immagine thumb=\"altra.jpg\"";
  Open();  // no list and no photo: nothing was ever imported
  EXPECT_EQ(MessagesAsked(), 0u);
  frame.Command(ID_ALBUM_CLOSE);

  for (const char* photo : {"Nozze\\img\\altra.jpg", "Nozze\\img\\1.jpg", "Nozze\\img\\1.msk.jpg"})
    model_test::WriteBmp((temp / photo).c_str(), 1, 2, 3);
  // Of the number and the proportions of 1.jpg, but another picture.
  model_test::WriteBmp((temp / "Nozze\\rif\\1.bmp").c_str(), 200, 0, 0);

  // The list gone, its photos still there: rebuilt, written and told.
  ui.Clear();
  Open();
  ASSERT_EQ(MessagesAsked(), 1u);
  EXPECT_EQ(ui.Questions().back().text.Find(("La lista delle immagini dello sposalbo manca:\n" + listPath + "\n\n" +
                                             "Una nuova lista \xE8 stata ricostruita dalle foto della cartella img "
                                             "(foto trovate: 2)").c_str()),
            0)
      << ui.Questions().back().text.str();
  EXPECT_EQ(frame.photoNames, (std::vector<CString>{"1.jpg", "altra.jpg"}));
  EXPECT_FALSE(frame.album->IsModified()) << "the rebuilt list is written already";
  frame.Command(ID_ALBUM_CLOSE);
  ASSERT_TRUE(::DeleteFileA(listPath.c_str()));

  WriteTextFile(listPath, damaged);
  ui.Clear();
  Open();
  ASSERT_EQ(MessagesAsked(), 1u);
  const CString& told = ui.Questions().back().text;
  EXPECT_STREQ(ui.Questions().back().caption, "Errore caricamento File");
  EXPECT_EQ(ui.Questions().back().type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
  EXPECT_NE(told.Find(aside.c_str()), -1) << told.str();
  EXPECT_NE(told.Find("ricostruita dalle foto della cartella img (foto trovate: 2); i nomi originali dei file e le "
                      "chiavi dei CD non si sono potuti recuperare."),
            -1)
      << told.str();
  EXPECT_NE(told.Find("Foto che non si sono potute abbinare a una copia a piena risoluzione della cartella rif "
                      "(al laboratorio andrebbero ridotte):\n\n\"1.jpg\"\n\"altra.jpg\""),
            -1)
      << told.str();
  // Photos the laboratory could not find in full size, each named.
  EXPECT_NE(told.Find("Foto rimaste senza copia a piena risoluzione n\xE9 chiave del CD (non si possono inviare al "
                      "laboratorio: caricarle di nuovo con File > Carica immagini e rimetterle al loro posto nelle "
                      "pagine):\n\n\"1.jpg\"\n\"altra.jpg\""),
            -1)
      << told.str();
  EXPECT_EQ(told.Find("non \xE8 stata ancora scritta"), -1) << told.str();
  EXPECT_EQ(ReadTextFile(aside), damaged);
  EXPECT_EQ(frame.photoNames, (std::vector<CString>{"1.jpg", "altra.jpg"})) << "the photo bar lists the rebuilt list";
  EXPECT_EQ(frame.album->GetRoot()->GetImageList()->Find("altra.jpg")->refCount, 1);
  EXPECT_FALSE(frame.album->IsModified()) << "the rebuilt list is written already";
  auto written = spab_imagelist::CMImageList::Load((temp / "Nozze").c_str(), false);
  ASSERT_TRUE(written);
  EXPECT_EQ(written->GetImages().size(), 2u);
  frame.album->GetRoot()->AddPage(-1);
  ASSERT_TRUE(frame.album->Save());
  EXPECT_EQ(ReadTextFile(aside), damaged) << "the save wrote a list of its own beside it";
  frame.Command(ID_ALBUM_CLOSE);

  // Damaged once more: kept beside the first one.
  WriteTextFile(listPath, damaged);
  ui.Clear();
  Open();
  EXPECT_EQ(ReadTextFile(temp / "Nozze\\immagini-illeggibile-2.xml"), damaged);
  EXPECT_EQ(ReadTextFile(aside), damaged);
  frame.Command(ID_ALBUM_CLOSE);

  // Rebuilt where no list can be written: the album asks to be saved.
  WriteTextFile(listPath, damaged);
  MakeFolder(listPath + ".new");  // in the way of the list's replacement
  ui.Clear();
  Open();
  ::RemoveDirectoryA((listPath + ".new").c_str());
  ASSERT_EQ(MessagesAsked(), 1u);
  EXPECT_NE(ui.Questions().back().text.Find("non \xE8 stata ancora scritta"), -1) << ui.Questions().back().text.str();
  EXPECT_TRUE(frame.album->IsModified());
  frame.album->GetRoot()->SetModified(false);
  frame.Command(ID_ALBUM_CLOSE);

  // Held open by another program: neither read nor moved.
  WriteTextFile(listPath, damaged);
  HANDLE held = ::CreateFileA(listPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ui.Clear();
  ui.AnswerFiles({project.c_str()});
  frame.Command(ID_ALBUM_OPEN);
  ::CloseHandle(held);
  EXPECT_EQ(frame.album, nullptr);
  ASSERT_EQ(MessagesAsked(), 1u);
  EXPECT_STREQ(ui.Questions().back().caption, "Errore caricamento File");
  EXPECT_EQ(ui.Questions().back().type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(ReadTextFile(listPath), damaged);
}

// A working copy deleted while the album was closed is made again from its
// reference copy as the album opens, as one older than its reference copy is,
// and so is the whole folder of working copies.
TEST_F(AlbumCommandsTest, AWorkingCopyMissingBesideItsReferenceCopyIsMadeAgain) {
  WriteTextFile(temp / "Nozze\\immagini.xml",
                "<immagini lastThumb=\"1\" lastRif=\"1\"><immagine nome=\"a.bmp\" thumb=\"altra.jpg\" "
                "tipo=\"1\" riferimento=\"1.bmp\" /></immagini>");
  model_test::WriteBmp((temp / "Nozze\\rif\\1.bmp").c_str(), 10, 20, 30);
  const std::string working = temp / "Nozze\\img\\altra.jpg";
  for (const bool folderGone : {false, true}) {
    SCOPED_TRACE(folderGone);
    if (folderGone) {
      frame.Command(ID_ALBUM_CLOSE);
      ui.Clear();
      ASSERT_TRUE(::DeleteFileA(working.c_str()));
      ASSERT_TRUE(::RemoveDirectoryA((temp / "Nozze\\img").c_str()));
    }
    Open();
    EXPECT_EQ(MessagesAsked(), 0u);
    EXPECT_EQ(ReadTextFile(working).substr(0, 2), "\xFF\xD8");
  }
}

// The photo bar marks the photos the pages use, whatever counts the list kept.
TEST_F(AlbumCommandsTest, OpeningCountsThePhotosThePagesUse) {
  WriteTextFile(temp / "Nozze\\immagini.xml",
                "<immagini lastThumb=\"2\"><immagine thumb=\"altra.jpg\" cdkey=\"K\" refCount=\"0\" />"
                "<immagine thumb=\"2.jpg\" cdkey=\"K\" refCount=\"3\" /></immagini>");
  Open();
  const spab_imagelist::CMImageList* list = frame.album->GetRoot()->GetImageList();
  EXPECT_EQ(list->Find("altra.jpg")->refCount, 1);
  EXPECT_EQ(list->Find("2.jpg")->refCount, 0);
}

// Entries of the list refused for their names are told as the album opens,
// by the photos' own names where they have one, and the list is kept as it
// was before a save writes it without them.
TEST_F(AlbumCommandsTest, ImageListEntriesRefusedForTheirNamesAreToldAndTheListKept) {
  const std::string list =
      "<immagini lastThumb=\"3\" lastRif=\"1\"><immagine thumb=\"altra.jpg\" cdkey=\"K\" />"
      "<immagine nome=\"tramonto.jpg\" thumb=\"COM1\" cdkey=\"K\" />"
      "<immagine thumb=\"2.jpg\" tipo=\"1\" riferimento=\"1.jpg.\" />"
      "</immagini>";
  WriteTextFile(temp / "Nozze\\immagini.xml", list);
  const std::string kept = temp / "Nozze\\immagini-nomi-non-validi.xml";
  Open();
  ASSERT_EQ(MessagesAsked(), 1u);
  const CString& told = ui.Questions().back().text;
  EXPECT_STREQ(ui.Questions().back().caption, "Errore caricamento File");
  EXPECT_NE(told.Find("nome di file non valido"), -1) << told.str();
  EXPECT_NE(told.Find("\n\"tramonto.jpg\" (file \"COM1\")\n\"1.jpg.\""), -1) << told.str();
  EXPECT_NE(told.Find(("conservata com'era in\n" + kept).c_str()), -1) << told.str();
  EXPECT_EQ(ReadTextFile(kept), list);
  EXPECT_EQ(frame.photoNames, std::vector<CString>{"altra.jpg"});

  // Opened again before a save: the same list is kept once.
  frame.Command(ID_ALBUM_CLOSE);
  ui.Clear();
  Open();
  EXPECT_EQ(MessagesAsked(), 1u);
  EXPECT_FALSE(FileExists(temp / "Nozze\\immagini-nomi-non-validi-2.xml"));
  ASSERT_TRUE(frame.album->Save());
  EXPECT_EQ(ReadTextFile(kept), list);
}

TEST_F(AlbumCommandsTest, CloseAsksToSaveAndEachAnswerDoesItsPart) {
  struct Case {
    int answer;
    bool projectHeld;  // another program holds the project file: saving fails
    bool closed;
    int pagesOnDisk;
  };
  const Case cases[] = {{IDYES, false, true, 3}, {IDNO, false, true, 2}, {IDCANCEL, false, false, 2},
                        {IDYES, true, false, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    WriteTextFile(project, kTwoPages);
    Open();
    frame.album->GetRoot()->AddPage(-1);
    CScopedHandle held;
    if (c.projectHeld)
      held.Reset(::CreateFileA(project.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ui.Clear();
    ui.AnswerMessage(c.answer);
    frame.Command(ID_ALBUM_CLOSE);
    held.Reset();
    ASSERT_GE(ui.Questions().size(), 1u);
    EXPECT_STREQ(ui.Questions()[0].text, "Vuoi salvare le modifiche al sposalbo?");
    EXPECT_STREQ(ui.Questions()[0].caption, "Salva sposalbo");
    EXPECT_EQ(ui.Questions()[0].type, static_cast<UINT>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(frame.album == nullptr, c.closed);
    if (c.closed) {
      EXPECT_TRUE(frame.renderPaused);
      EXPECT_EQ(frame.title, "");
    }
    if (c.projectHeld) {
      // The failure is said with the system's reason, and the album with its
      // new page is still there.
      EXPECT_EQ(MessagesAsked(), 2u);
      ASSERT_NE(frame.album->GetSaveError(), 0u);
      EXPECT_EQ(ui.Questions().back().text.str(),
                "Impossibile salvare il sposalbo in " + frame.album->GetFolder() + ".\n" +
                    SystemMessage(frame.album->GetSaveError()).str() + "\nIl sposalbo resta aperto.");
      EXPECT_EQ(Pages(), 3);
    } else {
      auto onDisk = treeNode::CSposalboTreeNode::Load(project, nullptr);
      ASSERT_TRUE(onDisk);
      EXPECT_EQ(onDisk->GetPageCount(), c.pagesOnDisk);
    }
    frame.album.reset();
  }
}

TEST_F(AlbumCommandsTest, OpenCancelledAtTheSaveQuestionKeepsTheOldAlbum) {
  Open();
  frame.album->GetRoot()->SetModified(true);
  CSposalboDoc* before = frame.album.get();
  ui.Clear();
  ui.AnswerMessage(IDCANCEL);
  frame.Command(ID_ALBUM_OPEN);
  EXPECT_EQ(frame.album.get(), before);
  ASSERT_EQ(ui.Questions().size(), 1u);  // no file dialog
  EXPECT_STREQ(ui.Questions()[0].kind, "message");
}

TEST_F(AlbumCommandsTest, NewBlankAlbumGetsOnePageAndAsksToBeSaved) {
  const std::string parent = temp / "lavori";
  MakeFolder(parent);
  AnswerNewBlankAlbum(parent);
  frame.Command(ID_ALBUM_NEW);
  ASSERT_NE(frame.album, nullptr);
  EXPECT_EQ(Pages(), 1);
  EXPECT_TRUE(frame.album->IsModified());
  EXPECT_FALSE(frame.renderPaused);
  EXPECT_EQ(frame.title, "Sposi (300 x 200)");
  // Closed without saving: the folder made for it goes again.
  ui.AnswerMessage(IDNO);
  frame.Command(ID_ALBUM_CLOSE);
  EXPECT_EQ(frame.album, nullptr);
  EXPECT_FALSE(FolderExists(parent + "\\Sposi"));
  // Unless the user put files of their own in it: only the program's go.
  AnswerNewBlankAlbum(parent);
  frame.Command(ID_ALBUM_NEW);
  ASSERT_NE(frame.album, nullptr);
  WriteTextFile(parent + "\\Sposi\\invitati.txt", "mine");
  ui.Clear();
  ui.AnswerMessage(IDNO);
  frame.Command(ID_ALBUM_CLOSE);
  EXPECT_EQ(frame.album, nullptr);
  EXPECT_EQ(FilesIn(parent + "\\Sposi"), std::set<std::string>{"invitati.txt"});
  EXPECT_EQ(MessagesAsked(), 1u) << "the save question alone";
}

TEST_F(AlbumCommandsTest, NewAlbumThatCannotBeMadeIsReported) {
  AnswerNewBlankAlbum(temp / "manca\\ancora");
  frame.Command(ID_ALBUM_NEW);
  EXPECT_EQ(frame.album, nullptr);
  EXPECT_TRUE(frame.renderPaused);
  ASSERT_EQ(MessagesAsked(), 1u);
  EXPECT_STREQ(ui.Questions().back().caption, "Errore creazione sposalbo.");
  EXPECT_EQ(ui.Questions().back().type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

TEST_F(AlbumCommandsTest, ImagesAreImportedInAscendingOrderOfTheirNames) {
  Open();
  for (const char* name : {"c.bmp", "a.bmp", "b.bmp"}) model_test::WriteBmp((temp / name).c_str(), 10, 20, 30);
  ui.AnswerFiles({temp.Path().c_str(), "c.bmp", "a.bmp", "b.bmp"});
  frame.Command(ID_ALBUM_LOAD_IMAGES);
  const auto& images = frame.album->GetRoot()->GetImageList()->GetImages();
  ASSERT_EQ(images.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_NE(images[i]->nome.find(std::string(1, static_cast<char>('a' + i)) + ".bmp"), std::string::npos);
    EXPECT_EQ(images[i]->tipo, 1);
  }
  EXPECT_EQ(frame.photoNames.size(), 3u);
  // Saved at once: the list on disk has them too.
  auto saved = spab_imagelist::CMImageList::Load((temp / "Nozze").c_str(), false);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->GetImages().size(), 3u);
}

TEST_F(AlbumCommandsTest, APhotoSelectionBeyondTheImageDialogsBufferIsSaid) {
  Open();
  // Four hundred names of a hundred characters: more than its 32768.
  std::vector<CString> answer{temp.Path().c_str()};
  for (int i = 0; i < 400; ++i) answer.push_back(CString('x', 100));
  ui.AnswerFiles(answer);
  frame.Command(ID_ALBUM_LOAD_IMAGES);
  ASSERT_EQ(MessagesAsked(), 1u);
  EXPECT_STREQ(ui.Questions().back().caption, "Carica immagini");
  EXPECT_TRUE(frame.album->GetRoot()->GetImageList()->GetImages().empty());
  ui.Clear();
  ui.AnswerFiles({});  // cancelled: nothing said
  frame.Command(ID_ALBUM_LOAD_IMAGES);
  EXPECT_EQ(MessagesAsked(), 0u);
}

TEST_F(AlbumCommandsTest, ACdImportsNothingWithoutItsListAndTellsWhichNamesItRefused) {
  Open();
  MakeFolder(temp / "cd");
  ui.AnswerFolder((temp / "cd").c_str());
  frame.Command(ID_ALBUM_LOAD_CD);
  ASSERT_EQ(MessagesAsked(), 1u);
  EXPECT_STREQ(ui.Questions().back().caption, "Il CD selezionato non contiene la lista immagini.");
  EXPECT_STREQ(ui.Questions().back().text, (temp / "cd").c_str());
  EXPECT_TRUE(frame.album->GetRoot()->GetImageList()->GetImages().empty());

  // Names pointing outside the CD are not read, and the user is told which.
  WriteTextFile(temp / "cd\\cd.xml", "<cd cdKey=\"LAB-7\"><immagine nome=\"..\\fuori.bmp\"/>"
                                      "<immagine nome=\"IMG_1.BMP\"/><immagine nome=\"C:\\x.bmp\"/></cd>");
  model_test::WriteBmp((temp / "cd\\IMG_1.BMP").c_str(), 200, 0, 0);
  model_test::WriteBmp((temp / "fuori.bmp").c_str(), 0, 200, 0);
  ui.Clear();
  ui.AnswerFolder((temp / "cd").c_str());
  ui.AnswerMessage(IDOK);
  frame.Command(ID_ALBUM_LOAD_CD);
  const auto& images = frame.album->GetRoot()->GetImageList()->GetImages();
  ASSERT_EQ(images.size(), 1u);
  EXPECT_EQ(images[0]->tipo, 0);
  EXPECT_EQ(images[0]->cdkey, "LAB-7");
  ASSERT_EQ(MessagesAsked(), 1u);
  EXPECT_STREQ(ui.Questions().back().caption, "Error");
  EXPECT_STREQ(ui.Questions().back().text,
               "Immagini non importate: nome non valido nella lista del CD.\n\n\"..\\fuori.bmp\"\n\"C:\\x.bmp\"");
}

TEST_F(AlbumCommandsTest, SendingToTheLaboratorySavesFirstAndSealsTheExport) {
  lab_test::Laboratory lab;
  TrustLaboratory(lab);
  // The page's photo is one of the album's, from a laboratory CD.
  WriteTextFile(temp / "Nozze\\immagini.xml",
                "<immagini lastThumb=\"1\" lastRif=\"0\"><immagine nome=\"a.jpg\" thumb=\"altra.jpg\" tipo=\"0\" "
                "cdkey=\"K\" /></immagini>");
  model_test::WriteBmp((temp / "Nozze\\img\\altra.jpg").c_str(), 1, 2, 3);
  Open();
  frame.album->GetRoot()->AddPage(-1);
  MakeFolder(temp / "invio");
  ui.AnswerMessage(IDOK);                                   // save first
  ui.AnswerFolder((temp / "manca\\del tutto").c_str());     // an export that fails
  ui.AnswerMessage(IDOK);                                   // its error
  ui.AnswerWideFolder(AfxWiden(temp.Path().c_str()) + L"\\\u039a\u03b1");  // letters the code page lacks
  ui.AnswerMessage(IDOK);                                   // named
  ui.AnswerFolder((temp / "invio").c_str());
  frame.Command(ID_ALBUM_SEND_TO_LAB);
  const CString named = ui.Questions()[ui.Questions().size() - 2].text;
  EXPECT_EQ(named.Find(("Il percorso " + temp.Path() + "\\?? contiene caratteri che il programma non pu\xf2 usare").c_str()),
            0)
      << named.str();
  EXPECT_FALSE(frame.album->IsModified());
  const std::string exported = temp / "invio\\Nozze_xlab\\sposalbo.sbm";
  ASSERT_TRUE(FileExists(exported));
  const auto digest = lab.OpenSeal(lab_test::ReadBytes(temp / "invio\\Nozze_xlab\\sposalbo.sig"));
  EXPECT_EQ(digest, lab.Md5(ReadTextFile(exported)));
  EXPECT_EQ(ui.PendingAnswers(), 0u);

  // A failed export and then a cancelled browser end without more messages.
  ui.Clear();
  ui.AnswerFolder((temp / "manca\\del tutto").c_str());
  ui.AnswerMessage(IDOK);
  frame.Command(ID_ALBUM_SEND_TO_LAB);
  EXPECT_EQ(MessagesAsked(), 1u);
  EXPECT_EQ(ui.Questions().back().kind, CString("folder"));
}

// Pages that show photos the image list lacks (it was lost or damaged) would
// reach the laboratory without them: the album is not sent, and the user
// reads which photos.
TEST_F(AlbumCommandsTest, AnAlbumWhosePhotosAreNotInItsImageListIsNotSent) {
  Open();  // "altra.jpg" is on the first page, and the album has no list
  ui.Clear();
  frame.Command(ID_ALBUM_SEND_TO_LAB);
  ASSERT_EQ(ui.Questions().size(), 1u) << "no save question, no folder browser";
  EXPECT_STREQ(ui.Questions()[0].caption, "Invia al laboratorio");
  EXPECT_EQ(ui.Questions()[0].text.Find("Impossibile inviare lo sposalbo al laboratorio"), 0);
  EXPECT_NE(ui.Questions()[0].text.Find("\"altra.jpg\""), -1) << ui.Questions()[0].text.str();
}

// An album whose list was damaged goes on with the list rebuilt from its
// folders: an import adds to its photos, the list is saved and read again;
// a photo of the pages left without a full-size copy or a CD key keeps the
// album from the laboratory, named with the way to bring it back.
TEST_F(AlbumCommandsTest, AnAlbumWithARebuiltListImportsSavesAndIsSentWhole) {
  lab_test::Laboratory lab;
  TrustLaboratory(lab);
  WriteTextFile(project,
                "<sposalbo pageWidth=\"300\" pageHeight=\"200\"><pagina>"
                "<immagine name=\"1.jpg\" scale_x=\"0.2\" scale_y=\"0.2\" />"
                "<immagine name=\"2.jpg\" scale_x=\"0.2\" scale_y=\"0.2\" /></pagina></sposalbo>");
  // 1 imported from a file (its reference twice its size), 2 from a CD with
  // the shape of a cut-out beside it, 3 never placed.
  for (const char* photo : {"1.jpg", "2.jpg", "2.msk.jpg", "3.jpg"})
    model_test::WriteBmp((temp / "Nozze\\img\\" + photo).c_str(), 1, 2, 3);
  ::WriteBmp(temp / "Nozze\\rif\\1.bmp", 16, 8, [](int, int) { return Rgba{1, 2, 3, 255}; });
  WriteTextFile(temp / "Nozze\\immagini.xml", "<immagini lastThumb=\"3\"><immagine thumb=\"1.jpg\"");
  Open();
  ASSERT_EQ(MessagesAsked(), 1u);
  EXPECT_NE(ui.Questions().back().text.Find("\"2.jpg\"\n\"3.jpg\""), -1) << ui.Questions().back().text.str();

  model_test::WriteBmp((temp / "nuova.bmp").c_str(), 4, 5, 6);
  ui.AnswerFiles({temp.Path().c_str(), "nuova.bmp"});
  frame.Command(ID_ALBUM_LOAD_IMAGES);
  EXPECT_EQ(frame.photoNames, (std::vector<CString>{"1.jpg", "2.jpg", "3.jpg", "4.jpg"}))
      << "the new photo joins the album's";
  const spab_imagelist::CMImg* imported = frame.album->GetRoot()->GetImageList()->Find("4.jpg");
  ASSERT_NE(imported, nullptr);
  EXPECT_EQ(imported->riferimento, "2.bmp") << "numbers past the files already there";
  frame.album->GetRoot()->AddPage(-1);
  frame.Command(ID_ALBUM_SAVE);
  frame.Command(ID_ALBUM_CLOSE);
  ASSERT_EQ(frame.album, nullptr);

  ui.Clear();
  Open();
  EXPECT_EQ(MessagesAsked(), 0u) << "the list is read again";
  EXPECT_EQ(frame.photoNames.size(), 4u);
  MakeFolder(temp / "invio");
  ui.AnswerFolder((temp / "invio").c_str());
  frame.Command(ID_ALBUM_SEND_TO_LAB);
  ASSERT_EQ(MessagesAsked(), 1u);
  const CString& refused = ui.Questions()[ui.Questions().size() - 2].text;
  EXPECT_NE(refused.Find("\"2.jpg\": foto di un CD di cui non si conosce la chiave"), -1) << refused.str();
  EXPECT_NE(refused.Find("File > Carica immagini"), -1) << refused.str();
  EXPECT_EQ(refused.Find("1.jpg"), -1) << refused.str();
  EXPECT_EQ(FilesIn(temp / "invio"), std::set<std::string>{});
}

// A working copy that shows another picture than its reference copy (one put
// back from a backup keeps its older date) is made again by the export, told,
// and the page and the photo bar show it afterwards.
TEST_F(AlbumCommandsTest, AWorkingCopyTheExportMadeAgainIsShown) {
  lab_test::Laboratory lab;
  TrustLaboratory(lab);
  WriteTextFile(temp / "Nozze\\immagini.xml",
                "<immagini lastThumb=\"1\" lastRif=\"1\"><immagine nome=\"a.bmp\" thumb=\"altra.jpg\" "
                "tipo=\"1\" riferimento=\"1.bmp\" /></immagini>");
  const std::string reference = temp / "Nozze\\rif\\1.bmp";
  model_test::WriteBmp(reference.c_str(), 0, 0, 200);
  HANDLE file = ::CreateFileA(reference.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const FILETIME old{0, 0x01C00000};
  EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &old));
  ::CloseHandle(file);
  model_test::WriteBmp((temp / "Nozze\\img\\altra.jpg").c_str(), 230, 230, 230);
  Open();
  ASSERT_EQ(MessagesAsked(), 0u);
  EXPECT_TRUE(frame.remadeShown.empty());
  MakeFolder(temp / "invio");
  ui.AnswerFolder((temp / "invio").c_str());
  frame.Command(ID_ALBUM_SEND_TO_LAB);
  ASSERT_EQ(MessagesAsked(), 1u);
  EXPECT_STREQ(ui.Questions().back().caption, "Invio al laboratorio");
  EXPECT_NE(ui.Questions().back().text.Find("\"altra.jpg\""), -1) << ui.Questions().back().text.str();
  EXPECT_EQ(frame.remadeShown, std::vector<std::string>{"altra.jpg"});
  EXPECT_TRUE(FileExists(temp / "invio\\Nozze_xlab\\sposalbo.sig"));
  EXPECT_EQ(ReadTextFile(temp / "invio\\Nozze_xlab\\img\\altra.jpg"), ReadTextFile(temp / "Nozze\\img\\altra.jpg"));
}

TEST_F(AlbumCommandsTest, OptionsStoreTheSettingsAndMakeTheCustomFolders) {
  struct Case {
    const char* typed;
    const char* stored;  // the custom folder afterwards
  };
  // A folder that cannot be made (a file stands where its parent should) is
  // told as OK is pressed: the dialog stays open with what was typed, and
  // cancelled, the folder set before stays.
  WriteTextFile(temp / "un file", "x");
  const std::string custom = temp / "grafiche", deeper = temp / "nuove\\grafiche\\mie",
                    blocked = temp / "un file\\grafiche";
  const Case cases[] = {
      {custom.c_str(), custom.c_str()}, {"   ", ""}, {deeper.c_str(), deeper.c_str()},
      {blocked.c_str(), deeper.c_str()}};
  for (const Case& c : cases) {
    ui.Clear();
    const bool refused = c.typed == blocked;
    bool keptOpen = false;
    ui.AnswerModalWith([&](CWnd* dialog) {
      Type(dialog, IDC_OPT_FOLDER, c.typed);
      Type(dialog, IDC_OPT_EXT_APP, "ritocco.exe");
      Click(dialog, IDOK);
      if (!refused) return;
      keptOpen = MessagesAsked() == 1 && ::IsWindowVisible(dialog->m_hWnd) &&
                 TextOf(dialog, IDC_OPT_FOLDER) == CString(c.typed);
      Click(dialog, IDCANCEL);
    });
    if (refused) ui.AnswerMessage(IDOK);
    frame.Command(ID_OPTIONS);
    EXPECT_EQ(keptOpen, refused) << c.typed;
    EXPECT_EQ(frame.settings["ExtAppCmdLine"], "ritocco.exe");
    EXPECT_EQ(frame.extAppCmdLine, "ritocco.exe \"%s\"");
    EXPECT_EQ(frame.customFolder, c.stored) << c.typed;
    EXPECT_EQ(frame.settings["Pers Path"], frame.customFolder);
    ASSERT_EQ(MessagesAsked(), refused ? 1u : 0u) << c.typed;
    if (refused) {
      const AfxUiQuestion& told = ui.Questions().back();
      EXPECT_STREQ(told.caption, "Opzioni");
      EXPECT_NE(told.text.Find(blocked.c_str()), -1) << told.text.str();
      EXPECT_FALSE(FolderExists(blocked));
    }
    if (frame.customFolder.empty()) continue;
    for (const char* sub : {"image", "image\\highres", "image\\lowres", "frame", "frame\\highres",
                            "frame\\lowres", "effect", "effect\\highres", "effect\\lowres", "template"})
      EXPECT_TRUE(FolderExists(frame.customFolder + "\\" + sub)) << c.typed << ": " << sub;
  }
}

TEST_F(AlbumCommandsTest, APageTemplateHoldsTheCurrentPageAlone) {
  Open();
  const std::string path = temp / "una pagina.sbt";
  ui.AnswerFiles({path.c_str()});
  frame.Command(ID_PAGE_SAVE_AS_TEMPLATE);
  auto saved = treeNode::CSposalboTreeNode::Load(path, nullptr);
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->GetPageCount(), 1);
  EXPECT_EQ(saved->GetPage(0)->GetChildCount(), 1u);
  EXPECT_EQ(saved->GetNumMinPage(), 1);
  EXPECT_TRUE(IsPageTemplateFile(path)) << "left out of the new-album list";
  EXPECT_EQ(frame.pageTemplates, std::vector<std::string>{path});
  EXPECT_EQ(Pages(), 2);  // the album keeps its pages
}

// An album template carries no photo of its album: each one is a numbered
// placeholder, so a new album made from it shows placeholders, never a
// photo that merely took the old photo's name. Nor does it carry the couple's
// wedding data: the new album gets the fields, empty.
TEST_F(AlbumCommandsTest, AnAlbumTemplateHoldsPlaceholdersAndNoPhotos) {
  WriteTextFile(project, "<sposalbo pageWidth=\"300\" pageHeight=\"200\">"
                         "<dati><variabile name=\"sposa\" valore=\"Anna\" /></dati><pagina copertina=\"1\">"
                         "<immagine name=\"1.jpg\" scale_x=\"0.2\" scale_y=\"0.2\" /></pagina></sposalbo>");
  Open();
  MakeFolder(temp / "modelli");
  frame.templateFolder = temp / "modelli\\";
  const std::string path = temp / "modelli\\album.sbt";
  ui.AnswerFiles({path.c_str()});
  frame.Command(ID_ALBUM_SAVE_AS_TEMPLATE);
  const std::string written = ReadTextFile(path);
  EXPECT_EQ(written.find("name=\"1.jpg\""), std::string::npos) << written;
  EXPECT_NE(written.find("bookmark=\"1\""), std::string::npos) << written;
  EXPECT_FALSE(IsPageTemplateFile(path)) << "offered by the new-album list";

  MakeFolder(temp / "lavori");
  ui.AnswerModalWith([&](CWnd* dialog) {
    Type(dialog, IDC_NS_NAME, "Sposi");
    Type(dialog, IDC_NS_FOLDER, (temp / "lavori").c_str());
    dialog->CheckRadioButton(IDC_NS_FROM_TEMPLATE, IDC_NS_BLANK, IDC_NS_FROM_TEMPLATE);
    Click(dialog, IDC_NS_FROM_TEMPLATE);
    Click(dialog, IDOK);
  });
  frame.Command(ID_ALBUM_NEW);
  ASSERT_NE(frame.album, nullptr);
  auto* placeholder = dynamic_cast<treeNode::CImgTreeNode*>(frame.album->GetRoot()->GetPage(0)->GetChild(0));
  ASSERT_NE(placeholder, nullptr);
  EXPECT_EQ(placeholder->GetName(), "");
  EXPECT_EQ(placeholder->GetBookmark(), 1);
  const treeNode::CDatiTreeNode& data = *frame.album->GetRoot()->GetDati();
  ASSERT_EQ(data.GetChildCount(), 1u);
  const auto* field = dynamic_cast<const treeNode::CVariabileTreeNode*>(data.GetChild(0));
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->GetName(), "sposa");
  EXPECT_EQ(field->GetValore(), "");
}

TEST_F(AlbumCommandsTest, WeddingDataConfirmedMarksTheAlbumModified) {
  Open();
  frame.Command(ID_ALBUM_DATA);
  EXPECT_FALSE(frame.album->IsModified());
  frame.weddingAnswer = IDOK;
  frame.Command(ID_ALBUM_DATA);
  EXPECT_TRUE(frame.album->IsModified());
}

TEST_F(AlbumCommandsTest, ExternalEditingOnlyForAnImportedPhoto) {
  Open();
  model_test::WriteBmp((temp / "file.bmp").c_str(), 1, 2, 3);
  spab_imagelist::CMImageList* list = frame.album->GetRoot()->GetImageList();
  spab_imagelist::CMImg* imported = list->AddFromFile((temp / "file.bmp").c_str(), (temp / "Nozze").c_str());
  ASSERT_NE(imported, nullptr);
  treeNode::CPaginaTreeNode* page = frame.album->GetCurrentPage();
  auto* photo = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0));
  ASSERT_NE(photo, nullptr);
  photo->SetSelected(true);
  EXPECT_FALSE(frame.Enabled(ID_EDIT_IMAGE_EXTERNAL));  // "altra.jpg" is no photo of the list
  photo->SetName(imported->thumb);
  EXPECT_TRUE(frame.Enabled(ID_EDIT_IMAGE_EXTERNAL));
  imported->tipo = 0;  // from the laboratory's CD
  EXPECT_FALSE(frame.Enabled(ID_EDIT_IMAGE_EXTERNAL));
  // Without an editor set, the question; No ends it.
  ui.AnswerMessage(IDNO);
  frame.Command(ID_EDIT_IMAGE_EXTERNAL);
  EXPECT_EQ(MessagesAsked(), 1u);
  EXPECT_TRUE(frame.commands.GetWatchedImages().empty());
}
