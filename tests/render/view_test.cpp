// The view arithmetic of CD3DObj, without a device.
#include <gtest/gtest.h>

#include <cmath>

#include "render/D3DObj.h"
#include "render/ViewMath.h"

namespace {

TEST(ViewWithoutDevice, StartsWithIdentityTransformsAndInitialZoom)
{
    CD3DObj view;
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    EXPECT_TRUE(view.GetViewTransform() == identity);
    EXPECT_TRUE(view.GetProjectionTransform() == identity);
    EXPECT_FLOAT_EQ(view.GetZoomX(), 0.9f);
    EXPECT_FLOAT_EQ(view.GetZoomY(), 0.9f);
    EXPECT_FLOAT_EQ(view.GetPanX(), 0.0f);
    EXPECT_EQ(view.GetDevice(), nullptr);
    EXPECT_FALSE(view.IsDeviceReady());
    EXPECT_FALSE(view.CanResetDevice());
    EXPECT_FALSE(view.ResetDevice(false, 1.0f));
}

TEST(ViewWithoutDevice, ZoomMultipliesAndPanAddsAndTheViewScalesFirstThenTranslates)
{
    CD3DObj view;
    view.Zoom(2.0f, 3.0f);
    view.Pan(0.1f, 0.0f);
    view.Pan(0.15f, -0.5f);
    EXPECT_FLOAT_EQ(view.GetZoomX(), 1.8f);
    EXPECT_FLOAT_EQ(view.GetZoomY(), 2.7f);
    EXPECT_FLOAT_EQ(view.GetPanX(), 0.25f);
    D3DXVECTOR3 in(1.0f, 1.0f, 0.0f);
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &in, &view.GetViewTransform());
    EXPECT_FLOAT_EQ(out.x, 2.05f);
    EXPECT_FLOAT_EQ(out.y, 2.2f);
    EXPECT_FLOAT_EQ(out.z, 0.0f);
}

// Derived surfaces hook the view changes through the virtual setters.
struct CountingView : CD3DObj {
    int panCalls = 0;
    int zoomCalls = 0;
    void SetPan(float x, float y) override
    {
        ++panCalls;
        CD3DObj::SetPan(x, y);
    }
    void SetZoom(float x, float y) override
    {
        ++zoomCalls;
        CD3DObj::SetZoom(x, y);
    }
};

TEST(ViewWithoutDevice, PanAndZoomGoThroughTheVirtualSetters)
{
    CountingView view;
    view.Pan(1.0f, 1.0f);
    view.Zoom(1.0f, 1.0f);
    EXPECT_EQ(view.panCalls, 1);
    EXPECT_EQ(view.zoomCalls, 1);
}

struct ResetSizeCase {
    bool fit;
    float aspect;
    uint32_t maxWidth;
    uint32_t maxHeight;
    bool ok;
    uint32_t width;
    uint32_t height;
};

TEST(ViewResetSize, FollowsTheMaximumTextureSize)
{
    const ResetSizeCase cases[] = {
        {false, 1.5f, 2048, 2048, true, 0, 0},        // the window's own size
        {true, 1.5f, 2048, 2048, true, 2046, 1364},   // width capped, height follows
        {true, 0.5f, 2048, 2048, true, 1023, 2046},   // tall: height stays
        {true, 1.0f, 4096, 2048, true, 2046, 2046},
        {true, 0.0f, 2048, 2048, false, 0, 0},        // no aspect
        {true, -1.0f, 2048, 2048, false, 0, 0},
        {true, 1.5f, 0, 0, false, 0, 0},              // no capabilities yet
        {true, 1.0e30f, 2048, 2048, false, 2046, 0},  // wider than one pixel row
    };
    for (const ResetSizeCase& c : cases) {
        BackBufferSize size;
        EXPECT_EQ(ComputeResetSize(c.fit, c.aspect, c.maxWidth, c.maxHeight, size), c.ok)
            << "aspect " << c.aspect;
        if (c.ok) {
            EXPECT_EQ(size.width, c.width) << "aspect " << c.aspect;
            EXPECT_EQ(size.height, c.height) << "aspect " << c.aspect;
        }
    }
}

TEST(ViewPreviewSize, IsThePowerOfTwoAtOrAboveThePixelsCoveredWithinItsBounds)
{
    const struct {
        float pixels;
        int32_t largest;
        int32_t size;
    } cases[] = {
        {0.0f, 1024, 128},   {-5.0f, 1024, 128},  {128.0f, 1024, 128},   {128.5f, 1024, 256},
        {700.0f, 1024, 1024}, {5000.0f, 1024, 1024}, {std::nanf(""), 1024, 1024}, {300.0f, 256, 256},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pixels);
        EXPECT_EQ(PreviewSizeFor(c.pixels, c.largest), c.size);
    }
}

TEST(ViewLiveCount, CountsInstancesWithOrWithoutDevice)
{
    const int before = CD3DObj::GetLiveCount();
    {
        CD3DObj first;
        CD3DObj second;
        EXPECT_EQ(CD3DObj::GetLiveCount(), before + 2);
        first.ReleaseDevice();
        EXPECT_EQ(CD3DObj::GetLiveCount(), before + 1);
        // A second release of the same instance must not take another's place.
        first.ReleaseDevice();
        EXPECT_EQ(CD3DObj::GetLiveCount(), before + 1);
    }
    EXPECT_EQ(CD3DObj::GetLiveCount(), before);
}

}  // namespace
