#include "render/TextRun.h"

TextRun::TextRun(IDirect3DDevice9* device, bool stencilled)
    : m_device(device), m_stencilled(stencilled)
{
}

TextRun::~TextRun()
{
    Finish();
}

bool TextRun::Begin()
{
    if (m_saved)
        return true;
    if (!m_device || FAILED(m_device->CreateStateBlock(D3DSBT_ALL, m_saved.Out())))
        return false;
    m_mode = Mode::kNone;
    m_device->SetTexture(0, nullptr);
    m_device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    m_device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    // The material's or the box's alpha, whatever a picture left in the
    // alpha stage.
    m_device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    m_device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    m_device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    if (m_stencilled) {
        m_device->SetRenderState(D3DRS_STENCILREF, 1);
        m_device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
        m_device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
        m_device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
    }
    return true;
}

void TextRun::AddBox(const D3DXMATRIX& world, float width, COLORREF colour)
{
    if (m_boxes.IsFull())
        DrawBoxes();
    m_boxes.Add(world, width, colour);
}

void TextRun::DrawBoxes()
{
    if (m_boxes.IsEmpty() || !Begin()) {
        m_boxes.Forget();
        return;
    }
    if (m_mode != Mode::kBoxes) {
        m_device->SetRenderState(D3DRS_LIGHTING, FALSE);
        m_mode = Mode::kBoxes;
    }
    m_boxes.Draw(m_device);
}

void TextRun::DrawMesh(const D3DXMATRIX& world, const D3DMATERIAL9& material, ID3DXMesh* mesh,
                       int subsets)
{
    DrawBoxes();
    if (!mesh || !Begin())
        return;
    if (m_mode != Mode::kMeshes) {
        m_device->SetRenderState(D3DRS_LIGHTING, TRUE);
        m_mode = Mode::kMeshes;
    }
    m_device->SetTransform(D3DTS_WORLD, &world);
    m_device->SetMaterial(&material);
    for (int subset = 0; subset < subsets; ++subset)
        mesh->DrawSubset(static_cast<DWORD>(subset));
}

void TextRun::Finish()
{
    DrawBoxes();
    if (m_saved)
        m_saved->Apply();
    m_saved.Reset();
    m_mode = Mode::kNone;
}
