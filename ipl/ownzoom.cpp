// Row kernels of the zoom. Nearest neighbour copies samples; linear and cubic
// interpolate each needed source row horizontally into a row buffer once and
// combine two or four buffered rows into each destination row.
//
// The arithmetic follows two evaluation styles that differ in their last
// bits: the four-wide steps (single precision, the first 4*floor(n/4) values
// of a contiguous run) and the one-at-a-time steps (the rest). Both are kept
// here so that results do not depend on how a run is cut.
#include "ipl/own_ops.h"
#include "ipl/own_zoom_sse.h"
#include "ipl/ipl.h"
#include "ipl/owncpu.h"

#include <cfenv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace {

inline bool maskSet(const OwnZoomJob& job, const unsigned char* maskRow, int32_t i)
{
    const int32_t k = job.maskBit0 + i;
    return ((maskRow[k >> 3] >> (7 - (k & 7))) & 1) != 0;
}

// The cubic steps select rounding to nearest for their duration and give
// the caller's mode back afterwards.
class RoundToNearest {
public:
    RoundToNearest() : saved_(std::fegetround()) { std::fesetround(FE_TONEAREST); }
    ~RoundToNearest() { std::fesetround(saved_); }
    RoundToNearest(const RoundToNearest&) = delete;
    RoundToNearest& operator=(const RoundToNearest&) = delete;

private:
    int saved_;
};

// ---- nearest neighbour ------------------------------------------------------

// Copies W pixels of B bytes each from the columns of colTab.
template <size_t B, class T>
void nnRow(const T* sRow, T* dRow, const OwnZoomJob& job)
{
    for (int32_t i = 0; i < job.W; ++i)
        std::memcpy(dRow + static_cast<int64_t>(i) * job.dstCh, sRow + job.colTab[i], B);
}

// The shuffle plan of a nearest-neighbour zoom of four-byte 8u pixels, when
// the processor has AVX2 and most groups of four pixels can be shuffled.
class NNShufflePlan {
public:
    NNShufflePlan(const OwnZoomJob& job, bool bytes)
    {
        const int32_t groups = job.W / 4;
        if (!bytes || job.mask || job.srcCh != 4 || job.dstCh != 4 || job.nch < 3 || groups < 2 ||
            groups > INT32_MAX / 16 || ownVectorLevel() < OwnVectorLevel::kAvx2)
            return;
        start_ = static_cast<int32_t*>(iplMalloc(groups * 4));
        control_ = static_cast<uint8_t*>(iplMalloc(groups * 16));
        if (!start_ || !control_)
            return;
        plan_.start = start_;
        plan_.control = control_;
        // Groups left to the pixel copy cost a test each: not worth it when
        // few can be shuffled (strong shrinking).
        if (ownZoomNNPlanShuffles(job.colTab, job.W, plan_) * 2 >= groups) {
            usable_ = true;
            ownCountFastPath(OwnFastPath::kNearestShufflesAvx2);
        }
    }
    ~NNShufflePlan()
    {
        iplFree(start_);
        iplFree(control_);
    }
    NNShufflePlan(const NNShufflePlan&) = delete;
    NNShufflePlan& operator=(const NNShufflePlan&) = delete;
    const OwnNNShuffles* get() const { return usable_ ? &plan_ : nullptr; }

private:
    int32_t* start_ = nullptr;
    uint8_t* control_ = nullptr;
    OwnNNShuffles plan_;
    bool usable_ = false;
};

