// Albums keep working when memory runs out: pictures that cannot be made show
// as grey boxes with a cross and are told once, a paste that runs out of
// memory is refused, and the album stays open and saves as it was. Photos
// whose names are refused take the same road.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "app/dialogs/FontListFile.h"
#include "app/resource.h"
#include "app/support/EditorFrameFixture.h"
#include "app/support/FailingAllocation.h"
#include "app/support/GeneratedAlbum.h"
#include "app/support/ListPictures.h"
#include "app/support/ProcessMemory.h"
#include "app/surface/PageStatic.h"
#include "crop/MouseInput.h"
#include "document/SposalboDoc.h"
#include "document/SposalboException.h"
#include "document/imagelist/CDImageList.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/nodes/TestoTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "render/PictureCache.h"
#include "render/TextMemory.h"

namespace {
class MemoryRoadTest : public EditorFrameTest {
 protected:
  void TearDown() override {
    SetPictureMemoryLimit(0);
    SetTextMemoryLimit(0);
    EditorFrameTest::TearDown();
  }
  // The album's file as the program writes it back when nothing changed.
  std::string Unchanged() {
    auto root = treeNode::CSposalboTreeNode::Load(Sample().ProjectPath(), nullptr);
    const std::string path = Temp().Path() + "\\unchanged.sbm";
    EXPECT_TRUE(root && root->SaveToFile(path));
    return ReadTextFile(path);
  }
  std::string Saved() {
    Menu(ID_ALBUM_SAVE);
    return ReadTextFile(Sample().ProjectPath());
  }
  void Draw() { frame->GetPageSurface()->Render(); }
  treeNode::CImgTreeNode& Picture(size_t child) {
    return *static_cast<treeNode::CImgTreeNode*>(frame->GetCurrentPage()->GetChild(child));
  }
  std::vector<CString> Told(const char* caption) const {
    std::vector<CString> texts;
    for (const AfxUiQuestion& q : ui.Questions())
      if (q.kind == "message" && q.caption == caption) texts.push_back(q.text);
    return texts;
  }
};

bool Names(const CString& text, const std::string& name) { return text.Find(name.c_str()) >= 0; }

// The texts of a page: those drawn as placeholders and the others.
struct TextCount {
  int boxed = 0;
  int built = 0;
};
TextCount CountTexts(treeNode::CPaginaTreeNode& page) {
  TextCount count;
  for (size_t i = 0; i < page.GetChildCount(); ++i)
    if (auto* text = dynamic_cast<treeNode::CTestoTreeNode*>(page.GetChild(i))) {
      if (text->Mesh().IsPlaceholder()) ++count.boxed;
      if (text->Mesh().GetMesh()) ++count.built;
    }
  return count;
}

// What the device holds besides its owner's reference: every buffer, texture,
// surface, mesh and state block made on it keeps a reference to it.
ULONG DeviceHeld(IDirect3DDevice9* device) {
  device->AddRef();
  return device->Release() - 1;
}
}  // namespace

// A page of thousands of texts opens, draws and saves: the texts past the
// texts' memory show as boxes, told once, and the memory comes back when the
// album closes. (The memory is made small here; the program's own holds a few
// thousand short texts.)
TEST_F(MemoryRoadTest, APageOfThousandsOfTextsDrawsThosePastTheirMemoryAsBoxesToldOnce) {
  ASSERT_TRUE(AddTextsToCurrentPage(Sample().ProjectPath(), 5000));
  const std::string unchanged = Unchanged();
  const size_t before = TextMemoryHeld();
  const size_t limit = before + (size_t{1} << 20);
  SetTextMemoryLimit(limit);
  OpenSample();
  frame->GetLists().pages.DrawPendingPages();
  Draw();
  const TextCount count = CountTexts(*frame->GetCurrentPage());
  EXPECT_EQ(count.boxed + count.built, 5000);
  EXPECT_GT(count.built, 0);
  EXPECT_GT(count.boxed, 4000);
  EXPECT_LT(TextMemoryHeld(), limit + (size_t{1} << 20));
  Draw();
  EXPECT_EQ(Told("Testi non disponibili").size(), 1u);
  EXPECT_EQ(Told("error").size(), 0u);
  EXPECT_EQ(Saved(), unchanged);
  Menu(ID_ALBUM_CLOSE);
  EXPECT_EQ(TextMemoryHeld(), before);

  // The next album opened tells anew; with the texts' memory back it draws
  // its boxes as texts again, as far as the memory goes.
  ui.Clear();
  OpenSample();
  Draw();
  EXPECT_EQ(Told("Testi non disponibili").size(), 1u);
  SetTextMemoryLimit(limit + (size_t{1} << 20));
  Draw();
  EXPECT_GT(CountTexts(*frame->GetCurrentPage()).built, count.built);
  Menu(ID_ALBUM_CLOSE);
}

