#include "imagelib/ImgBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "imagelib/ByteSink.h"
#include "imagelib/ImageFile.h"
#include "imagelib/ImgWarning.h"
#include "imagelib/JpegCodec.h"
#include "imagelib/ProtectedJpeg.h"
#include "imagelib/ThumbnailTrailer.h"
#include "imagelib/TiffCodec.h"

namespace {

// The size a preview is built at when it goes into a thumbnail trailer.
constexpr int kThumbnailTarget = 1024;

bool WantsAlpha(int alphaMode, bool fileHasAlpha) { return alphaMode == 2 || (alphaMode == 1 && fileHasAlpha); }

}  // namespace

CImgBitmap::~CImgBitmap() { Destroy(); }

int CImgBitmap::Create(int width, int height, bool alpha, bool fill, int fillValue, void* externalPixels) {
    Destroy();
    if (!img::IsValidSide(width) || !img::IsValidSide(height)) return 0;
    const int32_t channels = alpha ? 4 : 3;
    IplImage* image = iplCreateImageHeader(channels, alpha ? 4 : 0, IPL_DEPTH_8U, "RGB", alpha ? "BGRA" : "BGR",
                                           IPL_DATA_ORDER_PIXEL, IPL_ORIGIN_BL, IPL_ALIGN_DWORD, width, height,
                                           nullptr, nullptr, nullptr, nullptr);
    if (!image) return 0;
    image->widthStep = (width * channels + 3) & ~3;
    image->imageSize = image->widthStep * height;
    if (externalPixels) {
        image->imageData = static_cast<unsigned char*>(externalPixels);
    } else {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;  // positive: rows bottom-up
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = static_cast<WORD>(channels * 8);
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        dib_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!dib_ || !bits) {
            if (dib_) DeleteObject(dib_);
            dib_ = nullptr;
            iplDeallocate(image, IPL_IMAGE_HEADER);
            return 0;
        }
        image->imageData = static_cast<unsigned char*>(bits);
    }
    image_ = image;
    if (fill) std::fill(image->imageData, image->imageData + image->imageSize, static_cast<unsigned char>(fillValue));
    return 1;
}

void CImgBitmap::Destroy() {
    ReleaseDC(true);
    if (image_) {
        // The pixels belong to the DIB section or the caller, never to the header.
        image_->imageData = nullptr;
        iplDeallocate(image_, IPL_IMAGE_HEADER | IPL_IMAGE_ROI);
        image_ = nullptr;
    }
    if (dib_) {
        DeleteObject(dib_);
        dib_ = nullptr;
    }
}

img::Raster CImgBitmap::GetRaster() const {
    img::Raster r;
    if (!image_) return r;
    r.width = image_->width;
    r.height = image_->height;
    r.channels = image_->nChannels;
    if (image_->origin == IPL_ORIGIN_BL) {
        r.top = image_->imageData + static_cast<ptrdiff_t>(image_->height - 1) * image_->widthStep;
        r.step = -static_cast<ptrdiff_t>(image_->widthStep);
    } else {
        r.top = image_->imageData;
        r.step = image_->widthStep;
    }
    return r;
}

int CImgBitmap::Load(const char* path, int alphaMode, int reduction) {
    Destroy();
    if (!path || alphaMode < 0 || alphaMode > 2 || !img::IsValidReduction(reduction)) return 0;
    img::ImageFile file;
    if (!file.Open(path)) return 0;
    const img::ImageInfo& info = file.Info();
    if (!Create(img::ReducedSide(info.width, reduction), img::ReducedSide(info.height, reduction),
                WantsAlpha(alphaMode, info.hasAlpha)))
        return 0;
    if (!file.Decoder().Decode(GetRaster(), reduction)) {
        Destroy();
        return 0;
    }
    return 1;
}

