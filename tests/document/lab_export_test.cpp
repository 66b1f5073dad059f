#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "InstalledFonts.h"
#include "LabKeys.h"
#include "ModelFakes.h"
#include "TempFolder.h"
#include "document/imagelist/CDImageList.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/services/CryptoEngine.h"
#include "document/services/SystemMessage.h"
#include "document/nodes/EffectTreeNode.h"
#include "document/nodes/ImageTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/LabExport.h"
#include "document/LabExportFiles.h"
#include "document/imagelist/MImageList.h"
#include "document/imagelist/WorkingCopy.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/SposalboDoc.h"
#include "document/pages/SposalboTreeNode.h"
#include "document/nodes/TestoTreeNode.h"
#include "document/services/Win32Handle.h"
#include "framework/scripted_ui.h"
#include "imagelib/ImgBitmap.h"
#include "render/TestPictures.h"

namespace {

using lab_test::Laboratory;
using lab_test::ReadBytes;
using lab_test::WriteBytes;
using namespace treeNode;

LOGFONTA Face(const char* face) { return font_test::PlainFont(face, -24); }

// An album made the way the editor makes one: created blank, filled from a
// sample laboratory CD and one imported photo, laid out on a page, saved,
// closed and opened again. The laboratory has a key pair; the user's own
// graphics lie in a personal library the fake host points at.
class LabExportTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lab.Ready());
    WriteBytes(keys / "public.key", lab.PublicKeyBlob());
    ASSERT_TRUE(seal.AcquireContext());
    ASSERT_TRUE(seal.ImportPublicKey((keys / "public.key").c_str()));
    host.folder = library.Path() + "\\";
    host.labFonts = {"Carattere del laboratorio"};
    face = font_test::InstalledTrueTypeFace();
    ASSERT_FALSE(face.empty());
    WriteLibraryFile("1", "ovale.png");
    WriteLibraryFile("1", "ovale.msk.png");  // the frame's shape
    WriteLibraryFile("2", "fx.png");
    WriteLibraryFile("3", "rosa.png");
    WriteSampleCd();
    model_test::WriteBmp((sources / "sposi.bmp").c_str(), 200, 100, 50);
    BuildAndReopenAlbum();
  }

  // Both resolutions of a personal library picture, as the host resolves them.
  void WriteLibraryFile(const std::string& kind, const std::string& name) {
    for (const char* resolution : {"lo", "hi"}) {
      const std::string folder = library / (kind + resolution + "p");
      MakeFolder(folder);
      WriteTextFile(folder + "\\" + name, resolution + name);
    }
  }

  void WriteSampleCd() {
    WriteTextFile(cd / "cd.xml",
                  "<cd cdKey=\"LAB-2006\"><immagine nome=\"IMG_0001.BMP\"/>"
                  "<immagine nome=\"IMG_0002.BMP\"/><immagine nome=\"rullino\\IMG_0003.BMP\"/></cd>");
    MakeFolder(cd / "rullino");
    model_test::WriteBmp((cd / "IMG_0001.BMP").c_str(), 255, 0, 0);
    model_test::WriteBmp((cd / "IMG_0002.BMP").c_str(), 0, 255, 0);
    model_test::WriteBmp((cd / "rullino\\IMG_0003.BMP").c_str(), 0, 0, 255);
  }

  void BuildAndReopenAlbum() {
    auto doc = std::make_unique<CSposalboDoc>("Nozze.2006", 300, 200, albums.Path(), nullptr);
    CSposalboTreeNode* root = doc->GetRoot();
    root->AddPage(-1);
    const std::string folder = doc->GetFolder();

    // The CD import road: every photo of the list, then the list is saved.
    auto cdList = cd_imagelist::CCDImageList::Load(cd.Path().c_str());
    ASSERT_TRUE(cdList);
    spab_imagelist::CMImageList* list = root->GetImageList();
    for (const auto& image : cdList->images)
      ASSERT_TRUE(list->AddFromLabCd(cdList->cdKey.c_str(), folder.c_str(), cd.Path().c_str(),
                                     image->nome.c_str()));
    ASSERT_TRUE(list->AddFromFile((sources / "sposi.bmp").c_str(), folder.c_str()));
    ASSERT_TRUE(list->Save(folder.c_str(), false));

    CPaginaTreeNode* page = root->GetCurrentPage();
    page->AddChild(std::make_unique<CImgTreeNode>("1.BMP", page), true);
    auto frame = std::make_unique<CCorniceTreeNode>("ovale.png", page);
    frame->SetPersonal(true);
    auto framed = std::make_unique<CImgTreeNode>("3.BMP", frame.get());
    auto effect = std::make_unique<CEffectTreeNode>("fx.png", framed.get());
    effect->SetPersonal(true);
    framed->SetEffect(std::move(effect));
    frame->AddChild(std::move(framed), true);
    page->AddChild(std::move(frame), true);
    page->AddChild(std::make_unique<CImageTreeNode>("fiore.png", page), true);
    auto rose = std::make_unique<CImageTreeNode>("rosa.png", page);
    rose->SetPersonal(true);
    page->AddChild(std::move(rose), true);
    page->AddChild(std::make_unique<CTestoTreeNode>("Anna", Face(face.c_str()), RGB(0, 0, 0), page),
                   true);
    page->AddChild(std::make_unique<CTestoTreeNode>("e Luca", Face(face.c_str()), RGB(9, 9, 9), page),
                   true);
    page->AddChild(std::make_unique<CTestoTreeNode>(
                       "12 giugno", Face("Carattere del laboratorio"), RGB(0, 0, 0), page),
                   true);
    page->SetBackgroundImage(std::make_unique<CImgTreeNode>("4.jpg", nullptr));
    ASSERT_TRUE(doc->Save());
    projectPath = doc->GetProjectPath();
    albumFolder = folder;
    doc.reset();

    // The open road: the document, then the album's image list.
    album = std::make_unique<CSposalboDoc>(projectPath, nullptr);
    auto saved = spab_imagelist::CMImageList::Load(albumFolder.c_str(), false);
    ASSERT_TRUE(saved);
    album->GetRoot()->SetImageList(std::move(saved));
  }

  std::string ExportFolder() const { return destination / "Nozze.2006_xlab"; }

  Laboratory lab;
  TempFolder keys;
  TempFolder library;
  TempFolder cd;
  TempFolder sources;
  TempFolder albums;
  TempFolder destination;
  CCryptoEngine seal;
  model_test::FakeHost host;
  CScriptedUi ui;
  std::string projectPath;
  std::string albumFolder;
  std::unique_ptr<CSposalboDoc> album;
  std::string face;  // installed here, missing at the laboratory
};

