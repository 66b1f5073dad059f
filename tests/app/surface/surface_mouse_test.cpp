// The page surface under the mouse: real windows, the sample album's page 1
// (photo A left, photo B right), the stand-in frame's keys and tool mode.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <new>

#include "app/support/SurfaceFixture.h"
#include "document/nodes/ImgTreeNode.h"
#include "document/pages/PaginaTreeNode.h"
#include "document/pages/SposalboTreeNode.h"

using treeNode::CImgTreeNode;

namespace {
constexpr float kPi = 3.14159265f;

class SurfaceMouseTest : public SurfaceTest {
 protected:
  CImgTreeNode* A() const { return Picture(0); }
  CImgTreeNode* B() const { return Picture(1); }
  POINT CentreOf(CImgTreeNode* node) const { return PixelOf(node->GetX(), node->GetY()); }
  bool CanUndo() const { return album->GetRoot()->CanUndo(); }
  // One tick of the render timer; the frames it drew.
  int Tick() {
    const int before = surface.GetFramesDrawn();
    surface.SendMessage(WM_TIMER, CSposalboPageStatic::kRenderTimer);
    return surface.GetFramesDrawn() - before;
  }
  // Ticks until one draws nothing; a surface that never comes to rest fails
  // the test rather than hang it.
  void Settle() {
    for (int i = 0; i < 20; ++i)
      if (Tick() == 0) return;
    ADD_FAILURE() << "the surface never came to rest";
  }
};

// An object whose drawing runs out of memory the first `failures` times.
class FailingToDraw : public treeNode::CTreeNode {
 public:
  explicit FailingToDraw(treeNode::CTreeNode* parent) : CTreeNode("prova", parent) {}
  void Render(int) override {
    if (failures == 0) return;
    --failures;
    throw std::bad_alloc();
  }
  int failures = 1;
};
}  // namespace

TEST_F(SurfaceMouseTest, ClickSelectsAloneAndCtrlClickAddsOrRemoves) {
  Press(CentreOf(A()));
  Release(CentreOf(A()));
  EXPECT_TRUE(A()->IsSelected());
  Press(CentreOf(B()));
  Release(CentreOf(B()));
  EXPECT_FALSE(A()->IsSelected());
  EXPECT_TRUE(B()->IsSelected());
  Hold({VK_CONTROL});
  Press(CentreOf(A()));
  Release(CentreOf(A()));
  EXPECT_EQ(Page()->GetSelectedCount(false), 2);
  Press(CentreOf(A()));
  Release(CentreOf(A()));
  EXPECT_FALSE(A()->IsSelected());
  EXPECT_TRUE(B()->IsSelected());
  EXPECT_FALSE(CanUndo()) << "clicks without movement take no snapshot";
}

TEST_F(SurfaceMouseTest, RubberBandSelectsWhatItTouchesAndNothingWhenReleasedOnItsAnchor) {
  Press(PixelOf(0.0f, 0.45f));
  Release(PixelOf(0.0f, 0.45f));
  EXPECT_EQ(Page()->GetSelectedCount(false), 0);
  EXPECT_FALSE(surface.IsBandVisible());

  Press(PixelOf(-0.95f, 0.45f));
  MoveTo(PixelOf(-0.5f, -0.05f));
  EXPECT_TRUE(surface.IsBandVisible());
  Release(PixelOf(-0.5f, -0.05f));
  EXPECT_TRUE(A()->IsSelected());
  EXPECT_FALSE(B()->IsSelected());
  EXPECT_FALSE(surface.IsBandVisible());
  EXPECT_FALSE(CanUndo());
}

TEST_F(SurfaceMouseTest, DragMovesTheSelectionUnderTheCursorWithOneSnapshot) {
  const float x0 = A()->GetX();
  const POINT from = CentreOf(A());
  Drag(from, POINT{from.x + 36, from.y});
  EXPECT_NEAR(A()->GetX() - x0, 36.0f / kHeight / surface.GetZoomX(), 1e-3f);
  EXPECT_NEAR(A()->GetY(), 0.0f, 1e-4f);
  EXPECT_FALSE(surface.IsCaptured());
  ASSERT_TRUE(CanUndo());
  album->GetRoot()->Undo();
  EXPECT_NEAR(A()->GetX(), x0, 1e-5f) << "one undo step restores the position";
}

