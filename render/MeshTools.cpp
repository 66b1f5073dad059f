#include "render/MeshTools.h"

#include <cstring>

namespace {
// One buffer of a mesh (vertices, indices or face attributes) locked for the
// lifetime of the object.
template <class Data, HRESULT (STDMETHODCALLTYPE ID3DXMesh::*Lock)(DWORD, Data**),
          HRESULT (STDMETHODCALLTYPE ID3DXMesh::*Unlock)()>
class MeshBufferLock {
public:
    MeshBufferLock(ID3DXMesh* mesh, DWORD flags) : m_mesh(mesh)
    {
        if (FAILED((m_mesh->*Lock)(flags, &m_bits)))
            m_bits = nullptr;
    }
    ~MeshBufferLock()
    {
        if (m_bits)
            (m_mesh->*Unlock)();
    }
    MeshBufferLock(const MeshBufferLock&) = delete;
    MeshBufferLock& operator=(const MeshBufferLock&) = delete;
    Data* Bits() const { return m_bits; }

private:
    ID3DXMesh* m_mesh;
    Data* m_bits = nullptr;
};

using VertexLock =
    MeshBufferLock<void, &ID3DXMesh::LockVertexBuffer, &ID3DXMesh::UnlockVertexBuffer>;
using IndexLock = MeshBufferLock<void, &ID3DXMesh::LockIndexBuffer, &ID3DXMesh::UnlockIndexBuffer>;
using AttributeLock =
    MeshBufferLock<DWORD, &ID3DXMesh::LockAttributeBuffer, &ID3DXMesh::UnlockAttributeBuffer>;

unsigned char* Bytes(void* bits)
{
    return static_cast<unsigned char*>(bits);
}

DWORD IndexAt(const void* indices, bool wide, DWORD i)
{
    return wide ? static_cast<const DWORD*>(indices)[i] : static_cast<const WORD*>(indices)[i];
}

// Which way a face of a text mesh lies by its corners' normals: -1 or +1
// when it lies in the page (all normals along -z or +z), 0 for a wall.
int FaceSide(const unsigned char* vertices, DWORD stride, const void* indices, bool wide, DWORD face)
{
    int side = 0;
    for (DWORD corner = 0; corner < 3; ++corner) {
        const DWORD v = IndexAt(indices, wide, face * 3 + corner);
        const auto* normal =
            reinterpret_cast<const D3DXVECTOR3*>(vertices + static_cast<size_t>(v) * stride + sizeof(D3DXVECTOR3));
        const int own = normal->z <= -0.5f ? -1 : normal->z >= 0.5f ? 1 : 0;
        if (own == 0 || (corner > 0 && own != side))
            return 0;
        side = own;
    }
    return side;
}

// The faces of a mesh to keep and where each kept vertex goes in the merged
// mesh (kDropped for the others).
constexpr DWORD kDropped = 0xFFFFFFFF;
struct KeptPart {
    std::vector<bool> faces;
    std::vector<DWORD> vertices;
    DWORD faceCount = 0;
};

HRESULT MergeByHand(const std::vector<ID3DXMesh*>& meshes, const std::vector<D3DXMATRIX>& transforms,
                    IDirect3DDevice9* device, bool facingOnly, ComRef<ID3DXMesh>& merged)
{
    const DWORD fvf = meshes.front()->GetFVF();
    for (ID3DXMesh* mesh : meshes) {
        if (mesh->GetFVF() != fvf)
            return E_INVALIDARG;
    }
    const bool byNormal = facingOnly && (fvf & D3DFVF_NORMAL) && (fvf & D3DFVF_POSITION_MASK) == D3DFVF_XYZ;
    const DWORD stride = D3DXGetFVFVertexSize(fvf);
    std::vector<KeptPart> parts(meshes.size());
    DWORD faces = 0;
    DWORD vertices = 0;
    for (size_t m = 0; m < meshes.size(); ++m) {
        ID3DXMesh* mesh = meshes[m];
        VertexLock inVertices(mesh, D3DLOCK_READONLY);
        IndexLock inIndices(mesh, D3DLOCK_READONLY);
        if (!inVertices.Bits() || !inIndices.Bits())
            return E_FAIL;
        const bool inWide = (mesh->GetOptions() & D3DXMESH_32BIT) != 0;
        KeptPart& part = parts[m];
        part.faces.assign(mesh->GetNumFaces(), true);
        part.vertices.assign(mesh->GetNumVertices(), kDropped);
        part.faceCount = mesh->GetNumFaces();
        if (byNormal) {
            std::vector<int> sides(mesh->GetNumFaces());
            DWORD towards = 0;
            DWORD away = 0;
            for (DWORD f = 0; f < mesh->GetNumFaces(); ++f) {
                sides[f] = FaceSide(Bytes(inVertices.Bits()), stride, inIndices.Bits(), inWide, f);
                towards += sides[f] < 0 ? 1 : 0;
                away += sides[f] > 0 ? 1 : 0;
            }
            // One side of the glyphs: the one towards the viewer when there
            // is one; a mesh with no face lying in the page is kept whole.
            const int kept = towards ? -1 : away ? 1 : 0;
            if (kept != 0) {
                for (DWORD f = 0; f < mesh->GetNumFaces(); ++f)
                    part.faces[f] = sides[f] == kept;
                part.faceCount = kept < 0 ? towards : away;
            }
        }
        for (DWORD f = 0; f < mesh->GetNumFaces(); ++f) {
            if (!part.faces[f])
                continue;
            for (DWORD corner = 0; corner < 3; ++corner) {
                DWORD& slot = part.vertices[IndexAt(inIndices.Bits(), inWide, f * 3 + corner)];
                if (slot == kDropped)
                    slot = vertices++;
            }
        }
        faces += part.faceCount;
    }
    const bool wide = vertices > 0xFFFF;
    const DWORD options = D3DXMESH_SYSTEMMEM | (wide ? D3DXMESH_32BIT : 0);
    HRESULT hr = D3DXCreateMeshFVF(faces, vertices, options, fvf, device, merged.Out());
    if (FAILED(hr))
        return hr;
    VertexLock outVertices(merged.Get(), 0);
    IndexLock outIndices(merged.Get(), 0);
    AttributeLock outAttributes(merged.Get(), 0);
    if (!outVertices.Bits() || !outIndices.Bits() || !outAttributes.Bits())
        return E_FAIL;
    DWORD faceBase = 0;
    for (size_t m = 0; m < meshes.size(); ++m) {
        ID3DXMesh* mesh = meshes[m];
        const KeptPart& part = parts[m];
        VertexLock inVertices(mesh, D3DLOCK_READONLY);
        IndexLock inIndices(mesh, D3DLOCK_READONLY);
        AttributeLock inAttributes(mesh, D3DLOCK_READONLY);
        if (!inVertices.Bits() || !inIndices.Bits() || !inAttributes.Bits())
            return E_FAIL;
        const DWORD count = mesh->GetNumVertices();
        for (DWORD v = 0; v < count; ++v) {
            if (part.vertices[v] == kDropped)
                continue;
            unsigned char* out = Bytes(outVertices.Bits()) + static_cast<size_t>(part.vertices[v]) * stride;
            std::memcpy(out, Bytes(inVertices.Bits()) + static_cast<size_t>(v) * stride, stride);
            D3DXVECTOR3* position = reinterpret_cast<D3DXVECTOR3*>(out);
            D3DXVec3TransformCoord(position, position, &transforms[m]);
            if (fvf & D3DFVF_NORMAL) {
                D3DXVECTOR3* normal = reinterpret_cast<D3DXVECTOR3*>(out + sizeof(D3DXVECTOR3));
                D3DXVec3TransformNormal(normal, normal, &transforms[m]);
            }
        }
        const bool inWide = (mesh->GetOptions() & D3DXMESH_32BIT) != 0;
        for (DWORD f = 0; f < mesh->GetNumFaces(); ++f) {
            if (!part.faces[f])
                continue;
            for (DWORD corner = 0; corner < 3; ++corner) {
                const DWORD index = part.vertices[IndexAt(inIndices.Bits(), inWide, f * 3 + corner)];
                if (wide)
                    static_cast<DWORD*>(outIndices.Bits())[faceBase * 3 + corner] = index;
                else
                    static_cast<WORD*>(outIndices.Bits())[faceBase * 3 + corner] = static_cast<WORD>(index);
            }
            outAttributes.Bits()[faceBase] = inAttributes.Bits()[f];
            ++faceBase;
        }
    }
    return S_OK;
}
}  // namespace

