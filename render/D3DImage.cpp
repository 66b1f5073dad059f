#include "render/D3DImage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "render/D3DObj.h"
#include "render/GdiScope.h"
#include "render/PictureFailures.h"
#include "render/PictureTiling.h"
#include "render/PlaceholderTexture.h"
#include "render/QuadVertex.h"
#include "render/ViewMath.h"

namespace {
// The placeholder's number: a 10-point Arial, the point size taken on the
// screen.
HFONT CreateNumberFont()
{
    const ScreenDC screen;
    LOGFONTA font{};
    font.lfHeight = -MulDiv(10, screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96, 72);
    font.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(font.lfFaceName, "Arial");
    return CreateFontIndirectA(&font);
}
}  // namespace

DWORD TextureFactorForAlpha(float alpha)
{
    // Clamped: a float outside the byte's range has no defined conversion.
    // Not a number at all counts as opaque, the alpha of a new picture.
    const float clamped = std::isnan(alpha) ? 1.0f : std::clamp(alpha, 0.0f, 1.0f);
    const DWORD byte = static_cast<DWORD>(clamped * 255.0f);
    return (byte << 24) | 0x00FFFFFFu;
}

D3DXMATRIX EffectTextureMatrix(float rotationDegrees, int32_t mirror)
{
    D3DXMATRIX toCentre;
    D3DXMATRIX rotation;
    D3DXMATRIX mirrorBack;
    D3DXMatrixTranslation(&toCentre, -0.5f, -0.5f, 0.0f);
    D3DXMatrixRotationZ(&rotation, rotationDegrees * 0.017453292f);
    const float su = (mirror == kMirrorHorizontal || mirror == kMirrorBoth) ? -1.0f : 1.0f;
    const float sv = (mirror == kMirrorVertical || mirror == kMirrorBoth) ? -1.0f : 1.0f;
    D3DXMATRIX scaling;
    D3DXMATRIX back;
    D3DXMatrixScaling(&scaling, su, sv, 1.0f);
    D3DXMatrixTranslation(&back, 0.5f, 0.5f, 0.0f);
    D3DXMatrixMultiply(&mirrorBack, &scaling, &back);
    D3DXMATRIX m;
    D3DXMatrixMultiply(&m, &toCentre, &rotation);
    D3DXMatrixMultiply(&m, &m, &mirrorBack);
    // Two-component texture coordinates take their translation from row 3.
    m._31 = m._41;
    m._32 = m._42;
    m._41 = m._42 = 0.0f;
    return m;
}

CD3DImage::CD3DImage(CD3DObj* owner) : Placement(1.0f), m_owner(owner) {}

CD3DImage::~CD3DImage() = default;

QuadShape CD3DImage::Shape() const
{
    return QuadShape{GetWorldTransform(), OwnerView(m_owner), m_width, m_height, false};
}

bool CD3DImage::HitTest(float x, float y) const
{
    return QuadContains(Shape(), m_hitScale, x, y);
}

bool CD3DImage::IntersectsRect(float x1, float y1, float x2, float y2) const
{
    return QuadIntersectsRect(Shape(), m_hitScale, x1, y1, x2, y2);
}

void CD3DImage::ReleaseTextures()
{
    PictureCache::Instance().Drop(m_tiles);
    m_number.Reset();
    m_placeholder = false;
    m_failed = false;
}

void CD3DImage::ReleaseResources()
{
    ReleaseTextures();
    PictureCache& cache = PictureCache::Instance();
    cache.Drop(m_effect);
    cache.Drop(m_mask);
    m_vertices.Reset();
    m_loaded = false;
    ReleaseSharedPlaceholderTexture();
}

PictureKey CD3DImage::KeyFor(PictureRole role, const std::string& stampedOrigin, int32_t size) const
{
    PictureKey key;
    key.device = m_owner ? m_owner->GetDevice() : nullptr;
    key.role = role;
    key.origin = stampedOrigin;
    key.size = size;
    if (role == PictureRole::kPicture) {
        const float values[] = {m_colour.red,      m_colour.green,      m_colour.blue,
                                m_colour.brightness, m_colour.contrast, m_colour.saturation,
                                m_colour.alpha};
        for (float value : values) {
            uint32_t bits = 0;
            std::memcpy(&bits, &value, sizeof(bits));
            key.colour.push_back(bits);
        }
    }
    return key;
}

