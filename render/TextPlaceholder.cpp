#include "render/TextPlaceholder.h"

#include <algorithm>

namespace {
struct PlaceholderVertex {
    float x, y, z;
    D3DCOLOR colour;
};
constexpr DWORD kPlaceholderFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;

D3DCOLOR OpaqueColour(COLORREF colour)
{
    return D3DCOLOR_XRGB(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// The colour three quarters of the way to white: the box's inside, light
// enough for its cross to show.
D3DCOLOR PaleColour(COLORREF colour)
{
    const auto pale = [](int c) { return (c + 3 * 255) / 4; };
    return D3DCOLOR_XRGB(pale(GetRValue(colour)), pale(GetGValue(colour)),
                         pale(GetBValue(colour)));
}
}  // namespace

float PlaceholderWidth(HDC dc, const std::vector<std::string>& lines)
{
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    int widest = 0;
    for (const std::string& line : lines) {
        SIZE size{};
        if (GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size))
            widest = std::max(widest, static_cast<int>(size.cx));
    }
    const float lineHeight =
        static_cast<float>(std::max(1L, metrics.tmHeight - metrics.tmInternalLeading));
    const size_t count = std::max<size_t>(lines.size(), 1);
    const float height = lineHeight * (1.0f + 1.5f * static_cast<float>(count - 1));
    return std::max(static_cast<float>(widest), lineHeight) / height;
}

void DrawTextPlaceholder(IDirect3DDevice9* device, float width, COLORREF colour)
{
    const float l = -width / 2.0f, r = width / 2.0f;
    const D3DCOLOR pale = PaleColour(colour);
    const D3DCOLOR ink = OpaqueColour(colour);
    const PlaceholderVertex box[4] = {
        {l, 0.5f, 0.0f, pale}, {r, 0.5f, 0.0f, pale}, {l, -0.5f, 0.0f, pale}, {r, -0.5f, 0.0f, pale}};
    // The outline, then the two diagonals.
    const PlaceholderVertex lines[12] = {
        {l, 0.5f, 0.0f, ink},  {r, 0.5f, 0.0f, ink},  {r, 0.5f, 0.0f, ink},
        {r, -0.5f, 0.0f, ink}, {r, -0.5f, 0.0f, ink}, {l, -0.5f, 0.0f, ink},
        {l, -0.5f, 0.0f, ink}, {l, 0.5f, 0.0f, ink},  {l, 0.5f, 0.0f, ink},
        {r, -0.5f, 0.0f, ink}, {l, -0.5f, 0.0f, ink}, {r, 0.5f, 0.0f, ink}};
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetFVF(kPlaceholderFormat);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, box, sizeof(PlaceholderVertex));
    device->DrawPrimitiveUP(D3DPT_LINELIST, 6, lines, sizeof(PlaceholderVertex));
}
