#pragma once
// Built text meshes shared by every text of the same words in the same font
// on one device, the way SharedFont shares fonts: made for the first of them,
// given back with the last. The mesh is centred and of height 1 whatever the
// text's colour and placement, so one serves them all. Its geometry counts
// once in the texts' memory.
#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include <memory>
#include <string>

#include "framework/com_ref.h"

struct TextMeshKey {
    IDirect3DDevice9* device = nullptr;
    std::string text;
    LOGFONTA font{};
    float deviation = 0.0f;
    float extrusion = 0.0f;
};
bool operator<(const TextMeshKey& a, const TextMeshKey& b);

// The key of a text drawn with `font` (read back from the handle).
TextMeshKey MakeTextMeshKey(IDirect3DDevice9* device, const char* text, HFONT font,
                            float deviation, float extrusion);

class TextGeometry {
public:
    TextGeometry(const TextMeshKey& key, ComRef<ID3DXMesh> mesh, float width);
    ~TextGeometry();
    TextGeometry(const TextGeometry&) = delete;
    TextGeometry& operator=(const TextGeometry&) = delete;

    ID3DXMesh* Mesh() const { return m_mesh.Get(); }
    float Width() const { return m_width; }

private:
    const TextMeshKey m_key;
    const ComRef<ID3DXMesh> m_mesh;
    const float m_width;
    const size_t m_bytes;
};

// The mesh some text already holds for the key; null when none does.
std::shared_ptr<const TextGeometry> FindTextGeometry(const TextMeshKey& key);
// Shares a mesh just built for the key.
std::shared_ptr<const TextGeometry> ShareTextGeometry(const TextMeshKey& key,
                                                      ComRef<ID3DXMesh> mesh, float width);
