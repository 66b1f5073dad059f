#include "imagelib/ImgBitmap.h"

#include <algorithm>

#include "imagelib/ByteSink.h"
#include "imagelib/FileReplace.h"
#include "imagelib/ImageFile.h"
#include "imagelib/IplFailures.h"
#include "imagelib/JpegCodec.h"
#include "imagelib/PreviewLoader.h"
#include "imagelib/ProtectedJpeg.h"
#include "imagelib/TiffCodec.h"

namespace {

using img::WantsAlpha;

// The image library's start-up: from here on a failing operation of the
// processing library is reported and the program goes on.
[[maybe_unused]] const bool kIplFailuresHandled = img::InstallIplFailureHandler();

// An image processing library header over a raster's pixels (rows top-down).
IplImage* HeaderOver(const img::Raster& r) {
    const bool alpha = r.channels == 4;
    IplImage* h = iplCreateImageHeader(r.channels, alpha ? 4 : 0, IPL_DEPTH_8U, "RGB", alpha ? "BGRA" : "BGR",
                                       IPL_DATA_ORDER_PIXEL, IPL_ORIGIN_TL, IPL_ALIGN_DWORD, r.width, r.height,
                                       nullptr, nullptr, nullptr, nullptr);
    if (!h) return nullptr;
    h->imageData = r.top;
    h->widthStep = static_cast<int32_t>(r.step);
    h->imageSize = h->widthStep * r.height;
    return h;
}

// The fitted preview is decimated with cubic interpolation.
bool DecimateCubic(const img::Raster& from, const img::Raster& to) {
    IplImage* src = HeaderOver(from);
    IplImage* dst = HeaderOver(to);
    if (src && dst) iplDecimate(src, dst, to.width, from.width, to.height, from.height, IPL_INTER_CUBIC);
    const bool ok = src && dst;
    for (IplImage* h : {src, dst}) {
        if (h) {
            h->imageData = nullptr;
            iplDeallocate(h, IPL_IMAGE_HEADER);
        }
    }
    return ok;
}

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

int CImgBitmap::Load(const char* path, int alphaMode, int reduction, bool whole) {
    Destroy();
    damaged_ = false;
    if (!path || alphaMode < 0 || alphaMode > 2 || !img::IsValidReduction(reduction)) return 0;
    img::ImageFile file;
    if (!file.Open(path)) return 0;
    const img::ImageInfo& info = file.Info();
    if (!Create(img::ReducedSide(info.width, reduction), img::ReducedSide(info.height, reduction),
                WantsAlpha(alphaMode, info.hasAlpha)))
        return 0;
    const bool decoded = file.Decoder().Decode(GetRaster(), reduction);
    damaged_ = file.Decoder().Complained();
    if (!decoded || (whole && damaged_)) {
        Destroy();
        return 0;
    }
    return 1;
}

int CImgBitmap::LoadPreview(const char* path, int alphaMode, bool useThumbnail, int maxSize, bool fit, bool whole) {
    Destroy();
    damaged_ = false;
    if (!path) return 0;
    img::PreviewRequest request;
    request.path = path;
    request.alphaMode = alphaMode;
    request.useThumbnail = useThumbnail;
    request.maxSize = maxSize;
    request.fit = fit;
    request.whole = whole;
    auto allocate = [this](int32_t width, int32_t height, bool alpha, img::Raster& raster) {
        if (!Create(width, height, alpha)) return false;
        raster = GetRaster();
        return true;
    };
    if (!img::LoadPreviewPicture(request, allocate, DecimateCubic)) {
        Destroy();
        return 0;
    }
    return 1;
}

int CImgBitmap::Save(const char* path, int format, int /*flags*/, int quality) const {
    if (!image_ || !path || quality < 1 || quality > 100) return 0;
    if (format != IMG_FORMAT_TIFF && format != IMG_FORMAT_JPEG && format != IMG_FORMAT_PROTECTED_JPEG)
        return 0;
    const img::Raster raster = GetRaster();
    auto write = [&](const std::string& temporary) {
        if (format == IMG_FORMAT_TIFF) return img::EncodeTiff(raster, temporary);
        img::FileSink sink;
        if (!sink.Open(temporary.c_str(), false)) return false;
        // Working JPEGs are always three-component: alpha stays in TIFF files.
        bool ok = format == IMG_FORMAT_JPEG
                      ? img::EncodeJpeg(raster, img::JpegContent::Colour, quality, sink)
                      : img::EncodeProtectedJpeg(raster, quality, sink);
        return sink.Close() && ok;
    };
    return ReplaceFileWith(path, write) ? 1 : 0;
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
