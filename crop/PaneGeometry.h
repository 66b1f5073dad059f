#pragma once
// The arithmetic of an image pane: fitting the picture to the view, zooming
// about the view's centre, scrolling and mapping points between the pane and
// the picture. Plain functions, so they can be checked without a window.
#include "framework/geometry.h"

// How the picture lies in the view for a zoom.
struct PaneFit {
  double scale = 0.0;       // screen pixels per picture pixel; 0 when there is nothing to fit
  int zoomedWidth = 0;      // the picture's size on the screen
  int zoomedHeight = 0;
  int offsetX = 0;          // centring offset while the zoomed picture is narrower than the view
  int offsetY = 0;
  bool fitsX = true;        // the zoomed picture is narrower than the view: no horizontal scrolling
  bool fitsY = true;
};

// The largest zoom factor, and the smallest picture side on the screen, a pane accepts.
constexpr double kMaxPaneZoom = 1000.0;
constexpr double kMinZoomedSide = 1.0;

PaneFit FitPicture(int imageWidth, int imageHeight, int viewWidth, int viewHeight, double zoom);

// Whether a zoom can be shown: a finite factor above 0 and at most kMaxPaneZoom
// that leaves the picture at least a pixel wide and tall (or, for a picture
// thinner than that when fitted, no zoom out) and within the range of a
// scroll bar.
bool IsUsableZoom(int imageWidth, int imageHeight, int viewWidth, int viewHeight, double zoom);

// Scroll offsets in effect: none along a side that fits.
CPoint EffectiveScroll(const PaneFit& fit, CPoint scroll);

// The largest scroll offsets: the zoomed picture's end meets the view's end.
CPoint MaxScroll(const PaneFit& fit, int viewWidth, int viewHeight);

// direction 0: picture to pane client; 1: pane client to picture. Results are
// truncated toward zero. Without a positive scale the point stays as it is.
CPoint MapPanePoint(CPoint point, int direction, const PaneFit& fit, CPoint scroll);

// The scroll offsets after a zoom change, keeping the picture point at the
// view's centre where it was, limited to 0..MaxScroll of the new zoom.
CPoint ScrollAfterZoom(const PaneFit& oldFit, CSize oldView, CPoint oldScroll, const PaneFit& newFit, CSize newView);

// A scroll bar request (SB_* code) turned into the new offset: lines of 1,
// pages of 16, the thumb where it was dragged, the ends; limited to 0..maxPos.
int ScrollRequest(int code, int thumbPos, int current, int maxPos);

// The part of the picture that shows in the view, and where it lands: source
// in picture pixels, destination in client coordinates, at least a pixel on
// each side (it may reach a little outside the view; callers clip). False
// when nothing shows.
bool VisiblePart(const PaneFit& fit, CPoint scroll, const CRect& view, int imageWidth, int imageHeight,
                 CRect& source, CRect& destination);
