// Point-sampling, linear and cubic decimation kernels. Positions are held in
// double precision and advanced by adding the single-precision scale; the sums
// are exact (multiples of the scale's last bit), so position k is x0 + k * scale.
#include "ipl/own_decim_cubic.h"
#include "ipl/own_ops.h"
#include "ipl/ipl.h"
#include "ipl/owncpu.h"

#include <cfloat>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include <emmintrin.h>

namespace {

// A start position below the smallest normal float marks the first row or
// column of the region: it is taken as it stands, with no taps before it.
inline bool isPositionZero(double p) { return p < FLT_MIN; }

inline int32_t truncToInt(double v) { return static_cast<int32_t>(v); }

// The powers of a fraction the cubic formula takes: t² = t·t, t³ = t²·t.
using CubicFraction = OwnCubicFraction;
inline CubicFraction cubicFraction(double t)
{
    const double t2 = t * t;
    return CubicFraction{t, t2, t2 * t};
}

inline double cubicWithPowers(double a, double b, double c, double d, const CubicFraction& f)
{
    // k6 is the single-precision value of 1/6, as the arithmetic is fixed to.
    const double k6 = static_cast<double>(1.0f / 6.0f);
    return (6.0 * b + f.t * (-2.0 * a - 3.0 * b + 6.0 * c - d) + f.t2 * (3.0 * a - 6.0 * b + 3.0 * c) +
            f.t3 * (-a + 3.0 * b - 3.0 * c + d)) * k6;
}

template <class T> struct LinearOut;
template <> struct LinearOut<uint8_t> {
    static uint8_t put(double v) { return static_cast<uint8_t>(truncToInt(v) & 0xFF); }
};
template <> struct LinearOut<uint16_t> {
    static uint16_t put(double v) { return static_cast<uint16_t>(truncToInt(v) & 0xFFFF); }
};
template <> struct LinearOut<float> {
    static float put(double v) { return static_cast<float>(v); }
};

// Cubic results overshoot: integer depths are clamped after truncation.
template <class T> struct CubicOut;
template <> struct CubicOut<uint8_t> {
    static uint8_t put(double v)
    {
        const int32_t i = truncToInt(v);
        return static_cast<uint8_t>(i < 0 ? 0 : (i > 255 ? 255 : i));
    }
};
template <> struct CubicOut<uint16_t> {
    static uint16_t put(double v)
    {
        const int32_t i = truncToInt(v);
        return static_cast<uint16_t>(i < 0 ? 0 : (i > 65535 ? 65535 : i));
    }
};
template <> struct CubicOut<float> {
    static float put(double v) { return static_cast<float>(v); }
};

// Everything a kernel needs to know about its two regions, in elements.
struct Regions {
    int channels, cols, rows;
    int dCh, dPix, dLine;
    int sCh, sPix, sRowExt, sLine, sTotExt;
};

inline bool makeRegions(Regions& r, int dCh, int dChExt, int dPix, int dRowExt, int dLine,
                        int dTotExt, int sCh, int sPix, int sRowExt, int sLine, int sTotExt)
{
    if (dCh <= 0 || dPix <= 0 || dLine <= 0)
        return false;
    r.channels = dChExt / dCh;
    r.cols = dRowExt / dPix;
    r.rows = dTotExt / dLine;
    r.dCh = dCh; r.dPix = dPix; r.dLine = dLine;
    r.sCh = sCh; r.sPix = sPix; r.sRowExt = sRowExt; r.sLine = sLine; r.sTotExt = sTotExt;
    return r.channels > 0 && r.cols > 0 && r.rows > 0;
}

// Copies cols pixels of B bytes from the given element offsets.
template <size_t B, class T>
void copyPixels(const T* sRow, T* dRow, int32_t cols, int dPix, const int32_t* offsets)
{
    for (int32_t k = 0; k < cols; ++k)
        std::memcpy(dRow + k * dPix, sRow + offsets[k], B);
}

// Whether every column takes the source pixel two pixels of 'pixelBytes'
// after the previous column's: the halving, where whole vectors can be
// thinned out.
bool everyOtherPixel(const int32_t* offsets, int32_t cols, int32_t pixelBytes)
{
    for (int32_t k = 1; k < cols; ++k)
        if (offsets[k] - offsets[k - 1] != 2 * pixelBytes)
            return false;
    return cols > 0;
}

// Four-byte pixels of every other source pixel into consecutive ones, four
// a step; the last step reads no further than the last column's own pixel.
// Returns the columns done.
int32_t copyEveryOther4(const unsigned char* sRow, unsigned char* dRow, int32_t cols)
{
    int32_t k = 0;
    for (; k + 4 < cols; k += 4) {
        const __m128 a = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sRow + 8 * k)));
        const __m128 b = _mm_castsi128_ps(_mm_loadu_si128(reinterpret_cast<const __m128i*>(sRow + 8 * k + 16)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dRow + 4 * k),
                         _mm_castps_si128(_mm_shuffle_ps(a, b, _MM_SHUFFLE(2, 0, 2, 0))));
    }
    return k;
}

