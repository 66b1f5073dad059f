#include <gtest/gtest.h>

#include <functional>

#include "ModelFakes.h"
#include "document/nodes/DatiTreeNode.h"
#include "document/nodes/GruppoTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/imagelist/MImageList.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "framework/scripted_ui.h"

using namespace treeNode;
using model_test::FakeBox;
using Album = CSposalboTreeNode;

namespace {
Album& WithPages(Album& album, int count)
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

constexpr int kNoChange = -1;
} // namespace

TEST(SposalboTest, ANewAlbumHasNoPagesAndTheNewDefaults)
{
    Album album(nullptr, nullptr);
    EXPECT_EQ(-1, album.GetCurrentPageIndex());
    EXPECT_EQ(999, album.GetNumMaxPage());
    EXPECT_FLOAT_EQ(2.0f, album.GetAspectRatio());
    EXPECT_TRUE(album.UseLowResImages());
    EXPECT_FALSE(album.IsModified());
    EXPECT_EQ(-1, album.FirstPage());
}

// Page list commands: pages made first (the last one current), limits, the
// commands, then the count, the current page, the change the page list
// reports and whether the album counts as modified.
TEST(SposalboTest, PageListCommands)
{
    const struct {
        const char* name;
        int pages, minPages, maxPages;
        std::function<void(Album&)> steps;
        int count, current, change;
        bool modified;
        int first = 0;  // the first page the change concerns
    } cases[] = {
        {"new pages follow the current one", 2, 0, 999, [](Album& a) { a.GoToPage(0), a.AddPage(-1); },
         3, 1, Album::kChangeInserted, true, 1},
        {"at the maximum add and paste do nothing", 2, 0, 2,
         [](Album& a) { a.AddPage(-1), a.CopyPage(), a.PastePage(); }, 2, 1, kNoChange, false},
        {"cutting the first page leaves no current page", 3, 0, 999,
         [](Album& a) { a.GoToPage(0), a.CutPage(true); }, 2, -1, Album::kChangeRemoved, true},
        {"a new album may lose every page", 1, 0, 999, [](Album& a) { a.DeletePage(); }, 0, -1,
         Album::kChangeRemoved, true},
        {"the minimum holds", 1, 1, 30, [](Album& a) { a.DeletePage(); }, 1, 0, kNoChange, false},
        {"the first page cannot move before", 3, 0, 999, [](Album& a) { a.GoToPage(0), a.MovePageBefore(); },
         3, 0, kNoChange, false},
        {"the last page cannot move after", 3, 0, 999, [](Album& a) { a.MovePageAfter(); }, 3, 2, kNoChange,
         false},
        {"moving after", 3, 0, 999, [](Album& a) { a.GoToPage(0), a.MovePageAfter(); }, 3, 1,
         Album::kChangeMoved, true},
    };
    for (const auto& c : cases) {
        Album album(nullptr, nullptr);
        album.SetPageLimits(c.minPages, c.maxPages);
        WithPages(album, c.pages);
        c.steps(album);
        EXPECT_EQ(c.count, album.GetPageCount()) << c.name;
        EXPECT_EQ(c.current, album.GetCurrentPageIndex()) << c.name;
        EXPECT_EQ(c.change != kNoChange, album.HasPageListChanged()) << c.name;
        if (c.change != kNoChange) {
            EXPECT_EQ(c.change, album.GetPageListChange().kind) << c.name;
            EXPECT_EQ(c.first, album.GetPageListChange().first) << c.name;
        }
        EXPECT_EQ(c.modified, album.IsModified()) << c.name;
    }
}

TEST(SposalboTest, PagesCarryTheirContentAndHistoryThroughTheClipboardAndMoves)
{
    Album album(nullptr, nullptr);
    WithPages(album, 3);
    album.GoToPage(1);
    AddBox(album.GetCurrentPage(), 0.25f);
    album.DeletePage();
    EXPECT_EQ(0, album.GetCurrentPageIndex());
    album.PastePage();
    EXPECT_EQ(1, album.GetCurrentPageIndex());
    ASSERT_EQ(1u, album.GetCurrentPage()->GetChildCount());
    EXPECT_FLOAT_EQ(0.25f, album.GetCurrentPage()->GetChild(0)->GetX());
    album.PastePage();
    EXPECT_EQ(4, album.GetPageCount()) << "the clipboard keeps its page";

    album.GoToPage(0);
    CPaginaTreeNode* cut = album.GetCurrentPage();
    album.CutPage(true);
    EXPECT_EQ(cut, album.GetPageClipboard());
    EXPECT_EQ(0, album.NextPage());

    CPaginaTreeNode* page = album.GetCurrentPage();
    album.SaveUndo();
    EXPECT_EQ(1, album.MovePageAfter());
    EXPECT_EQ(page, album.GetPage(1));
    EXPECT_EQ(0, album.GetPageListChange().first);
    EXPECT_EQ(1, album.GetPageListChange().second);
    EXPECT_TRUE(album.CanUndo()) << "the history moved with the page";
    album.GoToPage(0);
    EXPECT_FALSE(album.CanUndo());
}

