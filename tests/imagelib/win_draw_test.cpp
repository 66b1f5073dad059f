// Device contexts and drawing of the picture object, and resource bitmaps.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "imagelib/Dib.h"
#include "imagelib/ImgBitmap.h"

namespace {

// A 32-bit top-down DIB section to draw into, cleared to grey.
class Canvas {
public:
    Canvas(int w, int h) : width_(w) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < w * h; ++i) bits_[i] = 0x808080;
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    uint32_t At(int x, int y) const {
        GdiFlush();
        return bits_[y * width_ + x] & 0xFFFFFF;
    }

private:
    int width_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};

// A 2 x 2 picture: top row red, green; bottom row blue, white.
void MakeQuad(CImgBitmap& image) {
    ASSERT_EQ(image.Create(2, 2, false), 1);
    img::Raster r = image.GetRaster();
    const uint8_t top[6] = {0, 0, 255, 0, 255, 0};
    const uint8_t bottom[6] = {255, 0, 0, 255, 255, 255};
    std::memcpy(r.Row(0), top, 6);
    std::memcpy(r.Row(1), bottom, 6);
}

}  // namespace

TEST(ImgBitmapDc, DeviceContextIsSharedAndReferenceCounted) {
    CImgBitmap image;
    EXPECT_EQ(image.GetDC(), nullptr);
    MakeQuad(image);
    HDC first = image.GetDC();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(image.GetDC(), first);
    image.ReleaseDC();
    // Still held once: the pixels are reachable through the context.
    EXPECT_EQ(GetPixel(first, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(first, 1, 1), RGB(255, 255, 255));
    image.ReleaseDC();
    HDC second = image.GetDC();
    ASSERT_NE(second, nullptr);
    image.GetDC();
    image.ReleaseDC(true);  // at once, whatever the count
    HDC third = image.GetDC();
    EXPECT_NE(third, nullptr);
    image.Destroy();  // releases the context too
}

TEST(ImgBitmapDraw, DrawsTheSourceRectangleCountedFromTheTop) {
    CImgBitmap image;
    MakeQuad(image);
    Canvas canvas(8, 8);
    EXPECT_NE(image.Draw(canvas.Dc(), 0, 0, 4, 4, 0, 0, 2, 2), 0);
    EXPECT_EQ(canvas.At(0, 0), 0xFF0000u);  // red (0x00RRGGBB in the canvas)
    EXPECT_EQ(canvas.At(3, 0), 0x00FF00u);
    EXPECT_EQ(canvas.At(0, 3), 0x0000FFu);
    EXPECT_EQ(canvas.At(3, 3), 0xFFFFFFu);
    // Only the bottom row of the picture.
    EXPECT_NE(image.Draw(canvas.Dc(), 4, 4, 2, 1, 0, 1, 2, 1), 0);
    EXPECT_EQ(canvas.At(4, 4), 0x0000FFu);
    EXPECT_EQ(canvas.At(5, 4), 0xFFFFFFu);
    CImgBitmap empty;
    EXPECT_EQ(empty.Draw(canvas.Dc(), 0, 0, 1, 1, 0, 0, 1, 1), 0);
}

TEST(Dib, LoadsABitmapResourceAndDrawsPartsOfIt) {
    CDib dib;
    SIZE none = dib.GetDimensions();
    EXPECT_EQ(none.cx, 0);
    EXPECT_EQ(none.cy, 0);
    EXPECT_FALSE(dib.LoadResource(999, GetModuleHandleA(nullptr)));
    ASSERT_TRUE(dib.LoadResource(101, GetModuleHandleA(nullptr)));
    SIZE size = dib.GetDimensions();
    EXPECT_EQ(size.cx, 4);
    EXPECT_EQ(size.cy, 2);
    Canvas canvas(8, 8);
    RECT whole = {0, 0, 4, 2};
    EXPECT_NE(dib.Draw(canvas.Dc(), whole, whole, SRCCOPY), 0);
    EXPECT_EQ(canvas.At(0, 0), 0xFF0000u);
    EXPECT_EQ(canvas.At(1, 0), 0x00FF00u);
    EXPECT_EQ(canvas.At(2, 0), 0x0000FFu);
    EXPECT_EQ(canvas.At(3, 0), 0xFFFFFFu);
    EXPECT_EQ(canvas.At(0, 1), 0x000000u);
    // The blue pixel alone, doubled.
    RECT source = {2, 0, 3, 1};
    RECT destination = {4, 4, 6, 6};
    EXPECT_NE(dib.Draw(canvas.Dc(), destination, source, SRCCOPY), 0);
    EXPECT_EQ(canvas.At(4, 4), 0x0000FFu);
    EXPECT_EQ(canvas.At(5, 5), 0x0000FFu);
}

TEST(Dib, RefusesABitmapWhoseHeightHasNoMagnitude) {
    // -2^31 has no positive counterpart: taking its magnitude is undefined and
    // wrapped the size check on 32 bits.
    CDib dib;
    EXPECT_FALSE(dib.LoadResource(102, GetModuleHandleA(nullptr)));
    SIZE size = dib.GetDimensions();
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
}

TEST(ImgBitmapPicture, DibAndPictureMeetThroughTheDeviceContext) {
    // The way resource bitmaps become pictures: draw the DIB into the picture's context.
    CDib dib;
    ASSERT_TRUE(dib.LoadResource(101, GetModuleHandleA(nullptr)));
    CImgBitmap image;
    ASSERT_EQ(image.Create(4, 2, true, true, 0), 1);
    HDC dc = image.GetDC();
    ASSERT_NE(dc, nullptr);
    RECT r = {0, 0, 4, 2};
    EXPECT_NE(dib.Draw(dc, r, r, SRCCOPY), 0);
    image.ReleaseDC();
    GdiFlush();
    img::Raster raster = image.GetRaster();
    EXPECT_EQ(raster.Row(0)[2], 255);  // red at the top left
    EXPECT_EQ(raster.Row(0)[4 * 2 + 0], 255);  // blue third
}
