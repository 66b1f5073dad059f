// The editor's main road on the surface: open the sample album, edit it with
// the mouse (select, move, rotate, resize, drop a photo into a frame), undo
// one step, save, reopen and find the edits. Writes the edited page to the
// file named by SPAB_SCREENSHOT when it is set.
#include "app/support/SurfaceFixture.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

using treeNode::CImgTreeNode;

TEST_F(SurfaceTest, AnAlbumEditedWithTheMouseIsSavedAndReopenedWithItsEdits) {
  treeNode::CSposalboTreeNode& root = *album->GetRoot();
  // Page 2: the masked frame, chosen with a click, receives photo B dropped
  // anywhere on the page.
  root.GoToPage(1);
  const POINT frameCentre = PixelOf(-0.5f, 0.0f);
  Press(frameCentre);
  Release(frameCentre);
  ASSERT_TRUE(Object(0)->IsSelected());
  POINT screen = PixelOf(0.5f, 0.3f);
  surface.ClientToScreen(&screen);
  surface.DropPhoto(sample.PhotoB(), screen);
  ASSERT_EQ(Object(0)->GetChildCount(), 1u);

  // Page 1: photo A selected and moved up by a drag, turned by its rotation
  // handle and made larger by its bottom-right handle.
  root.GoToPage(0);
  const POINT centre = PixelOf(Picture(0)->GetX(), Picture(0)->GetY());
  Drag(centre, POINT{centre.x, centre.y - 20});
  ASSERT_TRUE(Picture(0)->IsSelected());
  const float movedY = Picture(0)->GetY();
  EXPECT_GT(movedY, 0.05f);
  const POINT turn = HandlePixels().at(treeNode::kHandleRotate);
  Drag(turn, POINT{turn.x + 30, turn.y + 10});
  const float turned = Picture(0)->GetRotation();
  EXPECT_LT(turned, -0.1f);
  const float scale = Picture(0)->GetScaleX();
  const POINT corner = HandlePixels().at(6);
  Drag(corner, POINT{corner.x + 12, corner.y + 12});
  const float grown = Picture(0)->GetScaleX();
  EXPECT_GT(grown, scale * 1.02f);
  const float x = Picture(0)->GetX(), y = Picture(0)->GetY();
  // One more move, and one undo step takes back only that move.
  const POINT now = PixelOf(Picture(0)->GetX(), Picture(0)->GetY());
  Drag(now, POINT{now.x + 40, now.y});
  root.Undo();
  EXPECT_NEAR(Picture(0)->GetX(), x, 1e-5f);
  EXPECT_NEAR(Picture(0)->GetRotation(), turned, 1e-5f);
  EXPECT_NEAR(Picture(0)->GetScaleX(), grown, 1e-5f);
  ScreenshotOnDemand();

  ASSERT_TRUE(album->Save());
  frame.album = nullptr;
  album.reset();
  album = std::make_unique<CSposalboDoc>(sample.ProjectPath(), &surface);
  frame.album = album.get();
  CImgTreeNode* reopened = Picture(0);
  ASSERT_NE(reopened, nullptr);
  EXPECT_NEAR(reopened->GetX(), x, 1e-5f);
  EXPECT_NEAR(reopened->GetY(), y, 1e-5f);
  EXPECT_NEAR(reopened->GetRotation(), turned, 1e-5f);
  EXPECT_NEAR(reopened->GetScaleX(), grown, 1e-5f);
  album->GetRoot()->GoToPage(1);
  ASSERT_EQ(Object(0)->GetChildCount(), 1u);
  auto* inFrame = dynamic_cast<CImgTreeNode*>(Object(0)->GetChild(0));
  ASSERT_NE(inFrame, nullptr);
  EXPECT_EQ(inFrame->GetName(), sample.PhotoB());
}
