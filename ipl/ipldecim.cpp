// Decimate: shrinks the source region into the destination region by
// rational factors, with point sampling, linear, cubic or area averaging.
// This unit checks the arguments, makes the plan (effective interpolation,
// kernel, scales and start positions) and walks tiled destinations; the
// arithmetic lives in the kernels.
#include "ipl/ipl.h"
#include "ipl/own_ops.h"
#include "ipl/own_plain_copy.h"
#include "ipl/ownipl.h"

#include <cstdint>

namespace {

const char kFunc[] = "Decimate";
const char kDriver[] = "iplDecimate";
const char kUnit[] = "ipldecim";

int32_t coiOf(const IplImage* im) { return im->roi ? im->roi->coi : 0; }
int32_t colourChannels(const IplImage* im) { return im->alphaChannel != 0 ? im->nChannels - 1 : im->nChannels; }

// Steps of an image in elements of its depth.
struct Steps {
    int32_t channel, pixel, line;
};

int32_t lineStepElems(const IplImage* im, int32_t widthStep)
{
    switch (im->depth) {
    case IPL_DEPTH_1U: return widthStep * 8;
    case IPL_DEPTH_16U: return widthStep / 2;
    case IPL_DEPTH_32F: return widthStep / 4;
    default: return widthStep;
    }
}

Steps imageSteps(const IplImage* im, int32_t widthStep, int32_t planeHeight)
{
    Steps s;
    s.line = lineStepElems(im, widthStep);
    if (im->dataOrder == IPL_DATA_ORDER_PIXEL) {
        s.channel = 1;
        s.pixel = im->nChannels;
    } else {
        s.pixel = 1;
        s.channel = s.line * planeHeight;
    }
    return s;
}

int64_t elemsToBytes(int64_t n, uint32_t depth)
{
    switch (depth) {
    case IPL_DEPTH_1U: return n >> 3;
    case IPL_DEPTH_8U: return n;
    case IPL_DEPTH_16U: return 2 * n;
    case IPL_DEPTH_32F: return 4 * n;
    default: return 0;
    }
}

// min(num * srcSize / den, dstSize), the product taken in 64 bits so that
// large images cannot overflow it.
int32_t scaledSize(int32_t srcSize, int32_t dstSize, int32_t num, int32_t den)
{
    const int64_t s = int64_t(num) * srcSize / den;
    return s < dstSize ? static_cast<int32_t>(s) : dstSize;
}

int32_t procChannels(const IplImage* im) { return coiOf(im) != 0 ? 1 : im->nChannels; }

struct Plan {
    int32_t interpolation = 0;
    bool xExact = false, yExact = false;
    OwnDecimKernel kernel = nullptr;
    float xScale = 1, yScale = 1;
    double xPos = 0, yPos = 0;
};

int32_t decimateMode(const IplImage* src, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc, int32_t interpolate,
                     bool* xExact, bool* yExact)
{
    *xExact = xSrc % xDst == 0;
    *yExact = ySrc % yDst == 0;
    const int32_t W = src->roi ? src->roi->width : src->width;
    const int32_t H = src->roi ? src->roi->height : src->height;
    const bool bigEnough = src->width >= 4 && src->height >= 4;
    const bool interpolates = interpolate == IPL_INTER_SUPER || !*xExact || !*yExact;
    const bool nonEmpty = int64_t(xDst) * W / xSrc > 0 && int64_t(yDst) * H / ySrc > 0;
    // A tiled source is read into plain blocks (below), so a box larger than
    // a tile needs no fallback to point sampling: tiled and plain images agree.
    return bigEnough && interpolates && nonEmpty ? interpolate : IPL_INTER_NN;
}

OwnDecimKernel decimateKernel(uint32_t depth, int32_t mode, bool xExact, bool yExact)
{
    if (depth == IPL_DEPTH_1U)
        return mode == IPL_INTER_SUPER ? ownDecimSuper_1u : ownDecimNN_1u;
    const int d = depth == IPL_DEPTH_8U ? 0 : depth == IPL_DEPTH_16U ? 1 : depth == IPL_DEPTH_32F ? 2 : -1;
    if (d < 0)
        return nullptr;
    static const OwnDecimKernel nn[] = {ownDecimNN_8u, ownDecimNN_16u, ownDecimNN_32f};
    static const OwnDecimKernel super[] = {ownDecimSuper_8u, ownDecimSuper_16u, ownDecimSuper_32f};
    static const OwnDecimKernel lin[] = {ownDecimLinear_8u, ownDecimLinear_16u, ownDecimLinear_32f};
    static const OwnDecimKernel linX[] = {ownDecimLinearX_8u, ownDecimLinearX_16u, ownDecimLinearX_32f};
    static const OwnDecimKernel linY[] = {ownDecimLinearY_8u, ownDecimLinearY_16u, ownDecimLinearY_32f};
    static const OwnDecimKernel cub[] = {ownDecimCubic_8u, ownDecimCubic_16u, ownDecimCubic_32f};
    static const OwnDecimKernel cubX[] = {ownDecimCubicX_8u, ownDecimCubicX_16u, ownDecimCubicX_32f};
    static const OwnDecimKernel cubY[] = {ownDecimCubicY_8u, ownDecimCubicY_16u, ownDecimCubicY_32f};
    switch (mode) {
    case IPL_INTER_NN: return nn[d];
    case IPL_INTER_SUPER: return super[d];
    case IPL_INTER_LINEAR: return yExact ? linX[d] : xExact ? linY[d] : lin[d];
    case IPL_INTER_CUBIC: return yExact ? cubX[d] : xExact ? cubY[d] : cub[d];
    default: return nullptr;
    }
}

// The source as the kernels see it: the region's first element and the
// distance to the image's right and bottom edges.
struct SourceRegion {
    const unsigned char* data = nullptr;
    int32_t ch = 0, pix = 0, rowExt = 0, line = 0, totExt = 0;
};

SourceRegion plainSource(const IplImage* src, const unsigned char* pixels, int32_t widthStep, int32_t planeHeight,
                         int32_t x, int32_t y, int32_t width, int32_t height)
{
    const Steps s = imageSteps(src, widthStep, planeHeight);
    const int32_t coiIndex = coiOf(src) > 0 ? coiOf(src) - 1 : 0;
    SourceRegion r;
    r.data = pixels + elemsToBytes(int64_t(x) * s.pixel, src->depth) + elemsToBytes(int64_t(y) * s.line, src->depth) +
             elemsToBytes(int64_t(coiIndex) * s.channel, src->depth);
    r.ch = src->depth == IPL_DEPTH_1U ? x % 8 : s.channel;
    r.pix = s.pixel;
    r.line = s.line;
    r.rowExt = (width - x) * s.pixel;
    r.totExt = (height - y) * s.line;
    return r;
}

// The source rows a call reads. A plain source is used in place. A tiled one
// is read into a block, band by band where the kernels sample rows
// independently (point sampling, linear, cubic), so memory stays near a band
// of whole source rows; the area walk carries state from row to row and
// reads the whole source once. Row numbers count from the region's top.
class SourceFeed {
public:
    explicit SourceFeed(const IplImage* src)
        : src_(src), sx_(src->roi ? src->roi->xOffset : 0), sy_(src->roi ? src->roi->yOffset : 0),
          rows_(src->height - sy_)
    {
        if (!src->tileInfo)
            region_ = plainSource(src, src->imageData, src->widthStep, src->height, sx_, sy_, src->width, src->height);
    }
    ~SourceFeed() { ownFreeRect(block_); }
    SourceFeed(const SourceFeed&) = delete;
    SourceFeed& operator=(const SourceFeed&) = delete;