TEST_F(SurfaceMouseTest, EveryResizeHandleGrowsTheObjectOutwards) {
  struct Case {
    int handle;
    int dx, dy;  // outwards, in pixels
  } cases[] = {{2, -8, -8}, {3, 0, -8}, {4, 8, -8}, {5, 8, 0}, {6, 8, 8}, {7, 0, 8}, {8, -8, 8}, {9, -8, 0}};
  for (const Case& c : cases) {
    Press(CentreOf(A()));
    Release(CentreOf(A()));
    const float area = std::fabs(A()->GetScaleX() * A()->GetScaleY());
    const std::map<int, POINT> handles = HandlePixels();
    ASSERT_TRUE(handles.count(c.handle)) << c.handle;
    const POINT at = handles.at(c.handle);
    Drag(at, POINT{at.x + c.dx, at.y + c.dy});
    EXPECT_GT(std::fabs(A()->GetScaleX() * A()->GetScaleY()), area * 1.02f) << "handle " << c.handle;
    album->GetRoot()->Undo();
  }
}

TEST_F(SurfaceMouseTest, RotationHandleTurnsTheSelection) {
  Press(CentreOf(A()));
  Release(CentreOf(A()));
  const std::map<int, POINT> handles = HandlePixels();
  ASSERT_TRUE(handles.count(1));
  const POINT at = handles.at(1);
  Drag(at, POINT{at.x + 30, at.y + 10});
  EXPECT_LT(A()->GetRotation(), -0.1f) << "dragging right turns clockwise";
  EXPECT_TRUE(CanUndo());
}

TEST_F(SurfaceMouseTest, PanningInHandModeOrWithSpace) {
  frame.toolMode = 1;
  Drag(PixelOf(0.0f, 0.0f), POINT{PixelOf(0.0f, 0.0f).x + 40, PixelOf(0.0f, 0.0f).y});
  EXPECT_NEAR(surface.GetPanX(), 40.0f / kHeight, 1e-3f);
  frame.toolMode = 2;
  Hold({VK_SPACE});
  Drag(POINT{200, 100}, POINT{200, 80});
  EXPECT_NEAR(surface.GetPanY(), 20.0f / kHeight, 1e-3f);
  EXPECT_EQ(frame.zoomIns + frame.zoomOuts, 0) << "mode 2 with Space pans instead of zooming";
  EXPECT_FALSE(CanUndo());
  EXPECT_FALSE(frame.rulers.empty());
  EXPECT_EQ(frame.rulers.back().reason, 3);
}

TEST_F(SurfaceMouseTest, ZoomClicksAskTheFrame) {
  frame.toolMode = 2;
  Press(POINT{100, 100});
  Release(POINT{100, 100});
  Press(POINT{100, 100}, WM_LBUTTONDBLCLK);
  Release(POINT{100, 100});
  EXPECT_EQ(frame.zoomIns, 2) << "the second of two quick clicks zooms too";
  Hold({VK_MENU});
  Press(POINT{100, 100});
  Release(POINT{100, 100});
  EXPECT_EQ(frame.zoomOuts, 1);
  EXPECT_EQ(frame.colourDialogs, 0);
}

TEST_F(SurfaceMouseTest, WheelScalesTurnsOrReordersTheSelection) {
  for (UINT keys : {UINT{MK_SHIFT}, UINT{MK_CONTROL}, 0u}) surface.OnMouseWheelZoom(keys, 120, CPoint(0, 0));
  EXPECT_FALSE(CanUndo()) << "without a selection the wheel leaves no step to undo";
  Press(CentreOf(A()));
  Release(CentreOf(A()));
  const float scale = A()->GetScaleX();
  surface.OnMouseWheelZoom(MK_SHIFT, 120, CPoint(0, 0));
  EXPECT_NEAR(A()->GetScaleX(), scale * 1.05f, 1e-5f);
  surface.OnMouseWheelZoom(MK_CONTROL, -120, CPoint(0, 0));
  EXPECT_NEAR(A()->GetRotation(), -2.0f * kPi / 180.0f, 1e-5f);
  CImgTreeNode* a = A();
  surface.OnMouseWheelZoom(0, 120, CPoint(0, 0));
  EXPECT_EQ(Picture(1), a) << "forward brings it over B";
}

