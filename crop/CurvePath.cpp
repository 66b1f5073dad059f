#include "crop/CurvePath.h"

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {
// How far a flattened curve may stray from the true one, in pixels.
constexpr REAL kFlatness = 0.25f;
}  // namespace

std::vector<Point> CurvePoints(const CPoly& poly, const PointMapping& map) {
  std::vector<Point> points;
  points.reserve(static_cast<size_t>(poly.GetSize()) + 1);
  for (INT_PTR i = 0; i < poly.GetSize(); ++i) {
    CPoint p = map ? map(poly[i]) : poly[i];
    points.emplace_back(p.x, p.y);
  }
  if (!points.empty() && (points.back().X != points.front().X || points.back().Y != points.front().Y))
    points.push_back(points.front());
  return points;
}

bool AddCurve(GpPath* path, const std::vector<Point>& points, float tension) {
  if (points.size() < 2) return false;
  return GdipAddPathCurve2I(path, points.data(), static_cast<INT>(points.size()), tension) == Ok;
}

bool FlattenCurve(const std::vector<Point>& points, float tension, std::vector<MaskPoint>& outline) {
  outline.clear();
  CGdipPath path;
  if (GdipCreatePath(FillModeAlternate, path.Receive()) != Ok) return false;
  if (!AddCurve(path.Get(), points, tension)) return false;
  if (GdipFlattenPath(path.Get(), nullptr, kFlatness) != Ok) return false;
  INT count = 0;
  if (GdipGetPointCount(path.Get(), &count) != Ok || count <= 0) return false;
  std::vector<PointF> flat(static_cast<size_t>(count));
  if (GdipGetPathPoints(path.Get(), flat.data(), count) != Ok) return false;
  outline.reserve(flat.size());
  for (const PointF& p : flat) outline.push_back(MaskPoint{p.X, p.Y});
  return true;
}

bool SelectionBounds(const CPolyArray& selection, float tension, CRect& bounds) {
  bounds.SetRectEmpty();
  CGdipPath path;
  if (GdipCreatePath(FillModeAlternate, path.Receive()) != Ok) return false;
  bool any = false;
  for (INT_PTR i = 0; i < selection.GetSize(); ++i) {
    std::vector<Point> points = CurvePoints(selection[i], nullptr);
    // A single point makes no curve; it has no area to cut either.
    if (points.size() < 2) continue;
    if (!AddCurve(path.Get(), points, tension)) return false;
    any = true;
  }
  if (!any) return true;
  Rect r;
  if (GdipGetPathWorldBoundsI(path.Get(), &r, nullptr, nullptr) != Ok) return false;
  bounds.SetRect(r.X, r.Y, r.X + r.Width, r.Y + r.Height);
  return true;
}
