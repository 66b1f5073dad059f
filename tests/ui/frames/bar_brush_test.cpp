#include "ui/menus/draw/SkinBrush.h"
#include "ui/menus/draw/SkinMemDC.h"
#include "ui/menus/menus_fixture.h"

TEST_F(MenuLibraryTest, TheBrushCacheHandsOutOneLiveBrushPerKindAndColoursUntilShutdown) {
  const COLORREF c1 = RGB(10, 20, 30), c2 = RGB(200, 210, 220);
  HBRUSH first = CSkinBrushList::GetBrush(8, c1, c2);
  EXPECT_EQ(CSkinBrushList::GetBrush(8, c1, c2), first);
  EXPECT_NE(CSkinBrushList::GetBrush(8, c2, c1), first);
  EXPECT_EQ(CSkinBrushList::Count(), 2u);
  // A pattern as wide as the screen and a bit: the gradient's first 700
  // pixels, then the second colour.
  EXPECT_EQ(CSkinBrush::PatternWidth(1024), 1040);
  Canvas canvas(CSkinBrush::PatternWidth(::GetSystemMetrics(SM_CXFULLSCREEN)), 2);
  RECT all{0, 0, CSkinBrush::PatternWidth(::GetSystemMetrics(SM_CXFULLSCREEN)), 2};
  ::FillRect(canvas.dc(), &all, first);
  EXPECT_EQ(canvas.At(0, 0), c1);
  ASSERT_GT(all.right, 701);
  EXPECT_EQ(canvas.At(all.right - 1, 0), c2);
  // A brush someone deleted is made again, never handed out dead.
  ::DeleteObject(first);
  HBRUSH again = CSkinBrushList::GetBrush(8, c1, c2);
  EXPECT_EQ(::GetObjectType(again), static_cast<DWORD>(OBJ_BRUSH));
  EXPECT_EQ(CSkinBrushList::Count(), 2u);
  // Windows 95 and NT 4 get solid brushes; shutdown frees every brush.
  SkinPlatform nt4;
  nt4.osClass = 5;
  Restart(nt4);
  EXPECT_EQ(CSkinBrushList::Count(), 0u);
  LOGBRUSH lb{};
  ::GetObjectA(CSkinBrushList::GetBrush(8, c1, c2), sizeof lb, &lb);
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
  EXPECT_EQ(lb.lbColor, c1);
}

TEST(SkinMemDC, PaintsOffScreenInTheTargetsCoordinatesAndCopiesBack) {
  Canvas target(40, 30, RGB(255, 255, 255));
  {
    CSkinMemDC dc({10, 5, 30, 25}, target.dc());
    RECT inside{12, 7, 20, 15};
    FillSolid(dc.m_hDC, inside, RGB(0, 0, 255));
    EXPECT_EQ(target.At(15, 10), RGB(255, 255, 255)) << "nothing shows before the copy";
  }
  EXPECT_EQ(target.At(15, 10), RGB(0, 0, 255));
  EXPECT_EQ(target.At(5, 10), RGB(255, 255, 255)) << "outside the rectangle the target stays";
}
