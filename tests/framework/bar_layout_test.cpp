// The plain arithmetic of bars: dock rows, their layout, toolbar lines and
// resources, status pane edges.
#include <gtest/gtest.h>

#include <vector>

#include "framework/framework.h"

namespace {
void* P(int n) { return reinterpret_cast<void*>(static_cast<INT_PTR>(n)); }
std::vector<void*> Items(const CPtrArray& arr) {
  std::vector<void*> out;
  for (INT_PTR i = 0; i < arr.GetSize(); ++i) out.push_back(arr[i]);
  return out;
}
CPtrArray Array(const std::vector<void*>& items) {
  CPtrArray arr;
  for (void* p : items) arr.Add(p);
  return arr;
}
}  // namespace

TEST(DockRows, NormalizingKeepsOneSeparatorBetweenAndAroundRows) {
  struct Case {
    std::vector<void*> in, out;
  } cases[] = {
      {{}, {nullptr}},
      {{P(1)}, {nullptr, P(1), nullptr}},
      {{nullptr, nullptr, P(1), nullptr, nullptr, P(2)}, {nullptr, P(1), nullptr, P(2), nullptr}},
      {{nullptr, P(1), P(2), nullptr}, {nullptr, P(1), P(2), nullptr}},
  };
  for (const Case& k : cases) {
    CPtrArray arr = Array(k.in);
    NormalizeDockRows(arr);
    EXPECT_EQ(Items(arr), k.out);
  }
}

TEST(DockRows, BreakStartsARowButNeverBeforeARowsFirstBar) {
  CPtrArray arr = Array({nullptr, P(1), P(2), nullptr});
  EXPECT_FALSE(InsertDockRowBreak(arr, 1));
  EXPECT_TRUE(InsertDockRowBreak(arr, 2));
  EXPECT_EQ(Items(arr), (std::vector<void*>{nullptr, P(1), nullptr, P(2), nullptr}));
  EXPECT_FALSE(InsertDockRowBreak(arr, 3));  // P(2) now starts its row
  EXPECT_EQ(DockRowsOf(arr).size(), 2u);
  EXPECT_EQ(DockRowStart(arr, 3), 3);
}

