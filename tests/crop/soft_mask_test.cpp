#include <gtest/gtest.h>

#include <cmath>

#include "CropTestSupport.h"
#include "crop/CropCutOut.h"
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
  // Cuts the rectangle (50,50)-(250,150) out of a 300 x 200 photo and reads it back.
  void CutRectangle(float feather, CImgBitmap& cut, bool photoAlpha = false) {
    CImgBitmap photo;
    ASSERT_TRUE(MakeTestPhoto(photo, 300, 200, photoAlpha, 128));
    CPolyArray selection;
    CPoly rect = RectPoly(50, 50, 250, 150);
    selection.Add(rect);
    CRect area;
    ASSERT_EQ(WriteCropCutOut(&photo, selection, 0.0f, feather, path.c_str(), &area), CutOutResult::written);
    EXPECT_EQ(area, CRect(50, 50, 250, 150));
    EXPECT_EQ(photo.GetIplImage()->roi, nullptr);  // the photo is left as it was
    ASSERT_TRUE(cut.Load(path.c_str(), 1, 1));
    ASSERT_EQ(cut.GetWidth(), 200);
    ASSERT_EQ(cut.GetHeight(), 100);
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
