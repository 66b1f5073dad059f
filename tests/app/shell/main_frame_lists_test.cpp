// The main frame's library folders and its lists: profile values and their
// defaults, the custom folder, and the page bar following the album.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/dialogs/DialogDriving.h"
#include "app/resource.h"
#include "app/shell/StatusPanes.h"
#include "app/support/EditorFrameFixture.h"
#include "app/support/ListPictures.h"
#include "app/surface/PageStatic.h"
#include "crop/MouseInput.h"
#include "imagelib/ImgBitmap.h"
#include "app/dialogs/FontListFile.h"
#include "app/lists/PageRenderer.h"
#include "app/lists/Thumbnail.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/services/FileStamp.h"
#include "document/services/FileWatch.h"
#include "render/MaskPath.h"
#include "render/TestPictures.h"
#include "document/SposalboDoc.h"
#include "document/pages/SposalboTreeNode.h"

namespace {
class MainFrameListsTest : public EditorFrameTest {
 protected:
  void SetUp() override {
    Setting("Frame Path", nullptr);
    Setting("Pers Path", nullptr);
    EditorFrameTest::SetUp();
  }
};


// The plain colour a pixel of a picture made of plain colours shows: 'r',
// 'g', 'b', 'y' (yellow), '?' for any other.
char Look(COLORREF colour) {
  const bool r = GetRValue(colour) > 160, g = GetGValue(colour) > 160, b = GetBValue(colour) > 160;
  const bool none = GetRValue(colour) < 90 && GetGValue(colour) < 90 && GetBValue(colour) < 90;
  if (none) return '?';
  return r && g && !b ? 'y' : r && !g && !b ? 'r' : !r && g && !b ? 'g' : !r && !g && b ? 'b' : '?';
}

// 0 while the file holds no picture.
int PictureWidth(const std::string& path) {
  CImgBitmap picture;
  return picture.Load(path.c_str(), 1, 1) == 1 ? picture.GetWidth() : 0;
}
}  // namespace

TEST_F(MainFrameListsTest, LibraryFoldersComeFromTheProfileOrBesideTheProgram) {
  const CString program = CSposalboApp::GetProgramFolder();
  EXPECT_STREQ(frame->GetFramePath(true), program + "frame\\lowres\\");
  EXPECT_STREQ(frame->GetImagePath(false), program + "image\\highres\\");
  EXPECT_STREQ(frame->GetPageTemplatePath(), program + "PageTemplate\\");
  Setting("Frame Path", "D:\\grafica\\cornici\\");
  EXPECT_STREQ(frame->GetFramePath(true), "D:\\grafica\\cornici\\lowres\\");
  // Without a custom folder or an album the custom paths start at the root.
  EXPECT_STREQ(frame->GetCustomFramePath(true, nullptr), "\\frame\\lowres\\");
  EXPECT_STREQ(frame->GetCustomTemplateFolder(), "");

  frame->CollectResourceFolders("nozze", true);
  EXPECT_STREQ(frame->GetLists().frames.GetFolder(), "\\frame\\lowres");
  EXPECT_TRUE(frame->GetLists().effects.IsCustom());
  frame->CollectResourceFolders(nullptr, false);
  EXPECT_STREQ(frame->GetLists().images.GetFolder(), program + "image\\lowres");

  // A custom folder set while the lists show the custom graphics is shown at once.
  frame->CollectResourceFolders(nullptr, true);
  frame->SetCustomFolder("D:\\mie");
  EXPECT_STREQ(frame->GetLists().effects.GetFolder(), "D:\\mie\\effect\\lowres");
  frame->CollectResourceFolders(nullptr, false);
  frame->SetCustomFolder("D:\\altre");
  EXPECT_STREQ(frame->GetLists().effects.GetFolder(), program + "effect\\lowres");
}

// "Pers Path" is read when the frame is made, trimmed at both ends.
TEST_F(MainFrameListsTest, TheCustomFolderIsTheTrimmedPersPath) {
  const struct {
    const char* stored;
    const char* folder;
  } cases[] = {{"   ", ""}, {" \tD:\\grafiche mie \t", "D:\\grafiche mie"}};
  for (const auto& c : cases) {
    Setting("Pers Path", c.stored);
    CMainFrame made;
    EXPECT_EQ(made.GetCustomFolder(), c.folder) << "stored \"" << c.stored << '"';
    EXPECT_STREQ(made.GetCustomTemplateFolder(), *c.folder ? (std::string(c.folder) + "\\template\\").c_str() : "");
  }
}

