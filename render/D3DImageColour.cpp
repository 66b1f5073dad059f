// Filling the tiles of a picture quad from its source picture, with the
// colour settings applied on the processor.
#include "render/D3DImage.h"

#include <algorithm>
#include <cstring>

#include "imagelib/ColorTwist.h"
#include "imagelib/ImgLut.h"
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
}  // namespace

void CD3DImage::ApplyColorAdjust()
{
    if (!m_source.IsValid() || m_tiles.empty())
        return;
    const ColourSettings& c = m_colour;
    const bool twist = c.red != 1.0f || c.green != 1.0f || c.blue != 1.0f ||
                       c.saturation != 1.0f || c.brightness != 1.0f || c.alpha != 1.0f;
    const bool tables = c.contrast != 0.5f;
    float matrix[16] = {};
    if (twist)
        BuildTwist(c, matrix);
    CImgLut gain;
    CImgLut identity;  // a new table maps every value to itself
    IplLUT* luts[4] = {gain.GetIplLut(), gain.GetIplLut(), gain.GetIplLut(), identity.GetIplLut()};
    if (tables)
        ImgBuildGainCurve(c.contrast, gain);
    for (int32_t r = 0; r < m_layout.rows; ++r) {
        for (int32_t col = 0; col < m_layout.columns; ++col) {
            // A tile that cannot be locked ends the pass; the tiles already
            // done keep their new pixels.
            if (!FillTile(col, r, twist, matrix, tables, luts))
                return;
        }
    }
}

bool CD3DImage::FillTile(int32_t column, int32_t row, bool twist, const float* matrix, bool tables,
                         IplLUT** luts)
{
    const int32_t tileW = m_layout.tileWidth;
    const int32_t tileH = m_layout.tileHeight;
    TextureImage tile(m_tiles[static_cast<size_t>(row) * m_layout.columns + column].Get(), tileW,
                      tileH);
    if (!tile.IsValid())
        return false;
    // Texels beyond the picture stay transparent, so filtering at the
    // picture's edge blends with nothing left over in memory.
    tile.Clear();
    const int32_t x = tileW * column;
    const int32_t y = tileH * row;
    const int32_t w = std::min(tileW, m_source.GetWidth() - x);
    const int32_t h = std::min(tileH, m_source.GetHeight() - y);
    IplImage* source = m_source.GetIplImage();
    IplImage* target = tile.Header();

    if (!twist && !tables) {
        for (int32_t j = 0; j < h; ++j) {
            std::memcpy(target->imageData + static_cast<ptrdiff_t>(j) * target->widthStep,
                        source->imageData + static_cast<ptrdiff_t>(y + j) * source->widthStep + x * 4,
                        static_cast<size_t>(w) * 4);
        }
        return true;
    }
    m_source.SetROI(0, x, y, w, h);
    tile.Image().SetROI(0, 0, 0, w, h);
    if (twist)
        m_source.ApplyColorTwist(matrix, &tile.Image());
    if (tables) {
        AlphaAsColour sourceChannels(source);
        AlphaAsColour tileChannels(target);
        iplContrastStretch(twist ? target : source, target, luts);
    }
    m_source.SelectChannel(0);
    return true;
}
