// Multiply-scale and premultiplied alpha: value-by-value products scaled back
// into the depth's range, over the common size of the images' regions, with
// channels of interest, mask images and tiled images.
#include "ipl/ipl.h"
#include "ipl/own_ops.h"
#include "ipl/ownipl.h"

#include <climits>
#include <initializer_list>
#include <cstdint>

namespace {

const char kUnit[] = "iplalpha";
const char kMul[] = "iplMultiplyScale";
const char kPre[] = "iplPreMultiplyAlpha";

// Where the values of one channel of an image lie, in elements of its depth.
struct ChannelLayout {
    unsigned char* data;
    uint32_t depth;
    int32_t start;
    int32_t channelStep;
    int32_t rowStep;
    int32_t pixelStep;
};

void ownGetChannelLayout(const IplImage* image, const IplROI* roi, int32_t channel, ChannelLayout* out)
{
    int32_t rowStep = image->widthStep;
    switch (image->depth) {
    case IPL_DEPTH_1U: rowStep *= 8; break;
    case IPL_DEPTH_16U: case IPL_DEPTH_16S: rowStep >>= 1; break;
    case IPL_DEPTH_32S: case IPL_DEPTH_32F: rowStep >>= 2; break;
    default: break;
    }
    out->rowStep = rowStep;
    if (image->dataOrder == IPL_DATA_ORDER_PIXEL) {
        out->channelStep = 1;
        out->pixelStep = image->nChannels;
    } else {
        out->channelStep = image->height * rowStep;
        out->pixelStep = 1;
    }
    const int32_t x = roi ? roi->xOffset : 0, y = roi ? roi->yOffset : 0;
    out->start = (channel - 1) * out->channelStep + y * rowStep + x * out->pixelStep;
    out->data = image->imageData;
    out->depth = image->depth;
}

void ownClipSizeToROI(const IplImage* image, int32_t* width, int32_t* height)
{
    int32_t w = image->width, h = image->height;
    if (image->roi) {
        const int32_t rw = image->width - image->roi->xOffset;
        const int32_t rh = image->height - image->roi->yOffset;
        w = rw < image->roi->width ? rw : image->roi->width;
        h = rh < image->roi->height ? rh : image->roi->height;
    }
    if (w < *width) *width = w;
    if (h < *height) *height = h;
}

inline bool hasCoi(const IplImage* image) { return image->roi && image->roi->coi != 0; }
inline int32_t colours(const IplImage* image) { return image->nChannels - (image->alphaChannel != 0 ? 1 : 0); }

inline bool maskBitAt(const ChannelLayout& m, int32_t x, int32_t y)
{
    const int64_t i = static_cast<int64_t>(m.start) + static_cast<int64_t>(y) * m.rowStep +
                      static_cast<int64_t>(x) * m.pixelStep;
    return ((m.data[i >> 3] >> (7 - (i & 7))) & 1) != 0;
}

template <class T> struct Scaled;
template <> struct Scaled<uint8_t> {
    static uint8_t product(uint32_t a, uint32_t b) { return ownScaledProduct8u(a, b); }
    static void row(const uint8_t* a, const uint8_t* b, uint8_t* d, int n) { ownMultiplyScaleRow8u(a, b, d, n); }
    static void rowC(const uint8_t* s, uint8_t* d, int k, int n) { ownMultiplyScaleRowC8u(s, d, k, n); }
    static constexpr int32_t kMax = 255;
};
template <> struct Scaled<uint16_t> {
    static uint16_t product(uint32_t a, uint32_t b) { return ownScaledProduct16u(a, b); }
    static void row(const uint16_t* a, const uint16_t* b, uint16_t* d, int n) { ownMultiplyScaleRow16u(a, b, d, n); }
    static void rowC(const uint16_t* s, uint16_t* d, int k, int n) { ownMultiplyScaleRowC16u(s, d, k, n); }
    static constexpr int32_t kMax = 65535;
};

template <class T>
inline T* elem(const ChannelLayout& l, int64_t i) { return reinterpret_cast<T*>(l.data) + i; }

inline void layoutOf(const IplImage* image, ChannelLayout* out)
{
    ownGetChannelLayout(image, image->roi, hasCoi(image) ? image->roi->coi : 1, out);
}

template <class T>
void ownMultiplyScaleT(IplImage* srcA, IplImage* srcB, IplImage* dst, int32_t w, int32_t h, const IplImage* mask)
{
    const bool anyCoi = hasCoi(srcA) || hasCoi(srcB) || hasCoi(dst);
    const int32_t n = anyCoi ? 1 : colours(dst);
    ChannelLayout D, A, B, M{};
    layoutOf(dst, &D);
    layoutOf(srcA, &A);
    layoutOf(srcB, &B);
    if (mask)
        ownGetChannelLayout(mask, mask->roi, 1, &M);

    if (!mask && srcA->dataOrder == dst->dataOrder && srcB->dataOrder == dst->dataOrder) {
        if (dst->dataOrder == IPL_DATA_ORDER_PIXEL && n == dst->nChannels && !anyCoi &&
            srcA->alphaChannel == 0 && srcB->alphaChannel == 0 && dst->alphaChannel == 0) {
            for (int32_t y = 0; y < h; ++y)
                Scaled<T>::row(elem<T>(A, A.start + int64_t(y) * A.rowStep), elem<T>(B, B.start + int64_t(y) * B.rowStep),
                               elem<T>(D, D.start + int64_t(y) * D.rowStep), w * n);
            return;
        }
        if (dst->dataOrder == IPL_DATA_ORDER_PLANE && (n == 1 || n == dst->nChannels)) {
            for (int32_t c = 0; c < n; ++c)
                for (int32_t y = 0; y < h; ++y)
                    Scaled<T>::row(elem<T>(A, A.start + int64_t(c) * A.channelStep + int64_t(y) * A.rowStep),
                                   elem<T>(B, B.start + int64_t(c) * B.channelStep + int64_t(y) * B.rowStep),
                                   elem<T>(D, D.start + int64_t(c) * D.channelStep + int64_t(y) * D.rowStep), w);
            return;
        }
    }
    for (int32_t y = 0; y < h; ++y)
        for (int32_t c = 0; c < n; ++c)
            for (int32_t x = 0; x < w; ++x) {
                if (mask && !maskBitAt(M, x, y))
                    continue;
                const int64_t ia = A.start + int64_t(c) * A.channelStep + int64_t(y) * A.rowStep + int64_t(x) * A.pixelStep;
                const int64_t ib = B.start + int64_t(c) * B.channelStep + int64_t(y) * B.rowStep + int64_t(x) * B.pixelStep;
                const int64_t id = D.start + int64_t(c) * D.channelStep + int64_t(y) * D.rowStep + int64_t(x) * D.pixelStep;
                *elem<T>(D, id) = Scaled<T>::product(*elem<T>(A, ia), *elem<T>(B, ib));
            }
}

void ownMultiplyScaleByDepth(IplImage* srcA, IplImage* srcB, IplImage* dst, int32_t w, int32_t h, const IplImage* mask)
{
    if (dst->depth == IPL_DEPTH_8U)
        ownMultiplyScaleT<uint8_t>(srcA, srcB, dst, w, h, mask);
    else
        ownMultiplyScaleT<uint16_t>(srcA, srcB, dst, w, h, mask);
}

template <class T>
void ownPreMultiplyAlphaT(IplImage* image, int32_t alphaValue, int32_t w, int32_t h, const IplImage* mask)
{
    if (alphaValue > Scaled<T>::kMax)
        alphaValue = -1;
    const bool coi = hasCoi(image);
    const int32_t n = coi ? 1 : image->nChannels;
    const int32_t alphaIndex = image->alphaChannel - 1;  // -1 without alpha
    ChannelLayout P, Al{}, M{};
    layoutOf(image, &P);
    const bool hasAlpha = image->alphaChannel != 0;
    if (hasAlpha)
        ownGetChannelLayout(image, image->roi, image->alphaChannel, &Al);
    if (mask)
        ownGetChannelLayout(mask, mask->roi, 1, &M);
    const bool constant = alphaValue >= 0;
    const uint32_t k = static_cast<uint32_t>(alphaValue);
    // Without an alpha channel an alpha-channel product has nothing to
    // multiply by; the caller refuses that case before we get here.
    if (!constant && !hasAlpha)
        return;

    if (!mask && image->dataOrder == IPL_DATA_ORDER_PLANE) {
        for (int32_t c = 0; c < n; ++c) {
            if (!coi && c == alphaIndex)
                continue;
            for (int32_t y = 0; y < h; ++y) {
                T* row = elem<T>(P, P.start + int64_t(c) * P.channelStep + int64_t(y) * P.rowStep);
                if (constant)
                    Scaled<T>::rowC(row, row, static_cast<int>(k), w);
                else
                    Scaled<T>::row(row, elem<T>(Al, Al.start + int64_t(y) * Al.rowStep), row, w);
            }
        }
        if (constant && hasAlpha)
            for (int32_t y = 0; y < h; ++y) {
                T* a = elem<T>(Al, Al.start + int64_t(y) * Al.rowStep);
                for (int32_t x = 0; x < w; ++x)
                    a[x] = static_cast<T>(k);
            }
        return;
    }
    if (!mask && !coi && !constant && image->dataOrder == IPL_DATA_ORDER_PIXEL) {
        // Whole pixels: each colour value by its own pixel's alpha.
        for (int32_t y = 0; y < h; ++y)
            ownPreMultiplyRowPixel(elem<T>(P, P.start + int64_t(y) * P.rowStep), w, n, alphaIndex);
        return;
    }
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t c = 0; c < n; ++c) {
            if (!coi && c == alphaIndex)
                continue;
            const int64_t base = P.start + int64_t(c) * P.channelStep + int64_t(y) * P.rowStep;
            const int64_t abase = Al.start + int64_t(y) * Al.rowStep;
            for (int32_t x = 0; x < w; ++x) {
                if (mask && !maskBitAt(M, x, y))
                    continue;
                T* v = elem<T>(P, base + int64_t(x) * P.pixelStep);
                const uint32_t f = constant ? k : *elem<T>(Al, abase + int64_t(x) * Al.pixelStep);
                *v = Scaled<T>::product(*v, f);
            }
        }
        if (constant && hasAlpha) {
            const int64_t abase = Al.start + int64_t(y) * Al.rowStep;
            for (int32_t x = 0; x < w; ++x)
                if (!mask || maskBitAt(M, x, y))
                    *elem<T>(Al, abase + int64_t(x) * Al.pixelStep) = static_cast<T>(k);
        }
    }
}

