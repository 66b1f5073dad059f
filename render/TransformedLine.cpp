#include "render/TransformedLine.h"

#include <vector>

#include "framework/com_ref.h"

namespace {
struct LineVertex {
    float x, y, z;
    D3DCOLOR colour;
};
}  // namespace

void DrawLineStripThrough(IDirect3DDevice9* device, const D3DXVECTOR3* points, UINT count,
                          const D3DXMATRIX& transform, D3DCOLOR colour)
{
    ComRef<IDirect3DStateBlock9> saved;
    if (!device || count < 2 || FAILED(device->CreateStateBlock(D3DSBT_ALL, saved.Out())))
        return;
    std::vector<LineVertex> vertices;
    vertices.reserve(count);
    for (UINT i = 0; i < count; ++i)
        vertices.push_back({points[i].x, points[i].y, 0.0f, colour});
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device->SetTransform(D3DTS_WORLD, &transform);
    device->SetTransform(D3DTS_VIEW, &identity);
    device->SetTransform(D3DTS_PROJECTION, &identity);
    device->SetTexture(0, nullptr);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
    device->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    device->DrawPrimitiveUP(D3DPT_LINESTRIP, count - 1, vertices.data(), sizeof(LineVertex));
    saved->Apply();
}
