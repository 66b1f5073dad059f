#include "render/D3DObj.h"

#include "framework/ui_seam.h"
#include "render/PictureCache.h"
#include "render/ViewMath.h"

namespace {
// One Direct3D object for every device of the program.
IDirect3D9* g_direct3D = nullptr;
int g_liveCount = 0;

void ReleaseSharedDirect3D()
{
    if (g_direct3D) {
        g_direct3D->Release();
        g_direct3D = nullptr;
    }
}
}  // namespace

CD3DObj::CD3DObj() : m_counted(true)
{
    ++g_liveCount;
    // Identity until a device exists, so geometry and hit tests already work.
    D3DXMatrixIdentity(&m_projection);
    D3DXMatrixIdentity(&m_view);
}

CD3DObj::~CD3DObj()
{
    ReleaseDevice();
}

int CD3DObj::Render()
{
    return 0;
}

void CD3DObj::Pan(float dx, float dy)
{
    SetPan(m_panX + dx, m_panY + dy);
}

void CD3DObj::SetPan(float x, float y)
{
    m_panX = x;
    m_panY = y;
    UpdateView();
}

void CD3DObj::Zoom(float fx, float fy)
{
    SetZoom(m_zoomX * fx, m_zoomY * fy);
}

void CD3DObj::SetZoom(float x, float y)
{
    m_zoomX = x;
    m_zoomY = y;
    UpdateView();
}

D3DPRESENT_PARAMETERS CD3DObj::MakePresentParameters(UINT width, UINT height,
                                                     HWND deviceWindow) const
{
    D3DPRESENT_PARAMETERS params{};
    params.BackBufferWidth = width;
    params.BackBufferHeight = height;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.SwapEffect = D3DSWAPEFFECT_DISCARD;
    params.Windowed = TRUE;
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat = m_depthFormat;
    params.PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT;
    params.MultiSampleType = D3DMULTISAMPLE_NONE;
    params.hDeviceWindow = deviceWindow;
    return params;
}

HRESULT CD3DObj::TryCreate(D3DDEVTYPE type)
{
    // Masked frames clip through the stencil, so a depth format with stencil
    // bits comes first; the plain one only when the device refuses it.
    // FPU_PRESERVE keeps the process in double precision.
    const DWORD flags = D3DCREATE_SOFTWARE_VERTEXPROCESSING | D3DCREATE_FPU_PRESERVE;
    HRESULT hr = E_FAIL;
    UINT width = 0;
    UINT height = 0;
    m_presenter.ResolveBackBufferSize(width, height);
    for (D3DFORMAT depth : {D3DFMT_D24S8, D3DFMT_D24X8}) {
        m_depthFormat = depth;
        D3DPRESENT_PARAMETERS params = MakePresentParameters(width, height, nullptr);
        hr = g_direct3D->CreateDevice(0, type, m_presenter.DeviceWindow(), flags, &params,
                                      m_device.Out());
        if (SUCCEEDED(hr))
            return hr;
    }
    return hr;
}

void CD3DObj::CreateDevice(HWND window, bool reference)
{
    if (!m_counted) {
        ++g_liveCount;
        m_counted = true;
    }
    m_presenter.ReleaseDeviceResources();
    ForgetDevicePictures();
    m_device.Reset();
    m_window = window;
    m_presenter.Attach(window);
    m_panX = m_panY = 0.0f;
    m_zoomX = m_zoomY = 0.9f;

    if (!g_direct3D) {
        g_direct3D = Direct3DCreate9(D3D_SDK_VERSION);
        if (!g_direct3D)
            return;
    }
    HRESULT hr = TryCreate(reference ? D3DDEVTYPE_REF : D3DDEVTYPE_HAL);
    if (hr == D3DERR_NOTAVAILABLE)
        hr = TryCreate(D3DDEVTYPE_REF);
    if (FAILED(hr)) {
        m_device.Reset();
        AfxGetUiSeam()->MessageBox(window, "DirectX non supportato dal PC.", "Creazione d3d device",
                                   MB_OK);
        return;
    }
    SetRenderStates();
}

