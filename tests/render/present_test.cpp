#include <gtest/gtest.h>

#include <windows.h>

#include "render/D3DObj.h"
#include "render/GdiScope.h"

namespace {

const char* NestingClass()
{
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = "PresentTestWindow";
        RegisterClassA(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

// A visible topmost window in the screen's lower right corner, out of the
// way of other tests' windows, with windows nested inside it to a depth, each
// inset from its parent as the page surface sits in a view inside a splitter
// inside the frame. The innermost is drawn on.
class NestedWindows {
public:
    explicit NestedWindows(int depth)
    {
        const int x = GetSystemMetrics(SM_CXSCREEN) - kWidth - 16;
        const int y = GetSystemMetrics(SM_CYSCREEN) - kHeight - 16;
        m_top = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, NestingClass(), "present",
                                WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, kWidth, kHeight, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        m_innermost = m_top;
        for (int level = 1; level <= depth; ++level) {
            const int side = kInset * level;
            m_innermost = CreateWindowExA(0, NestingClass(), "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN |
                                          WS_CLIPSIBLINGS, kInset, kInset, kWidth - 2 * side,
                                          kHeight - 2 * side, m_innermost, nullptr, GetModuleHandleA(nullptr),
                                          nullptr);
        }
    }
    ~NestedWindows()
    {
        if (m_top)
            DestroyWindow(m_top);
    }
    NestedWindows(const NestedWindows&) = delete;
    NestedWindows& operator=(const NestedWindows&) = delete;

    HWND Innermost() const { return m_innermost; }

private:
    static constexpr int kWidth = 200;
    static constexpr int kHeight = 160;
    static constexpr int kInset = 12;
    HWND m_top = nullptr;
    HWND m_innermost = nullptr;
};

// Handles every pending message: the platform copies what windows drew to
// the screen when it finds the queue empty.
void DrainMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

COLORREF ScreenPixel(POINT at)
{
    ScreenDC screen;
    return GetPixel(screen.Get(), at.x, at.y);
}

POINT CentreOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Child windows only: a top-level window's swap chain presents on the
// platform's own schedule, so the screen read right after may still hold the
// frame before.
class PresentOnScreen : public ::testing::TestWithParam<int> {};

TEST_P(PresentOnScreen, EachFrameInAChildWindowReachesTheScreenAndStaysInside)
{
    NestedWindows windows(GetParam());
    ASSERT_NE(windows.Innermost(), nullptr);
    DrainMessages();
    CD3DObj surface;
    surface.CreateDevice(windows.Innermost(), false);
    ASSERT_NE(surface.GetDevice(), nullptr);

    RECT inner{};
    GetWindowRect(windows.Innermost(), &inner);
    const POINT justOutside{inner.left - 3, (inner.top + inner.bottom) / 2};
    const COLORREF outsideBefore = ScreenPixel(justOutside);
    // The second frame must replace the first, not only the first arrive.
    for (COLORREF colour : {RGB(0x20, 0x80, 0xC0), RGB(0xC0, 0x40, 0x10)}) {
        SCOPED_TRACE(colour);
        const D3DCOLOR argb = D3DCOLOR_XRGB(GetRValue(colour), GetGValue(colour), GetBValue(colour));
        ASSERT_EQ(surface.GetDevice()->Clear(0, nullptr, D3DCLEAR_TARGET, argb, 1.0f, 0), D3D_OK);
        ASSERT_EQ(surface.ShowBackBuffer(), D3D_OK);
        DrainMessages();
        EXPECT_EQ(ScreenPixel(CentreOf(windows.Innermost())), colour);
        EXPECT_EQ(ScreenPixel(justOutside), outsideBefore);
    }
}

// 3: as deep as the page surface.
INSTANTIATE_TEST_SUITE_P(Depths, PresentOnScreen, ::testing::Values(1, 3));

}  // namespace
