// Header check, row sizes and the region-of-interest services every
// operation runs before it touches a pixel.
#include <algorithm>
#include <climits>

#include "ipl/ownipl.h"

bool ownIsValidDepth(uint32_t depth) {
    switch (depth) {
    case IPL_DEPTH_1U:
    case IPL_DEPTH_8U:
    case IPL_DEPTH_8S:
    case IPL_DEPTH_16U:
    case IPL_DEPTH_16S:
    case IPL_DEPTH_32S:
    case IPL_DEPTH_32F: return true;
    default: return false;
    }
}

bool ownIsValidAlign(int32_t align) { return align == 4 || align == 8 || align == 16 || align == 32; }

namespace {

// Masks may carry masks; a chain this deep is a loop of headers, refused as a
// bad mask instead of recursing without end.
constexpr int32_t kMaxMaskDepth = 8;

int32_t checkAt(const IplImage* image, int32_t level);

int32_t firstFailure(const IplImage* image, int32_t level) {
    if (image == nullptr) return -9;
    const bool tiled = image->tileInfo != nullptr;
    if ((image->imageData == nullptr) == !tiled) return -12;
    if (!tiled && image->imageSize < 1) return -10;
    if (!tiled && image->widthStep < 1) return -13;
    if (image->width < 1 || image->height < 1) return -10;
    if (image->nChannels < 1) return -15;
    if (image->nChannels != 1 && image->depth == IPL_DEPTH_1U) return -16;
    if (!ownIsValidDepth(image->depth)) return -17;
    if (image->alphaChannel != 0 && image->alphaChannel != image->nChannels) return -18;
    if (image->dataOrder != IPL_DATA_ORDER_PIXEL && image->dataOrder != IPL_DATA_ORDER_PLANE) return -19;
    if (image->origin != IPL_ORIGIN_TL && image->origin != IPL_ORIGIN_BL) return -20;
    if (!ownIsValidAlign(image->align)) return -21;
    if (const IplImage* mask = image->maskROI) {
        if (mask->depth != IPL_DEPTH_1U || level >= kMaxMaskDepth) return -117;
        if (mask->tileInfo == nullptr) {
            const int32_t s = checkAt(mask, level + 1);
            if (s != 0) return s - 100;
        }
        if (mask->tileInfo != nullptr) return -26;
    }
    if (tiled) {
        const IplTileInfo* tile = image->tileInfo;
        if (tile->callBack == nullptr) return -22;
        if (tile->width < 1) return -23;
        if (tile->height < 1 || tile->width % 8 != 0 || tile->height % 8 != 0) return -23;
    }
    if (const IplROI* roi = image->roi) {
        if (roi->coi < 0 || roi->coi > image->nChannels) return -24;
        if (roi->height < 1) return -25;
        if (roi->width < 1) return -25;
        if (roi->xOffset < 0) return -11;
        if (roi->yOffset < 0) return -11;
    }
    return 0;
}

int32_t checkAt(const IplImage* image, int32_t level) {
    const int32_t status = firstFailure(image, level);
    if (status != 0) iplSetErrStatus(status);
    return status;
}

}  // namespace

int32_t ownCheckImage(const IplImage* image) { return checkAt(image, 0); }

int32_t ownWidthStep(int32_t dataOrder, uint32_t depth, int32_t align, int32_t nChannels,
                     int32_t width) {
    int64_t bits = static_cast<int64_t>(width) * ownDepthBits(depth);
    if (dataOrder == IPL_DATA_ORDER_PIXEL) bits *= nChannels;
    const int64_t unit = 8 * static_cast<int64_t>(align);
    if (unit <= 0) return 0;
    const int64_t rounded = ((bits + unit - 1) / unit) * unit;
    const int64_t bytes = rounded / 8;
    if (bytes <= 0 || bytes > INT32_MAX) return 0;
    return static_cast<int32_t>(bytes);
}

int32_t ownImageSize(int32_t dataOrder, int32_t nChannels, int32_t widthStep, int32_t height) {
    int64_t size = static_cast<int64_t>(widthStep) * height;
    if (dataOrder == IPL_DATA_ORDER_PLANE) size *= nChannels;
    if (size <= 0 || size > INT32_MAX) return 0;
    return static_cast<int32_t>(size);
}

int32_t ownTileWidthStep(const IplImage* image) {
    if (image == nullptr || ownCheckImage(image) != 0 || image->tileInfo == nullptr) return 0;
    return ownWidthStep(image->dataOrder, image->depth, image->align, image->nChannels,
                        image->tileInfo->width);
}

int32_t ownRoiSize(const IplImage* image, int32_t* height, int32_t* width, int32_t clip) {
    const IplROI* roi = image->roi;
    if (roi == nullptr) {
        *width = image->width;
        *height = image->height;
        return 1;
    }
    int64_t w = roi->width;
    int64_t h = roi->height;
    if (w < 1 || h < 1) return 0;
    if (clip != 0) {
        int64_t x = roi->xOffset;
        int64_t y = roi->yOffset;
        if (x >= image->width || y >= image->height) return 0;
        if (x < 0) { w += x; x = 0; }
        if (y < 0) { h += y; y = 0; }
        w = std::min<int64_t>(w, image->width - x);
        h = std::min<int64_t>(h, image->height - y);
        if (w < 1 || h < 1) return 0;
    }
    *width = static_cast<int32_t>(w);
    *height = static_cast<int32_t>(h);
    return 1;
}

