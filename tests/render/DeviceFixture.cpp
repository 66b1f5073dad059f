#include "DeviceFixture.h"

#include <algorithm>
#include <cstdlib>

#include "framework/com_ref.h"

namespace {
const char* WindowClass()
{
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "RenderTestWindow";
        RegisterClassA(&wc);
        return "RenderTestWindow";
    }();
    return name;
}
}  // namespace

HiddenWindow::HiddenWindow(int clientWidth, int clientHeight)
{
    m_window = CreateWindowExA(0, WindowClass(), "render", WS_POPUP, 0, 0, clientWidth,
                               clientHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

HiddenWindow::~HiddenWindow()
{
    if (m_window)
        DestroyWindow(m_window);
}

void HiddenWindow::SetClientSize(int width, int height)
{
    SetWindowPos(m_window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DeviceTest::SetUp()
{
    window = std::make_unique<HiddenWindow>(kWidth, kHeight);
    ASSERT_NE(window->Get(), nullptr);
    surface = std::make_unique<CD3DObj>();
    surface->CreateDevice(window->Get(), false);
    ASSERT_NE(surface->GetDevice(), nullptr);
}

void DeviceTest::TearDown()
{
    surface.reset();
    window.reset();
}

void DeviceTest::BeginFrame(D3DCOLOR clearColour)
{
    Device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_STENCIL, clearColour, 1.0f, 0);
    Device()->BeginScene();
}

void DeviceTest::EndFrame()
{
    Device()->EndScene();
}

Pixels DeviceTest::ReadBack() const
{
    return ReadRenderTarget(Device());
}

Pixels ReadRenderTarget(IDirect3DDevice9* device)
{
    Pixels pixels;
    ComRef<IDirect3DSurface9> back;
    ComRef<IDirect3DSurface9> copy;
    if (FAILED(device->GetRenderTarget(0, back.Out())))
        return pixels;
    D3DSURFACE_DESC desc{};
    back->GetDesc(&desc);
    if (FAILED(device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format,
                                                     D3DPOOL_SYSTEMMEM, copy.Out(), nullptr)))
        return pixels;
    if (FAILED(device->GetRenderTargetData(back.Get(), copy.Get())))
        return pixels;
    D3DLOCKED_RECT locked{};
    if (FAILED(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY)))
        return pixels;
    pixels.width = static_cast<int>(desc.Width);
    pixels.height = static_cast<int>(desc.Height);
    pixels.argb.resize(static_cast<size_t>(pixels.width) * pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(locked.pBits) +
                                                            static_cast<size_t>(y) * locked.Pitch);
        std::copy(row, row + pixels.width, pixels.argb.begin() + static_cast<size_t>(y) * pixels.width);
    }
    copy->UnlockRect();
    return pixels;
}

PixelPos DeviceTest::ToPixel(float viewX, float viewY) const
{
    RECT client{};
    GetClientRect(window->Get(), &client);
    const float height = static_cast<float>(client.bottom);
    const float width = static_cast<float>(client.right);
    return {static_cast<int>(width / 2 + viewX * height), static_cast<int>(height / 2 - viewY * height)};
}

void UnitZoomDeviceTest::SetUp()
{
    DeviceTest::SetUp();
    if (HasFatalFailure())
        return;
    surface->SetZoom(1.0f, 1.0f);
}

TinyTextureScene::TinyTextureScene()
{
    m_surface.CreateDevice(m_window.Get(), false);
    m_surface.LimitTextures(8);
    m_surface.SetZoom(1.0f, 1.0f);
}

Pixels TinyTextureScene::DrawAlone(CD3DImage& quad, D3DCOLOR clearColour)
{
    IDirect3DDevice9* device = Device();
    device->Clear(0, nullptr, D3DCLEAR_TARGET, clearColour, 1.0f, 0);
    device->BeginScene();
    quad.Render(kPassNormal);
    device->EndScene();
    return ReadRenderTarget(device);
}

bool ColourNear(uint32_t actual, uint32_t expected, int tolerance)
{
    return std::abs(Red(actual) - Red(expected)) <= tolerance &&
           std::abs(Green(actual) - Green(expected)) <= tolerance &&
           std::abs(Blue(actual) - Blue(expected)) <= tolerance;
}
