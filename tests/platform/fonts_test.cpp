#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

// Menus and captions draw their check marks, arrows and caption buttons with the
// symbol font; without it the font mapper hands out a text font and letters show.
constexpr int kSize = 48;

// A white 32-bit bitmap in a memory context with one font selected.
class FontCanvas {
public:
    FontCanvas(const char* face, BYTE charset)
        : dc_(CreateCompatibleDC(nullptr)),
          font_(CreateFontA(-kSize * 3 / 4, 0, 0, 0, FW_NORMAL, 0, 0, 0, charset, 0, 0,
                            NONANTIALIASED_QUALITY, 0, face))
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = kSize;
        bi.bmiHeader.biHeight = -kSize;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        oldFont_ = SelectObject(dc_, font_);
    }
    FontCanvas(const FontCanvas&) = delete;
    FontCanvas& operator=(const FontCanvas&) = delete;
    ~FontCanvas()
    {
        SelectObject(dc_, oldFont_);
        SelectObject(dc_, oldBitmap_);
        DeleteObject(font_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }

    std::string Face() const
    {
        char face[LF_FACESIZE] = {};
        GetTextFaceA(dc_, LF_FACESIZE, face);
        return face;
    }
    void Draw(char c)
    {
        std::fill(bits_, bits_ + kSize * kSize, 0xFFFFFFu);
        SetBkMode(dc_, TRANSPARENT);
        TextOutA(dc_, kSize / 4, kSize / 8, &c, 1);
        GdiFlush();
    }
    bool Ink(int x, int y) const { return (bits_[y * kSize + x] & 0xFFFFFF) != 0xFFFFFF; }

private:
    HDC dc_;
    HFONT font_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    DWORD* bits_ = nullptr;
};

TEST(Fonts, TheSystemFacesMapToThemselves)
{
    EXPECT_EQ(FontCanvas("Marlett", SYMBOL_CHARSET).Face(), "Marlett");
    EXPECT_EQ(FontCanvas("Tahoma", ANSI_CHARSET).Face(), "Tahoma");
}

// The check mark is "a": a tick whose lowest ink lies in the left half of the
// glyph and whose highest ink in the right half. A letter a has its arch at the
// top in the middle and its bowl and stem across the bottom.
TEST(Fonts, MarlettDrawsACheckMarkNotALetter)
{
    FontCanvas canvas("Marlett", SYMBOL_CHARSET);
    canvas.Draw('a');
    int left = kSize, right = -1, top = kSize, bottom = -1;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (canvas.Ink(x, y)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    ASSERT_GT(right - left, 4) << "nothing drawn";
    const int middle = (left + right) / 2;
    int lowestRight = -1, highestLeft = kSize;
    for (int x = 0; x < kSize; ++x) {
        if (canvas.Ink(x, bottom)) lowestRight = std::max(lowestRight, x);
        if (canvas.Ink(x, top)) highestLeft = std::min(highestLeft, x);
    }
    EXPECT_LT(lowestRight, middle) << "lowest ink reaches the right half";
    EXPECT_GT(highestLeft, middle) << "highest ink is not at the right end";
}

}  // namespace
