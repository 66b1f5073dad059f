#pragma once
// The rulers' arithmetic without a window: tick spacing from the zoom and the
// page scale, and where each tick of a ruler lies and how long it is.

namespace ruler_math {

// Pixels between two ticks: zoom times pixels per page unit; a spacing that
// is not above 0 becomes 1, and while it is below 3 pixels it is multiplied
// by 10.
float TickSpacing(float zoom, float pixelsPerUnit);

// Tick i (from 1) of a ruler whose origin lies offset pixels before its
// start; its pixel, truncated.
int TickPosition(int i, float spacing, int offset);

// Where a tick's line starts across the ruler: every 10th at the edge (0,
// and it carries a label), every 5th at 10, the others at 12.
int TickStart(int i);

// How many ticks fit a ruler of the given length.
int TickCount(int length, float spacing);

}  // namespace ruler_math
