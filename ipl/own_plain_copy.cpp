#include "ipl/own_plain_copy.h"

#include <cstring>

OwnPlainCopy::~OwnPlainCopy()
{
    // The region and mask are the image's own: not ours to free.
    if (header_) {
        header_->roi = nullptr;
        header_->maskROI = nullptr;
    }
    ownFreeRect(pixels_);
}

bool OwnPlainCopy::read(const IplImage* im)
{
    header_.reset(iplCreateImageHeader(im->nChannels, im->alphaChannel, im->depth, im->colorModel, im->channelSeq,
                                       im->dataOrder, im->origin, im->align, im->width, im->height, nullptr, nullptr,
                                       nullptr, nullptr));
    if (!header_)
        return false;
    int32_t step = 0;
    pixels_ = ownReadRectWithBorder(im, 0, 0, im->width, im->height, &step);
    if (!pixels_)
        return false;
    header_->imageData = pixels_;
    header_->widthStep = step;
    header_->roi = im->roi;
    header_->maskROI = im->maskROI;
    return true;
}

bool ownWriteBackTiles(IplImage* dst, const IplImage* copy, int32_t x0, int32_t y0, int32_t w, int32_t h,
                       const char* funcName, const char* unitName, int32_t status, const char* text)
{
    if (w < 1 || h < 1)
        return true;
    const int32_t tw = dst->tileInfo->width, th = dst->tileInfo->height;
    const int32_t tileStep = ownTileWidthStep(dst);
    const int32_t planes = dst->dataOrder == IPL_DATA_ORDER_PLANE ? dst->nChannels : 1;
    const int32_t bitsPerPixel = static_cast<int32_t>(dst->depth & 0x7fffffffu) *
                                 (dst->dataOrder == IPL_DATA_ORDER_PIXEL ? dst->nChannels : 1);
    for (int32_t ty = y0 / th; ty <= (y0 + h - 1) / th; ++ty)
        for (int32_t tx = x0 / tw; tx <= (x0 + w - 1) / tw; ++tx) {
            dst->tileInfo->callBack(dst, tx, ty, IPL_GET_TILE_TO_WRITE);
            unsigned char* tile = dst->tileInfo->tileData;
            if (!tile) {
                iplError(status, funcName, text, unitName, __LINE__);
                return false;
            }
            const int32_t cx0 = tx * tw > x0 ? tx * tw : x0;
            const int32_t cx1 = (tx + 1) * tw < x0 + w ? (tx + 1) * tw : x0 + w;
            const int32_t cy0 = ty * th > y0 ? ty * th : y0;
            const int32_t cy1 = (ty + 1) * th < y0 + h ? (ty + 1) * th : y0 + h;
            for (int32_t p = 0; p < planes; ++p)
                for (int32_t y = cy0; y < cy1; ++y) {
                    const unsigned char* from = copy->imageData + int64_t(p) * copy->widthStep * copy->height +
                                                int64_t(y) * copy->widthStep;
                    unsigned char* to = tile + int64_t(p) * tileStep * th + int64_t(y - ty * th) * tileStep;
                    if (dst->depth == IPL_DEPTH_1U) {
                        for (int32_t x = cx0; x < cx1; ++x)
                            ownPutBit(to, x - tx * tw, ownGetBit(from, x));
                    } else {
                        const int32_t bpp = bitsPerPixel / 8;
                        std::memcpy(to + int64_t(cx0 - tx * tw) * bpp, from + int64_t(cx0) * bpp,
                                    static_cast<size_t>(cx1 - cx0) * bpp);
                    }
                }
            dst->tileInfo->tileData = tile;
            dst->tileInfo->callBack(dst, tx, ty, IPL_RELEASE_TILE);
        }
    return true;
}
