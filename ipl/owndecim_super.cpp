// Super-sampling decimation kernels: each destination pixel is the mean of
// the source area it covers, edge pixels weighted by the part inside. The
// pass over rows fills a column buffer; the pass over its columns writes the
// destination column by column.
#include "ipl/own_ops.h"
#include "ipl/ownipl.h"

#include <cstdint>
#include <cstring>

namespace {

const char kUnit[] = "owndecim";
const char kNoBuffer[] = "Can't create temporary buffer for interpolate = IPL_INTER_SUPER";

inline int32_t truncToInt(double v) { return static_cast<int32_t>(v); }

template <class T> struct SuperOut;
template <> struct SuperOut<uint8_t> {
    static uint8_t put(double v, double norm) { return static_cast<uint8_t>(truncToInt(v * norm + 0.5) & 0xFF); }
};
template <> struct SuperOut<uint16_t> {
    static uint16_t put(double v, double norm) { return static_cast<uint16_t>(truncToInt(v * norm + 0.5) & 0xFFFF); }
};
template <> struct SuperOut<float> {
    static float put(double v, double norm) { return static_cast<float>(v * norm); }
};

template <class T>
int decimSuper(const void* srcV, void* dstV, int dCh, int dChExt, int dPix, int dRowExt, int dLine,
               int dTotExt, int sCh, int sPix, int sRowExt, int sLine, int sTotExt, float xScale,
               float yScale, float* xPos, float* yPos)
{
    if (dCh <= 0 || dPix <= 0 || dLine <= 0 || sPix <= 0 || sLine <= 0)
        return 1;
    const int W = dRowExt / dPix, H = dTotExt / dLine, Nc = dChExt / dCh;
    if (W <= 0 || H <= 0 || Nc <= 0)
        return 1;
    const T* src = static_cast<const T*>(srcV);
    T* dst = static_cast<T*>(dstV);
    const double x0 = *xPos, y0 = *yPos;
    const int32_t c0 = truncToInt(x0), r0 = truncToInt(y0);
    int32_t N = truncToInt((W + 1) * static_cast<double>(xScale)) + 1;
    while (N > 0 && static_cast<int64_t>(c0 + N) * sPix > sRowExt)
        --N;
    int32_t R = truncToInt((H + 1) * static_cast<double>(yScale)) + 1;
    while (R > 0 && static_cast<int64_t>(r0 + R) * sLine > sTotExt)
        --R;

    const int64_t bufCount = static_cast<int64_t>(N) * H * Nc;
    float* buf = bufCount > 0 && bufCount * 4 <= INT32_MAX
                     ? static_cast<float*>(iplMalloc(static_cast<int32_t>(bufCount * 4)))
                     : nullptr;
    float* acc = static_cast<float*>(iplMalloc(H * 4));
    if (!buf || !acc) {
        iplFree(buf);
        iplFree(acc);
        OWN_ERROR(-4, "iplDecimate", kNoBuffer, kUnit);
        return 0;
    }
    std::memset(buf, 0, static_cast<size_t>(bufCount) * 4);
    const double norm = 1.0 / (static_cast<double>(xScale) * static_cast<double>(yScale));

    for (int c = 0; c < Nc; ++c) {
        float* cb = buf + static_cast<int64_t>(c) * N * H;  // row m at cb + m * N
        const T* sc = src + c * sCh + r0 * sLine + c0 * sPix;
        // Rows into the column buffer.
        int32_t b = truncToInt(y0 + 0.0001);
        double w = 1.0 - (y0 - b);
        double e = y0;
        int m = 0;
        for (int r = 0; r < R && m < H; ++r) {
            const T* sRow = sc + r * sLine;
            ++b;
            if (e + 0.0001 <= b) {
                if (r != 0) {
                    const float wf = static_cast<float>(e - truncToInt(e));
                    float* row = cb + static_cast<int64_t>(m) * N;
                    for (int j = 0; j < N; ++j)
                        row[j] += static_cast<float>(sRow[j * sPix]) * wf;
                    if (++m >= H)
                        break;
                    w = 1.0 - (e - truncToInt(e));
                }
                e += yScale;
                const float wf = static_cast<float>(w);
                float* row = cb + static_cast<int64_t>(m) * N;
                for (int j = 0; j < N; ++j)
                    row[j] = static_cast<float>(sRow[j * sPix]) * wf;
            } else {
                float* row = cb + static_cast<int64_t>(m) * N;
                for (int j = 0; j < N; ++j)
                    row[j] += static_cast<float>(sRow[j * sPix]);
                if (e <= b) {
                    e += yScale;
                    ++m;
                }
            }
        }
        // Buffer columns into destination columns.
        T* dc = dst + c * dCh;
        int32_t bx = truncToInt(x0 + 0.0001);
        double wx = 1.0 - (x0 - bx);
        double ex = x0;
        int k = 0;
        for (int j = 0; j < N && k < W; ++j) {
            ++bx;
            if (ex + 0.0001 <= bx) {
                if (j != 0) {
                    const float wf = static_cast<float>(ex - truncToInt(ex));
                    for (int mm = 0; mm < H; ++mm) {
                        const float a = cb[static_cast<int64_t>(mm) * N + j] * wf + acc[mm];
                        dc[mm * dLine + k * dPix] = SuperOut<T>::put(a, norm);
                    }
                    if (++k >= W)
                        break;
                    wx = 1.0 - (ex - truncToInt(ex));
                }
                ex += xScale;
                const float wf = static_cast<float>(wx);
                for (int mm = 0; mm < H; ++mm)
                    acc[mm] = cb[static_cast<int64_t>(mm) * N + j] * wf;
            } else {
                for (int mm = 0; mm < H; ++mm)
                    acc[mm] += cb[static_cast<int64_t>(mm) * N + j];
                if (ex <= bx) {
                    for (int mm = 0; mm < H; ++mm) {
                        dc[mm * dLine + k * dPix] = SuperOut<T>::put(acc[mm], norm);
                        acc[mm] = 0.0f;
                    }
                    ex += xScale;
                    ++k;
                }
            }
        }
        if (k < W)
            for (int mm = 0; mm < H; ++mm)
                dc[mm * dLine + k * dPix] = SuperOut<T>::put(acc[mm], norm);
    }
    *xPos = static_cast<float>(W * static_cast<double>(xScale) + x0);
    *yPos = static_cast<float>(H * static_cast<double>(yScale) + y0);
    iplFree(buf);
    iplFree(acc);
    return 1;
}

} // namespace

int ownDecimSuper_8u(OWN_DECIM_KERNEL_ARGS)
{
    return decimSuper<uint8_t>(src, dst, dCh, dChExt, dPix, dRowExt, dLine, dTotExt, sCh, sPix,
                               sRowExt, sLine, sTotExt, xScale, yScale, xPos, yPos);
}
int ownDecimSuper_16u(OWN_DECIM_KERNEL_ARGS)
{
    return decimSuper<uint16_t>(src, dst, dCh, dChExt, dPix, dRowExt, dLine, dTotExt, sCh, sPix,
                                sRowExt, sLine, sTotExt, xScale, yScale, xPos, yPos);
}
int ownDecimSuper_32f(OWN_DECIM_KERNEL_ARGS)
{
    return decimSuper<float>(src, dst, dCh, dChExt, dPix, dRowExt, dLine, dTotExt, sCh, sPix,
                             sRowExt, sLine, sTotExt, xScale, yScale, xPos, yPos);
}