// The page bar draws the other pages while the current one holds the texts'
// memory: their pictures show their texts, not boxes, as they do once the
// crowded page is emptied.
TEST_F(MemoryRoadTest, PagePicturesBesideACrowdedPageShowTheirTextsNotBoxes) {
  const COLORREF purple = RGB(128, 0, 128);
  const COLORREF pale = RGB(223, 191, 223);  // a box's inside in that colour
  {
    auto root = treeNode::CSposalboTreeNode::Load(Sample().ProjectPath(), nullptr);
    ASSERT_TRUE(root && root->GetPage(2));
    LOGFONTA font{};
    font.lfHeight = -24;
    lstrcpynA(font.lfFaceName, "Tahoma", LF_FACESIZE);
    for (const auto& [page, words] : {std::pair<int, const char*>{0, "Giulia e Marco"}, {2, "Grazie di cuore"}}) {
      auto text = std::make_unique<treeNode::CTestoTreeNode>(words, font, purple, root->GetPage(page));
      text->SetPosition(0.0f, 0.35f);
      text->SetScale(0.2f, 0.2f);
      root->GetPage(page)->AddChild(std::move(text), true);
    }
    root->GoToPage(1);  // saved on the crowded page, it opens there
    ASSERT_TRUE(root->SaveToFile(Sample().ProjectPath()));
  }
  ASSERT_TRUE(AddTextsToCurrentPage(Sample().ProjectPath(), 1000));
  const size_t limit = TextMemoryHeld() + (size_t{1} << 20);
  SetTextMemoryLimit(limit);
  OpenSample();
  ASSERT_EQ(frame->GetAlbum()->GetRoot()->GetCurrentPageIndex(), 1);
  Draw();
  ASSERT_GT(CountTexts(*frame->GetCurrentPage()).boxed, 0) << "the crowded page holds the texts' memory";
  CPageImgListView& pages = frame->GetLists().pages;
  const auto showsTexts = [&](const char* when) {
    pages.DrawPendingPages();
    for (const int page : {0, 2}) {
      EXPECT_EQ(ListItemPixelsNear(pages, page, pale, 4), 0) << "a box on page " << page + 1 << " " << when;
      EXPECT_GT(ListItemPixelsNear(pages, page, purple, 40), 20) << "the text of page " << page + 1 << " " << when;
    }
  };
  showsTexts("after the album opened");
  // Drawn again with no room even for the bar's share, the cover's text is a
  // box until the crowded page gives the memory back.
  SetTextMemoryLimit(1);
  pages.DrawAgainSoon(*frame->GetAlbum()->GetRoot(), 0);
  pages.DrawPendingPages();
  ASSERT_GT(ListItemPixelsNear(pages, 0, pale, 4), 0);
  SetTextMemoryLimit(limit);
  pages.DrawPendingPages();
  ASSERT_GT(ListItemPixelsNear(pages, 0, pale, 4), 0) << "the memory is not back";
  frame->GetCurrentPage()->SelectAll(true);
  Menu(ID_EDIT_CUT);
  Draw();
  EXPECT_EQ(frame->GetCurrentPage()->GetChildCount(), 0u);
  showsTexts("after the crowded page was emptied");
  Menu(ID_ALBUM_CLOSE);
}