    // Makes the rows a band of destination rows samples available: row
    // positions from yFirst to yLast, taps up to two rows either side.
    bool cover(double yFirst, double yLast)
    {
        if (!src_->tileInfo)
            return true;
        int32_t lo = static_cast<int32_t>(yFirst) - 2, hi = static_cast<int32_t>(yLast) + 3;
        lo = lo < 0 ? 0 : lo;
        hi = hi > rows_ ? rows_ : hi;
        if (hi <= lo)
            hi = lo + 1 <= rows_ ? lo + 1 : rows_;
        return read(lo, hi);
    }
    bool coverAll() { return !src_->tileInfo || read(0, rows_); }
    bool tiled() const { return src_->tileInfo != nullptr; }

    const SourceRegion& region() const { return region_; }
    // The first row of the block: positions handed to a kernel are counted
    // from it (subtracting a whole number is exact, fractions stay the same).
    int32_t firstRow() const { return first_; }

private:
    bool read(int32_t lo, int32_t hi)
    {
        if (block_ && lo >= first_ && hi <= last_)
            return true;
        ownFreeRect(block_);
        const int32_t x0 = sx_ - sx_ % 8;
        int32_t step = 0;
        block_ = ownReadRectWithBorder(src_, x0, sy_ + lo, src_->width - x0, hi - lo, &step);
        if (!block_)
            return false;
        first_ = lo;
        last_ = hi;
        region_ = plainSource(src_, block_, step, hi - lo, sx_ % 8, 0, src_->width - x0, rows_ - lo);
        return true;
    }

