#include <gtest/gtest.h>

#include "ModelFakes.h"
#include "document/nodes/DatiTreeNode.h"
#include "document/nodes/GruppoTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

using namespace treeNode;
using model_test::FakeBox;

namespace {
CSposalboTreeNode& WithPages(CSposalboTreeNode& album, int count)
{
    for (int i = 0; i < count; ++i)
        album.AddPage(-1);
    album.ClearPageListChanged();
    album.SetModified(false);
    return album;
}

FakeBox* AddBox(CPaginaTreeNode* page, float x)
{
    page->InsertChildAt(page->GetChildCount(), std::make_unique<FakeBox>(page, x, 0.0f));
    return static_cast<FakeBox*>(page->GetChild(page->GetChildCount() - 1));
}
} // namespace

TEST(SposalboTest, ANewAlbumHasNoPagesAndTheNewDefaults)
{
    CSposalboTreeNode album(nullptr, nullptr);
    EXPECT_EQ(0, album.GetPageCount());
    EXPECT_EQ(-1, album.GetCurrentPageIndex());
    EXPECT_EQ(0, album.GetNumMinPage());
    EXPECT_EQ(999, album.GetNumMaxPage());
    EXPECT_FLOAT_EQ(2.0f, album.GetAspectRatio());
    EXPECT_TRUE(album.UseLowResImages());
    EXPECT_FALSE(album.IsModified());
    EXPECT_FALSE(album.CanUndo());
    EXPECT_EQ(-1, album.FirstPage());
}

TEST(SposalboTest, NewPagesFollowTheCurrentOne)
{
    CSposalboTreeNode album(nullptr, nullptr);
    album.AddPage(-1);
    EXPECT_EQ(0, album.GetCurrentPageIndex());
    CPaginaTreeNode* first = album.GetPage(0);
    album.AddPage(-1);
    album.GoToPage(0);
    album.AddPage(-1);
    EXPECT_EQ(1, album.GetCurrentPageIndex());
    EXPECT_EQ(3, album.GetPageCount());
    EXPECT_EQ(first, album.GetPage(0));
    EXPECT_EQ(CSposalboTreeNode::kChangeInserted, album.GetPageListChange().kind);
    EXPECT_EQ(1, album.GetPageListChange().first);
    EXPECT_TRUE(album.HasPageListChanged());
    EXPECT_TRUE(album.IsModified());
}

TEST(SposalboTest, AtTheMaximumAddAndPasteDoNothing)
{
    CSposalboTreeNode album(nullptr, nullptr);
    album.SetPageLimits(0, 2);
    WithPages(album, 2);
    album.AddPage(-1);
    album.CopyPage();
    album.PastePage();
    EXPECT_EQ(2, album.GetPageCount());
    EXPECT_TRUE(album.IsAtMaxPages());
    EXPECT_FALSE(album.HasPageListChanged());
    EXPECT_FALSE(album.IsModified());
}

TEST(SposalboTest, CuttingTheFirstPageLeavesNoCurrentPageUntilNavigation)
{
    CSposalboTreeNode album(nullptr, nullptr);
    WithPages(album, 3);
    album.GoToPage(0);
    CPaginaTreeNode* cut = album.GetCurrentPage();
    album.CutPage(true);
    EXPECT_EQ(2, album.GetPageCount());
    EXPECT_EQ(-1, album.GetCurrentPageIndex());
    EXPECT_EQ(cut, album.GetPageClipboard());
    EXPECT_EQ(CSposalboTreeNode::kChangeRemoved, album.GetPageListChange().kind);
    EXPECT_EQ(0, album.NextPage());
}

TEST(SposalboTest, ANewAlbumMayLoseEveryPageButTheMinimumHolds)
{
    CSposalboTreeNode album(nullptr, nullptr);
    WithPages(album, 1);
    album.DeletePage();
    EXPECT_EQ(0, album.GetPageCount());
    CSposalboTreeNode limited(nullptr, nullptr);
    limited.SetPageLimits(1, 30);
    WithPages(limited, 1);
    limited.DeletePage();
    EXPECT_EQ(1, limited.GetPageCount());
    EXPECT_FALSE(limited.IsModified());
}