TEST_F(MainFrameListsTest, ThePageBarFollowsTheAlbumsPages) {
  CPageImgListView& pages = frame->GetLists().pages;
  ASSERT_NE(pages.m_hWnd, nullptr);  // the page bar made its window
  frame->SetAlbum(std::make_unique<CSposalboDoc>(Sample().ProjectPath(), frame->GetPageView()));
  frame->RebuildPageList();
  ASSERT_EQ(pages.GetItemCount(), 3);
  treeNode::CSposalboTreeNode& root = *frame->GetAlbum()->GetRoot();
  root.AddPage(-1);
  ASSERT_TRUE(root.HasPageListChanged());
  frame->NotifyPageList();
  EXPECT_FALSE(root.HasPageListChanged());
  ASSERT_EQ(pages.GetItemCount(), 4);
  EXPECT_STREQ(pages.GetItemText(3, 0), "4");
  root.DeletePage();
  frame->NotifyPageList();
  EXPECT_EQ(pages.GetItemCount(), 3);
  frame->ClearPageList();
  EXPECT_EQ(pages.GetItemCount(), 0);
}

// Deleting the first page leaves no page current; the page bar still loses
// it on the page surface's next frame, and a page added then goes where it is.
TEST_F(MainFrameListsTest, ThePageBarLosesTheFirstPageDeletedFromTheMenu) {
  OpenSample();
  CPageImgListView& pages = frame->GetLists().pages;
  ASSERT_EQ(pages.GetItemCount(), 3);
  CSposalboPageStatic& surface = *frame->GetPageSurface();
  Menu(ID_PAGE_DELETE);
  ASSERT_EQ(frame->GetCurrentPage(), nullptr);
  surface.Render();
  EXPECT_EQ(pages.GetItemCount(), 2);
  Menu(ID_PAGE_NEW);
  surface.Render();
  EXPECT_EQ(pages.GetItemCount(), frame->GetAlbum()->GetRoot()->GetPageCount());
}

