#include "render/WindowPresenter.h"

#include <algorithm>

#include "render/GdiScope.h"

namespace {
bool RunsOnWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool IsChildWindow(HWND window)
{
    return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0;
}

const char* HiddenWindowClass()
{
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "LumivoDeviceWindow";
        RegisterClassA(&wc);
        return wc.lpszClassName;
    }();
    return name;
}

// A surface's GDI device context, given back with the owner.
class SurfaceDc {
public:
    explicit SurfaceDc(IDirect3DSurface9* surface) : m_surface(surface)
    {
        m_result = surface->GetDC(&m_dc);
    }
    ~SurfaceDc()
    {
        if (SUCCEEDED(m_result))
            m_surface->ReleaseDC(m_dc);
    }
    SurfaceDc(const SurfaceDc&) = delete;
    SurfaceDc& operator=(const SurfaceDc&) = delete;
    HRESULT Result() const { return m_result; }
    HDC Get() const { return m_dc; }

private:
    IDirect3DSurface9* m_surface;
    HDC m_dc = nullptr;
    HRESULT m_result = E_FAIL;
};
}  // namespace

void CWindowPresenter::Attach(HWND window)
{
    ReleaseDeviceResources();
    m_window = window;
    const bool needsCopy = window && IsChildWindow(window) && RunsOnWine();
    if (!needsCopy) {
        m_hidden.reset();
        return;
    }
    if (!m_hidden) {
        m_hidden.reset(CreateWindowExA(0, HiddenWindowClass(), "", WS_POPUP, 0, 0, 1, 1, nullptr,
                                       nullptr, GetModuleHandleA(nullptr), nullptr));
    }
}

HWND CWindowPresenter::DeviceWindow() const
{
    return m_hidden ? m_hidden.get() : m_window;
}

void CWindowPresenter::ResolveBackBufferSize(UINT& width, UINT& height) const
{
    if (!m_hidden)
        return;
    RECT client{};
    GetClientRect(m_window, &client);
    if (width == 0)
        width = static_cast<UINT>(std::max<LONG>(client.right - client.left, 1));
    if (height == 0)
        height = static_cast<UINT>(std::max<LONG>(client.bottom - client.top, 1));
}

HRESULT CWindowPresenter::Show(IDirect3DDevice9* device)
{
    if (!device)
        return D3DERR_INVALIDCALL;
    if (!m_hidden)
        return device->Present(nullptr, nullptr, nullptr, nullptr);
    return Copy(device);
}

HRESULT CWindowPresenter::Copy(IDirect3DDevice9* device)
{
    ComRef<IDirect3DSurface9> back;
    HRESULT hr = device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, back.Out());
    if (FAILED(hr))
        return hr;
    D3DSURFACE_DESC desc{};
    back->GetDesc(&desc);
    if (!m_copy || desc.Width != m_copyDesc.Width || desc.Height != m_copyDesc.Height ||
        desc.Format != m_copyDesc.Format) {
        m_copy.Reset();
        hr = device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format,
                                                 D3DPOOL_SYSTEMMEM, m_copy.Out(), nullptr);
        if (FAILED(hr))
            return hr;
        m_copyDesc = desc;
    }
    hr = device->GetRenderTargetData(back.Get(), m_copy.Get());
    if (FAILED(hr))
        return hr;
    SurfaceDc source(m_copy.Get());
    if (FAILED(source.Result()))
        return source.Result();
    WindowDC target(m_window, false);
    if (!target.Get())
        return E_FAIL;
    RECT client{};
    GetClientRect(m_window, &client);
    SetStretchBltMode(target.Get(), COLORONCOLOR);
    const BOOL drawn = StretchBlt(target.Get(), 0, 0, client.right, client.bottom, source.Get(), 0,
                                  0, static_cast<int>(desc.Width), static_cast<int>(desc.Height),
                                  SRCCOPY);
    return drawn ? D3D_OK : E_FAIL;
}

void CWindowPresenter::ReleaseDeviceResources()
{
    m_copy.Reset();
    m_copyDesc = D3DSURFACE_DESC{};
}
