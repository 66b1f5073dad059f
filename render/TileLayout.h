#pragma once
// How a picture is cut into power-of-two textures no larger than the device
// allows.
#include <cstdint>

struct TileLayout {
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t tileWidth = 0;
    int32_t tileHeight = 0;
    // The part of the tile grid the picture covers.
    float uExtent = 0.0f;
    float vExtent = 0.0f;
};

// Smallest power of two not below value (value 1 .. 2^30).
int32_t NextPowerOfTwo(int32_t value);

// A picture that fits one texture gets one power-of-two tile, a larger one
// tiles of the maximum size. False for an empty picture or a device that
// reports no texture size.
bool ComputeTileLayout(int32_t width, int32_t height, uint32_t maxTextureWidth,
                       uint32_t maxTextureHeight, TileLayout& layout);
