// Drops from the lists onto the surface and the crop launch, on the sample
// album: page 1 (photo A, photo B) and page 2 (masked frame, library image).
#include "app/support/SurfaceFixture.h"
#include "document/ModelFakes.h"
#include "document/imagelist/MImageList.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/albumfile/NestingLimit.h"
#include "document/nodes/EffectTreeNode.h"
#include "document/nodes/GruppoTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/nodes/SfondoTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

using treeNode::CImgTreeNode;

namespace {
class SurfaceDropTest : public SurfaceTest {
 protected:
  int Refs(const std::string& name) const {
    const spab_imagelist::CMImg* image = album->GetRoot()->GetImageList()->Find(name.c_str());
    return image ? image->refCount : -1;
  }
  POINT Screen(POINT client) const {
    surface.ClientToScreen(&client);
    return client;
  }
  void Select(std::initializer_list<size_t> indexes) {
    Page()->SelectAll(false);
    for (size_t i : indexes) Object(i)->SetSelected(true);
  }
  void GoToPage2() { album->GetRoot()->GoToPage(1); }
  bool CanUndo() const { return album->GetRoot()->CanUndo(); }
};
}  // namespace

TEST_F(SurfaceDropTest, APhotoLandsAtTheDropPointAndCounts) {
  const int refs = Refs(sample.PhotoB());
  surface.DropPhoto(sample.PhotoB(), Screen(PixelOf(0.1f, 0.2f)));
  ASSERT_EQ(Page()->GetChildCount(), 3u);
  CImgTreeNode* photo = Picture(2);
  EXPECT_EQ(photo->GetName(), sample.PhotoB());
  EXPECT_NEAR(photo->GetX(), 0.1f, 0.01f);
  EXPECT_NEAR(photo->GetY(), 0.2f, 0.01f);
  EXPECT_FLOAT_EQ(photo->GetScaleY(), 0.2f);
  EXPECT_EQ(Refs(sample.PhotoB()), refs + 1);
  EXPECT_TRUE(CanUndo());
  EXPECT_TRUE(Page()->NeedsRefresh());
}

TEST_F(SurfaceDropTest, APhotoWithTwoSelectedDeselectsBothAndLandsOnThePage) {
  Select({0, 1});
  surface.DropPhoto(sample.PhotoA(), Screen(PixelOf(0.0f, 0.0f)));
  EXPECT_EQ(Page()->GetChildCount(), 3u);
  EXPECT_EQ(Page()->GetSelectedCount(false), 0);
}

TEST_F(SurfaceDropTest, APhotoOnASelectedPhotoRenamesItKeepingItsPlaceAndMovesOneReference) {
  Select({0});
  Picture(0)->SetRotation(0.5f);
  const int refsA = Refs(sample.PhotoA()), refsB = Refs(sample.PhotoB());
  surface.DropPhoto(sample.PhotoB(), Screen(PixelOf(0.5f, 0.3f)));
  ASSERT_EQ(Page()->GetChildCount(), 2u);
  EXPECT_EQ(Picture(0)->GetName(), sample.PhotoB());
  EXPECT_FLOAT_EQ(Picture(0)->GetX(), -0.4f);
  EXPECT_FLOAT_EQ(Picture(0)->GetRotation(), 0.5f);
  EXPECT_EQ(Refs(sample.PhotoA()), refsA - 1);
  EXPECT_EQ(Refs(sample.PhotoB()), refsB + 1);
}

TEST_F(SurfaceDropTest, CtrlMakesThePhotoThePageBackground) {
  Hold({VK_CONTROL});
  const int refs = Refs(sample.PhotoA());
  surface.DropPhoto(sample.PhotoA(), Screen(PixelOf(0.0f, 0.0f)));
  ASSERT_NE(Page()->GetBackground()->GetImage(), nullptr);
  EXPECT_EQ(Page()->GetBackground()->GetImage()->GetName(), sample.PhotoA());
  EXPECT_EQ(Page()->GetChildCount(), 2u);
  EXPECT_EQ(Refs(sample.PhotoA()), refs + 1);
  surface.DropPhoto(sample.PhotoB(), Screen(PixelOf(0.0f, 0.0f)));
  EXPECT_EQ(Refs(sample.PhotoA()), refs) << "the replaced background photo gives its reference back";
}

