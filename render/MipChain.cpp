#include "render/MipChain.h"

#include <algorithm>
#include <cstdint>

#include "render/EdgeBleed.h"
#include "render/TextureLock.h"

namespace {
constexpr int kAlpha = 3;

int HalfSide(int side)
{
    return std::max(side / 2, 1);
}

// One level from the one above, BGRA texels: each texel the mean of a 2 x 2
// block (1 x 2 or 2 x 1 where the level above is one texel thin).
void HalveTexels(const uint8_t* from, int fromPitch, int fromWidth, int fromHeight, uint8_t* to,
                 int toPitch)
{
    const int width = HalfSide(fromWidth);
    const int height = HalfSide(fromHeight);
    for (int y = 0; y < height; ++y) {
        const uint8_t* rows[2] = {from + static_cast<ptrdiff_t>(2 * y) * fromPitch,
                                  from + static_cast<ptrdiff_t>(std::min(2 * y + 1, fromHeight - 1)) * fromPitch};
        uint8_t* out = to + static_cast<ptrdiff_t>(y) * toPitch;
        for (int x = 0; x < width; ++x) {
            const int columns[2] = {2 * x * 4, std::min(2 * x + 1, fromWidth - 1) * 4};
            const uint8_t* block[4] = {rows[0] + columns[0], rows[0] + columns[1], rows[1] + columns[0],
                                       rows[1] + columns[1]};
            int alpha = 0;
            for (const uint8_t* t : block)
                alpha += t[kAlpha];
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (const uint8_t* t : block)
                    sum += alpha > 0 ? t[c] * t[kAlpha] : t[c];
                const int weight = alpha > 0 ? alpha : 4;
                out[x * 4 + c] = static_cast<uint8_t>((sum + weight / 2) / weight);
            }
            out[x * 4 + kAlpha] = static_cast<uint8_t>((alpha + 2) / 4);
        }
    }
}
}  // namespace

HRESULT CreatePictureTexture(IDirect3DDevice9* device, int width, int height, bool smallerLevels,
                             ComRef<IDirect3DTexture9>& texture)
{
    if (!device)
        return E_POINTER;
    // Zero levels asks for the whole chain.
    return device->CreateTexture(static_cast<UINT>(width), static_cast<UINT>(height), smallerLevels ? 0 : 1, 0,
                                 D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, texture.Out(), nullptr);
}

size_t PictureTextureBytes(int width, int height, bool smallerLevels)
{
    if (!smallerLevels)
        return static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0)) * 4;
    size_t bytes = 0;
    for (int w = std::max(width, 1), h = std::max(height, 1);; w = HalfSide(w), h = HalfSide(h)) {
        bytes += static_cast<size_t>(w) * static_cast<size_t>(h) * 4;
        if (w == 1 && h == 1)
            return bytes;
    }
}

bool FillLowerLevels(IDirect3DTexture9* texture)
{
    if (!texture)
        return false;
    const DWORD levels = texture->GetLevelCount();
    for (DWORD level = 1; level < levels; ++level) {
        D3DSURFACE_DESC above{};
        if (FAILED(texture->GetLevelDesc(level - 1, &above)))
            return false;
        const TextureLock from(texture, level - 1, D3DLOCK_READONLY);
        const TextureLock to(texture, level);
        if (!from.IsLocked() || !to.IsLocked())
            return false;
        const int width = static_cast<int>(above.Width);
        const int height = static_cast<int>(above.Height);
        uint8_t* texels = static_cast<uint8_t*>(to.Bits());
        HalveTexels(static_cast<const uint8_t*>(from.Bits()), from.Pitch(), width, height, texels, to.Pitch());
        // As on the first level: transparent texels beside visible ones take
        // their colour, which the linear filter mixes in.
        BleedEdgeColours(texels, to.Pitch(), HalfSide(width), HalfSide(height), HalfSide(width),
                         HalfSide(height));
    }
    return true;
}
