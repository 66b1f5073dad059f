// Drawing of a page: the page rectangle in the background's colour or under
// its picture, the objects, the black outline with the centre line, and the
// frames of the selected objects.
#include "document/pages/PaginaTreeNode.h"

#include <cstring>

#include "document/nodes/SfondoTreeNode.h"
#include "render/D3DObj.h"
#include "render/TransformedLine.h"

namespace treeNode {

namespace {
struct PageVertex {
    float x, y, z;
    DWORD colour;
    float u, v;
};
constexpr DWORD kPageVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr D3DCOLOR kOutlineColour = 0xFF000000;
} // namespace

bool CPaginaTreeNode::CreatePageQuad()
{
    if (m_line && m_quad)
        return true;
    CD3DObj* view = GetView();
    IDirect3DDevice9* device = view ? view->GetDevice() : nullptr;
    if (!device)
        return false;
    const float half = GetWidth() / 2.0f;
    if (!m_quad) {
        ComRef<IDirect3DVertexBuffer9> quad;
        if (FAILED(device->CreateVertexBuffer(4 * sizeof(PageVertex), 0, kPageVertexFormat,
                                              D3DPOOL_MANAGED, quad.Out(), nullptr)))
            return false;
        const PageVertex vertices[4] = {{-half, 0.5f, 0.0f, 0xFFFFFFFF, 0.0f, 0.0f},
                                        {half, 0.5f, 0.0f, 0xFFFFFFFF, 1.0f, 0.0f},
                                        {-half, -0.5f, 0.0f, 0xFFFFFFFF, 0.0f, 1.0f},
                                        {half, -0.5f, 0.0f, 0xFFFFFFFF, 1.0f, 1.0f}};
        void* bits = nullptr;
        if (FAILED(quad->Lock(0, sizeof(vertices), &bits, 0)))
            return false;
        std::memcpy(bits, vertices, sizeof(vertices));
        quad->Unlock();
        m_quad = std::move(quad);
    }
    if (!m_line && FAILED(D3DXCreateLine(device, m_line.Out())))
        return false;
    const D3DXVECTOR3 outline[7] = {{0.0f, 0.5f, 0.0f},  {0.0f, -0.5f, 0.0f}, {-half, 0.5f, 0.0f},
                                    {half, 0.5f, 0.0f},  {half, -0.5f, 0.0f}, {-half, -0.5f, 0.0f},
                                    {-half, 0.5f, 0.0f}};
    std::memcpy(m_outline, outline, sizeof(outline));
    return true;
}

void CPaginaTreeNode::Render(int pass)
{
    RenderAsPrinted(pass);
    for (CTreeNode* node : NodeList(m_selection))
        node->SyncSelection();
}

void CPaginaTreeNode::RenderAsPrinted(int pass)
{
    RenderPageQuad();
    CTreeNode::Render(pass);
    RenderPageOutline();
}

void CPaginaTreeNode::RenderPageQuad()
{
    if (!CreatePageQuad())
        return;
    IDirect3DDevice9* device = GetView()->GetDevice();
    ComRef<IDirect3DStateBlock9> saved;
    if (FAILED(device->CreateStateBlock(D3DSBT_ALL, saved.Out())))
        return;
    device->SetTexture(0, nullptr);
    device->SetStreamSource(0, m_quad.Get(), 0, sizeof(PageVertex));
    device->SetFVF(kPageVertexFormat);
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device->SetTransform(D3DTS_WORLD, &identity);
    const bool plain = m_background && !m_background->HasImage();
    if (plain) {
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
        device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
        D3DMATERIAL9 material{};
        material.Diffuse = material.Ambient =
            D3DXCOLOR(m_background->red, m_background->green, m_background->blue, 1.0f);
        device->SetMaterial(&material);
        device->SetRenderState(D3DRS_LIGHTING, TRUE);
    }
    device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    if (m_background && m_background->HasImage())
        m_background->Render(0);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    saved->Apply();
}

void CPaginaTreeNode::RenderPageOutline()
{
    if (!m_line)
        return;
    CD3DObj* view = GetView();
    const D3DXMATRIX transform = view->GetViewTransform() * view->GetProjectionTransform();
    m_line->Begin();
    const bool drawn =
        SUCCEEDED(m_line->DrawTransform(m_outline, 2, &transform, kOutlineColour)) &&
        SUCCEEDED(m_line->DrawTransform(m_outline + 2, 5, &transform, kOutlineColour));
    m_line->End();
    if (!drawn) {
        DrawLineStripThrough(view->GetDevice(), m_outline, 2, transform, kOutlineColour);
        DrawLineStripThrough(view->GetDevice(), m_outline + 2, 5, transform, kOutlineColour);
    }
}

void CPaginaTreeNode::OnDeviceLost()
{
    if (m_line)
        m_line->OnLostDevice();
    CTreeNode::OnDeviceLost();
}

void CPaginaTreeNode::OnDeviceReset()
{
    if (m_line)
        m_line->OnResetDevice();
    CTreeNode::OnDeviceReset();
}

void CPaginaTreeNode::ReleaseResources()
{
    m_line.Reset();
    m_quad.Reset();
    if (m_background)
        m_background->ReleaseResources();
    CTreeNode::ReleaseResources();
}

} // namespace treeNode