TEST(SposalboTest, DeleteThenPasteBringsThePageBackAfterTheNewCurrent)
{
    CSposalboTreeNode album(nullptr, nullptr);
    WithPages(album, 3);
    album.GoToPage(1);
    AddBox(album.GetCurrentPage(), 0.25f);
    album.DeletePage();
    EXPECT_EQ(0, album.GetCurrentPageIndex());
    album.PastePage();
    EXPECT_EQ(1, album.GetCurrentPageIndex());
    EXPECT_EQ(3, album.GetPageCount());
    ASSERT_EQ(1u, album.GetCurrentPage()->GetChildCount());
    EXPECT_FLOAT_EQ(0.25f, album.GetCurrentPage()->GetChild(0)->GetX());
    album.PastePage();
    EXPECT_EQ(4, album.GetPageCount()) << "the clipboard keeps its page";
}

TEST(SposalboTest, NavigationStaysInsideThePageList)
{
    CSposalboTreeNode album(nullptr, nullptr);
    WithPages(album, 3);
    EXPECT_EQ(2, album.NextPage());
    EXPECT_EQ(0, album.FirstPage());
    EXPECT_EQ(0, album.PreviousPage());
    EXPECT_EQ(2, album.LastPage());
    EXPECT_EQ(2, album.GoToPage(3));
    EXPECT_EQ(1, album.GoToPage(1));
    EXPECT_EQ(1, album.GoToPage(-1));
}

TEST(SposalboTest, MovingPagesCarriesTheirHistory)
{
    CSposalboTreeNode album(nullptr, nullptr);
    WithPages(album, 3);
    album.GoToPage(0);
    EXPECT_EQ(0, album.MovePageBefore()) << "the first page cannot move before";
    EXPECT_FALSE(album.HasPageListChanged());
    CPaginaTreeNode* page = album.GetCurrentPage();
    album.SaveUndo();
    EXPECT_EQ(1, album.MovePageAfter());
    EXPECT_EQ(page, album.GetPage(1));
    EXPECT_TRUE(album.CanUndo());
    EXPECT_EQ(CSposalboTreeNode::kChangeMoved, album.GetPageListChange().kind);
    EXPECT_EQ(0, album.GetPageListChange().first);
    EXPECT_EQ(1, album.GetPageListChange().second);
    album.LastPage();
    EXPECT_EQ(2, album.MovePageAfter());
    album.GoToPage(0);
    EXPECT_FALSE(album.CanUndo());
}

TEST(SposalboTest, OnlyTheFirstCoverInPageOrderKeepsTheFlag)
{
    CSposalboTreeNode album(nullptr, nullptr);
    WithPages(album, 2);
    album.GoToPage(1);
    EXPECT_FALSE(album.SetCover(true));
    EXPECT_TRUE(album.IsCurrentPageCover());
    album.CopyPage();
    album.PastePage();  // a copy of the cover after it
    EXPECT_TRUE(album.GetPage(1)->IsCover());
    EXPECT_FALSE(album.GetPage(2)->IsCover());
    album.GoToPage(0);
    album.SetCover(true);
    EXPECT_TRUE(album.GetPage(0)->IsCover());
    EXPECT_FALSE(album.GetPage(1)->IsCover());
}

TEST(SposalboTest, APastedCoverKeepsItsFlagWhenNoEarlierPageIsACover)
{
    CSposalboTreeNode album(nullptr, nullptr);
    WithPages(album, 2);
    album.GoToPage(1);
    album.SetCover(true);
    album.CutPage(true);
    album.GoToPage(0);
    album.PastePage();
    EXPECT_TRUE(album.GetPage(1)->IsCover());
}