int32_t ownRoiSize2(const IplImage* imageA, const IplImage* imageB, int32_t* height,
                    int32_t* width, int32_t clip) {
    return ownRoiSize3(imageA, imageB, nullptr, height, width, clip);
}

int32_t ownRoiSize3(const IplImage* imageA, const IplImage* imageB, const IplImage* imageC,
                    int32_t* height, int32_t* width, int32_t clip) {
    int32_t h = 0;
    int32_t w = 0;
    if (!ownRoiSize(imageA, &h, &w, clip)) return 0;
    for (const IplImage* other : {imageB, imageC}) {
        if (other == nullptr) continue;
        int32_t oh = 0;
        int32_t ow = 0;
        if (!ownRoiSize(other, &oh, &ow, clip)) return 0;
        h = std::min(h, oh);
        w = std::min(w, ow);
    }
    *height = h;
    *width = w;
    return 1;
}

int32_t ownRoiStart(const IplImage* image, unsigned char** data, int32_t* step, int32_t* channels,
                    int32_t* planeStep, int32_t* bitOffset) {
    int64_t x = 0;
    int64_t y = 0;
    int32_t c = 0;
    if (const IplROI* roi = image->roi) {
        x = std::max(0, roi->xOffset);
        y = std::max(0, roi->yOffset);
        c = roi->coi;
    } else if (image->alphaChannel != 0 && image->nChannels == 1) {
        return 0;  // the only channel is the alpha channel
    }
    const int32_t e = (image->alphaChannel == 0 || c != 0) ? c : -1;
    const int64_t b = ownDepthBytes(image->depth);
    const int64_t ws = image->widthStep;
    int64_t offset = y * ws;
    if (image->dataOrder == IPL_DATA_ORDER_PLANE) {
        offset += x * b;
        if (e > 1) offset += (e - 1) * static_cast<int64_t>(image->height) * ws;
    } else {
        offset += x * image->nChannels * b;
        if (e > 1) offset += (e - 1) * b;
    }
    *data = image->imageData + offset;
    *step = image->widthStep;
    *planeStep = static_cast<int32_t>(static_cast<int64_t>(image->height) * ws);
    *channels = e >= 1 ? 1 : (e == 0 ? image->nChannels : image->nChannels - 1);
    if (image->depth == IPL_DEPTH_1U) *bitOffset = static_cast<int32_t>(x);
    return 1;
}

int32_t ownMaskRoiStart(const IplImage* mask, unsigned char** rowStart, int32_t* step,
                        int32_t* bitOffset) {
    if (mask->depth != IPL_DEPTH_1U) return 0;
    int64_t x = 0;
    int64_t y = 0;
    if (const IplROI* roi = mask->roi) {
        x = std::max(0, roi->xOffset);
        y = std::max(0, roi->yOffset);
    }
    *rowStart = mask->imageData + y * mask->widthStep + x / 8;
    *step = mask->widthStep;
    *bitOffset = static_cast<int32_t>(x % 8);
    return 1;
}

int32_t ownRoiChannels(const IplImage* image, int32_t* channels) {
    int32_t c = 0;
    if (image->roi == nullptr) {
        if (image->alphaChannel != 0 && image->nChannels == 1) return 0;
    } else {
        c = image->roi->coi;
    }
    if (image->alphaChannel == 0 || c != 0)
        *channels = c > 0 ? 1 : (c == 0 ? image->nChannels : image->nChannels - 1);
    else
        *channels = image->nChannels - 1;
    return 1;
}

void ownTileGrid(const IplImage* image, int32_t height, int32_t width, int32_t* xInTile,
                 int32_t* yInTile, int32_t* tileHeight, int32_t* tileWidth, int32_t* firstTileCol,
                 int32_t* firstTileRow, int32_t* tileCols, int32_t* tileRows) {
    int32_t tw = 128;
    int32_t th = 128;
    if (image->tileInfo != nullptr) {
        tw = image->tileInfo->width;
        th = image->tileInfo->height;
    }
    int32_t x = 0;
    int32_t y = 0;
    if (image->roi != nullptr) {
        x = std::max(0, image->roi->xOffset);
        y = std::max(0, image->roi->yOffset);
    }
    *xInTile = x % tw;
    *yInTile = y % th;
    *tileHeight = th;
    *tileWidth = tw;
    *firstTileCol = x / tw;
    *firstTileRow = y / th;
    *tileCols = static_cast<int32_t>((static_cast<int64_t>(x) + width - 1) / tw - x / tw + 1);
    *tileRows = static_cast<int32_t>((static_cast<int64_t>(y) + height - 1) / th - y / th + 1);
}