TEST_F(LabExportTest, TheExportHoldsTheSealedProjectAndOnlyWhatTheLaboratoryLacks) {
  // Shapes of cut-outs beside their working copies.
  WriteTextFile(albumFolder + "\\img\\4.msk.jpg", "shape of 4");
  WriteTextFile(albumFolder + "\\img\\2.msk.BMP", "shape of 2");
  ASSERT_TRUE(album->ExportForLab(destination.Path(), seal)) << album->GetLastExportError();
  const std::string out = ExportFolder();
  EXPECT_TRUE(ui.Questions().empty());

  EXPECT_EQ(FilesIn(out), (std::set<std::string>{"sposalbo.sbm", "sposalbo.sig", "img", "rif",
                                                 "immagini.xml", "font", "frame", "effect",
                                                 "image"}));
  const std::string project = ReadTextFile(out + "\\sposalbo.sbm");
  EXPECT_EQ(project, ReadTextFile(projectPath));
  const std::vector<BYTE> sealBytes = ReadBytes(out + "\\sposalbo.sig");
  EXPECT_EQ(sealBytes.size(), 158u);
  EXPECT_EQ(lab.OpenSeal(sealBytes), lab.Md5(project));

  // Photo 2 is on no page: it neither travels nor is listed.
  EXPECT_EQ(FilesIn(out + "\\img"), (std::set<std::string>{"1.BMP", "3.BMP", "4.jpg", "4.msk.jpg"}));
  EXPECT_EQ(ReadTextFile(out + "\\img\\4.msk.jpg"), "shape of 4");
  EXPECT_EQ(ReadTextFile(out + "\\img\\3.BMP"), ReadTextFile(albumFolder + "\\img\\3.BMP"));
  EXPECT_EQ(ReadTextFile(out + "\\img\\4.jpg"), ReadTextFile(albumFolder + "\\img\\4.jpg"));
  EXPECT_EQ(FilesIn(out + "\\rif"), (std::set<std::string>{"1.bmp"}));
  EXPECT_EQ(ReadTextFile(out + "\\rif\\1.bmp"), ReadTextFile(sources / "sposi.bmp"));
  auto exported = spab_imagelist::CMImageList::Load(out.c_str(), false);
  ASSERT_TRUE(exported);
  std::vector<std::string> thumbs;
  for (const auto& image : exported->GetImages()) {
    thumbs.push_back(image->thumb);
    EXPECT_EQ(image->refCount, 1) << image->thumb;
  }
  EXPECT_EQ(thumbs, (std::vector<std::string>{"1.BMP", "3.BMP", "4.jpg"}));
  EXPECT_EQ(exported->Find("1.BMP")->cdkey, "LAB-2006");
  EXPECT_EQ(exported->Find("3.BMP")->nome, "rullino\\IMG_0003.BMP");
  EXPECT_EQ(exported->Find("4.jpg")->riferimento, "1.bmp");

  // One file per missing face; the laboratory's own face travels not.
  EXPECT_EQ(FilesIn(out + "\\font"), (std::set<std::string>{face + ".ttf"}));
  const std::string font = ReadTextFile(out + "\\font\\" + face + ".ttf");
  ASSERT_GT(font.size(), 1000u);
  const std::string tag = font.substr(0, 4);
  EXPECT_TRUE(tag == std::string("\0\1\0\0", 4) || tag == "OTTO" || tag == "true") << tag;

  // Personal graphics in both resolutions; the standard library stays home.
  for (const char* resolution : {"highres", "lowres"}) {
    const std::string prefix = std::string(resolution) == "highres" ? "hi" : "lo";
    EXPECT_EQ(ReadTextFile(out + "\\frame\\" + resolution + "\\ovale.png"), prefix + "ovale.png");
    EXPECT_EQ(ReadTextFile(out + "\\frame\\" + resolution + "\\ovale.msk.png"), prefix + "ovale.msk.png");
    EXPECT_EQ(ReadTextFile(out + "\\effect\\" + resolution + "\\fx.png"), prefix + "fx.png");
    EXPECT_EQ(FilesIn(out + "\\image\\" + resolution), (std::set<std::string>{"rosa.png"}));
  }

  // The open album is left as it was.
  EXPECT_FALSE(album->IsModified());
  EXPECT_EQ(album->GetRoot()->GetImageList()->GetImages().size(), 4u);
}