// A double click on a photo of the photo bar places it on the page once.
TEST_F(MainFrameListsTest, ADoubleClickedPhotoIsPlacedOnce) {
  OpenSample();
  CFotoImgListView& photos = frame->GetLists().photos;
  input::FlushUntil([&] { return !photos.IsLoading() && photos.GetItemCount() > 0; });
  ASSERT_GT(photos.GetItemCount(), 0);
  treeNode::CPaginaTreeNode* page = frame->GetCurrentPage();
  page->SelectAll(false);
  const size_t before = page->GetChildCount();
  CRect item;
  ASSERT_TRUE(photos.GetItemRect(0, &item, LVIR_ICON));
  const LPARAM at = MAKELPARAM(item.CenterPoint().x, item.CenterPoint().y);
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    photos.SendMessage(message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
  input::Flush();
  EXPECT_EQ(page->GetChildCount(), before + 1);
}

// The photo bar paints its marks from its items' states: a photo placed, cut
// and pasted has its mark right before the next paint, not one paint late.
TEST_F(MainFrameListsTest, APhotosMarkFollowsItsUseBeforeTheNextPaint) {
  OpenSample();
  CFotoImgListView& photos = frame->GetLists().photos;
  input::FlushUntil([&] { return !photos.IsLoading() && photos.GetItemCount() > 0; });
  ASSERT_GT(photos.GetItemCount(), 0);
  treeNode::CSposalboTreeNode& root = *frame->GetAlbum()->GetRoot();
  // A photo of the list that nothing uses yet.
  const std::string unused = Temp().Path() + "\\verde.bmp";
  SampleAlbum::WritePicture(unused, 30, 30, 0x00FF00);
  const std::string name =
      root.GetImageList()->AddFromFile(unused.c_str(), frame->GetAlbum()->GetFolder().c_str())->thumb;
  const int count = photos.GetItemCount() + 1;
  frame->RefreshPhotoList();
  input::FlushUntil([&] { return !photos.IsLoading() && photos.GetItemCount() == count; });
  ASSERT_EQ(photos.GetItemCount(), count);
  const int item = count - 1;
  ASSERT_STREQ(photos.GetNames()[static_cast<size_t>(item)], name.c_str());
  ASSERT_EQ(photos.GetItemState(item, LVIS_STATEIMAGEMASK), 0u);
  const auto marked = [&] { return photos.GetItemState(item, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(1); };
  treeNode::CPaginaTreeNode* page = frame->GetCurrentPage();
  page->SelectAll(false);
  frame->GetPageSurface()->PlacePhoto(name, 0.0f, 0.0f);
  EXPECT_TRUE(marked()) << "placed";
  page->GetChild(page->GetChildCount() - 1)->SetSelected(true);
  root.CutSelection();
  EXPECT_FALSE(marked()) << "cut";
  root.PasteSelection();
  EXPECT_TRUE(marked()) << "pasted";
}

// A page template with its label fits the Template tab's list, so showing it
// whole (as a click or a drag does) never scrolls its top away.
TEST_F(MainFrameListsTest, ATemplateRowFitsTheTemplateTab) {
  const std::string folder = Temp() / "modelli";
  MakeFolder(folder);
  ASSERT_TRUE(::CopyFileA(Sample().TemplatePath().c_str(), (folder + "\\fiori.sbt").c_str(), FALSE));
  CTemplateListView& templates = frame->GetLists().templates;
  templates.Fill(folder.c_str());
  ASSERT_EQ(templates.GetItemCount(), 1);
  frame->RecalcLayout();
  templates.EnsureVisible(0, FALSE);
  CRect client, row;
  templates.GetClientRect(&client);
  templates.GetItemRect(0, &row, LVIR_BOUNDS);
  EXPECT_GE(row.top, 0);
  EXPECT_LE(row.bottom, client.bottom);
  EXPECT_FALSE(templates.GetStyle() & WS_VSCROLL);
}

TEST(StatusPanes, TextsShorterThanTheirPaneAreCentredWithLeadingBlanks) {
  EXPECT_EQ(PagePaneText(true, 2, 12), "       3 / 12");  // six characters, seven blanks
  EXPECT_EQ(SizePaneText(true, 300, 200), "      300 x 200");
}

// The page and size panes of the real status bar follow the album at idle time.
TEST_F(MainFrameListsTest, TheStatusBarShowsThePageAndThePageSizeOfTheOpenAlbum) {
  CStatusBar& status = frame->m_wndStatusBar;
  auto panes = [&] {
    frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    return std::make_pair(std::string(status.GetPaneText(status.CommandToIndex(ID_INDICATOR_PAGE))),
                          std::string(status.GetPaneText(status.CommandToIndex(ID_INDICATOR_SIZE))));
  };
  // The page bar marks the same page as the status bar.
  CPageImgListView& pages = frame->GetLists().pages;
  const auto marked = [&] { return pages.GetNextItem(-1, LVNI_SELECTED); };
  const std::pair<std::string, std::string> none{" ", "        "};
  EXPECT_EQ(panes(), none) << "without an album: one blank and eight";
  OpenSample();
  EXPECT_EQ(panes(), std::make_pair(std::string("       1 / 3"), std::string("      300 x 150")));
  EXPECT_EQ(marked(), 0);
  Menu(ID_PAGE_NEXT);
  EXPECT_EQ(panes().first, "       2 / 3");
  EXPECT_EQ(marked(), 1);
  Menu(ID_PAGE_LAST);
  EXPECT_EQ(panes().first, "       3 / 3");
  EXPECT_EQ(marked(), 2);
  Menu(ID_PAGE_DELETE);  // the last page goes: the one before is current
  frame->GetPageSurface()->Render();
  EXPECT_EQ(panes().first, "       2 / 2");
  EXPECT_EQ(marked(), 1);
  // "Nuovo" closes the album: its dialog finds the bars showing none.
  const auto saveEnabled = [&] { return frame->m_wndToolBar.SendMessage(TB_ISBUTTONENABLED, ID_ALBUM_SAVE) != 0; };
  EXPECT_TRUE(saveEnabled());
  ui.AnswerMessage(IDNO);  // the change is not saved
  std::string pageInDialog;
  bool saveInDialog = true;
  ui.AnswerModalWith([&](CWnd* dialog) {
    pageInDialog = status.GetPaneText(status.CommandToIndex(ID_INDICATOR_PAGE));
    saveInDialog = saveEnabled();
    dialog_test::Click(dialog, IDCANCEL);
  });
  Menu(ID_ALBUM_NEW);
  ASSERT_EQ(frame->GetAlbum(), nullptr);
  EXPECT_EQ(pageInDialog, none.first);
  EXPECT_FALSE(saveInDialog);
  EXPECT_EQ(panes(), none);
}

TEST_F(MainFrameListsTest, TheLaboratoryFontListNamesTheFacesItHas) {
  const std::string list = Temp() / "lab.sfl";
  ASSERT_TRUE(WriteFontList(list, {"Arial", "Times New Roman"}));
  Setting("Font list", list.c_str());
  frame->LoadFontList();
  Setting("Font list", nullptr);
  EXPECT_TRUE(frame->IsLabFont("Times New Roman"));
  EXPECT_FALSE(frame->IsLabFont("Comic Sans MS"));
  frame->LoadFontList();
  EXPECT_FALSE(frame->IsLabFont("Arial")) << "without a list every face travels with the album";
}

// A photo handed to the outside editor and changed there: its working copy is
// made again from the change and its item in the photo list is selected, and
// the page reloads its pictures in any case, showing the new copy with its
// shape; the edited file itself is only read.
TEST_F(MainFrameListsTest, APhotoChangedOutsideIsReloaded) {
  OpenSample();
  treeNode::CPaginaTreeNode* page = SelectPhotoA();
  EditOutside(false);
  const std::string reference = frame->GetAlbum()->GetResourceFolder(0, false, Sample().PhotoA(), false);
  const std::string working = frame->GetAlbum()->GetResourceFolder(0, true, Sample().PhotoA(), false);
  // Drawing would take the page's reload mark away: the page is drawn only
  // before a change and once its mark has been seen.
  const auto draw = [&] {
    frame->SetRenderPaused(false);
    frame->GetPageSurface()->Render();
    frame->SetRenderPaused(true);
  };
  frame->SetRenderPaused(true);
  CFotoImgListView& photos = frame->GetLists().photos;
  input::FlushUntil([&] { return !photos.IsLoading(); }, 5000);
  const struct {
    const char* change;
    std::function<void()> make;
    bool copyMade, shaped;  // the working copy has a mask beside it after the change
  } cases[] = {
      {"a watch never made", [&] { frame->SendMessage(GetFileWatchMessage(), 4711, 0); }, false, false},
      {"no picture", [&] { WriteTextFile(reference, "not a picture"); }, false, false},
      {"a cut-out", [&] { WriteTga(reference, 80, 60, [](int x, int) { return Rgba{0, 0, 200, uint8_t(x < 40 ? 0 : 255)}; }); },
       true, true},
      // Larger than a thumbnail: a preview of it could be kept in its file.
      {"a wide picture", [&] { SampleAlbum::WritePicture(reference, 1300, 40, 0x00FF00); }, true, false},
      {"a red picture", [&] { SampleAlbum::WritePicture(reference, 80, 60, 0xFF0000); }, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.change);
    const std::string before = ReadTextFile(working);
    draw();
    page->SetNeedsRefresh(false);
    for (int i = 0; i < photos.GetItemCount(); ++i) photos.SetItemState(i, 0, LVIS_SELECTED);
    c.make();
    const std::string edited = ReadTextFile(reference);
    input::FlushUntil([&] { return page->NeedsRefresh(); }, 500);
    EXPECT_TRUE(page->NeedsRefresh());
    EXPECT_EQ(ReadTextFile(reference), edited) << "the edited file is left as the editor wrote it";
    EXPECT_EQ(ReadTextFile(working) != before, c.copyMade);
    EXPECT_EQ(FileExists(MaskPathFor(working.c_str())), c.shaped);
    EXPECT_STREQ(photos.GetFirstSelectedName(), c.copyMade ? Sample().PhotoA().c_str() : "");
    draw();
    CImgBitmap shown;
    ASSERT_EQ(shown.Load(working.c_str(), 1, 1), 1);
    auto* photo = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0));
    ASSERT_NE(photo, nullptr);
    const float aspect = static_cast<float>(shown.GetWidth()) / static_cast<float>(shown.GetHeight());
    EXPECT_NEAR(photo->GetWidth() / photo->GetHeight(), aspect, aspect * 0.05f) << "the page shows the copy";
    EXPECT_EQ(photo->Picture().HasMask(), c.shaped);
  }
  CImgBitmap copy;
  ASSERT_EQ(copy.Load(working.c_str(), 1, 1), 1);
  EXPECT_EQ(copy.GetWidth(), 80) << "the working copy is the changed picture";
  StopFileWatch();
}

