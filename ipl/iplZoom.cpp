// Zoom: rescales the source region into the destination region by rational
// factors with nearest-neighbour, linear or cubic interpolation. This unit
// checks the arguments, computes the sampling steps, builds the per-row and
// per-column tables and the pixel mask, and hands rows to the kernels.
#include "ipl/ipl.h"
#include "ipl/own_ops.h"
#include "ipl/own_plain_copy.h"
#include "ipl/ownipl.h"

#include <cstdint>
#include <cstring>

namespace {

const char kFunc[] = "iplZoom";
const char kUnit[] = "iplZoom";

struct Selection {
    int32_t first, count;
};

Selection channelsOf(const IplImage* im)
{
    if (im->roi && im->roi->coi != 0)
        return {im->roi->coi - 1, 1};
    return {0, im->alphaChannel != 0 ? im->nChannels - 1 : im->nChannels};
}

int32_t elemBytes(uint32_t depth) { return depth == IPL_DEPTH_1U ? 1 : static_cast<int32_t>(depth / 8); }

// Size of a mask's area: its region or the whole mask image, clipped to it.
void maskExtent(const IplImage* mask, int32_t* w, int32_t* h)
{
    const OwnRect area = ownRoiRect(mask);
    if (area.width < *w) *w = area.width;
    if (area.height < *h) *h = area.height;
}

template <class T>
struct Block {
    T* p = nullptr;
    explicit Block(int64_t count) : p(count > 0 && count * int64_t(sizeof(T)) <= INT32_MAX
                                          ? static_cast<T*>(iplMalloc(static_cast<int32_t>(count * sizeof(T))))
                                          : nullptr) {}
    ~Block() { iplFree(p); }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
};

struct ZoomParams {
    double xRatio, yRatio, x0, y0, xStep, yStep;
    int32_t interpolate, xRem, yRem;
};

// Row index of the linear table: the upper sample and the lower one's
// weight, kept inside the image even where a mask shrank the last row.
void linearIndex(double pos, int32_t last, int32_t offset, int32_t* index, double* frac)
{
    int32_t i = ownZoomRound(pos);
    if (i >= last) {
        if (last >= 1 || offset >= 1) {
            *index = last - 1;
            *frac = 1.0;
        } else {
            *index = 0;
            *frac = 0.0;
        }
        return;
    }
    if (i < 0)
        i = 0;
    *index = i;
    *frac = pos - i;
}

// Cubic window: the second of four samples and t, so that all four lie in
// the image.
void cubicIndex(double pos, int32_t offset, int32_t size, int32_t* index, float* t)
{
    int32_t i = ownZoomRound(pos);
    const int32_t a = offset + i;
    if (a >= size - 1) {
        *index = size - 1 - offset - 2;
        *t = 2.0f;
        return;
    }
    if (a <= 0)
        i = -offset + 1;
    else if (a == size - 2)
        i -= 1;
    *index = i;
    *t = static_cast<float>(pos - i);
}

uint16_t weight16(double frac)
{
    int32_t w = ownZoomRound(frac * 16384.0);
    if (w < 0) w = 0;
    if (w > 16384) w = 16384;
    return static_cast<uint16_t>(w);
}

using Kernel = void (*)(const OwnZoomJob&);

Kernel chooseKernel(int32_t interp, uint32_t depth, bool plane)
{
    if (depth == IPL_DEPTH_1U)
        return ownZoomNN1u;
    const int d = depth == IPL_DEPTH_8U ? 0 : depth == IPL_DEPTH_16U ? 1 : 2;
    static const Kernel nn[2][3] = {{ownZoomNN8uPixel, ownZoomNN16uPixel, ownZoomNN32fPixel},
                                    {ownZoomNN8uPlane, ownZoomNN16uPlane, ownZoomNN32fPlane}};
    static const Kernel lin[2][3] = {{ownZoomLinear8uPixel, ownZoomLinear16uPixel, ownZoomLinear32fPixel},
                                     {ownZoomLinear8uPlane, ownZoomLinear16uPlane, ownZoomLinear32fPlane}};
    static const Kernel cub[2][3] = {{ownZoomCubic8uPixel, ownZoomCubic16uPixel, ownZoomCubic32fPixel},
                                     {ownZoomCubic8uPlane, ownZoomCubic16uPlane, ownZoomCubic32fPlane}};
    const int o = plane ? 1 : 0;
    return interp == IPL_INTER_NN ? nn[o][d] : interp == IPL_INTER_LINEAR ? lin[o][d] : cub[o][d];
}

void ownZoom(IplImage* src, IplImage* dst, const ZoomParams& zp)
{
    // Source region and the last column and row of the image seen from it.
    const OwnRect sArea = ownRoiRect(src);
    int32_t sx = sArea.x, sy = sArea.y, sw = sArea.width, sh = sArea.height;
    if (sx >= src->width || sy >= src->height)
        return;
    int32_t lastCol = src->width - sx - 1, lastRow = src->height - sy - 1;
    if (src->maskROI) {
        int32_t mw = sw, mh = sh;
        maskExtent(src->maskROI, &mw, &mh);
        lastCol -= sw - mw;
        lastRow -= sh - mh;
        sw = mw;
        sh = mh;
    }
    const Selection sc = channelsOf(src), dc = channelsOf(dst);

    const OwnRect dArea = ownRoiRect(dst);
    int32_t dx = dArea.x, dy = dArea.y, dw = dArea.width, dh = dArea.height;
    if (dx >= dst->width || dy >= dst->height)
        return;
    if (dst->maskROI)
        maskExtent(dst->maskROI, &dw, &dh);
    int32_t W = ownZoomRound(sw / zp.xRatio), H = ownZoomRound(sh / zp.yRatio);
    if (W < 1) W = 1;
    if (H < 1) H = 1;
    if (dw < W) W = dw;
    if (dh < H) H = dh;
    if (W < 1 || H < 1 || sw < 1 || sh < 1)
        return;

    // The pixel mask: the source mask brought to the destination size,
    // ANDed with the destination mask.
    OwnImagePtr tmpMask(nullptr, OwnImageDeleter{IPL_IMAGE_ALL});
    const unsigned char* mask = nullptr;
    int32_t maskStep = 0, maskBit0 = 0;
    if (src->maskROI) {
        tmpMask.reset(iplCreateImageHeader(1, 0, IPL_DEPTH_1U, "GRAY", "GRAY", 0, src->maskROI->origin, 4, W, H,
                                           nullptr, nullptr, nullptr, nullptr));
        // Zero-filled: should the resize below fail, no pixel is written.
        if (tmpMask)
            iplAllocateImage(tmpMask.get(), 1, 0);
        if (!tmpMask || !tmpMask->imageData) {
            OWN_ERROR(-4, kFunc, "No working memory", kUnit);
            return;
        }
        int32_t xs = ownZoomRound(zp.xRatio * W), ys = ownZoomRound(zp.yRatio * H);
        if (xs <= 0) xs = ownZoomRound(W / zp.xRatio);
        if (ys <= 0) ys = ownZoomRound(H / zp.yRatio);
        if (xs < 1) xs = 1;
        if (ys < 1) ys = 1;
        // The resize's own outcome decides, not a status left from before.
        const int32_t before = iplGetErrStatus();
        iplSetErrStatus(0);
        iplResize(src->maskROI, tmpMask.get(), W, xs, H, ys, IPL_INTER_NN);
        if (iplGetErrStatus() < 0) {
            OWN_ERROR(-1, kFunc, "", kUnit);
            return;
        }
        iplSetErrStatus(before);
        if (const IplImage* dm = dst->maskROI) {
            const int32_t mx = dm->roi ? dm->roi->xOffset : 0, my = dm->roi ? dm->roi->yOffset : 0;
            for (int32_t j = 0; j < H; ++j) {
                unsigned char* row = tmpMask->imageData + int64_t(j) * tmpMask->widthStep;
                const unsigned char* drow = dm->imageData + int64_t(my + j) * dm->widthStep;
                for (int32_t i = 0; i < W; ++i)
                    if (!ownGetBit(drow, int64_t(mx) + i))
                        ownPutBit(row, i, 0);
            }
        }
        mask = tmpMask->imageData;
        maskStep = tmpMask->widthStep;
    } else if (const IplImage* dm = dst->maskROI) {
        const int32_t mx = dm->roi ? dm->roi->xOffset : 0, my = dm->roi ? dm->roi->yOffset : 0;
        mask = dm->imageData + int64_t(my) * dm->widthStep;
        maskStep = dm->widthStep;
        maskBit0 = mx;
    }

    const bool sameRange = sc.first == 0 && dc.first == 0 ? sc.count == dc.count : sc.count == 1 && dc.count == 1;
    if (!sameRange) {
        OWN_ERROR(-2, kFunc, "srcImage COI != dstImage COI", kUnit);
        return;
    }

    const uint32_t depth = src->depth;
    const bool plane = src->dataOrder == IPL_DATA_ORDER_PLANE && depth != IPL_DEPTH_1U;
    const int32_t b = elemBytes(depth);
    const int32_t nch = depth == IPL_DEPTH_1U ? 1 : sc.count;
    const int32_t pixMul = plane || depth == IPL_DEPTH_1U ? 1 : src->nChannels;
    OwnZoomJob job;
    job.W = W;
    job.H = H;
    job.nch = nch;
    job.mask = mask;
    job.maskStep = maskStep;
    job.maskBit0 = maskBit0;
    if (depth == IPL_DEPTH_1U) {
        job.src = src->imageData + int64_t(sy) * src->widthStep;
        job.dst = dst->imageData + int64_t(dy) * dst->widthStep;
        job.srcStep = src->widthStep;
        job.dstStep = dst->widthStep;
        job.srcBit0 = sx;
        job.dstBit0 = dx;
    } else if (!plane) {
        job.src = src->imageData + int64_t(sy) * src->widthStep + (int64_t(sx) * src->nChannels + sc.first) * b;
        job.dst = dst->imageData + int64_t(dy) * dst->widthStep + (int64_t(dx) * dst->nChannels + dc.first) * b;
        job.srcStep = src->widthStep / b;
        job.dstStep = dst->widthStep / b;
        job.srcCh = src->nChannels;
        job.dstCh = dst->nChannels;
    } else {
        job.src = src->imageData + int64_t(sc.first) * src->widthStep * src->height + int64_t(sy) * src->widthStep +
                  int64_t(sx) * b;
        job.dst = dst->imageData + int64_t(dc.first) * dst->widthStep * dst->height + int64_t(dy) * dst->widthStep +
                  int64_t(dx) * b;
        job.srcStep = src->widthStep / b;
        job.dstStep = dst->widthStep / b;
        job.srcPlane = src->widthStep / b * src->height;
        job.dstPlane = dst->widthStep / b * dst->height;
    }

    const int32_t interp = depth == IPL_DEPTH_1U ? IPL_INTER_NN : zp.interpolate;
    const bool fixedPoint = interp == IPL_INTER_LINEAR && depth != IPL_DEPTH_32F;
    // Three channels of four-channel pixels get room for four per pixel.
    const int32_t lanes = plane ? 1 : (nch == 3 && src->nChannels == 4 ? 4 : nch);
    const int64_t bufBytes = (fixedPoint ? 2 * int64_t(W) + 8 : 4 * int64_t(W) + 16) * lanes;
    const int buffers = interp == IPL_INTER_LINEAR ? 2 : interp == IPL_INTER_CUBIC ? 4 : 0;
    Block<unsigned char> bufs[4] = {Block<unsigned char>(buffers > 0 ? bufBytes : 0),
                                    Block<unsigned char>(buffers > 1 ? bufBytes : 0),
                                    Block<unsigned char>(buffers > 2 ? bufBytes : 0),
                                    Block<unsigned char>(buffers > 3 ? bufBytes : 0)};
    Block<int32_t> rowTab(H), colTab(W);
    Block<float> wyF(interp != IPL_INTER_NN && !fixedPoint ? H : 0), wxF(interp != IPL_INTER_NN && !fixedPoint ? W : 0);
    Block<uint16_t> wy16(fixedPoint ? H : 0), wx16(fixedPoint ? 2 * int64_t(W) : 0);
    bool ok = rowTab.p && colTab.p;
    for (int q = 0; q < buffers; ++q)
        ok = ok && bufs[q].p;
    if (interp != IPL_INTER_NN)
        ok = ok && (fixedPoint ? wy16.p && wx16.p : wyF.p && wxF.p);
    if (!ok) {
        OWN_ERROR(-4, kFunc, "No working memory", kUnit);
        return;
    }

    if (interp == IPL_INTER_NN) {
        double pos = zp.y0 + (zp.yRem != 0 ? 0.5 : 0.0);
        for (int32_t j = 0; j < H; ++j, pos += zp.yStep)
            rowTab.p[j] = ownZoomRound(pos) * job.srcStep;
        pos = zp.x0 + (zp.xRem != 0 ? 0.5 : 0.0);
        for (int32_t i = 0; i < W; ++i, pos += zp.xStep)
            colTab.p[i] = ownZoomRound(pos) * pixMul;
    } else if (interp == IPL_INTER_LINEAR) {
        double pos = zp.y0;
        for (int32_t j = 0; j < H; ++j, pos += zp.yStep) {
            int32_t iy;
            double f;
            linearIndex(pos, lastRow, sy, &iy, &f);
            rowTab.p[j] = iy * job.srcStep;
            if (fixedPoint)
                wy16.p[j] = f >= 1.0 ? 16384 : weight16(f);
            else
                wyF.p[j] = static_cast<float>(f);
        }
        pos = zp.x0;
        for (int32_t i = 0; i < W; ++i, pos += zp.xStep) {
            int32_t ix;
            double f;
            linearIndex(pos, lastCol, sx, &ix, &f);
            colTab.p[i] = ix * pixMul;
            if (fixedPoint) {
                const uint16_t w = f >= 1.0 ? 16384 : weight16(f);
                wx16.p[2 * i] = static_cast<uint16_t>(16384 - w);
                wx16.p[2 * i + 1] = w;
            } else {
                wxF.p[i] = static_cast<float>(f);
            }
        }
    } else {
        double pos = zp.y0;
        for (int32_t j = 0; j < H; ++j, pos += zp.yStep) {
            int32_t iy;
            cubicIndex(pos, sy, src->height, &iy, &wyF.p[j]);
            rowTab.p[j] = iy * job.srcStep;
        }
        pos = zp.x0;
        for (int32_t i = 0; i < W; ++i, pos += zp.xStep) {
            int32_t ix;
            cubicIndex(pos, sx, src->width, &ix, &wxF.p[i]);
            colTab.p[i] = ix * pixMul;
        }
    }
    job.bufLanes = lanes;
    job.rowTab = rowTab.p;
    job.colTab = colTab.p;
    job.wy = fixedPoint ? static_cast<const void*>(wy16.p) : wyF.p;
    job.wx = fixedPoint ? static_cast<const void*>(wx16.p) : wxF.p;
    for (int q = 0; q < buffers; ++q)
        job.buf[q] = bufs[q].p;
    chooseKernel(interp, depth, plane)(job);
}

} // namespace

