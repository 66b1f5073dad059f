#pragma once
// Plain arithmetic of dock bars, usable without windows: the rows of a dock
// bar's list (null entries separate rows) and the placement of bars in rows.
//
// Bars along a row overlap their neighbour by kDockOverlap pixels, and so do
// rows, so that the borders of neighbouring bars fall on one line; a row
// starts kDockOverlap before the dock bar's edge and may end that much after
// its other edge.
#include <windows.h>

#include <vector>

#include "framework/collections.h"

constexpr int kDockOverlap = 2;

// One entry range [first, last) of bars between two row separators.
struct DockRowSpan {
  INT_PTR first;
  INT_PTR last;
};

// The rows of a list that may hold nulls anywhere; empty rows are skipped.
std::vector<DockRowSpan> DockRowsOf(const CPtrArray& arr);
// Collapses repeated separators and keeps one separator at each end, so an
// empty list is a single null.
void NormalizeDockRows(CPtrArray& arr);
// The first index of the row holding index i.
INT_PTR DockRowStart(const CPtrArray& arr, INT_PTR i);
// Starts a new row at index i unless i already starts its row (breaking a row
// before its first bar would make an empty row and change nothing). Returns
// whether a break was inserted.
BOOL InsertDockRowBreak(CPtrArray& arr, INT_PTR i);

// One bar as the row layout sees it: its size along and across the row, the
// position along the row it had (kept when there is room) and whether it shows.
struct DockItem {
  int along = 0;
  int across = 0;
  int desiredAlong = 0;
  bool visible = true;
};

// Where a bar goes: along and across the dock bar (client coordinates of the
// dock bar with the row direction as x for horizontal rows).
struct DockPlace {
  int along = 0;
  int across = 0;
};

// Lays out rows of bars in a dock bar of the given length: a bar keeps its
// position along the row when it fits, is pulled back to its neighbour when it
// would stick out, and wraps onto a new line (without changing the rows) when
// even that does not fit and it is not the first of its line. startAlong is
// where a row starts. Returns the dock bar's thickness (0 without visible bars).
int LayoutDockRows(const std::vector<std::vector<DockItem>>& rows, int length, int startAlong,
                   int startAcross, std::vector<std::vector<DockPlace>>& places);
