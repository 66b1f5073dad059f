// The crop road through the editor's real frame: the sample album opened from
// the menu, a photo chosen on the page, the crop dialog driven with mouse
// gestures on its pane, and the cut-out found in the album's image list and on
// the page. With SPAB_CROP_SCREENSHOT set, the dialog with its combined,
// softened selection is written to that path as a bitmap for a person to look at.
#include <gtest/gtest.h>

#include <functional>

#include "app/dialogs/DialogDriving.h"
#include "app/resource.h"
#include "app/support/EditorFrameFixture.h"
#include "crop/CropDlg.h"
#include "crop/CropTool.h"
#include "crop/MouseInput.h"
#include "crop/WindowCapture.h"
#include "document/SposalboDoc.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"
#include "imagelib/ImgBitmap.h"

namespace {
class CropRoadTest : public EditorFrameTest {
 protected:
  void SetUp() override {
    EditorFrameTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(OpenSample());
    list = frame->GetAlbum()->GetRoot()->GetImageList();
    page = frame->GetCurrentPage();
    ASSERT_NE(page, nullptr);
    page->SelectAll(false);
    page->GetChild(0)->SetSelected(true);  // photo A, 64 x 48
  }
  // Drags a rectangle over the photo's pixels (left, top)-(right, bottom) in
  // the dialog, from just outside the first corner (but inside the pane) to
  // just inside the far one.
  static void DragOver(CCropDlg& dialog, CRect pixels) {
    CImageEditPane& pane = dialog.GetPane();
    CPoint from = pane.MapPoint(pixels.TopLeft(), 0) - CSize(3, 3);
    input::Drag(pane.m_hWnd, CPoint(std::max(from.x, 0L), std::max(from.y, 0L)),
                pane.MapPoint(pixels.BottomRight(), 0) + CSize(2, 2));
  }
  // Acts on the shown dialog, then presses the button.
  void AnswerCrop(std::function<void(CCropDlg&)> gestures, int button) {
    ui.AnswerModalWith([gestures, button](CWnd* wnd) {
      auto* dialog = static_cast<CCropDlg*>(wnd);
      input::FlushUntil([dialog] { return ::IsWindowVisible(dialog->m_hWnd) != FALSE; });
      gestures(*dialog);
      dialog_test::Click(dialog, button);
    });
  }
  // Shift held for the crop tools while the owner lives.
  struct HeldShift {
    static bool Held(int key) { return key == VK_SHIFT; }
    CropKeyReader previous = SetCropKeyReader(Held);
    ~HeldShift() { SetCropKeyReader(previous); }
  };

  spab_imagelist::CMImageList* list = nullptr;
  treeNode::CPaginaTreeNode* page = nullptr;
};
}  // namespace

TEST_F(CropRoadTest, ASavedCropBecomesAPhotoOfTheAlbumOverItsSource) {
  AnswerCrop(
      [](CCropDlg& dialog) {
        DragOver(dialog, CRect(0, 0, 32, 24));  // the upper left quarter
        {
          HeldShift shift;  // and, added to it, a rectangle overlapping it
          DragOver(dialog, CRect(16, 12, 48, 36));
        }
        ASSERT_EQ(dialog.GetPane().GetSelection().GetSize(), 1);
        dialog_test::Type(&dialog, IDC_CROP_FEATHER, "50");
        ::RedrawWindow(dialog.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CaptureOnDemand(dialog.m_hWnd, "SPAB_CROP_SCREENSHOT");
      },
      IDC_CROP_SAVE);
  Menu(ID_CROP);
  ASSERT_EQ(list->GetImages().size(), 3u);
  // The cut-out spans both rectangles: (0, 0)-(48, 36) of the 64 x 48 photo.
  const spab_imagelist::CMImg& cut = *list->GetImages().back();
  EXPECT_EQ(cut.tipo, 1);
  EXPECT_NEAR(cut.ratioH, 0.75f, 0.001f);
  EXPECT_NEAR(cut.cropX, -1.0f / 6.0f, 0.001f);
  EXPECT_NEAR(cut.cropY, 0.125f, 0.001f);
  EXPECT_NE(::GetFileAttributesA((Sample().AlbumFolder() + "\\rif\\" + cut.riferimento).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(::GetFileAttributesA((Sample().AlbumFolder() + "\\img\\" + cut.thumb).c_str()), INVALID_FILE_ATTRIBUTES);
  // The page shows it, selected, with the numbers that place it over photo A.
  ASSERT_EQ(page->GetChildCount(), 3u);
  auto* placed = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(2));
  ASSERT_NE(placed, nullptr);
  EXPECT_EQ(placed->GetName(), cut.thumb);
  EXPECT_TRUE(placed->IsSelected());
  EXPECT_FLOAT_EQ(placed->GetCropX(), cut.cropX);
  // The saved list carries the numbers too.
  auto saved = spab_imagelist::CMImageList::Load(Sample().AlbumFolder().c_str(), false);
  ASSERT_TRUE(saved && saved->Find(cut.thumb.c_str()));
  EXPECT_FLOAT_EQ(saved->Find(cut.thumb.c_str())->cropY, cut.cropY);
}

TEST_F(CropRoadTest, LoadingInsteadOfSavingAddsNothing) {
  AnswerCrop([](CCropDlg& dialog) { DragOver(dialog, CRect(0, 0, 32, 24)); }, IDC_CROP_LOAD);
  Menu(ID_CROP);
  EXPECT_EQ(list->GetImages().size(), 2u);
  EXPECT_EQ(page->GetChildCount(), 2u);
  WIN32_FIND_DATAA found;
  HANDLE none = ::FindFirstFileA((Sample().AlbumFolder() + "\\rif\\*.tif").c_str(), &found);
  EXPECT_EQ(none, INVALID_HANDLE_VALUE);
  if (none != INVALID_HANDLE_VALUE) ::FindClose(none);
}

// A failing operation of the image processing library inside the running
// editor (the photo's header spoilt while the crop dialog shows it) is
// reported, the cut-out is refused with the dialog's own message, nothing is
// added, and the editor goes on: the next crop is stored.
TEST_F(CropRoadTest, AFailingImageOperationIsReportedAndTheEditorGoesOn) {
  IplImage* spoilt = nullptr;
  AnswerCrop(
      [&spoilt](CCropDlg& dialog) {
        DragOver(dialog, CRect(0, 0, 32, 24));
        spoilt = const_cast<CImgBitmap&>(dialog.GetImage()).GetIplImage();
        spoilt->align = 3;  // neither 4 nor 8
      },
      IDC_CROP_SAVE);
  Menu(ID_CROP);
  ASSERT_NE(spoilt, nullptr);
  EXPECT_EQ(list->GetImages().size(), 2u);
  EXPECT_EQ(page->GetChildCount(), 2u);
  ASSERT_FALSE(ui.Questions().empty());
  EXPECT_EQ(ui.Questions().back().text.Find("Impossibile salvare il ritaglio"), 0) << ui.Questions().back().text.str();
  EXPECT_EQ(iplGetErrStatus(), 0);

  AnswerCrop([](CCropDlg& dialog) { DragOver(dialog, CRect(0, 0, 32, 24)); }, IDC_CROP_SAVE);
  Menu(ID_CROP);
  EXPECT_EQ(list->GetImages().size(), 3u);
}
