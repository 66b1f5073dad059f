#pragma once
// A themed frame with the test menu bar (resource 300) and a focused child,
// shown at the top-left of the screen on the pinned platform of the menu
// library's fixture. Frames delete themselves when their window goes.
#include "ui/frames/SkinFrameWnd.h"
#include "ui/menus/menus_fixture.h"

enum { kTestMenu = 300, kTestDialog = 301 };

class FrameTest : public MenuLibraryTest {
 protected:
  void TearDown() override;
  // Creates `frame` (or the given object) and gives its child the focus.
  void Open(CSkinFrameWnd* object = nullptr);
  // Screen rectangle of a menu-bar item, and a point inside it clear of text.
  RECT ItemRect(int pos) const;
  POINT ItemCorner(int pos) const;
  // The frame's answer to the system asking what lies under a screen point
  // (the shared mouse pointer stays where it is).
  LRESULT HitTest(POINT screen) const;
  // The pixel of the frame window at a screen point, as drawn.
  COLORREF FramePixel(POINT screen) const;
  // The pixel at ItemCorner(pos) of the bar item painted by its menu in a state.
  COLORREF ItemPixelDrawnAs(int pos, UINT state) const;

  CSkinFrameWnd* frame = nullptr;
};
