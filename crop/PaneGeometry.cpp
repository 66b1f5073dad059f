#include "crop/PaneGeometry.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
// Pages of a scroll bar request, in screen pixels.
constexpr int kScrollPage = 16;

int truncated(double v) {
  if (!(v > INT_MIN)) return INT_MIN;
  if (v >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(v);
}
}  // namespace

PaneFit FitPicture(int imageWidth, int imageHeight, int viewWidth, int viewHeight, double zoom) {
  PaneFit fit;
  if (imageWidth <= 0 || imageHeight <= 0 || viewWidth <= 0 || viewHeight <= 0 || !(zoom > 0.0)) return fit;
  fit.scale = std::min(static_cast<double>(viewWidth) / imageWidth, static_cast<double>(viewHeight) / imageHeight) * zoom;
  const double w = imageWidth * fit.scale, h = imageHeight * fit.scale;
  fit.zoomedWidth = truncated(w);
  fit.zoomedHeight = truncated(h);
  fit.fitsX = w < viewWidth;
  fit.fitsY = h < viewHeight;
  fit.offsetX = fit.fitsX ? truncated((viewWidth - w) / 2.0) : 0;
  fit.offsetY = fit.fitsY ? truncated((viewHeight - h) / 2.0) : 0;
  return fit;
}

bool IsUsableZoom(int imageWidth, int imageHeight, int viewWidth, int viewHeight, double zoom) {
  if (!std::isfinite(zoom) || !(zoom > 0.0) || zoom > kMaxPaneZoom) return false;
  PaneFit fit = FitPicture(imageWidth, imageHeight, viewWidth, viewHeight, zoom);
  if (!(fit.scale > 0.0)) return false;
  const double w = imageWidth * fit.scale, h = imageHeight * fit.scale;
  // A photo far longer than wide is thinner than a pixel already when fitted:
  // zooming in only widens it, and is how its other side comes into view.
  const bool visible = (w >= kMinZoomedSide && h >= kMinZoomedSide) || zoom >= 1.0;
  return visible && w < INT_MAX / 2 && h < INT_MAX / 2;
}

CPoint EffectiveScroll(const PaneFit& fit, CPoint scroll) {
  return CPoint(fit.fitsX ? 0 : scroll.x, fit.fitsY ? 0 : scroll.y);
}

CPoint MaxScroll(const PaneFit& fit, int viewWidth, int viewHeight) {
  return CPoint(std::max(0, fit.zoomedWidth - viewWidth), std::max(0, fit.zoomedHeight - viewHeight));
}

CPoint MapPanePoint(CPoint point, int direction, const PaneFit& fit, CPoint scroll) {
  if (!(fit.scale > 0.0)) return point;
  CPoint s = EffectiveScroll(fit, scroll);
  if (direction == 0)
    return CPoint(truncated(point.x * fit.scale - s.x + fit.offsetX), truncated(point.y * fit.scale - s.y + fit.offsetY));
  return CPoint(truncated((static_cast<double>(point.x) + s.x - fit.offsetX) / fit.scale),
                truncated((static_cast<double>(point.y) + s.y - fit.offsetY) / fit.scale));
}

CPoint ScrollAfterZoom(const PaneFit& oldFit, CSize oldView, CPoint oldScroll, const PaneFit& newFit, CSize newView) {
  if (!(oldFit.scale > 0.0) || !(newFit.scale > 0.0)) return CPoint(0, 0);
  CPoint s = EffectiveScroll(oldFit, oldScroll);
  // The picture point under the view's centre.
  const double cx = (oldView.cx / 2.0 + s.x - oldFit.offsetX) / oldFit.scale;
  const double cy = (oldView.cy / 2.0 + s.y - oldFit.offsetY) / oldFit.scale;
  CPoint limit = MaxScroll(newFit, newView.cx, newView.cy);
  CPoint result(newFit.fitsX ? 0 : truncated(cx * newFit.scale - newView.cx / 2.0),
                newFit.fitsY ? 0 : truncated(cy * newFit.scale - newView.cy / 2.0));
  result.x = std::min<LONG>(std::max<LONG>(result.x, 0), limit.x);
  result.y = std::min<LONG>(std::max<LONG>(result.y, 0), limit.y);
  return result;
}

int ScrollRequest(int code, int thumbPos, int current, int maxPos) {
  int target = current;
  switch (code) {
    case SB_LINEUP: target = current - 1; break;
    case SB_LINEDOWN: target = current + 1; break;
    case SB_PAGEUP: target = current - kScrollPage; break;
    case SB_PAGEDOWN: target = current + kScrollPage; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: target = thumbPos; break;
    case SB_TOP: target = 0; break;
    case SB_BOTTOM: target = maxPos; break;
    default: break;
  }
  return std::min(std::max(target, 0), std::max(maxPos, 0));
}

bool VisiblePart(const PaneFit& fit, CPoint scroll, const CRect& view, int imageWidth, int imageHeight,
                 CRect& source, CRect& destination) {
  if (!(fit.scale > 0.0)) return false;
  CPoint s = EffectiveScroll(fit, scroll);
  const double left = fit.offsetX - s.x, top = fit.offsetY - s.y;
  // Picture pixels touched by the view, widened to whole pixels.
  int x0 = std::max(0, static_cast<int>(std::floor((view.left - left) / fit.scale)));
  int y0 = std::max(0, static_cast<int>(std::floor((view.top - top) / fit.scale)));
  int x1 = std::min(imageWidth, static_cast<int>(std::ceil((view.right - left) / fit.scale)));
  int y1 = std::min(imageHeight, static_cast<int>(std::ceil((view.bottom - top) / fit.scale)));
  if (x1 <= x0 || y1 <= y0) return false;
  source.SetRect(x0, y0, x1, y1);
  destination.SetRect(static_cast<int>(std::lround(left + x0 * fit.scale)), static_cast<int>(std::lround(top + y0 * fit.scale)),
                      static_cast<int>(std::lround(left + x1 * fit.scale)), static_cast<int>(std::lround(top + y1 * fit.scale)));
  // A side thinner than a pixel on the screen still shows as one.
  destination.right = std::max(destination.right, destination.left + 1);
  destination.bottom = std::max(destination.bottom, destination.top + 1);
  return true;
}
