// Loading the picture, mask and effect of a picture quad.
#include "render/D3DImage.h"

#include <algorithm>
#include <memory>

#include "render/D3DObj.h"
#include "render/GdiScope.h"
#include "render/TextureImage.h"

namespace {
// Pictures for the page are decoded at most this large when previewed.
constexpr int kPreviewSize = 1024;
// Resize interpolation of the image processing library: cubic.
constexpr int32_t kCubic = 2;

// Turns bottom-up rows into the top-down rows textures want, alpha included.
void FlipRows(IplImage* image)
{
    AlphaAsColour channels(image);
    iplMirror(image, image, 0);
}

// A texture for a mask or effect picture: the picture's size rounded up to
// powers of two, within the device's limits, locked for filling. Null (and
// no texture kept) when the device cannot make or lock one.
std::unique_ptr<TextureImage> CreatePictureTexture(const CD3DObj& owner, const CImgBitmap& picture,
                                                   ComRef<IDirect3DTexture9>& texture)
{
    const D3DCAPS9& caps = owner.GetCaps();
    const int width = std::min<int>(NextPowerOfTwo(picture.GetWidth()),
                                    static_cast<int>(caps.MaxTextureWidth));
    const int height = std::min<int>(NextPowerOfTwo(picture.GetHeight()),
                                     static_cast<int>(caps.MaxTextureHeight));
    IDirect3DDevice9* device = owner.GetDevice();
    if (!device || width < 1 || height < 1 ||
        FAILED(device->CreateTexture(width, height, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                                     texture.Out(), nullptr))) {
        texture.Reset();
        return nullptr;
    }
    auto image = std::make_unique<TextureImage>(texture.Get(), width, height);
    if (!image->IsValid()) {
        image.reset();
        texture.Reset();
    }
    return image;
}

bool FileMayExist(const std::string& path)
{
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    return GetLastError() != ERROR_FILE_NOT_FOUND;
}
}  // namespace

void CD3DImage::LoadFromFile(const char* path, bool preview)
{
    m_mask.Reset();
    const bool named = path && *path;
    bool loaded = false;
    if (named) {
        loaded = preview ? m_source.LoadPreview(path, 2, true, kPreviewSize, false) != 0
                         : m_source.Load(path, 2, 1) != 0;
    }
    // A picture that cannot be read becomes a transparent one: the quad still
    // exists and can be selected.
    if (!loaded && !m_source.Create(2, 2, true, true, 0))
        return;
    if (!CreateTextures(m_source.GetWidth(), m_source.GetHeight()))
        return;
    FlipRows(m_source.GetIplImage());
    ApplyColorAdjust();
    if (!named)
        return;
    const std::string maskPath = MaskPathFor(path);
    if (FileMayExist(maskPath))
        LoadMask(maskPath.c_str());
}

bool CD3DImage::LoadMask(const char* path)
{
    CImgBitmap mask;
    if (!m_owner || !mask.LoadPreview(path, 2, true, kPreviewSize, false))
        return false;
    std::unique_ptr<TextureImage> texture = CreatePictureTexture(*m_owner, mask, m_mask);
    if (!texture)
        return false;
    const int width = texture->Width();
    const int height = texture->Height();
    {
        // The shape lives in the alpha channel: it is resized with the colours.
        AlphaAsColour from(mask.GetIplImage());
        AlphaAsColour to(texture->Header());
        iplResize(mask.GetIplImage(), texture->Header(), width, mask.GetWidth(), height,
                  mask.GetHeight(), kCubic);
    }
    FlipRows(texture->Header());
    return true;
}

void CD3DImage::LoadEffect(const char* path, float rotationDegrees, int mirror)
{
    m_effect.Reset();
    CImgBitmap effect;
    if (!m_owner || !path || !effect.LoadPreview(path, 1, true, kPreviewSize, false))
        return;
    std::unique_ptr<TextureImage> texture = CreatePictureTexture(*m_owner, effect, m_effect);
    if (!texture)
        return;
    const int width = texture->Width();
    const int height = texture->Height();
    IplImage* target = texture->Header();
    if (effect.GetAlphaChannel() == 0) {
        // Neutral grey colour (modulate 2x leaves the picture's colour) and
        // the effect's green channel as its transparency.
        CImgBitmap resized;
        if (!resized.Create(width, height, false)) {
            // Unlocked before the texture goes.
            texture.reset();
            m_effect.Reset();
            return;
        }
        iplResize(effect.GetIplImage(), resized.GetIplImage(), width, effect.GetWidth(), height,
                  effect.GetHeight(), kCubic);
        const IplImage* grey = resized.GetIplImage();
        for (int y = 0; y < height; ++y) {
            const unsigned char* from = grey->imageData + static_cast<ptrdiff_t>(y) * grey->widthStep;
            unsigned char* to = target->imageData + static_cast<ptrdiff_t>(y) * target->widthStep;
            for (int x = 0; x < width; ++x) {
                to[x * 4 + 0] = to[x * 4 + 1] = to[x * 4 + 2] = 128;
                to[x * 4 + 3] = from[x * 3 + 1];
            }
        }
    } else {
        AlphaAsColour from(effect.GetIplImage());
        AlphaAsColour to(target);
        iplResize(effect.GetIplImage(), target, width, effect.GetWidth(), height, effect.GetHeight(),
                  kCubic);
    }
    FlipRows(target);
    m_effectRotation = rotationDegrees;
    m_effectMirror = mirror;
}

bool CD3DImage::LoadFromResource(UINT bitmapId)
{
    ReleaseTextures();
    m_source.Destroy();
    const GdiObject bitmap(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap.Get())
        return false;
    BITMAP info{};
    bool ok = GetObjectA(bitmap.Get(), sizeof(info), &info) != 0 &&
              m_source.Create(info.bmWidth, std::abs(info.bmHeight), true, true, 0);
    if (ok) {
        // Read straight into the source, rows top-down as the tiles want.
        BITMAPINFO request{};
        request.bmiHeader.biSize = sizeof(request.bmiHeader);
        request.bmiHeader.biWidth = m_source.GetWidth();
        request.bmiHeader.biHeight = -m_source.GetHeight();
        request.bmiHeader.biPlanes = 1;
        request.bmiHeader.biBitCount = 32;
        request.bmiHeader.biCompression = BI_RGB;
        const ScreenDc screen;
        ok = screen.Get() &&
             GetDIBits(screen.Get(), static_cast<HBITMAP>(bitmap.Get()), 0,
                       static_cast<UINT>(m_source.GetHeight()), m_source.GetIplImage()->imageData,
                       &request, DIB_RGB_COLORS) == m_source.GetHeight();
    }
    if (!ok) {
        m_source.Destroy();
        return false;
    }
    // Bitmaps carry no transparency: every pixel is opaque.
    IplImage* image = m_source.GetIplImage();
    for (int y = 0; y < image->height; ++y) {
        unsigned char* row = image->imageData + static_cast<ptrdiff_t>(y) * image->widthStep;
        for (int x = 0; x < image->width; ++x)
            row[x * 4 + 3] = 255;
    }
    if (!CreateTextures(m_source.GetWidth(), m_source.GetHeight()))
        return false;
    ApplyColorAdjust();
    return true;
}
