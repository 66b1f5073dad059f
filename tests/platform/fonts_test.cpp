#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>

namespace {

// Menus and captions draw their check marks, arrows and caption buttons with the
// symbol font; without it the font mapper hands out a text font and letters show.
struct FaceCase {
    const char* requested;
    BYTE charset;
};

class FontDc {
public:
    explicit FontDc(const FaceCase& c) {
        dc_ = CreateCompatibleDC(nullptr);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = kSize;
        bi.bmiHeader.biHeight = -kSize;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                   nullptr, 0);
        font_ = CreateFontA(-kSize * 3 / 4, 0, 0, 0, FW_NORMAL, 0, 0, 0, c.charset, 0, 0,
                            NONANTIALIASED_QUALITY, 0, c.requested);
        oldBitmap_ = SelectObject(dc_, bitmap_);
        oldFont_ = SelectObject(dc_, font_);
    }
    FontDc(const FontDc&) = delete;
    FontDc& operator=(const FontDc&) = delete;
    ~FontDc() {
        SelectObject(dc_, oldFont_);
        SelectObject(dc_, oldBitmap_);
        DeleteObject(font_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }

    std::string Face() const {
        char face[LF_FACESIZE] = {};
        GetTextFaceA(dc_, LF_FACESIZE, face);
        return face;
    }

    void Draw(char c) {
        RECT all = {0, 0, kSize, kSize};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetTextColor(dc_, RGB(0, 0, 0));
        SetBkMode(dc_, TRANSPARENT);
        TextOutA(dc_, kSize / 4, kSize / 8, &c, 1);
        GdiFlush();
    }

    bool Ink(int x, int y) const { return (bits_[y * kSize + x] & 0xFFFFFF) != 0xFFFFFF; }

    static constexpr int kSize = 48;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
    DWORD* bits_ = nullptr;
};

TEST(Fonts, TheSystemFacesMapToThemselves) {
    const FaceCase cases[] = {{"Marlett", SYMBOL_CHARSET}, {"Tahoma", ANSI_CHARSET}};
    for (const FaceCase& c : cases) {
        FontDc dc(c);
        EXPECT_EQ(dc.Face(), c.requested);
    }
}

// The check mark is "a": a tick whose lowest ink lies in the left half of the
// glyph and whose highest ink lies at its right end. A letter a has its bowl at the
// bottom across the whole width and its arch at the top in the middle.
TEST(Fonts, MarlettDrawsACheckMarkNotALetter) {
    FontDc dc({"Marlett", SYMBOL_CHARSET});
    dc.Draw('a');
    const int n = FontDc::kSize;
    int left = n, right = -1, top = n, bottom = -1;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            if (dc.Ink(x, y)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    ASSERT_GT(right - left, 4) << "nothing drawn";
    auto rowSpan = [&](int y, int& from, int& to) {
        from = n, to = -1;
        for (int x = 0; x < n; ++x)
            if (dc.Ink(x, y)) from = std::min(from, x), to = std::max(to, x);
    };
    int from, to;
    const int middle = (left + right) / 2;
    rowSpan(bottom, from, to);
    EXPECT_LT(to, middle) << "lowest ink reaches the right half";
    rowSpan(top, from, to);
    EXPECT_GT(from, middle) << "highest ink is not at the right end";
}

}  // namespace
