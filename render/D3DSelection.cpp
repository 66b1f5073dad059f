#include "render/D3DSelection.h"

#include "render/D3DObj.h"
#include "render/QuadGeometry.h"
#include "render/RenderResources.h"
#include "render/TransformedLine.h"

#include <cmath>
#include <vector>

namespace {
enum HandleIndex {
    kTopLeft,
    kTopMiddle,
    kTopRight,
    kMiddleRight,
    kBottomLeft,
    kBottomMiddle,
    kBottomRight,
    kMiddleLeft,
    kRotation,
    kHandleCount
};

constexpr float kHandleScale = 0.02f;
// How far the rotation handle stands beyond the top edge, in page units.
constexpr float kRotationHandleOffset = 0.03f;
constexpr D3DCOLOR kOutlineColour = 0xFFFF0000;
}  // namespace

CD3DSelection::CD3DSelection(CD3DObj* owner) : m_owner(owner)
{
    for (auto& handle : m_handles)
        handle = std::make_unique<CD3DImage>(owner);
    // Handles are hit over twice their drawn size; the top-middle one sits
    // just below the rotation handle and keeps its own size so both can be
    // reached.
    for (int i = 0; i < kHandleCount; ++i) {
        if (i != kTopMiddle)
            m_handles[i]->SetHitScale(2.0f);
    }
    UpdateTransform();
}

CD3DSelection::~CD3DSelection() = default;

void CD3DSelection::UpdateTransform()
{
    m_world = BuildWorldMatrix(m_scaleX, m_scaleY, m_rotation, m_posX, m_posY);
}

bool CD3DSelection::CreateResources()
{
    if (m_created)
        return true;
    IDirect3DDevice9* device = m_owner ? m_owner->GetDevice() : nullptr;
    if (!device || FAILED(D3DXCreateLine(device, m_line.Out())))
        return false;
    for (int i = 0; i < kHandleCount; ++i) {
        const UINT bitmap = i == kRotation ? IDB_HANDLE_ROTATE : IDB_HANDLE_RESIZE;
        if (m_handles[i]->LoadFromResource(bitmap)) {
            m_handles[i]->SetScale(kHandleScale, kHandleScale);
            m_handles[i]->SetRotation(0.0f);
        }
    }
    m_created = true;
    return true;
}

void CD3DSelection::ReleaseResources()
{
    m_line.Reset();
    for (auto& handle : m_handles)
        handle->ReleaseResources();
    m_created = false;
}

void CD3DSelection::OnLostDevice()
{
    if (m_line)
        m_line->OnLostDevice();
}

void CD3DSelection::OnResetDevice()
{
    if (m_line)
        m_line->OnResetDevice();
}

void CD3DSelection::SetPosition(float x, float y)
{
    m_posX = x;
    m_posY = y;
    UpdateTransform();
}

void CD3DSelection::SetRotation(float radians)
{
    m_rotation = radians;
    UpdateTransform();
}

void CD3DSelection::SetScale(float sx, float sy)
{
    m_scaleX = sx;
    m_scaleY = sy;
    UpdateTransform();
}

void CD3DSelection::SetWidth(float width)
{
    m_width = width;
}

void CD3DSelection::DrawOutline(const D3DXVECTOR2* points, int count, const D3DXMATRIX& transform)
{
    IDirect3DDevice9* device = m_owner->GetDevice();
    std::vector<D3DXVECTOR3> loop(points, points + count);
    for (D3DXVECTOR3& p : loop)
        p.z = 0.0f;
    if (SUCCEEDED(m_line->DrawTransform(loop.data(), static_cast<DWORD>(loop.size()), &transform,
                                        kOutlineColour)))
        return;
    DrawLineStripThrough(device, loop.data(), static_cast<UINT>(loop.size()), transform,
                         kOutlineColour);
}

void CD3DSelection::Render(bool inView)
{
    if (!m_created || !m_line || !m_owner || !m_owner->GetDevice())
        return;
    const float hw = m_width * 0.5f;
    const D3DXVECTOR2 outline[5] = {{-hw, 0.5f}, {hw, 0.5f}, {hw, -0.5f}, {-hw, -0.5f}, {-hw, 0.5f}};
    UpdateTransform();
    D3DXMATRIX m = m_world;
    if (inView)
        D3DXMatrixMultiply(&m, &m, &m_owner->GetViewTransform());
    D3DXMatrixMultiply(&m, &m, &m_owner->GetProjectionTransform());
    DrawOutline(outline, 5, m);
    if (!inView)
        return;
    const D3DXVECTOR3 points[8] = {{-hw, 0.5f, 0.0f}, {0.0f, 0.5f, 0.0f}, {hw, 0.5f, 0.0f},
                                   {hw, 0.0f, 0.0f},  {-hw, -0.5f, 0.0f}, {0.0f, -0.5f, 0.0f},
                                   {hw, -0.5f, 0.0f}, {-hw, 0.0f, 0.0f}};
    for (int i = 0; i < kRotation; ++i)
        RenderHandle(m_handles[i].get(), &points[i]);
    const D3DXVECTOR3 topMiddle(0.0f, 0.5f, 0.0f);
    RenderRotationHandle(m_handles[kRotation].get(), &topMiddle);
}

void CD3DSelection::RenderHandle(CD3DImage* handle, const D3DXVECTOR3* point)
{
    D3DXVECTOR3 p;
    D3DXVec3TransformCoord(&p, point, &m_world);
    handle->SetPosition(p.x, p.y);
    // Divided by the zoom, so resize handles keep one size on screen.
    const float zoomX = m_owner->GetZoomX();
    const float zoomY = m_owner->GetZoomY();
    handle->SetScale(zoomX != 0.0f ? kHandleScale / zoomX : kHandleScale,
                     zoomY != 0.0f ? kHandleScale / zoomY : kHandleScale);
    handle->Render(kPassNormal);
}

void CD3DSelection::RenderRotationHandle(CD3DImage* handle, const D3DXVECTOR3* point)
{
    D3DXVECTOR3 p;
    D3DXVec3TransformCoord(&p, point, &m_world);
    const float s = std::sin(m_rotation);
    const float c = std::cos(m_rotation);
    // (0, offset) turned with the frame, so the handle stands beyond the top
    // edge whichever way the object is rotated.
    handle->SetPosition(p.x - s * kRotationHandleOffset, p.y + c * kRotationHandleOffset);
    handle->SetRotation(m_rotation);
    handle->Render(kPassNormal);
}

int CD3DSelection::HitTest(float x, float y)
{
    struct Probe {
        int index;
        int code;
    };
    static const Probe order[] = {
        {kRotation, kHandleRotate},          {kTopLeft, kHandleTopLeft},
        {kTopMiddle, kHandleTopMiddle},      {kTopRight, kHandleTopRight},
        {kMiddleRight, kHandleMiddleRight},  {kBottomRight, kHandleBottomRight},
        {kBottomMiddle, kHandleBottomMiddle}, {kBottomLeft, kHandleBottomLeft},
        {kMiddleLeft, kHandleMiddleLeft},
    };
    for (const Probe& probe : order) {
        if (m_handles[probe.index]->HitTest(x, y))
            return probe.code;
    }
    return kHandleNone;
}