TEST_F(SurfaceDropTest, OnPageTwoAPhotoFillsAMaskedFrameOrReplacesALibraryImage) {
  GoToPage2();
  auto* frameNode = dynamic_cast<treeNode::CCorniceTreeNode*>(Object(0));
  ASSERT_TRUE(frameNode && frameNode->IsMasked());
  Select({0});
  surface.DropPhoto(sample.PhotoA(), Screen(PixelOf(0.9f, 0.4f)));
  ASSERT_EQ(frameNode->GetChildCount(), 1u);
  auto* inside = dynamic_cast<CImgTreeNode*>(frameNode->GetChild(0));
  ASSERT_NE(inside, nullptr);
  EXPECT_FLOAT_EQ(inside->GetX(), frameNode->GetX());
  EXPECT_FLOAT_EQ(inside->GetScaleX(), 0.2f);

  frameNode->SetMasked(false);
  Select({0});
  surface.DropPhoto(sample.PhotoA(), Screen(PixelOf(0.9f, 0.4f)));
  EXPECT_EQ(frameNode->GetChildCount(), 1u) << "an unmasked frame is not filled";
  EXPECT_EQ(Page()->GetChildCount(), 3u);

  Select({1});
  const float x = Picture(1)->GetX();
  surface.DropPhoto(sample.PhotoB(), Screen(PixelOf(0.0f, 0.0f)));
  ASSERT_EQ(Page()->GetChildCount(), 3u);
  EXPECT_TRUE(Object(1)->HasTag("immagine")) << "the photo takes the image's place among its siblings";
  EXPECT_FLOAT_EQ(Picture(1)->GetX(), x);
  EXPECT_TRUE(Object(1)->IsSelected());
}

TEST_F(SurfaceDropTest, EffectsGoOnlyOnASelectedPhotoOrFrame) {
  GoToPage2();
  Select({1});
  surface.DropEffect("effetto.bmp", Screen(PixelOf(0.0f, 0.0f)), false);
  EXPECT_EQ(Picture(1)->GetEffect(), nullptr);
  EXPECT_FALSE(CanUndo()) << "a refused effect takes no snapshot";
  Select({0});
  surface.DropEffect("effetto.bmp", Screen(PixelOf(0.0f, 0.0f)), true);
  ASSERT_NE(Picture(0)->GetEffect(), nullptr);
  EXPECT_TRUE(Picture(0)->GetEffect()->IsPersonal());
}

TEST_F(SurfaceDropTest, FramesLandAtThePointFitThePageOrTakeTheSelectionIn) {
  surface.DropFrame("cornice.bmp", Screen(PixelOf(0.2f, 0.1f)), false);
  ASSERT_EQ(Page()->GetChildCount(), 3u);
  EXPECT_NEAR(Picture(2)->GetX(), 0.2f, 0.01f);
  EXPECT_FLOAT_EQ(Picture(2)->GetScaleX(), 0.2f);

  Page()->SelectAll(false);
  Hold({VK_CONTROL, VK_SHIFT});
  surface.DropFrame("cornice.bmp", Screen(PixelOf(0.0f, 0.0f)), false);
  CImgTreeNode* stretched = Picture(3);
  EXPECT_NEAR(stretched->GetScaleX() * stretched->GetWidth(), Page()->GetWidth(), 1e-4f);
  EXPECT_NEAR(stretched->GetScaleY() * stretched->GetHeight(), 1.0f, 1e-4f);
  EXPECT_TRUE(stretched->IsLocked());

  Hold({});
  Select({0});
  const float width = Picture(0)->GetScaleX() * Picture(0)->GetWidth();
  surface.DropFrame("cornice.bmp", Screen(PixelOf(0.0f, 0.0f)), false);
  CImgTreeNode* around = Picture(Page()->GetChildCount() - 1);
  EXPECT_EQ(around->GetChildCount(), 1u) << "the selected photo went into the frame";
  EXPECT_NEAR(around->GetScaleX() * around->GetWidth(), width, 1e-3f);
  album->GetRoot()->Undo();
  EXPECT_EQ(Page()->GetChildCount(), 4u) << "one undo step takes the frame back out";
}

TEST_F(SurfaceDropTest, AFrameAroundASelectionNeverNestsItPastTheAlbumsDepth) {
  const struct {
    std::initializer_list<int> keys;
    int height;  // of the selected object: 98 levels below the page fill the album's 100
    bool taken;
  } cases[] = {{{}, 97, true}, {{}, 98, false}, {{VK_MENU}, 98, false}, {{VK_CONTROL, VK_MENU}, 98, false}};
  treeNode::CSposalboTreeNode& root = *album->GetRoot();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.height);
    root.AddPage(-1);
    root.LastPage();
    treeNode::CTreeNode* level = Page();
    for (int i = 0; i < c.height; ++i) {
      auto group = std::make_unique<treeNode::CGruppoTreeNode>(level);
      treeNode::CTreeNode* next = group.get();
      level->AddChild(std::move(group), true);
      level = next;
    }
    Select({0});
    Hold(c.keys);
    surface.DropFrame("cornice.bmp", Screen(PixelOf(0.0f, 0.0f)), false);
    ASSERT_EQ(Page()->GetChildCount(), 1u);
    EXPECT_EQ(Object(0)->HasTag("cornice"), c.taken);
    EXPECT_EQ(CanUndo(), c.taken);
    EXPECT_LE(Page()->GetLevel() + Object(0)->GetSubtreeHeight(), kMaxNestingDepth);
  }
}