template <class T>
int decimNN(const void* srcV, void* dstV, int dCh, int dChExt, int dPix, int dRowExt, int dLine,
            int dTotExt, int sCh, int sPix, int sLine, float xScale, float yScale, double* xPos,
            double* yPos)
{
    Regions g;
    if (!makeRegions(g, dCh, dChExt, dPix, dRowExt, dLine, dTotExt, sCh, sPix, 0, sLine, 0))
        return 1;
    const T* src = static_cast<const T*>(srcV);
    T* dst = static_cast<T*>(dstV);
    double x = *xPos, y = *yPos;
    if (sPix == 1 && sCh > 1) {
        // Plane order: each channel separately.
        for (int c = 0; c < g.channels; ++c) {
            y = *yPos;
            for (int m = 0; m < g.rows; ++m) {
                const T* sRow = src + c * sCh + truncToInt(y) * sLine;
                T* dRow = dst + c * dCh + m * dLine;
                x = *xPos;
                for (int k = 0; k < g.cols; ++k) {
                    dRow[k * dPix] = sRow[truncToInt(x) * sPix];
                    x += xScale;
                }
                y += yScale;
            }
        }
    } else {
        // Pixel order: whole pixels of channel-extent elements. The column
        // positions are the same on every row: their offsets are worked out
        // once (when memory allows).
        const size_t bytes = static_cast<size_t>(dChExt) * sizeof(T);
        int32_t* offsets = static_cast<int32_t*>(iplMalloc(static_cast<int32_t>(sizeof(int32_t) * int64_t(g.cols))));
        double xEnd = *xPos;
        if (offsets)
            for (int32_t k = 0; k < g.cols; ++k) {
                offsets[k] = truncToInt(xEnd) * sPix;
                xEnd += xScale;
            }
        const bool halving = offsets && bytes == 4 && dPix * sizeof(T) == 4 && everyOtherPixel(offsets, g.cols, 4);
        for (int32_t m = 0; m < g.rows; ++m) {
            const T* sRow = src + truncToInt(y) * sLine;
            T* dRow = dst + m * dLine;
            x = *xPos;
            if (halving) {
                const unsigned char* from = reinterpret_cast<const unsigned char*>(sRow + offsets[0]);
                const int32_t done = copyEveryOther4(from, reinterpret_cast<unsigned char*>(dRow), g.cols);
                copyPixels<4>(sRow, dRow + done * dPix, g.cols - done, dPix, offsets + done);
            } else if (offsets && bytes == 4) {
                copyPixels<4>(sRow, dRow, g.cols, dPix, offsets);
            } else if (offsets && bytes == 3) {
                copyPixels<3>(sRow, dRow, g.cols, dPix, offsets);
            } else if (offsets) {
                for (int32_t k = 0; k < g.cols; ++k)
                    std::memcpy(dRow + k * dPix, sRow + offsets[k], bytes);
            } else {
                for (int32_t k = 0; k < g.cols; ++k) {
                    std::memcpy(dRow + k * dPix, sRow + truncToInt(x) * sPix, bytes);
                    x += xScale;
                }
            }
            if (offsets)
                x = xEnd;
            y += yScale;
        }
        iplFree(offsets);
    }
    *xPos = x;
    *yPos = y;
    return 1;
}

