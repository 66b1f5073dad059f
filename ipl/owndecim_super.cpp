// Super-sampling decimation kernels: each destination pixel is the mean of
// the source area it covers, edge pixels weighted by the part inside. The
// pass over rows fills a column buffer; the pass over its columns writes the
// destination column by column.
#include "ipl/own_ops.h"
#include "ipl/own_super.h"
#include "ipl/ownipl.h"

#include <cstdint>
#include <cstring>

namespace {

const char kUnit[] = "owndecim";
const char kNoBuffer[] = "Can't create temporary buffer for interpolate = IPL_INTER_SUPER";

inline int32_t truncToInt(double v) { return ownSuperTrunc(v); }

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

using ColumnStep = OwnSuperStep;
using RowOp = OwnSuperRowOp;

// A block from iplMalloc that frees itself.
struct Scratch {
    void* p = nullptr;
    explicit Scratch(int64_t bytes)
        : p(bytes > 0 && bytes <= INT32_MAX ? iplMalloc(static_cast<int32_t>(bytes)) : nullptr) {}
    ~Scratch() { iplFree(p); }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
};

// Source row r into buffer row m, all channels at once (buffer rows hold N
// columns of Nc channels side by side). Three ways, as the walk along y asks.
template <class T>
void rowIntoBuffer(const T* sRow, float* bRow, int32_t N, int32_t Nc, int32_t sPix, int32_t sCh, RowOp op, float w)
{
    if (sCh == 1 && sPix == Nc) {
        // Whole pixels side by side: one contiguous run.
        const int32_t n = N * Nc;
        switch (op) {
        case RowOp::kAddWeighted:
            for (int32_t e = 0; e < n; ++e)
                bRow[e] += static_cast<float>(sRow[e]) * w;
            return;
        case RowOp::kSetWeighted:
            for (int32_t e = 0; e < n; ++e)
                bRow[e] = static_cast<float>(sRow[e]) * w;
            return;
        case RowOp::kAdd:
            for (int32_t e = 0; e < n; ++e)
                bRow[e] += static_cast<float>(sRow[e]);
            return;
        }
    }
    for (int32_t j = 0; j < N; ++j)
        for (int32_t c = 0; c < Nc; ++c) {
            const float v = static_cast<float>(sRow[int64_t(j) * sPix + int64_t(c) * sCh]);
            float& b = bRow[int64_t(j) * Nc + c];
            switch (op) {
            case RowOp::kAddWeighted: b += v * w; break;
            case RowOp::kSetWeighted: b = v * w; break;
            case RowOp::kAdd: b += v; break;
            }
        }
}

// The pass along x for one destination row: buffer columns into destination
// columns, all channels. With the channel count fixed at compile time (NC
// 1..4) the accumulators live in registers; NC 0 takes Nc from the call and
// the accumulators from acc. The sums are the same either way.
template <class T, int NC>
void flushRow(const ColumnStep* steps, int32_t stepCount, const float* buf, int32_t Nc, float* acc, T* drow,
              int dPix, int dCh, int W, double norm)
{
    float local[NC > 0 ? NC : 1];
    float* a = NC > 0 ? local : acc;
    const int n = NC > 0 ? NC : Nc;
    for (int c = 0; c < n; ++c)
        a[c] = 0.0f;
    int k = 0;
    for (int32_t q = 0; q < stepCount; ++q) {
        const ColumnStep& st = steps[q];
        const float* v = buf + int64_t(st.column) * Nc;
        T* out = drow + int64_t(k) * dPix;
        switch (st.kind) {
        case ColumnStep::kFinish:
            for (int c = 0; c < n; ++c)
                out[c * dCh] = SuperOut<T>::put(v[c] * st.weightEnd + a[c], norm);
            ++k;
            break;
        case ColumnStep::kFinishAndStart:
            for (int c = 0; c < n; ++c) {
                out[c * dCh] = SuperOut<T>::put(v[c] * st.weightEnd + a[c], norm);
                a[c] = v[c] * st.weightStart;
            }
            ++k;
            break;
        case ColumnStep::kStart:
            for (int c = 0; c < n; ++c)
                a[c] = v[c] * st.weightStart;
            break;
        case ColumnStep::kAdd:
            for (int c = 0; c < n; ++c)
                a[c] += v[c];
            break;
        case ColumnStep::kAddAndFinish:
            for (int c = 0; c < n; ++c) {
                a[c] += v[c];
                out[c * dCh] = SuperOut<T>::put(a[c], norm);
                a[c] = 0.0f;
            }
            ++k;
            break;
        }
    }
    if (k < W)
        for (int c = 0; c < n; ++c)
            drow[int64_t(k) * dPix + c * dCh] = SuperOut<T>::put(a[c], norm);
}

template <class T>
int decimSuper(const void* srcV, void* dstV, int dCh, int dChExt, int dPix, int dRowExt, int dLine,
               int dTotExt, int sCh, int sPix, int sRowExt, int sLine, int sTotExt, float xScale,
               float yScale, double* xPos, double* yPos)
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

