#pragma once
// Polylines drawn through a full world-view-projection transform. The D3DX
// line does that itself on most runtimes; where its transformed drawing fails
// (some runtimes draw D3DX lines only untransformed) the same polyline goes
// through the device's own transform as a line strip.
#include <d3d9.h>
#include <d3dx9.h>

// Draws `count` points (at least 2) as one line strip through `transform`,
// saving and restoring the device state around the call.
void DrawLineStripThrough(IDirect3DDevice9* device, const D3DXVECTOR3* points, UINT count,
                          const D3DXMATRIX& transform, D3DCOLOR colour);
