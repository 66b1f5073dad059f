#include "app/surface/RulerMath.h"

#include <cmath>

namespace ruler_math {

float TickSpacing(float zoom, float pixelsPerUnit) {
  float spacing = zoom * pixelsPerUnit;
  if (!(spacing > 0.0f) || !std::isfinite(spacing)) spacing = 1.0f;
  while (spacing < 3.0f) spacing *= 10.0f;
  return spacing;
}

int TickPosition(int i, float spacing, int offset) {
  return static_cast<int>(static_cast<float>(i) * spacing - static_cast<float>(offset));
}

int TickStart(int i) {
  if (i % 10 == 0) return 0;
  if (i % 5 == 0) return 10;
  return 12;
}

int TickCount(int length, float spacing) {
  if (length <= 0 || !(spacing > 0.0f)) return 0;
  return static_cast<int>(static_cast<float>(length) / spacing);
}

}  // namespace ruler_math
