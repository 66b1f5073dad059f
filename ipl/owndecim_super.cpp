// Super-sampling decimation kernels: each destination pixel is the mean of
// the source area it covers, edge pixels weighted by the part inside. The
// pass over rows fills a column buffer; the pass over its columns writes the
// destination column by column.
#include "ipl/own_ops.h"
#include "ipl/ownipl.h"

#include <cstdint>
#include <cstring>
#include <vector>

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

// One step of the walk along x over the buffer columns.
struct ColumnStep {
    enum Kind { kStart, kFinish, kFinishAndStart, kAdd, kAddAndFinish };
    int32_t column;
    Kind kind;
    float weightEnd;    // share of this column in the destination column it ends
    float weightStart;  // share of this column in the destination column it starts
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

    // The walk along x, shared by every row and channel.
    std::vector<ColumnStep> steps;
    {
        int32_t bx = truncToInt(x0 + 0.0001);
        double wx = 1.0 - (x0 - bx);
        double ex = x0;
        int k = 0;
        for (int j = 0; j < N && k < W; ++j) {
            ++bx;
            if (ex + 0.0001 <= bx) {
                ColumnStep st{j, ColumnStep::kStart, 0.0f, 0.0f};
                if (j != 0) {
                    st.kind = ColumnStep::kFinishAndStart;
                    st.weightEnd = static_cast<float>(ex - truncToInt(ex));
                    if (++k >= W) {
                        st.kind = ColumnStep::kFinish;
                        steps.push_back(st);
                        break;
                    }
                    wx = 1.0 - (ex - truncToInt(ex));
                }
                ex += xScale;
                st.weightStart = static_cast<float>(wx);
                steps.push_back(st);
            } else {
                ColumnStep st{j, ColumnStep::kAdd, 0.0f, 0.0f};
                if (ex <= bx) {
                    st.kind = ColumnStep::kAddAndFinish;
                    ex += xScale;
                    ++k;
                }
                steps.push_back(st);
            }
        }
    }

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
        // Buffer columns into destination columns. The walk along x is the
        // same for every row, so it is worked out once and then run row by
        // row over contiguous buffer rows.
        T* dc = dst + c * dCh;
        for (int mm = 0; mm < H; ++mm) {
            const float* brow = cb + static_cast<int64_t>(mm) * N;
            T* drow = dc + static_cast<int64_t>(mm) * dLine;
            float a = 0.0f;
            int k = 0;
            for (const ColumnStep& st : steps) {
                const float v = brow[st.column];
                switch (st.kind) {
                case ColumnStep::kFinishAndStart:
                    drow[k * dPix] = SuperOut<T>::put(v * st.weightEnd + a, norm);
                    ++k;
                    a = v * st.weightStart;
                    break;
                case ColumnStep::kFinish:
                    drow[k * dPix] = SuperOut<T>::put(v * st.weightEnd + a, norm);
                    ++k;
                    break;
                case ColumnStep::kStart:
                    a = v * st.weightStart;
                    break;
                case ColumnStep::kAdd:
                    a += v;
                    break;
                case ColumnStep::kAddAndFinish:
                    a += v;
                    drow[k * dPix] = SuperOut<T>::put(a, norm);
                    a = 0.0f;
                    ++k;
                    break;
                }
            }
            if (k < W)
                drow[k * dPix] = SuperOut<T>::put(a, norm);
        }
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
