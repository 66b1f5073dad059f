#pragma once
// Small operations on D3DX meshes used by the text mesh.
#include <d3dx9.h>

#include <vector>

#include "framework/com_ref.h"

// Bounding box of a mesh's vertices; false when the vertices cannot be read.
bool MeshBoundingBox(ID3DXMesh* mesh, D3DXVECTOR3& min, D3DXVECTOR3& max);

enum class MergedFaces {
    kAll,
    // Only the faces lying in the page (normals along z), of one side, with
    // the vertices they use: a flat text's front without its back and walls,
    // which show nothing on a page drawn without depth in ambient light.
    kFlatFront,
};

// One mesh of all the given meshes, each moved by its transform, in system
// memory: the device processes vertices in software and reads them there, and
// no graphics driver keeps a copy of its own (under Wine such copies outlived
// the mesh by hundreds of MB for a page of thousands of texts). Attributes
// (subsets) are kept as each mesh had them.
HRESULT MergeMeshes(const std::vector<ID3DXMesh*>& meshes,
                    const std::vector<D3DXMATRIX>& transforms, IDirect3DDevice9* device,
                    ComRef<ID3DXMesh>& merged, MergedFaces kept = MergedFaces::kAll);

// Every vertex position p becomes (p - centre) * scale.
bool NormaliseMesh(ID3DXMesh* mesh, const D3DXVECTOR3& centre, float scale);
