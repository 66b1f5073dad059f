#include "render/D3DText.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "render/D3DImage.h"
#include "render/D3DObj.h"
#include "render/GdiScope.h"
#include "render/MeshTools.h"
#include "render/QuadGeometry.h"
#include "render/TextLines.h"
#include "render/TextMemory.h"
#include "render/TextPlaceholder.h"
#include "render/TextRun.h"

namespace {
struct LineMesh {
    ComRef<ID3DXMesh> mesh;
    int index;  // the line's place in the text
    float x;    // where the piece starts along its line
};

// Whether the mesh's indices reach all its vertices: a mesh of 16-bit indices
// holds at most 65536 of them, and a long line has more.
bool IndicesReachAllVertices(ID3DXMesh* mesh)
{
    return (mesh->GetOptions() & D3DXMESH_32BIT) || mesh->GetNumVertices() <= 0x10000;
}

// Appends the meshes of a piece of a line starting at x, the piece halved as
// often as it is too long for one mesh, each half moved right by the advance
// of the text before it. Answers the piece's advance.
float AddLinePieces(IDirect3DDevice9* device, HDC dc, const std::string& text, int index, float x,
                    float deviation, float extrusion, std::vector<LineMesh>& pieces)
{
    std::vector<GLYPHMETRICSFLOAT> metrics(text.size());
    LineMesh piece{ComRef<ID3DXMesh>(), index, x};
    if (SUCCEEDED(D3DXCreateTextA(device, dc, text.c_str(), deviation, extrusion, piece.mesh.Out(),
                                  nullptr, metrics.data())) &&
        IndicesReachAllVertices(piece.mesh.Get())) {
        pieces.push_back(std::move(piece));
        float advance = 0.0f;
        for (const GLYPHMETRICSFLOAT& glyph : metrics)
            advance += glyph.gmfCellIncX;
        return advance;
    }
    // A single character that cannot be made is left out.
    if (text.size() < 2)
        return 0.0f;
    const size_t half = text.size() / 2;
    const float first = AddLinePieces(device, dc, text.substr(0, half), index, x, deviation,
                                      extrusion, pieces);
    return first + AddLinePieces(device, dc, text.substr(half), index, x + first, deviation,
                                 extrusion, pieces);
}

// The lines made, stacked and merged into one mesh centred on the origin and
// 1 high; `width` its width at that height. False when no line could be made.
bool MakeTextMesh(IDirect3DDevice9* device, HDC dc, const std::vector<std::string>& texts,
                  float deviation, float extrusion, ComRef<ID3DXMesh>& mesh, float& width)
{
    // A line that cannot be made is left out; the others keep their places.
    std::vector<LineMesh> pieces;
    for (size_t i = 0; i < texts.size(); ++i)
        AddLinePieces(device, dc, texts[i], static_cast<int>(i), 0.0f, deviation, extrusion,
                      pieces);
    std::vector<LineMesh> lines;
    float lineHeight = 0.0f;
    for (LineMesh& piece : pieces) {
        D3DXVECTOR3 min;
        D3DXVECTOR3 max;
        if (!MeshBoundingBox(piece.mesh.Get(), min, max))
            continue;
        lineHeight = std::max(lineHeight, max.y - min.y);
        lines.push_back(std::move(piece));
    }
    pieces.clear();
    if (lines.empty())
        return false;

    const std::vector<float> offsets = LineOffsets(static_cast<int>(texts.size()), lineHeight);
    std::vector<ID3DXMesh*> meshes;
    std::vector<D3DXMATRIX> moves;
    for (const LineMesh& line : lines) {
        meshes.push_back(line.mesh.Get());
        D3DXMATRIX move;
        D3DXMatrixTranslation(&move, line.x, offsets[line.index], 0.0f);
        moves.push_back(move);
    }
    // A flat text keeps only the faces the page shows: well under half of
    // what the glyphs were made of.
    const MergedFaces kept = extrusion == 0.0f ? MergedFaces::kFlatFront : MergedFaces::kAll;
    if (FAILED(MergeMeshes(meshes, moves, device, mesh, kept)))
        return false;
    lines.clear();

    D3DXVECTOR3 min;
    D3DXVECTOR3 max;
    if (!MeshBoundingBox(mesh.Get(), min, max)) {
        mesh.Reset();
        return false;
    }
    const float w = max.x - min.x;
    const float h = max.y - min.y;
    // Centred on the box's own centre: glyphs start right of 0 and descenders
    // reach below the baseline, so the box does not start at the origin.
    const D3DXVECTOR3 centre((min.x + max.x) * 0.5f, (min.y + max.y) * 0.5f, 0.0f);
    NormaliseMesh(mesh.Get(), centre, h != 0.0f ? 1.0f / h : 1.0f);
    width = h != 0.0f ? w / h : 0.0f;
    return true;
}

// The memory device context texts are measured and built in, made once: one
// made for each text was a fifth of the first frame of a page of tens of
// thousands of texts. Texts are built on the thread that owns the device.
HDC TextBuildingContext()
{
    static std::unique_ptr<MemoryDC> shared;
    if (!shared || !shared->Get())
        shared = std::make_unique<MemoryDC>();
    return shared->Get();
}

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
    m_geometry.reset();
    m_placeholder = false;
}

