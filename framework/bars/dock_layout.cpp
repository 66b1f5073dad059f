#include "framework/bars/dock_layout.h"

#include <algorithm>

std::vector<DockRowSpan> DockRowsOf(const CPtrArray& arr) {
  std::vector<DockRowSpan> rows;
  INT_PTR n = arr.GetSize();
  INT_PTR i = 0;
  while (i < n) {
    while (i < n && arr[i] == nullptr) ++i;
    if (i >= n) break;
    INT_PTR first = i;
    while (i < n && arr[i] != nullptr) ++i;
    rows.push_back({first, i});
  }
  return rows;
}

void NormalizeDockRows(CPtrArray& arr) {
  CPtrArray out;
  out.Add(nullptr);
  for (INT_PTR i = 0; i < arr.GetSize(); ++i) {
    void* p = arr[i];
    if (p || out[out.GetUpperBound()] != nullptr) out.Add(p);
  }
  if (out[out.GetUpperBound()] != nullptr) out.Add(nullptr);
  arr.Copy(out);
}

INT_PTR DockRowStart(const CPtrArray& arr, INT_PTR i) {
  while (i > 0 && arr[i - 1] != nullptr) --i;
  return i;
}

BOOL InsertDockRowBreak(CPtrArray& arr, INT_PTR i) {
  if (i <= 0 || i > arr.GetSize() || arr[i - 1] == nullptr) return FALSE;
  arr.InsertAt(i, nullptr);
  return TRUE;
}

int LayoutDockRows(const std::vector<std::vector<DockItem>>& rows, int length, int startAlong,
                   int startAcross, std::vector<std::vector<DockPlace>>& places) {
  places.assign(rows.size(), {});
  int across = startAcross;
  int end = startAcross;
  bool any = false;
  for (size_t r = 0; r < rows.size(); ++r) {
    const std::vector<DockItem>& row = rows[r];
    places[r].resize(row.size());
    int cursor = startAlong;
    int lineThickness = 0;
    bool lineEmpty = true;
    for (size_t b = 0; b < row.size(); ++b) {
      const DockItem& item = row[b];
      if (!item.visible) {
        places[r][b] = {item.desiredAlong, across};
        continue;
      }
      // A row may end where it began: kDockOverlap beyond the dock bar.
      int rowEnd = length + kDockOverlap;
      int pos = std::max(item.desiredAlong, cursor);
      if (pos + item.along > rowEnd) pos = cursor;
      if (pos + item.along > rowEnd && !lineEmpty) {
        // Wrap onto a new line of this row.
        across += lineThickness - kDockOverlap;
        cursor = startAlong;
        pos = cursor;
        lineThickness = 0;
      }
      places[r][b] = {pos, across};
      cursor = pos + item.along - kDockOverlap;
      lineThickness = std::max(lineThickness, item.across);
      end = std::max(end, across + item.across);
      lineEmpty = false;
      any = true;
    }
    if (!lineEmpty) across += lineThickness - kDockOverlap;
  }
  return any ? end : 0;
}