TEST_F(SurfaceMouseTest, OverlappingObjectsOfferTheSelectionMenuUnlessOneIsSelected) {
  B()->SetPosition(A()->GetX(), A()->GetY());
  surface.nextChoice = CSelectionMenu::kFirstItem + 1;
  Press(CentreOf(A()));
  Release(CentreOf(A()));
  EXPECT_EQ(surface.selectionMenus, 1);
  EXPECT_TRUE(B()->IsSelected());
  EXPECT_FALSE(A()->IsSelected());
  const float x0 = B()->GetX();
  Drag(CentreOf(B()), POINT{CentreOf(B()).x + 20, CentreOf(B()).y});
  EXPECT_EQ(surface.selectionMenus, 1) << "a click on the selection grabs it";
  EXPECT_GT(B()->GetX(), x0);
}

TEST_F(SurfaceMouseTest, RightClickSelectsTheTopmostAndShowsTheContextMenu) {
  B()->SetPosition(A()->GetX(), A()->GetY());
  surface.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(CentreOf(A()).x, CentreOf(A()).y));
  EXPECT_TRUE(B()->IsSelected());
  EXPECT_FALSE(A()->IsSelected());
  EXPECT_EQ(surface.contextMenus, 1);
}

TEST_F(SurfaceMouseTest, DoubleClickOpensTheDialogOfTheSelectedPhoto) {
  Press(CentreOf(A()));
  Release(CentreOf(A()));
  Press(CentreOf(A()), WM_LBUTTONDBLCLK);
  Release(CentreOf(A()));
  EXPECT_EQ(frame.colourDialogs, 1);
  Hold({VK_MENU});
  Press(CentreOf(A()), WM_LBUTTONDBLCLK);
  EXPECT_EQ(frame.externalEdits, 1);
  Hold({VK_SHIFT});
  Press(CentreOf(A()), WM_LBUTTONDBLCLK);
  ASSERT_EQ(frame.cropPaths.size(), 1u);
  EXPECT_NE(frame.cropPaths[0].find("\\rif\\"), std::string::npos) << "the crop works on the full picture";
  EXPECT_EQ(Page()->GetChildCount(), 2u) << "a cancelled crop adds nothing";
  EXPECT_FALSE(CanUndo()) << "and takes no snapshot";
}

TEST_F(SurfaceMouseTest, NothingHappensWithoutAnAlbum) {
  frame.album = nullptr;
  Drag(POINT{100, 100}, POINT{150, 120});
  surface.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(100, 100));
  surface.OnMouseWheelZoom(MK_SHIFT, 120, CPoint(0, 0));
  surface.DropPhoto(sample.PhotoA(), POINT{100, 100});
  EXPECT_EQ(surface.Render(), 0);
  EXPECT_EQ(surface.contextMenus, 0);
  frame.album = album.get();
  EXPECT_EQ(Page()->GetChildCount(), 2u);
}

TEST_F(SurfaceMouseTest, ZoomNeverReachesZeroAndEveryChangeReachesTheRulers) {
  surface.SetZoom(0.5f, 0.5f);
  surface.Zoom(0.0f, 0.0f);
  surface.Zoom(-2.0f, -2.0f);
  EXPECT_FLOAT_EQ(surface.GetZoomX(), 0.5f);
  ASSERT_FALSE(frame.rulers.empty());
  const RulerGeometry& g = frame.rulers.back();
  EXPECT_EQ(g.reason, 2);
  EXPECT_EQ(g.pageWidth, 300);
  EXPECT_EQ(g.pageHeight, 150);
  EXPECT_FLOAT_EQ(g.zoom, 0.5f);
  EXPECT_FLOAT_EQ(g.pixelsPerUnit, 200.0f / 150.0f);
  // At zoom 0.5 the spread's left edge lies half a page height left of the
  // view's centre.
  CRect view;
  host.GetClientRect(&view);
  EXPECT_EQ(g.panX, -(view.Width() / 2 - kHeight / 2));
}

