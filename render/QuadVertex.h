#pragma once
// Vertex of a picture quad: position, colour and two texture-coordinate sets
// (the picture's and the effect's).
#include <d3d9.h>

#include "framework/com_ref.h"

struct QuadVertex {
    float x, y, z;
    D3DCOLOR diffuse;
    float u0, v0;
    float u1, v1;
};
static_assert(sizeof(QuadVertex) == 32, "the vertex buffer holds 32-byte vertices");

constexpr DWORD kQuadVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX2;

// The four vertices of a quad `width` wide and one high about its centre,
// the picture's coordinates reaching (uExtent, vExtent) at the far corner and
// the effect's (1, 1).
bool MakeQuadVertices(IDirect3DDevice9* device, float width, float uExtent, float vExtent,
                      ComRef<IDirect3DVertexBuffer9>& vertices);
