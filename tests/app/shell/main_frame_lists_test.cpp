// The main frame's library folders and its lists: profile values and their
// defaults, the custom folder, and the page bar following the album.
#include <gtest/gtest.h>

#include "app/resource.h"
#include "app/shell/StatusPanes.h"
#include "app/support/EditorFrameFixture.h"
#include "app/dialogs/FontListFile.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/services/FileWatch.h"
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

TEST(StatusPanes, PageAndSizeTextsAreCentredAndBlankWithoutAnAlbum) {
  EXPECT_EQ(PagePaneText(false, 0, 0), " ");
  EXPECT_EQ(SizePaneText(false, 0, 0), "        ");
  EXPECT_EQ(PagePaneText(true, 2, 12), "       3 / 12");  // six characters, seven blanks
  EXPECT_EQ(SizePaneText(true, 300, 200), "      300 x 200");
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

TEST_F(MainFrameListsTest, AChangeOfAnUnknownWatchOnlyReloadsThePagesPictures) {
  frame->SetAlbum(std::make_unique<CSposalboDoc>(Sample().ProjectPath(), frame->GetPageView()));
  treeNode::CPaginaTreeNode* page = frame->GetCurrentPage();
  page->SetNeedsRefresh(false);
  frame->SendMessage(GetFileWatchMessage(), 4711, 0);
  EXPECT_TRUE(page->NeedsRefresh());
}