TEST_F(SurfaceDropTest, ATemplateAddsItsObjects) {
  surface.DropTemplate(sample.TemplatePath(), Screen(PixelOf(0.0f, 0.0f)));
  ASSERT_EQ(Page()->GetChildCount(), 4u);
  EXPECT_TRUE(Object(2)->HasTag("image"));
  EXPECT_FLOAT_EQ(Picture(3)->GetX(), -0.1f);
}

// A drop that would take the album's file past the elements the reader takes
// is refused and told, the page and its history as they were; with room for
// exactly what it adds it lands.
TEST_F(SurfaceDropTest, DropsPastTheCeilingOfObjectsAreRefused) {
  const POINT at = Screen(PixelOf(0.0f, 0.0f));
  const struct {
    const char* name;
    std::initializer_list<int> keys;
    size_t adds;
    std::function<void()> drop;
  } cases[] = {
      {"a photo", {}, 1, [&] { surface.DropPhoto(sample.PhotoB(), at); }},
      {"a photo as the background", {VK_CONTROL}, 2,
       [&] { surface.DropPhoto(sample.PhotoA(), at); }},
      {"a frame", {}, 1, [&] { surface.DropFrame("cornice.bmp", at, false); }},
      {"a template", {}, 2, [&] { surface.DropTemplate(sample.TemplatePath(), at); }},
  };
  treeNode::CSposalboTreeNode& root = *album->GetRoot();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    // A page of its own: empty, without a background or a history.
    model_test::LeaveRoomFor(root, 1);
    root.AddPage(-1);
    root.LastPage();
    Hold(c.keys);
    ui.Clear();
    const size_t objects = Page()->GetChildCount();
    treeNode::CSfondoTreeNode* background = Page()->GetBackground();
    model_test::LeaveRoomFor(root, c.adds - 1);
    c.drop();
    EXPECT_EQ(Page()->GetChildCount(), objects);
    EXPECT_EQ(Page()->GetBackground(), background);
    EXPECT_FALSE(CanUndo());
    ASSERT_EQ(ui.Questions().size(), 1u);
    EXPECT_EQ(ui.Questions()[0].text.Find("Troppi oggetti: l'album ne conterrebbe pi\xF9 di 50000.\n"), 0)
        << ui.Questions()[0].text.str();

    model_test::LeaveRoomFor(root, c.adds);
    c.drop();
    EXPECT_EQ(root.CountFileElements(), kMaxXmlElements);
    EXPECT_TRUE(CanUndo());
    EXPECT_EQ(ui.Questions().size(), 1u);
  }
}

TEST_F(SurfaceDropTest, AStoredCropIsPlacedOverThePhotoAndACancelledOneChangesNothing) {
  surface.CropPhoto(Picture(0));
  EXPECT_EQ(Page()->GetChildCount(), 2u);
  EXPECT_FALSE(CanUndo());

  frame.cropAccepts = true;
  surface.CropPhoto(Picture(0));
  ASSERT_EQ(Page()->GetChildCount(), 3u);
  CImgTreeNode* cut = Picture(2);
  EXPECT_TRUE(cut->IsSelected());
  EXPECT_EQ(Refs(cut->GetName()), 1);
  EXPECT_FLOAT_EQ(cut->GetCropX(), 0.1f);
  EXPECT_EQ(frame.photoListRefreshes, 1);
  EXPECT_TRUE(CanUndo());
  // The list was saved with the new photo.
  auto saved = spab_imagelist::CMImageList::Load(album->GetFolder().c_str(), false);
  ASSERT_TRUE(saved);
  EXPECT_NE(saved->Find(cut->GetName().c_str()), nullptr);
  // Alone on the page, the cut-out shows its shape: the page through its hole.
  Page()->SelectAll(false);
  cut->SetPosition(0.0f, 0.0f);
  cut->SetScale(0.5f, 0.5f);
  EXPECT_EQ(PixelAfterRender(PixelOf(0.05f, 0.03f)), 0xFFFFFFu) << "the hole";
  EXPECT_TRUE(ColourNear(PixelAfterRender(PixelOf(-0.25f, 0.0f)), 0x00A000, 16)) << "the ring";
}

TEST_F(SurfaceDropTest, ADropOutsideTheSurfaceDoesNothing) {
  surface.DropPhoto(sample.PhotoA(), Screen(POINT{kWidth + 5, 10}));
  EXPECT_EQ(Page()->GetChildCount(), 2u);
  EXPECT_FALSE(CanUndo());
}
