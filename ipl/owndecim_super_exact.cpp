// Super-sampling of 8u images in integers. When every row and column the
// walks touch weighs 0 or 1, each single-precision sum of the float kernel
// is an exact integer below 2^24, so integer sums of the same values give
// the same destination bytes; the sums are then taken sixteen values at a
// time and the output conversion is a table (or an exact multiply).
#include "ipl/own_super.h"
#include "ipl/owncpu.h"
#include "ipl/ownipl.h"

#include <cstdint>
#include <cstring>

#include <emmintrin.h>

namespace {

// A block from iplMalloc that frees itself.
template <class T>
struct Block {
    T* p = nullptr;
    explicit Block(int64_t count)
        : p(count > 0 && count * int64_t(sizeof(T)) <= INT32_MAX
                ? static_cast<T*>(iplMalloc(static_cast<int32_t>(count * int64_t(sizeof(T)))))
                : nullptr) {}
    ~Block() { iplFree(p); }
    Block(const Block&) = delete;
    Block& operator=(const Block&) = delete;
};

// Consecutive rows or columns [first, first + count) summed with weight 1.
struct Run {
    int32_t first, count;
};

// Follows a walk's accumulator; fails on a weight other than 0 or 1 or a gap.
struct RunBuilder {
    int32_t first = 0, count = 0;
    bool ok = true;
    void reset() { count = 0; }
    void add(int32_t i, float w)
    {
        if (w == 0.0f)
            return;
        if (w != 1.0f || (count > 0 && i != first + count)) {
            ok = false;
            return;
        }
        if (count++ == 0)
            first = i;
    }
    Run take()
    {
        const Run r{count > 0 ? first : 0, count};
        count = 0;
        return r;
    }
};

// The destination columns as runs of buffer columns; the count of runs is
// the number of columns the float kernel writes.
int32_t columnRuns(const OwnSuperStep* steps, int32_t stepCount, int32_t W, Run* runs, bool* ok)
{
    RunBuilder acc;
    int32_t k = 0;
    for (int32_t q = 0; q < stepCount; ++q) {
        const OwnSuperStep& st = steps[q];
        switch (st.kind) {
        case OwnSuperStep::kFinish:
            acc.add(st.column, st.weightEnd);
            runs[k++] = acc.take();
            break;
        case OwnSuperStep::kFinishAndStart:
            acc.add(st.column, st.weightEnd);
            runs[k++] = acc.take();
            acc.add(st.column, st.weightStart);
            break;
        case OwnSuperStep::kStart:
            acc.reset();
            acc.add(st.column, st.weightStart);
            break;
        case OwnSuperStep::kAdd:
            acc.add(st.column, 1.0f);
            break;
        case OwnSuperStep::kAddAndFinish:
            acc.add(st.column, 1.0f);
            runs[k++] = acc.take();
            break;
        }
    }
    if (k < W)
        runs[k++] = acc.take();
    *ok = acc.ok;
    return k;
}

// out[e] = the sum over count rows from row0 (line bytes apart), e < n.
void sumRows(const uint8_t* row0, int64_t line, int32_t count, int32_t n, uint16_t* out)
{
    const __m128i z = _mm_setzero_si128();
    int32_t e = 0;
    if (count == 2) {
        // The usual halving: two rows, no inner loop.
        for (; e + 16 <= n; e += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row0 + e));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row0 + line + e));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + e),
                             _mm_add_epi16(_mm_unpacklo_epi8(a, z), _mm_unpacklo_epi8(b, z)));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + e + 8),
                             _mm_add_epi16(_mm_unpackhi_epi8(a, z), _mm_unpackhi_epi8(b, z)));
        }
    }
    for (; e + 16 <= n; e += 16) {
        __m128i lo = z, hi = z;
        for (int32_t r = 0; r < count; ++r) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row0 + r * line + e));
            lo = _mm_add_epi16(lo, _mm_unpacklo_epi8(v, z));
            hi = _mm_add_epi16(hi, _mm_unpackhi_epi8(v, z));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + e), lo);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + e + 8), hi);
    }
    for (; e < n; ++e) {
        uint32_t s = 0;
        for (int32_t r = 0; r < count; ++r)
            s += row0[r * line + e];
        out[e] = static_cast<uint16_t>(s);
    }
}

// ((S + add) * mul) >> 16 equal to table[S] for every S up to top, when
// such constants exist: the conversion of pair sums sixteen bits at a time.
bool findMultiply(const uint8_t* table, int32_t top, double norm, uint16_t* add, uint16_t* mul)
{
    if (norm <= 0.0 || 1.0 / norm > 64.0)
        return false;
    const int32_t base = static_cast<int32_t>(norm * 65536.0);
    for (int32_t m = base - 1; m <= base + 2; ++m) {
        for (int32_t a = 0; a <= static_cast<int32_t>(2.0 / norm) + 1; ++a) {
            if (m <= 0 || m > 65535 || top + a > 65535)
                continue;
            bool all = true;
            for (int32_t s = 0; s <= top && all; ++s)
                all = ((static_cast<uint32_t>(s + a) * static_cast<uint32_t>(m)) >> 16) == table[s];
            if (all) {
                *add = static_cast<uint16_t>(a);
                *mul = static_cast<uint16_t>(m);
                return true;
            }
        }
    }
    return false;
}