template <class T>
void nnPixel(const OwnZoomJob& job)
{
    const T* src = static_cast<const T*>(job.src);
    T* dst = static_cast<T*>(job.dst);
    const unsigned char* maskRow = job.mask;
    const size_t pixelBytes = static_cast<size_t>(job.nch) * sizeof(T);
    const NNShufflePlan shuffles(job, sizeof(T) == 1);
    const OwnNNShuffles* plan = shuffles.get();
    for (int32_t j = 0; j < job.H; ++j) {
        const T* sRow = src + job.rowTab[j];
        T* dRow = dst + static_cast<int64_t>(j) * job.dstStep;
        if (!maskRow && j > 0 && job.rowTab[j] == job.rowTab[j - 1] && job.dstCh == job.nch) {
            // The same source row again, whole pixels side by side: the row just made.
            std::memcpy(dRow, dRow - job.dstStep, static_cast<size_t>(job.W) * pixelBytes);
            continue;
        }
        if (plan && (j == 0 || job.rowTab[j] != job.rowTab[j - 1])) {
            ownZoomNNRowShufflesAvx2(reinterpret_cast<const uint8_t*>(sRow), reinterpret_cast<uint8_t*>(dRow),
                                     job.colTab, job.W, *plan, job.nch == 3);
            continue;
        }
        if (!maskRow && sizeof(T) == 1 && job.nch == 3 && job.srcCh == 4 && job.dstCh == 4) {
            // Three bytes of four-byte pixels: whole words, the fourth byte kept.
            unsigned char* d = reinterpret_cast<unsigned char*>(dRow);
            if (j > 0 && job.rowTab[j] == job.rowTab[j - 1]) {
                ownZoomStore3of4(d - static_cast<int64_t>(job.dstStep), d, job.W);
                continue;
            }
            const unsigned char* sb = reinterpret_cast<const unsigned char*>(sRow);
            const int32_t* colTab = job.colTab;
            const int32_t W = job.W;
            for (int32_t i = 0; i < W; ++i) {
                uint32_t sv, dv;
                std::memcpy(&sv, sb + colTab[i], 4);
                std::memcpy(&dv, d + 4 * static_cast<int64_t>(i), 4);
                dv = (sv & 0x00FFFFFFu) | (dv & 0xFF000000u);
                std::memcpy(d + 4 * static_cast<int64_t>(i), &dv, 4);
            }
            continue;
        }
        if (!maskRow) {
            switch (pixelBytes) {
            case 1: nnRow<1>(sRow, dRow, job); continue;
            case 2: nnRow<2>(sRow, dRow, job); continue;
            case 3: nnRow<3>(sRow, dRow, job); continue;
            case 4: nnRow<4>(sRow, dRow, job); continue;
            case 6: nnRow<6>(sRow, dRow, job); continue;
            case 8: nnRow<8>(sRow, dRow, job); continue;
            case 12: nnRow<12>(sRow, dRow, job); continue;
            case 16: nnRow<16>(sRow, dRow, job); continue;
            default: break;
            }
        }
        for (int32_t i = 0; i < job.W; ++i) {
            if (maskRow && !maskSet(job, maskRow, i))
                continue;
            std::memcpy(dRow + static_cast<int64_t>(i) * job.dstCh, sRow + job.colTab[i], pixelBytes);
        }
        if (maskRow)
            maskRow += job.maskStep;
    }
}

template <class T>
void nnPlane(const OwnZoomJob& job)
{
    for (int32_t p = 0; p < job.nch; ++p) {
        const T* src = static_cast<const T*>(job.src) + static_cast<int64_t>(p) * job.srcPlane;
        T* dst = static_cast<T*>(job.dst) + static_cast<int64_t>(p) * job.dstPlane;
        const unsigned char* maskRow = job.mask;
        for (int32_t j = 0; j < job.H; ++j) {
            const T* sRow = src + job.rowTab[j];
            T* dRow = dst + static_cast<int64_t>(j) * job.dstStep;
            for (int32_t i = 0; i < job.W; ++i)
                if (!maskRow || maskSet(job, maskRow, i))
                    dRow[i] = sRow[job.colTab[i]];
            if (maskRow)
                maskRow += job.maskStep;
        }
    }
}

// ---- interpolation policies ---------------------------------------------------

// Where the values of one buffered row come from and go to.
struct RowShape {
    bool plane;      // plane order: one channel per buffered value
    int32_t chans;   // channels per buffered pixel
    int32_t second;  // element distance of the next source column
};

inline int32_t roundFourWide(float v, int32_t hi)
{
    const float f = v + 0.00001f;
    if (!(f > 0.0f))
        return 0;
    if (f >= static_cast<float>(hi))
        return hi;
    return static_cast<int32_t>(ownRoundHalfEven(f));
}