TEST(SposalboTest, ObjectClipboardCopiesCutsAndPastesWithAnOffset)
{
    CSposalboTreeNode album(nullptr, nullptr);
    WithPages(album, 1);
    CPaginaTreeNode* page = album.GetCurrentPage();
    FakeBox* a = AddBox(page, 0.0f);
    AddBox(page, 0.5f)->SetSelected(true);
    album.CopySelection();
    album.PasteSelection();
    album.PasteSelection();
    ASSERT_EQ(4u, page->GetChildCount());
    EXPECT_FLOAT_EQ(0.6f, page->GetChild(3)->GetX()) << "same offset from the copied object";
    EXPECT_FLOAT_EQ(-0.1f, page->GetChild(3)->GetY());
    EXPECT_EQ((NodeList{page->GetChild(3)}), page->GetSelection());
    page->SelectAll(false);
    a->SetSelected(true);
    album.CutSelection();
    EXPECT_EQ(3u, page->GetChildCount());
    EXPECT_EQ(0, page->GetSelectedCount(false));
    ASSERT_EQ(1u, album.GetObjectClipboard().size());
    EXPECT_FALSE(album.GetObjectClipboard()[0]->IsSelected());
}

TEST(SposalboTest, CuttingAGroupDropsItsSelectedChildrenFromTheSelection)
{
    CSposalboTreeNode album(nullptr, nullptr);
    WithPages(album, 1);
    CPaginaTreeNode* page = album.GetCurrentPage();
    AddBox(page, 0.0f)->SetSelected(true);
    AddBox(page, 0.5f)->SetSelected(true);
    CTreeNode* group = page->GroupSelection();
    group->GetChild(0)->SetSelected(true);  // picked inside the group
    ASSERT_EQ(2, page->GetSelectedCount(false));
    album.CutSelection();
    EXPECT_EQ(0, page->GetSelectedCount(false));
    EXPECT_EQ(0u, page->GetChildCount());
}

TEST(SposalboTest, UndoAndRedoKeepTheAlbumModified)
{
    CSposalboTreeNode album(nullptr, nullptr);
    WithPages(album, 1);
    CPaginaTreeNode* page = album.GetCurrentPage();
    AddBox(page, 0.0f)->SetSelected(true);
    page->MoveSelection(0.5f, 0.0f, true);
    EXPECT_TRUE(album.IsModified());
    album.SetModified(false);
    album.Undo();
    EXPECT_FALSE(album.CanUndo());
    EXPECT_TRUE(album.IsModified()) << "an undone change must still be saved";
    EXPECT_TRUE(album.GetCurrentPage()->NeedsRefresh());
}

TEST(SposalboTest, CloneAlbumIsDeepWithFreshHistories)
{
    CSposalboTreeNode album(nullptr, nullptr);
    album.SetPageSize(300, 200, 4);
    WithPages(album, 2);
    album.GetDati()->AddVariable("sposa", "Anna");
    album.SaveUndo();
    auto copy = album.CloneAlbum(nullptr);
    EXPECT_EQ(2, copy->GetPageCount());
    EXPECT_NE(album.GetPage(0), copy->GetPage(0));
    EXPECT_EQ(copy.get(), copy->GetPage(0)->GetParent());
    EXPECT_EQ(1, copy->GetCurrentPageIndex());
    EXPECT_EQ(300, copy->GetPageWidth());
    EXPECT_FALSE(copy->CanUndo());
    EXPECT_EQ(1u, copy->GetDati()->GetChildCount());
    EXPECT_NE(album.GetDati(), copy->GetDati());
}

TEST(SposalboTest, PhotoReferencesAreRecountedOverAllPages)
{
    CSposalboTreeNode album(nullptr, nullptr);
    WithPages(album, 2);
    // Entries are only made by imports; count on names the list does not know.
    EXPECT_EQ(nullptr, album.FindImage("1.jpg"));
    model_test::FakeHost host;
    album.RecountImageRefs();
    EXPECT_EQ(1, host.thumbnailInvalidations);
}
