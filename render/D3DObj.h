#pragma once
// Base of every window that draws album pages with Direct3D 9: one device on
// one window, the render states all page drawing assumes, a projection fitted
// to the client area and a view made of a zoom and a pan.
#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

#include "framework/com_ref.h"
#include "render/WindowPresenter.h"

class CD3DObj {
public:
    CD3DObj();
    virtual ~CD3DObj();
    CD3DObj(const CD3DObj&) = delete;
    CD3DObj& operator=(const CD3DObj&) = delete;

    // Draws the surface; the base draws nothing.
    virtual int Render();
    virtual void Pan(float dx, float dy);
    virtual void SetPan(float x, float y);
    virtual void Zoom(float fx, float fy);
    virtual void SetZoom(float x, float y);

    void CreateDevice(HWND window, bool reference);
    bool ResetDevice(bool fitMaxTexture, float aspect);
    void ReleaseDevice();
    bool IsDeviceReady() const;
    bool CanResetDevice() const;
    void SetRenderStates();
    void UpdateProjection();
    // An off-screen drawing's own projection, for the device and for what
    // draws with the view's transforms, until UpdateProjection fits it to the
    // window again.
    void SetProjection(const D3DXMATRIX& projection);
    void UpdateView();
    // Shows the frame drawn in the back buffer in the window.
    HRESULT ShowBackBuffer();
    // True when frames reach the window as copies of the back buffer, which
    // then keeps the last frame and can show it again.
    bool CopiesFrames() const { return m_presenter.CopiesFrames(); }

    IDirect3DDevice9* GetDevice() const { return m_device.Get(); }
    const D3DCAPS9& GetCaps() const { return m_caps; }
    const D3DXMATRIX& GetViewTransform() const { return m_view; }
    const D3DXMATRIX& GetProjectionTransform() const { return m_projection; }
    float GetPanX() const { return m_panX; }
    float GetPanY() const { return m_panY; }
    float GetZoomX() const { return m_zoomX; }
    float GetZoomY() const { return m_zoomY; }
    HWND GetWindow() const { return m_window; }
    // Pixels one unit of view height covers: the window's client height, or
    // what an off-screen drawing sets. Pictures are previewed for it.
    float GetPixelsPerUnit() const { return m_pixelsPerUnit; }
    void SetPixelsPerUnit(float pixels) { m_pixelsPerUnit = pixels; }
    // True when the depth buffer has stencil bits, so masks can clip.
    bool HasStencil() const { return m_depthFormat == D3DFMT_D24S8; }

    static int GetLiveCount();
    static IDirect3D9* GetDirect3D();

protected:
    // Derived renderers may hold the device to a smaller texture size than it
    // reports (its capabilities are read again at every reset).
    D3DCAPS9& MutableCaps() { return m_caps; }

private:
    D3DPRESENT_PARAMETERS MakePresentParameters(UINT width, UINT height, HWND deviceWindow) const;
    HRESULT TryCreate(D3DDEVTYPE type);
    // The shared pictures of the device leave the cache with it.
    void ForgetDevicePictures();

    D3DCAPS9 m_caps{};
    // Before the device, which may live on a window the presenter owns.
    CWindowPresenter m_presenter;
    ComRef<IDirect3DDevice9> m_device;
    D3DXMATRIX m_projection;
    D3DXMATRIX m_view;
    float m_panX = 0.0f;
    float m_panY = 0.0f;
    float m_zoomX = 0.9f;
    float m_zoomY = 0.9f;
    HWND m_window = nullptr;
    // Until a window gives it, pictures are previewed at their largest.
    float m_pixelsPerUnit = 1024.0f;
    D3DFORMAT m_depthFormat = D3DFMT_D24S8;
    // Whether this instance is in the live count; the count must fall once per
    // instance however often ReleaseDevice runs.
    bool m_counted = false;
};

// The view an object on this surface is seen through: the owner's view
// transform, or the identity for an object without an owner.
D3DXMATRIX OwnerView(const CD3DObj* owner);