inline int32_t roundOneAtATime(float v, int32_t hi)
{
    const double f = static_cast<double>(v) + 0.00001 - 0.5;
    if (!(f > 0.0))
        return 0;
    if (f >= hi)
        return hi;
    return static_cast<int32_t>(ownRoundHalfEven(f));
}

template <class T>
struct Linear16;

// Linear 8u: 16-bit fixed point, buffer in units of 1/64.
template <>
struct Linear16<uint8_t> {
    using Buf = uint16_t;
    static constexpr int kTaps = 2;
    static constexpr int kFirst = 0;
    static void horiz(const uint8_t* p, Buf* h, const OwnZoomJob& job, const RowShape& s)
    {
        const uint16_t* wx = static_cast<const uint16_t*>(job.wx);
        const int32_t done = (s.chans == 4 || s.chans == 3) && s.second == 4
                                 ? ownZoomLinearHorizontal8uC4(p, h, job.colTab, wx, job.W, s.chans)
                                 : 0;
        for (int32_t i = done; i < job.W; ++i) {
            const uint32_t a = wx[2 * i], b = wx[2 * i + 1];
            const uint8_t* q = p + job.colTab[i];
            for (int32_t c = 0; c < s.chans; ++c)
                h[i * s.chans + c] = static_cast<Buf>((a * q[c] + b * q[c + s.second]) >> 8);
        }
    }
    static uint8_t vert(const Buf* const* r, int32_t e, uint32_t wy, bool)
    {
        return static_cast<uint8_t>(((16384u - wy) * r[0][e] + wy * r[1][e]) >> 20);
    }
    static int32_t vertRun(const Buf* const* r, uint8_t* d, int32_t n, uint32_t wy)
    {
        return ownZoomLinearVertical8u(r[0], r[1], d, n, wy);
    }
};

// Linear 16u: the lowest bit of each sample is dropped so that the sums fit.
template <>
struct Linear16<uint16_t> {
    using Buf = uint16_t;
    static constexpr int kTaps = 2;
    static constexpr int kFirst = 0;
    static void horiz(const uint16_t* p, Buf* h, const OwnZoomJob& job, const RowShape& s)
    {
        const uint16_t* wx = static_cast<const uint16_t*>(job.wx);
        for (int32_t i = 0; i < job.W; ++i) {
            const uint32_t a = wx[2 * i], b = wx[2 * i + 1];
            const uint16_t* q = p + job.colTab[i];
            for (int32_t c = 0; c < s.chans; ++c)
                h[i * s.chans + c] =
                    static_cast<Buf>((a * (q[c] >> 1u) + b * (q[c + s.second] >> 1u)) >> 14);
        }
    }
    static uint16_t vert(const Buf* const* r, int32_t e, uint32_t wy, bool)
    {
        return static_cast<uint16_t>(((16384u - wy) * r[0][e] + wy * r[1][e]) >> 13);
    }
    static int32_t vertRun(const Buf* const* r, uint16_t* d, int32_t n, uint32_t wy)
    {
        return ownZoomLinearVertical16u(r[0], r[1], d, n, wy);
    }
};

struct LinearF {
    using Buf = float;
    static constexpr int kTaps = 2;
    static constexpr int kFirst = 0;
    static void horiz(const float* p, Buf* h, const OwnZoomJob& job, const RowShape& s)
    {
        const float* wx = static_cast<const float*>(job.wx);
        // Plane order runs four-wide over the first 4*floor(W/4) columns.
        const int32_t wide = s.plane ? (job.W / 4) * 4 : 0;
        for (int32_t i = 0; i < job.W; ++i) {
            const float* q = p + job.colTab[i];
            for (int32_t c = 0; c < s.chans; ++c) {
                const float p0 = q[c], p1 = q[c + s.second];
                if (i < wide)
                    h[i * s.chans + c] = p0 + (p1 - p0) * wx[i];
                else
                    h[i * s.chans + c] = static_cast<float>(
                        double(p0) + (double(p1) - double(p0)) * double(wx[i]));
            }
        }
    }
    static float vert(const Buf* const* r, int32_t e, float wy, bool fourWide)
    {
        if (fourWide)
            return r[0][e] * (1.0f - wy) + r[1][e] * wy;
        return static_cast<float>(double(r[0][e]) * (1.0 - double(wy)) + double(r[1][e]) * double(wy));
    }
    static int32_t vertRun(const Buf* const* r, float* d, int32_t n, float wy)
    {
        return ownZoomLinearVertical32f(r[0], r[1], d, n, wy);
    }
};

