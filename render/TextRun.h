#pragma once
// Texts next to one another in a page's drawing order, drawn with the device
// set up once for all of them: the state saved before the first and given
// back after the last, the boxes of those drawn as placeholders gathered into
// one draw. Setting up and giving back the whole state for each text made a
// frame of thousands of texts take seconds.
#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include "framework/com_ref.h"
#include "render/TextPlaceholder.h"

class TextRun {
public:
    // `stencilled` keeps the texts inside the mask drawn into the stencil.
    TextRun(IDirect3DDevice9* device, bool stencilled);
    ~TextRun();
    TextRun(const TextRun&) = delete;
    TextRun& operator=(const TextRun&) = delete;

    // A text drawn as a box `width` wide and 1 high about the origin of `world`.
    void AddBox(const D3DXMATRIX& world, float width, COLORREF colour);
    // A text's mesh, its first `subsets` subsets lit in `material`, drawn now
    // above whatever came before it in the run.
    void DrawMesh(const D3DXMATRIX& world, const D3DMATERIAL9& material, ID3DXMesh* mesh,
                  int subsets);
    // Draws what is pending and gives the device its state back; the run can
    // go on after it.
    void Finish();

private:
    enum class Mode { kNone, kBoxes, kMeshes };
    bool Begin();
    void DrawBoxes();

    IDirect3DDevice9* const m_device;
    const bool m_stencilled;
    ComRef<IDirect3DStateBlock9> m_saved;
    Mode m_mode = Mode::kNone;
    PlaceholderBatch m_boxes;
};