int CD3DText::BuildMesh(const char* text, HFONT font, COLORREF colour, float deviation,
                        float extrusion)
{
    Reset();
    const HDC measuring = TextBuildingContext();
    if (!measuring)
        return E_OUTOFMEMORY;
    const SelectScope selected(measuring, font);
    const std::vector<std::string> texts = SplitTextLines(text);
    m_lineCount = static_cast<int>(texts.size());
    if (texts.empty())
        return 0;
    IDirect3DDevice9* device = m_owner ? m_owner->GetDevice() : nullptr;
    if (!device)
        return 0;
    const TextMeshKey key = MakeTextMeshKey(device, text, font, deviation, extrusion);
    m_geometry = FindTextGeometry(key);
    if (!m_geometry) {
        // A mesh another text holds costs nothing more; a new one must fit.
        if (!TextMemoryAllowsAnother()) {
            BecomePlaceholder(measuring, texts);
            SetColour(colour);
            UpdateWorld();
            return 0;
        }
        ComRef<ID3DXMesh> mesh;
        float width = 0.0f;
        if (!MakeTextMesh(device, measuring, texts, deviation, extrusion, mesh, width))
            return 0;
        m_geometry = ShareTextGeometry(key, std::move(mesh), width);
    }
    m_width = m_geometry->Width();
    m_height = 1.0f;
    SetColour(colour);
    UpdateWorld();
    return 1;
}

void CD3DText::SetColour(COLORREF colour)
{
    m_colour = colour;
    const D3DCOLORVALUE value = {GetRValue(colour) / 255.0f, GetGValue(colour) / 255.0f,
                                 GetBValue(colour) / 255.0f, 1.0f};
    m_material = D3DMATERIAL9{};
    m_material.Diffuse = value;
    m_material.Ambient = value;
}

void CD3DText::BecomePlaceholder(HDC dc, const std::vector<std::string>& lines)
{
    m_width = PlaceholderWidth(dc, lines);
    m_height = 1.0f;
    m_placeholder = true;
    NoteTextPlaceholder();
}

void CD3DText::DrawIn(TextRun& run) const
{
    if (m_placeholder)
        run.AddBox(GetWorldTransform(), m_width, m_colour);
    else if (m_geometry)
        run.DrawMesh(GetWorldTransform(), m_material, m_geometry->Mesh(), m_lineCount);
}

void CD3DText::Render(int pass)
{
    TextRun run(m_owner ? m_owner->GetDevice() : nullptr, pass == kPassInsideMask);
    DrawIn(run);
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
