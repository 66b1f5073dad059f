// Decimation kernels of 1-bit images: point sampling for every
// interpolation but super-sampling, and the area mean for super-sampling.
// Bits are counted from the most significant bit of a byte.
#include "ipl/own_ops.h"
#include "ipl/ownipl.h"

#include <cstdint>

namespace {

inline int32_t truncToInt(double v) { return static_cast<int32_t>(v); }

} // namespace

int ownDecimNN_1u(OWN_DECIM_KERNEL_ARGS)
{
    (void)dChExt; (void)sPix; (void)sRowExt; (void)sTotExt;
    if (dPix <= 0 || dLine <= 0)
        return 1;
    const int cols = dRowExt / dPix, rows = dTotExt / dLine;
    const unsigned char* s = static_cast<const unsigned char*>(src);
    unsigned char* d = static_cast<unsigned char*>(dst);
    const int dBit = dCh, sBit = sCh;
    const int dRowBytes = dLine / 8, sRowBytes = sLine / 8;
    double y = *yPos;
    const float xStart = static_cast<float>(*xPos);
    float x = xStart;
    for (int m = 0; m < rows; ++m) {
        const unsigned char* sRow = s + static_cast<int64_t>(truncToInt(y)) * sRowBytes;
        unsigned char* dRow = d + static_cast<int64_t>(m) * dRowBytes;
        // Each row is sampled from its own start; the position is a float
        // rounded after every sample.
        x = xStart + static_cast<float>(sBit);
        for (int k = 0; k < cols; ++k) {
            ownPutBit(dRow, dBit + k, ownGetBit(sRow, truncToInt(x)));
            x = x + xScale;
        }
        y += yScale;
    }
    if (rows > 0)
        *xPos = x - static_cast<float>(sBit);
    *yPos = y;
    return 1;
}

namespace {

struct Box {
    int32_t first, last;   // first and last index covered
    double wFirst, wLast;  // weights of the two edge lines
};

constexpr double kTiny = 0.0001;

// Sum of the set bits of a box, edges weighted; an edge of negligible
// weight is neither counted nor read.
double boxSum(const unsigned char* s, int rowBytes, const Box& r, const Box& c)
{
    auto rowSum = [&](const unsigned char* row) {
        double sum = 0.0;
        if (c.wFirst > kTiny)
            sum += ownGetBit(row, c.first) * c.wFirst;
        for (int32_t i = c.first + 1; i < c.last; ++i)
            sum += ownGetBit(row, i);
        if (c.last > c.first && c.wLast > kTiny)
            sum += ownGetBit(row, c.last) * c.wLast;
        return sum;
    };
    double sum = 0.0;
    if (r.wFirst > kTiny)
        sum += rowSum(s + static_cast<int64_t>(r.first) * rowBytes) * r.wFirst;
    for (int32_t j = r.first + 1; j < r.last; ++j)
        sum += rowSum(s + static_cast<int64_t>(j) * rowBytes);
    if (r.last > r.first && r.wLast > kTiny)
        sum += rowSum(s + static_cast<int64_t>(r.last) * rowBytes) * r.wLast;
    return sum;
}

} // namespace

int ownDecimSuper_1u(OWN_DECIM_KERNEL_ARGS)
{
    (void)dChExt; (void)sPix;
    if (dPix <= 0 || dLine <= 0 || sLine <= 0)
        return 1;
    const int cols = dRowExt / dPix, rows = dTotExt / dLine;
    const unsigned char* s = static_cast<const unsigned char*>(src);
    unsigned char* d = static_cast<unsigned char*>(dst);
    const int dBit = dCh, sBit = sCh;
    const int dRowBytes = dLine / 8, sRowBytes = sLine / 8;
    const float norm = 1.0f / (yScale * xScale);
    const int32_t R = sTotExt / sLine;
    const int32_t E = sBit + sRowExt;

    double y = *yPos;
    int32_t sRow0 = truncToInt(y);
    double xLast = *xPos + static_cast<double>(sBit);
    for (int m = 0; m < rows; ++m) {
        double e = y + yScale;
        int32_t l = truncToInt(e);
        if (l >= R) {  // the box moves up to end at the bottom edge
            e = R;
            l = R;
            y = R - static_cast<double>(yScale);
            sRow0 = truncToInt(y);
        }
        const Box rb{sRow0, l, 1.0 - (y - sRow0), e - l};
        unsigned char* dRow = d + static_cast<int64_t>(m) * dRowBytes;

        double x = static_cast<float>(static_cast<float>(*xPos) + static_cast<float>(sBit));
        int32_t c0 = truncToInt(x);
        for (int k = 0; k < cols; ++k) {
            double ex = x + xScale;
            int32_t c1 = truncToInt(ex);
            if (c1 >= E) {
                c1 = E;
                ex = E;
                x = E - static_cast<double>(xScale);
                c0 = truncToInt(x);
            }
            const Box cb{c0, c1, 1.0 - (x - c0), ex - c1};
            const double sum = boxSum(s, sRowBytes, rb, cb);
            ownPutBit(dRow, dBit + k, truncToInt(sum * norm + 0.5) >= 1 ? 1 : 0);
            c0 = c1;
            x = ex;
            // The column position is kept in single precision between bytes.
            if (((dBit + k) & 7) == 7)
                x = static_cast<float>(x);
        }
        xLast = x;
        sRow0 = l;
        y = e;
    }
    *yPos = y;
    if (rows > 0)
        *xPos = xLast - sBit;
    return 1;
}