// However the outside editor saves (in place, a new file renamed over the
// photo, or delete and create), each of three saves in a row reaches the
// working copy and the page; the album opened again keeps the last.
TEST_F(MainFrameListsTest, EveryOutsideSaveReachesThePageWhicheverWayTheEditorWrites) {
  OpenSample();
  treeNode::CPaginaTreeNode* page = SelectPhotoA();
  EditOutside(false);
  const std::string reference = frame->GetAlbum()->GetResourceFolder(0, false, Sample().PhotoA(), false);
  const std::string working = frame->GetAlbum()->GetResourceFolder(0, true, Sample().PhotoA(), false);
  const std::string written = reference + ".tmp";
  const auto copyWidth = [&] { return PictureWidth(working); };
  // The editor takes its time between the steps of a save.
  const auto meanwhile = [] { input::FlushUntil([] { return false; }, 120); };
  const struct {
    const char* way;
    std::function<void(int width)> save;
  } ways[] = {
      {"in place", [&](int width) { SampleAlbum::WritePicture(reference, width, 40, 0x00FF00); }},
      {"renamed over",
       [&](int width) {
         SampleAlbum::WritePicture(written, width, 40, 0x0000FF);
         meanwhile();
         EXPECT_TRUE(::MoveFileExA(written.c_str(), reference.c_str(), MOVEFILE_REPLACE_EXISTING));
       }},
      {"deleted and made",
       [&](int width) {
         EXPECT_TRUE(::DeleteFileA(reference.c_str()));
         meanwhile();
         SampleAlbum::WritePicture(reference, width, 40, 0xFF0000);
       }},
  };
  int width = 60;
  for (const auto& w : ways) {
    for (int save = 1; save <= 3; ++save) {
      SCOPED_TRACE(std::string(w.way) + " " + std::to_string(save));
      width += 10;
      w.save(width);
      input::FlushUntil([&] { return copyWidth() == width; }, 500);
      EXPECT_EQ(copyWidth(), width);
      frame->GetPageSurface()->Render();
      auto* photo = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0));
      ASSERT_NE(photo, nullptr);
      EXPECT_NEAR(photo->GetWidth() / photo->GetHeight(), width / 40.0f, 0.05f) << "the page shows the save";
    }
  }
  Menu(ID_ALBUM_CLOSE);
  OpenSample();
  EXPECT_EQ(copyWidth(), width);
}

