#include "ui/controls/SliderGeometry.h"

#include <cstdint>

namespace {
// The usable travel of the thumb centre; not positive when the control is no
// wider than its margins and thumb.
int Travel(const SliderGeometry& g) { return g.length - g.marginEnd - g.thumbLength - g.marginStart; }
}  // namespace

int SliderGeometry::PositionToPixel(int position) const {
  const int64_t range = static_cast<int64_t>(maximum) - minimum;
  const int travel = Travel(*this);
  // An empty range or no room to move: the thumb stays at the start.
  if (range <= 0 || travel <= 0) return FirstPixel();
  const double fraction = static_cast<double>(static_cast<int64_t>(position) - minimum) / static_cast<double>(range);
  return FirstPixel() + static_cast<int>(fraction * travel);
}

int SliderGeometry::PixelToPosition(int pixel) const {
  const int64_t range = static_cast<int64_t>(maximum) - minimum;
  const int travel = Travel(*this);
  if (range <= 0 || travel <= 0) return minimum;
  const double fraction = static_cast<double>(pixel - FirstPixel()) / travel;
  return static_cast<int>(minimum + static_cast<int64_t>(fraction * static_cast<double>(range)));
}

int SliderGeometry::ClampPosition(int position) const {
  if (position > maximum) position = maximum;
  if (position < minimum) position = minimum;
  return position;
}
