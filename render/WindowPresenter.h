#pragma once
// Brings a device's frames onto the window it draws for.
//
// Wine's X11 driver gives a child window no X drawable of its own: what a swap
// chain presents in a child window is copied nowhere, and once the device has
// set its pixel format on the window, GDI output to it is lost as well (the
// page stays black with remnants of whatever covered it). So for a child
// window under Wine the device lives on a hidden window of the presenter's
// own, and every frame is read back and drawn into the child with GDI, which
// reaches the screen through the top-level window's surface. On Windows, and
// for top-level windows, the device presents itself.
#include <windows.h>
#include <d3d9.h>

#include <memory>
#include <type_traits>

#include "framework/com_ref.h"

class CWindowPresenter {
public:
    CWindowPresenter() = default;
    CWindowPresenter(const CWindowPresenter&) = delete;
    CWindowPresenter& operator=(const CWindowPresenter&) = delete;

    // Chooses how frames reach the window; called before its device is made.
    void Attach(HWND window);
    // The window the device and its swap chain belong to.
    HWND DeviceWindow() const;
    // True when frames are read back and drawn with GDI.
    bool CopiesFrames() const { return m_hidden != nullptr; }
    // A back-buffer side of 0 stands for the window's client side; a device
    // on the hidden window must be told it.
    void ResolveBackBufferSize(UINT& width, UINT& height) const;
    // Shows the back buffer in the window's client area, stretched to it as
    // a windowed swap chain does.
    HRESULT Show(IDirect3DDevice9* device);
    // Lets go of the device's surfaces held here, before the device goes.
    void ReleaseDeviceResources();

private:
    struct WindowDestroyer {
        void operator()(HWND window) const { DestroyWindow(window); }
    };
    using OwnedWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

    HRESULT Copy(IDirect3DDevice9* device);

    HWND m_window = nullptr;
    OwnedWindow m_hidden;
    // System-memory twin of the back buffer, kept between frames.
    ComRef<IDirect3DSurface9> m_copy;
    D3DSURFACE_DESC m_copyDesc{};
};
