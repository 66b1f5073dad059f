#include "crop/SoftMask.h"

#include <algorithm>
#include <cmath>

namespace {
// Tolerance of the triangle test, in units of the barycentric coordinates.
constexpr double kEdgeSlack = 1e-9;

// Calls edge(a, b) for every edge of the outlines, each outline closed.
template <typename EdgeFn>
void forEachEdge(const std::vector<MaskOutline>& outlines, EdgeFn edge) {
  for (const MaskOutline& pts : outlines)
    for (size_t i = 0, n = pts.size(); i < n; ++i) edge(pts[i], pts[(i + 1) % n]);
}

MaskPoint centreOf(const std::vector<MaskOutline>& outlines) {
  double area = 0.0, cx = 0.0, cy = 0.0, mx = 0.0, my = 0.0;
  size_t n = 0;
  forEachEdge(outlines, [&](const MaskPoint& a, const MaskPoint& b) {
    double cross = a.x * b.y - b.x * a.y;
    area += cross;
    cx += (a.x + b.x) * cross;
    cy += (a.y + b.y) * cross;
    mx += a.x;
    my += a.y;
    ++n;
  });
  if (std::fabs(area) < 1e-9) return MaskPoint{mx / static_cast<double>(n), my / static_cast<double>(n)};
  return MaskPoint{cx / (3.0 * area), cy / (3.0 * area)};
}

// Sample columns x with from <= x < to.
void sampleSpan(double from, double to, int lo, int hi, int* first, int* last) {
  *first = std::max(lo, static_cast<int>(std::ceil(from)));
  *last = std::min(hi, static_cast<int>(std::ceil(to)) - 1);
}

// Even-odd coverage of the outlines over the plane, one flag per pixel.
std::vector<uint8_t> coverage(const CAlphaPlane& plane, const std::vector<MaskOutline>& outlines) {
  std::vector<uint8_t> inside(static_cast<size_t>(plane.Width()) * static_cast<size_t>(plane.Height()), 0);
  std::vector<double> xs;
  for (int y = plane.Top(); y < plane.Top() + plane.Height(); ++y) {
    xs.clear();
    forEachEdge(outlines, [&](const MaskPoint& a, const MaskPoint& b) {
      if (a.y == b.y) return;
      double y0 = std::min(a.y, b.y), y1 = std::max(a.y, b.y);
      if (y < y0 || y >= y1) return;
      xs.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
    });
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2) {
      int first, last;
      sampleSpan(xs[k], xs[k + 1], plane.Left(), plane.Left() + plane.Width() - 1, &first, &last);
      for (int x = first; x <= last; ++x)
        inside[static_cast<size_t>(y - plane.Top()) * static_cast<size_t>(plane.Width()) +
               static_cast<size_t>(x - plane.Left())] = 1;
    }
  }
  return inside;
}

// For every pixel, the largest ray fraction among the triangles (centre, edge)
// that hold it: that of the nearest outline crossing beyond the pixel. -1 where
// no triangle holds the pixel.
std::vector<double> rayFractions(const CAlphaPlane& plane, const std::vector<MaskOutline>& outlines, MaskPoint c) {
  std::vector<double> t(static_cast<size_t>(plane.Width()) * static_cast<size_t>(plane.Height()), -1.0);
  const int right = plane.Left() + plane.Width() - 1, bottom = plane.Top() + plane.Height() - 1;
  forEachEdge(outlines, [&](const MaskPoint a, const MaskPoint b) {
    const double ax = a.x - c.x, ay = a.y - c.y, bx = b.x - c.x, by = b.y - c.y;
    const double det = ax * by - ay * bx;
    if (std::fabs(det) < 1e-12) return;
    const MaskPoint tri[3] = {c, a, b};
    double minY = std::min({c.y, a.y, b.y}), maxY = std::max({c.y, a.y, b.y});
    int yFirst = std::max(plane.Top(), static_cast<int>(std::ceil(minY)));
    int yLast = std::min(bottom, static_cast<int>(std::floor(maxY)));
    for (int y = yFirst; y <= yLast; ++y) {
      double lo = 1e300, hi = -1e300;
      for (int e = 0; e < 3; ++e) {
        const MaskPoint& p = tri[e];
        const MaskPoint& q = tri[(e + 1) % 3];
        if ((y < std::min(p.y, q.y)) || (y > std::max(p.y, q.y))) continue;
        if (p.y == q.y) {
          lo = std::min({lo, p.x, q.x});
          hi = std::max({hi, p.x, q.x});
        } else {
          double x = p.x + (y - p.y) * (q.x - p.x) / (q.y - p.y);
          lo = std::min(lo, x);
          hi = std::max(hi, x);
        }
      }
      if (lo > hi) continue;
      int xFirst = std::max(plane.Left(), static_cast<int>(std::ceil(lo)));
      int xLast = std::min(right, static_cast<int>(std::floor(hi)));
      const double py = y - c.y;
      for (int x = xFirst; x <= xLast; ++x) {
        const double px = x - c.x;
        const double u = (px * by - py * bx) / det;
        const double v = (ax * py - ay * px) / det;
        if (u < -kEdgeSlack || v < -kEdgeSlack || u + v > 1.0 + kEdgeSlack) continue;
        double& slot = t[static_cast<size_t>(y - plane.Top()) * static_cast<size_t>(plane.Width()) +
                         static_cast<size_t>(x - plane.Left())];
        slot = std::max(slot, std::min(1.0, std::max(0.0, u + v)));
      }
    }
  });
  return t;
}
}  // namespace