// A reference copy replaced beside the program while its album is open, with
// no outside editor, by a newer picture or by one restored with an older
// date: once the user is back, its working copy is made again and the page
// shows it. A working copy replaced is shown by the page, the photo bar and
// the page bar; an unreadable reference copy (a damaged one too), a deleted
// one and a working copy that cannot be made again are told once each.
TEST_F(MainFrameListsTest, AReferenceCopyReplacedWhileTheAlbumIsOpenReachesThePage) {
  OpenSample();
  treeNode::CPaginaTreeNode* page = frame->GetCurrentPage();
  frame->GetPageSurface()->Render();
  CFotoImgListView& photos = frame->GetLists().photos;
  CPageImgListView& pages = frame->GetLists().pages;
  input::FlushUntil([&] { return !photos.IsLoading(); }, 5000);
  pages.DrawPendingPages();
  const std::string reference = frame->GetAlbum()->GetResourceFolder(0, false, Sample().PhotoA(), false);
  const std::string working = frame->GetAlbum()->GetResourceFolder(0, true, Sample().PhotoA(), false);
  const std::string otherReference = frame->GetAlbum()->GetResourceFolder(0, false, Sample().PhotoB(), false);
  const auto copyWidth = [&] { return PictureWidth(working); };
  const auto photoA = [&] {
    const auto& names = photos.GetNames();
    return static_cast<int>(std::find(names.begin(), names.end(), CString(Sample().PhotoA())) - names.begin());
  };
  const auto writtenBefore = [](const std::string& path, int seconds) {
    const ULONGLONG ticks = ReadFileStamp(path).written - static_cast<ULONGLONG>(seconds) * 10000000ULL;
    const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &time));
    ::CloseHandle(file);
  };
  const auto writeJpeg = [](const std::string& path, int width, int height, unsigned colour) {
    const std::string drawn = path + ".bmp";
    SampleAlbum::WritePicture(drawn, width, height, colour);
    CImgBitmap picture;
    ASSERT_EQ(picture.Load(drawn.c_str(), 1, 1), 1);
    ASSERT_TRUE(picture.Save(path.c_str(), IMG_FORMAT_JPEG, 1, 90));
    ::DeleteFileA(drawn.c_str());
  };
  ASSERT_EQ(Look(ListItemPixel(pages, 0, 82, 64)), 'r');
  const struct {
    const char* change;
    std::function<void()> make;
    int width;        // of photo A's working copy afterwards
    char shown;       // photo A in the photo bar and the page bar
    size_t told;      // unreadable reference copies told so far
    size_t missing = 0, unmade = 0;  // reference copies gone, copies not made again: told so far
  } cases[] = {
      {"a newer picture", [&] { SampleAlbum::WritePicture(reference, 90, 30, 0x00FF00); }, 90, 'g', 0},
      {"an older picture",
       [&] {
         SampleAlbum::WritePicture(reference, 60, 30, 0x0000FF);
         writtenBefore(reference, 3 * 24 * 3600);
       },
       60, 'b', 0},
      {"the working copy replaced", [&] { writeJpeg(working, 30, 30, 0xFFFF00); }, 30, 'y', 0},
      {"the working copy cut short",
       [&] {
         const std::string whole = ReadTextFile(working);
         WriteTextFile(working, whole.substr(0, whole.size() / 2));
       },
       60, 'b', 0},
      // Another program writing a new picture over it, caught half way.
      {"a reference copy rewritten half way",
       [&] {
         WriteJpeg(otherReference, 48, 64, [](int x, int y) { return Speckled(x, y, 1); });
         WriteJpeg(otherReference + ".jpg", 48, 64, [](int x, int y) { return Speckled(x, y, 2); });
         RewriteFirstHalf(otherReference, otherReference + ".jpg");
         ::DeleteFileA((otherReference + ".jpg").c_str());
       },
       60, 'b', 1},
      {"an unreadable reference copy", [&] { WriteTextFile(otherReference, ""); }, 60, 'b', 2},
      {"the same unreadable copy", [] {}, 60, 'b', 2},
      {"a reference copy deleted", [&] { ASSERT_TRUE(::DeleteFileA(otherReference.c_str())); }, 60, 'b', 2, 1},
      {"the same reference copy still gone", [] {}, 60, 'b', 2, 1},
      {"a new picture whose copy cannot be written",
       [&] {
         SampleAlbum::WritePicture(reference, 50, 30, 0x0000FF);
         MakeFolder(working + ".new");
       },
       60, 'b', 2, 1, 1},
      {"its copy still cannot be written", [] {}, 60, 'b', 2, 1, 1},
      {"its copy can be written again", [&] { ASSERT_TRUE(::RemoveDirectoryA((working + ".new").c_str())); },
       50, 'b', 2, 1, 1},
  };
  const std::string otherWorking = frame->GetAlbum()->GetResourceFolder(0, true, Sample().PhotoB(), false);
  const std::string otherWorkingBytes = ReadTextFile(otherWorking);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.change);
    c.make();
    frame->SendMessage(WM_ACTIVATEAPP, TRUE, 0);
    input::FlushUntil([&] { return copyWidth() == c.width; }, 500);
    EXPECT_EQ(copyWidth(), c.width);
    frame->GetPageSurface()->Render();
    auto* photo = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0));
    ASSERT_NE(photo, nullptr);
    EXPECT_NEAR(photo->GetWidth() / photo->GetHeight(), c.width / 30.0f, 0.1f) << "the page shows the new copy";
    EXPECT_FALSE(photo->Picture().HasFailed());
    EXPECT_EQ(Look(ListItemPixel(pages, 0, 82, 64)), c.shown) << "the page bar";
    EXPECT_EQ(Look(ListItemPixel(photos, photoA(), kThumbnailSize / 2, kThumbnailSize / 2)), c.shown) << "the photo bar";
    size_t told = 0, missing = 0, unmade = 0;
    for (const AfxUiQuestion& q : Asked())
      if (q.caption == "Foto illeggibili") {
        ++told;
        EXPECT_NE(q.text.str().find("\"blu.bmp\" (file \"" + otherReference + "\")"), std::string::npos) << q.text.str();
      } else if (q.caption == "Foto mancanti") {
        ++missing;
        EXPECT_NE(q.text.str().find("\"blu.bmp\" (file \"" + otherReference + "\")"), std::string::npos) << q.text.str();
      } else if (q.caption == "Copie di lavoro non rifatte") {
        ++unmade;
        // The system's reason, in the user's words.
        EXPECT_NE(q.text.str().find("\"rosso.bmp\" (file \"" + working + "\"): accesso negato"), std::string::npos)
            << q.text.str();
      }
    EXPECT_EQ(told, c.told);
    EXPECT_EQ(missing, c.missing);
    EXPECT_EQ(unmade, c.unmade);
    EXPECT_EQ(ReadTextFile(otherWorking), otherWorkingBytes) << "no copy is made of a picture not read whole";
  }

  // The page bar draws again, a few at a time, the pages not shown.
  Menu(ID_PAGE_NEXT);
  frame->GetPageSurface()->Render();
  writeJpeg(working, 30, 30, 0x00FF00);
  frame->SendMessage(WM_ACTIVATEAPP, TRUE, 0);
  pages.DrawPendingPages();
  EXPECT_EQ(Look(ListItemPixel(pages, 0, 82, 64)), 'g');
  frame->GetAlbum()->GetRoot()->GoToPage(0);

  // A cut-out whose mask is deleted gets it back, and the page its shape.
  WriteTga(reference, 80, 60, [](int x, int) { return Rgba{0, 0, 200, uint8_t(x < 40 ? 0 : 255)}; });
  frame->SendMessage(WM_ACTIVATEAPP, TRUE, 0);
  ASSERT_TRUE(HasMaskBeside(working.c_str()));
  ASSERT_TRUE(::DeleteFileA(MaskPathFor(working.c_str()).c_str()));
  frame->SendMessage(WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_TRUE(HasMaskBeside(working.c_str()));
  frame->GetPageSurface()->Render();
  auto* photo = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0));
  ASSERT_NE(photo, nullptr);
  EXPECT_TRUE(photo->Picture().HasMask());
}