void ownPreMultiplyAlphaByDepth(IplImage* image, int32_t alphaValue, int32_t w, int32_t h, const IplImage* mask)
{
    if (image->depth == IPL_DEPTH_8U)
        ownPreMultiplyAlphaT<uint8_t>(image, alphaValue, w, h, mask);
    else
        ownPreMultiplyAlphaT<uint16_t>(image, alphaValue, w, h, mask);
}


bool alphaOnlyFails(const IplImage* image, const char* noRoi, const char* badCoi)
{
    if (image->nChannels != 1 || image->alphaChannel != 1)
        return false;
    if (!image->roi) {
        OWN_ERROR(-5, kMul, noRoi, kUnit);
        return true;
    }
    if (image->roi->coi != 1) {
        OWN_ERROR(-5, kMul, badCoi, kUnit);
        return true;
    }
    return false;
}

bool channelRuleFails(const IplImage* s, const IplImage* d, bool isA)
{
    const bool sc = hasCoi(s), dc = hasCoi(d);
    if (sc && dc)
        return false;
    const char* text = nullptr;
    if (sc && !dc && colours(d) != 1)
        text = isA ? "(dstImage->nChannels - (dstImage->alphaChannel != 0)) != (srcImageA->roi->coi > 0)"
                   : "(dstImage->nChannels - (dstImage->alphaChannel != 0)) != (srcImageB->roi->coi > 0)";
    else if (!sc && dc && colours(s) != 1)
        text = isA ? "(srcImageA->nChannels - (srcImageA->alphaChannel != 0)) != (dstImage->roi->coi > 0)"
                   : "(srcImageB->nChannels - (srcImageB->alphaChannel != 0)) != (dstImage->roi->coi > 0)";
    else if (!sc && !dc && colours(s) != colours(d))
        text = isA ? "(srcImageA->nChannels - (srcImageA->alphaChannel != 0)) != (dstImage->nChannels - (dstImage->alphaChannel != 0))"
                   : "(srcImageB->nChannels - (srcImageB->alphaChannel != 0)) != (dstImage->nChannels - (dstImage->alphaChannel != 0))";
    if (!text)
        return false;
    OWN_ERROR(-5, kMul, text, kUnit);
    return true;
}

