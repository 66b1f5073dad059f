#include "render/QuadVertex.h"

#include <cstring>

bool MakeQuadVertices(IDirect3DDevice9* device, float width, float uExtent, float vExtent,
                      ComRef<IDirect3DVertexBuffer9>& vertices)
{
    vertices.Reset();
    void* bits = nullptr;
    if (!device ||
        FAILED(device->CreateVertexBuffer(4 * sizeof(QuadVertex), 0, kQuadVertexFormat, D3DPOOL_MANAGED,
                                          vertices.Out(), nullptr)) ||
        FAILED(vertices->Lock(0, 0, &bits, 0))) {
        vertices.Reset();
        return false;
    }
    const float w = width * 0.5f;
    const QuadVertex quad[4] = {
        {-w, 0.5f, 0.0f, 0xFFFFFFFF, 0.0f, 0.0f, 0.0f, 0.0f},
        {w, 0.5f, 0.0f, 0xFFFFFFFF, uExtent, 0.0f, 1.0f, 0.0f},
        {-w, -0.5f, 0.0f, 0xFFFFFFFF, 0.0f, vExtent, 0.0f, 1.0f},
        {w, -0.5f, 0.0f, 0xFFFFFFFF, uExtent, vExtent, 1.0f, 1.0f},
    };
    std::memcpy(bits, quad, sizeof(quad));
    vertices->Unlock();
    return true;
}