bool CD3DObj::ResetDevice(bool fitMaxTexture, float aspect)
{
    if (!g_direct3D || !m_device)
        return false;
    BackBufferSize size;
    if (!ComputeResetSize(fitMaxTexture, aspect, m_caps.MaxTextureWidth, m_caps.MaxTextureHeight,
                          size))
        return false;
    UINT width = size.width;
    UINT height = size.height;
    m_presenter.ResolveBackBufferSize(width, height);
    D3DPRESENT_PARAMETERS params =
        MakePresentParameters(width, height, m_presenter.DeviceWindow());
    if (FAILED(m_device->Reset(&params)))
        return false;
    SetRenderStates();
    UpdateView();
    return true;
}

void CD3DObj::ForgetDevicePictures()
{
    if (m_device)
        PictureCache::Instance().ForgetDevice(m_device.Get());
}

void CD3DObj::ReleaseDevice()
{
    m_presenter.ReleaseDeviceResources();
    ForgetDevicePictures();
    m_device.Reset();
    if (m_counted) {
        m_counted = false;
        if (--g_liveCount == 0)
            ReleaseSharedDirect3D();
    }
}

HRESULT CD3DObj::ShowBackBuffer()
{
    return m_presenter.Show(m_device.Get());
}

bool CD3DObj::IsDeviceReady() const
{
    return m_device && m_device->TestCooperativeLevel() == D3D_OK;
}

bool CD3DObj::CanResetDevice() const
{
    if (!m_device)
        return false;
    const HRESULT hr = m_device->TestCooperativeLevel();
    return hr == D3D_OK || hr == D3DERR_DEVICENOTRESET;
}

void CD3DObj::SetRenderStates()
{
    if (!m_device)
        return;
    IDirect3DDevice9* device = m_device.Get();
    device->GetDeviceCaps(&m_caps);

    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    device->SetRenderState(D3DRS_STENCILREF, 1);
    device->SetRenderState(D3DRS_STENCILMASK, 0xFFFFFFFF);
    device->SetRenderState(D3DRS_STENCILWRITEMASK, 0xFFFFFFFF);
    device->SetRenderState(D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP);
    device->SetRenderState(D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE);

    device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    // A picture, its effect and its mask; pictures drawn smaller than their
    // textures read from their smaller levels, blended between two.
    for (DWORD sampler = 0; sampler < 3; ++sampler) {
        device->SetSamplerState(sampler, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
        device->SetSamplerState(sampler, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
        device->SetSamplerState(sampler, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
    }

    UpdateProjection();

    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    device->SetTransform(D3DTS_WORLD, &identity);
    m_view = identity;
    device->SetTransform(D3DTS_VIEW, &m_view);

    // White ambient light, so the lit text meshes show in their material colour.
    device->SetRenderState(D3DRS_AMBIENT, 0xFFFFFFFF);
}

void CD3DObj::UpdateProjection()
{
    if (!m_window)
        return;
    RECT client{};
    if (!GetClientRect(m_window, &client))
        return;
    const LONG width = client.right - client.left;
    const LONG height = client.bottom - client.top;
    // A window without height has no aspect ratio; keep the last projection.
    if (height <= 0)
        return;
    m_pixelsPerUnit = static_cast<float>(height);
    const double aspect = static_cast<double>(width) / static_cast<double>(height);
    m_projection = BuildProjectionMatrix(static_cast<float>(aspect));
    if (m_device)
        m_device->SetTransform(D3DTS_PROJECTION, &m_projection);
}

void CD3DObj::SetProjection(const D3DXMATRIX& projection)
{
    m_projection = projection;
    if (m_device)
        m_device->SetTransform(D3DTS_PROJECTION, &m_projection);
}

void CD3DObj::UpdateView()
{
    m_view = BuildViewMatrix(m_zoomX, m_zoomY, m_panX, m_panY);
    if (m_device)
        m_device->SetTransform(D3DTS_VIEW, &m_view);
}

int CD3DObj::GetLiveCount()
{
    return g_liveCount;
}

IDirect3D9* CD3DObj::GetDirect3D()
{
    return g_direct3D;
}

D3DXMATRIX OwnerView(const CD3DObj* owner)
{
    if (owner)
        return owner->GetViewTransform();
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    return identity;
}
