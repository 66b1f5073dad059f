#include "app/surface/RulerMath.h"

#include <climits>
#include <cmath>

namespace ruler_math {

TickScale Scale(float zoom, float pixelsPerUnit) {
  TickScale scale{zoom * pixelsPerUnit, 1};
  if (!(scale.spacing > 0.0f) || !std::isfinite(scale.spacing)) scale.spacing = 1.0f;
  while (scale.spacing < 3.0f) {
    scale.spacing *= 10.0f;
    if (scale.unitsPerTick <= INT_MAX / 10) scale.unitsPerTick *= 10;
  }
  return scale;
}

float TickSpacing(float zoom, float pixelsPerUnit) { return Scale(zoom, pixelsPerUnit).spacing; }

int TickPosition(int i, float spacing, int offset) {
  return static_cast<int>(static_cast<float>(i) * spacing - static_cast<float>(offset));
}

namespace {
int Clamped(double tick) {
  if (!(tick > INT_MIN / 2)) return INT_MIN / 2;
  if (!(tick < INT_MAX / 2)) return INT_MAX / 2;
  return static_cast<int>(tick);
}
}  // namespace

int FirstTick(float spacing, int offset) {
  return spacing > 0.0f ? Clamped(std::ceil(static_cast<double>(offset) / spacing)) : 0;
}

int LastTick(int length, float spacing, int offset) {
  if (length <= 0 || !(spacing > 0.0f)) return FirstTick(spacing, offset) - 1;
  return Clamped(std::floor((static_cast<double>(offset) + length - 1) / spacing));
}

int TickStart(int i) {
  if (i % 10 == 0) return 0;
  if (i % 5 == 0) return 10;
  return 12;
}

int LabelCentimetres(int i, int unitsPerTick) {
  return Clamped(static_cast<double>(i) * unitsPerTick / 10.0);
}

}  // namespace ruler_math
