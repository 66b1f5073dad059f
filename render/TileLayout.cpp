#include "render/TileLayout.h"

#include <algorithm>

int32_t NextPowerOfTwo(int32_t value)
{
    int32_t power = 1;
    while (power < value && power < (1 << 30))
        power <<= 1;
    return power;
}

namespace {
int32_t TileSide(int32_t pictureSide, uint32_t maxSide)
{
    const int32_t limit = static_cast<int32_t>(std::min<uint32_t>(maxSide, 1u << 30));
    return pictureSide <= limit ? NextPowerOfTwo(pictureSide) : limit;
}
}  // namespace

bool ComputeTileLayout(int32_t width, int32_t height, uint32_t maxTextureWidth,
                       uint32_t maxTextureHeight, TileLayout& layout)
{
    layout = TileLayout{};
    if (width < 1 || height < 1 || maxTextureWidth < 1 || maxTextureHeight < 1)
        return false;
    layout.tileWidth = TileSide(width, maxTextureWidth);
    layout.tileHeight = TileSide(height, maxTextureHeight);
    layout.columns = (width + layout.tileWidth - 1) / layout.tileWidth;
    layout.rows = (height + layout.tileHeight - 1) / layout.tileHeight;
    layout.uExtent = static_cast<float>(width) / static_cast<float>(layout.columns * layout.tileWidth);
    layout.vExtent = static_cast<float>(height) / static_cast<float>(layout.rows * layout.tileHeight);
    return true;
}
