// Decoding the pictures behind picture quads.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <memory>

#include "imagelib/ImageFile.h"
#include "render/GdiScope.h"
#include "render/MaskPath.h"
#include "render/PictureCache.h"
#include "render/PictureTiling.h"
#include "render/TextureImage.h"

namespace {
// The last picture decoded: colour changes of one picture (a dialog's
// preview) make new tiles from it without reading the file again.
struct KeptSource {
    std::string origin;
    int32_t size = 0;
    CImgBitmap image;
};

KeptSource& Kept()
{
    static KeptSource kept;
    return kept;
}

// Turns bottom-up rows into the top-down rows textures want, alpha included.
void FlipRows(IplImage* image)
{
    AlphaAsColour channels(image);
    iplMirror(image, image, 0);
}

bool DecodeResource(UINT bitmapId, CImgBitmap& source)
{
    const GdiHandle bitmap(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap.Get())
        return false;
    BITMAP info{};
    if (GetObjectA(bitmap.Get(), sizeof(info), &info) == 0 ||
        !source.Create(info.bmWidth, std::abs(info.bmHeight), true, true, 0))
        return false;
    // Read straight into the source, rows top-down as the tiles want.
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(request.bmiHeader);
    request.bmiHeader.biWidth = source.GetWidth();
    request.bmiHeader.biHeight = -source.GetHeight();
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    const ScreenDC screen;
    if (!screen.Get() ||
        GetDIBits(screen.Get(), static_cast<HBITMAP>(bitmap.Get()), 0,
                  static_cast<UINT>(source.GetHeight()), source.GetIplImage()->imageData, &request,
                  DIB_RGB_COLORS) != source.GetHeight()) {
        source.Destroy();
        return false;
    }
    // Bitmaps carry no transparency: every pixel is opaque.
    IplImage* image = source.GetIplImage();
    for (int y = 0; y < image->height; ++y) {
        unsigned char* row = image->imageData + static_cast<ptrdiff_t>(y) * image->widthStep;
        for (int x = 0; x < image->width; ++x)
            row[x * 4 + 3] = 255;
    }
    return true;
}

// Memory a decode of the file at the size will take, roughly.
size_t DecodedBytes(const std::string& path, int32_t size)
{
    int32_t width = 0;
    int32_t height = 0;
    if (!ReadPictureSize(path, width, height))
        return 0;
    if (size > 0) {
        width = std::min(width, size);
        height = std::min(height, size);
    }
    return static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
}

bool Decode(const std::string& origin, int32_t size, CImgBitmap& source)
{
    if (origin.empty())
        return source.Create(2, 2, true, true, 0) != 0;
    if (origin[0] == '#')
        return DecodeResource(static_cast<UINT>(std::atoi(origin.c_str() + 1)), source);
    if (!PictureMemoryAllows(DecodedBytes(origin, size)))
        return false;
    const bool loaded = size > 0 ? source.LoadPreview(origin.c_str(), 2, true, size, false) != 0
                                 : source.Load(origin.c_str(), 2, 1) != 0;
    if (!loaded)
        return false;
    FlipRows(source.GetIplImage());
    return true;
}

// A mask whose attributes cannot be read for another reason than its
// absence is tried all the same.
bool FileMayExist(const std::string& path)
{
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    return GetLastError() != ERROR_FILE_NOT_FOUND;
}

// The stamp of the mask beside a picture; empty when there is none.
std::string MaskStamp(const std::string& mask)
{
    return FileMayExist(mask) ? StampedOrigin(mask) : std::string();
}

// The file and its mask are as they were when they told the facts. A file
// gone for a moment (an editor saving it by delete and create) keeps them.
bool StillTells(const std::string& origin, const PictureFileFacts& known)
{
    const std::string stamped = StampedOrigin(origin);
    if (stamped == origin)
        return true;
    return stamped == known.stamped && MaskStamp(MaskPathFor(origin.c_str())) == known.maskStamped;
}

bool CopyImage(const CImgBitmap& from, CImgBitmap& to)
{
    if (!to.Create(from.GetWidth(), from.GetHeight(), true))
        return false;
    const IplImage* a = from.GetIplImage();
    IplImage* b = to.GetIplImage();
    for (int y = 0; y < a->height; ++y)
        std::memcpy(b->imageData + static_cast<ptrdiff_t>(y) * b->widthStep,
                    a->imageData + static_cast<ptrdiff_t>(y) * a->widthStep,
                    static_cast<size_t>(a->width) * 4);
    return true;
}
}  // namespace

bool DecodePictureSource(const std::string& origin, int32_t size, CImgBitmap& source)
{
    // Kept by the file's stamp: a file changed since is decoded again.
    KeptSource& kept = Kept();
    if (kept.image.IsValid() && kept.origin == StampedOrigin(origin) && kept.size == size)
        return CopyImage(kept.image, source);
    if (!Decode(origin, size, source))
        return false;
    // Only previews are kept: a full-size picture is too large to hold twice.
    ForgetDecodedSource();
    if (size > 0 && !origin.empty() && origin[0] != '#' && CopyImage(source, kept.image)) {
        kept.origin = StampedOrigin(origin);
        kept.size = size;
    }
    return true;
}

void ForgetDecodedSource()
{
    Kept().image.Destroy();
    Kept().origin.clear();
}

std::string StampedOrigin(const std::string& origin)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (origin.empty() || origin[0] == '#' ||
        !GetFileAttributesExA(origin.c_str(), GetFileExInfoStandard, &data))
        return origin;
    char stamp[64];
    std::snprintf(stamp, sizeof(stamp), "|%lx%08lx|%lx%08lx", data.nFileSizeHigh, data.nFileSizeLow,
                  data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    return origin + stamp;
}

bool ReadPictureSize(const std::string& path, int32_t& width, int32_t& height)
{
    img::ImageFile file;
    if (path.empty() || path[0] == '#' || !file.Open(path))
        return false;
    width = file.Info().width;
    height = file.Info().height;
    return width > 0 && height > 0;
}

PictureFileFacts PictureFileFactsOf(const std::string& origin)
{
    PictureFileFacts facts;
    if (origin.empty() || origin[0] == '#') {
        facts.stamped = origin;
        return facts;
    }
    PictureCache& cache = PictureCache::Instance();
    if (const PictureFileFacts* known = cache.FindFile(origin)) {
        if (cache.CheckedInLook(origin) || StillTells(origin, *known)) {
            cache.MarkChecked(origin);
            return *known;
        }
        // Changed on disk: what it told is old, the pictures made from it
        // stay with the quads that show them.
        cache.ForgetFile(origin);
    }
    facts.stamped = StampedOrigin(origin);
    ReadPictureSize(origin, facts.width, facts.height);
    facts.maskStamped = MaskStamp(MaskPathFor(origin.c_str()));
    facts.mask = !facts.maskStamped.empty();
    cache.MarkChecked(origin);
    return facts;
}
