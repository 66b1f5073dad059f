// The crop road through the editor's real frame: the sample album opened from
// the menu, a photo chosen on the page, the crop dialog driven with mouse
// gestures on its pane, and the cut-out found in the album's image list and on
// the page. With SPAB_CROP_SCREENSHOT set, the dialog with its combined,
// softened selection is written to that path as a bitmap for a person to look at.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

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

  // A photo of the laboratory's CD (40 x 30, green) imported and placed
  // alone selected on the page. With clash, a photo imported from a file
  // afterwards (20 x 20, red) gets the reference copy of the CD photo's name.
  std::string PlaceCdPhoto(bool clash) {
    const std::string cd = Temp().Path() + "\\cd";
    MakeFolder(cd);
    SampleAlbum::WritePicture(cd + "\\F01.bmp", 40, 30, 0x00FF00);
    const std::string album = Sample().AlbumFolder();
    EXPECT_TRUE(list->AddFromLabCd("K1", album.c_str(), cd.c_str(), "F01.bmp"));
    const std::string name = list->GetImages().back()->thumb;
    if (clash) {
      SampleAlbum::WritePicture(Temp().Path() + "\\F14.bmp", 20, 20, 0xFF0000);
      const spab_imagelist::CMImg* file = list->AddFromFile((Temp().Path() + "\\F14.bmp").c_str(), album.c_str());
      EXPECT_TRUE(file && file->riferimento == name) << "the reference copy takes the CD photo's name";
    }
    auto photo = std::make_unique<treeNode::CImgTreeNode>(name, page);
    photo->SetScale(0.3f, 0.3f);
    page->SelectAll(false);
    treeNode::CImgTreeNode* placed = photo.get();
    page->AddChild(std::move(photo), true);
    placed->SetSelected(true);
    list->AddRef(name.c_str());
    return name;
  }

  // Crops the upper left quarter of the CD photo through Strumenti > Crea
  // ritaglio: the editor shows that photo, and the cut-out comes from it.
  void CropCdPhoto(bool clash) {
    const std::string name = PlaceCdPhoto(clash);
    const size_t photos = list->GetImages().size();
    int shownWidth = 0, shownHeight = 0;
    AnswerCrop(
        [&](CCropDlg& dialog) {
          shownWidth = dialog.GetImage().GetWidth();
          shownHeight = dialog.GetImage().GetHeight();
          DragOver(dialog, CRect(0, 0, 20, 15));
        },
        IDC_CROP_SAVE);
    Menu(ID_CROP);
    EXPECT_EQ(shownWidth, 40);
    EXPECT_EQ(shownHeight, 30);
    ASSERT_EQ(list->GetImages().size(), photos + 1);
    const spab_imagelist::CMImg& cut = *list->GetImages().back();
    EXPECT_NEAR(cut.ratioH, 0.5f, 0.04f);
    auto* placed = dynamic_cast<treeNode::CImgTreeNode*>(page->GetChild(page->GetChildCount() - 1));
    ASSERT_NE(placed, nullptr);
    EXPECT_EQ(placed->GetName(), cut.thumb);
    EXPECT_NE(placed->GetName(), name);
    CImgBitmap cutPicture;
    ASSERT_TRUE(cutPicture.Load((Sample().AlbumFolder() + "\\rif\\" + cut.riferimento).c_str(), 2, 1));
    EXPECT_NEAR(cutPicture.GetWidth(), 20, 1);
    EXPECT_EQ(ui.PendingAnswers(), 0u);
  }

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

TEST_F(CropRoadTest, ACdPhotoIsCroppedFromItsOwnFile) { CropCdPhoto(false); }

TEST_F(CropRoadTest, ACdPhotoIsCroppedFromItsOwnFileBesideAReferenceCopyOfItsName) { CropCdPhoto(true); }

TEST_F(CropRoadTest, APhotoThatCannotBeReadIsToldByNameAndOpensNoEditor) {
  const std::string name = PlaceCdPhoto(false);
  ::DeleteFileA((Sample().AlbumFolder() + "\\img\\" + name).c_str());
  const size_t photos = list->GetImages().size();
  const size_t objects = page->GetChildCount();
  Menu(ID_CROP);
  // The page tells on its own that it cannot show the photo; the crop says
  // which photo it cannot cut, and opens nothing.
  std::vector<std::string> told;
  for (const AfxUiQuestion& q : ui.Questions()) {
    EXPECT_STRNE(q.kind, "modal");
    if (std::string(q.text.str()).find("ritagliare") != std::string::npos) told.push_back(q.text.str());
  }
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find(name), std::string::npos) << told[0];
  EXPECT_NE(told[0].find("F01.bmp"), std::string::npos) << told[0];
  EXPECT_EQ(list->GetImages().size(), photos);
  EXPECT_EQ(page->GetChildCount(), objects);
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
  ASSERT_FALSE(Asked().empty());
  EXPECT_EQ(Asked().back().text.Find("Impossibile salvare il ritaglio"), 0) << Asked().back().text.str();
  EXPECT_EQ(iplGetErrStatus(), 0);

  AnswerCrop([](CCropDlg& dialog) { DragOver(dialog, CRect(0, 0, 32, 24)); }, IDC_CROP_SAVE);
  Menu(ID_CROP);
  EXPECT_EQ(list->GetImages().size(), 3u);
}
