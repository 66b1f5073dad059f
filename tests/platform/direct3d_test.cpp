#include <gtest/gtest.h>

#include <windows.h>
#include <d3d9.h>
#include <d3dx9.h>

namespace {

template <class T>
struct ComPtr {
    T* p = nullptr;
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { if (p) p->Release(); }
    T* operator->() const { return p; }
    T** out() { return &p; }
};

// A hidden window of its own for the device, destroyed with the fixture.
class Direct3DTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = CreateWindowExA(0, "STATIC", "d3d", WS_POPUP, 0, 0, 64, 64,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window_, nullptr);
        d3d_.p = Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(d3d_.p, nullptr) << "no Direct3D 9 (32-bit GL libraries missing?)";
        D3DPRESENT_PARAMETERS pp = {};
        pp.Windowed = TRUE;
        pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
        pp.BackBufferFormat = D3DFMT_X8R8G8B8;
        pp.BackBufferWidth = 64;
        pp.BackBufferHeight = 64;
        pp.EnableAutoDepthStencil = TRUE;
        pp.AutoDepthStencilFormat = D3DFMT_D24S8;
        pp.hDeviceWindow = window_;
        HRESULT hr = d3d_->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window_,
                                        D3DCREATE_SOFTWARE_VERTEXPROCESSING |
                                            D3DCREATE_FPU_PRESERVE,
                                        &pp, device_.out());
        ASSERT_EQ(hr, D3D_OK);
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
    }

    HWND window_ = nullptr;
    ComPtr<IDirect3D9> d3d_;
    ComPtr<IDirect3DDevice9> device_;
};

TEST_F(Direct3DTest, ClearedBackBufferReadsBackTheClearColour) {
    ASSERT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFDCDCDC, 1.0f, 0), D3D_OK);

    ComPtr<IDirect3DSurface9> back, copy;
    ASSERT_EQ(device_->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, back.out()), D3D_OK);
    ASSERT_EQ(device_->CreateOffscreenPlainSurface(64, 64, D3DFMT_X8R8G8B8,
                                                  D3DPOOL_SYSTEMMEM, copy.out(), nullptr),
              D3D_OK);
    ASSERT_EQ(device_->GetRenderTargetData(back.p, copy.p), D3D_OK);

    D3DLOCKED_RECT locked;
    ASSERT_EQ(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
    const DWORD centre = static_cast<const DWORD*>(
        locked.pBits)[32 * locked.Pitch / 4 + 32];
    copy->UnlockRect();
    EXPECT_EQ(centre & 0x00FFFFFF, 0x00DCDCDCu);
}

TEST_F(Direct3DTest, TextMeshHasGeometry) {
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                             "Liberation Sans");
    HGDIOBJ old = SelectObject(dc, font);
    ComPtr<ID3DXMesh> mesh;
    HRESULT hr = D3DXCreateTextA(device_.p, dc, "Ab", 0.001f, 0.2f, mesh.out(), nullptr,
                                 nullptr);
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    ASSERT_EQ(hr, D3D_OK);
    EXPECT_GT(mesh->GetNumFaces(), 0u);
    EXPECT_GT(mesh->GetNumVertices(), 0u);
}

}  // namespace
