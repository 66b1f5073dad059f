// The thumbnail lists: loads from generated library folders and file lists on
// their loader threads, reloads and destruction during a load, drags onto the
// surface, and the photo list's marks and "Elimina".
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>

#include "app/lists/FotoImgListView.h"
#include "app/lists/LibraryListViews.h"
#include "app/lists/Thumbnail.h"
#include "app/support/SurfaceFixture.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "render/TestPictures.h"

namespace {
// The list with the window under a drag answered by the test.
template <class List>
class Testable : public List {
 public:
  HWND windowAtDrop = nullptr;
  bool buttonDown = false;

 protected:
  HWND WindowAt(POINT) const override { return windowAtDrop; }
  bool IsLeftButtonDown() const override { return buttonDown; }
};

// A visible window that counts how often it is painted.
class PaintWitness : public CWnd {
 public:
  int paints = 0;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT) ++paints;
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

class ListTest : public SurfaceTest {
 protected:
  void SetUp() override {
    SurfaceTest::SetUp();
    library = temp.Path() + "\\frames";
    MakeFolder(library);
  }
  template <class List>
  void Create(List& list) {
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 300, 300), &host, 10));
  }
  // Lets the loader's thumbnails in until its load has ended.
  static void Settle(CImgListView& list) {
    for (int i = 0; i < 20000 && list.IsLoading(); ++i) {
      MSG msg;
      while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
      ::Sleep(1);
    }
    ASSERT_FALSE(list.IsLoading());
  }
  void Picture(const std::string& name) { SampleAlbum::WritePicture(library + "\\" + name, 40, 20, 0x00FF00); }
  // `count` photos imported into the album's list, named as the list names them.
  std::vector<CString> ImportGreenPhotos(size_t count) {
    const std::string source = temp.Path() + "\\verde.bmp";
    SampleAlbum::WritePicture(source, 30, 30, 0x00FF00);
    spab_imagelist::CMImageList* images = album->GetRoot()->GetImageList();
    std::vector<CString> names;
    for (size_t i = 0; i < count; ++i)
      names.emplace_back(images->AddFromFile(source.c_str(), album->GetFolder().c_str())->thumb.c_str());
    return names;
  }
  // The frame list loaded with one frame of the library, which the frame
  // under test finds there.
  void LoadOneFrame(CImgListView& list) {
    Picture("ovale.bmp");
    frame.libraryFolder = library;
    Create(list);
    list.SetFolder(library.c_str());
    list.LoadFolderAsync();
    Settle(list);
    ASSERT_EQ(list.GetItemCount(), 1);
  }
  void Garbage(const std::string& name) { WriteTextFile(library + "\\" + name, "not a picture"); }
  static std::vector<std::string> Sorted(const std::vector<CString>& names) {
    std::vector<std::string> out;
    for (const CString& n : names) out.emplace_back(static_cast<const char*>(n));
    std::sort(out.begin(), out.end());
    return out;
  }
  std::string library;
};
}  // namespace

TEST(Thumbnail, PicturesFillTheCellAlongTheirLongerSideCentred) {
  struct Case {
    int w, h;
    RECT placed;
  } cases[] = {{200, 100, {0, 24, 96, 72}}, {100, 200, {24, 0, 72, 96}}, {50, 50, {0, 0, 96, 96}},
               {4000, 1, {0, 47, 96, 48}}, {1, 4000, {47, 0, 48, 96}}, {0, 10, {0, 0, 0, 0}}};
  for (const Case& c : cases) {
    const RECT r = ThumbnailPlacement(c.w, c.h, 96);
    EXPECT_EQ(r.left, c.placed.left);
    EXPECT_EQ(r.top, c.placed.top);
    EXPECT_EQ(r.right, c.placed.right);
    EXPECT_EQ(r.bottom, c.placed.bottom);
  }
  EXPECT_TRUE(IsMaskCompanion("rosa.msk.png"));
  EXPECT_TRUE(IsMaskCompanion("ROSA.MSK.bmp"));
  EXPECT_FALSE(IsMaskCompanion("rosa.png"));
  EXPECT_FALSE(IsMaskCompanion(".msk"));
}