// One-axis kernels share a shape: the interpolated axis samples two (linear)
// or four (cubic) taps, the other axis takes the row or column it lands on.
template <class T, bool Cubic>
int decimX(const void* srcV, void* dstV, int dCh, int dChExt, int dPix, int dRowExt, int dLine,
           int dTotExt, int sCh, int sPix, int sRowExt, int sLine, int sTotExt, float xScale,
           float yScale, double* xPos, double* yPos)
{
    Regions g;
    if (!makeRegions(g, dCh, dChExt, dPix, dRowExt, dLine, dTotExt, sCh, sPix, sRowExt, sLine,
                     sTotExt))
        return 1;
    const T* src = static_cast<const T*>(srcV);
    T* dst = static_cast<T*>(dstV);
    const bool firstCol = isPositionZero(*xPos);
    double x = *xPos, y = *yPos;
    for (int c = 0; c < g.channels; ++c) {
        y = *yPos;
        for (int m = 0; m < g.rows; ++m) {
            const T* sRow = src + c * sCh + truncToInt(y) * sLine;
            T* dRow = dst + c * dCh + m * dLine;
            int k = 0;
            x = *xPos;
            if (firstCol) {
                dRow[0] = sRow[0];
                x = xScale;
                k = 1;
            }
            for (; k < g.cols; ++k) {
                int32_t i = truncToInt(x);
                double f = x - i;
                if (Cubic) {
                    if (static_cast<int64_t>(i) * sPix >= static_cast<int64_t>(sRowExt) - 2 * sPix) {
                        i -= 1;
                        f += 1.0;
                    }
                    const T* p = sRow + i * sPix;
                    dRow[k * dPix] = CubicOut<T>::put(
                        ownDecimCubicValue(p[-sPix], p[0], p[sPix], p[2 * sPix], f));
                } else {
                    const T* p = sRow + i * sPix;
                    dRow[k * dPix] = LinearOut<T>::put(double(p[sPix]) * f + double(p[0]) * (1.0 - f));
                }
                x += xScale;
            }
            y += yScale;
        }
    }
    *xPos = x;
    *yPos = y;
    return 1;
}

template <class T, bool Cubic>
int decimY(const void* srcV, void* dstV, int dCh, int dChExt, int dPix, int dRowExt, int dLine,
           int dTotExt, int sCh, int sPix, int sRowExt, int sLine, int sTotExt, float xScale,
           float yScale, double* xPos, double* yPos)
{
    Regions g;
    if (!makeRegions(g, dCh, dChExt, dPix, dRowExt, dLine, dTotExt, sCh, sPix, sRowExt, sLine,
                     sTotExt))
        return 1;
    const T* src = static_cast<const T*>(srcV);
    T* dst = static_cast<T*>(dstV);
    const bool firstRow = isPositionZero(*yPos);
    double x = *xPos, y = *yPos;
    for (int c = 0; c < g.channels; ++c) {
        y = *yPos;
        int m = 0;
        if (firstRow) {
            const T* sRow = src + c * sCh;
            T* dRow = dst + c * dCh;
            x = *xPos;
            for (int k = 0; k < g.cols; ++k) {
                dRow[k * dPix] = sRow[truncToInt(x) * sPix];
                x += xScale;
            }
            y = yScale;
            m = 1;
        }
        for (; m < g.rows; ++m) {
            int32_t j = truncToInt(y);
            double f = y - j;
            if (Cubic && static_cast<int64_t>(j) * sLine >= static_cast<int64_t>(sTotExt) - 2 * static_cast<int64_t>(sLine)) {
                j -= 1;
                f += 1.0;
            }
            const T* sRow = src + c * sCh + j * sLine;
            T* dRow = dst + c * dCh + m * dLine;
            x = *xPos;
            for (int k = 0; k < g.cols; ++k) {
                const T* p = sRow + truncToInt(x) * sPix;
                if (Cubic)
                    dRow[k * dPix] = CubicOut<T>::put(
                        ownDecimCubicValue(p[-sLine], p[0], p[sLine], p[2 * sLine], f));
                else
                    dRow[k * dPix] = LinearOut<T>::put(double(p[sLine]) * f + double(p[0]) * (1.0 - f));
                x += xScale;
            }
            y += yScale;
        }
    }
    *xPos = x;
    *yPos = y;
    return 1;
}

// The cubic formula on two lanes at once: the same products and sums in the
// same order as cubicWithPowers, each lane rounded as the scalar code rounds.
struct CubicPairFraction {
    __m128d t, t2, t3;
};