    // The buffer row being filled (N columns of Nc channels side by side),
    // the accumulators and the walk along x. A buffer row is complete once
    // the walk along y moves past it, so each is turned into its destination
    // row at once and the one row is reused.
    const int64_t rowValues = static_cast<int64_t>(N) * Nc;
    Scratch bufBlock((rowValues > 0 ? rowValues : 1) * 4), accBlock(int64_t(Nc) * 4),
        stepBlock(int64_t(N > 0 ? N : 1) * int64_t(sizeof(ColumnStep)));
    float* buf = static_cast<float*>(bufBlock.p);
    float* acc = static_cast<float*>(accBlock.p);
    ColumnStep* steps = static_cast<ColumnStep*>(stepBlock.p);
    if (!buf || !acc || !steps) {
        OWN_ERROR(-4, "iplDecimate", kNoBuffer, kUnit);
        return 0;
    }
    const double norm = 1.0 / (static_cast<double>(xScale) * static_cast<double>(yScale));
    const int32_t stepCount = ownSuperColumnSteps(x0, xScale, N, W, steps);

    // Buffer columns into destination columns of row mm, all channels.
    auto flush = [&](int mm) {
        T* drow = dst + static_cast<int64_t>(mm) * dLine;
        switch (Nc) {
        case 1: flushRow<T, 1>(steps, stepCount, buf, Nc, acc, drow, dPix, dCh, W, norm); break;
        case 2: flushRow<T, 2>(steps, stepCount, buf, Nc, acc, drow, dPix, dCh, W, norm); break;
        case 3: flushRow<T, 3>(steps, stepCount, buf, Nc, acc, drow, dPix, dCh, W, norm); break;
        case 4: flushRow<T, 4>(steps, stepCount, buf, Nc, acc, drow, dPix, dCh, W, norm); break;
        default: flushRow<T, 0>(steps, stepCount, buf, Nc, acc, drow, dPix, dCh, W, norm); break;
        }
    };
    auto clearRow = [&] { std::memset(buf, 0, static_cast<size_t>(rowValues) * 4); };

    // Rows into the buffer row; each finished row is flushed.
    clearRow();
    const T* sc = src + int64_t(r0) * sLine + int64_t(c0) * sPix;
    ownSuperRowWalk(
        y0, yScale, R, H,
        [&](int32_t r, RowOp op, float w) { rowIntoBuffer(sc + int64_t(r) * sLine, buf, N, Nc, sPix, sCh, op, w); },
        [&](int32_t m) {
            flush(m);
            clearRow();
        });
    *xPos = W * static_cast<double>(xScale) + x0;
    *yPos = H * static_cast<double>(yScale) + y0;
    return 1;
}

} // namespace

int32_t ownSuperColumnSteps(double x0, float xScale, int32_t N, int32_t W, OwnSuperStep* steps)
{
    int32_t count = 0;
    int32_t bx = truncToInt(x0 + 0.0001);
    double wx = 1.0 - (x0 - bx);
    double ex = x0;
    int32_t k = 0;
    for (int32_t j = 0; j < N && k < W; ++j) {
        ++bx;
        if (ex + 0.0001 <= bx) {
            ColumnStep st{j, ColumnStep::kStart, 0.0f, 0.0f};
            if (j != 0) {
                st.kind = ColumnStep::kFinishAndStart;
                st.weightEnd = static_cast<float>(ex - truncToInt(ex));
                if (++k >= W) {
                    st.kind = ColumnStep::kFinish;
                    steps[count++] = st;
                    break;
                }
                wx = 1.0 - (ex - truncToInt(ex));
            }
            ex += xScale;
            st.weightStart = static_cast<float>(wx);
            steps[count++] = st;
        } else {
            ColumnStep st{j, ColumnStep::kAdd, 0.0f, 0.0f};
            if (ex <= bx) {
                st.kind = ColumnStep::kAddAndFinish;
                ex += xScale;
                ++k;
            }
            steps[count++] = st;
        }
    }
    return count;
}

int ownDecimSuperFloat_8u(OWN_DECIM_KERNEL_ARGS)
{
    return decimSuper<uint8_t>(src, dst, dCh, dChExt, dPix, dRowExt, dLine, dTotExt, sCh, sPix,
                               sRowExt, sLine, sTotExt, xScale, yScale, xPos, yPos);
}

int ownDecimSuper_8u(OWN_DECIM_KERNEL_ARGS)
{
    const int exact = ownDecimSuperExact_8u(src, dst, dCh, dChExt, dPix, dRowExt, dLine, dTotExt, sCh, sPix,
                                            sRowExt, sLine, sTotExt, xScale, yScale, xPos, yPos);
    if (exact >= 0)
        return exact;
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