// An album of a thousand texts opened and closed again and again gives its
// memory back each time: the texts' meshes and every other object of the
// device go with it, and the process ends where it was after the first close.
TEST_F(MemoryRoadTest, AnAlbumOfManyTextsGivesItsMemoryBackWhenItCloses) {
  ASSERT_TRUE(AddTextsToCurrentPage(Sample().ProjectPath(), 1000));
  const size_t held = TextMemoryHeld();
  IDirect3DDevice9* device = frame->GetPageSurface()->GetDevice();
  ASSERT_NE(device, nullptr);
  const ULONG deviceHeld = DeviceHeld(device);
  std::vector<size_t> afterClose;
  for (int round = 0; round < 4; ++round) {
    OpenSample();
    frame->GetLists().pages.DrawPendingPages();
    Draw();
    EXPECT_EQ(CountTexts(*frame->GetCurrentPage()).built, 1000);
    EXPECT_GT(TextMemoryHeld(), held);
    Menu(ID_ALBUM_CLOSE);
    EXPECT_EQ(TextMemoryHeld(), held);
    EXPECT_EQ(DeviceHeld(device), deviceHeld) << "objects left on the device after close " << round + 1;
    afterClose.push_back(CommittedPrivateBytes());
  }
  EXPECT_LT(afterClose.back(), afterClose.front() + afterClose.front() / 10)
      << (afterClose.front() >> 20) << " MB after the first close, " << (afterClose.back() >> 20) << " MB after the last";
}

TEST_F(MemoryRoadTest, PicturesWithoutMemoryShowAsCrossedBoxesTheAlbumStaysAndSavesAsItWas) {
  const struct {
    const char* when;
    bool beforeOpen;
  } cases[] = {{"while the album opens", true}, {"while a page is drawn", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.when);
    ui.Clear();
    const std::string unchanged = Unchanged();
    PictureCache::Instance().ReleaseUnused();
    if (c.beforeOpen) SetPictureMemoryLimit(1);
    OpenSample();
    frame->GetLists().pages.DrawPendingPages();
    Draw();
    if (!c.beforeOpen) {
      EXPECT_FALSE(Picture(0).Picture().HasFailed()) << "drawn with memory to spare";
      SetPictureMemoryLimit(1);
      // Page 2, then back: page 1's pictures went with the page and come again.
      Menu(ID_PAGE_NEXT);
      Draw();
      frame->GetAlbum()->GetRoot()->GoToPage(0);
      Draw();
    }
    ASSERT_NE(frame->GetAlbum(), nullptr) << "the album stays open";
    EXPECT_TRUE(Picture(0).Picture().HasFailed());
    EXPECT_TRUE(Picture(1).Picture().HasFailed());
    EXPECT_TRUE(Picture(0).Picture().HitTest(Picture(0).GetX(), Picture(0).GetY())) << "still selectable";
    // Every picture is told, each once (the pages drawn for the page bar
    // may tell theirs apart).
    const std::vector<CString> told = Told("Immagini non disponibili");
    ASSERT_FALSE(told.empty());
    for (const std::string& name : {Sample().PhotoA(), Sample().PhotoB()})
      EXPECT_EQ(std::count_if(told.begin(), told.end(), [&](const CString& t) { return Names(t, name); }), 1) << name;
    // A photo by the name the photo bar shows, beside its file.
    const std::string photoA = "\"rosso.bmp\" (" + Sample().PhotoA() + ")";
    EXPECT_TRUE(std::any_of(told.begin(), told.end(), [&](const CString& t) { return Names(t, photoA); })) << photoA;
    Draw();
    EXPECT_EQ(Told("Immagini non disponibili").size(), told.size()) << "not told again";
    EXPECT_EQ(Told("error").size(), 0u);
    SetPictureMemoryLimit(0);
    EXPECT_EQ(Saved(), unchanged);
    Menu(ID_ALBUM_CLOSE);
  }
}

