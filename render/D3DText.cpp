#include "render/D3DText.h"

#include <algorithm>
#include <string>
#include <vector>

#include "render/D3DImage.h"
#include "render/D3DObj.h"
#include "render/GdiScope.h"
#include "render/MeshTools.h"
#include "render/QuadGeometry.h"
#include "render/TextLines.h"

namespace {
struct LineMesh {
    ComRef<ID3DXMesh> mesh;
    int index;  // the line's place in the text
};
}  // namespace

CD3DText::CD3DText(CD3DObj* owner) : Placement(0.1f), m_owner(owner) {}

CD3DText::~CD3DText()
{
    Reset();
}

void CD3DText::Reset()
{
    ClearWorld();
    m_width = 0.0f;
    m_mesh.Reset();
}

int CD3DText::BuildMesh(const char* text, HFONT font, COLORREF colour, float deviation,
                        float extrusion)
{
    Reset();
    std::vector<LineMesh> lines;
    float lineHeight = 0.0f;
    {
        FontContext dc(font);
        if (!dc.Get())
            return E_OUTOFMEMORY;
        const std::vector<std::string> texts = SplitTextLines(text);
        m_lineCount = static_cast<int>(texts.size());
        if (texts.empty())
            return 0;
        IDirect3DDevice9* device = m_owner ? m_owner->GetDevice() : nullptr;
        for (size_t i = 0; i < texts.size(); ++i) {
            LineMesh line{ComRef<ID3DXMesh>(), static_cast<int>(i)};
            // A line that cannot be made is left out; the others keep their
            // places.
            if (!device || FAILED(D3DXCreateTextA(device, dc.Get(), texts[i].c_str(), deviation,
                                                  extrusion, line.mesh.Out(), nullptr, nullptr)))
                continue;
            D3DXVECTOR3 min;
            D3DXVECTOR3 max;
            if (!MeshBoundingBox(line.mesh.Get(), min, max))
                continue;
            lineHeight = std::max(lineHeight, max.y - min.y);
            lines.push_back(std::move(line));
        }
    }
    if (lines.empty())
        return 0;

    const std::vector<float> offsets = LineOffsets(m_lineCount, lineHeight);
    std::vector<ID3DXMesh*> meshes;
    std::vector<D3DXMATRIX> moves;
    for (const LineMesh& line : lines) {
        meshes.push_back(line.mesh.Get());
        D3DXMATRIX move;
        D3DXMatrixTranslation(&move, 0.0f, offsets[line.index], 0.0f);
        moves.push_back(move);
    }
    if (FAILED(MergeMeshes(meshes, moves, m_owner->GetDevice(), m_mesh)))
        return 0;
    lines.clear();

    D3DXVECTOR3 min;
    D3DXVECTOR3 max;
    if (!MeshBoundingBox(m_mesh.Get(), min, max)) {
        m_mesh.Reset();
        return 0;
    }
    const float w = max.x - min.x;
    const float h = max.y - min.y;
    // Centred on the box's own centre: glyphs start right of 0 and descenders
    // reach below the baseline, so the box does not start at the origin.
    const D3DXVECTOR3 centre((min.x + max.x) * 0.5f, (min.y + max.y) * 0.5f, 0.0f);
    NormaliseMesh(m_mesh.Get(), centre, h != 0.0f ? 1.0f / h : 1.0f);
    m_width = h != 0.0f ? w / h : 0.0f;
    m_height = 1.0f;

    m_colour = colour;
    const D3DCOLORVALUE value = {GetRValue(colour) / 255.0f, GetGValue(colour) / 255.0f,
                                 GetBValue(colour) / 255.0f, 1.0f};
    m_material = D3DMATERIAL9{};
    m_material.Diffuse = value;
    m_material.Ambient = value;
    UpdateWorld();
    return 1;
}

void CD3DText::Render(int pass)
{
    IDirect3DDevice9* device = m_owner ? m_owner->GetDevice() : nullptr;
    if (!device || !m_mesh)
        return;
    ComRef<IDirect3DStateBlock9> saved;
    if (FAILED(device->CreateStateBlock(D3DSBT_ALL, saved.Out())))
        return;
    device->SetTexture(0, nullptr);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    // The material's alpha, whatever a picture left in the alpha stage.
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    device->SetTransform(D3DTS_WORLD, &GetWorldTransform());
    if (pass == kPassInsideMask) {
        device->SetRenderState(D3DRS_STENCILREF, 1);
        device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
        device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
        device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
    }
    device->SetMaterial(&m_material);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    for (int subset = 0; subset < m_lineCount; ++subset)
        m_mesh->DrawSubset(static_cast<DWORD>(subset));
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    if (pass == kPassInsideMask)
        device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
    saved->Apply();
}

QuadShape CD3DText::Shape() const
{
    return QuadShape{GetWorldTransform(), OwnerView(m_owner), m_width, m_height, true};
}

bool CD3DText::HitTest(float x, float y) const
{
    return QuadContains(Shape(), 1.0f, x, y);
}

bool CD3DText::IntersectsRect(float x1, float y1, float x2, float y2) const
{
    return QuadIntersectsRect(Shape(), 1.0f, x1, y1, x2, y2);
}
