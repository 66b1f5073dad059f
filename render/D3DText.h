#pragma once
// A page's text as one flat Direct3D mesh in one colour: each line made from a
// GDI font, the lines stacked and merged, the result centred and scaled to a
// height of 1 so the text node can place it like a picture. Once the texts
// hold their memory budget a text is drawn as a box with a cross in its
// colour instead, of about the size the text would take.
#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/com_ref.h"
#include "render/Placement.h"
#include "render/QuadGeometry.h"
#include "render/SharedTextMesh.h"

class CD3DObj;
class TextRun;

class CD3DText : public Placement {
public:
    explicit CD3DText(CD3DObj* owner);
    virtual ~CD3DText();
    CD3DText(const CD3DText&) = delete;
    CD3DText& operator=(const CD3DText&) = delete;

    // 1 when built, 0 when the text has no line (or no line could be made) or
    // is left a placeholder, E_OUTOFMEMORY without a memory device context.
    int BuildMesh(const char* text, HFONT font, COLORREF colour, float deviation,
                  float extrusion);

    void Render(int pass);
    // Draws the text as part of `run`, after what the run drew before it.
    void DrawIn(TextRun& run) const;

    bool HitTest(float x, float y) const;
    bool IntersectsRect(float x1, float y1, float x2, float y2) const;
    void Reset();
    void ReleaseResources() { Reset(); }

    float GetWidth() const { return m_width; }
    float GetHeight() const { return m_height; }
    int GetLineCount() const { return m_lineCount; }
    COLORREF GetColour() const { return m_colour; }
    ID3DXMesh* GetMesh() const { return m_geometry ? m_geometry->Mesh() : nullptr; }
    bool IsPlaceholder() const { return m_placeholder; }

private:
    QuadShape Shape() const;
    void BecomePlaceholder(HDC dc, const std::vector<std::string>& lines);
    void SetColour(COLORREF colour);

    float m_width = 0.0f;
    float m_height = 1.0f;
    CD3DObj* m_owner;
    // Shared with the texts of the same words and font.
    std::shared_ptr<const TextGeometry> m_geometry;
    bool m_placeholder = false;
    D3DMATERIAL9 m_material{};
    int m_lineCount = 0;
    COLORREF m_colour = 0;
};
