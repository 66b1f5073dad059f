// The page bar's list following the album's pages, and the template list,
// on the sample album (page 1 with a red photo where the probe looks, page 2
// with a green frame there, page 3 empty).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/lists/PageListView.h"
#include "app/lists/PageRenderer.h"
#include "app/support/ListPictures.h"
#include "app/support/SurfaceFixture.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "render/TestPictures.h"

namespace {
class PageListTest : public SurfaceTest {
 protected:
  void SetUp() override {
    SurfaceTest::SetUp();
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 600, 400), &host, 11));
  }
  CString Label(int item) const { return list.GetItemText(item, 0); }
  // The colour of an item's picture where photo A of page 1 lies.
  COLORREF Probe(int item) { return ListItemPixel(list, item, 82, 64); }
  enum Look { kRed, kGreen, kWhite };
  Look LookOf(int item) {
    const COLORREF c = Probe(item);
    if (GetRValue(c) > 200 && GetGValue(c) < 80) return kRed;
    if (GetGValue(c) > 200 && GetRValue(c) < 80) return kGreen;
    return kWhite;
  }
  CPageImgListView list;
};
}  // namespace

TEST_F(PageListTest, PagesAreNumberedAndTheirPicturesFollowRemovalsAndMoves) {
  list.Refresh(*album->GetRoot());
  ASSERT_EQ(list.GetItemCount(), 3);
  EXPECT_STREQ(Label(2), "3");
  EXPECT_EQ(LookOf(0), kWhite) << "the pages are drawn after the refresh";
  EXPECT_TRUE(list.HasPendingPages());
  list.DrawPendingPages();
  EXPECT_FALSE(list.HasPendingPages());
  EXPECT_FALSE(static_cast<treeNode::CImgTreeNode*>(album->GetRoot()->GetPage(1)->GetChild(0))->AreResourcesLoaded())
      << "a page not on screen keeps no pictures once drawn";
  EXPECT_EQ(LookOf(0), kRed);
  EXPECT_EQ(LookOf(1), kGreen);
  EXPECT_EQ(LookOf(2), kWhite);

  list.MovePageImage(2, 1);  // page 3 moved before page 2
  EXPECT_EQ(LookOf(1), kWhite);
  EXPECT_EQ(LookOf(2), kGreen);
  EXPECT_STREQ(Label(1), "2");
  EXPECT_STREQ(Label(2), "3");

  list.RemovePage(1);
  ASSERT_EQ(list.GetItemCount(), 2);
  EXPECT_STREQ(Label(1), "2");
  EXPECT_EQ(LookOf(0), kRed);
  EXPECT_EQ(LookOf(1), kGreen);

  album->GetRoot()->GoToPage(0);
  album->GetRoot()->AddPage(1);
  list.InsertAlbumPage(*album->GetRoot(), 1);
  ASSERT_EQ(list.GetItemCount(), 3);
  EXPECT_STREQ(Label(2), "3");
  EXPECT_EQ(LookOf(1), kWhite);
  EXPECT_EQ(LookOf(2), kGreen);
}

TEST_F(PageListTest, APageIsDrawnAsItWillBePrintedWithoutItsSelection) {
  std::vector<uint32_t> plain, selected;
  ASSERT_TRUE(RenderPageOffscreen(surface, *Page(), plain));
  Picture(0)->SetSelected(true);
  ASSERT_TRUE(RenderPageOffscreen(surface, *Page(), selected));
  EXPECT_TRUE(plain == selected);
}

TEST_F(PageListTest, APageIsDrawnTheSameWhateverTheShapeOfThePageSurface) {
  std::vector<uint32_t> wide, tall;
  ASSERT_TRUE(RenderPageOffscreen(surface, *Page(), wide));
  // The surface takes the shape of a portrait or square album's page.
  surface.MoveWindow(0, 0, 200, 300);
  surface.UpdateProjection();
  ASSERT_TRUE(RenderPageOffscreen(surface, *Page(), tall));
  ASSERT_EQ(wide.size(), tall.size());
  size_t differing = 0;
  for (size_t i = 0; i < wide.size(); ++i) differing += wide[i] != tall[i];
  EXPECT_EQ(differing, 0u) << "the page's outline is drawn at the thumbnail's own scale";
}

TEST_F(PageListTest, ASliceOfLaterDrawingGivesWayToWhatTheUserDid) {
  list.Refresh(*album->GetRoot());
  ::PostMessageA(host.m_hWnd, WM_NULL, 0, 0);  // a click or a command waiting
  list.DrawPendingPages(60000);
  EXPECT_EQ(LookOf(0), kRed) << "one page at least";
  EXPECT_EQ(LookOf(1), kWhite);
  EXPECT_TRUE(list.HasPendingPages());
  MSG waiting;
  while (::PeekMessageA(&waiting, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&waiting);
  list.DrawPendingPages(60000);
  EXPECT_FALSE(list.HasPendingPages());
  EXPECT_EQ(LookOf(1), kGreen);
}

TEST_F(PageListTest, FineLinesShrunkIntoAThumbnailShowAsEvenGrey) {
  // Page 2's library image made of one-pixel lines: 128 texels on the page
  // surface, 23 pixels in the thumbnail (around 186, 64).
  WriteBmp(sample.LibraryFolder() + "\\fiore.bmp", 128, 128,
           [](int x, int) { return x % 2 ? Rgba{255, 255, 255, 255} : Rgba{0, 0, 0, 255}; });
  album->GetRoot()->GoToPage(1);
  PixelAfterRender(PixelOf(0.5f, 0.0f));
  std::vector<uint32_t> pixels;
  ASSERT_TRUE(RenderPageOffscreen(surface, *Page(), pixels));
  int spread = 0;
  long sum = 0;
  for (int y = 58; y < 70; ++y) {
    for (int x = 180; x < 192; ++x) {
      const auto green = [&](int at) { return static_cast<int>((pixels[y * kPageThumbWidth + at] >> 8) & 0xFF); };
      sum += green(x);
      spread = std::max(spread, std::abs(green(x + 1) - green(x)));
    }
  }
  EXPECT_LE(spread, 16);
  EXPECT_NEAR(sum / 144, 128, 24);
}

TEST_F(PageListTest, APageBarOneRowTallShowsNoScrollBar) {
  list.MoveWindow(0, 0, 900, 152);  // the page bar's list is 170 pixels inside
  list.Refresh(*album->GetRoot());
  ASSERT_EQ(list.GetItemCount(), 3);
  EXPECT_FALSE(list.GetStyle() & WS_VSCROLL);
}

TEST_F(PageListTest, TheTemplateListShowsEveryTemplateThatLoadsWithAPage) {
  const std::string folder = temp.Path() + "\\PageTemplate";
  MakeFolder(folder);
  ::CopyFileA(sample.TemplatePath().c_str(), (folder + "\\fiori.sbt").c_str(), FALSE);
  WriteTextFile(folder + "\\rotto.sbt", "<sposalbo><pagina>");
  WriteTextFile(folder + "\\vuoto.sbt", "<sposalbo pageWidth=\"300\" pageHeight=\"150\" />");
  CTemplateListView templates;
  ASSERT_TRUE(templates.Create(WS_CHILD | WS_VISIBLE | LVS_ICON, CRect(0, 0, 300, 300), &host, 12));
  templates.Fill(folder.c_str());
  ASSERT_EQ(templates.GetItemCount(), 1);
  EXPECT_STREQ(templates.GetNames()[0], "fiori.sbt");
}