    const IplImage* src_;
    int32_t sx_, sy_, rows_;
    unsigned char* block_ = nullptr;
    int32_t first_ = 0, last_ = 0;
    SourceRegion region_;
};

struct DestPiece {
    unsigned char* data;
    int32_t ch, chExt, pix, rowExt, line, totExt;
};

// Runs the kernel on a piece; row positions are handed over counted from the
// source block's first row and handed back counted from the region's top.
void runKernel(const Plan& plan, const SourceFeed& feed, const DestPiece& d, double* xPos, double* yPos)
{
    const SourceRegion& s = feed.region();
    double y = *yPos - feed.firstRow();
    plan.kernel(s.data, d.data, d.ch, d.chExt, d.pix, d.rowExt, d.line, d.totExt, s.ch, s.pix, s.rowExt, s.line,
                s.totExt, plan.xScale, plan.yScale, xPos, &y);
    *yPos = y + feed.firstRow();
}

// Gets the source rows of a band, or of the whole region for the area walk;
// reports a source that cannot be read.
bool feedRows(SourceFeed& feed, const Plan& plan, double yFirst, double yLast)
{
    const bool ok = plan.interpolation == IPL_INTER_SUPER ? feed.coverAll() : feed.cover(yFirst, yLast);
    if (!ok)
        OWN_ERROR(-3, kDriver, "srcImage->tileInfo->callBack crash", kUnit);
    return ok;
}

// Destination rows per band of a tiled source read into a plain destination.
constexpr int32_t kBandRows = 64;

// The written rectangle of the destination: origin, size and channels.
struct DestRect {
    int32_t x, y, cols, rows, coi, channels;
};

// A piece of the destination at (x, y) of w x h pixels in a block of pixels
// whose steps are s.
DestPiece destPiece(const IplImage* dst, unsigned char* block, const Steps& s, const DestRect& r, int32_t x, int32_t y,
                    int32_t w, int32_t h)
{
    const uint32_t depth = dst->depth;
    DestPiece d;
    d.data = block + elemsToBytes(int64_t(x) * s.pixel, depth) + elemsToBytes(int64_t(y) * s.line, depth) +
             elemsToBytes(int64_t(r.coi) * s.channel, depth);
    d.ch = depth == IPL_DEPTH_1U ? x % 8 : s.channel;
    d.chExt = s.channel * r.channels;
    d.pix = s.pixel;
    d.rowExt = s.pixel * w;
    d.line = s.line;
    d.totExt = s.line * h;
    return d;
}

bool decimatePlainDest(const Plan& plan, SourceFeed& feed, IplImage* dst, const DestRect& r)
{
    const Steps s = imageSteps(dst, dst->widthStep, dst->height);
    // Bands only where the source is read in bands. Every kernel but the
    // area walk adds the row scale in double precision, which is exact: row m
    // samples at yPos + m * yScale, so a band may start on any row.
    const int32_t band = feed.tiled() && plan.interpolation != IPL_INTER_SUPER ? kBandRows : r.rows;
    for (int32_t m0 = 0; m0 < r.rows; m0 += band) {
        const int32_t rows = r.rows - m0 < band ? r.rows - m0 : band;
        double xPos = plan.xPos, yPos = plan.yPos + double(m0) * plan.yScale;
        if (!feedRows(feed, plan, yPos, yPos + double(rows - 1) * plan.yScale))
            return false;
        runKernel(plan, feed, destPiece(dst, dst->imageData, s, r, r.x, r.y + m0, r.cols, rows), &xPos, &yPos);
    }
    return true;
}

// Does a piece starting at column c of the rectangle sample what the plain
// walk samples there when started at x0 + c * scale? The point-sampling and
// interpolating kernels of whole elements add the scale exactly, so yes; the
// 1u kernels round the column position to single precision as they go and
// the area walk carries state from box to box, so those continue from what
// the previous piece left.
bool startsAreExact(const IplImage* dst, const Plan& plan)
{
    return dst->depth != IPL_DEPTH_1U && plan.interpolation != IPL_INTER_SUPER;
}

bool decimateTiledDest(const Plan& plan, SourceFeed& feed, IplImage* dst, const DestRect& r)
{
    const int32_t Tw = dst->tileInfo->width, Th = dst->tileInfo->height;
    const Steps s = imageSteps(dst, ownTileWidthStep(dst), Th);
    const bool exact = startsAreExact(dst, plan);
    double yRowStart = plan.yPos;
    for (int32_t ty = r.y / Th; ty <= (r.y + r.rows - 1) / Th; ++ty) {
        const int32_t r0 = ty == r.y / Th ? r.y % Th : 0;
        const int32_t r1 = (r.y + r.rows) - ty * Th < Th ? (r.y + r.rows) - ty * Th : Th;
        if (exact)
            yRowStart = plan.yPos + double(ty * Th + r0 - r.y) * plan.yScale;
        double xPos = plan.xPos, yLeft = yRowStart;
        if (!feedRows(feed, plan, yRowStart, yRowStart + double(r1 - r0 - 1) * plan.yScale))
            return false;
        for (int32_t tx = r.x / Tw; tx <= (r.x + r.cols - 1) / Tw; ++tx) {
            const int32_t c0 = tx == r.x / Tw ? r.x % Tw : 0;
            const int32_t c1 = (r.x + r.cols) - tx * Tw < Tw ? (r.x + r.cols) - tx * Tw : Tw;
            dst->tileInfo->callBack(dst, tx, ty, IPL_GET_TILE_TO_WRITE);
            unsigned char* tile = dst->tileInfo->tileData;
            if (!tile) {
                OWN_ERROR(-3, kDriver, "dstImage->tileInfo->callBack crash", kUnit);
                return false;
            }
            if (exact)
                xPos = plan.xPos + double(tx * Tw + c0 - r.x) * plan.xScale;
            double yPos = yRowStart;
            runKernel(plan, feed, destPiece(dst, tile, s, r, c0, r0, c1 - c0, r1 - r0), &xPos, &yPos);
            yLeft = yPos;
            dst->tileInfo->tileData = tile;
            dst->tileInfo->callBack(dst, tx, ty, IPL_RELEASE_TILE);
        }
        yRowStart = yLeft;
    }
    return true;
}

// The area walk of the super-sampling kernels carries its state from box to
// box, and a fresh walk started inside a piece weighs a box that starts just
// below a whole source pixel differently. Such a destination is computed
// plain and put back tile by tile.
bool decimateTiledDestWhole(const Plan& plan, SourceFeed& feed, IplImage* dst, const DestRect& r)
{
    OwnPlainCopy copy;
    if (!copy.read(dst)) {
        OWN_ERROR(-3, kDriver, "dstImage->tileInfo->callBack crash", kUnit);
        return false;
    }
    if (!decimatePlainDest(plan, feed, copy.get(), r))
        return false;
    return ownWriteBackTiles(dst, copy.get(), r.x, r.y, r.cols, r.rows, kDriver, kUnit, -3,
                             "dstImage->tileInfo->callBack crash");
}

void ownDecimate(IplImage* srcImage, IplImage* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc,
                 int32_t interpolate)
{
    Plan plan;
    plan.interpolation = decimateMode(srcImage, xDst, xSrc, yDst, ySrc, interpolate, &plan.xExact, &plan.yExact);
    plan.kernel = decimateKernel(srcImage->depth, plan.interpolation, plan.xExact, plan.yExact);
    if (!plan.kernel)
        return;
    plan.xScale = static_cast<float>(double(xSrc) / double(xDst));
    plan.yScale = static_cast<float>(double(ySrc) / double(yDst));
    if (plan.interpolation == IPL_INTER_NN) {
        plan.xPos = plan.xExact ? 0.0f : 0.5f;
        plan.yPos = plan.yExact ? 0.0f : 0.5f;
    }

    DestRect r;
    r.coi = coiOf(dstImage) > 0 ? coiOf(dstImage) - 1 : 0;
    r.x = dstImage->roi ? dstImage->roi->xOffset : 0;
    r.y = dstImage->roi ? dstImage->roi->yOffset : 0;
    r.cols = scaledSize(ownRoiRect(srcImage).width, ownRoiRect(dstImage).width, xDst, xSrc);
    r.rows = scaledSize(ownRoiRect(srcImage).height, ownRoiRect(dstImage).height, yDst, ySrc);
    const int32_t srcCh = procChannels(srcImage), dstCh = procChannels(dstImage);
    r.channels = srcCh < dstCh ? srcCh : dstCh;
    if (r.cols < 1 || r.rows < 1)
        return;

    SourceFeed feed(srcImage);
    if (!dstImage->tileInfo)
        decimatePlainDest(plan, feed, dstImage, r);
    else if (dstImage->depth != IPL_DEPTH_1U && plan.interpolation == IPL_INTER_SUPER)
        decimateTiledDestWhole(plan, feed, dstImage, r);
    else
        decimateTiledDest(plan, feed, dstImage, r);
}

} // namespace

