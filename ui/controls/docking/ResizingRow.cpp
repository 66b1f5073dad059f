#include "ui/controls/docking/ResizingRow.h"

#include <algorithm>

namespace {
constexpr int kOverlap = 2;

// The bars on the far side of an edge of bar `index`, nearest first.
std::vector<int> FarSide(const std::vector<RowBar>& bars, int index, bool towardEnd) {
  std::vector<int> out;
  if (towardEnd) {
    for (int i = index + 1; i < static_cast<int>(bars.size()); ++i)
      if (bars[i].visible && bars[i].sizing) out.push_back(i);
  } else {
    for (int i = index - 1; i >= 0; --i)
      if (bars[i].visible && bars[i].sizing) out.push_back(i);
  }
  return out;
}
}  // namespace

int FindRowBreak(const std::vector<RowBar>& bars, int available) {
  int total = kOverlap;
  bool first = true;
  for (size_t i = 0; i < bars.size(); ++i) {
    if (!bars[i].visible) continue;
    // A resizable bar can shrink to make room, unless it was just shown.
    const RowBar& bar = bars[i];
    int length = bar.sizing && !bar.keepSize ? bar.minLength : bar.length;
    total += length - kOverlap;
    if (total > available && !first) return static_cast<int>(i);
    first = false;
  }
  return -1;
}

void ShareRowLength(std::vector<RowBar>& bars, int available) {
  int sizingSum = 0;
  int others = 0;
  int thickness = 0;
  std::vector<size_t> sizing;
  for (size_t i = 0; i < bars.size(); ++i) {
    if (!bars[i].visible) continue;
    if (bars[i].sizing) {
      sizingSum += bars[i].length - kOverlap;
      thickness = std::max(thickness, bars[i].thickness);
      sizing.push_back(i);
    } else {
      others += bars[i].length - kOverlap;
    }
  }
  for (size_t i : sizing) bars[i].thickness = thickness;
  int diff = available - kOverlap - others - sizingSum;
  // Bars just shown keep their length while others can give or take; when
  // none can, they give or take too, so that the row is still filled.
  for (bool includeKept : {false, true}) {
    bool changed = true;
    while (diff != 0 && changed) {
      changed = false;
      for (size_t i : sizing) {
        if (diff == 0) break;
        RowBar& bar = bars[i];
        if (bar.keepSize && !includeKept) continue;
        if (diff > 0) {
          ++bar.length;
          --diff;
          changed = true;
        } else if (bar.length > bar.minLength) {
          --bar.length;
          ++diff;
          changed = true;
        }
      }
    }
  }
  for (RowBar& bar : bars) bar.keepSize = false;
}

EdgeRange BetweenBarsRange(const std::vector<RowBar>& bars, int index, bool towardEnd) {
  EdgeRange range{0, 0};
  const RowBar& bar = bars[static_cast<size_t>(index)];
  range.least = std::min(0, bar.minLength - bar.length);
  for (int i : FarSide(bars, index, towardEnd))
    range.most += std::max(0, bars[static_cast<size_t>(i)].length - bars[static_cast<size_t>(i)].minLength);
  return range;
}

void MoveBetweenBars(std::vector<RowBar>& bars, int index, bool towardEnd, int change) {
  EdgeRange range = BetweenBarsRange(bars, index, towardEnd);
  change = std::max(range.least, std::min(range.most, change));
  std::vector<int> far = FarSide(bars, index, towardEnd);
  if (far.empty() || change == 0) return;
  bars[static_cast<size_t>(index)].length += change;
  if (change < 0) {
    bars[static_cast<size_t>(far.front())].length -= change;
    return;
  }
  int rest = change;
  for (int i : far) {
    RowBar& other = bars[static_cast<size_t>(i)];
    int give = std::min(rest, std::max(0, other.length - other.minLength));
    other.length -= give;
    rest -= give;
    if (rest == 0) break;
  }
}
