#pragma once
// The tiled pattern behind every placeholder picture (bitmap resource 168),
// shared by all quads of one device.
#include <d3d9.h>

IDirect3DTexture9* SharedPlaceholderTexture(IDirect3DDevice9* device);
void ReleaseSharedPlaceholderTexture();
