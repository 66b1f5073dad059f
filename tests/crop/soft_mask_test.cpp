#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "CropTestSupport.h"
#include "crop/CropCutOut.h"
#include "crop/CropSelection.h"
#include "crop/GdiplusScope.h"

namespace {
// Every cut-out test draws its mask through GDI+ paths.
class CutOutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(gdiplus.IsReady());
    folder = FreshFolder("cutout");
    path = folder + "\\cut.tif";
  }
  // Cuts the selection out of a 300 x 200 photo and reads it back.
  void Cut(const CPolyArray& selection, float tension, float feather, CImgBitmap& cut, CRect& area,
           bool photoAlpha = false) {
    CImgBitmap photo;
    ASSERT_TRUE(MakeTestPhoto(photo, 300, 200, photoAlpha, 128));
    ASSERT_EQ(WriteCropCutOut(&photo, selection, tension, feather, path.c_str(), &area), CutOutResult::written);
    EXPECT_EQ(photo.GetIplImage()->roi, nullptr);  // the photo is left as it was
    ASSERT_TRUE(cut.Load(path.c_str(), 1, 1));
    ASSERT_EQ(cut.GetWidth(), area.Width());
    ASSERT_EQ(cut.GetHeight(), area.Height());
  }
  // The rectangle (50,50)-(250,150).
  void CutRectangle(float feather, CImgBitmap& cut, bool photoAlpha = false) {
    CPolyArray selection;
    CPoly rect = RectPoly(50, 50, 250, 150);
    selection.Add(rect);
    CRect area;
    Cut(selection, 0.0f, feather, cut, area, photoAlpha);
    EXPECT_EQ(area, CRect(50, 50, 250, 150));
  }
  CGdiplusSession gdiplus;
  std::string folder, path;
};

// Opacity along the middle row (y 50) and column (x 100) of the 200 x 100 mask:
// the ray fraction there is |x - 100| / 100 and |y - 50| / 50.
struct ProfileCase {
  float feather;
  int x, y;
  int alpha;
};
const ProfileCase kProfile[] = {
    {0.0f, 0, 50, 255},   {0.0f, 199, 50, 255}, {0.0f, 100, 0, 255},  {0.0f, 0, 0, 255},
    {1.0f, 100, 50, 255}, {1.0f, 150, 50, 128}, {1.0f, 50, 50, 128},  {1.0f, 0, 50, 0},
    {1.0f, 175, 50, 64},  {1.0f, 100, 25, 128}, {1.0f, 100, 0, 0},    {0.5f, 100, 50, 255},
    {0.5f, 150, 50, 255}, {0.5f, 160, 50, 204}, {0.5f, 175, 50, 128}, {0.5f, 25, 50, 128},
    {0.5f, 0, 50, 0},     {0.5f, 100, 13, 133}, {0.5f, 100, 75, 255},
};
}  // namespace

TEST_F(CutOutTest, MaskOpacityFollowsTheFeatherProfile) {
  for (float feather : {0.0f, 0.5f, 1.0f}) {
    CImgBitmap cut;
    CutRectangle(feather, cut);
    for (const ProfileCase& c : kProfile)
      if (c.feather == feather) {
        EXPECT_NEAR(AlphaAt(cut, c.x, c.y), c.alpha, 1) << "feather " << feather << " at " << c.x << "," << c.y;
      }
  }
}

// The square (40,40)-(160,160) less the square (70,70)-(130,130): the polygon
// engine links the hole to the outline by an edge walked there and back, which
// must neither fade the mask nor, bent by a tension, cut a sliver out of it.
// Above and below the hole no pixel of a row is darker than both its
// neighbours, and without tension the rows mirror themselves about the centre
// (x 100), the link included. The hole stays clear. Points in photo pixels.
TEST_F(CutOutTest, AHoleFadesByTheRayRuleWithoutACrackToTheOutline) {
  CPolyArray selection;
  CPoly square = RectPoly(40, 40, 160, 160), hole = RectPoly(70, 70, 130, 130);
  selection.Add(square);
  CombineCropSelection(selection, &hole, cropSubtract);
  ASSERT_EQ(selection.GetSize(), 1);
  for (float tension : {0.0f, 0.5f}) {
    CImgBitmap cut;
    CRect area;
    Cut(selection, tension, 0.5f, cut, area);
    auto alpha = [&](int x, int y) { return AlphaAt(cut, x - area.left, y - area.top); };
    int dip = 0, mirrored = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      if (y >= 60 && y <= 140) continue;  // beside the hole, whose left and top edges it holds
      for (int x = area.left + 1; x < area.right - 1; ++x) {
        dip = std::max(dip, std::min(alpha(x - 1, y), alpha(x + 1, y)) - alpha(x, y));
        mirrored = std::max(mirrored, std::abs(alpha(x, y) - alpha(200 - x, y)));
      }
    }
    EXPECT_LE(dip, 1) << "tension " << tension;
    if (tension == 0.0f) {
      EXPECT_LE(mirrored, 1);
    }
    for (CPoint p : {CPoint(100, 100), CPoint(71, 71), CPoint(129, 129), CPoint(85, 115)})
      EXPECT_EQ(alpha(p.x, p.y), 0) << "tension " << tension << " at " << p.x << "," << p.y;
  }
  // Three quarters of the way from the centre to the outline, on the link's
  // possible columns and between them.
  CImgBitmap cut;
  CRect area;
  Cut(selection, 0.0f, 0.5f, cut, area);
  ASSERT_EQ(area, CRect(40, 40, 160, 160));
  for (CPoint p : {CPoint(70, 55), CPoint(100, 55), CPoint(130, 55), CPoint(70, 145), CPoint(100, 145), CPoint(130, 145)})
    EXPECT_NEAR(AlphaAt(cut, p.x - 40, p.y - 40), 128, 1) << p.x << "," << p.y;
}

