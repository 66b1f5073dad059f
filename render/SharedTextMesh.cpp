#include "render/SharedTextMesh.h"

#include <cstring>
#include <map>
#include <mutex>
#include <tuple>

#include "render/TextMemory.h"

namespace {
std::mutex g_lock;
std::map<TextMeshKey, std::weak_ptr<const TextGeometry>> g_meshes;
}  // namespace

bool operator<(const TextMeshKey& a, const TextMeshKey& b)
{
    if (std::tie(a.device, a.text, a.deviation, a.extrusion) !=
        std::tie(b.device, b.text, b.deviation, b.extrusion))
        return std::tie(a.device, a.text, a.deviation, a.extrusion) <
               std::tie(b.device, b.text, b.deviation, b.extrusion);
    return std::memcmp(&a.font, &b.font, sizeof(LOGFONTA)) < 0;
}

TextMeshKey MakeTextMeshKey(IDirect3DDevice9* device, const char* text, HFONT font,
                            float deviation, float extrusion)
{
    TextMeshKey key;
    key.device = device;
    key.text = text ? text : "";
    LOGFONTA read{};
    if (font && GetObjectA(font, sizeof(read), &read) == sizeof(read)) {
        // The bytes after the face name's end tell nothing apart.
        key.font = read;
        std::memset(key.font.lfFaceName, 0, sizeof(key.font.lfFaceName));
        std::memcpy(key.font.lfFaceName, read.lfFaceName, strnlen(read.lfFaceName, LF_FACESIZE - 1));
    }
    key.deviation = deviation;
    key.extrusion = extrusion;
    return key;
}

TextGeometry::TextGeometry(const TextMeshKey& key, ComRef<ID3DXMesh> mesh, float width)
    : m_key(key), m_mesh(std::move(mesh)), m_width(width), m_bytes(MeshGeometryBytes(m_mesh.Get()))
{
    NoteTextMemoryTaken(m_bytes);
}

TextGeometry::~TextGeometry()
{
    {
        const std::lock_guard<std::mutex> hold(g_lock);
        // A text may have shared a new mesh for the key since the last user
        // of this one let go.
        const auto it = g_meshes.find(m_key);
        if (it != g_meshes.end() && it->second.expired())
            g_meshes.erase(it);
    }
    NoteTextMemoryGiven(m_bytes);
}

std::shared_ptr<const TextGeometry> FindTextGeometry(const TextMeshKey& key)
{
    const std::lock_guard<std::mutex> hold(g_lock);
    const auto it = g_meshes.find(key);
    return it != g_meshes.end() ? it->second.lock() : nullptr;
}

std::shared_ptr<const TextGeometry> ShareTextGeometry(const TextMeshKey& key,
                                                      ComRef<ID3DXMesh> mesh, float width)
{
    auto geometry = std::make_shared<const TextGeometry>(key, std::move(mesh), width);
    const std::lock_guard<std::mutex> hold(g_lock);
    g_meshes[key] = geometry;
    return geometry;
}