TEST(DockRows, LayoutKeepsPlacesPullsBackAndWraps) {
  struct Case {
    const char* name;
    std::vector<std::vector<DockItem>> rows;
    int length;
    std::vector<std::vector<DockPlace>> places;
    int thickness;
  } cases[] = {
      {"end to end, overlapping by two", {{{100, 30, -2}, {100, 30, -2}}}, 300, {{{-2, 0}, {96, 0}}}, 30},
      {"a dropped place is kept", {{{100, 30, -2}, {100, 30, 150}}}, 300, {{{-2, 0}, {150, 0}}}, 30},
      {"pulled back to its neighbour", {{{100, 30, -2}, {100, 30, 150}}}, 200, {{{-2, 0}, {96, 0}}}, 30},
      {"wrapped onto a new line", {{{100, 30, -2}, {100, 30, 150}}}, 150, {{{-2, 0}, {-2, 28}}}, 58},
      {"hidden bars take nothing", {{{100, 30, -2}, {100, 40, 5, false}}}, 300, {{{-2, 0}, {5, 0}}}, 30},
      {"rows stack overlapping by two", {{{100, 30, -2}}, {{50, 20, -2}}}, 300, {{{-2, 0}}, {{-2, 28}}}, 48},
      {"no visible bar, no thickness", {{{100, 30, -2, false}}}, 300, {{{-2, 0}}}, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    std::vector<std::vector<DockPlace>> places;
    EXPECT_EQ(LayoutDockRows(k.rows, k.length, -2, 0, places), k.thickness);
    ASSERT_EQ(places.size(), k.places.size());
    for (size_t r = 0; r < places.size(); ++r)
      for (size_t b = 0; b < places[r].size(); ++b) {
        EXPECT_EQ(places[r][b].along, k.places[r][b].along) << r << "," << b;
        EXPECT_EQ(places[r][b].across, k.places[r][b].across) << r << "," << b;
      }
  }
}

TEST(ToolBarResource, OnlyWellFormedDataIsRead) {
  struct Case {
    const char* name;
    std::vector<WORD> words;
    bool ok;
  } cases[] = {
      {"good", {1, 16, 15, 3, 100, 0, 101}, true},
      {"other version", {2, 16, 15, 1, 100}, false},
      {"no image width", {1, 0, 15, 1, 100}, false},
      {"fewer ids than counted", {1, 16, 15, 4, 100, 0}, false},
      {"no header", {1, 16}, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    ToolBarResource res;
    EXPECT_EQ(ParseToolBarResource(k.words.data(), k.words.size() * sizeof(WORD), res), k.ok);
    if (k.ok) {
      EXPECT_EQ(res.imageWidth, 16);
      EXPECT_EQ(res.ids, (std::vector<UINT>{100, 0, 101}));
    }
  }
  ToolBarResource res;
  EXPECT_FALSE(ParseToolBarResource(nullptr, 0, res));
}

TEST(ToolBarLines, ButtonsWrapWhereTheWidthEnds) {
  const SIZE button = {23, 22};
  ToolItem b, sep;
  sep.separator = true;
  sep.separatorWidth = 8;
  std::vector<ToolItem> items = {b, b, sep, b, b};
  struct Case {
    const char* name;
    int maxWidth;
    bool vertical;
    std::vector<bool> wrap;
    SIZE size;
  } cases[] = {
      {"one line", -1, false, {false, false, false, false, false}, {100, 22}},
      {"two lines broken at the separator", 60, false, {false, false, true, false, false}, {54, 49}},
      {"every item a line", -1, true, {true, true, true, true, false}, {23, 115}},
      {"narrower than a button", 5, false, {true, false, true, true, false}, {31, 93}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    ToolArrangement a = ArrangeToolItems(items, button, k.maxWidth, k.vertical);
    EXPECT_EQ(a.wrap, k.wrap);
    EXPECT_EQ(a.size.cx, k.size.cx);
    EXPECT_EQ(a.size.cy, k.size.cy);
  }
  // A separator holding a combo that does not fit goes to the next line.
  ToolItem combo = sep;
  combo.separatorWidth = 60;
  combo.control = true;
  ToolArrangement a = ArrangeToolItems({b, b, combo}, button, 60, false);
  EXPECT_EQ(a.wrap, (std::vector<bool>{false, true, false}));
  EXPECT_EQ(a.size.cx, 60);
  EXPECT_EQ(a.size.cy, 44);
}

TEST(StatusPanes, TheStretchingPaneTakesWhatOthersLeave) {
  std::vector<int> edges = StatusPaneRightEdges({0, 50, 30}, {SBPS_STRETCH, 0, 0}, 200, 8);
  EXPECT_EQ(edges, (std::vector<int>{104, 162, 200}));
  // Too narrow: the stretching pane shrinks to nothing, the others keep their width.
  edges = StatusPaneRightEdges({0, 50}, {SBPS_STRETCH, 0}, 20, 8);
  EXPECT_EQ(edges, (std::vector<int>{0, 58}));
}

TEST(MiniFrameEdges, StylesDecideWhatTheEdgesDo) {
  struct Case {
    DWORD style;
    LRESULT hit, result;
  } cases[] = {
      {MFS_MOVEFRAME, HTRIGHT, HTCAPTION},              // edges move the frame
      {MFS_MOVEFRAME, HTBOTTOMLEFT, HTCAPTION},
      {MFS_4THICKFRAME, HTTOPLEFT, HTLEFT},              // corners size one side only
      {MFS_4THICKFRAME, HTBOTTOMRIGHT, HTRIGHT},
      {MFS_4THICKFRAME, HTTOP, HTTOP},
      {MFS_BLOCKSYSMENU, HTSYSMENU, HTCAPTION},
      {0, HTBOTTOMRIGHT, HTBOTTOMRIGHT},
      {MFS_MOVEFRAME | MFS_4THICKFRAME, HTCLIENT, HTCLIENT},
  };
  for (const Case& k : cases) EXPECT_EQ(AfxMiniFrameHitTest(k.hit, k.style), k.result) << k.style << " " << k.hit;
}