TEST_F(CutOutTest, ColoursComeFromThePhotoAndItsAlphaScalesTheMask) {
  CImgBitmap cut;
  CutRectangle(0.0f, cut, true);
  EXPECT_EQ(ChannelAt(cut, 0, 0, 0), 50);    // blue: the photo's x
  EXPECT_EQ(ChannelAt(cut, 0, 0, 1), 50);    // green: the photo's y
  EXPECT_EQ(ChannelAt(cut, 199, 99, 0), 249);
  EXPECT_EQ(ChannelAt(cut, 199, 99, 1), 149);
  EXPECT_EQ(ChannelAt(cut, 10, 10, 2), 77);
  EXPECT_NEAR(AlphaAt(cut, 100, 50), 128, 1);  // 255 x 128 / 255
}

TEST_F(CutOutTest, TheCutStopsBeforeThePhotosLastColumnAndRow) {
  CImgBitmap photo;
  ASSERT_TRUE(MakeTestPhoto(photo, 120, 80));
  CPolyArray selection;
  CPoly beyond = RectPoly(-30, -30, 500, 500);
  selection.Add(beyond);
  CRect area;
  ASSERT_EQ(WriteCropCutOut(&photo, selection, 0.0f, 0.0f, path.c_str(), &area), CutOutResult::written);
  EXPECT_EQ(area, CRect(0, 0, 119, 79));
  float cropX = 0, cropY = 0, ratioH = 0;
  ComputeCropValues(area, 120, 80, cropX, cropY, ratioH);
  EXPECT_FLOAT_EQ(ratioH, 79.0f / 80.0f);
  EXPECT_NEAR(cropX, 0.0f, 0.01f);
  EXPECT_NEAR(cropY, 0.0f, 0.01f);
}

TEST_F(CutOutTest, NothingToCutWritesNoFile) {
  CImgBitmap photo;
  ASSERT_TRUE(MakeTestPhoto(photo, 100, 100));
  CPolyArray none, outside, line;
  CPoly away = RectPoly(150, 10, 190, 50);
  outside.Add(away);
  CPoly flat;  // encloses no pixel
  for (CPoint p : {CPoint(10, 10), CPoint(60, 10), CPoint(90, 10), CPoint(10, 10)}) flat.Add(p);
  line.Add(flat);
  CPoly square = RectPoly(10, 10, 20, 20);
  CPolyArray some;
  some.Add(square);
  CImgBitmap empty;
  const struct {
    const char* name;
    const CPolyArray* selection;
    CImgBitmap* photo;
    CutOutResult result;
  } cases[] = {
      {"no shape", &none, &photo, CutOutResult::emptySelection},
      {"wholly outside", &outside, &photo, CutOutResult::emptySelection},
      {"no area", &line, &photo, CutOutResult::emptySelection},
      {"no photo", &some, &empty, CutOutResult::noImage},
  };
  for (const auto& c : cases) {
    CRect area;
    EXPECT_EQ(WriteCropCutOut(c.photo, *c.selection, 0.0f, 0.0f, path.c_str(), &area), c.result) << c.name;
    EXPECT_FALSE(FileExists(path)) << c.name;
  }
  CRect area;
  EXPECT_EQ(WriteCropCutOut(&photo, some, 0.0f, 0.0f, (folder + "\\missing\\cut.tif").c_str(), &area),
            CutOutResult::failed);
  EXPECT_FALSE(FileExists(folder + "\\missing\\cut.tif"));
}

// The image library starts with its own handler of the processing library's
// failures: a copy out of a photo whose header is spoilt fails, the program
// goes on, the status is clear again, and the cut-out says it failed.
TEST_F(CutOutTest, AFailingCopyOutOfThePhotoIsAFailedCutOut) {
  CImgBitmap photo;
  ASSERT_TRUE(MakeTestPhoto(photo, 100, 100));
  CPolyArray some;
  CPoly square = RectPoly(10, 10, 60, 60);
  some.Add(square);
  photo.GetIplImage()->align = 3;  // neither 4 nor 8
  CRect area;
  EXPECT_EQ(WriteCropCutOut(&photo, some, 0.0f, 0.0f, path.c_str(), &area), CutOutResult::failed);
  EXPECT_EQ(iplGetErrStatus(), 0);
  EXPECT_FALSE(FileExists(path));
  photo.GetIplImage()->align = IPL_ALIGN_DWORD;
  EXPECT_EQ(WriteCropCutOut(&photo, some, 0.0f, 0.0f, path.c_str(), &area), CutOutResult::written)
      << "a failure is no failure of the next cut-out";
}

TEST(CropValues, PlaceTheCutOutRelativeToThePhotosCentre) {
  float cropX = 0, cropY = 0, ratioH = 0;
  ComputeCropValues(CRect(0, 0, 50, 50), 100, 100, cropX, cropY, ratioH);  // upper left quarter
  EXPECT_FLOAT_EQ(cropX, -0.25f);
  EXPECT_FLOAT_EQ(cropY, 0.25f);
  EXPECT_FLOAT_EQ(ratioH, 0.5f);
}

TEST(CropValues, ZoomStepsArePowersOfOnePointOne) {
  EXPECT_FLOAT_EQ(ZoomForStep(0), 1.0f);
  EXPECT_FLOAT_EQ(ZoomForStep(1), 1.1f);
  EXPECT_FLOAT_EQ(ZoomForStep(2), 1.1f * 1.1f);
  EXPECT_FLOAT_EQ(ZoomForStep(-2), 1.0f / (1.1f * 1.1f));
}