// The page bar draws the other pages' thumbnails on its own: the pictures it
// could not draw are told at the surface's next tick, the page at rest.
TEST_F(MemoryRoadTest, PicturesThePageBarCouldNotDrawAreToldAtTheNextTick) {
  OpenSample();
  CSposalboPageStatic& surface = *frame->GetPageSurface();
  Draw();
  SetPictureMemoryLimit(1);
  frame->GetLists().pages.DrawPendingPages();
  EXPECT_TRUE(Told("Immagini non disponibili").empty()) << "not while the bar draws";
  const int drawn = surface.GetFramesDrawn();
  surface.SendMessage(WM_TIMER, CSposalboPageStatic::kRenderTimer);
  EXPECT_EQ(surface.GetFramesDrawn(), drawn) << "the page was at rest";
  const std::vector<CString> told = Told("Immagini non disponibili");
  ASSERT_EQ(told.size(), 1u);
  EXPECT_TRUE(Names(told[0], "fiore.bmp")) << told[0];

  // Noted for an album closed before that tick, they are never told.
  SetPictureMemoryLimit(0);
  Menu(ID_ALBUM_CLOSE);
  OpenSample();
  Draw();
  ui.Clear();
  SetPictureMemoryLimit(1);
  frame->GetLists().pages.DrawPendingPages();
  Menu(ID_ALBUM_CLOSE);
  surface.SendMessage(WM_TIMER, CSposalboPageStatic::kRenderTimer);
  EXPECT_TRUE(Told("Immagini non disponibili").empty());
  SetPictureMemoryLimit(0);
}

// Photos named after a device or with a name Windows would trim are never
// opened: like unreadable pictures they show as crossed boxes and are told,
// once each time the album is opened; the album keeps their names.
TEST_F(MemoryRoadTest, PhotosWhoseNamesAreRefusedShowAsCrossedBoxesToldOncePerOpening) {
  const std::vector<std::string> refused = {"COM\xB9.jpg", "a.jpg."};
  std::string album = ReadTextFile(Sample().ProjectPath());
  for (size_t i = 0; i < refused.size(); ++i) {
    const std::string photo = "name=\"" + (i == 0 ? Sample().PhotoA() : Sample().PhotoB()) + "\"";
    const size_t at = album.find(photo);
    ASSERT_NE(at, std::string::npos);
    album.replace(at, photo.size(), "name=\"" + refused[i] + "\"");
  }
  WriteTextFile(Sample().ProjectPath(), album);
  const std::string unchanged = Unchanged();
  for (int opening = 1; opening <= 2; ++opening) {
    SCOPED_TRACE(opening);
    ui.Clear();
    OpenSample();
    Draw();
    for (size_t i = 0; i < refused.size(); ++i) {
      EXPECT_EQ(Picture(i).GetName(), refused[i]);
      EXPECT_TRUE(Picture(i).Picture().HasFailed()) << refused[i];
      EXPECT_TRUE(Picture(i).Picture().HitTest(Picture(i).GetX(), Picture(i).GetY())) << "still selectable";
    }
    const std::vector<CString> told = Told("Immagini non disponibili");
    for (const std::string& name : refused)
      EXPECT_EQ(std::count_if(told.begin(), told.end(), [&](const CString& t) { return Names(t, name); }), 1) << name;
    Draw();
    EXPECT_EQ(Told("Immagini non disponibili").size(), told.size()) << "not told again";
    EXPECT_EQ(Saved(), unchanged);
    Menu(ID_ALBUM_CLOSE);
  }
}