void iplDecimate(IplImage* srcImage, IplImage* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc,
                 int32_t interpolate)
{
    if (ownImagesFail(kFunc, kUnit, srcImage, dstImage))
        return;
    OwnCheckRun check(kFunc, kUnit);
    const uint32_t depth = srcImage->depth;
    check(srcImage == dstImage, -5, "srcImage == dstImage");
    check(srcImage->depth != dstImage->depth, -17, "srcImage->depth != dstImage->depth");
    check(depth != IPL_DEPTH_1U && depth != IPL_DEPTH_8U && depth != IPL_DEPTH_16U && depth != IPL_DEPTH_32F, -17,
          "depth != 1U, 8U, 16U or 32F");
    check(srcImage->origin != dstImage->origin, -20, "srcImage->origin != dstImage->origin");
    check(srcImage->dataOrder != dstImage->dataOrder, -19, "srcImage->dataOrder != dstImage->dataOrder");
    const int32_t sc = coiOf(srcImage), dc = coiOf(dstImage);
    if (sc > 0)
        check(dc == 0 && colourChannels(dstImage) != 1, -24, "srcImage->roi->coi > 0 && dstImage->roi->coi == 0");
    else if (dc > 0)
        check(colourChannels(srcImage) != 1, -24, "dstImage->roi->coi > 0 && srcImage->roi->coi == 0");
    else
        check(colourChannels(srcImage) != colourChannels(dstImage), -15, "srcImage->nChannels != dstImage->nChannels");
    check(interpolate < IPL_INTER_NN || interpolate > IPL_INTER_SUPER, -5,
          "interpolate != IPL_INTER_NN, IPL_INTER_LINEAR, IPL_INTER_CUBIC or IPL_INTER_SUPER");
    check(xDst < 1, -5, "xDst <= 0");
    check(xSrc < 1, -5, "xSrc <= 0");
    check(yDst < 1, -5, "yDst <= 0");
    check(ySrc < 1, -5, "ySrc <= 0");
    check(xDst > xSrc, -5, "xDst > xSrc");
    check(yDst > ySrc, -5, "yDst > ySrc");
    if (check.failed())
        return;
    ownDecimate(srcImage, dstImage, xDst, xSrc, yDst, ySrc, interpolate);
}