// The AND of two or three masks, each read from its own region origin, into
// a fresh 1u image of the common size. Computed here rather than through the
// logical operations so that success is known from this call's own work, not
// from the shared status.
IplImage* combineMasks(IplImage* const* masks, int count, int32_t w, int32_t h)
{
    const IplImage* first = masks[0];
    IplImage* out = iplCreateImageHeader(first->nChannels, first->alphaChannel, first->depth, first->colorModel,
                                         first->channelSeq, first->dataOrder, first->origin, first->align, w, h,
                                         nullptr, nullptr, nullptr, nullptr);
    if (!out)
        return nullptr;
    iplAllocateImage(out, 0, -1);
    if (!out->imageData) {
        iplDeallocateHeader(out);
        return nullptr;
    }
    ChannelLayout L[3];
    for (int i = 0; i < count; ++i)
        ownGetChannelLayout(masks[i], masks[i]->roi, 1, &L[i]);
    for (int32_t y = 0; y < h; ++y) {
        unsigned char* row = out->imageData + int64_t(y) * out->widthStep;
        for (int32_t x = 0; x < w; ++x) {
            bool bit = true;
            for (int i = 0; i < count && bit; ++i)
                bit = maskBitAt(L[i], x, y);
            ownPutBit(row, x, bit ? 1 : 0);
        }
    }
    return out;
}

