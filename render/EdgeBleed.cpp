#include "render/EdgeBleed.h"

#include <cstddef>
#include <cstring>

namespace {
constexpr int kAlpha = 3;

uint8_t* Texel(uint8_t* texels, int pitch, int x, int y)
{
    return texels + static_cast<ptrdiff_t>(y) * pitch + static_cast<ptrdiff_t>(x) * 4;
}

// Only visible neighbours are read and only transparent texels written, so
// the result does not depend on the order of the walk.
void TakeNeighboursColour(uint8_t* texels, int pitch, int width, int height, int x, int y)
{
    int sum[3] = {0, 0, 0};
    int count = 0;
    for (int ny = y - 1; ny <= y + 1; ++ny) {
        for (int nx = x - 1; nx <= x + 1; ++nx) {
            if (nx < 0 || ny < 0 || nx >= width || ny >= height)
                continue;
            const uint8_t* n = Texel(texels, pitch, nx, ny);
            if (n[kAlpha] == 0)
                continue;
            for (int c = 0; c < 3; ++c)
                sum[c] += n[c];
            ++count;
        }
    }
    if (count == 0)
        return;
    uint8_t* t = Texel(texels, pitch, x, y);
    for (int c = 0; c < 3; ++c)
        t[c] = static_cast<uint8_t>((sum[c] + count / 2) / count);
}
}  // namespace

void BleedEdgeColours(uint8_t* texels, int pitch, int width, int height, int tileWidth,
                      int tileHeight)
{
    if (!texels || width <= 0 || height <= 0)
        return;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (Texel(texels, pitch, x, y)[kAlpha] == 0)
                TakeNeighboursColour(texels, pitch, width, height, x, y);
        }
    }
    for (int y = 0; y < height; ++y) {
        for (int x = width; x < tileWidth; ++x)
            std::memcpy(Texel(texels, pitch, x, y), Texel(texels, pitch, width - 1, y), 4);
    }
    for (int y = height; y < tileHeight; ++y)
        std::memcpy(Texel(texels, pitch, 0, y), Texel(texels, pitch, 0, height - 1),
                    static_cast<size_t>(tileWidth) * 4);
}
