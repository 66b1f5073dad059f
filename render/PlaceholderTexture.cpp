#include "render/PlaceholderTexture.h"

#include <d3dx9.h>

#include "framework/com_ref.h"
#include "render/RenderResources.h"

namespace {
struct SharedTexture {
    // A texture belongs to the device that made it; a quad on another device
    // (the page list's off-screen renderer) gets its own.
    IDirect3DDevice9* device = nullptr;
    ComRef<IDirect3DTexture9> texture;
};

SharedTexture& Shared()
{
    static SharedTexture shared;
    return shared;
}
}  // namespace

IDirect3DTexture9* SharedPlaceholderTexture(IDirect3DDevice9* device)
{
    SharedTexture& shared = Shared();
    if (!device)
        return nullptr;
    if (shared.texture && shared.device == device)
        return shared.texture.Get();
    shared.texture.Reset();
    shared.device = nullptr;
    if (FAILED(D3DXCreateTextureFromResourceA(device, GetModuleHandleA(nullptr),
                                              MAKEINTRESOURCEA(IDB_PLACEHOLDER_PATTERN),
                                              shared.texture.Out())))
        return nullptr;
    shared.device = device;
    return shared.texture.Get();
}

void ReleaseSharedPlaceholderTexture()
{
    Shared().texture.Reset();
    Shared().device = nullptr;
}