template <class T>
struct Cubic {
    using Buf = float;
    static constexpr int kTaps = 4;
    static constexpr int kFirst = -1;
    static void horiz(const T* p, Buf* h, const OwnZoomJob& job, const RowShape& s)
    {
        const float* wx = static_cast<const float*>(job.wx);
        const int32_t d = s.second;
        int32_t done = 0;
        if constexpr (sizeof(T) == 1)
            if ((s.chans == 4 || s.chans == 3) && d == 4)
                done = ownZoomCubicHorizontal8uC4(p, h, job.colTab, wx, job.W, s.chans);
        for (int32_t i = done; i < job.W; ++i) {
            const T* q = p + job.colTab[i];
            for (int32_t c = 0; c < s.chans; ++c)
                h[i * s.chans + c] = ownZoomCubicH(static_cast<float>(q[c - d]), static_cast<float>(q[c]),
                                                   static_cast<float>(q[c + d]),
                                                   static_cast<float>(q[c + 2 * d]), wx[i]);
        }
    }
    static T vert(const Buf* const* r, int32_t e, float t, bool fourWide);
    static int32_t vertRun(const Buf* const* r, T* d, int32_t n, float t);
};

template <>
int32_t Cubic<uint8_t>::vertRun(const Buf* const* r, uint8_t* d, int32_t n, float t)
{
    return ownZoomCubicVertical8u(r, d, n, t);
}
template <>
int32_t Cubic<uint16_t>::vertRun(const Buf* const* r, uint16_t* d, int32_t n, float t)
{
    return ownZoomCubicVertical16u(r, d, n, t);
}
template <>
int32_t Cubic<float>::vertRun(const Buf* const* r, float* d, int32_t n, float t)
{
    return ownZoomCubicVertical32f(r, d, n, t);
}

template <>
float Cubic<float>::vert(const Buf* const* r, int32_t e, float t, bool)
{
    return ownZoomCubicV(r[0][e], r[1][e], r[2][e], r[3][e], t);
}
template <>
uint8_t Cubic<uint8_t>::vert(const Buf* const* r, int32_t e, float t, bool fourWide)
{
    const float v = ownZoomCubicV(r[0][e], r[1][e], r[2][e], r[3][e], t);
    return static_cast<uint8_t>(fourWide ? roundFourWide(v, 255) : roundOneAtATime(v, 255));
}
template <>
uint16_t Cubic<uint16_t>::vert(const Buf* const* r, int32_t e, float t, bool fourWide)
{
    const float v = ownZoomCubicV(r[0][e], r[1][e], r[2][e], r[3][e], t);
    return static_cast<uint16_t>(fourWide ? roundFourWide(v, 65535) : roundOneAtATime(v, 65535));
}

template <class P> struct RowWeight;
template <> struct RowWeight<Linear16<uint8_t>> { static uint32_t at(const void* w, int32_t j) { return static_cast<const uint16_t*>(w)[j]; } };
template <> struct RowWeight<Linear16<uint16_t>> { static uint32_t at(const void* w, int32_t j) { return static_cast<const uint16_t*>(w)[j]; } };
template <> struct RowWeight<LinearF> { static float at(const void* w, int32_t j) { return static_cast<const float*>(w)[j]; } };
template <class T> struct RowWeight<Cubic<T>> { static float at(const void* w, int32_t j) { return static_cast<const float*>(w)[j]; } };

// Which elements of a strided (pixel order, dstCh != nch) run count as
// four-wide: only the 8u cubic takes its strided run four at a time.
template <class P, class T> struct StridedFourWide { static constexpr bool value = false; };
template <> struct StridedFourWide<Cubic<uint8_t>, uint8_t> { static constexpr bool value = true; };
template <> struct StridedFourWide<LinearF, float> { static constexpr bool value = false; };

