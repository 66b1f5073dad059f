#pragma once
// The arithmetic of a dock row holding resizable bars, usable without windows:
// where a row that no longer fits breaks, how its length is shared out, and
// how dragging an edge moves length between neighbours.
//
// Lengths are along the row, thicknesses across it. Neighbouring bars overlap
// by two pixels, so a row of bars fills a length when 2 plus the sum of
// every bar's length less 2 equals it.
#include <vector>

struct RowBar {
  bool sizing = true;    // a resizable bar (others keep their length)
  bool visible = true;
  int length = 0;
  int thickness = 0;
  int minLength = 0;
  int minThickness = 0;
  bool keepSize = false;  // just shown: keeps its length this once
};

// The index of the bar before which the row must break because the bars up to
// it pass the available length even with resizable bars at their minimum
// length (a bar just shown counts with its own length), or -1. Never the
// row's first visible bar.
int FindRowBreak(const std::vector<RowBar>& bars, int available);

// Gives every resizable bar the row's largest thickness and shares the
// difference to the available length out one pixel at a time, cycling through
// the resizable bars; bars at their minimum shrink no further and bars just
// shown keep their length unless no other bar can take the difference. The
// just-shown marks are cleared.
void ShareRowLength(std::vector<RowBar>& bars, int available);

// Limits of an edge drag, as changes of the dragged bar's length (or of the
// row's thickness for an edge across the row).
struct EdgeRange {
  int least;  // most negative change
  int most;   // most positive change
};
// An edge between bars: the bar at `index` may shrink to its minimum, and grow
// by what the bars on the far side (towards the row's end when `towardEnd`)
// can give above their minimum.
EdgeRange BetweenBarsRange(const std::vector<RowBar>& bars, int index, bool towardEnd);
// Changes the bar at `index` by `change` and takes that much from the bars on
// the far side in turn (each gives no more than it has above its minimum), or
// gives it to the nearest of them when the bar shrinks.
void MoveBetweenBars(std::vector<RowBar>& bars, int index, bool towardEnd, int change);