TEST(SposalboTest, NavigationStaysInsideThePageList)
{
    Album album(nullptr, nullptr);
    WithPages(album, 3);
    EXPECT_EQ(2, album.NextPage());
    EXPECT_EQ(0, album.FirstPage());
    EXPECT_EQ(0, album.PreviousPage());
    EXPECT_EQ(2, album.LastPage());
    EXPECT_EQ(2, album.GoToPage(3));
    EXPECT_EQ(1, album.GoToPage(1));
    EXPECT_EQ(1, album.GoToPage(-1));
}

TEST(SposalboTest, OnlyTheFirstCoverInPageOrderKeepsTheFlag)
{
    Album album(nullptr, nullptr);
    WithPages(album, 2);
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

    // A pasted cover keeps its flag when no earlier page is a cover.
    album.GoToPage(0);
    album.CutPage(true);
    album.GoToPage(1);
    album.PastePage();
    EXPECT_TRUE(album.GetPage(2)->IsCover());
}

TEST(SposalboTest, ObjectClipboardCopiesCutsAndPastesWithAnOffset)
{
    Album album(nullptr, nullptr);
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

    // Cutting a group drops its selected children from the selection too.
    page->SelectAll(true);
    CTreeNode* group = page->GroupSelection();
    group->GetChild(0)->SetSelected(true);  // picked inside the group
    ASSERT_EQ(2, page->GetSelectedCount(false));
    album.CutSelection();
    EXPECT_EQ(0, page->GetSelectedCount(false));
    EXPECT_EQ(0u, page->GetChildCount());
}

// An edit that would take the album's file past the elements the reader
// takes is refused and told, the page, its history and the page list as they
// were; with room for exactly what it adds it goes through.
TEST(SposalboTest, EditsPastTheCeilingOfObjectsAreRefused)
{
    const struct {
        const char* name;
        std::function<void(Album&)> edit;
        size_t adds;
    } cases[] = {
        {"paste", [](Album& a) { a.PasteSelection(); }, 2},
        {"paste of a page", [](Album& a) { a.PastePage(); }, 3},
        {"new page", [](Album& a) { a.AddPage(-1); }, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CScriptedUi ui;
        Album album(nullptr, nullptr);
        WithPages(album, 1);
        CPaginaTreeNode* page = album.GetCurrentPage();
        AddBox(page, 0.0f)->SetSelected(true);
        AddBox(page, 0.5f)->SetSelected(true);
        album.CopySelection();
        album.CopyPage();
        page->MoveSelection(0.25f, 0.0f, true);  // the one step of the history
        model_test::LeaveRoomFor(album, c.adds - 1);
        c.edit(album);
        EXPECT_EQ(1, album.GetPageCount());
        EXPECT_EQ(2u, page->GetChildCount());
        EXPECT_FALSE(album.HasPageListChanged());
        ASSERT_EQ(1u, ui.Questions().size());
        EXPECT_STREQ("Troppi oggetti", ui.Questions()[0].caption);
        EXPECT_EQ(0, ui.Questions()[0].text.Find("Troppi oggetti: l'album ne conterrebbe pi\xF9 di 50000.\n"))
            << ui.Questions()[0].text.str();
        album.Undo();
        EXPECT_FALSE(album.CanUndo()) << "no step was added";
        EXPECT_FLOAT_EQ(0.0f, album.GetCurrentPage()->GetChild(0)->GetX());
        album.Redo();

        model_test::LeaveRoomFor(album, c.adds);
        c.edit(album);
        EXPECT_EQ(kMaxXmlElements, album.CountFileElements());
        EXPECT_EQ(1u, ui.Questions().size());
    }
}

TEST(SposalboTest, UndoAndRedoKeepTheAlbumModified)
{
    Album album(nullptr, nullptr);
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
    Album album(nullptr, nullptr);
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
    Album album(nullptr, nullptr);
    WithPages(album, 2);
    // Entries are only made by imports; count on names the list does not know.
    EXPECT_EQ(nullptr, album.FindImage("1.jpg"));
    model_test::FakeHost host;
    album.RecountImageRefs();
    EXPECT_EQ(1, host.thumbnailInvalidations);
}