// Kernels whose strided pass gives the values of the contiguous run: the
// exact integer linear ones and the 8u cubic, which rounds its strided run
// four at a time like a contiguous one.
template <class P> struct StridedByRun { static constexpr bool value = false; };
template <> struct StridedByRun<Linear16<uint8_t>> { static constexpr bool value = true; };
template <> struct StridedByRun<Linear16<uint16_t>> { static constexpr bool value = true; };
template <> struct StridedByRun<Cubic<uint8_t>> { static constexpr bool value = true; };

template <class P> struct FourLane { static constexpr bool value = false; };
template <> struct FourLane<Linear16<uint8_t>> { static constexpr bool value = true; };
template <> struct FourLane<Cubic<uint8_t>> { static constexpr bool value = true; };

// The source rows held in the buffers, by element offset from the region's
// first row; a row still needed stays where it is and only missing rows are
// computed.
template <int K>
struct RowCache {
    int64_t held[K];
    RowCache() { reset(); }
    void reset()
    {
        for (int q = 0; q < K; ++q)
            held[q] = INT64_MIN;
    }
};

template <class T, class P>
void interpDriver(const OwnZoomJob& job, bool plane)
{
    using Buf = typename P::Buf;
    constexpr int K = P::kTaps;
    // Three channels of four-channel pixels may be buffered four to a pixel
    // (when the buffers have room), so that whole pixels go through the
    // vector passes; the fourth value is computed and then dropped.
    const bool fourLaneWanted = FourLane<P>::value && !plane && job.nch == 3 && job.srcCh == 4 && job.dstCh == 4 &&
                                !job.mask && job.bufLanes >= 4;
    struct RunBlock {
        T* p = nullptr;
        ~RunBlock() { iplFree(p); }
    } runBlock;
    const int64_t runLength = fourLaneWanted ? 4 * static_cast<int64_t>(job.W) : static_cast<int64_t>(job.W) * job.nch;
    if ((StridedByRun<P>::value || fourLaneWanted) && !plane && job.dstCh != job.nch && !job.mask)
        runBlock.p = static_cast<T*>(iplMalloc(static_cast<int32_t>((runLength + 8) * sizeof(T))));
    T* run = runBlock.p;
    const bool fourLane = fourLaneWanted && run;

    const RowShape shape{plane, plane ? 1 : (fourLane ? 4 : job.nch), plane ? 1 : job.srcCh};
    if constexpr (std::is_same_v<P, Linear16<uint8_t>>)
        if (shape.chans == 4 && shape.second == 4 && ownVectorLevel() >= OwnVectorLevel::kAvx2)
            ownCountFastPath(OwnFastPath::kZoomLinearAvx2);
    const int32_t planes = plane ? job.nch : 1;
    const int32_t n = job.W * shape.chans;
    const int32_t dstPix = plane ? 1 : job.dstCh;
    const bool contiguous = plane || job.dstCh == job.nch;
    const int32_t wideN = (n / 4) * 4;
    // The strided pass of the kernels whose strided values equal their
    // contiguous ones goes through the run buffer; without it (no memory)
    // value by value.

    for (int32_t p = 0; p < planes; ++p) {
        const T* src = static_cast<const T*>(job.src) + static_cast<int64_t>(p) * job.srcPlane;
        T* dst = static_cast<T*>(job.dst) + static_cast<int64_t>(p) * job.dstPlane;
        RowCache<K> cache;
        const unsigned char* maskRow = job.mask;
        int64_t prev = INT64_MIN;
        const Buf* rows[K] = {};
        for (int32_t j = 0; j < job.H; ++j) {
            const int64_t r = job.rowTab[j];
            if (r != prev) {
                // Keep what is still needed, compute the rest into free buffers.
                int64_t need[K];
                int slotOf[K];
                bool busy[K] = {};
                for (int q = 0; q < K; ++q) {
                    need[q] = r + static_cast<int64_t>(q + P::kFirst) * job.srcStep;
                    slotOf[q] = -1;
                    for (int s = 0; s < K; ++s)
                        if (cache.held[s] == need[q] && !busy[s]) {
                            slotOf[q] = s;
                            busy[s] = true;
                            break;
                        }
                }
                for (int q = 0; q < K; ++q) {
                    if (slotOf[q] >= 0)
                        continue;
                    int s = 0;
                    while (busy[s])
                        ++s;
                    busy[s] = true;
                    slotOf[q] = s;
                    P::horiz(src + need[q], static_cast<Buf*>(job.buf[s]), job, shape);
                    cache.held[s] = need[q];
                }
                for (int q = 0; q < K; ++q)
                    rows[q] = static_cast<const Buf*>(job.buf[slotOf[q]]);
                prev = r;
            }
            const auto w = RowWeight<P>::at(job.wy, j);
            T* dRow = dst + static_cast<int64_t>(j) * job.dstStep;
            if constexpr (std::is_same_v<P, Linear16<uint8_t>>) {
                if (fourLane) {
                    // Exact integer sums: the pixels go straight to the row.
                    uint8_t* d = reinterpret_cast<uint8_t*>(dRow);
                    for (int32_t i = ownZoomLinearVertical8uStore3of4(rows[0], rows[1], d, job.W, w); i < job.W; ++i)
                        for (int32_t c = 0; c < 3; ++c)
                            d[4 * static_cast<int64_t>(i) + c] = P::vert(rows, 4 * i + c, w, false);
                    continue;
                }
            }
            if (fourLane) {
                for (int32_t e = P::vertRun(rows, run, n, w); e < n; ++e)
                    run[e] = P::vert(rows, e, w, true);
                // The run of three values per pixel ends in values that are
                // rounded one at a time.
                const int32_t n3 = job.W * 3;
                for (int32_t e = (n3 / 4) * 4; e < n3; ++e)
                    run[(e / 3) * 4 + e % 3] = P::vert(rows, (e / 3) * 4 + e % 3, w, false);
                ownZoomStore3of4(reinterpret_cast<const uint8_t*>(run), reinterpret_cast<uint8_t*>(dRow), job.W);
            } else if (maskRow) {
                for (int32_t i = 0; i < job.W; ++i)
                    if (maskSet(job, maskRow, i))
                        for (int32_t c = 0; c < shape.chans; ++c)
                            dRow[static_cast<int64_t>(i) * dstPix + c] = P::vert(rows, i * shape.chans + c, w, false);
                maskRow += job.maskStep;
            } else if (contiguous) {
                for (int32_t e = P::vertRun(rows, dRow, n, w); e < n; ++e)
                    dRow[e] = P::vert(rows, e, w, e < wideN);
            } else if (StridedByRun<P>::value && run) {
                // The run is made whole first, then spread over the pixels.
                for (int32_t e = P::vertRun(rows, run, n, w); e < n; ++e)
                    run[e] = P::vert(rows, e, w, e < wideN);
                for (int32_t i = 0; i < job.W; ++i)
                    for (int32_t c = 0; c < shape.chans; ++c)
                        dRow[static_cast<int64_t>(i) * dstPix + c] = run[i * shape.chans + c];
            } else {
                const bool wide = StridedFourWide<P, T>::value;
                for (int32_t i = 0; i < job.W; ++i)
                    for (int32_t c = 0; c < shape.chans; ++c) {
                        const int32_t e = i * shape.chans + c;
                        dRow[static_cast<int64_t>(i) * dstPix + c] = P::vert(rows, e, w, wide && e < wideN);
                    }
            }
        }
    }
}

} // namespace

