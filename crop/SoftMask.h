#pragma once
// Soft-edged masks of closed outlines, computed here rather than with a path
// gradient brush's focus scales, which not every graphics library implements.
//
// The falloff follows rays from the shape's centre (the centroid of its area):
// a point at the fraction t of the way from the centre to where its ray meets
// the outline has the opacity 1 while t <= 1 - feather and falls linearly to 0
// at the outline (t = 1). Feather 0 gives a hard edge, feather 1 a falloff from
// the centre itself. Where a ray meets the outline more than once, the nearest
// crossing beyond the point counts.
//
// A shape is an outline with the outlines of its holes: the holes walked the
// other way round, so that their areas count negatively toward the centre.
// Each hole's edge is met by rays like the outer one.
//
// Pixels are sampled at their integer coordinates; a shape covers the pixels
// whose sample lies inside its outlines by the even-odd rule, left and top
// edges included.
#include <cstdint>
#include <vector>

struct MaskPoint {
  double x, y;
};
using MaskOutline = std::vector<MaskPoint>;

// Opacity bytes of a rectangle of pixels, rows top-down.
class CAlphaPlane {
 public:
  CAlphaPlane(int left, int top, int width, int height);
  int Left() const { return m_left; }
  int Top() const { return m_top; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // At pixel (x, y) of the plane's own coordinates (left, top included).
  uint8_t At(int x, int y) const { return m_alpha[index(x, y)]; }
  uint8_t& At(int x, int y) { return m_alpha[index(x, y)]; }
  bool IsBlank() const;

 private:
  size_t index(int x, int y) const {
    return static_cast<size_t>(y - m_top) * static_cast<size_t>(m_width) + static_cast<size_t>(x - m_left);
  }
  int m_left, m_top, m_width, m_height;
  std::vector<uint8_t> m_alpha;
};

enum class SoftFill {
  opaqueCentre,  // the cut-out's mask: opaque inside, fading out at the outline
  clearCentre,   // the preview's haze: clear inside, thickening toward the outline
};

// The opacity of the opaque-centre fill at the ray fraction t.
double SoftOpacity(double t, double feather);

// Paints one shape (its outlines closed implicitly; those of fewer than three
// points skipped) over what the plane holds, as a source-over composition of
// an opacity-only colour. Feather outside 0..1 is taken as its nearest end.
void PaintSoftShape(CAlphaPlane& plane, const std::vector<MaskOutline>& outlines, double feather, SoftFill fill);
