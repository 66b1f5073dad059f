// The editor's main road on the surface: open the sample album, edit page 1
// with the mouse, undo one step, save, reopen and find the edit. Writes the
// edited page to the file named by SPAB_SCREENSHOT when it is set.
#include <cmath>

#include "app/support/SurfaceFixture.h"
#include "document/nodes/CorniceTreeNode.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

using treeNode::CImgTreeNode;

TEST_F(SurfaceTest, AnAlbumEditedWithTheMouseIsSavedAndReopenedWithItsEdits) {
  CImgTreeNode* a = Picture(0);
  const POINT centre = PixelOf(a->GetX(), a->GetY());
  // Select and move photo A up by 20 pixels.
  Drag(centre, POINT{centre.x, centre.y - 20});
  const float movedY = a->GetY();
  EXPECT_GT(movedY, 0.05f);
  // Turn it with the wheel, then drop a frame around it (it goes inside).
  surface.OnMouseWheelZoom(MK_CONTROL, 600, CPoint(0, 0));
  EXPECT_NEAR(a->GetRotation(), 10.0f * 3.14159265f / 180.0f, 1e-4f);
  POINT screen = PixelOf(0.0f, 0.0f);
  surface.ClientToScreen(&screen);
  surface.DropFrame("cornice.bmp", screen, false);
  ASSERT_EQ(Page()->GetChildCount(), 2u);
  EXPECT_TRUE(Object(1)->HasTag("cornice"));
  // One undo step takes the frame away again; the move and turn stay.
  album->GetRoot()->Undo();
  ASSERT_EQ(Page()->GetChildCount(), 2u);
  EXPECT_TRUE(Object(0)->HasTag("immagine"));
  ScreenshotOnDemand();

  ASSERT_TRUE(album->Save());
  frame.album = nullptr;
  album.reset();
  album = std::make_unique<CSposalboDoc>(sample.ProjectPath(), &surface);
  frame.album = album.get();
  CImgTreeNode* reopened = Picture(0);
  ASSERT_NE(reopened, nullptr);
  EXPECT_NEAR(reopened->GetY(), movedY, 1e-5f);
  EXPECT_NEAR(reopened->GetRotation(), 10.0f * 3.14159265f / 180.0f, 1e-5f);
}