bool MeshBoundingBox(ID3DXMesh* mesh, D3DXVECTOR3& min, D3DXVECTOR3& max)
{
    VertexLock lock(mesh, D3DLOCK_READONLY);
    if (!lock.Bits())
        return false;
    return SUCCEEDED(D3DXComputeBoundingBox(static_cast<const D3DXVECTOR3*>(lock.Bits()),
                                            mesh->GetNumVertices(), mesh->GetNumBytesPerVertex(),
                                            &min, &max));
}

HRESULT MergeMeshes(const std::vector<ID3DXMesh*>& meshes,
                    const std::vector<D3DXMATRIX>& transforms, IDirect3DDevice9* device,
                    ComRef<ID3DXMesh>& merged, MergedFaces kept)
{
    if (meshes.empty() || meshes.size() != transforms.size() || !device)
        return E_INVALIDARG;
    // Merged here rather than by D3DXConcatenateMeshes: some runtimes export
    // that function only as a stub that aborts the process.
    return MergeByHand(meshes, transforms, device, kept == MergedFaces::kFlatFront, merged);
}

bool NormaliseMesh(ID3DXMesh* mesh, const D3DXVECTOR3& centre, float scale)
{
    VertexLock lock(mesh, 0);
    if (!lock.Bits())
        return false;
    const DWORD stride = mesh->GetNumBytesPerVertex();
    const DWORD count = mesh->GetNumVertices();
    for (DWORD v = 0; v < count; ++v) {
        D3DXVECTOR3* p = reinterpret_cast<D3DXVECTOR3*>(Bytes(lock.Bits()) + static_cast<size_t>(v) * stride);
        *p = (*p - centre) * scale;
    }
    return true;
}
