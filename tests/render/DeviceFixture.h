#pragma once
// A Direct3D surface on a hidden window, for tests that draw and read the
// back buffer's pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "render/D3DImage.h"
#include "render/D3DObj.h"

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> argb;  // rows top-down

    uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y) * width + x]; }
    uint32_t Rgb(int x, int y) const { return At(x, y) & 0x00FFFFFFu; }
};

// Pixel position of a point in view space (window height 1, y up).
struct PixelPos {
    int x;
    int y;
};

class HiddenWindow {
public:
    HiddenWindow(int clientWidth, int clientHeight);
    ~HiddenWindow();
    HiddenWindow(const HiddenWindow&) = delete;
    HiddenWindow& operator=(const HiddenWindow&) = delete;
    HWND Get() const { return m_window; }
    void SetClientSize(int width, int height);

private:
    HWND m_window = nullptr;
};

// The device's render target, read back to memory.
Pixels ReadRenderTarget(IDirect3DDevice9* device);

// A 256 x 256 surface at zoom 1 that holds its device to 8-pixel textures,
// so small pictures already need several tiles.
class TinyTextureScene {
public:
    TinyTextureScene();
    IDirect3DDevice9* Device() const { return m_surface.GetDevice(); }
    CD3DObj* Surface() { return &m_surface; }
    // Draws one picture alone on a target cleared to clearColour and reads
    // the target back.
    Pixels DrawAlone(CD3DImage& quad, D3DCOLOR clearColour);

private:
    class LimitedSurface : public CD3DObj {
    public:
        void LimitTextures(DWORD side)
        {
            MutableCaps().MaxTextureWidth = side;
            MutableCaps().MaxTextureHeight = side;
        }
    };
    HiddenWindow m_window{256, 256};
    LimitedSurface m_surface;
};

class DeviceTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 256;
    static constexpr int kHeight = 256;

    void SetUp() override;
    void TearDown() override;

    IDirect3DDevice9* Device() const { return surface->GetDevice(); }
    void BeginFrame(D3DCOLOR clearColour = 0xFFDCDCDC);
    void EndFrame();
    Pixels ReadBack() const;
    PixelPos ToPixel(float viewX, float viewY) const;

    std::unique_ptr<HiddenWindow> window;
    std::unique_ptr<CD3DObj> surface;
};

// A device test seen at zoom 1, so one view unit is the window's height.
class UnitZoomDeviceTest : public DeviceTest {
protected:
    void SetUp() override;
};

// Colour channels of a pixel, for tolerant comparisons.
inline int Red(uint32_t argb) { return (argb >> 16) & 0xFF; }
inline int Green(uint32_t argb) { return (argb >> 8) & 0xFF; }
inline int Blue(uint32_t argb) { return argb & 0xFF; }
bool ColourNear(uint32_t actual, uint32_t expected, int tolerance);

// Whether some pixel within radius of pos satisfies the test.
template <class Test>
bool AnyPixelNear(const Pixels& pixels, PixelPos pos, int radius, Test test)
{
    for (int y = pos.y - radius; y <= pos.y + radius; ++y) {
        for (int x = pos.x - radius; x <= pos.x + radius; ++x) {
            if (x >= 0 && y >= 0 && x < pixels.width && y < pixels.height && test(pixels.At(x, y)))
                return true;
        }
    }
    return false;
}

inline bool IsRed(uint32_t argb)
{
    return Red(argb) > 200 && Green(argb) < 60 && Blue(argb) < 60;
}
