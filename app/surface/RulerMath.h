#pragma once
// The rulers' arithmetic without a window: tick spacing from the zoom and the
// page scale, which ticks a ruler shows, where each lies and how long it is,
// and the centimetres its label reads.

namespace ruler_math {

// A page unit is a millimetre of the album's page size. One tick is
// unitsPerTick millimetres, spacing pixels apart.
struct TickScale {
  float spacing;
  int unitsPerTick;
};

// Zoom times pixels per page unit; a spacing that is not above 0 becomes 1,
// and while it is below 3 pixels it is multiplied by 10 (each time a tick
// stands for ten times as many millimetres).
TickScale Scale(float zoom, float pixelsPerUnit);
float TickSpacing(float zoom, float pixelsPerUnit);

// Tick i counts from the page's edge, which lies offset pixels before the
// ruler's start (negative i before the edge); its pixel, truncated.
int TickPosition(int i, float spacing, int offset);

// The first and last tick that fall on a ruler of the given length.
int FirstTick(float spacing, int offset);
int LastTick(int length, float spacing, int offset);

// Where a tick's line starts across the ruler: every 10th at the edge (0,
// and it carries a label), every 5th at 10, the others at 12.
int TickStart(int i);

// The centimetres from the page's edge to tick i, which a label shows.
int LabelCentimetres(int i, int unitsPerTick);

}  // namespace ruler_math
