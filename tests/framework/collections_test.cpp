#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/framework.h"

TEST(CArray, GrowsInsertsAndRemoves) {
  CUIntArray a;
  EXPECT_TRUE(a.IsEmpty());
  a.Add(1);
  a.Add(2);
  a.InsertAt(1, 9, 2);
  EXPECT_EQ(a.GetSize(), 4);
  EXPECT_EQ(a[1], 9u);
  EXPECT_EQ(a[3], 2u);
  a.RemoveAt(1, 2);
  EXPECT_EQ(a.GetSize(), 2);
  a.SetAtGrow(5, 7);
  EXPECT_EQ(a.GetUpperBound(), 5);
  EXPECT_EQ(a[4], 0u);
  EXPECT_THROW(a.GetAt(6), std::out_of_range);
  EXPECT_THROW(a.RemoveAt(5, 2), std::out_of_range);
  CStringArray s;
  s.Add("x");
  CStringArray copy;
  copy.Copy(s);
  copy.Append(s);
  EXPECT_EQ(copy.GetSize(), 2);
  EXPECT_STREQ(copy[1], "x");
}

TEST(CPtrList, WalksBothWaysAndRemovesInPlace) {
  int a = 1, b = 2, c = 3;
  CPtrList list;
  list.AddTail(&b);
  list.AddHead(&a);
  POSITION pb = list.Find(&b);
  list.InsertAfter(pb, &c);
  EXPECT_EQ(list.GetCount(), 3);
  std::vector<int> forward;
  for (POSITION p = list.GetHeadPosition(); p;) forward.push_back(*static_cast<int*>(list.GetNext(p)));
  EXPECT_EQ(forward, (std::vector<int>{1, 2, 3}));
  std::vector<int> backward;
  for (POSITION p = list.GetTailPosition(); p;) backward.push_back(*static_cast<int*>(list.GetPrev(p)));
  EXPECT_EQ(backward, (std::vector<int>{3, 2, 1}));
  list.RemoveAt(pb);
  EXPECT_EQ(list.GetHead(), &a);
  EXPECT_EQ(list.GetTail(), &c);
  EXPECT_EQ(list.FindIndex(1), list.GetTailPosition());
  EXPECT_EQ(list.RemoveHead(), &a);
  EXPECT_EQ(list.RemoveTail(), &c);
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_THROW(list.GetHead(), std::out_of_range);
}

TEST(CMap, LooksUpAndIteratesEveryAssociation) {
  CMap<int, int, CString, const char*> map;
  map.SetAt(3, "three");
  map[1] = "one";
  map.SetAt(2, "two");
  CString value;
  EXPECT_TRUE(map.Lookup(2, value));
  EXPECT_STREQ(value, "two");
  EXPECT_FALSE(map.Lookup(7, value));
  int count = 0, keySum = 0;
  for (POSITION p = map.GetStartPosition(); p;) {
    int key;
    map.GetNextAssoc(p, key, value);
    ++count;
    keySum += key;
  }
  EXPECT_EQ(count, 3);
  EXPECT_EQ(keySum, 6);
  EXPECT_TRUE(map.RemoveKey(3));
  EXPECT_FALSE(map.RemoveKey(3));
  EXPECT_EQ(map.GetCount(), 2);
  CMapPtrToPtr ptrs;
  ptrs.SetAt(&count, &keySum);
  void* found = nullptr;
  EXPECT_TRUE(ptrs.Lookup(&count, found));
  EXPECT_EQ(found, &keySum);
}

TEST(Geometry, RectangleArithmetic) {
  CRect r(10, 20, 110, 70);
  EXPECT_EQ(r.Width(), 100);
  EXPECT_EQ(r.Height(), 50);
  EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
  r.DeflateRect(5, 5);
  EXPECT_EQ(r, CRect(15, 25, 105, 65));
  r.OffsetRect(CPoint(-15, -25));
  EXPECT_EQ(r.TopLeft(), CPoint(0, 0));
  EXPECT_TRUE(r.PtInRect(CPoint(0, 0)));
  EXPECT_FALSE(r.PtInRect(CPoint(90, 40)));
  CRect inter = r & CRect(50, 10, 200, 20);
  EXPECT_EQ(inter, CRect(50, 10, 90, 20));
  CRect flipped(10, 10, 0, 0);
  flipped.NormalizeRect();
  EXPECT_EQ(flipped, CRect(0, 0, 10, 10));
  EXPECT_EQ(CPoint(5, 5) - CPoint(2, 1), CSize(3, 4));
  EXPECT_EQ(CPoint(static_cast<LPARAM>(MAKELONG(-3 & 0xFFFF, 4))), CPoint(-3, 4));
}