// A photo's mask shapes its thumbnail when the list asks for it: a cut-out's
// clear part shows the light violet that stands for transparency.
TEST(Thumbnail, AMaskBesideAPhotoShapesItsThumbnailWhenAsked) {
  TempFolder folder;
  SampleAlbum::WritePicture(folder / "cut.bmp", 40, 20, 0x00FF00);
  WriteBmp(folder / "cut.msk.bmp", 40, 20, [](int x, int) {
    const uint8_t level = x < 20 ? 255 : 0;
    return Rgba{level, level, level, 255};
  });
  for (bool withMask : {false, true}) {
    OwnedBitmap cell = MakeThumbnail(folder / "cut.bmp", withMask);
    ASSERT_TRUE(cell);
    DIBSECTION dib{};
    ASSERT_TRUE(::GetObjectA(cell.get(), sizeof dib, &dib));
    // Rows bottom-up, 0x00RRGGBB; the picture lies in rows 24 to 71.
    auto at = [&](int x, int y) {
      return static_cast<const uint32_t*>(dib.dsBm.bmBits)[(kThumbnailSize - 1 - y) * kThumbnailSize + x];
    };
    EXPECT_EQ(at(24, 48), 0x00FF00u) << withMask;
    EXPECT_EQ(at(72, 48), withMask ? 0xFFBEBEu : 0x00FF00u) << withMask;
  }
}

// The list chooses the files on its own thread: its loader never calls into a
// list, which may be half destroyed when a load is stopped by its destructor.
TEST_F(ListTest, AFrameFolderListsEachFrameOnceAndSkipsWhatCannotBeRead) {
  Picture("rosa.bmp");
  Picture("rosa.msk.bmp");
  Picture("ovale.bmp");
  Garbage("zz_rotto.bmp");
  struct AskedFrom : CCorniciImgListView {
    mutable std::vector<DWORD> threads;
    bool AcceptFile(const CString& name) const override {
      threads.push_back(::GetCurrentThreadId());
      return CCorniciImgListView::AcceptFile(name);
    }
  } list;
  Create(list);
  list.SetFolder(library.c_str());
  list.LoadFolderAsync();
  Settle(list);
  EXPECT_EQ(Sorted(list.GetNames()), (std::vector<std::string>{"ovale.bmp", "rosa.bmp"}));
  EXPECT_EQ(list.GetItemCount(), 2);
  EXPECT_EQ(list.threads, std::vector<DWORD>(4, ::GetCurrentThreadId()));
}

// Without an image list the photo bar shows the album's "img" folder: a
// cut-out's mask beside its working copy is its shape, not a photo.
TEST_F(ListTest, ThePhotoListOfAFolderLeavesTheCutOutsMasksOut) {
  for (const char* name : {"1.bmp", "2.bmp", "2.msk.bmp"}) Picture(name);
  CFotoImgListView list;
  Create(list);
  list.SetFolder(library.c_str());
  list.LoadFolderAsync();
  Settle(list);
  EXPECT_EQ(Sorted(list.GetNames()), (std::vector<std::string>{"1.bmp", "2.bmp"}));
}

TEST_F(ListTest, AListOneRowTallShowsNoScrollBar) {
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) Picture(name);
  CCorniciImgListView list;
  // The tools bar's lists: bordered, 125 pixels inside.
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_ICON | LVS_AUTOARRANGE, CRect(0, 0, 600, 127),
                          &host, 10));
  list.SetFolder(library.c_str());
  list.LoadFolderAsync();
  Settle(list);
  ASSERT_EQ(list.GetItemCount(), 3);
  EXPECT_FALSE(list.GetStyle() & WS_VSCROLL);
}

TEST_F(ListTest, AFileListDropsTheUnreadableLastFileAndAReloadReplacesARunningLoad) {
  for (int i = 0; i < 30; ++i) Picture("f" + std::to_string(i) + ".bmp");
  Garbage("rotto.bmp");
  CImmaginiImgListView list;
  Create(list);
  list.SetFolder(library.c_str());
  list.LoadFolderAsync();
  list.LoadFilesAsync({"f1.bmp", "f2.bmp", "rotto.bmp"}, false);
  Settle(list);
  EXPECT_EQ(Sorted(list.GetNames()), (std::vector<std::string>{"f1.bmp", "f2.bmp"}));
  EXPECT_EQ(list.GetItemCount(), 2) << "nothing of the first load is left";
}

TEST_F(ListTest, AListDestroyedDuringALoadStopsItsLoaderFirst) {
  for (int i = 0; i < 30; ++i) Picture("f" + std::to_string(i) + ".bmp");
  auto list = std::make_unique<CEffettiImgListView>();
  Create(*list);
  list->SetFolder(library.c_str());
  list->LoadFolderAsync();
  list->DestroyWindow();
  EXPECT_FALSE(list->IsLoading());
  list.reset();
}