inline __m128d cubicPair(__m128d a, __m128d b, __m128d c, __m128d d, const CubicPairFraction& f)
{
    const __m128d k6 = _mm_set1_pd(static_cast<double>(1.0f / 6.0f));
    const __m128d three = _mm_set1_pd(3.0), six = _mm_set1_pd(6.0);
    const __m128d minusA = _mm_xor_pd(a, _mm_set1_pd(-0.0));
    const __m128d p1 = _mm_sub_pd(
        _mm_add_pd(_mm_sub_pd(_mm_mul_pd(_mm_set1_pd(-2.0), a), _mm_mul_pd(three, b)), _mm_mul_pd(six, c)), d);
    const __m128d p2 = _mm_add_pd(_mm_sub_pd(_mm_mul_pd(three, a), _mm_mul_pd(six, b)), _mm_mul_pd(three, c));
    const __m128d p3 = _mm_add_pd(_mm_sub_pd(_mm_add_pd(minusA, _mm_mul_pd(three, b)), _mm_mul_pd(three, c)), d);
    const __m128d sum = _mm_add_pd(
        _mm_add_pd(_mm_add_pd(_mm_mul_pd(six, b), _mm_mul_pd(f.t, p1)), _mm_mul_pd(f.t2, p2)), _mm_mul_pd(f.t3, p3));
    return _mm_mul_pd(sum, k6);
}

using CubicColumn = OwnCubicColumn;

// The two-axis cubic with the column taps worked out once for all rows and
// every channel of a pixel done together: the same sums as the plain loop
// (positions by the same additions, the same products in the same order),
// in fewer steps. False when there is no memory for the table. Rows of 8u
// pixels go to the integer-tap row kernel unless plain is asked for.
template <class T>
bool cubic2DByTable(const T* src, T* dst, const Regions& g, float xScale, float yScale, double* xPos, double* yPos,
                    bool plain)
{
    CubicColumn* cols = static_cast<CubicColumn*>(iplMalloc(static_cast<int32_t>(sizeof(CubicColumn) * int64_t(g.cols))));
    if (!cols)
        return false;
    double x = *xPos;
    for (int32_t k = 0; k < g.cols; ++k) {
        int32_t i = truncToInt(x);
        double fx = x - i;
        if (static_cast<int64_t>(i) * g.sPix >= static_cast<int64_t>(g.sRowExt) - 2 * g.sPix) {
            i -= 1;
            fx += 1.0;
        }
        cols[k] = CubicColumn{int64_t(i) * g.sPix, cubicFraction(fx)};
        x += xScale;
    }
    const int64_t sPix = g.sPix, sLine = g.sLine;
    double y = *yPos;
    bool integerTaps = false;
    for (int32_t m = 0; m < g.rows; ++m) {
        int32_t j = truncToInt(y);
        double fy = y - j;
        if (static_cast<int64_t>(j) * sLine >= static_cast<int64_t>(g.sTotExt) - 2 * sLine) {
            j -= 1;
            fy += 1.0;
        }
        const CubicFraction fyP = cubicFraction(fy);
        const T* sRow = src + j * sLine;
        T* dRow = dst + int64_t(m) * g.dLine;
        y += yScale;
        if constexpr (sizeof(T) == 1 && std::is_integral_v<T>) {
            // What may be read from tap row j - 1: up to the last row's right edge,
            // less a channel offset the region may start at.
            const int64_t readable = int64_t(g.sTotExt) - sLine + g.sRowExt - (sPix - 1) - (j - 1) * sLine;
            if (!plain && g.sCh == 1 && g.dCh == 1 &&
                ownDecimCubicRow8u(sRow, sLine, readable, g.sPix, cols, g.cols, g.channels, fyP, dRow, g.dPix)) {
                integerTaps = true;
                continue;
            }
        }
        int32_t k = 0;
        // Two destination columns at a time, each with its own fraction.
        for (; k + 1 < g.cols; k += 2) {
            const CubicColumn& c0 = cols[k];
            const CubicColumn& c1 = cols[k + 1];
            const CubicPairFraction fx{_mm_set_pd(c1.f.t, c0.f.t), _mm_set_pd(c1.f.t2, c0.f.t2),
                                       _mm_set_pd(c1.f.t3, c0.f.t3)};
            const CubicPairFraction fyPair{_mm_set1_pd(fyP.t), _mm_set1_pd(fyP.t2), _mm_set1_pd(fyP.t3)};
            for (int32_t c = 0; c < g.channels; ++c) {
                const T* p0 = sRow + int64_t(c) * g.sCh + c0.offset;
                const T* p1 = sRow + int64_t(c) * g.sCh + c1.offset;
                __m128d v[4];
                for (int r = 0; r < 4; ++r) {
                    const T* q0 = p0 + (r - 1) * sLine;
                    const T* q1 = p1 + (r - 1) * sLine;
                    v[r] = cubicPair(_mm_set_pd(double(q1[-sPix]), double(q0[-sPix])), _mm_set_pd(double(q1[0]), double(q0[0])),
                                     _mm_set_pd(double(q1[sPix]), double(q0[sPix])),
                                     _mm_set_pd(double(q1[2 * sPix]), double(q0[2 * sPix])), fx);
                }
                double out[2];
                _mm_storeu_pd(out, cubicPair(v[0], v[1], v[2], v[3], fyPair));
                dRow[int64_t(k) * g.dPix + int64_t(c) * g.dCh] = CubicOut<T>::put(out[0]);
                dRow[int64_t(k + 1) * g.dPix + int64_t(c) * g.dCh] = CubicOut<T>::put(out[1]);
            }
        }
        for (; k < g.cols; ++k) {
            const CubicColumn& col = cols[k];
            for (int32_t c = 0; c < g.channels; ++c) {
                const T* p = sRow + int64_t(c) * g.sCh + col.offset;
                double v[4];
                for (int r = 0; r < 4; ++r) {
                    const T* q = p + (r - 1) * sLine;
                    v[r] = cubicWithPowers(q[-sPix], q[0], q[sPix], q[2 * sPix], col.f);
                }
                dRow[int64_t(k) * g.dPix + int64_t(c) * g.dCh] =
                    CubicOut<T>::put(cubicWithPowers(v[0], v[1], v[2], v[3], fyP));
            }
        }
    }
    iplFree(cols);
    *xPos = x;
    *yPos = y;
    if (integerTaps) {
        ownCountFastPath(OwnFastPath::kCubicIntegerTaps);
        if (ownVectorLevel() >= OwnVectorLevel::kAvx)
            ownCountFastPath(OwnFastPath::kCubicIntegerTapsAvx);
        if (ownVectorLevel() >= OwnVectorLevel::kAvx2)
            ownCountFastPath(OwnFastPath::kCubicIntegerTapsAvx2);
    }
    return true;
}