// A reference copy replaced since its working copy was made (while the album
// was open) travels only with a working copy made again from it.
TEST_F(LabExportTest, AReferenceCopyNewerThanItsWorkingCopyTravelsWithACopyMadeFromIt) {
  const std::string working = albumFolder + "\\img\\4.jpg";
  ::WriteBmp(albumFolder + "\\rif\\1.bmp", 30, 12, [](int, int) { return Rgba{0, 0, 200, 255}; });
  ASSERT_TRUE(album->ExportForLab(destination.Path(), seal)) << album->GetLastExportError();
  CImgBitmap sent;
  ASSERT_EQ(sent.Load((ExportFolder() + "\\img\\4.jpg").c_str(), 1, 1), 1);
  EXPECT_EQ(sent.GetWidth(), 30);
  EXPECT_EQ(ReadTextFile(ExportFolder() + "\\img\\4.jpg"), ReadTextFile(working)) << "the album's copy too";
}

TEST_F(LabExportTest, AnEarlierExportIsReplacedOnlyWhenTheUserAgrees) {
  MakeFolder(ExportFolder());
  WriteTextFile(ExportFolder() + "\\precedente.txt", "old");
  ui.AnswerMessage(IDCANCEL);
  ui.AnswerMessage(IDOK);
  EXPECT_FALSE(album->ExportForLab(destination.Path(), seal));
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].text,
               "Nella cartella scelta esiste gi\xE0 un precedente invio di questo sposalbo. "
               "Vuoi sovrascriverlo?");
  EXPECT_STREQ(ui.Questions()[0].caption, "Invio gi\xE0 esistente");
  EXPECT_EQ(ui.Questions()[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
  EXPECT_EQ(FilesIn(ExportFolder()), (std::set<std::string>{"precedente.txt"}));
  EXPECT_EQ(album->GetLastExportError(), "");

  ASSERT_TRUE(album->ExportForLab(destination.Path(), seal)) << album->GetLastExportError();
  EXPECT_FALSE(FileExists(ExportFolder() + "\\precedente.txt"));
  EXPECT_TRUE(FileExists(ExportFolder() + "\\sposalbo.sig"));
  EXPECT_EQ(ui.Questions().size(), 2u);
  // Nothing of the replacement is left beside it.
  EXPECT_EQ(FilesIn(destination.Path()), std::set<std::string>{"Nozze.2006_xlab"});
}

// Every file below a folder, by its path inside it, with its content.
std::map<std::string, std::string> TreeOf(const std::string& folder, const std::string& inside = "") {
  std::map<std::string, std::string> tree;
  for (const std::string& name : FilesIn(folder + inside)) {
    const std::string relative = inside + "\\" + name;
    if (FolderExists(folder + relative)) {
      for (const auto& entry : TreeOf(folder, relative)) tree.insert(entry);
    } else {
      tree[relative] = ReadTextFile(folder + relative);
    }
  }
  return tree;
}

TEST_F(LabExportTest, AFailedExportLeavesTheEarlierOneAsItWas) {
  ASSERT_TRUE(album->ExportForLab(destination.Path(), seal)) << album->GetLastExportError();
  const auto earlier = TreeOf(ExportFolder());
  ASSERT_GT(earlier.size(), 10u);
  // The user's own frame went missing since.
  const std::string frame = library / "1hip\\ovale.png";
  ASSERT_TRUE(::DeleteFileA(frame.c_str()));
  ui.AnswerMessage(IDOK);  // replace the earlier export
  EXPECT_FALSE(album->ExportForLab(destination.Path(), seal));
  EXPECT_NE(album->GetLastExportError().find("ovale.png"), std::string::npos) << album->GetLastExportError();
  EXPECT_EQ(TreeOf(ExportFolder()), earlier);
  EXPECT_EQ(FilesIn(destination.Path()), std::set<std::string>{"Nozze.2006_xlab"});

  // Mended, the next export replaces it.
  WriteTextFile(frame, "hiovale.png");
  ui.AnswerMessage(IDOK);
  ASSERT_TRUE(album->ExportForLab(destination.Path(), seal)) << album->GetLastExportError();
  EXPECT_EQ(TreeOf(ExportFolder()).size(), earlier.size());
  EXPECT_EQ(FilesIn(destination.Path()), std::set<std::string>{"Nozze.2006_xlab"});
}

// The system's file and folder operations, but for the moves and removals a
// case makes fail; a case may also stand in for another program writing a
// file while the export copies it or waits for it.
class FailingFolders : public ILabExportFiles {
 public:
  FailingFolders() : m_system(SetLabExportFiles(this)) {}
  ~FailingFolders() override { SetLabExportFiles(m_system); }
  bool Exists(const std::string& path) override { return m_system->Exists(path); }
  bool Move(const std::string& from, const std::string& to) override {
    m_failed = failMoves.count(from) > 0;
    return !m_failed && m_system->Move(from, to);
  }
  bool RemoveTree(const std::string& folder) override {
    m_failed = failRemovals.count(folder) > 0;
    return !m_failed && m_system->RemoveTree(folder);
  }
  CopyResult Copy(const std::string& from, const std::string& to, CFileDigest& copied) override {
    m_failed = false;
    const CopyResult result = m_system->Copy(from, to, copied);
    if (whileCopying) whileCopying(from);
    return result;
  }
  // No real wait: the other program's next step instead.
  void Pause(unsigned milliseconds) override {
    paused += milliseconds;
    if (whilePaused) whilePaused();
  }
  std::string LastError() override { return m_failed ? "cartella bloccata" : m_system->LastError(); }

  std::set<std::string> failMoves, failRemovals;
  std::function<void(const std::string& copied)> whileCopying;
  std::function<void()> whilePaused;
  unsigned paused = 0;

 private:
  ILabExportFiles* m_system;
  bool m_failed = false;
};

bool Told(const CScriptedUi& ui, const std::string& words) {
  return std::any_of(ui.Questions().begin(), ui.Questions().end(), [&](const AfxUiQuestion& q) {
    return std::string(q.text).find(words) != std::string::npos;
  });
}

// A file's last write time, in FILETIME ticks; seconds added when set.
ULONGLONG WriteTimeOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  EXPECT_TRUE(::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) << path;
  return (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
}

void SetWriteTime(const std::string& path, ULONGLONG ticks) {
  CScopedHandle file(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
  const FILETIME written{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  EXPECT_TRUE(file.IsValid() && ::SetFileTime(file.Get(), nullptr, nullptr, &written)) << path;
}

// Another program wrote the file: its write time moves on by a second.
void WrittenAgain(const std::string& path) { SetWriteTime(path, WriteTimeOf(path) + 10000000); }

// A file put back as it was, its time too: no outside edit to catch up.
void PutBack(const std::string& path, const std::string& bytes, ULONGLONG written) {
  WriteTextFile(path, bytes);
  SetWriteTime(path, written);
}

// Each case replaces an earlier export while one folder operation of the swap
// fails or an interrupted export left its folders: the earlier export stays
// whole or the user learns where it is, and the next export tidies what is
// left, telling what it did, and leaves the export folder alone.
TEST_F(LabExportTest, TheSwapsFailuresAndInterruptionsLeaveNoFolderBehindUntold) {
  const std::string out = ExportFolder(), built = out + ".nuovo", aside = out + ".precedente";
  const std::string restored = aside + ": il precedente invio, rimesso al suo posto.";
  const struct {
    const char* what;
    std::set<std::string> failMoves, failRemovals;
    bool interrupted;  // the program ended between the two moves
    bool written;
    std::string told;
    std::set<std::string> left;
    std::string earlierIn;  // the folder holding the earlier export afterwards
    std::vector<std::string> tidiedNext;  // told by the next export
  } cases[] = {
      {"aside", {out}, {}, false, false, "Impossibile sostituire il precedente invio " + out, {"Nozze.2006_xlab"}, out, {}},
      {"in place", {built}, {}, false, false, "Impossibile creare la cartella " + out, {"Nozze.2006_xlab"}, out, {}},
      {"back", {built, aside}, {}, false, false, "Il precedente invio si trova in " + aside,
       {"Nozze.2006_xlab.precedente"}, aside, {restored}},
      {"removal", {}, {aside}, false, true, "non \xE8 stato possibile eliminare il precedente invio in " + aside,
       {"Nozze.2006_xlab", "Nozze.2006_xlab.precedente"}, aside, {aside + ": eliminata."}},
      {"interrupted", {}, {}, true, false, "", {}, "", {restored, built + ": eliminata."}},
  };
  for (const auto& c : cases) {
    CScriptedUi shown;
    ASSERT_TRUE(album->ExportForLab(destination.Path(), seal)) << album->GetLastExportError();
    WriteTextFile(out + "\\precedente.txt", "old");
    if (c.interrupted) {
      // A whole new export waits beside the earlier one moved aside.
      TempFolder elsewhere;
      ASSERT_TRUE(album->ExportForLab(elsewhere.Path(), seal)) << album->GetLastExportError();
      ASSERT_TRUE(::MoveFileA((elsewhere / "Nozze.2006_xlab").c_str(), built.c_str()));
      ASSERT_TRUE(::MoveFileA(out.c_str(), aside.c_str()));
    } else {
      FailingFolders folders;
      folders.failMoves = c.failMoves;
      folders.failRemovals = c.failRemovals;
      shown.AnswerMessage(IDOK);
      EXPECT_EQ(album->ExportForLab(destination.Path(), seal), c.written) << c.what;
      EXPECT_TRUE(Told(shown, c.told)) << c.what;
      EXPECT_EQ(FilesIn(destination.Path()), c.left) << c.what;
      EXPECT_EQ(ReadTextFile(c.earlierIn + "\\precedente.txt"), "old") << c.what;
    }

    // The next export finds what is left, says what it did, and replaces the export.
    shown.Clear();
    shown.AnswerMessage(IDOK);
    shown.AnswerMessage(IDOK);
    ASSERT_TRUE(album->ExportForLab(destination.Path(), seal)) << album->GetLastExportError();
    EXPECT_EQ(FilesIn(destination.Path()), std::set<std::string>{"Nozze.2006_xlab"}) << c.what;
    EXPECT_FALSE(FileExists(out + "\\precedente.txt")) << c.what;
    for (const std::string& told : c.tidiedNext) EXPECT_TRUE(Told(shown, told)) << c.what << ": " << told;
    ASSERT_FALSE(shown.Questions().empty()) << c.what;
    if (!c.tidiedNext.empty()) {
      EXPECT_STREQ(shown.Questions()[0].caption, "Invio al laboratorio") << c.what;
    }
    EXPECT_STREQ(shown.Questions().back().caption, "Invio gi\xE0 esistente") << c.what;
    ASSERT_TRUE(::MoveFileA(out.c_str(), (destination / "tolto").c_str()));
    RemoveTree(destination / "tolto");
  }
}

// An earlier export held open by another program: the system's reason reads
// as part of the sentence, and the user is told what to do as elsewhere.
TEST_F(LabExportTest, AnEarlierExportHeldOpenIsToldInPlainWords) {
  const std::string out = ExportFolder();
  ASSERT_TRUE(album->ExportForLab(destination.Path(), seal)) << album->GetLastExportError();
  WriteTextFile(out + "\\aperto.txt", "old");
  CScopedHandle held(::CreateFileA((out + "\\aperto.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(held.IsValid());
  CScriptedUi shown;
  shown.AnswerMessage(IDOK);
  ASSERT_TRUE(album->ExportForLab(destination.Path(), seal)) << album->GetLastExportError();
  ASSERT_FALSE(shown.Questions().empty());
  const std::string told = shown.Questions().back().text.str();
  EXPECT_NE(told.find("non \xE8 stato possibile eliminare il precedente invio in " + out + ".precedente ("),
            std::string::npos) << told;
  EXPECT_EQ(told.find(".)"), std::string::npos) << told;
  EXPECT_NE(told.find("). Eliminarlo prima di consegnare la cartella."), std::string::npos) << told;
  held.Reset();
  RemoveTree(out + ".precedente");
}

// Each case breaks one thing and mends it afterwards: the export fails with
// a message naming the cause, shown to the user, and leaves no folder.
TEST_F(LabExportTest, AFailureNamesItsCauseAndLeavesNothing) {
  CCryptoEngine withoutKey;
  ASSERT_TRUE(withoutKey.AcquireContext());
  CPaginaTreeNode* page = album->GetCurrentPage();
  auto addText = [page](const char* face) {
    page->AddChild(std::make_unique<CTestoTreeNode>("x", Face(face), RGB(0, 0, 0), page), true);
    return [page] { page->DetachChild(page->GetChildCount() - 1); };
  };
  auto removeFile = [](const std::string& path) {
    const std::string kept = ReadTextFile(path);
    const ULONGLONG written = WriteTimeOf(path);
    EXPECT_TRUE(::DeleteFileA(path.c_str())) << path;
    return [path, kept, written] { PutBack(path, kept, written); };
  };
  const struct {
    std::function<std::function<void()>()> breakIt;
    std::string named;
    bool withoutKey;
    std::string into;  // the destination, when not the usual one
  } cases[] = {
      {[] { return [] {}; }, "sigillo", true, ""},
      {[&] { return removeFile(library / "1lop\\ovale.png"); }, "ovale.png", false, ""},
      {[&] { return removeFile(library / "2hip\\fx.png"); }, "fx.png", false, ""},
      {[&] { return removeFile(albumFolder + "\\img\\3.BMP"); }, "3.BMP", false, ""},
      {[&] { return removeFile(albumFolder + "\\rif\\1.bmp"); }, "1.bmp", false, ""},
      {[&] { return addText("Carattere che non esiste"); }, "Carattere che non esiste", false, ""},
      {[&] { return addText("..\\..\\fuori"); }, "", false, ""},
      // A destination that cannot take the export: the system says why.
      {[] { return [] {}; }, "Nozze.2006_xlab: " + SystemMessage(ERROR_PATH_NOT_FOUND).str(), false,
       destination / "manca"},
  };
  for (const auto& c : cases) {
    CScriptedUi shown;
    const std::function<void()> mend = c.breakIt();
    const std::string into = c.into.empty() ? destination.Path() : c.into;
    EXPECT_FALSE(album->ExportForLab(into, c.withoutKey ? withoutKey : seal)) << c.named;
    const std::string error = album->GetLastExportError();
    EXPECT_NE(error.find(c.named), std::string::npos) << error;
    EXPECT_FALSE(FolderExists(ExportFolder())) << c.named;
    EXPECT_EQ(FilesIn(destination.Path()), std::set<std::string>{}) << c.named;
    ASSERT_EQ(shown.Questions().size(), 1u) << c.named;
    EXPECT_STREQ(shown.Questions()[0].caption, "Errore invio al laboratorio");
    EXPECT_STREQ(shown.Questions()[0].text, error.c_str());
    mend();
  }
  EXPECT_TRUE(album->ExportForLab(destination.Path(), seal)) << album->GetLastExportError();
}

// Each case changes the reference copy of the imported photo behind the
// album's back: every pair is read and compared before the seal; a working
// copy of another picture is made again and told, and a reference copy that
// cannot be read, or a photo the laboratory could not find, stops the export
// naming the photo and its file.
TEST_F(LabExportTest, EveryPairIsReadAndComparedBeforeTheSeal) {
  const std::string reference = albumFolder + "\\rif\\1.bmp", working = albumFolder + "\\img\\4.jpg";
  const std::string originalReference = ReadTextFile(reference), originalWorking = ReadTextFile(working);
  const ULONGLONG referenceTime = WriteTimeOf(reference), workingTime = WriteTimeOf(working);
  const std::string photo = "\"4.jpg\" (sposi.bmp)";
  // What the list knows of the pair as imported comes back with the files.
  spab_imagelist::CMImg& entry = *album->GetRoot()->GetImageList()->Find("4.jpg");
  ASSERT_FALSE(entry.masked) << "an opaque photo: a working copy made again takes no mask";
  {
    // A pair of a list that does not know it as made (one written before
    // digests were kept) is read, and once found alike is known as made:
    // the next export need not read it again.
    CScriptedUi shown;
    const CFileDigest imported = entry.madeAsDigest;
    entry.madeAs = CFileStamp();
    entry.madeFromDigest = entry.madeAsDigest = CFileDigest();
    EXPECT_TRUE(album->ExportForLab(destination.Path(), seal)) << album->GetLastExportError();
    EXPECT_EQ(entry.madeAs, ReadFileStamp(working));
    EXPECT_EQ(entry.madeAsDigest, imported);
    EXPECT_EQ(entry.madeFromDigest, DigestFile(reference));
    RemoveTree(ExportFolder());
  }
  const CFileStamp madeFrom = entry.madeFrom, madeAs = entry.madeAs, toldUnreadable = entry.toldUnreadable;
  const CFileDigest madeFromDigest = entry.madeFromDigest, madeAsDigest = entry.madeAsDigest;
  ASSERT_TRUE(madeFromDigest.known && madeAsDigest.known);
  const auto blue = [&] { ::WriteBmp(reference, 8, 4, [](int, int) { return Rgba{0, 0, 220, 255}; }); };
  const struct {
    const char* what;
    std::function<void()> change;
    bool written;
    std::vector<std::string> remade;
    std::vector<std::string> told;  // in the last message
    bool blueSent = true;           // what travels, when a copy was made again
    std::function<void()> whileSent = nullptr;  // once the photos are copied
    std::vector<std::string> remadeNext = {};    // by the export after
    const char* sentAfter = "ovale.png";         // whileSent once this file is copied
  } cases[] = {
      {"as imported", [] {}, true, {}, {}},
      // A pair read whole is recorded as it was copied and compared, not as
      // its files are once the export is done.
      {"another picture while the export runs", [&] {
         entry.madeAs = CFileStamp();
         entry.madeAsDigest = CFileDigest();
       }, true, {}, {}, true, blue, {"4.jpg"}},
      // The bytes the working copy was made from, their time moved.
      // Written between the copies of the pair: the working copy is made
      // again during the export, and the laboratory's list tells that pair.
      {"another picture as the pair is copied", [] {}, true, {"4.jpg"}, {"rifatta", photo}, true, blue, {},
       "img\\4.jpg"},
      {"the same picture, another time", [&] { SetWriteTime(reference, referenceTime + 10000000ull * 3600); }, true,
       {}, {}},
      {"another picture of the same size, its time put back", [&] {
         blue();
         SetWriteTime(reference, referenceTime);
         ASSERT_EQ(ReadFileStamp(reference).size, originalReference.size());
       }, true, {"4.jpg"}, {"rifatta", photo}},
      // Restored from a backup: older than the working copy.
      {"another picture, older", [&] {
         ::WriteBmp(reference, 8, 4, [](int, int) { return Rgba{0, 0, 220, 255}; });
         SetWriteTime(reference, referenceTime - 10000000ull * 86400 * 365);
       }, true, {"4.jpg"}, {"rifatta", photo}},
      // Replaced while the album was closed: no stamp of the pair is as made.
      {"another working copy", [&] {
         const std::string blue = albumFolder + "\\blu.bmp";
         ::WriteBmp(blue, 8, 4, [](int, int) { return Rgba{0, 0, 220, 255}; });
         ASSERT_TRUE(MakeWorkingCopy(blue.c_str(), working.c_str()));
         ::DeleteFileA(blue.c_str());
       }, true, {"4.jpg"}, {"rifatta", photo}, false},
      // The grey print of a colour photo.
      {"a grey working copy", [&] {
         const std::string grey = albumFolder + "\\grigia.bmp";
         model_test::WriteBmp(grey.c_str(), 112, 112, 112);
         ASSERT_TRUE(MakeWorkingCopy(grey.c_str(), working.c_str()));
         ::DeleteFileA(grey.c_str());
       }, true, {"4.jpg"}, {"rifatta", photo}, false},
      {"cut short", [&] { WriteTextFile(reference, originalReference.substr(0, originalReference.size() / 2)); },
       false, {}, {"non si pu\xF2 leggere", photo + ": " + reference}},
      // Another program writing a new picture over it, caught half way: no
      // working copy is made from it, and the user is told to try again.
      {"rewritten half way", [&] {
         const std::string other = albumFolder + "\\altra.jpg";
         ::WriteJpeg(reference, 400, 200, [](int x, int y) { return Speckled(x, y, 1); });
         ::WriteJpeg(other, 400, 200, [](int x, int y) { return Speckled(x, y, 2); });
         RewriteFirstHalf(reference, other);
         ::DeleteFileA(other.c_str());
       }, false, {}, {"danneggiata o ancora in scrittura", "riprovare quando il programma che lo scrive ha finito",
                      photo + ": " + reference}},
      {"empty", [&] { WriteTextFile(reference, ""); }, false, {}, {photo + ": " + reference}},
      {"no picture", [&] { WriteTextFile(reference, "testo"); }, false, {}, {photo + ": " + reference}},
      {"gone", [&] { ::DeleteFileA(reference.c_str()); }, false, {},
       {photo + ": manca " + reference, "File > Carica immagini"}},
      {"a CD photo without its key", [&] { album->GetRoot()->GetImageList()->Find("1.BMP")->cdkey.clear(); }, false,
       {}, {"\"1.BMP\" (IMG_0001.BMP): foto di un CD", "File > Carica immagini"}},
      // Another picture, and its working copy cannot be written again.
      {"not made again", [&] {
         ::WriteBmp(reference, 8, 4, [](int, int) { return Rgba{0, 0, 220, 255}; });
         MakeFolder(working + ".new");
       }, false, {}, {"non si \xE8 potuta rifare", "\"4.jpg\""}},
  };
  for (const auto& c : cases) {
    PutBack(reference, originalReference, referenceTime);
    PutBack(working, originalWorking, workingTime);
    entry.madeFrom = madeFrom;
    entry.madeAs = madeAs;
    entry.madeFromDigest = madeFromDigest;
    entry.madeAsDigest = madeAsDigest;
    entry.toldUnreadable = toldUnreadable;
    album->GetRoot()->GetImageList()->Find("1.BMP")->cdkey = "LAB-2006";
    CScriptedUi shown;
    c.change();
    {
      FailingFolders files;
      // The user's frame is copied after the photos.
      bool sent = false;
      files.whileCopying = [&](const std::string& copied) {
        if (c.whileSent && !sent && copied.find(c.sentAfter) != std::string::npos) {
          sent = true;
          c.whileSent();
        }
      };
      EXPECT_EQ(album->ExportForLab(destination.Path(), seal), c.written)
          << c.what << ": " << album->GetLastExportError();
    }
    ::RemoveDirectoryA((working + ".new").c_str());
    EXPECT_EQ(album->GetLastExportRemade(), c.remade) << c.what;
    if (!c.told.empty()) {
      ASSERT_FALSE(shown.Questions().empty()) << c.what;
      for (const std::string& words : c.told)
        EXPECT_NE(shown.Questions().back().text.str().find(words), std::string::npos)
            << c.what << ": " << shown.Questions().back().text.str();
    } else {
      EXPECT_TRUE(shown.Questions().empty()) << c.what;
    }
    EXPECT_EQ(FolderExists(ExportFolder()), c.written) << c.what;
    if (!c.written) {
      EXPECT_EQ(ReadTextFile(working), originalWorking) << c.what << ": no copy made from it";
    }
    if (!c.remade.empty()) {
      // Told before the seal; what travels is the new picture in both copies.
      EXPECT_EQ(shown.Questions().size(), 1u) << c.what;
      CImgBitmap sent;
      ASSERT_EQ(sent.Load((ExportFolder() + "\\img\\4.jpg").c_str(), 0, 1), 1) << c.what;
      const auto* pixel = reinterpret_cast<const unsigned char*>(sent.GetIplImage()->imageData);
      if (c.blueSent) {
        EXPECT_GT(pixel[0], 180) << c.what << ": blue";
        EXPECT_LT(pixel[2], 40) << c.what << ": red";
      } else {
        EXPECT_LT(pixel[0], 120) << c.what << ": the reference copy's picture";
      }
      EXPECT_EQ(ReadTextFile(ExportFolder() + "\\img\\4.jpg"), ReadTextFile(working)) << c.what;
      EXPECT_EQ(ReadTextFile(ExportFolder() + "\\rif\\1.bmp"), ReadTextFile(reference)) << c.what;
      // The laboratory's list tells the pair that travels, not the one the export found.
      std::unique_ptr<spab_imagelist::CMImageList> sentList =
          spab_imagelist::CMImageList::Load(ExportFolder().c_str(), false);
      ASSERT_TRUE(sentList) << c.what;
      const spab_imagelist::CMImg* sentEntry = sentList->Find("4.jpg");
      ASSERT_TRUE(sentEntry) << c.what;
      EXPECT_EQ(sentEntry->madeAsDigest, DigestFile(ExportFolder() + "\\img\\4.jpg")) << c.what;
      EXPECT_EQ(sentEntry->madeFromDigest, DigestFile(ExportFolder() + "\\rif\\1.bmp")) << c.what;
      EXPECT_EQ(sentEntry->madeAs.size, ReadFileStamp(working).size) << c.what;
    }
    RemoveTree(ExportFolder());
    if (c.remadeNext.empty()) continue;
    shown.Clear();
    EXPECT_TRUE(album->ExportForLab(destination.Path(), seal)) << c.what << ": " << album->GetLastExportError();
    EXPECT_EQ(album->GetLastExportRemade(), c.remadeNext) << c.what;
    RemoveTree(ExportFolder());
  }
}

// A photo an outside editor is still writing in place, or holds open for
// writing, when the export copies it: the export waits for the file to settle
// and copies it again, and stops, naming the photo and its file, when it never
// does.
TEST_F(LabExportTest, AFileStillWrittenIsCopiedOnceItSettles) {
  const std::string reference = albumFolder + "\\rif\\1.bmp";
  const std::string whole = ReadTextFile(reference);
  const ULONGLONG referenceTime = WriteTimeOf(reference);
  const struct {
    const char* what;
    bool halfWrittenAtStart;  // the editor finishes it while the export waits
    int writesDuringCopies;   // copies during which the editor writes it
    bool written;
    int heldFor = 0;  // pauses the editor holds it open for writing, from the start
  } cases[] = {
      {"settled", false, 0, true},
      {"written during the first copy", false, 1, true},
      {"half written, finished while waiting", true, 0, true},
      {"never settles", false, 100, false},
      {"held by its writer, let go while waiting", false, 0, true, 1},
      {"held by its writer throughout", false, 0, false, 1000},
  };
  for (const auto& c : cases) {
    if (c.halfWrittenAtStart) WriteTextFile(reference, whole.substr(0, whole.size() / 2));
    else PutBack(reference, whole, referenceTime);
    CScriptedUi shown;
    FailingFolders files;
    int writes = c.writesDuringCopies;
    files.whileCopying = [&](const std::string& copied) {
      if (copied == reference && writes > 0) {
        --writes;
        WrittenAgain(reference);
      }
    };
    int held = c.heldFor;
    CScopedHandle writer(held ? ::CreateFileA(reference.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, 0, nullptr)
                              : nullptr);
    files.whilePaused = [&] {
      if (held && --held == 0) writer.Reset();
      if (!writer.IsValid() && ReadTextFile(reference) != whole) WriteTextFile(reference, whole);
    };
    EXPECT_EQ(album->ExportForLab(destination.Path(), seal), c.written) << c.what << ": " << album->GetLastExportError();
    writer.Reset();
    EXPECT_EQ(files.paused > 0, c.halfWrittenAtStart || c.writesDuringCopies > 0 || c.heldFor > 0) << c.what;
    EXPECT_LE(files.paused, 3 * 5000u) << c.what << ": the wait is bounded";
    if (c.written) {
      EXPECT_EQ(ReadTextFile(ExportFolder() + "\\rif\\1.bmp"), whole) << c.what;
      EXPECT_TRUE(album->GetLastExportRemade().empty()) << c.what;
    } else {
      const std::string error = album->GetLastExportError();
      EXPECT_NE(error.find("La foto \"4.jpg\" (sposi.bmp): il file " + reference + " \xE8 danneggiato o ancora in "
                           "scrittura: riprovare quando il programma che lo scrive ha finito."),
                std::string::npos) << c.what << ": " << error;
    }
    RemoveTree(ExportFolder());
  }
}

TEST(LabExportFolder, IsTheAlbumFolderNameWithTheLaboratorySuffix) {
  EXPECT_EQ(CLabExport::ExportFolderFor("D:\\invii", "C:\\album\\Nozze.2006"),
            "D:\\invii\\Nozze.2006_xlab");
  EXPECT_EQ(CLabExport::ExportFolderFor("D:\\", "C:\\album\\Nozze\\"), "D:\\Nozze_xlab");
}

}  // namespace
