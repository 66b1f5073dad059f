#include "render/ViewMath.h"

#include <algorithm>
#include <cmath>

D3DXMATRIX BuildViewMatrix(float zoomX, float zoomY, float panX, float panY)
{
    D3DXMATRIX scaling;
    D3DXMATRIX translation;
    D3DXMatrixScaling(&scaling, zoomX, zoomY, 1.0f);
    D3DXMatrixTranslation(&translation, panX, panY, 0.0f);
    D3DXMATRIX view;
    D3DXMatrixMultiply(&view, &scaling, &translation);
    return view;
}

D3DXMATRIX BuildProjectionMatrix(float aspect)
{
    D3DXMATRIX projection;
    D3DXMatrixOrthoLH(&projection, aspect, 1.0f, -1.0f, 1.0f);
    return projection;
}

int32_t PreviewSizeFor(float pixels, int32_t largest)
{
    int32_t size = kSmallestPreview;
    while (size < largest && !(pixels <= static_cast<float>(size)))
        size *= 2;
    return std::min(size, std::max(largest, 1));
}

bool ComputeResetSize(bool fitMaxTexture, float aspect, uint32_t maxTextureWidth,
                      uint32_t maxTextureHeight, BackBufferSize& size)
{
    size = BackBufferSize{};
    if (!fitMaxTexture)
        return true;
    if (!(aspect > 0.0f) || !std::isfinite(aspect) || maxTextureWidth < 3 || maxTextureHeight < 3)
        return false;
    const uint32_t widthLimit = maxTextureWidth - 2;
    uint32_t height = maxTextureHeight - 2;
    // Compared before truncating so a huge aspect cannot overflow the integer.
    const double width = static_cast<double>(static_cast<float>(height) * aspect);
    if (width >= static_cast<double>(widthLimit) + 1.0) {
        size.width = widthLimit;
        size.height = static_cast<uint32_t>(static_cast<float>(widthLimit) / aspect);
    } else {
        size.width = static_cast<uint32_t>(width);
        size.height = height;
    }
    return size.width > 0 && size.height > 0;
}