template <class T, bool Cubic, bool Plain = false>
int decim2D(const void* srcV, void* dstV, int dCh, int dChExt, int dPix, int dRowExt, int dLine,
            int dTotExt, int sCh, int sPix, int sRowExt, int sLine, int sTotExt, float xScale,
            float yScale, double* xPos, double* yPos)
{
    T* dst = static_cast<T*>(dstV);
    if (dLine <= 0 || dPix <= 0)
        return 1;
    // The first row and column of the region are made by the one-axis kernels,
    // which take the edge sample unchanged.
    if (isPositionZero(*yPos)) {
        double xKeep = *xPos;
        decimX<T, Cubic>(srcV, dst, dCh, dChExt, dPix, dRowExt, dLine, dLine, sCh, sPix, sRowExt,
                         sLine, sTotExt, xScale, yScale, &xKeep, yPos);
        dst += dLine;
        dTotExt -= dLine;
        if (dTotExt / dLine <= 0)
            return 1;
    }
    if (isPositionZero(*xPos)) {
        double yKeep = *yPos;
        decimY<T, Cubic>(srcV, dst, dCh, dChExt, dPix, dPix, dLine, dTotExt, sCh, sPix, sRowExt,
                         sLine, sTotExt, xScale, yScale, xPos, &yKeep);
        dst += dPix;
        dRowExt -= dPix;
        if (dRowExt / dPix <= 0)
            return 1;
    }
    Regions g;
    if (!makeRegions(g, dCh, dChExt, dPix, dRowExt, dLine, dTotExt, sCh, sPix, sRowExt, sLine,
                     sTotExt))
        return 1;
    const T* src = static_cast<const T*>(srcV);
    if (Cubic && cubic2DByTable(src, dst, g, xScale, yScale, xPos, yPos, Plain))
        return 1;
    double x = *xPos, y = *yPos;
    for (int c = 0; c < g.channels; ++c) {
        y = *yPos;
        for (int m = 0; m < g.rows; ++m) {
            int32_t j = truncToInt(y);
            double fy = y - j;
            if (Cubic && static_cast<int64_t>(j) * sLine >= static_cast<int64_t>(sTotExt) - 2 * static_cast<int64_t>(sLine)) {
                j -= 1;
                fy += 1.0;
            }
            const T* sRow = src + c * sCh + j * sLine;
            T* dRow = dst + c * dCh + m * dLine;
            x = *xPos;
            for (int k = 0; k < g.cols; ++k) {
                int32_t i = truncToInt(x);
                double fx = x - i;
                if (Cubic) {
                    if (static_cast<int64_t>(i) * sPix >= static_cast<int64_t>(sRowExt) - 2 * sPix) {
                        i -= 1;
                        fx += 1.0;
                    }
                    double v[4];
                    for (int r = 0; r < 4; ++r) {
                        const T* p = sRow + (r - 1) * sLine + i * sPix;
                        v[r] = ownDecimCubicValue(p[-sPix], p[0], p[sPix], p[2 * sPix], fx);
                    }
                    dRow[k * dPix] = CubicOut<T>::put(ownDecimCubicValue(v[0], v[1], v[2], v[3], fy));
                } else {
                    const T* p = sRow + i * sPix;
                    const double lower = double(p[sLine + sPix]) * fx + double(p[sLine]) * (1.0 - fx);
                    const double upper = double(p[sPix]) * fx + double(p[0]) * (1.0 - fx);
                    dRow[k * dPix] = LinearOut<T>::put(lower * fy + upper * (1.0 - fy));
                }
                x += xScale;
            }
            y += yScale;
        }
    }
    *xPos = x;
    *yPos = y;
    return 1;
}

} // namespace