CAlphaPlane::CAlphaPlane(int left, int top, int width, int height)
    : m_left(left),
      m_top(top),
      m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_alpha(static_cast<size_t>(m_width) * static_cast<size_t>(m_height), 0) {}

bool CAlphaPlane::IsBlank() const {
  return std::all_of(m_alpha.begin(), m_alpha.end(), [](uint8_t a) { return a == 0; });
}

double SoftOpacity(double t, double feather) {
  if (!(feather > 0.0)) return 1.0;  // also NaN
  feather = std::min(feather, 1.0);
  if (t <= 1.0 - feather) return 1.0;
  return std::min(1.0, std::max(0.0, (1.0 - t) / feather));
}

void PaintSoftShape(CAlphaPlane& plane, const std::vector<MaskOutline>& outlines, double feather, SoftFill fill) {
  std::vector<MaskOutline> shape;
  for (const MaskOutline& outline : outlines)
    if (outline.size() >= 3) shape.push_back(outline);
  if (shape.empty() || plane.Width() == 0 || plane.Height() == 0) return;
  if (!(feather > 0.0)) feather = 0.0;
  feather = std::min(feather, 1.0);
  // A clear centre without feather is clear everywhere.
  if (fill == SoftFill::clearCentre && feather == 0.0) return;

  // Only the rows and columns the outlines can reach.
  double minX = shape[0][0].x, maxX = minX, minY = shape[0][0].y, maxY = minY;
  forEachEdge(shape, [&](const MaskPoint& p, const MaskPoint&) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  });
  int left = std::max(plane.Left(), static_cast<int>(std::floor(minX)));
  int top = std::max(plane.Top(), static_cast<int>(std::floor(minY)));
  int right = std::min(plane.Left() + plane.Width() - 1, static_cast<int>(std::ceil(maxX)));
  int bottom = std::min(plane.Top() + plane.Height() - 1, static_cast<int>(std::ceil(maxY)));
  if (left > right || top > bottom) return;
  CAlphaPlane area(left, top, right - left + 1, bottom - top + 1);

  std::vector<uint8_t> inside = coverage(area, shape);
  std::vector<double> fractions;
  if (feather > 0.0) fractions = rayFractions(area, shape, centreOf(shape));

  size_t i = 0;
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x, ++i) {
      if (!inside[i]) continue;
      double opacity = 1.0;
      if (feather > 0.0) {
        double t = fractions[i] < 0.0 ? 1.0 : fractions[i];
        opacity = SoftOpacity(t, feather);
      }
      if (fill == SoftFill::clearCentre) opacity = 1.0 - opacity;
      const int src = static_cast<int>(std::lround(opacity * 255.0));
      uint8_t& dst = plane.At(x, y);
      dst = static_cast<uint8_t>(src + (dst * (255 - src) + 127) / 255);
    }
  }
}
