// Colour twist: the first three channels of each destination pixel become a
// weighted sum of the source pixel's first three channels plus a constant,
// scaled by a power of two, floored, saturated and offset. Every output is
// computed exactly, so no clamping decision can go wrong.
#include "ipl/ipl.h"
#include "ipl/own_plain_copy.h"
#include "ipl/own_twist.h"
#include "ipl/owncpu.h"
#include "ipl/ownipl.h"

#include <cstdint>
#include <cstring>

namespace {

const char kApply[] = "iplApplyColorTwist";
const char kCreate[] = "iplCreateColorTwist";
const char kUnit[] = "ipltwist";

using Rect = OwnRect;

// Address of pixel (x, y)'s first value and the distance between channels.
struct Layout {
    unsigned char* base;
    int64_t rowStep, pixStep, chanStep;  // bytes
};

Layout layoutOf(const IplImage* im, const Rect& r)
{
    const int32_t b = im->depth == IPL_DEPTH_16U ? 2 : 1;
    Layout l;
    l.rowStep = im->widthStep;
    if (im->dataOrder == IPL_DATA_ORDER_PIXEL) {
        l.pixStep = int64_t(im->nChannels) * b;
        l.chanStep = b;
    } else {
        l.pixStep = b;
        l.chanStep = int64_t(im->widthStep) * im->height;
    }
    l.base = im->imageData + int64_t(r.y) * l.rowStep + int64_t(r.x) * l.pixStep;
    return l;
}

struct MaskBits {
    const IplImage* a = nullptr;
    const IplImage* b = nullptr;
    int32_t ax = 0, ay = 0, bx = 0, by = 0;
    bool at(int32_t i, int32_t j) const
    {
        if (a && !ownGetBit(a->imageData + int64_t(ay + j) * a->widthStep, int64_t(ax) + i))
            return false;
        if (b && !ownGetBit(b->imageData + int64_t(by + j) * b->widthStep, int64_t(bx) + i))
            return false;
        return true;
    }
};

template <class T>
void applyRows(const IplImage* src, IplImage* dst, const Rect& sr, const Rect& dr, int32_t W, int32_t H,
               const OwnTwistCoeffs& k, const MaskBits* mask)
{
    const Layout s = layoutOf(src, sr), d = layoutOf(dst, dr);
    if (sizeof(T) == 1 && !mask && src->dataOrder == IPL_DATA_ORDER_PIXEL && H > 0 &&
        ownTwistTakesQuads(static_cast<int32_t>(s.pixStep), static_cast<int32_t>(d.pixStep), k)) {
        ownCountFastPath(OwnFastPath::kTwistQuads);
        if (ownVectorLevel() >= OwnVectorLevel::kAvx)
            ownCountFastPath(OwnFastPath::kTwistQuadsAvx);
    }
    for (int32_t j = 0; j < H; ++j) {
        const unsigned char* sRow = s.base + j * s.rowStep;
        unsigned char* dRow = d.base + j * d.rowStep;
        if (!mask && src->dataOrder == IPL_DATA_ORDER_PIXEL) {
            ownTwistRowPixel(reinterpret_cast<const T*>(sRow), reinterpret_cast<T*>(dRow), W,
                             static_cast<int32_t>(s.pixStep / int64_t(sizeof(T))),
                             static_cast<int32_t>(d.pixStep / int64_t(sizeof(T))), k);
            continue;
        }
        for (int32_t i = 0; i < W; ++i) {
            if (mask && !mask->at(i, j))
                continue;
            const unsigned char* sp = sRow + i * s.pixStep;
            unsigned char* dp = dRow + i * d.pixStep;
            T x[3], out[3];
            for (int c = 0; c < 3; ++c)
                std::memcpy(&x[c], sp + c * s.chanStep, sizeof(T));
            ownTwistPixel(x, out, k);
            for (int c = 0; c < 3; ++c)
                std::memcpy(dp + c * d.chanStep, &out[c], sizeof(T));
        }
    }
}

} // namespace

IplColorTwist* iplCreateColorTwist(const int32_t data[16], int32_t scalingValue)
{
    if (!data || scalingValue < 0 || scalingValue > 31) {
        OWN_ERROR(-5, kCreate, "bad_argument", kUnit);
        return nullptr;
    }
    IplColorTwist* t = static_cast<IplColorTwist*>(iplMalloc(sizeof(IplColorTwist)));
    if (!t) {
        OWN_ERROR(-4, kCreate, "Colour twist storage not allocated", kUnit);
        return nullptr;
    }
    std::memcpy(t->data, data, sizeof(t->data));
    t->scalingValue = scalingValue;
    return t;
}

