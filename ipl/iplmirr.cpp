// Mirror: copies the source's region into the destination's region with its
// rows, its columns or both reversed. Works in place, honours channels of
// interest, the alpha channel, mask images on either side and tiled images.
#include "ipl/ipl.h"
#include "ipl/own_mirror.h"
#include "ipl/ownipl.h"

#include <cstdint>

namespace {

const char kFunc[] = "iplMirror";
const char kUnit[] = "iplmirr";

int32_t movedChannels(const IplImage* image)
{
    if (image->roi && image->roi->coi != 0)
        return 1;
    return image->alphaChannel != 0 ? image->nChannels - 1 : image->nChannels;
}

// An image's area: its region clipped to the image, or the whole image.
using Area = OwnRect;

// A header with the image's description, the given size and no region,
// over the rectangle read from (x, y); null when it cannot be made.
struct RectImage {
    OwnImagePtr header{nullptr, OwnImageDeleter{IPL_IMAGE_HEADER}};
    unsigned char* pixels = nullptr;
    RectImage() = default;
    RectImage(const RectImage&) = delete;
    RectImage& operator=(const RectImage&) = delete;
    ~RectImage() { ownFreeRect(pixels); }
    bool read(const IplImage* from, int32_t x, int32_t y, int32_t w, int32_t h, bool asMask)
    {
        if (asMask)
            header.reset(iplCreateImageHeader(1, 0, IPL_DEPTH_1U, "GRAY", "GRAY", from->dataOrder, from->origin,
                                              from->align, w, h, nullptr, nullptr, nullptr, nullptr));
        else
            header.reset(iplCreateImageHeader(from->nChannels, from->alphaChannel, from->depth, from->colorModel,
                                              from->channelSeq, from->dataOrder, from->origin, from->align, w, h,
                                              nullptr, nullptr, nullptr, nullptr));
        if (!header)
            return false;
        int32_t step = 0;
        pixels = ownReadRectWithBorder(from, x, y, w, h, &step);
        if (!pixels)
            return false;
        header->imageData = pixels;
        header->widthStep = step;
        return true;
    }
};

// Source part or whole area read out of a tiled source (with its mask part).
struct SourcePart {
    RectImage image, mask;
    bool read(const IplImage* src, const Area& srcArea, const Area& maskArea, int32_t dx, int32_t dy, int32_t w,
              int32_t h)
    {
        if (!image.read(src, srcArea.x + dx, srcArea.y + dy, w, h, false))
            return false;
        if (src->maskROI) {
            if (!mask.read(src->maskROI, maskArea.x + dx, maskArea.y + dy, w, h, true))
                return false;
            image.header->maskROI = mask.header.get();
        }
        return true;
    }
};

struct TileRange {
    int32_t first, last;
};

// The part of tile index t along an axis: offset inside the tile and size.
void tilePart(int32_t t, const TileRange& r, int32_t origin, int32_t size, int32_t tile, int32_t* in, int32_t* len)
{
    if (t == r.first && t == r.last) {
        *in = origin - t * tile;
        *len = size;
    } else if (t == r.first) {
        *in = origin - t * tile;
        *len = tile - *in;
    } else if (t == r.last) {
        *in = 0;
        *len = origin + size - t * tile;
    } else {
        *in = 0;
        *len = tile;
    }
}

void mirrorIntoTiles(IplImage* src, IplImage* dst, int32_t n, int32_t coiSrc, int32_t coiDst, const Area& sA,
                     const Area& sMask, const Area& dA, const Area& dMask, int32_t w, int32_t h, int32_t flipAxis)
{
    const int32_t tw = dst->tileInfo->width, th = dst->tileInfo->height;
    const TileRange cols{dA.x / tw, (dA.x + w - 1) / tw}, rows{dA.y / th, (dA.y + h - 1) / th};
    const bool colsOuter = flipAxis != 1;
    const bool colsReversed = flipAxis != 0;
    const bool rowsReversed = flipAxis != 1;
    const bool inPlace = src == dst;

    // In place, the source is copied before any tile it overlaps is written.
    SourcePart whole;
    if (inPlace && flipAxis == -1 && !whole.read(src, sA, sMask, 0, 0, w, h)) {
        OWN_ERROR(-4, kFunc, "No working memory", kUnit);
        return;
    }
    const TileRange outer = colsOuter ? cols : rows, inner = colsOuter ? rows : cols;
    const bool outerRev = colsOuter ? colsReversed : rowsReversed;
    const bool innerRev = colsOuter ? rowsReversed : colsReversed;
    int32_t outerSum = 0;
    for (int32_t oi = 0; oi <= outer.last - outer.first; ++oi) {
        const int32_t o = outerRev ? outer.last - oi : outer.first + oi;
        int32_t oIn, oLen;
        tilePart(o, outer, colsOuter ? dA.x : dA.y, colsOuter ? w : h, colsOuter ? tw : th, &oIn, &oLen);
        SourcePart strip;
        if (inPlace && flipAxis != -1) {
            const bool ok = colsOuter ? strip.read(src, sA, sMask, outerSum, 0, oLen, h)
                                      : strip.read(src, sA, sMask, 0, outerSum, w, oLen);
            if (!ok) {
                OWN_ERROR(-4, kFunc, "No working memory", kUnit);
                return;
            }
        }
        int32_t innerSum = 0;
        for (int32_t ii = 0; ii <= inner.last - inner.first; ++ii) {
            const int32_t t = innerRev ? inner.last - ii : inner.first + ii;
            int32_t iIn, iLen;
            tilePart(t, inner, colsOuter ? dA.y : dA.x, colsOuter ? h : w, colsOuter ? th : tw, &iIn, &iLen);
            const int32_t cx = colsOuter ? o : t, ry = colsOuter ? t : o;
            const int32_t xIn = colsOuter ? oIn : iIn, yIn = colsOuter ? iIn : oIn;
            const int32_t pw = colsOuter ? oLen : iLen, ph = colsOuter ? iLen : oLen;
            const int32_t sx = colsOuter ? outerSum : innerSum, sy = colsOuter ? innerSum : outerSum;

            SourcePart part;
            IplImage* S = nullptr;
            RectImage fromCopy;
            if (inPlace) {
                // Parts come out of the copy taken before writing.
                const IplImage* copy = flipAxis == -1 ? whole.image.header.get() : strip.image.header.get();
                const int32_t px = flipAxis == -1 ? sx : (colsOuter ? 0 : sx);
                const int32_t py = flipAxis == -1 ? sy : (colsOuter ? sy : 0);
                if (!fromCopy.read(copy, px, py, pw, ph, false)) {
                    OWN_ERROR(-4, kFunc, "No working memory", kUnit);
                    return;
                }
                S = fromCopy.header.get();
            } else {
                if (!part.read(src, sA, sMask, sx, sy, pw, ph)) {
                    OWN_ERROR(-4, kFunc, "No working memory", kUnit);
                    return;
                }
                S = part.image.header.get();
            }
            dst->tileInfo->callBack(dst, cx, ry, IPL_GET_TILE_TO_WRITE);
            unsigned char* tile = dst->tileInfo->tileData;
            if (!tile) {
                OWN_ERROR(-2, kFunc, "Error get tile to write", kUnit);
                return;
            }
            OwnImagePtr D(iplCreateImageHeader(dst->nChannels, dst->alphaChannel, dst->depth, dst->colorModel,
                                               dst->channelSeq, dst->dataOrder, dst->origin, dst->align, tw, th,
                                               nullptr, nullptr, nullptr, nullptr),
                          OwnImageDeleter{IPL_IMAGE_HEADER | IPL_IMAGE_ROI});
            RectImage dMaskPart;
            bool ok = D != nullptr;
            if (ok) {
                D->widthStep = ownTileWidthStep(dst);
                D->imageData = tile;
                D->roi = iplCreateROI(coiDst, xIn, yIn, pw, ph);
                ok = D->roi != nullptr;
            }
            if (ok && dst->maskROI) {
                ok = dMaskPart.read(dst->maskROI, dMask.x + cx * tw + xIn - dA.x, dMask.y + ry * th + yIn - dA.y, pw,
                                    ph, true);
                if (ok)
                    D->maskROI = dMaskPart.header.get();
            }
            if (ok)
                ownMirror(S, D.get(), n, coiSrc, coiDst, pw, ph, flipAxis);
            if (D)
                D->maskROI = nullptr;
            dst->tileInfo->tileData = tile;
            dst->tileInfo->callBack(dst, cx, ry, IPL_RELEASE_TILE);
            if (!ok) {
                OWN_ERROR(-4, kFunc, "No working memory", kUnit);
                return;
            }
            innerSum += colsOuter ? ph : pw;
        }
        outerSum += colsOuter ? oLen : oLen;
    }
}

} // namespace