void reportTiling(int32_t status, const char* funcName)
{
    if (status == 0)
        return;
    if (status == -2) {
        OWN_ERROR(-2, funcName, "ERROR in Tiling callBack", kUnit);
    } else if (status == -4) {
        OWN_ERROR(-4, funcName, "No working memory", kUnit);
    } else if (iplGetErrStatus() < 0) {
        if (OWN_ERROR(-1, funcName, "Internal tiling error", kUnit) == 0)
            OWN_ERROR(-3, funcName, "Internal tiling error", kUnit);
    } else {
        OWN_ERROR(-3, funcName, "Internal tiling error", kUnit);
    }
}

// Walks the common area in pieces that end on the driving image's tile
// boundaries and calls work(pieces..., pw, ph) on each.
template <class Work>
void walkTiles(IplImage* grid, IplImage* const* images, const int32_t* modes, int count, int32_t w, int32_t h,
               const char* funcName, Work work)
{
    const int32_t tw = grid->tileInfo->width, th = grid->tileInfo->height;
    const int32_t x0 = grid->roi ? grid->roi->xOffset : 0, y0 = grid->roi ? grid->roi->yOffset : 0;
    OwnTileIterPtr it(ownTileIterCreate(count, tw, th));
    int32_t slots[4] = {0, 0, 0, 0};
    for (int i = 0; i < count; ++i)
        slots[i] = ownTileIterAddImage(it.get(), images[i], modes[i]);
    if (ownTileIterStatus(it.get()) == 0) {
        const int32_t fw = tw * (x0 / tw + 1) - x0, fh = th * (y0 / th + 1) - y0;
        bool stop = false;
        for (int32_t y = 0; y < h && !stop; ) {
            int32_t ph = y == 0 ? fh : th;
            if (ph > h - y) ph = h - y;
            for (int32_t x = 0; x < w; ) {
                int32_t pw = x == 0 ? fw : tw;
                if (pw > w - x) pw = w - x;
                ownTileIterSetRect(it.get(), x, y, pw, ph);
                IplImage* pieces[4] = {nullptr, nullptr, nullptr, nullptr};
                for (int i = 0; i < count; ++i)
                    pieces[i] = ownTileIterGetTile(it.get(), slots[i]);
                if (ownTileIterStatus(it.get()) != 0) {
                    stop = true;
                    break;
                }
                work(pieces, pw, ph);
                ownTileIterRelease(it.get());
                x += pw;
            }
            y += ph;
        }
    }
    reportTiling(ownTileIterStatus(it.get()), funcName);
}

} // namespace