void iplDeleteColorTwist(IplColorTwist* cTwist)
{
    if (cTwist)
        iplFree(cTwist);
}

void iplApplyColorTwist(IplImage* srcImage, IplImage* dstImage, IplColorTwist* cTwist, int32_t offset)
{
    if (ownImagesFail(kApply, kUnit, srcImage, dstImage))
        return;
    struct Check {
        bool bad;
        const char* text;
    };
    const IplImage* s = srcImage;
    const IplImage* d = dstImage;
    const Check checks[] = {
        {cTwist == nullptr, "cTwist==0"},
        {s->nChannels < 3, "(srcImage->nChannels < 3)"},
        {s->alphaChannel != 0 && s->nChannels < 4, "((srcImage->alphaChannel != 0) && (srcImage->nChannels < 4))"},
        {s->alphaChannel != 0 && s->alphaChannel < s->nChannels,
         "((srcImage->alphaChannel != 0) && (srcImage->alphaChannel < srcImage->nChannels))"},
        {d->nChannels < 3, "(dstImage->nChannels < 3)"},
        {d->alphaChannel != 0 && d->nChannels < 4, "((dstImage->alphaChannel != 0) && (dstImage->nChannels < 4))"},
        {d->alphaChannel != 0 && d->alphaChannel < d->nChannels,
         "((dstImage->alphaChannel != 0) && (dstImage->alphaChannel < dstImage->nChannels))"},
        {s->depth != d->depth, "(srcImage->depth != dstImage->depth)"},
        {s->depth != IPL_DEPTH_8U && s->depth != IPL_DEPTH_16U, "((srcImage->depth != 8) && (srcImage->depth != 16))"},
        {s->dataOrder != d->dataOrder, "(srcImage->dataOrder != dstImage->dataOrder)"},
        {s->origin != d->origin, "(srcImage->origin != dstImage->origin)"},
        {s->maskROI && s->origin != s->maskROI->origin, "(srcImage->origin != srcImage->maskROI->origin)"},
        {d->maskROI && d->origin != d->maskROI->origin, "(dstImage->origin != dstImage->maskROI->origin)"},
    };
    for (const Check& c : checks)
        if (c.bad) {
            OWN_ERROR(-5, kApply, c.text, kUnit);
            return;
        }

    const Rect sr = ownRoiRect(srcImage), dr = ownRoiRect(dstImage);
    int32_t W = sr.width < dr.width ? sr.width : dr.width, H = sr.height < dr.height ? sr.height : dr.height;
    MaskBits bits;
    const IplImage* sm = srcImage->maskROI;
    const IplImage* dm = dstImage->maskROI;
    if (sm || dm) {
        auto use = [&](const IplImage* m, const IplImage** slot, int32_t* mx, int32_t* my) {
            const Rect r = ownRoiRect(m);
            *slot = m;
            *mx = m->roi ? m->roi->xOffset : 0;
            *my = m->roi ? m->roi->yOffset : 0;
            if (r.width < W) W = r.width;
            if (r.height < H) H = r.height;
        };
        if (sm)
            use(sm, &bits.a, &bits.ax, &bits.ay);
        if (dm && dm != sm)
            use(dm, &bits.b, &bits.bx, &bits.by);
    }
    if (W < 1 || H < 1)
        return;

    OwnTwistCoeffs k;
    ownTwistPrepare(cTwist, offset, srcImage->depth == IPL_DEPTH_16U, &k);

    // Tiled images work on plain copies; the destination is put back tile by
    // tile. In place the destination's copy serves as the source too.
    OwnPlainCopy srcCopy, dstCopy;
    IplImage* dst = dstImage;
    if (dstImage->tileInfo) {
        if (!dstCopy.read(dstImage)) {
            OWN_ERROR(-5, kApply, "(dstImage->tileInfo->tileData == NULL)", kUnit);
            return;
        }
        dst = dstCopy.get();
    }
    const IplImage* src = srcImage == dstImage ? dst : srcImage;
    if (srcImage != dstImage && srcImage->tileInfo) {
        if (!srcCopy.read(srcImage)) {
            OWN_ERROR(-5, kApply, "(srcImage->tileInfo->tileData == NULL)", kUnit);
            return;
        }
        src = srcCopy.get();
    }
    const MaskBits* mask = sm || dm ? &bits : nullptr;
    if (srcImage->depth == IPL_DEPTH_8U)
        applyRows<uint8_t>(src, dst, sr, dr, W, H, k, mask);
    else
        applyRows<uint16_t>(src, dst, sr, dr, W, H, k, mask);
    if (dstImage->tileInfo)
        ownWriteBackTiles(dstImage, dst, dr.x, dr.y, W, H, kApply, kUnit);
}
