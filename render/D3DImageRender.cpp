// Drawing of a picture quad in the four passes of a page.
#include "render/D3DImage.h"

#include "render/D3DObj.h"
#include "render/PlaceholderTexture.h"
#include "render/QuadVertex.h"

namespace {
// Texture transform that maps tile (column, row) of a columns x rows grid onto
// its part of the quad; the border colour (transparent) covers the rest.
D3DXMATRIX TileTextureMatrix(int32_t columns, int32_t rows, int32_t column, int32_t row)
{
    D3DXMATRIX m;
    D3DXMatrixScaling(&m, static_cast<float>(columns), static_cast<float>(rows), 1.0f);
    m._31 = -static_cast<float>(column);
    m._32 = -static_cast<float>(row);
    return m;
}

void DisableStage(IDirect3DDevice9* device, DWORD stage)
{
    device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_DISABLE);
    device->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
}
}  // namespace

void CD3DImage::DrawStrip()
{
    m_owner->GetDevice()->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
}

void CD3DImage::Render(int pass)
{
    IDirect3DDevice9* device = m_owner ? m_owner->GetDevice() : nullptr;
    if (!device || !m_vertices || (!HasTextures() && !m_placeholder))
        return;
    if (pass < kPassNormal || pass > kPassClearMask)
        return;
    device->SetFVF(kQuadVertexFormat);
    device->SetStreamSource(0, m_vertices.Get(), 0, sizeof(QuadVertex));
    device->SetTransform(D3DTS_WORLD, &GetWorldTransform());
    device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 1);

    switch (pass) {
    case kPassNormal:
        SetupTextureStages();
        device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
        DrawTiles();
        break;
    case kPassWriteMask:
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
        device->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
        device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
        device->SetRenderState(D3DRS_ALPHAREF, 20);
        device->SetRenderState(D3DRS_STENCILREF, 1);
        device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
        device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE);
        device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
        DisableStage(device, 1);
        device->SetTexture(1, nullptr);
        DrawMaskShape();
        break;
    case kPassInsideMask:
        SetupTextureStages();
        device->SetRenderState(D3DRS_STENCILREF, 1);
        device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_EQUAL);
        device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
        device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
        DrawTiles();
        break;
    case kPassClearMask:
        SetupTextureStages();
        device->SetRenderState(D3DRS_STENCILREF, 0);
        device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
        device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE);
        device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
        DrawTiles();
        break;
    }

    DisableStage(device, 1);
    device->SetTexture(1, nullptr);
    device->SetTexture(2, nullptr);
    if (m_placeholder && (pass == kPassNormal || pass == kPassInsideMask))
        RenderPlaceholderNumber();
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_ALWAYS);
    device->SetRenderState(D3DRS_ALPHATESTENABLE, FALSE);
    device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
    // Back to the defaults the other drawing code assumes.
    device->SetRenderState(D3DRS_STENCILREF, 1);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_REPLACE);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
}

void CD3DImage::SetupTextureStages()
{
    IDirect3DDevice9* device = m_owner->GetDevice();
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_CURRENT);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetRenderState(D3DRS_TEXTUREFACTOR, TextureFactorForAlpha(m_colour.alpha));
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TFACTOR);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    DWORD next = 1;
    if (m_effect) {
        SetupEffectStage();
        next = 2;
    }
    const D3DCAPS9& caps = m_owner->GetCaps();
    if (m_maskShapesPicture && m_mask && next < caps.MaxTextureBlendStages && next < caps.MaxSimultaneousTextures)
        SetupShapeStage(next++);
    DisableStage(device, next);
    device->SetTexture(next, nullptr);
}

void CD3DImage::SetupEffectStage()
{
    IDirect3DDevice9* device = m_owner->GetDevice();
    device->SetTexture(1, m_effect->textures[0].Get());
    device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE2X);
    device->SetTextureStageState(1, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(1, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
    device->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_MODULATE2X);
    const D3DXMATRIX effect = EffectTextureMatrix(m_effectRotation, m_effectMirror);
    device->SetTransform(D3DTS_TEXTURE1, &effect);
    device->SetSamplerState(1, D3DSAMP_ADDRESSU, D3DTADDRESS_BORDER);
    device->SetSamplerState(1, D3DSAMP_ADDRESSV, D3DTADDRESS_BORDER);
    device->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
}