// Four-channel pixels whose destination columns each sum two neighbouring
// buffer columns: two destination pixels per step. Returns the pixels done.
int32_t pairRow(const uint16_t* buf, uint8_t* drow, int32_t W, uint16_t add, uint16_t mul)
{
    const __m128i a = _mm_set1_epi16(static_cast<short>(add)), m = _mm_set1_epi16(static_cast<short>(mul));
    int32_t k = 0;
    for (; k + 2 <= W; k += 2) {
        const __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(buf + 8 * k));
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(buf + 8 * k + 8));
        const __m128i s = _mm_add_epi16(_mm_unpacklo_epi64(v0, v1), _mm_unpackhi_epi64(v0, v1));
        const __m128i q = _mm_mulhi_epu16(_mm_add_epi16(s, a), m);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(drow + 4 * k), _mm_packus_epi16(q, q));
    }
    return k;
}

// The same straight from two source rows (a buffer row of two rows).
// With 'wide', the AVX2 steps go first.
int32_t pairRowFromRows(const uint8_t* upper, const uint8_t* lower, uint8_t* drow, int32_t W, uint16_t add,
                        uint16_t mul, bool wide)
{
    const __m128i z = _mm_setzero_si128();
    const __m128i a = _mm_set1_epi16(static_cast<short>(add)), m = _mm_set1_epi16(static_cast<short>(mul));
    int32_t k = wide ? ownSuperPairsFromRowsAvx2(upper, lower, drow, W, add, mul) : 0;
    for (; k + 4 <= W; k += 4) {
        const __m128i u0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + 8 * k));
        const __m128i l0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + 8 * k));
        const __m128i u1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + 8 * k + 16));
        const __m128i l1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + 8 * k + 16));
        const __m128i a0 = _mm_add_epi16(_mm_unpacklo_epi8(u0, z), _mm_unpacklo_epi8(l0, z));
        const __m128i a1 = _mm_add_epi16(_mm_unpackhi_epi8(u0, z), _mm_unpackhi_epi8(l0, z));
        const __m128i b0 = _mm_add_epi16(_mm_unpacklo_epi8(u1, z), _mm_unpacklo_epi8(l1, z));
        const __m128i b1 = _mm_add_epi16(_mm_unpackhi_epi8(u1, z), _mm_unpackhi_epi8(l1, z));
        const __m128i sa = _mm_add_epi16(_mm_unpacklo_epi64(a0, a1), _mm_unpackhi_epi64(a0, a1));
        const __m128i sb = _mm_add_epi16(_mm_unpacklo_epi64(b0, b1), _mm_unpackhi_epi64(b0, b1));
        const __m128i qa = _mm_mulhi_epu16(_mm_add_epi16(sa, a), m);
        const __m128i qb = _mm_mulhi_epu16(_mm_add_epi16(sb, a), m);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(drow + 4 * k), _mm_packus_epi16(qa, qb));
    }
    for (; k + 2 <= W; k += 2) {
        const __m128i u = _mm_loadu_si128(reinterpret_cast<const __m128i*>(upper + 8 * k));
        const __m128i l = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lower + 8 * k));
        const __m128i v0 = _mm_add_epi16(_mm_unpacklo_epi8(u, z), _mm_unpacklo_epi8(l, z));
        const __m128i v1 = _mm_add_epi16(_mm_unpackhi_epi8(u, z), _mm_unpackhi_epi8(l, z));
        const __m128i s = _mm_add_epi16(_mm_unpacklo_epi64(v0, v1), _mm_unpackhi_epi64(v0, v1));
        const __m128i q = _mm_mulhi_epu16(_mm_add_epi16(s, a), m);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(drow + 4 * k), _mm_packus_epi16(q, q));
    }
    return k;
}

} // namespace

