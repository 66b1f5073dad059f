#include <gtest/gtest.h>

#include "framework/framework.h"
#include "test_support.h"

namespace {
// A 32-bit DIB section selected into a memory DC; pixels are read directly.
class DibCanvas {
 public:
  DibCanvas(int width, int height) : m_width(width) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_bits = static_cast<DWORD*>(bits);
    dc.CreateCompatibleDC(nullptr);
    m_old = dc.SelectObject(&m_bitmap);
  }
  ~DibCanvas() { dc.SelectObject(m_old); }
  COLORREF Pixel(int x, int y) const {
    ::GdiFlush();
    DWORD v = m_bits[y * m_width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  CDC dc;

 private:
  int m_width;
  CBitmap m_bitmap;
  DWORD* m_bits = nullptr;
  CBitmap* m_old = nullptr;
};
}  // namespace

TEST(Gdi, FillsAndFramesRectangles) {
  DibCanvas canvas(20, 20);
  canvas.dc.FillSolidRect(0, 0, 20, 20, RGB(255, 255, 255));
  canvas.dc.FillSolidRect(CRect(2, 2, 6, 6), RGB(200, 0, 0));
  canvas.dc.Draw3dRect(CRect(10, 10, 18, 18), RGB(0, 255, 0), RGB(0, 0, 255));
  EXPECT_EQ(canvas.Pixel(3, 3), RGB(200, 0, 0));
  EXPECT_EQ(canvas.Pixel(6, 6), RGB(255, 255, 255));
  EXPECT_EQ(canvas.Pixel(10, 10), RGB(0, 255, 0));   // top left edge
  EXPECT_EQ(canvas.Pixel(17, 17), RGB(0, 0, 255));   // bottom right edge
  EXPECT_EQ(canvas.Pixel(14, 14), RGB(255, 255, 255));
  // FillSolidRect leaves the background colour as it found it.
  EXPECT_EQ(canvas.dc.GetBkColor(), RGB(255, 255, 255));
}

TEST(Gdi, SelectingReturnsThePreviousObjectAndOwnedObjectsAreFreed) {
  DibCanvas canvas(8, 8);
  HGDIOBJ handle = nullptr;
  {
    CBrush red(RGB(255, 0, 0));
    handle = red.m_hObject;
    CBrush* old = canvas.dc.SelectObject(&red);
    ASSERT_NE(old, nullptr);
    canvas.dc.PatBlt(0, 0, 8, 8, PATCOPY);
    EXPECT_EQ(canvas.dc.SelectObject(old), &red);
  }
  EXPECT_EQ(canvas.Pixel(4, 4), RGB(255, 0, 0));
  EXPECT_EQ(::GetObjectType(handle), 0u);  // deleted with its object
}

TEST(Gdi, CopiesBetweenMemoryContexts) {
  DibCanvas source(10, 10), target(10, 10);
  source.dc.FillSolidRect(0, 0, 10, 10, RGB(0, 0, 0));
  source.dc.SetPixel(5, 5, RGB(9, 99, 199));
  target.dc.BitBlt(0, 0, 10, 10, &source.dc, 0, 0, SRCCOPY);
  EXPECT_EQ(target.Pixel(5, 5), RGB(9, 99, 199));
  target.dc.StretchBlt(0, 0, 10, 10, &source.dc, 5, 5, 1, 1, SRCCOPY);
  EXPECT_EQ(target.Pixel(0, 0), RGB(9, 99, 199));
  EXPECT_EQ(target.Pixel(9, 9), RGB(9, 99, 199));
}

TEST(Gdi, DrawsTextAndMeasuresIt) {
  DibCanvas canvas(100, 30);
  canvas.dc.FillSolidRect(0, 0, 100, 30, RGB(255, 255, 255));
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(120, "Liberation Sans"));
  CFont* old = canvas.dc.SelectObject(&font);
  CSize extent = canvas.dc.GetTextExtent("Hello");
  EXPECT_GT(extent.cx, 10);
  EXPECT_GT(extent.cy, 8);
  canvas.dc.SetTextColor(RGB(0, 0, 0));
  canvas.dc.SetBkMode(TRANSPARENT);
  CRect box(0, 0, 100, 30);
  canvas.dc.DrawText(CString("Hello"), &box, DT_LEFT | DT_TOP | DT_SINGLELINE);
  int dark = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x)
      if (canvas.Pixel(x, y) != RGB(255, 255, 255)) ++dark;
  EXPECT_GT(dark, 10);
  canvas.dc.SelectObject(old);
}

TEST(Gdi, ImageListAddsWithMaskReplacesAndRemoves) {
  CImageList images;
  ASSERT_TRUE(images.Create(4, 4, ILC_COLOR24 | ILC_MASK, 0, 1));
  DibCanvas art(8, 4);
  art.dc.FillSolidRect(0, 0, 8, 4, RGB(255, 0, 255));
  art.dc.FillSolidRect(0, 0, 2, 2, RGB(10, 20, 30));
  CBitmap* strip = art.dc.GetCurrentBitmap();
  CBitmap copy;
  copy.Attach(::CopyImage(strip->m_hObject, IMAGE_BITMAP, 0, 0, 0));
  EXPECT_EQ(images.Add(&copy, RGB(255, 0, 255)), 0);
  EXPECT_EQ(images.GetImageCount(), 2);
  IMAGEINFO info{};
  EXPECT_TRUE(images.GetImageInfo(1, &info));
  EXPECT_EQ(CRect(info.rcImage).Width(), 4);
  DibCanvas target(4, 4);
  target.dc.FillSolidRect(0, 0, 4, 4, RGB(0, 128, 0));
  EXPECT_TRUE(images.Draw(&target.dc, 0, CPoint(0, 0), ILD_TRANSPARENT));
  EXPECT_EQ(target.Pixel(0, 0), RGB(10, 20, 30));
  EXPECT_EQ(target.Pixel(3, 3), RGB(0, 128, 0));  // the mask colour stays transparent
  HICON icon = images.ExtractIcon(0);
  EXPECT_NE(icon, nullptr);
  EXPECT_GE(images.Replace(1, icon), 0);
  ::DestroyIcon(icon);
  EXPECT_TRUE(images.Remove(0));
  EXPECT_EQ(images.GetImageCount(), 1);
  EXPECT_TRUE(images.SetImageCount(3));
  EXPECT_EQ(images.GetImageCount(), 3);
}