TEST_F(MemoryRoadTest, APasteThatRunsOutOfMemoryIsRefusedAndLeavesThePageAsItWas) {
  const std::string unchanged = Unchanged();
  OpenSample();
  Draw();
  treeNode::CPaginaTreeNode& page = *frame->GetCurrentPage();
  treeNode::CSposalboTreeNode& root = *frame->GetAlbum()->GetRoot();
  page.SelectAll(false);
  page.GetChild(0)->SetSelected(true);
  Menu(ID_EDIT_COPY);
  const size_t objects = page.GetChildCount();
  const bool couldUndo = root.CanUndo();
  // The failure walks through every allocation of the paste in turn.
  bool pasted = false;
  size_t refused = 0;
  for (long allowed = 0; allowed < 5000 && !pasted; ++allowed) {
    SCOPED_TRACE(allowed);
    {
      FailingAllocation failing(allowed);
      EXPECT_NO_THROW(frame->OnCmdMsg(ID_EDIT_PASTE, CN_COMMAND, nullptr, nullptr));
      pasted = !FailingAllocation::Happened();
    }
    if (pasted) break;
    ++refused;
    ASSERT_EQ(page.GetChildCount(), objects) << "nothing half pasted";
    EXPECT_EQ(root.CanUndo(), couldUndo) << "no step of history for a refused paste";
    ASSERT_EQ(Told("Memoria insufficiente").size(), refused);
  }
  ASSERT_TRUE(pasted);
  EXPECT_GT(refused, 0u);
  EXPECT_EQ(page.GetChildCount(), objects + 1) << "with memory the paste goes through";
  root.Undo();
  EXPECT_EQ(Saved(), unchanged);
}

// Every file from outside read while memory runs out, at points spread over
// the reading (allowing twice as many allocations each time): refused as a
// file that cannot be read, nothing half made stays, and with memory it reads.
TEST_F(MemoryRoadTest, FilesFromOutsideReadWithoutMemoryAreRefusedAsUnreadable) {
  const std::string folder = Temp().Path(), albumFolder = Sample().AlbumFolder();
  const std::string model = folder + "\\modello.sbt", fonts = folder + "\\fonts.xml";
  const CString listedModel = model.c_str();
  WriteTextFile(model, ReadTextFile(Sample().ProjectPath()));
  const std::string cannotOpen = "Impossibile aprire il sposalbo.";
  // Memory running out while the file itself is read says so, with its size.
  const std::string tooLarge = cannotOpen + "\n" + model + ": il file \xe8 troppo grande per la memoria disponibile (" +
                               std::to_string(ReadTextFile(model).size()) + " byte).";
  int toldTooLarge = 0;
  WriteTextFile(folder + "\\cd.xml", "<cd cdKey=\"K\"><immagine nome=\"a.jpg\"/></cd>");
  WriteTextFile(fonts, "<fonts><font name=\"Arial\"/></fonts>");
  const struct {
    const char* road;
    std::function<bool()> read;  // false: refused as unreadable
  } roads[] = {
      {"an album template", [&] {
         try {
           CSposalboDoc album("Nuovo", folder, model, nullptr);
           return true;
         } catch (const std::bad_alloc&) {
           // The new-album command tells it as it tells an album it cannot open.
         } catch (const CSposalboException& e) {
           if (e.message == tooLarge)
             ++toldTooLarge;
           else
             EXPECT_EQ(e.message, cannotOpen);
         }
         EXPECT_FALSE(FolderExists(folder + "\\Nuovo")) << "nothing half made stays";
         return false;
       }},
      {"a page template", [&] { return frame->GetLists().templates.AddTemplate(listedModel); }},
      {"an image list", [&] { return spab_imagelist::CMImageList::Load(albumFolder.c_str(), false) != nullptr; }},
      {"a CD list", [&] { return cd_imagelist::CCDImageList::Load(folder.c_str()) != nullptr; }},
      {"a font list", [&] { return !ReadFontList(fonts).empty(); }},
  };
  for (const auto& r : roads) {
    for (long allowed = 0;; allowed = allowed * 2 + 1) {
      SCOPED_TRACE(std::string(r.road) + ", " + std::to_string(allowed) + " allocations");
      bool read = false, failed = false;
      {
        FailingAllocation failing(allowed);
        EXPECT_NO_THROW(read = r.read());
        failed = FailingAllocation::Happened();
      }
      RemoveTree(folder + "\\Nuovo");
      if (!read) {
        EXPECT_TRUE(failed) << "refused only for lack of memory";
      }
      if (!failed) {
        EXPECT_TRUE(read);
        break;
      }
    }
  }
  EXPECT_GT(toldTooLarge, 0);
}
