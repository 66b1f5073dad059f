// Filling the tiles of a picture quad from its source picture, with the
// colour settings applied on the processor.
#include <algorithm>
#include <cstring>

#include "imagelib/ColorTwist.h"
#include "imagelib/ImgLut.h"
#include "render/D3DImage.h"
#include "render/EdgeBleed.h"
#include "render/MipChain.h"
#include "render/PictureTiling.h"
#include "render/TextureImage.h"

namespace {
// Pixel scale in and out of the twist space, and the way between blue, green,
// red and luma with the two colour differences (B-Y, R-Y). Row by row.
const float kScaleOut[16] = {247.1f, 0, 0, 0, 0, 247.1f, 0, 0, 0, 0, 247.1f, 0, 0, 0, 0, 1};
const float kLumaToColour[16] = {1, 1, 0, 0, 1, -0.194f, -0.509f, 0, 1, 0, 1, 0, 0, 0, 0, 1};
const float kColourToLuma[16] = {0.114f,  0.587f,  0.299f,  0, 0.886f, -0.587f, -0.299f, 0,
                                 -0.114f, -0.587f, 0.701f,  0, 0,      0,       0,       1};
const float kScaleIn[16] = {0.004047f, 0, 0, 0, 0, 0.004047f, 0, 0, 0, 0, 0.004047f, 0, 0, 0, 0, 1};

void BuildTwist(const ColourSettings& c, float m[16])
{
    float step[16];
    ImgMul4x4(kScaleOut, kLumaToColour, m);
    ImgRedGainTwist(c.red, step);
    ImgMul4x4InPlace(m, step);
    ImgGreenGainTwist(c.green, step);
    ImgMul4x4InPlace(m, step);
    ImgBlueGainTwist(c.blue, step);
    ImgMul4x4InPlace(m, step);
    ImgSaturationTwist(c.saturation, step);
    ImgMul4x4InPlace(m, step);
    ImgScaleTwist(c.brightness, step);
    ImgMul4x4InPlace(m, step);
    ImgMul4x4InPlace(m, kColourToLuma);
    ImgMul4x4InPlace(m, kScaleIn);
}

// The colour settings as one pass over the source's tiles.
class TileFiller {
public:
    TileFiller(CImgBitmap& source, const ColourSettings& c) : m_source(source)
    {
        m_twist = c.red != 1.0f || c.green != 1.0f || c.blue != 1.0f || c.saturation != 1.0f ||
                  c.brightness != 1.0f || c.alpha != 1.0f;
        m_tables = c.contrast != 0.5f;
        if (m_twist)
            BuildTwist(c, m_matrix);
        if (m_tables)
            ImgBuildGainCurve(c.contrast, m_gain);
    }

    // Fills tile (column, row); false when it cannot be locked.
    bool Fill(IDirect3DTexture9* texture, const TileLayout& layout, int32_t column, int32_t row)
    {
        TextureImage tile(texture, layout.tileWidth, layout.tileHeight);
        if (!tile.IsValid())
            return false;
        // Texels beyond the picture hold nothing left over in memory; they
        // take its edge (BleedEdgeColours).
        tile.Clear();
        const int32_t x = layout.tileWidth * column;
        const int32_t y = layout.tileHeight * row;
        const int32_t w = std::min(layout.tileWidth, m_source.GetWidth() - x);
        const int32_t h = std::min(layout.tileHeight, m_source.GetHeight() - y);
        IplImage* source = m_source.GetIplImage();
        IplImage* target = tile.Header();
        if (!m_twist && !m_tables) {
            for (int32_t j = 0; j < h; ++j) {
                std::memcpy(target->imageData + static_cast<ptrdiff_t>(j) * target->widthStep,
                            source->imageData + static_cast<ptrdiff_t>(y + j) * source->widthStep +
                                x * 4,
                            static_cast<size_t>(w) * 4);
            }
        } else {
            Recolour(tile, x, y, w, h);
        }
        BleedEdgeColours(reinterpret_cast<uint8_t*>(target->imageData), target->widthStep, w, h,
                         layout.tileWidth, layout.tileHeight);
        return true;
    }

private:
    void Recolour(TextureImage& tile, int32_t x, int32_t y, int32_t w, int32_t h)
    {
        IplImage* source = m_source.GetIplImage();
        IplImage* target = tile.Header();
        m_source.SetROI(0, x, y, w, h);
        tile.Image().SetROI(0, 0, 0, w, h);
        if (m_twist)
            m_source.ApplyColorTwist(m_matrix, &tile.Image());
        if (m_tables) {
            IplLUT* luts[4] = {m_gain.GetIplLut(), m_gain.GetIplLut(), m_gain.GetIplLut(),
                               m_identity.GetIplLut()};
            AlphaAsColour sourceChannels(source);
            AlphaAsColour tileChannels(target);
            iplContrastStretch(m_twist ? target : source, target, luts);
        }
        m_source.SelectChannel(0);
    }

    CImgBitmap& m_source;
    bool m_twist = false;
    bool m_tables = false;
    float m_matrix[16] = {};
    CImgLut m_gain;
    CImgLut m_identity;  // a new table maps every value to itself
};
}  // namespace

std::unique_ptr<PictureTiles> MakePictureTiles(IDirect3DDevice9* device, const D3DCAPS9& caps,
                                               CImgBitmap& source, const ColourSettings& colour,
                                               bool smallerLevels)
{
    auto tiles = std::make_unique<PictureTiles>();
    if (!device || !source.IsValid() ||
        !ComputeTileLayout(source.GetWidth(), source.GetHeight(), caps.MaxTextureWidth,
                           caps.MaxTextureHeight, tiles->layout))
        return nullptr;
    const TileLayout& layout = tiles->layout;
    const size_t count = static_cast<size_t>(layout.columns) * layout.rows;
    tiles->bytes = count * PictureTextureBytes(layout.tileWidth, layout.tileHeight, smallerLevels);
    if (!PictureMemoryAllows(tiles->bytes))
        return nullptr;
    tiles->width = source.GetWidth();
    tiles->height = source.GetHeight();
    tiles->textures.resize(count);
    for (ComRef<IDirect3DTexture9>& tile : tiles->textures) {
        if (FAILED(CreatePictureTexture(device, layout.tileWidth, layout.tileHeight, smallerLevels, tile)))
            return nullptr;
    }
    TileFiller filler(source, colour);
    for (int32_t r = 0; r < layout.rows; ++r) {
        for (int32_t c = 0; c < layout.columns; ++c) {
            // A tile that cannot be locked ends the pass; the tiles already
            // done keep their pixels.
            IDirect3DTexture9* tile = tiles->textures[static_cast<size_t>(r) * layout.columns + c].Get();
            if (!filler.Fill(tile, layout, c, r) || !FillLowerLevels(tile))
                return tiles;
        }
    }
    return tiles;
}