void iplMirror(IplImage* srcImage, IplImage* dstImage, int32_t flipAxis)
{
    if (ownImagesFail(kFunc, kUnit, srcImage, dstImage))
        return;
    if (srcImage == dstImage && srcImage->maskROI != nullptr) {
        OWN_ERROR(-5, kFunc, "(srcImage==dstImage && srcImage->maskROI != ((void *)0))", kUnit);
        return;
    }
    if (srcImage->depth != dstImage->depth) {
        OWN_ERROR(-5, kFunc, "(srcImage->depth!=dstImage->depth)", kUnit);
        return;
    }
    if (flipAxis > 1 || flipAxis < -1) {
        OWN_ERROR(-5, kFunc, "((flipAxis>1)||(flipAxis<-1))", kUnit);
        return;
    }
    if (srcImage->depth == IPL_DEPTH_1U && srcImage->alphaChannel != 0) {
        OWN_ERROR(-5, kFunc, "(srcImage->depth==1 && srcImage->alphaChannel!=0)", kUnit);
        return;
    }
    if (dstImage->depth == IPL_DEPTH_1U && dstImage->alphaChannel != 0) {
        OWN_ERROR(-5, kFunc, "(dstImage->depth==1 && dstImage->alphaChannel!=0)", kUnit);
        return;
    }
    const int32_t n = movedChannels(srcImage);
    if (n != movedChannels(dstImage)) {
        OWN_ERROR(-5, kFunc, "(nChannelsSrc != nChannelsDst)", kUnit);
        return;
    }
    // The kernel addresses both images in the source's order: with several
    // channels a plane-order image read as pixel order (or the reverse)
    // would be written beyond its pixels.
    if (srcImage->dataOrder != dstImage->dataOrder && (srcImage->nChannels > 1 || dstImage->nChannels > 1)) {
        OWN_ERROR(-5, kFunc, "(srcImage->dataOrder != dstImage->dataOrder)", kUnit);
        return;
    }
    const int32_t coiSrc = srcImage->roi ? srcImage->roi->coi : 0;
    const int32_t coiDst = dstImage->roi ? dstImage->roi->coi : 0;

    const Area sA = ownRoiRect(srcImage), dA = ownRoiRect(dstImage);
    int32_t w = sA.width < dA.width ? sA.width : dA.width;
    int32_t h = sA.height < dA.height ? sA.height : dA.height;
    Area sMask{}, dMask{};
    if (srcImage->maskROI) {
        sMask = ownRoiRect(srcImage->maskROI);
        if (sMask.width < w) w = sMask.width;
        if (sMask.height < h) h = sMask.height;
    }
    if (dstImage->maskROI) {
        dMask = ownRoiRect(dstImage->maskROI);
        if (dMask.width < w) w = dMask.width;
        if (dMask.height < h) h = dMask.height;
    }
    if (w < 1 || h < 1)
        return;

    if (dstImage->tileInfo) {
        mirrorIntoTiles(srcImage, dstImage, n, coiSrc, coiDst, sA, sMask, dA, dMask, w, h, flipAxis);
        return;
    }
    if (srcImage->tileInfo) {
        SourcePart part;
        if (!part.read(srcImage, sA, sMask, 0, 0, w, h)) {
            OWN_ERROR(-4, kFunc, "No working memory", kUnit);
            return;
        }
        ownMirror(part.image.header.get(), dstImage, n, coiSrc, coiDst, w, h, flipAxis);
        part.image.header->maskROI = nullptr;
        return;
    }
    ownMirror(srcImage, dstImage, n, coiSrc, coiDst, w, h, flipAxis);
}
