#pragma once
// The themed frame with themed docking, the test toolbar (four buttons 201 to
// 204 with a separator after the second) docked at the top and a combo box
// hosted at its end; the frame handles 201 and 202 (checked), so 203 and 204
// are disabled.
#include "ui/frames/docking/SkinDockBar.h"
#include "ui/frames/frames_fixture.h"
#include "ui/frames/toolbar/SkinToolBar.h"
#include "ui/frames/toolbar/ToolBarPainter.h"

enum { kToolBar = 302, kShortToolBar = 303, kCombo = 1026 };
const COLORREF kSilver = RGB(192, 192, 192);
// The colours of the test bitmap's four square images (on silver, 2 pixels in).
const COLORREF kImageColours[4] = {RGB(200, 40, 40), RGB(40, 160, 40), RGB(40, 40, 200), RGB(200, 160, 0)};

// A toolbar's background and buttons (the one at index hot drawn hot) as
// drawn into a bitmap of its client area.
struct DrawnToolBar : Canvas {
  explicit DrawnToolBar(CSkinToolBar& toolbar, int hot = -1);
};

class ToolBarTest : public FrameTest {
 protected:
  void OpenWithToolBar(UINT resource = kToolBar);
  void TearDown() override;
  RECT Item(int index);
  // The toolbar's buttons drawn over its background into a bitmap.
  COLORREF DrawnAt(int hot, POINT at);
  static POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  CSkinToolBar toolbar;
  CComboBox combo;
};

// One image of a list drawn on magenta, at a point of the image.
COLORREF ImagePixel(CImageList& list, int image, POINT at);
// A colour greyed as the disabled images are: towards the grey, per channel
// (grey × 145 + mean × 110) >> 8.
COLORREF Greyed(COLORREF c, COLORREF grey);
// A screen bitmap of `count` 16 by 15 images on silver, each a square of the
// colour 2 pixels in (as the test bitmap); the caller owns it.
HBITMAP SquaresBitmap(int count, COLORREF colour);
