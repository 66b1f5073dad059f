// Loading the picture, mask and effect of a picture quad.
#include <algorithm>
#include <memory>
#include <new>

#include "render/D3DImage.h"
#include "render/D3DObj.h"
#include "render/MipChain.h"
#include "render/PictureFailures.h"
#include "render/PictureTiling.h"
#include "render/TextureImage.h"
#include "render/ViewMath.h"

namespace {
// Masks and effects are decoded at most this large.
constexpr int kPreviewSize = kLargestPreview;
// Resize interpolation of the image processing library: cubic.
constexpr int32_t kCubic = 2;

void FlipRows(IplImage* image)
{
    AlphaAsColour channels(image);
    iplMirror(image, image, 0);
}

// One texture for a mask or effect picture, read from the file with the alpha
// mode: the picture's size rounded up to powers of two, within the device's
// limits; locked for filling through the image. Null when the file cannot be
// read, the device cannot make or lock a texture, or memory is used up.
std::unique_ptr<PictureTiles> LoadIntoTexture(const CD3DObj& owner, const std::string& path, int alphaMode,
                                              CImgBitmap& picture, std::unique_ptr<TextureImage>& image)
{
    if (!picture.LoadPreview(path.c_str(), alphaMode, true, kPreviewSize, false))
        return nullptr;
    const D3DCAPS9& caps = owner.GetCaps();
    const int width = std::min<int>(NextPowerOfTwo(picture.GetWidth()),
                                    static_cast<int>(caps.MaxTextureWidth));
    const int height = std::min<int>(NextPowerOfTwo(picture.GetHeight()),
                                     static_cast<int>(caps.MaxTextureHeight));
    IDirect3DDevice9* device = owner.GetDevice();
    auto tiles = std::make_unique<PictureTiles>();
    tiles->textures.resize(1);
    if (!device || width < 1 || height < 1)
        return nullptr;
    tiles->bytes = PictureTextureBytes(width, height, true);
    if (!PictureMemoryAllows(tiles->bytes) ||
        FAILED(CreatePictureTexture(device, width, height, true, tiles->textures[0])))
        return nullptr;
    tiles->layout = TileLayout{1, 1, width, height, 1.0f, 1.0f};
    tiles->width = width;
    tiles->height = height;
    image = std::make_unique<TextureImage>(tiles->textures[0].Get(), width, height);
    if (!image->IsValid())
        return nullptr;
    return tiles;
}

// The whole picture into the whole texture: with its own alpha as the
// texture's transparency, or, when it has none, its green channel (a grey
// picture's level) as the transparency under one colour.
bool ResizeIntoTexture(const CImgBitmap& picture, TextureImage& texture, unsigned char colour)
{
    const int width = texture.Width();
    const int height = texture.Height();
    IplImage* target = texture.Header();
    IplImage* source = picture.GetIplImage();
    if (picture.GetAlphaChannel() != 0) {
        AlphaAsColour from(source);
        AlphaAsColour to(target);
        iplResize(source, target, width, picture.GetWidth(), height, picture.GetHeight(), kCubic);
        return true;
    }
    CImgBitmap resized;
    if (!resized.Create(width, height, false))
        return false;
    iplResize(source, resized.GetIplImage(), width, picture.GetWidth(), height, picture.GetHeight(), kCubic);
    const IplImage* grey = resized.GetIplImage();
    for (int y = 0; y < height; ++y) {
        const unsigned char* from = grey->imageData + static_cast<ptrdiff_t>(y) * grey->widthStep;
        unsigned char* to = target->imageData + static_cast<ptrdiff_t>(y) * target->widthStep;
        for (int x = 0; x < width; ++x) {
            to[x * 4 + 0] = to[x * 4 + 1] = to[x * 4 + 2] = colour;
            to[x * 4 + 3] = from[x * 3 + 1];
        }
    }
    return true;
}

// A mask or an effect, filled with ResizeIntoTexture's colour, its smaller
// levels made once the first is filled.
template <unsigned char Colour>
std::unique_ptr<PictureTiles> MakeOverlayTiles(const CD3DObj& owner, const std::string& path)
{
    CImgBitmap picture;
    std::unique_ptr<TextureImage> texture;
    std::unique_ptr<PictureTiles> tiles = LoadIntoTexture(owner, path, 1, picture, texture);
    if (!tiles || !ResizeIntoTexture(picture, *texture, Colour))
        return nullptr;
    FlipRows(texture->Header());
    texture.reset();  // unlocked, so the levels below can be made from it
    if (!FillLowerLevels(tiles->textures[0].Get()))
        return nullptr;
    return tiles;
}

// The shape is the mask's alpha channel (a frame's mask), or its grey level
// when it has none (the mask of a cut-out's working copy, a JPEG).
constexpr auto MakeMaskTiles = MakeOverlayTiles<255>;
// An effect without alpha is neutral grey (modulate 2x leaves the picture's
// colour) with its green channel as its transparency.
constexpr auto MakeEffectTiles = MakeOverlayTiles<128>;

// The shared entry of a mask or an effect: from the cache or made now; null
// when it cannot be read or memory is used up.
template <class Make>
SharedTiles SharedOverlay(const PictureKey& key, const CD3DObj& owner, const std::string& path,
                          Make make)
{
    try {
        PictureCache& cache = PictureCache::Instance();
        if (SharedTiles found = cache.Find(key))
            return found;
        std::unique_ptr<PictureTiles> made = make(owner, path);
        return made ? cache.Insert(key, std::move(made)) : nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
}  // namespace

void CD3DImage::LoadFromFile(const char* path, bool preview)
{
    Load(path ? path : "", preview, true);
}

void CD3DImage::LoadRefused(const std::string& name)
{
    Load(name, false, false);
}

void CD3DImage::Load(const std::string& file, bool preview, bool readable)
{
    PictureCache::Instance().Drop(m_mask);
    m_origin = file;
    m_loaded = true;
    // The header gives the picture's proportions before it is read; while
    // the cache holds pictures of the file, what it told then. A refused
    // name is never looked for.
    m_file = readable ? PictureFileFactsOf(file) : PictureFileFacts{};
    const bool sized = m_file.Sized();
    const float aspect = FileAspect();
    if (!m_owner || !m_owner->GetDevice()) {
        // No textures without a device, but the picture's place on the page.
        m_width = aspect;
        m_height = 1.0f;
        UpdateWorld();
        return;
    }
    // Previewed for the size the quad has on the surface.
    m_size = preview && !file.empty() ? PreviewSizeOnScreen(aspect) : 0;
    m_whole = sized && std::max(m_file.width, m_file.height) <= m_size;
    // A picture that cannot be read (its name refused included) or has no
    // memory left shows as a grey box with a cross: the quad still exists and
    // can be selected.
    if (!readable || !AcquireTiles()) {
        if (!file.empty())
            ShowFailure(file, aspect);
        return;
    }
    if (!file.empty() && m_file.mask)
        LoadMask(MaskPathFor(file.c_str()), m_file.maskStamped);
}

bool CD3DImage::LoadMask(const std::string& path, const std::string& stampedPath)
{
    if (!m_owner)
        return false;
    m_mask = SharedOverlay(KeyFor(PictureRole::kMask, stampedPath, kPreviewSize), *m_owner, path,
                           MakeMaskTiles);
    return static_cast<bool>(m_mask);
}

void CD3DImage::LoadEffect(const char* path, float rotationDegrees, int mirror)
{
    PictureCache::Instance().Drop(m_effect);
    if (!m_owner || !path)
        return;
    m_effect = SharedOverlay(KeyFor(PictureRole::kEffect, StampedOrigin(path), kPreviewSize), *m_owner,
                             path, MakeEffectTiles);
    if (!m_effect)
        return;
    m_effectRotation = rotationDegrees;
    m_effectMirror = mirror;
}

bool CD3DImage::LoadFromResource(UINT bitmapId)
{
    ReleaseTextures();
    m_origin = "#" + std::to_string(bitmapId);
    m_file = PictureFileFactsOf(m_origin);
    m_size = 0;
    m_loaded = true;
    return AcquireTiles();
}