TEST_F(ListTest, DraggingAFrameOntoTheSurfaceCreatesItAndElsewhereNothing) {
  Testable<CCorniciImgListView> list;
  LoadOneFrame(list);
  if (HasFatalFailure()) return;
  // Lies under the drag image's way. What the image saved of the screen comes
  // back black under Wine, so whatever it passed over is painted again.
  PaintWitness witness;
  ASSERT_TRUE(witness.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 100, 50, 300, 250, nullptr, nullptr));
  witness.UpdateWindow();
  auto drag = [&](HWND target) {
    witness.paints = 0;
    NMLISTVIEW begin{};
    begin.hdr.hwndFrom = list.m_hWnd;
    begin.hdr.idFrom = 10;
    begin.hdr.code = LVN_BEGINDRAG;
    begin.iItem = 0;
    host.SendMessage(WM_NOTIFY, 10, reinterpret_cast<LPARAM>(&begin));
    EXPECT_TRUE(frame.paused) << "rendering pauses during a drag";
    list.windowAtDrop = target;
    list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, 100));
    list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(150, 100));
    EXPECT_FALSE(frame.paused);
    MSG msg;
    while (::PeekMessageA(&msg, witness.m_hWnd, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    EXPECT_GT(witness.paints, 0);
  };
  drag(list.m_hWnd);
  EXPECT_EQ(Page()->GetChildCount(), 2u);
  // A list showing the custom graphics folder makes personal frames.
  list.SetStyle(nullptr, true);
  drag(surface.m_hWnd);
  ASSERT_EQ(Page()->GetChildCount(), 3u);
  EXPECT_TRUE(Object(2)->HasTag("cornice"));
  EXPECT_TRUE(static_cast<treeNode::CImgTreeNode*>(Object(2))->IsPersonal());
}

// A hand that leaves the item at once still drags it: the list holds the
// mouse while the button is down, wherever the pointer goes; a click lets go.
TEST_F(ListTest, AQuickDragOffTheItemStillCarriesIt) {
  Testable<CCorniciImgListView> list;
  LoadOneFrame(list);
  if (HasFatalFailure()) return;
  CRect item;
  ASSERT_TRUE(list.GetItemRect(0, &item, LVIR_ICON));
  const LPARAM on = MAKELPARAM(item.CenterPoint().x, item.CenterPoint().y);
  const LPARAM away = MAKELPARAM(350, 100);  // off the list, over the page
  list.windowAtDrop = surface.m_hWnd;
  const size_t before = Page()->GetChildCount();

  list.buttonDown = true;
  list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, on);
  EXPECT_EQ(::GetCapture(), list.m_hWnd);
  list.buttonDown = false;
  list.SendMessage(WM_LBUTTONUP, 0, on);
  EXPECT_NE(::GetCapture(), list.m_hWnd) << "a click lets the mouse go";
  EXPECT_EQ(Page()->GetChildCount(), before);

  list.buttonDown = true;
  list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, on);
  EXPECT_EQ(::GetCapture(), list.m_hWnd) << "the list holds the mouse while the button is down";
  list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, away);
  list.buttonDown = false;
  list.SendMessage(WM_LBUTTONUP, 0, away);
  EXPECT_NE(::GetCapture(), list.m_hWnd);
  ASSERT_EQ(Page()->GetChildCount(), before + 1);
  EXPECT_TRUE(Object(before)->HasTag("cornice"));
}