// The mask spans the whole quad (texture coordinate set 1) and scales the
// transparency reached so far; the colour passes unchanged.
void CD3DImage::SetupShapeStage(DWORD stage)
{
    IDirect3DDevice9* device = m_owner->GetDevice();
    device->SetTexture(stage, m_mask->textures[0].Get());
    device->SetTextureStageState(stage, D3DTSS_TEXCOORDINDEX, 1);
    device->SetTextureStageState(stage, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    device->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_CURRENT);
    device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(stage, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
    device->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetSamplerState(stage, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    device->SetSamplerState(stage, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    device->SetSamplerState(stage, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(stage, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(stage, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
}

void CD3DImage::DrawTiles()
{
    IDirect3DDevice9* device = m_owner->GetDevice();
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
    if (m_placeholder) {
        device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP);
        device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP);
        device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
        device->SetTexture(0, SharedPlaceholderTexture(device));
        DrawStrip();
        return;
    }
    // A tile of several is drawn over the whole quad and the transparent
    // border hides it beyond its own part. A single tile covers the quad alone:
    // clamped, its edge texels are not filtered towards the border's black.
    const bool single = m_tiles->textures.size() == 1;
    const DWORD address = single ? D3DTADDRESS_CLAMP : D3DTADDRESS_BORDER;
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, address);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, address);
    device->SetSamplerState(0, D3DSAMP_BORDERCOLOR, 0x00000000);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    // Point filtering on a tiled picture, so a tile's edge never blends with
    // the transparent border into a visible seam. Shrunk, either reads the
    // two nearest of the tile's smaller levels, each texel of which is the
    // mean of the picture's texels it covers within its own tile.
    const D3DTEXTUREFILTERTYPE filter = single ? D3DTEXF_LINEAR : D3DTEXF_POINT;
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, filter);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, filter);
    device->SetSamplerState(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
    for (int32_t r = 0; r < m_layout.rows; ++r) {
        for (int32_t c = 0; c < m_layout.columns; ++c) {
            device->SetTexture(0, m_tiles->textures[static_cast<size_t>(r) * m_layout.columns + c].Get());
            const D3DXMATRIX tile = TileTextureMatrix(m_layout.columns, m_layout.rows, c, r);
            device->SetTransform(D3DTS_TEXTURE0, &tile);
            DrawStrip();
        }
    }
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    device->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
}

void CD3DImage::DrawMaskShape()
{
    IDirect3DDevice9* device = m_owner->GetDevice();
    if (m_mask) {
        device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
        device->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_BORDER);
        device->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_BORDER);
        device->SetSamplerState(0, D3DSAMP_BORDERCOLOR, 0x00000000);
        device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
        // The mask spans the whole picture, whatever part of the tile grid
        // the picture covers.
        D3DXMATRIX spread;
        const float u = m_layout.uExtent > 0.0f ? 1.0f / m_layout.uExtent : 1.0f;
        const float v = m_layout.vExtent > 0.0f ? 1.0f / m_layout.vExtent : 1.0f;
        D3DXMatrixScaling(&spread, u, v, 1.0f);
        device->SetTransform(D3DTS_TEXTURE0, &spread);
        device->SetTexture(0, m_mask->textures[0].Get());
        device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    } else {
        device->SetTexture(0, nullptr);
        // Without a texture the whole quad counts: take the vertices' alpha.
        device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    }
    DrawStrip();
}

void CD3DImage::RenderPlaceholderNumber()
{
    IDirect3DDevice9* device = m_owner->GetDevice();
    if (!m_number)
        return;
    ComRef<IDirect3DStateBlock9> saved;
    if (FAILED(device->CreateStateBlock(D3DSBT_ALL, saved.Out())))
        return;
    D3DMATERIAL9 material{};
    material.Diffuse = {0.0f, 0.0f, 0.0f, 1.0f};
    material.Ambient = {0.0f, 0.0f, 0.0f, 1.0f};
    device->SetMaterial(&material);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    D3DXMATRIX scaling;
    D3DXMATRIX translation;
    D3DXMatrixScaling(&scaling, 0.1f, 0.1f, 0.0f);
    D3DXMatrixTranslation(&translation, GetPositionX(), GetPositionY(), 0.0f);
    D3DXMATRIX world;
    D3DXMatrixMultiply(&world, &scaling, &translation);
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetTexture(0, nullptr);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    m_number->DrawSubset(0);
    saved->Apply();
}