// A reference copy put back from a backup (another picture, an older date)
// while the user stays in the program is first seen by the export: it makes
// the working copy again, and the page shows the new copy as soon as the
// export is over.
TEST_F(MainFrameListsTest, AWorkingCopyTheExportMadeAgainReachesThePage) {
  OpenSample();
  treeNode::CPaginaTreeNode* page = frame->GetCurrentPage();
  frame->GetPageSurface()->Render();
  const std::string reference = frame->GetAlbum()->GetResourceFolder(0, false, Sample().PhotoA(), false);
  const std::string working = frame->GetAlbum()->GetResourceFolder(0, true, Sample().PhotoA(), false);
  SampleAlbum::WritePicture(reference, 90, 30, 0x00FF00);
  {
    HANDLE file = ::CreateFileA(reference.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const FILETIME old{0, 0x01C00000};
    EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &old));
    ::CloseHandle(file);
  }
  ASSERT_NE(PictureWidth(working), 90);
  ui.AnswerFolder(Temp().Path().c_str());
  Menu(ID_ALBUM_SEND_TO_LAB);
  EXPECT_EQ(PictureWidth(working), 90);
  frame->GetPageSurface()->Render();
  auto* photo = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(0));
  ASSERT_NE(photo, nullptr);
  EXPECT_NEAR(photo->GetWidth() / photo->GetHeight(), 3.0f, 0.1f) << "the page shows the new copy";
}