TEST_F(SurfaceMouseTest, RenderDrawsThePageAndRefreshesItsThumbnailOnce) {
  Page()->SetNeedsRefresh(true);
  EXPECT_TRUE(ColourNear(PixelAfterRender(CentreOf(A())), 0xFF0000u, 8));
  EXPECT_TRUE(ColourNear(PixelAfterRender(CentreOf(B())), 0x0000FFu, 8));
  EXPECT_EQ(PixelAfterRender(PixelOf(0.1f, 0.3f) /* page, between the photos */), 0xFFFFFFu);
  EXPECT_EQ(PixelAfterRender(POINT{2, 2}), 0xDCDCDCu) << "outside the page";
  EXPECT_EQ(frame.thumbnailUpdates, 1);
  EXPECT_FALSE(Page()->NeedsRefresh());
  frame.paused = true;
  Page()->SetNeedsRefresh(true);
  surface.Render();
  EXPECT_EQ(frame.thumbnailUpdates, 1) << "nothing is drawn while paused";
  // The frame redraws the current page's thumbnail only while the page is
  // marked changed, at the page's index.
  frame.album->GetRoot()->GoToPage(1);
  const struct {
    bool changed;
    std::vector<int> pages;
  } cases[] = {{false, {}}, {true, {1}}};
  for (const auto& c : cases) {
    frame.thumbnailPages.clear();
    frame.GetCurrentPage()->SetNeedsRefresh(c.changed);
    frame.UpdateCurrentPageThumbnail();
    EXPECT_EQ(frame.thumbnailPages, c.pages) << "changed " << c.changed;
  }
}

TEST_F(SurfaceMouseTest, APageLeftBeforeAFrameShowedItsChangeStillGetsItsThumbnail) {
  surface.Render();
  treeNode::CSposalboTreeNode& album = *frame.album->GetRoot();
  treeNode::CPaginaTreeNode* first = album.GetPage(0);
  first->SetNeedsRefresh(true);  // a drop on the first page, and at once the next page
  album.GoToPage(1);
  frame.thumbnailPages.clear();
  surface.Render();
  EXPECT_EQ(frame.thumbnailPages, std::vector<int>{0});
  EXPECT_FALSE(first->NeedsRefresh());
  // A page cut meanwhile is the page list's business, not a thumbnail's.
  album.GetPage(1)->SetNeedsRefresh(true);
  album.CutPage(true);
  frame.thumbnailPages.clear();
  surface.Render();
  EXPECT_EQ(std::count(frame.thumbnailPages.begin(), frame.thumbnailPages.end(), 1), 0);
}

TEST_F(SurfaceMouseTest, TicksDrawTheRubberBandAsItChangesAndNothingAtRest) {
  Settle();
  EXPECT_EQ(Tick(), 0) << "at rest";
  Press(PixelOf(-0.95f, 0.45f));
  const struct {
    const char* step;
    std::function<void()> take;
  } steps[] = {
      {"the band drawn", [&] { MoveTo(PixelOf(-0.5f, -0.05f)); }},
      {"the band grown", [&] { MoveTo(PixelOf(-0.45f, -0.1f)); }},
      {"the band gone, the photo selected", [&] { Release(PixelOf(-0.45f, -0.1f)); }},
  };
  for (const auto& s : steps) {
    s.take();
    EXPECT_EQ(Tick(), 1) << s.step;
    EXPECT_EQ(Tick(), 0) << s.step;
  }
  EXPECT_TRUE(A()->IsSelected());
}

TEST_F(SurfaceMouseTest, AFrameThatFailedHalfWayIsDrawnAgainAtTheNextTick) {
  Settle();
  Page()->AddChild(std::make_unique<FailingToDraw>(Page()), true);
  EXPECT_EQ(Tick(), 1) << "the object added, its drawing out of memory";
  EXPECT_EQ(Tick(), 1) << "the page drawn again, whole";
  EXPECT_EQ(Tick(), 0) << "at rest";
}

TEST_F(SurfaceMouseTest, TheRenderTimerLivesAndDiesWithTheWindow) {
  EXPECT_EQ(surface.GetTimerId(), static_cast<int>(CSposalboPageStatic::kRenderTimer));
  surface.DestroyWindow();
  EXPECT_EQ(surface.GetTimerId(), 0);
}

TEST_F(SurfaceMouseTest, FramesAreDrawnAtTheSizeTheViewGaveTheWindow) {
  // The view fits the window to a square page's shape and resets nothing.
  CRect window, client;
  surface.GetWindowRect(&window);
  surface.GetClientRect(&client);
  surface.MoveWindow(0, 0, window.Width() - client.Width() + kHeight, window.Height());
  surface.UpdateProjection();
  surface.Render();
  EXPECT_EQ(surface.lastFrame.width, kHeight);
  EXPECT_EQ(surface.lastFrame.height, kHeight);
}