void iplZoom(IplImage* srcImage, IplImage* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc,
             int32_t interpolate)
{
    if (ownImagesFail(kFunc, kUnit, srcImage, dstImage))
        return;
    OwnCheckRun check(kFunc, kUnit);
    const uint32_t depth = srcImage->depth;
    check(interpolate != IPL_INTER_NN && interpolate != IPL_INTER_LINEAR && interpolate != IPL_INTER_CUBIC,
          -5, "interpolate != IPL_INTER_NN && interpolate != IPL_INTER_LINEAR && interpolate != IPL_INTER_CUBIC");
    check(srcImage->depth != dstImage->depth, -5, "srcImage->depth != dstImage->depth");
    check(depth != IPL_DEPTH_1U && depth != IPL_DEPTH_8U && depth != IPL_DEPTH_16U && depth != IPL_DEPTH_32F,
          -5, "srcImage->depth != IPL_DEPTH_1U && srcImage->depth != IPL_DEPTH_8U && srcImage->depth != IPL_DEPTH_16U && "
          "srcImage->depth != IPL_DEPTH_32F");
    check(srcImage->dataOrder != dstImage->dataOrder, -5, "srcImage->dataOrder != dstImage->dataOrder");
    check(xDst <= 0 || xSrc <= 0, -5, "xDst <= 0 || xSrc <= 0");
    check(yDst <= 0 || ySrc <= 0, -5, "yDst <= 0 || ySrc <= 0");
    if (check.failed())
        return;

    int32_t interp = interpolate;
    if (depth == IPL_DEPTH_1U || srcImage->width < 2 || srcImage->height < 2)
        interp = IPL_INTER_NN;
    else if ((srcImage->width < 4 || srcImage->height < 4) && interp == IPL_INTER_CUBIC)
        interp = IPL_INTER_LINEAR;

    ZoomParams zp;
    zp.interpolate = interp;
    zp.xRatio = double(xSrc) / xDst;
    zp.yRatio = double(ySrc) / yDst;
    zp.x0 = zp.y0 = 0.0;
    zp.xRem = (xSrc > xDst ? xSrc : xDst) % (xSrc < xDst ? xSrc : xDst);
    zp.yRem = (ySrc > yDst ? ySrc : yDst) % (ySrc < yDst ? ySrc : yDst);
    const double w = srcImage->roi ? srcImage->roi->width : srcImage->width;
    const double h = srcImage->roi ? srcImage->roi->height : srcImage->height;
    const double dstW = (w / xSrc) * xDst, dstH = (h / ySrc) * yDst;
    if (interp == IPL_INTER_NN && zp.xRem == 0)
        zp.xStep = w / dstW;
    else
        zp.xStep = dstW <= 1.0 ? 0.0 : (w - 1.0) / (dstW - 1.0);
    if (interp == IPL_INTER_NN && zp.yRem == 0)
        zp.yStep = h / dstH;
    else
        zp.yStep = dstH <= 1.0 ? 0.0 : (h - 1.0) / (dstH - 1.0);

    if (srcImage == dstImage) {
        OWN_ERROR(-5, kFunc, "This function isn`t in-plase function", kUnit);
        return;
    }
    if ((srcImage->alphaChannel != 0 && srcImage->nChannels == 1) ||
        (dstImage->alphaChannel != 0 && dstImage->nChannels == 1))
        return;

    // Tiled images are read into plain copies and the destination written
    // back tile by tile, so tiled and plain images give the same pixels.
    OwnPlainCopy srcCopy, dstCopy;
    IplImage* src = srcImage;
    IplImage* dst = dstImage;
    if (srcImage->tileInfo) {
        if (!srcCopy.read(srcImage)) {
            OWN_ERROR(-4, kFunc, "No working memory", kUnit);
            return;
        }
        src = srcCopy.get();
    }
    if (dstImage->tileInfo) {
        if (!dstCopy.read(dstImage)) {
            OWN_ERROR(-4, kFunc, "No working memory", kUnit);
            return;
        }
        dst = dstCopy.get();
    }
    ownZoom(src, dst, zp);
    if (dstImage->tileInfo) {
        const OwnRect area = ownRoiRect(dstImage);
        ownWriteBackTiles(dstImage, dst, area.x, area.y, area.width, area.height, kFunc, kUnit);
    }
}