double ownDecimCubicValue(double a, double b, double c, double d, double t)
{
    return cubicWithPowers(a, b, c, d, cubicFraction(t));
}

#define OWN_DECIM_FORWARD sCh, sPix, sRowExt, sLine, sTotExt, xScale, yScale, xPos, yPos
#define OWN_DECIM_DST src, dst, dCh, dChExt, dPix, dRowExt, dLine, dTotExt

int ownDecimNN_8u(OWN_DECIM_KERNEL_ARGS)
{
    (void)sRowExt; (void)sTotExt;
    return decimNN<uint8_t>(OWN_DECIM_DST, sCh, sPix, sLine, xScale, yScale, xPos, yPos);
}
int ownDecimNN_16u(OWN_DECIM_KERNEL_ARGS)
{
    (void)sRowExt; (void)sTotExt;
    return decimNN<uint16_t>(OWN_DECIM_DST, sCh, sPix, sLine, xScale, yScale, xPos, yPos);
}
int ownDecimNN_32f(OWN_DECIM_KERNEL_ARGS)
{
    (void)sRowExt; (void)sTotExt;
    return decimNN<float>(OWN_DECIM_DST, sCh, sPix, sLine, xScale, yScale, xPos, yPos);
}
int ownDecimLinear_8u(OWN_DECIM_KERNEL_ARGS) { return decim2D<uint8_t, false>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimLinear_16u(OWN_DECIM_KERNEL_ARGS) { return decim2D<uint16_t, false>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimLinear_32f(OWN_DECIM_KERNEL_ARGS) { return decim2D<float, false>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimLinearX_8u(OWN_DECIM_KERNEL_ARGS) { return decimX<uint8_t, false>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimLinearX_16u(OWN_DECIM_KERNEL_ARGS) { return decimX<uint16_t, false>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimLinearX_32f(OWN_DECIM_KERNEL_ARGS) { return decimX<float, false>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimLinearY_8u(OWN_DECIM_KERNEL_ARGS) { return decimY<uint8_t, false>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimLinearY_16u(OWN_DECIM_KERNEL_ARGS) { return decimY<uint16_t, false>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimLinearY_32f(OWN_DECIM_KERNEL_ARGS) { return decimY<float, false>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimCubic_8u(OWN_DECIM_KERNEL_ARGS) { return decim2D<uint8_t, true>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimCubicPlain_8u(OWN_DECIM_KERNEL_ARGS) { return decim2D<uint8_t, true, true>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimCubic_16u(OWN_DECIM_KERNEL_ARGS) { return decim2D<uint16_t, true>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimCubic_32f(OWN_DECIM_KERNEL_ARGS) { return decim2D<float, true>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimCubicX_8u(OWN_DECIM_KERNEL_ARGS) { return decimX<uint8_t, true>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimCubicX_16u(OWN_DECIM_KERNEL_ARGS) { return decimX<uint16_t, true>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimCubicX_32f(OWN_DECIM_KERNEL_ARGS) { return decimX<float, true>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimCubicY_8u(OWN_DECIM_KERNEL_ARGS) { return decimY<uint8_t, true>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimCubicY_16u(OWN_DECIM_KERNEL_ARGS) { return decimY<uint16_t, true>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
int ownDecimCubicY_32f(OWN_DECIM_KERNEL_ARGS) { return decimY<float, true>(OWN_DECIM_DST, OWN_DECIM_FORWARD); }
