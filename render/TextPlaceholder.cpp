#include "render/TextPlaceholder.h"

#include <algorithm>

#include "framework/com_ref.h"

namespace {
constexpr DWORD kPlaceholderFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE;
constexpr size_t kFillVertices = 6;
constexpr size_t kLineVertices = 12;
// Boxes layered by depth in one draw: each box's fill and lines get a depth
// of their own, far enough apart for any depth buffer.
constexpr size_t kBoxesPerDraw = 4096;
constexpr float kDepthStep = 1.0f / 8192.0f;
constexpr float kFirstDepth = 0.99f;

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

PlaceholderBatch::Vertex Placed(const D3DXMATRIX& m, float x, float y, D3DCOLOR colour)
{
    return {x * m._11 + y * m._21 + m._41, x * m._12 + y * m._22 + m._42, 0.0f, colour};
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

void PlaceholderBatch::Add(const D3DXMATRIX& world, float width, COLORREF colour)
{
    const float l = -width / 2.0f, r = width / 2.0f;
    const D3DCOLOR pale = PaleColour(colour);
    const D3DCOLOR ink = OpaqueColour(colour);
    const Vertex lt = Placed(world, l, 0.5f, pale), rt = Placed(world, r, 0.5f, pale);
    const Vertex lb = Placed(world, l, -0.5f, pale), rb = Placed(world, r, -0.5f, pale);
    // The two triangles of a strip through the four corners.
    m_fills.insert(m_fills.end(), {lt, rt, lb, lb, rt, rb});
    // The outline, then the two diagonals.
    Vertex corners[4] = {lt, rt, rb, lb};
    for (Vertex& corner : corners)
        corner.colour = ink;
    const int ends[kLineVertices] = {0, 1, 1, 2, 2, 3, 3, 0, 0, 2, 3, 1};
    for (int end : ends)
        m_lines.push_back(corners[end]);
}

bool PlaceholderBatch::IsFull() const
{
    return m_lines.size() >= kBoxesPerDraw * kLineVertices;
}

void PlaceholderBatch::Forget()
{
    m_fills.clear();
    m_lines.clear();
}

void PlaceholderBatch::Draw(IDirect3DDevice9* device)
{
    if (IsEmpty())
        return;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device->SetTransform(D3DTS_WORLD, &identity);
    device->SetFVF(kPlaceholderFormat);
    ComRef<IDirect3DSurface9> depth;
    const size_t boxes = m_lines.size() / kLineVertices;
    if (boxes > 1 && SUCCEEDED(device->GetDepthStencilSurface(depth.Out()))) {
        for (size_t first = 0; first < boxes; first += kBoxesPerDraw)
            DrawLayered(device, first, std::min(kBoxesPerDraw, boxes - first));
    } else {
        DrawInOrder(device);
    }
    Forget();
}

// One box after another, each its fill then its lines: without a depth
// buffer, the order is the layering.
void PlaceholderBatch::DrawInOrder(IDirect3DDevice9* device) const
{
    const size_t boxes = m_lines.size() / kLineVertices;
    for (size_t box = 0; box < boxes; ++box) {
        device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, &m_fills[box * kFillVertices],
                                sizeof(Vertex));
        device->DrawPrimitiveUP(D3DPT_LINELIST, 6, &m_lines[box * kLineVertices],
                                sizeof(Vertex));
    }
}

// All fills, then all lines, layered by depth as the boxes were added: a
// box's lines lie above its fill, a later box above both.
void PlaceholderBatch::DrawLayered(IDirect3DDevice9* device, size_t first, size_t count)
{
    for (size_t box = 0; box < count; ++box) {
        const float fill = kFirstDepth - static_cast<float>(2 * box) * kDepthStep;
        for (size_t v = 0; v < kFillVertices; ++v)
            m_fills[(first + box) * kFillVertices + v].z = fill;
        for (size_t v = 0; v < kLineVertices; ++v)
            m_lines[(first + box) * kLineVertices + v].z = fill - kDepthStep;
    }
    device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESS);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, static_cast<UINT>(2 * count),
                            &m_fills[first * kFillVertices], sizeof(Vertex));
    device->DrawPrimitiveUP(D3DPT_LINELIST, static_cast<UINT>(6 * count),
                            &m_lines[first * kLineVertices], sizeof(Vertex));
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
}
