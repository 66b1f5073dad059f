#include "crop/CurvePath.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {
// How far a flattened curve may stray from the true one, in pixels.
constexpr REAL kFlatness = 0.25f;

using EdgeKey = std::array<LONG, 4>;  // from x, y, to x, y

// An edge i and a later edge k of the closed walk (edge j runs from walk[j] to
// the next point) walked the other way, whose cut leaves two walks of three
// points or more.
bool findLink(const std::vector<CPoint>& walk, size_t* pi, size_t* pk) {
  const size_t n = walk.size();
  std::map<EdgeKey, std::vector<size_t>> earlier;
  for (size_t k = 0; k < n; ++k) {
    const CPoint a = walk[k], b = walk[(k + 1) % n];
    if (a == b) continue;
    auto back = earlier.find(EdgeKey{b.x, b.y, a.x, a.y});
    if (back != earlier.end())
      for (size_t i : back->second)
        if (k - i - 1 >= 3 && n - (k - i) - 1 >= 3) {
          *pi = i;
          *pk = k;
          return true;
        }
    earlier[EdgeKey{a.x, a.y, b.x, b.y}].push_back(k);
  }
  return false;
}

// p lies on the straight edge from a to b, strictly between them.
bool onStraightEdge(CPoint a, CPoint p, CPoint b) {
  const int64_t ax = a.x - p.x, ay = a.y - p.y, bx = b.x - p.x, by = b.y - p.y;
  return ax * by - ay * bx == 0 && ax * bx + ay * by < 0;
}

// Drops the links' ends that lie on a straight edge of the outline: the engine
// put them there only for the link, and a curve would bend through them.
void dropLinkEnds(std::vector<CPoint>& outline, const std::vector<CPoint>& ends) {
  for (size_t j = 0; j < outline.size() && outline.size() > 3;) {
    const size_t n = outline.size();
    if (std::find(ends.begin(), ends.end(), outline[j]) != ends.end() &&
        onStraightEdge(outline[(j + n - 1) % n], outline[j], outline[(j + 1) % n]))
      outline.erase(outline.begin() + static_cast<std::ptrdiff_t>(j));
    else
      ++j;
  }
}

std::vector<CPoint> cyclicRun(const std::vector<CPoint>& walk, size_t from, size_t count) {
  std::vector<CPoint> run;
  run.reserve(count);
  for (size_t c = 0; c < count; ++c) run.push_back(walk[(from + c) % walk.size()]);
  return run;
}
}  // namespace

std::vector<std::vector<CPoint>> PolygonOutlines(const CPoly& poly) {
  std::vector<CPoint> walk(poly.GetData(), poly.GetData() + poly.GetSize());
  if (walk.size() > 1 && walk.back() == walk.front()) walk.pop_back();
  std::vector<std::vector<CPoint>> outlines, pending{std::move(walk)};
  std::vector<CPoint> ends;
  while (!pending.empty()) {
    std::vector<CPoint> w = std::move(pending.back());
    pending.pop_back();
    size_t i = 0, k = 0;
    if (!findLink(w, &i, &k)) {
      outlines.push_back(std::move(w));
      continue;
    }
    // Edge i runs to walk[i + 1] == walk[k], edge k back to walk[k + 1] == walk[i]:
    // between them lies the joined walk, around them the joining one.
    const size_t n = w.size();
    ends.push_back(w[i]);
    ends.push_back(w[k]);
    pending.push_back(cyclicRun(w, i + 1, k - i - 1));
    pending.push_back(cyclicRun(w, k + 1, n - (k - i) - 1));
  }
  for (std::vector<CPoint>& outline : outlines) dropLinkEnds(outline, ends);
  return outlines;
}

std::vector<std::vector<Point>> CurveOutlines(const CPoly& poly, const PointMapping& map) {
  std::vector<std::vector<Point>> curves;
  for (const std::vector<CPoint>& outline : PolygonOutlines(poly)) {
    std::vector<Point> points;
    points.reserve(outline.size() + 1);
    for (CPoint p : outline) {
      if (map) p = map(p);
      points.emplace_back(p.x, p.y);
    }
    if (!points.empty() && (points.back().X != points.front().X || points.back().Y != points.front().Y))
      points.push_back(points.front());
    curves.push_back(std::move(points));
  }
  return curves;
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

bool FlattenCurves(const std::vector<std::vector<Point>>& curves, float tension, std::vector<MaskOutline>& outlines) {
  outlines.clear();
  for (const std::vector<Point>& points : curves) {
    if (points.size() < 2) continue;  // a lone point covers nothing
    outlines.emplace_back();
    if (!FlattenCurve(points, tension, outlines.back())) return false;
  }
  return true;
}

bool SelectionBounds(const CPolyArray& selection, float tension, CRect& bounds) {
  bounds.SetRectEmpty();
  CGdipPath path;
  if (GdipCreatePath(FillModeAlternate, path.Receive()) != Ok) return false;
  bool any = false;
  for (INT_PTR i = 0; i < selection.GetSize(); ++i)
    for (const std::vector<Point>& points : CurveOutlines(selection[i], nullptr)) {
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
