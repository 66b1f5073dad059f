#pragma once
// The page surface inside a plain top-level window (400 x 200 client pixels,
// a two-page spread), the stand-in frame and the sample album opened on it.
// Mouse helpers send the button messages with the cursor taken as over the
// surface (the shared cursor is never moved); keys held come from the
// stand-in frame.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "app/support/FakeEditorFrame.h"
#include "app/support/SampleAlbum.h"
#include "document/TempFolder.h"
#include "app/surface/PageStatic.h"
#include "document/SposalboDoc.h"
#include "framework/scripted_ui.h"
#include "render/DeviceFixture.h"

namespace treeNode {
class CImgTreeNode;
}

// The surface with its menus answered by the test: the selection menu picks
// the command in nextChoice (0: none) and the context menu is only counted.
class TestPageStatic : public CSposalboPageStatic {
 public:
  UINT nextChoice = 0;
  int selectionMenus = 0;
  int contextMenus = 0;
  // The back buffer of the last frame drawn.
  Pixels lastFrame;
  // Where the cursor counts as being: tests never move the shared cursor.
  bool cursorOver = true;

 protected:
  UINT TrackSelectionMenu(CSelectionMenu& menu, POINT screen) override;
  void TrackContextMenu(POINT screen) override;
  void PresentFrame() override;
  bool IsCursorOverWindow() const override { return cursorOver; }
};

class SurfaceTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 400;
  static constexpr int kHeight = 200;

  void SetUp() override;
  void TearDown() override;

  // Client pixel of a point in page space at the current pan and zoom.
  POINT PixelOf(float pageX, float pageY) const;
  void Press(POINT at, UINT message = WM_LBUTTONDOWN);
  void MoveTo(POINT at);
  void Release(POINT at);
  void Drag(POINT from, POINT to);
  void Hold(std::initializer_list<int> keys);

  treeNode::CPaginaTreeNode* Page() const;
  // The page's object at an index.
  treeNode::CTreeNode* Object(size_t index) const;
  treeNode::CImgTreeNode* Picture(size_t index) const;
  // The first client pixel over each handle of the selection (drawn once so
  // the handles have their places).
  std::map<int, POINT> HandlePixels();
  // Draws one frame and returns the back buffer's 0xRRGGBB at a client pixel.
  unsigned PixelAfterRender(POINT at);
  // Writes the back buffer as a BMP when SPAB_SCREENSHOT names a file.
  void ScreenshotOnDemand();

  CScriptedUi ui;
  TempFolder temp;
  SampleAlbum sample{temp.Path()};
  FakeEditorFrame frame;
  CWnd host;
  TestPageStatic surface;
  std::unique_ptr<CSposalboDoc> album;
};
