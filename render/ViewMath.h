#pragma once
// View arithmetic of the page surfaces, free of any device so it can be
// checked on its own.
#include <cstdint>
#include <d3dx9math.h>

// View = scaling (zoom) then translation (pan), row-vector convention.
D3DXMATRIX BuildViewMatrix(float zoomX, float zoomY, float panX, float panY);

// Orthographic projection that makes the window one unit high and
// aspect units wide, y up.
D3DXMATRIX BuildProjectionMatrix(float aspect);

// Pictures are previewed with their longest side at most this large.
constexpr int32_t kLargestPreview = 1024;
// and at least this large (a JPEG decodes no smaller than an eighth).
constexpr int32_t kSmallestPreview = 128;

// The preview size for a picture whose longest side covers `pixels` on the
// screen: the power of two from kSmallestPreview up to `largest` at or above
// it. A picture is never drawn from fewer texels than it covers (nor from
// more than twice as many), and copies shown at like sizes share a preview.
// Not a number, or too many, gives the largest.
int32_t PreviewSizeFor(float pixels, int32_t largest);

struct BackBufferSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

// Back-buffer size for a reset. Without fitMaxTexture the size is 0 x 0 (the
// window's client size). With it, the largest buffer of the given aspect that
// stays two pixels inside the maximum texture size, so the rendered page can
// later be used as a texture. False for an aspect that is not positive.
bool ComputeResetSize(bool fitMaxTexture, float aspect, uint32_t maxTextureWidth,
                      uint32_t maxTextureHeight, BackBufferSize& size);