int ownDecimSuperExact_8u(OWN_DECIM_KERNEL_ARGS)
{
    if (dCh <= 0 || dPix <= 0 || dLine <= 0 || sPix <= 0 || sLine <= 0)
        return -1;
    const int32_t W = dRowExt / dPix, H = dTotExt / dLine, Nc = dChExt / dCh;
    if (W <= 0 || H <= 0 || Nc <= 0 || sCh != 1 || sPix != Nc)
        return -1;
    const double x0 = *xPos, y0 = *yPos;
    const int32_t c0 = ownSuperTrunc(x0), r0 = ownSuperTrunc(y0);
    int32_t N = ownSuperTrunc((W + 1) * static_cast<double>(xScale)) + 1;
    while (N > 0 && static_cast<int64_t>(c0 + N) * sPix > sRowExt)
        --N;
    int32_t R = ownSuperTrunc((H + 1) * static_cast<double>(yScale)) + 1;
    while (R > 0 && static_cast<int64_t>(r0 + R) * sLine > sTotExt)
        --R;
    if (N <= 0 || R <= 0)
        return -1;

    // Both walks as runs; any other weight leaves the work to the float kernel.
    Block<OwnSuperStep> steps(N);
    Block<Run> cols(int64_t(W) + 1), rows(H);
    if (!steps.p || !cols.p || !rows.p)
        return -1;
    bool ok = true;
    const int32_t written = columnRuns(steps.p, ownSuperColumnSteps(x0, xScale, N, W, steps.p), W, cols.p, &ok);
    RunBuilder rowAcc;
    ownSuperRowWalk(
        y0, yScale, R, H,
        [&](int32_t r, OwnSuperRowOp op, float w) {
            if (op == OwnSuperRowOp::kSetWeighted)
                rowAcc.reset();
            rowAcc.add(r, w);
        },
        [&](int32_t m) { rows.p[m] = rowAcc.take(); });
    if (!ok || !rowAcc.ok)
        return -1;
    int32_t rowMost = 0, colMost = 0;
    for (int32_t m = 0; m < H; ++m)
        rowMost = rows.p[m].count > rowMost ? rows.p[m].count : rowMost;
    for (int32_t k = 0; k < written; ++k)
        colMost = cols.p[k].count > colMost ? cols.p[k].count : colMost;
    const int64_t top = int64_t(255) * rowMost * colMost;
    if (int64_t(255) * rowMost > 65535 || top > (1 << 20))
        return -1;

    // The output conversion of every possible sum, as the float kernel makes it.
    const double norm = 1.0 / (static_cast<double>(xScale) * static_cast<double>(yScale));
    Block<uint8_t> table(top + 1);
    Block<uint16_t> buf(int64_t(N) * Nc + 8);
    if (!table.p || !buf.p)
        return -1;
    for (int32_t s = 0; s <= top; ++s)
        table.p[s] = static_cast<uint8_t>(ownSuperTrunc(static_cast<double>(static_cast<float>(s)) * norm + 0.5) & 0xFF);

    bool pairs = Nc == 4 && dPix == 4 && dCh == 1 && top <= 65535;
    for (int32_t k = 0; k < written && pairs; ++k)
        pairs = cols.p[k].count == 2 && cols.p[k].first == cols.p[0].first + 2 * k;
    uint16_t add = 0, mul = 0;
    pairs = pairs && findMultiply(table.p, static_cast<int32_t>(top), norm, &add, &mul);

    const uint8_t* sc = static_cast<const uint8_t*>(src) + int64_t(r0) * sLine + int64_t(c0) * sPix;
    uint8_t* d = static_cast<uint8_t*>(dst);
    const int32_t n = N * Nc;
    const bool wide = ownVectorLevel() >= OwnVectorLevel::kAvx2;
    bool halved = false;
    for (int32_t m = 0; m < H; ++m) {
        const Run rr = rows.p[m];
        const uint8_t* first = sc + int64_t(rr.first) * sLine;
        uint8_t* drow = d + int64_t(m) * dLine;
        if (pairs && rr.count == 2 && (written & 1) == 0) {
            pairRowFromRows(first + int64_t(cols.p[0].first) * Nc, first + sLine + int64_t(cols.p[0].first) * Nc,
                            drow, written, add, mul, wide);
            halved = true;
            continue;
        }
        sumRows(first, sLine, rr.count, n, buf.p);
        int32_t k = pairs ? pairRow(buf.p + int64_t(cols.p[0].first) * Nc, drow, written, add, mul) : 0;
        for (; k < written; ++k) {
            const Run cr = cols.p[k];
            for (int32_t c = 0; c < Nc; ++c) {
                uint32_t s = 0;
                for (int32_t j = 0; j < cr.count; ++j)
                    s += buf.p[int64_t(cr.first + j) * Nc + c];
                drow[int64_t(k) * dPix + int64_t(c) * dCh] = table.p[s];
            }
        }
    }
    *xPos = W * static_cast<double>(xScale) + x0;
    *yPos = H * static_cast<double>(yScale) + y0;
    ownCountFastPath(OwnFastPath::kSuperIntegers);
    if (pairs)
        ownCountFastPath(OwnFastPath::kSuperHalvingPairs);
    if (halved && wide && written >= 8)
        ownCountFastPath(OwnFastPath::kSuperHalvingAvx2);
    return 1;
}
