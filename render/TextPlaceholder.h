#pragma once
// The box with a cross a text is drawn as when the texts' memory is full: a
// light box in the text's colour, its outline and diagonals in the colour
// itself, of about the proportions the text would take.
#include <windows.h>
#include <d3d9.h>
#include <d3dx9math.h>

#include <string>
#include <vector>

// The box's width for a height of 1, from the measures of the font selected
// into `dc`: the widest line over the lines stacked 1.5 heights apart.
float PlaceholderWidth(HDC dc, const std::vector<std::string>& lines);

// The boxes of texts drawn one after another, drawn together: a page at the
// ceiling of objects holds tens of thousands of them, and one draw each made
// a frame take seconds. Each box still covers the boxes before it and is
// covered by those after it, as if drawn alone in turn.
class PlaceholderBatch {
public:
    struct Vertex {
        float x, y, z;
        D3DCOLOR colour;
    };

    // A box `width` wide and 1 high about the origin of `world`.
    void Add(const D3DXMATRIX& world, float width, COLORREF colour);
    // Draws the boxes added, unlit in their vertices' colours, and empties
    // the batch. The device's texture stages and lighting are the caller's;
    // the world transform, vertex format and depth test are left changed.
    void Draw(IDirect3DDevice9* device);
    void Forget();
    bool IsEmpty() const { return m_lines.empty(); }
    // As many boxes as one draw takes: drawn then, a page of tens of
    // thousands of them holds the vertices of a few thousand at a time.
    bool IsFull() const;

private:
    void DrawInOrder(IDirect3DDevice9* device) const;
    void DrawLayered(IDirect3DDevice9* device, size_t first, size_t count);

    // Two triangles and six lines a box, already in the page's space.
    std::vector<Vertex> m_fills;
    std::vector<Vertex> m_lines;
};
