// The plain arithmetic of resizing rows and auto-hide strips.
#include <gtest/gtest.h>

#include <vector>

#include "ui/controls/docking/AutoHideLayout.h"
#include "ui/controls/docking/ResizingRow.h"

namespace {
RowBar Sizing(int length, int thickness = 100, int minLength = 33) {
  RowBar b;
  b.length = length;
  b.thickness = thickness;
  b.minLength = minLength;
  b.minThickness = 32;
  return b;
}
std::vector<int> Lengths(const std::vector<RowBar>& bars) {
  std::vector<int> out;
  for (const RowBar& b : bars) out.push_back(b.length);
  return out;
}
}  // namespace

TEST(ResizingRow, BreaksWhereEvenMinimumLengthsPassButNeverBeforeTheFirst) {
  struct Case {
    const char* name;
    std::vector<int> minima;
    int available;
    int breakAt;
  } cases[] = {
      {"fits at the minimum", {150, 150}, 400, -1},  // 2 + 148 + 148
      {"the third passes", {150, 150, 150}, 400, 2},
      {"a single bar too long stays: breaking would loop", {500}, 100, -1},
      {"the second passes", {500, 100}, 100, 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    std::vector<RowBar> bars;
    for (int m : k.minima) bars.push_back(Sizing(600, 100, m));
    EXPECT_EQ(FindRowBreak(bars, k.available), k.breakAt);
  }
  std::vector<RowBar> hiddenFirst = {Sizing(500, 100, 500), Sizing(500, 100, 500)};
  hiddenFirst[0].visible = false;
  EXPECT_EQ(FindRowBreak(hiddenFirst, 100), -1);  // the first visible bar is the second
  // A bar just shown counts with its length, others with their minimum.
  std::vector<RowBar> shown = {Sizing(600), Sizing(300)};
  shown[1].keepSize = true;
  EXPECT_EQ(FindRowBreak(shown, 340), -1);
  EXPECT_EQ(FindRowBreak(shown, 320), 1);
}

TEST(ResizingRow, SharingFillsTheRowOnePixelAtATime) {
  struct Case {
    const char* name;
    std::vector<RowBar> bars;
    int available;
    std::vector<int> lengths;
  } cases[] = {
      {"grows in turn", {Sizing(100), Sizing(100)}, 302, {152, 152}},
      {"odd pixel to the first", {Sizing(100), Sizing(100)}, 303, {153, 152}},
      {"shrinks in turn", {Sizing(200), Sizing(200)}, 302, {152, 152}},
      {"a bar at its minimum gives no more", {Sizing(40, 100, 40), Sizing(200)}, 202, {40, 164}},
      {"nothing left to give", {Sizing(40, 100, 40), Sizing(40, 100, 40)}, 20, {40, 40}},
  };
  for (Case& k : cases) {
    SCOPED_TRACE(k.name);
    ShareRowLength(k.bars, k.available);
    EXPECT_EQ(Lengths(k.bars), k.lengths);
  }
  // A bar just shown keeps its length; other bars give way; the marks go.
  std::vector<RowBar> bars = {Sizing(100), Sizing(150, 60)};
  bars[1].keepSize = true;
  ShareRowLength(bars, 400);
  EXPECT_EQ(Lengths(bars), (std::vector<int>{252, 150}));
  EXPECT_FALSE(bars[1].keepSize);
  EXPECT_EQ(bars[1].thickness, 100);  // the row's largest thickness for all
  // Alone, a bar just shown still fills its row.
  std::vector<RowBar> alone = {Sizing(100)};
  alone[0].keepSize = true;
  ShareRowLength(alone, 300);
  EXPECT_EQ(Lengths(alone), (std::vector<int>{300}));
  // Other bars keep their length and take their share of the row.
  std::vector<RowBar> mixed = {Sizing(100), Sizing(80)};
  mixed[1].sizing = false;
  ShareRowLength(mixed, 300);
  EXPECT_EQ(Lengths(mixed), (std::vector<int>{222, 80}));
}

TEST(ResizingRow, AnEdgeBetweenBarsMovesLengthToAndFromTheFarSide) {
  std::vector<RowBar> bars = {Sizing(100), Sizing(100), Sizing(100)};
  EdgeRange range = BetweenBarsRange(bars, 0, true);
  EXPECT_EQ(range.least, 33 - 100);
  EXPECT_EQ(range.most, 2 * (100 - 33));
  MoveBetweenBars(bars, 0, true, 100);  // takes 67 from the second, 33 from the third
  EXPECT_EQ(Lengths(bars), (std::vector<int>{200, 33, 67}));
  MoveBetweenBars(bars, 0, true, -50);  // the nearest neighbour gets it back
  EXPECT_EQ(Lengths(bars), (std::vector<int>{150, 83, 67}));
  MoveBetweenBars(bars, 2, false, 500);  // clamped to what the far side can give
  EXPECT_EQ(Lengths(bars), (std::vector<int>{33, 33, 234}));
}

TEST(AutoHideStrip, TabsLineUpAfterTheirTitlesAndSeparators) {
  std::vector<AutoHideTabShape> tabs = {
      {AHT_SEPARATOR, 0}, {AHT_GROUPED | AHT_SHOWTITLE, 30}, {AHT_GROUPED, 30}, {AHT_SEPARATOR, 0}, {AHT_TITLE, 10}};
  std::vector<RECT> r = LayoutAutoHideTabs(tabs, 24, true);
  EXPECT_EQ(r[1].left, 20);
  EXPECT_EQ(r[1].right, 20 + 48);
  EXPECT_EQ(r[1].top, 2);
  EXPECT_EQ(r[1].bottom, 22);
  EXPECT_EQ(r[2].left, 20 + 46);   // overlaps the titled tab by two
  EXPECT_EQ(r[2].right, 66 + 21);  // icon only
  EXPECT_EQ(r[4].left, 66 + 20 + 10);
  std::vector<RECT> v = LayoutAutoHideTabs(tabs, 24, false);
  EXPECT_EQ(v[1].top, 20);
  EXPECT_EQ(v[1].left, 2);
  EXPECT_EQ(GroupOf(tabs, 1), (std::vector<int>{2}));
}

TEST(AutoHideStrip, TrimmingDropsEndSeparatorsAndRepeats) {
  struct Case {
    std::vector<UINT> flags;
    std::vector<int> trimmed;
  } cases[] = {
      {{AHT_SEPARATOR, AHT_SEPARATOR}, {0, 1}},  // only separators: all go
      {{AHT_SEPARATOR, AHT_GROUPED, AHT_SEPARATOR, AHT_SEPARATOR, AHT_GROUPED, AHT_SEPARATOR}, {0, 3, 5}},
      {{AHT_GROUPED, AHT_SEPARATOR, AHT_GROUPED}, {}},
  };
  for (const Case& k : cases) {
    std::vector<AutoHideTabShape> tabs;
    for (UINT f : k.flags) tabs.push_back({f, 0});
    EXPECT_EQ(SeparatorsToTrim(tabs), k.trimmed);
  }
}