bool CD3DImage::AcquireTiles()
{
    IDirect3DDevice9* device = m_owner ? m_owner->GetDevice() : nullptr;
    if (!device)
        return false;
    try {
        PictureCache& cache = PictureCache::Instance();
        PictureKey key = KeyFor(PictureRole::kPicture, m_file.stamped, m_size);
        SharedTiles tiles = cache.Find(key);
        if (tiles && tiles == m_tiles && !m_failed)
            return true;
        CImgBitmap source;
        if (!tiles) {
            if (!DecodePictureSource(m_origin, m_size, source))
                return false;
            // The first read may have given the file its thumbnail trailer.
            m_file.stamped = StampedOrigin(m_origin);
            key.origin = m_file.stamped;
            tiles = cache.Find(key);
        }
        if (!tiles) {
            // Known from the picture alone, so a quad without textures still
            // has its place on the page and can be selected.
            m_width = static_cast<float>(source.GetWidth()) / static_cast<float>(source.GetHeight());
            m_height = 1.0f;
            UpdateWorld();
            // The program's own bitmaps (the selection's handles) are drawn
            // at their own size and keep their crisp pixels.
            const bool programBitmap = !m_origin.empty() && m_origin[0] == '#';
            std::unique_ptr<PictureTiles> made =
                MakePictureTiles(device, m_owner->GetCaps(), source, m_colour, !programBitmap);
            if (!made || !MakeQuadVertices(device, m_width, made->layout.uExtent, made->layout.vExtent,
                                           made->vertices))
                return false;
            tiles = cache.Insert(key, std::move(made));
        }
        if (!m_origin.empty() && m_origin[0] != '#')
            cache.RememberFile(m_origin, m_file);
        AdoptTiles(std::move(tiles));
        return HasTextures();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

int32_t CD3DImage::PreviewSizeOnScreen(float aspect) const
{
    const float zoomX = m_owner ? std::fabs(m_owner->GetZoomX()) : 1.0f;
    const float zoomY = m_owner ? std::fabs(m_owner->GetZoomY()) : 1.0f;
    const float perUnit = m_owner ? m_owner->GetPixelsPerUnit() : static_cast<float>(kLargestPreview);
    const float longest = std::max(std::fabs(GetScaleX()) * aspect * zoomX, std::fabs(GetScaleY()) * zoomY);
    return PreviewSizeFor(longest * perUnit, kLargestPreview);
}

bool CD3DImage::NeedsSharperPreview() const
{
    return m_loaded && m_size > 0 && !m_whole && !m_failed && !m_placeholder &&
           PreviewSizeOnScreen(m_width) > m_size;
}

void CD3DImage::AdoptTiles(SharedTiles tiles)
{
    ReleaseTextures();
    m_width = static_cast<float>(tiles->width) / static_cast<float>(tiles->height);
    m_height = 1.0f;
    UpdateWorld();
    // Every quad showing the tiles draws them through the same vertices.
    m_vertices = ComRef<IDirect3DVertexBuffer9>::Share(tiles->vertices.Get());
    if (!m_vertices)
        return;
    m_layout = tiles->layout;
    m_tiles = std::move(tiles);
}

float CD3DImage::FileAspect() const
{
    return m_file.Sized() ? static_cast<float>(m_file.width) / static_cast<float>(m_file.height) : 1.0f;
}

void CD3DImage::ShowFailure(const std::string& path, float aspect)
{
    NotePictureFailure(path);
    try {
        IDirect3DDevice9* device = m_owner ? m_owner->GetDevice() : nullptr;
        SharedTiles cross = FailedPictureTiles(device);
        ReleaseTextures();
        m_width = aspect;
        m_height = 1.0f;
        UpdateWorld();
        m_failed = true;
        if (cross && MakeQuadVertices(device, m_width, 1.0f, 1.0f, m_vertices)) {
            m_layout = cross->layout;
            m_tiles = std::move(cross);
        }
    } catch (const std::bad_alloc&) {
        m_failed = true;
    }
}

void CD3DImage::SetColorAdjust(float red, float green, float blue, float brightness,
                               float contrast, float saturation, float alpha, bool apply)
{
    m_colour = ColourSettings{red, green, blue, brightness, contrast, saturation, alpha};
    if (apply)
        ApplyColorAdjust();
}

void CD3DImage::RemoveEffect()
{
    if (m_effect)
        PictureCache::Instance().Drop(m_effect);
    else
        ApplyColorAdjust();
}

void CD3DImage::ApplyColorAdjust()
{
    // Tiles of other quads showing the same picture stay as they are: the
    // new colours are tiles of their own.
    if (!m_loaded || m_failed || m_placeholder || !m_tiles)
        return;
    if (!AcquireTiles() && !m_origin.empty() && m_origin[0] != '#')
        ShowFailure(m_origin, FileAspect());
}

bool CD3DImage::CreatePlaceholder(int number, float aspect)
{
    IDirect3DDevice9* device = m_owner ? m_owner->GetDevice() : nullptr;
    if (!SharedPlaceholderTexture(device))
        return false;
    ReleaseTextures();

    {
        const GdiHandle font(CreateNumberFont());
        const FontContext dc(static_cast<HFONT>(font.Get()));
        if (dc.Get()) {
            char text[16];
            std::snprintf(text, sizeof(text), "%d", number);
            D3DXCreateTextA(device, dc.Get(), text, 0.0f, 0.0f, m_number.Out(), nullptr, nullptr);
        }
    }
    if (!MakeQuadVertices(device, aspect, 2.0f * aspect, 2.0f, m_vertices))
        return false;
    m_width = aspect;
    m_height = 1.0f;
    m_placeholder = true;
    m_layout = TileLayout{};
    m_layout.uExtent = 2.0f * aspect;
    m_layout.vExtent = 2.0f;
    UpdateWorld();
    return true;
}