void iplMultiplyScale(IplImage* srcImageA, IplImage* srcImageB, IplImage* dstImage)
{
    int32_t w = INT32_MAX, h = INT32_MAX;
    if (!dstImage) { OWN_ERROR(-5, kMul, "dstImage==0", kUnit); return; }
    if (ownImagesFail(kMul, kUnit, dstImage)) return;
    ownClipSizeToROI(dstImage, &w, &h);
    if (!srcImageA) { OWN_ERROR(-5, kMul, "srcImageA==0", kUnit); return; }
    if (ownImagesFail(kMul, kUnit, srcImageA)) return;
    ownClipSizeToROI(srcImageA, &w, &h);
    if (!srcImageB) { OWN_ERROR(-5, kMul, "srcImageB==0", kUnit); return; }
    if (ownImagesFail(kMul, kUnit, srcImageB)) return;
    ownClipSizeToROI(srcImageB, &w, &h);
    if (alphaOnlyFails(dstImage, "dstImage->alphaChannel == 1 && dstImage->roi == 0",
                       "dstImage->alphaChannel == 1 && dstImage->roi->coi != 1") ||
        alphaOnlyFails(srcImageA, "srcImageA->alphaChannel == 1 && srcImageA->roi == 0",
                       "srcImageA->alphaChannel == 1 && srcImageA->roi->coi != 1") ||
        alphaOnlyFails(srcImageB, "srcImageB->alphaChannel == 1 && srcImageB->roi == 0",
                       "srcImageB->alphaChannel == 1 && srcImageB->roi->coi != 1"))
        return;
    if (dstImage->depth != IPL_DEPTH_8U && dstImage->depth != IPL_DEPTH_16U) {
        OWN_ERROR(-5, kMul, "dstImage->depth != 8 && dstImage->depth != 16", kUnit);
        return;
    }
    if (srcImageA->depth != dstImage->depth) { OWN_ERROR(-5, kMul, "srcImageA->depth != dstImage->depth", kUnit); return; }
    if (srcImageB->depth != dstImage->depth) { OWN_ERROR(-5, kMul, "srcImageB->depth != dstImage->depth", kUnit); return; }
    if (channelRuleFails(srcImageA, dstImage, true) || channelRuleFails(srcImageB, dstImage, false))
        return;

    IplImage* masks[3];
    int count = 0;
    for (IplImage* im : {dstImage, srcImageA, srcImageB})
        if (im->maskROI) {
            masks[count++] = im->maskROI;
            ownClipSizeToROI(im->maskROI, &w, &h);
        }
    if (w < 1 || h < 1)
        return;
    OwnImagePtr combined(nullptr, OwnImageDeleter{IPL_IMAGE_HEADER | IPL_IMAGE_DATA});
    IplImage* mask = count == 1 ? masks[0] : nullptr;
    if (count >= 2) {
        combined.reset(combineMasks(masks, count, w, h));
        if (!combined) {
            OWN_ERROR(-4, kMul, "No working memory", kUnit);
            return;
        }
        mask = combined.get();
    }

    if (!dstImage->tileInfo && !srcImageA->tileInfo && !srcImageB->tileInfo) {
        ownMultiplyScaleByDepth(srcImageA, srcImageB, dstImage, w, h, mask);
        return;
    }
    IplImage* grid = dstImage->tileInfo ? dstImage : (srcImageA->tileInfo ? srcImageA : srcImageB);
    IplImage* images[4] = {dstImage, srcImageA, srcImageB, mask};
    const int32_t modes[4] = {IPL_GET_TILE_TO_WRITE, IPL_GET_TILE_TO_READ, IPL_GET_TILE_TO_READ, IPL_GET_TILE_TO_READ};
    walkTiles(grid, images, modes, 4, w, h, kMul, [](IplImage* const* p, int32_t pw, int32_t ph) {
        ownMultiplyScaleByDepth(p[1], p[2], p[0], pw, ph, p[3]);
    });
}

void iplPreMultiplyAlpha(IplImage* image, int32_t alphaValue)
{
    int32_t w = INT32_MAX, h = INT32_MAX;
    if (!image) { OWN_ERROR(-5, kPre, "image==0", kUnit); return; }
    if (ownImagesFail(kPre, kUnit, image)) return;
    ownClipSizeToROI(image, &w, &h);
    if (image->depth != IPL_DEPTH_8U && image->depth != IPL_DEPTH_16U) {
        OWN_ERROR(-5, kPre, "image->depth != 8 && image->depth != 16", kUnit);
        return;
    }
    if (image->alphaChannel > 0 && image->roi && image->roi->coi == image->alphaChannel) {
        OWN_ERROR(-5, kPre, "image->alphaChannel > 0 && image->roi->coi == image->alphaChannel", kUnit);
        return;
    }
    // A constant above the depth's maximum means "multiply by the alpha
    // channel", which an image without one cannot do: refused like -1.
    const int32_t maxValue = image->depth == IPL_DEPTH_8U ? 255 : 65535;
    if ((alphaValue < 0 || alphaValue > maxValue) && image->alphaChannel < 1) {
        OWN_ERROR(-5, kPre, "image->alphaChannel < 1", kUnit);
        return;
    }
    IplImage* mask = image->maskROI;
    if (mask)
        ownClipSizeToROI(mask, &w, &h);
    if (w < 1 || h < 1)
        return;
    if (!image->tileInfo) {
        ownPreMultiplyAlphaByDepth(image, alphaValue, w, h, mask);
        return;
    }
    IplImage* images[2] = {image, mask};
    const int32_t modes[2] = {IPL_GET_TILE_TO_WRITE, IPL_GET_TILE_TO_READ};
    walkTiles(image, images, modes, 2, w, h, kPre, [alphaValue](IplImage* const* p, int32_t pw, int32_t ph) {
        ownPreMultiplyAlphaByDepth(p[0], alphaValue, pw, ph, p[1]);
    });
}