TEST_F(ListTest, ThePhotoListMarksPhotosInUseAndDeletesOnlyWhatNothingUses) {
  treeNode::CSposalboTreeNode& root = *album->GetRoot();
  spab_imagelist::CMImageList* images = root.GetImageList();
  // A photo put on a page directly: no undo snapshot, no reference counted.
  auto putOnPage = [&](const std::string& name) {
    Page()->SelectAll(false);
    Page()->AddChild(std::make_unique<treeNode::CImgTreeNode>(name, Page()), true);
    Object(Page()->GetChildCount() - 1)->SetSelected(true);
  };
  // What holds each photo of the list (the first is photo A).
  const struct {
    const char* held;
    std::function<void(const std::string&)> hold;
  } cases[] = {
      {"on a page", [](const std::string&) {}},
      {"by undo only",
       [&](const std::string& n) {
         surface.PlacePhoto(n, 0.0f, 0.0f);
         Page()->SelectAll(false);
         Object(Page()->GetChildCount() - 1)->SetSelected(true);
         Page()->DeleteSelection();
       }},
      {"by redo only",
       [&](const std::string& n) {
         surface.PlacePhoto(n, 0.0f, 0.0f);
         root.Undo();
       }},
      {"by the object clipboard only",
       [&](const std::string& n) {
         putOnPage(n);
         root.CopySelection();
         Page()->TakeSelectedChildren();
       }},
      {"by the page clipboard only",
       [&](const std::string& n) {
         root.AddPage(-1);
         root.LastPage();
         putOnPage(n);
         root.CopyPage();
         root.DeletePage();
       }},
      {nullptr, [](const std::string&) {}},  // nothing: it goes
  };
  std::vector<CString> names{sample.PhotoA().c_str()};
  for (const CString& imported : ImportGreenPhotos(std::size(cases) - 1)) names.push_back(imported);
  CFotoImgListView list;
  Create(list);
  list.SetFolder(album->GetImageFolder(true).c_str());
  list.LoadFilesAsync(names, false);
  Settle(list);
  ASSERT_EQ(list.GetItemCount(), static_cast<int>(names.size()));
  EXPECT_EQ(list.GetItemState(0, LVIS_STATEIMAGEMASK), INDEXTOSTATEIMAGEMASK(1)) << "photo A is used";
  EXPECT_EQ(list.GetItemState(1, LVIS_STATEIMAGEMASK), 0u);

  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].held ? cases[i].held : "by nothing");
    const std::string name = names[i].str();
    cases[i].hold(name);
    const auto& shown = list.GetNames();
    const int item = static_cast<int>(std::find(shown.begin(), shown.end(), names[i]) - shown.begin());
    ASSERT_LT(item, list.GetItemCount());
    list.SetItemState(-1, 0, LVIS_SELECTED);
    list.SetItemState(item, LVIS_SELECTED, LVIS_SELECTED);
    const int before = list.GetItemCount();
    list.SendMessage(WM_COMMAND, CFotoImgListView::kDeleteCommand);
    const bool kept = cases[i].held != nullptr;
    EXPECT_EQ(list.GetItemCount(), kept ? before : before - 1);
    EXPECT_EQ(images->Find(name.c_str()) != nullptr, kept);
    EXPECT_EQ(FileExists(album->GetImageFolder(true) + name), kept);
  }
}

// The photo list keeps its photos arranged: the ones after a deleted photo
// close its gap.
TEST_F(ListTest, ADeletedPhotoLeavesNoGap) {
  const std::vector<CString> names = ImportGreenPhotos(3);
  CFotoImgListView list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_AUTOARRANGE, CRect(0, 0, 150, 500), &host, 10));
  list.SetFolder(album->GetImageFolder(true).c_str());
  list.LoadFilesAsync(names, false);
  Settle(list);
  ASSERT_EQ(list.GetItemCount(), 3);
  POINT second{}, moved{};
  list.GetItemPosition(1, &second);
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  list.SendMessage(WM_COMMAND, CFotoImgListView::kDeleteCommand);
  ASSERT_EQ(list.GetItemCount(), 2);
  list.GetItemPosition(1, &moved);
  EXPECT_EQ(moved.x, second.x);
  EXPECT_EQ(moved.y, second.y);
}

// Deleting a photo from a list taller than its window leaves the list scrolled
// where it was: the photos above the deleted one stay in sight.
TEST_F(ListTest, ADeletedPhotoKeepsTheListWhereItWas) {
  const std::vector<CString> names = ImportGreenPhotos(6);
  CFotoImgListView list;
  ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_ICON | LVS_AUTOARRANGE | LVS_SHOWSELALWAYS |
                              LVS_SINGLESEL, CRect(0, 0, 150, 300), &host, 10));
  list.SetFolder(album->GetImageFolder(true).c_str());
  list.LoadFilesAsync(names, false);
  Settle(list);
  ASSERT_EQ(list.GetItemCount(), 6);
  CRect first, firstAfter;
  list.GetItemRect(0, &first, LVIR_BOUNDS);
  // As the right button leaves it: a photo in sight selected and focused.
  list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  CRect shown;
  list.GetItemRect(0, &shown, LVIR_BOUNDS);
  ASSERT_EQ(shown, first);
  list.SendMessage(WM_COMMAND, CFotoImgListView::kDeleteCommand);
  ASSERT_EQ(list.GetItemCount(), 5);
  list.GetItemRect(0, &firstAfter, LVIR_BOUNDS);
  EXPECT_EQ(firstAfter.top, first.top);
  EXPECT_EQ(firstAfter.left, first.left);
}
