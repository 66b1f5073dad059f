// Tile walk of copy, fill and look-up mapping.
#include "ipl/ownscewalk.h"

#include "ipl/ownipl.h"
#include "ipl/ownvalues.h"

namespace {

// A header that stands for one piece of an image: the caller's fields with a
// private region and no tiling.
struct LocalImage {
    IplImage header{};
    IplROI roi{};

    void init(const IplImage* image) {
        header = *image;
        roi = IplROI{image->roi ? image->roi->coi : 0, 0, 0, 0, 0};
        header.roi = &roi;
        header.tileInfo = nullptr;
        header.maskROI = nullptr;
    }
    void becomeTile(const IplImage* image) {
        header.width = image->tileInfo->width;
        header.height = image->tileInfo->height;
        header.widthStep = ownWidthStep(image->dataOrder, image->depth, image->align,
                                        image->nChannels, header.width);
        header.imageSize = ownImageSize(image->dataOrder, image->nChannels, header.widthStep,
                                        header.height);
    }
    void setRegion(int32_t x, int32_t y, int32_t w, int32_t h) {
        roi.xOffset = x;
        roi.yOffset = y;
        roi.width = w;
        roi.height = h;
    }
};

int32_t offsetX(const IplImage* image) { return image->roi ? image->roi->xOffset : 0; }
int32_t offsetY(const IplImage* image) { return image->roi ? image->roi->yOffset : 0; }

}  // namespace

bool ownSceTileWalk(IplImage* srcImage, IplImage* dstImage, IplImage* mask, int32_t width,
                    int32_t height, bool inPlace, const char* funcName, const char* unitName,
                    const std::function<bool(IplImage*, IplImage*)>& op) {
    const bool dstTiled = dstImage->tileInfo != nullptr;
    const bool srcTiled = srcImage != nullptr && !inPlace && srcImage->tileInfo != nullptr;
    const IplImage* grid = dstTiled ? dstImage : srcImage;
    int32_t xIn = 0, yIn = 0, th = 0, tw = 0, c0 = 0, r0 = 0, nCols = 0, nRows = 0;
    ownTileGrid(grid, height, width, &xIn, &yIn, &th, &tw, &c0, &r0, &nCols, &nRows);

    LocalImage dst;
    LocalImage src;
    LocalImage msk;
    dst.init(dstImage);
    if (dstTiled) dst.becomeTile(dstImage);
    if (mask != nullptr) {
        msk.init(mask);
        msk.roi.coi = 0;
        dst.header.maskROI = &msk.header;
    }
    if (srcImage != nullptr && !inPlace) {
        src.init(srcImage);
        if (srcTiled && !dstTiled) src.becomeTile(srcImage);
    }

    bool ok = true;
    for (int32_t r = 0; r < nRows; ++r) {
        const int32_t h = nRows == 1 ? height
                          : r == 0   ? th - yIn
                          : r == nRows - 1 ? ((yIn + height - 1) % th) + 1
                                           : th;
        const int32_t oy = r == 0 ? 0 : (th - yIn) + (r - 1) * th;
        for (int32_t k = 0; k < nCols; ++k) {
            const int32_t w = nCols == 1 ? width
                              : k == 0   ? tw - xIn
                              : k == nCols - 1 ? ((xIn + width - 1) % tw) + 1
                                               : tw;
            const int32_t ox = k == 0 ? 0 : (tw - xIn) + (k - 1) * tw;
            if (mask != nullptr) msk.setRegion(offsetX(mask) + ox, offsetY(mask) + oy, w, h);

            unsigned char* rect = nullptr;
            if (dstTiled) {
                dst.setRegion(k == 0 ? xIn : 0, r == 0 ? yIn : 0, w, h);
                IplTileInfo* info = dstImage->tileInfo;
                info->callBack(dstImage, c0 + k, r0 + r, IPL_GET_TILE_TO_WRITE);
                if (info->tileData == nullptr) {
                    iplError(-2, funcName, "Error get tile to write", unitName, __LINE__);
                    return false;
                }
                dst.header.imageData = info->tileData;
                auto releaseDst = [&] {
                    info->tileData = dst.header.imageData;
                    info->callBack(dstImage, c0 + k, r0 + r, IPL_RELEASE_TILE);
                };
                if (srcImage != nullptr && !inPlace && !srcTiled) {
                    src.setRegion(offsetX(srcImage) + ox, offsetY(srcImage) + oy, w, h);
                } else if (srcTiled) {
                    int32_t step = 0;
                    rect = ownReadRectWithBorder(srcImage, offsetX(srcImage) + ox,
                                                 offsetY(srcImage) + oy, w, h, &step);
                    if (rect == nullptr) {
                        iplError(-1, funcName, "", unitName, __LINE__);
                        releaseDst();
                        return false;
                    }
                    src.header.width = w;
                    src.header.height = h;
                    src.header.widthStep = step;
                    src.header.imageSize =
                        ownImageSize(srcImage->dataOrder, srcImage->nChannels, step, h);
                    src.header.imageData = rect;
                    src.setRegion(0, 0, w, h);
                }
                IplImage* localSrc = srcImage == nullptr ? nullptr : (inPlace ? &dst.header : &src.header);
                if (!op(localSrc, &dst.header)) ok = false;
                releaseDst();
                ownFreeRect(rect);
                continue;
            }
            // Only the source is tiled.
            dst.setRegion(offsetX(dstImage) + ox, offsetY(dstImage) + oy, w, h);
            src.setRegion(k == 0 ? xIn : 0, r == 0 ? yIn : 0, w, h);
            IplTileInfo* info = srcImage->tileInfo;
            info->callBack(srcImage, c0 + k, r0 + r, IPL_GET_TILE_TO_READ);
            if (info->tileData == nullptr) {
                iplError(-2, funcName, "Error get tile to read", unitName, __LINE__);
                return false;
            }
            src.header.imageData = info->tileData;
            if (!op(&src.header, &dst.header)) ok = false;
            info->tileData = src.header.imageData;
            info->callBack(srcImage, c0 + k, r0 + r, IPL_RELEASE_TILE);
        }
    }
    return ok;
}

bool ownMoveValues(IplImage* srcImage, IplImage* dstImage, const char* funcName, const char* unitName,
                   const std::function<bool(IplImage*, IplImage*)>& again, const OwnValuesRun& values) {
    OwnMaskInUse mask;
    ownChooseMask(srcImage, dstImage, funcName, unitName, &mask);
    if (mask.failed) return false;
    if (mask.empty) return true;
    int32_t height = 0;
    int32_t width = 0;
    if (!ownRoiSize3(srcImage, dstImage, mask.mask, &height, &width, 1)) return true;
    if (srcImage->tileInfo != nullptr || dstImage->tileInfo != nullptr)
        return ownSceTileWalk(srcImage, dstImage, mask.mask, width, height, srcImage == dstImage, funcName,
                              unitName, again);
    OwnValues s;
    OwnValues d;
    if (!s.init(srcImage) || !d.init(dstImage)) return true;
    OwnMaskBits bits;
    if (mask.mask != nullptr && !bits.init(mask.mask)) return true;
    if (s.channels != d.channels) {
        OWN_ERROR(-5, funcName,
                  "Number of processed channels of srcImage != Number of processed channels of dstImage", unitName);
        return false;
    }
    values(s, d, mask.mask ? &bits : nullptr, width, height);
    return true;
}
