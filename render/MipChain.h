#pragma once
// Pictures drawn smaller than their texture read from its smaller levels,
// each made from the one above by averaging 2 x 2 texels: fine lines shrunk
// several times turn into their mean colour instead of into dots picked out
// of them. Made here rather than by the device or the helper library: their
// filters differ from one system to the next, and one seen here keeps one
// texel of each block, which turns such lines into plain black.
#include <d3d9.h>

#include <cstddef>

#include "framework/com_ref.h"

// A picture texture (A8R8G8B8, managed), with every level down to 1 x 1 or
// with its first alone.
HRESULT CreatePictureTexture(IDirect3DDevice9* device, int width, int height, bool smallerLevels,
                             ComRef<IDirect3DTexture9>& texture);
// Memory of such a texture, all its levels counted (a third more than the
// first alone).
size_t PictureTextureBytes(int width, int height, bool smallerLevels);
// Makes every level below the first from the one above; false when a level
// cannot be locked. Colours are weighted by their alpha, so transparent
// texels do not darken a cut-out's edge.
bool FillLowerLevels(IDirect3DTexture9* texture);