int CImgBitmap::LoadPreview(const char* path, int alphaMode, bool useThumbnail, int maxSize, bool fit) {
    Destroy();
    if (!path || alphaMode < 0 || alphaMode > 2 || maxSize < 1) return 0;

    // 1. A valid thumbnail trailer answers at once.
    {
        img::FileSource whole;
        img::TrailerFooter footer;
        if (whole.Open(path) && img::FindValidTrailer(whole, footer)) {
            int32_t r = img::ChooseTrailerReduction(footer.width, footer.height, maxSize);
            if (Create(img::ReducedSide(footer.width, r), img::ReducedSide(footer.height, r),
                       WantsAlpha(alphaMode, footer.alphaLength != 0)) &&
                img::DecodeTrailer(whole, footer, GetRaster(), r))
                return 1;
            Destroy();  // a damaged trailer: decode the picture itself
        }
    }

    // 2. Probe and choose the reduction.
    img::ImageFile file;
    if (!file.Open(path)) return 0;
    const img::ImageInfo& info = file.Info();
    const int32_t target = useThumbnail ? kThumbnailTarget : maxSize;
    const int32_t longer = std::max(info.width, info.height);
    const int32_t reduction = img::ChooseReduction(longer, fit ? 2 * target : target);

    // 3. Decode (with alpha when the file has it, for the trailer).
    const int decodeAlphaMode = useThumbnail ? 1 : alphaMode;
    CImgBitmap decoded;
    if (!decoded.Create(img::ReducedSide(info.width, reduction), img::ReducedSide(info.height, reduction),
                        WantsAlpha(decodeAlphaMode, info.hasAlpha)) ||
        !file.Decoder().Decode(decoded.GetRaster(), reduction))
        return 0;
    CImgBitmap* picture = &decoded;
    CImgBitmap fitted;
    if (fit && std::max(decoded.GetWidth(), decoded.GetHeight()) > target) {
        int32_t w = 0, h = 0;
        img::FitLongerSide(decoded.GetWidth(), decoded.GetHeight(), target, w, h);
        if (!fitted.Create(w, h, decoded.GetAlphaChannel() != 0)) return 0;
        iplDecimate(decoded.GetIplImage(), fitted.GetIplImage(), w, decoded.GetWidth(), h, decoded.GetHeight(),
                    IPL_INTER_CUBIC);
        picture = &fitted;
    }

    if (!useThumbnail) {
        std::swap(image_, picture->image_);
        std::swap(dib_, picture->dib_);
        return 1;
    }

    // 4. Append the trailer and read the result back from it. A file that
    // cannot be written (read-only, on a CD) still gets its preview, from the
    // trailer built in memory.
    std::vector<uint8_t> trailer;
    if (!img::BuildTrailer(picture->GetRaster(), file.WholeFile(), trailer)) return 0;
    const uint64_t originalLength = file.WholeFile().Size();
    if (!img::AppendToFile(path, trailer, originalLength)) {
        img::ImgWarning(std::string("cannot add the thumbnail to ") + path);
    }
    img::OffsetSource built(trailer, originalLength);
    img::TrailerFooter footer;
    if (!img::ReadTrailerFooter(built, footer)) return 0;
    int32_t r = img::ChooseTrailerReduction(footer.width, footer.height, maxSize);
    if (!Create(img::ReducedSide(footer.width, r), img::ReducedSide(footer.height, r),
                WantsAlpha(alphaMode, footer.alphaLength != 0)) ||
        !img::DecodeTrailer(built, footer, GetRaster(), r)) {
        Destroy();
        return 0;
    }
    return 1;
}

int CImgBitmap::Save(const char* path, int format, int /*flags*/, int quality) const {
    if (!image_ || !path || quality < 1 || quality > 100) return 0;
    const img::Raster raster = GetRaster();
    if (format == IMG_FORMAT_TIFF) return img::EncodeTiff(raster, path) ? 1 : 0;
    if (format != IMG_FORMAT_JPEG && format != IMG_FORMAT_PROTECTED_JPEG) return 0;
    img::FileSink sink;
    if (!sink.Open(path, false)) return 0;
    // Working JPEGs are always three-component: alpha stays in TIFF files.
    bool ok = format == IMG_FORMAT_JPEG ? img::EncodeJpeg(raster, img::JpegContent::Colour, quality, sink)
                                        : img::EncodeProtectedJpeg(raster, quality, sink);
    ok = sink.Close() && ok;
    if (!ok) std::remove(path);
    return ok ? 1 : 0;
}

int CImgBitmap::SetROI(int coi, int x, int y, int w, int h) {
    if (!image_ || coi < 0 || coi > image_->nChannels) return 0;
    const int64_t x0 = std::max<int64_t>(x, 0);
    const int64_t y0 = std::max<int64_t>(y, 0);
    const int64_t x1 = std::min<int64_t>(int64_t{x} + w, image_->width);
    const int64_t y1 = std::min<int64_t>(int64_t{y} + h, image_->height);
    if (x1 <= x0 || y1 <= y0) return 0;
    const auto cx = static_cast<int32_t>(x0), cy = static_cast<int32_t>(y0);
    const auto cw = static_cast<int32_t>(x1 - x0), ch = static_cast<int32_t>(y1 - y0);
    if (image_->roi) {
        iplSetROI(image_->roi, coi, cx, cy, cw, ch);
    } else {
        image_->roi = iplCreateROI(coi, cx, cy, cw, ch);
        if (!image_->roi) return 0;
    }
    return 1;
}

void CImgBitmap::SelectChannel(int coi) {
    if (image_) SetROI(coi, 0, 0, image_->width, image_->height);
}

HDC CImgBitmap::GetDC() {
    if (!dib_) return nullptr;
    if (!dc_) {
        dc_ = CreateCompatibleDC(nullptr);
        if (!dc_) return nullptr;
        previousBitmap_ = SelectObject(dc_, dib_);
        dcReferences_ = 0;
    }
    ++dcReferences_;
    return dc_;
}

void CImgBitmap::ReleaseDC(bool force) {
    if (!dc_) return;
    if (!force && --dcReferences_ > 0) return;
    SelectObject(dc_, previousBitmap_);
    DeleteDC(dc_);
    dc_ = nullptr;
    previousBitmap_ = nullptr;
    dcReferences_ = 0;
}
