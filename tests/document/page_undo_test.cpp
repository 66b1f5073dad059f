#include <gtest/gtest.h>

#include "ModelFakes.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PageUndo.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

using namespace treeNode;
using model_test::FakeBox;

namespace {
struct UndoFixture {
    UndoFixture()
    {
        album.AddPage(-1);
        Page()->InsertChildAt(0, std::make_unique<FakeBox>(Page(), 0.0f, 0.0f));
        Page()->InsertChildAt(1, std::make_unique<FakeBox>(Page(), 1.0f, 0.0f));
    }
    CPaginaTreeNode* Page() { return album.GetCurrentPage(); }
    float X(size_t i) { return Page()->GetChild(i)->GetX(); }

    CSposalboTreeNode album{nullptr, nullptr};
};
} // namespace

TEST(PageUndoTest, UndoRestoresThePageBeforeTheLastChangeWithItsSelection)
{
    UndoFixture f;
    f.Page()->GetChild(1)->SetSelected(true);
    f.Page()->MoveSelection(0.5f, 0.0f, true);  // change 1
    f.Page()->SelectAll(false);
    f.Page()->GetChild(0)->SetSelected(true);
    f.Page()->MoveSelection(0.25f, 0.0f, true);  // change 2
    ASSERT_FLOAT_EQ(0.25f, f.X(0));
    CPaginaTreeNode* before = f.Page();
    f.album.Undo();
    EXPECT_NE(before, f.Page()) << "undo swaps the page object";
    EXPECT_FLOAT_EQ(0.0f, f.X(0));
    EXPECT_FLOAT_EQ(1.5f, f.X(1));
    EXPECT_EQ((NodeList{f.Page()->GetChild(0)}), f.Page()->GetSelection());
    EXPECT_TRUE(f.album.CanRedo());
    f.album.Redo();
    EXPECT_FLOAT_EQ(0.25f, f.X(0));
}

TEST(PageUndoTest, ANewChangeAfterUndoKeepsTheRedoHistory)
{
    UndoFixture f;
    f.Page()->GetChild(0)->SetSelected(true);
    f.Page()->MoveSelection(0.5f, 0.0f, true);
    f.album.Undo();
    f.Page()->MoveSelection(0.1f, 0.0f, true);  // a new change
    ASSERT_FLOAT_EQ(0.1f, f.X(0));
    f.album.Redo();
    EXPECT_FLOAT_EQ(0.5f, f.X(0)) << "the undone page comes back";
    f.album.Undo();
    EXPECT_FLOAT_EQ(0.1f, f.X(0)) << "the new change went into the undo history";
}

TEST(PageUndoTest, EmptyStacksAreIgnored)
{
    UndoFixture f;
    CPaginaTreeNode* page = f.Page();
    f.album.Undo();
    f.album.Redo();
    EXPECT_EQ(page, f.Page());
    CPageUndo loose;
    EXPECT_FALSE(loose.CanUndo());
    loose.Undo(f.album, 0);
    EXPECT_EQ(page, f.Page());
}

TEST(PageUndoTest, SnapshotsMarkThePageChangedAndNeedingARefresh)
{
    UndoFixture f;
    EXPECT_FALSE(f.Page()->IsPageModified());
    f.album.SaveUndo();
    EXPECT_TRUE(f.Page()->IsPageModified());
    EXPECT_TRUE(f.Page()->NeedsRefresh());
    EXPECT_TRUE(f.album.IsModified());
}

TEST(PageUndoTest, EachPageHasItsOwnHistory)
{
    UndoFixture f;
    f.album.SaveUndo();
    f.album.AddPage(-1);
    EXPECT_FALSE(f.album.CanUndo());
    f.album.PreviousPage();
    EXPECT_TRUE(f.album.CanUndo());
}

// Undo and redo count the album's photos again, one change per placed photo:
// the photo bar is told once per step, however many pages the album has.
TEST(PageUndoTest, AStepTellsThePhotoBarOnceWhateverTheAlbumHolds)
{
    model_test::FakeHost host;
    CSposalboTreeNode album(nullptr, nullptr);
    auto list = std::make_unique<spab_imagelist::CMImageList>();
    spab_imagelist::CMImg photo;
    photo.thumb = "1.jpg";
    photo.tipo = 1;
    list->AppendCopy(photo);
    album.SetImageList(std::move(list));
    for (int p = 0; p < 12; ++p) {
        album.AddPage(-1);
        for (int i = 0; i < 10; ++i)
            album.GetCurrentPage()->AddChild(
                std::make_unique<CImgTreeNode>("1.jpg", album.GetCurrentPage()), true);
    }
    album.GoToPage(2);
    album.SaveUndo();
    album.GetCurrentPage()->AddChild(std::make_unique<CImgTreeNode>("1.jpg", album.GetCurrentPage()), true);
    for (void (CSposalboTreeNode::*step)() : {&CSposalboTreeNode::Undo, &CSposalboTreeNode::Redo}) {
        const int before = host.thumbnailInvalidations;
        (album.*step)();
        EXPECT_EQ(host.thumbnailInvalidations, before + 1);
    }
    EXPECT_EQ(album.GetImageList()->Find("1.jpg")->refCount, 121);
}
