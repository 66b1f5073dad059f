// CD3DObj with a real device on a hidden window.
#include <gtest/gtest.h>

#include <string>

#include "DeviceFixture.h"
#include "framework/scripted_ui.h"

namespace {

TEST_F(DeviceTest, NewDeviceIsReadyWithStencilIdentityViewAndTheFixedRenderStates)
{
    EXPECT_TRUE(surface->IsDeviceReady());
    EXPECT_TRUE(surface->CanResetDevice());
    EXPECT_TRUE(surface->HasStencil());
    EXPECT_GE(surface->GetCaps().MaxTextureWidth, 1024u);
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    EXPECT_TRUE(surface->GetViewTransform() == identity);
    D3DXMATRIX onDevice;
    Device()->GetTransform(D3DTS_VIEW, &onDevice);
    EXPECT_TRUE(onDevice == identity);
    // The fixed render states.
    const std::pair<D3DRENDERSTATETYPE, DWORD> expected[] = {
        {D3DRS_CULLMODE, D3DCULL_NONE},         {D3DRS_LIGHTING, FALSE},
        {D3DRS_ALPHABLENDENABLE, TRUE},         {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
        {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA}, {D3DRS_ZENABLE, FALSE},
        {D3DRS_STENCILENABLE, FALSE},           {D3DRS_STENCILFUNC, D3DCMP_ALWAYS},
        {D3DRS_STENCILREF, 1},                  {D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE},
        {D3DRS_AMBIENT, 0xFFFFFFFF},
    };
    for (const auto& [state, value] : expected) {
        DWORD actual = 0;
        Device()->GetRenderState(state, &actual);
        EXPECT_EQ(actual, value) << "render state " << state;
    }
}

TEST_F(DeviceTest, ProjectionFollowsTheClientAspectAndZoomAndPanReachTheDevice)
{
    // square client: one unit high and one unit wide.
    EXPECT_NEAR(surface->GetProjectionTransform()._11, 2.0f, 1e-6f);
    EXPECT_NEAR(surface->GetProjectionTransform()._22, 2.0f, 1e-6f);
    window->SetClientSize(512, 256);
    surface->UpdateProjection();
    EXPECT_NEAR(surface->GetProjectionTransform()._11, 1.0f, 1e-6f);
    surface->Zoom(2.0f, 2.0f);
    surface->Pan(0.1f, 0.0f);
    D3DXMATRIX onDevice;
    Device()->GetTransform(D3DTS_VIEW, &onDevice);
    EXPECT_FLOAT_EQ(onDevice._11, 1.8f);
    EXPECT_FLOAT_EQ(onDevice._41, 0.1f);
}

TEST_F(DeviceTest, ResetAfterSizeChangeKeepsDrawing)
{
    window->SetClientSize(96, 64);
    ASSERT_TRUE(surface->CanResetDevice());
    surface->SetZoom(1.5f, 1.5f);
    ASSERT_TRUE(surface->ResetDevice(false, 0.0f));
    EXPECT_TRUE(surface->IsDeviceReady());
    D3DXMATRIX onDevice;
    Device()->GetTransform(D3DTS_VIEW, &onDevice);
    EXPECT_FLOAT_EQ(onDevice._11, 1.5f);  // the view survives the reset

    BeginFrame(0xFF102030);
    EndFrame();
    const Pixels pixels = ReadBack();
    ASSERT_EQ(pixels.width, 96);
    ASSERT_EQ(pixels.height, 64);
    EXPECT_EQ(pixels.Rgb(48, 32), 0x102030u);
}

TEST(DeviceCreation, FailureShowsTheMessageAndLeavesNoDevice)
{
    CScriptedUi ui;
    ui.AnswerMessage(IDOK);
    {
        // No device makes a back buffer larger than its largest surface.
        HiddenWindow window(30000, 30000);
        CD3DObj view;
        view.CreateDevice(window.Get(), false);
        EXPECT_EQ(view.GetDevice(), nullptr);
        EXPECT_FALSE(view.IsDeviceReady());
    }
    ASSERT_EQ(ui.Questions().size(), 1u);
    EXPECT_STREQ(ui.Questions()[0].kind, "message");
    EXPECT_STREQ(ui.Questions()[0].text, "DirectX non supportato dal PC.");
    EXPECT_STREQ(ui.Questions()[0].caption, "Creazione d3d device");
    EXPECT_EQ(ui.Questions()[0].type, static_cast<UINT>(MB_OK));
}

TEST(DeviceCreation, SharedDirect3DLivesUntilTheLastInstanceGoes)
{
    HiddenWindow window(32, 32);
    auto first = std::make_unique<CD3DObj>();
    auto second = std::make_unique<CD3DObj>();
    first->CreateDevice(window.Get(), false);
    second->CreateDevice(window.Get(), false);
    ASSERT_NE(CD3DObj::GetDirect3D(), nullptr);
    first.reset();
    EXPECT_NE(CD3DObj::GetDirect3D(), nullptr);
    EXPECT_TRUE(second->IsDeviceReady());
    second.reset();
    EXPECT_EQ(CD3DObj::GetDirect3D(), nullptr);
}

}  // namespace