float ownZoomCubicH(float a, float b, float c, float d, float t)
{
    const float K = 0x1.555554p-2f;  // the float just below one third
    const float s = t + 1.0f;
    const float c2 = (t * 0.5f) * s;
    const float c3 = (t - 1.0f) * (c2 * K);
    const float d1 = b - a;
    const float d2 = (c - b) - d1;
    const float d3 = ((d - c) - c) + (b - d2);
    return (a + d1 * s) + (d2 * c2 + d3 * c3);
}

float ownZoomCubicV(float a, float b, float c, float d, float t)
{
    const float K = 0x1.555554p-2f;
    const float s = t + 1.0f;
    const float c2 = (t * 0.5f) * s;
    const float c3 = ((t - 1.0f) * K) * c2;
    const float d1 = b - a;
    const float d2 = (c - b) - d1;
    const float d3 = (d - d2) + ((b - c) - c);
    return (a + d1 * s) + (d2 * c2 + d3 * c3);
}

void ownZoomNN1u(const OwnZoomJob& job)
{
    const unsigned char* src = static_cast<const unsigned char*>(job.src);
    unsigned char* dst = static_cast<unsigned char*>(job.dst);
    const unsigned char* maskRow = job.mask;
    for (int32_t j = 0; j < job.H; ++j) {
        const unsigned char* sRow = src + job.rowTab[j];
        unsigned char* dRow = dst + static_cast<int64_t>(j) * job.dstStep;
        for (int32_t i = 0; i < job.W; ++i) {
            if (maskRow && !maskSet(job, maskRow, i))
                continue;
            const int64_t b = static_cast<int64_t>(job.colTab[i]) + job.srcBit0;
            const int64_t d = static_cast<int64_t>(job.dstBit0) + i;
            const unsigned char bit = static_cast<unsigned char>(0x80u >> (d & 7));
            if ((sRow[b >> 3] >> (7 - (b & 7))) & 1)
                dRow[d >> 3] = static_cast<unsigned char>(dRow[d >> 3] | bit);
            else
                dRow[d >> 3] = static_cast<unsigned char>(dRow[d >> 3] & ~bit);
        }
        if (maskRow)
            maskRow += job.maskStep;
    }
}

void ownZoomNN8uPixel(const OwnZoomJob& job) { nnPixel<uint8_t>(job); }
void ownZoomNN16uPixel(const OwnZoomJob& job) { nnPixel<uint16_t>(job); }
void ownZoomNN32fPixel(const OwnZoomJob& job) { nnPixel<float>(job); }
void ownZoomNN8uPlane(const OwnZoomJob& job) { nnPlane<uint8_t>(job); }
void ownZoomNN16uPlane(const OwnZoomJob& job) { nnPlane<uint16_t>(job); }
void ownZoomNN32fPlane(const OwnZoomJob& job) { nnPlane<float>(job); }

void ownZoomLinear8uPlane(const OwnZoomJob& job) { interpDriver<uint8_t, Linear16<uint8_t>>(job, true); }
void ownZoomLinear16uPlane(const OwnZoomJob& job) { interpDriver<uint16_t, Linear16<uint16_t>>(job, true); }
void ownZoomLinear32fPlane(const OwnZoomJob& job) { interpDriver<float, LinearF>(job, true); }
void ownZoomLinear8uPixel(const OwnZoomJob& job) { interpDriver<uint8_t, Linear16<uint8_t>>(job, false); }
void ownZoomLinear16uPixel(const OwnZoomJob& job) { interpDriver<uint16_t, Linear16<uint16_t>>(job, false); }
void ownZoomLinear32fPixel(const OwnZoomJob& job) { interpDriver<float, LinearF>(job, false); }

void ownZoomCubic8uPlane(const OwnZoomJob& job)
{
    RoundToNearest mode;
    interpDriver<uint8_t, Cubic<uint8_t>>(job, true);
}
void ownZoomCubic16uPlane(const OwnZoomJob& job)
{
    RoundToNearest mode;
    interpDriver<uint16_t, Cubic<uint16_t>>(job, true);
}
void ownZoomCubic32fPlane(const OwnZoomJob& job)
{
    RoundToNearest mode;
    interpDriver<float, Cubic<float>>(job, true);
}
void ownZoomCubic8uPixel(const OwnZoomJob& job)
{
    RoundToNearest mode;
    interpDriver<uint8_t, Cubic<uint8_t>>(job, false);
}
void ownZoomCubic16uPixel(const OwnZoomJob& job)
{
    RoundToNearest mode;
    interpDriver<uint16_t, Cubic<uint16_t>>(job, false);
}
void ownZoomCubic32fPixel(const OwnZoomJob& job)
{
    RoundToNearest mode;
    interpDriver<float, Cubic<float>>(job, false);
}
