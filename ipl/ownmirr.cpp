// Kernels of the mirror. Values are moved as raw elements of 1, 2 or 4
// bytes (signed and float depths alike, never converted), or as bits.
#include "ipl/own_mirror.h"
#include "ipl/owncpu.h"
#include "ipl/ownipl.h"

#include <cstdint>
#include <cstring>

#include <emmintrin.h>

namespace {

// Where the moved area of one image lies.
struct View {
    unsigned char* base;  // first byte of the area (plane of the first moved channel)
    int64_t rowStep;      // bytes
    int64_t pixStep;      // bytes
    int64_t chanStep;     // bytes
};

View elementView(const IplImage* image, int32_t coi, int32_t elemBytes)
{
    const int32_t x = image->roi ? image->roi->xOffset : 0;
    const int32_t y = image->roi ? image->roi->yOffset : 0;
    const int32_t first = coi > 0 ? coi - 1 : 0;
    View v;
    v.rowStep = image->widthStep;
    if (image->dataOrder == IPL_DATA_ORDER_PIXEL) {
        v.pixStep = int64_t(image->nChannels) * elemBytes;
        v.chanStep = elemBytes;
    } else {
        v.pixStep = elemBytes;
        v.chanStep = int64_t(image->widthStep) * image->height;
    }
    v.base = image->imageData + int64_t(y) * v.rowStep + int64_t(x) * v.pixStep + int64_t(first) * v.chanStep;
    return v;
}

// A mask's area: its row start, row step and first bit.
struct MaskView {
    const unsigned char* base = nullptr;
    int64_t rowStep = 0;
    int32_t bit0 = 0;
    bool at(int32_t c, int32_t r) const
    {
        const int64_t b = int64_t(bit0) + c;
        return ((base[r * rowStep + (b >> 3)] >> (7 - (b & 7))) & 1) != 0;
    }
};

MaskView maskView(const IplImage* mask)
{
    MaskView m;
    if (!mask)
        return m;
    const int32_t x = mask->roi ? mask->roi->xOffset : 0;
    const int32_t y = mask->roi ? mask->roi->yOffset : 0;
    m.base = mask->imageData + int64_t(y) * mask->widthStep + x / 8;
    m.rowStep = mask->widthStep;
    m.bit0 = x % 8;
    return m;
}

template <class T>
inline T& at(const View& v, int32_t c, int32_t r, int32_t k)
{
    return *reinterpret_cast<T*>(v.base + r * v.rowStep + c * v.pixStep + k * v.chanStep);
}

// Reverses the order of w pixels of P bytes from a row into another row
// (which must not overlap it).
template <int P>
void reversePixels(const unsigned char* from, unsigned char* to, int32_t w)
{
    for (int32_t c = 0; c < w; ++c)
        std::memcpy(to + int64_t(c) * P, from + int64_t(w - 1 - c) * P, P);
}

// Four-byte pixels, four at a time.
void reversePixels4(const unsigned char* from, unsigned char* to, int32_t w)
{
    int32_t c = 0;
    for (; c + 4 <= w; c += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + int64_t(w - 4 - c) * 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + int64_t(c) * 4), _mm_shuffle_epi32(v, 0x1B));
    }
    for (; c < w; ++c)
        std::memcpy(to + int64_t(c) * 4, from + int64_t(w - 1 - c) * 4, 4);
}

// Reverses two rows of w four-byte pixels into each other (A gets B
// reversed and B gets A reversed), or one row in place when A == B, working
// inwards from both ends. With 'wide', AVX2 steps go first where they can;
// answers whether they did.
bool swapReversed4(unsigned char* A, unsigned char* B, int32_t w, bool wide)
{
    // Pixels [lo, hi) of the walk still to do on A's side.
    int32_t lo = wide ? ownSwapReversed4Avx2(A, B, w) : 0;
    const bool wideDone = lo > 0;
    int32_t hi = w - lo;
    const bool same = A == B;
    const int32_t end = same ? w / 2 : w;
    while (lo + 8 <= end && (!same || lo + 8 <= hi - 8)) {
        const __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(A + int64_t(lo) * 4));
        const __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(A + int64_t(lo) * 4 + 16));
        const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(B + int64_t(hi - 8) * 4));
        const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(B + int64_t(hi - 8) * 4 + 16));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(A + int64_t(lo) * 4), _mm_shuffle_epi32(b1, 0x1B));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(A + int64_t(lo) * 4 + 16), _mm_shuffle_epi32(b0, 0x1B));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(B + int64_t(hi - 8) * 4), _mm_shuffle_epi32(a1, 0x1B));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(B + int64_t(hi - 8) * 4 + 16), _mm_shuffle_epi32(a0, 0x1B));
        lo += 8;
        hi -= 8;
    }
    while (lo + 4 <= end && (!same || lo + 4 <= hi - 4)) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(A + int64_t(lo) * 4));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(B + int64_t(hi - 4) * 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(A + int64_t(lo) * 4), _mm_shuffle_epi32(b, 0x1B));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(B + int64_t(hi - 4) * 4), _mm_shuffle_epi32(a, 0x1B));
        lo += 4;
        hi -= 4;
    }
    while (same ? lo < hi - 1 : lo < end) {
        uint32_t a, b;
        std::memcpy(&a, A + int64_t(lo) * 4, 4);
        std::memcpy(&b, B + int64_t(hi - 1) * 4, 4);
        std::memcpy(A + int64_t(lo) * 4, &b, 4);
        std::memcpy(B + int64_t(hi - 1) * 4, &a, 4);
        ++lo;
        --hi;
    }
    return wideDone;
}

void reversePixelsAny(const unsigned char* from, unsigned char* to, int32_t w, int32_t pixelBytes)
{
    switch (pixelBytes) {
    case 1: reversePixels<1>(from, to, w); return;
    case 2: reversePixels<2>(from, to, w); return;
    case 3: reversePixels<3>(from, to, w); return;
    case 4: reversePixels4(from, to, w); return;
    case 6: reversePixels<6>(from, to, w); return;
    case 8: reversePixels<8>(from, to, w); return;
    case 16: reversePixels<16>(from, to, w); return;
    default:
        for (int32_t c = 0; c < w; ++c)
            std::memcpy(to + int64_t(c) * pixelBytes, from + int64_t(w - 1 - c) * pixelBytes,
                        static_cast<size_t>(pixelBytes));
    }
}

void countVectorPaths(bool wide)
{
    ownCountFastPath(OwnFastPath::kMirrorVectors);
    if (wide)
        ownCountFastPath(OwnFastPath::kMirrorAvx2);
}

// Whole pixels move when every channel of both pixel-order images moves and
// no mask is involved: rows are then runs of bytes.
bool mirrorWholePixels(IplImage* src, IplImage* dst, int32_t n, int32_t w, int32_t h, int32_t flipAxis,
                       int32_t elemBytes)
{
    if (src->dataOrder != IPL_DATA_ORDER_PIXEL || dst->dataOrder != IPL_DATA_ORDER_PIXEL || src->maskROI ||
        dst->maskROI || n != src->nChannels || n != dst->nChannels)
        return false;
    const View s = elementView(src, 0, elemBytes);
    const View d = elementView(dst, 0, elemBytes);
    const int32_t pixelBytes = n * elemBytes;
    const size_t rowBytes = static_cast<size_t>(w) * pixelBytes;
    const bool revRows = flipAxis != 1, revCols = flipAxis != 0;
    if (src != dst) {
        for (int32_t r = 0; r < h; ++r) {
            const unsigned char* from = s.base + (revRows ? h - 1 - r : r) * s.rowStep;
            unsigned char* to = d.base + r * d.rowStep;
            if (revCols)
                reversePixelsAny(from, to, w, pixelBytes);
            else
                std::memcpy(to, from, rowBytes);
        }
        return true;
    }
    const bool wide = ownVectorLevel() >= OwnVectorLevel::kAvx2;
    bool wideDone = false;
    if (flipAxis == 0) {
        // Rows are exchanged sixteen bytes at a time, without a buffer.
        for (int32_t i = 0; i < h / 2; ++i) {
            unsigned char* a = d.base + i * d.rowStep;
            unsigned char* b = d.base + (h - 1 - i) * d.rowStep;
            size_t k = wide ? ownSwapRowsAvx2(a, b, rowBytes) : 0;
            wideDone = wideDone || k > 0;
            for (; k + 16 <= rowBytes; k += 16) {
                const __m128i va = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + k));
                const __m128i vb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + k));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(a + k), vb);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(b + k), va);
            }
            for (; k < rowBytes; ++k) {
                const unsigned char t = a[k];
                a[k] = b[k];
                b[k] = t;
            }
        }
        countVectorPaths(wideDone);
        return true;
    }
    if (pixelBytes == 4) {
        // Four-byte pixels are exchanged from both ends without a buffer.
        for (int32_t i = 0; i < (flipAxis == 1 ? h : (h + 1) / 2); ++i) {
            unsigned char* rowI = d.base + i * d.rowStep;
            const bool wideRow = swapReversed4(rowI, flipAxis == 1 ? rowI : d.base + (h - 1 - i) * d.rowStep, w, wide);
            wideDone = wideDone || wideRow;
        }
        countVectorPaths(wideDone);
        return true;
    }
    unsigned char* buf = static_cast<unsigned char*>(iplMalloc(static_cast<int32_t>(rowBytes)));
    if (!buf) {
        OWN_ERROR(-4, "iplMirror", "No working memory", "iplmirr");
        return true;
    }
    if (flipAxis == 1) {
        for (int32_t r = 0; r < h; ++r) {
            unsigned char* row = d.base + r * d.rowStep;
            std::memcpy(buf, row, rowBytes);
            reversePixelsAny(buf, row, w, pixelBytes);
        }
    } else {
        for (int32_t i = 0; i < (h + 1) / 2; ++i) {
            unsigned char* rowI = d.base + i * d.rowStep;
            unsigned char* rowJ = d.base + (h - 1 - i) * d.rowStep;
            if (revCols) {
                // Both rows reversed into each other's place; the middle row onto itself.
                std::memcpy(buf, rowI, rowBytes);
                if (rowI != rowJ)
                    reversePixelsAny(rowJ, rowI, w, pixelBytes);
                reversePixelsAny(buf, rowJ, w, pixelBytes);
            } else if (rowI != rowJ) {
                std::memcpy(buf, rowI, rowBytes);
                std::memcpy(rowI, rowJ, rowBytes);
                std::memcpy(rowJ, buf, rowBytes);
            }
        }
    }
    iplFree(buf);
    return true;
}

template <class T>
void mirrorElements(IplImage* src, IplImage* dst, int32_t n, int32_t coiSrc, int32_t coiDst, int32_t w, int32_t h,
                    int32_t flipAxis)
{
    if (mirrorWholePixels(src, dst, n, w, h, flipAxis, sizeof(T)))
        return;
    const View s = elementView(src, coiSrc, sizeof(T));
    const View d = elementView(dst, coiDst, sizeof(T));
    const bool revRows = flipAxis != 1, revCols = flipAxis != 0;
    if (src != dst) {
        const MaskView sm = maskView(src->maskROI), dm = maskView(dst->maskROI);
        for (int32_t r = 0; r < h; ++r) {
            const int32_t sr = revRows ? h - 1 - r : r;
            for (int32_t c = 0; c < w; ++c) {
                const int32_t sc = revCols ? w - 1 - c : c;
                if ((sm.base && !sm.at(sc, sr)) || (dm.base && !dm.at(c, r)))
                    continue;
                if (n == 3) {
                    // Three channels move as one group.
                    at<T>(d, c, r, 0) = at<T>(s, sc, sr, 0);
                    at<T>(d, c, r, 1) = at<T>(s, sc, sr, 1);
                    at<T>(d, c, r, 2) = at<T>(s, sc, sr, 2);
                    continue;
                }
                for (int32_t k = 0; k < n; ++k)
                    at<T>(d, c, r, k) = at<T>(s, sc, sr, k);
            }
        }
        return;
    }
    // In place: one row buffer of w x n elements.
    T* buf = static_cast<T*>(iplMalloc(static_cast<int32_t>(int64_t(w) * n * sizeof(T))));
    if (!buf) {
        OWN_ERROR(-4, "iplMirror", "No working memory", "iplmirr");
        return;
    }
    auto load = [&](int32_t r, bool reverse) {
        for (int32_t c = 0; c < w; ++c)
            for (int32_t k = 0; k < n; ++k)
                buf[int64_t(reverse ? w - 1 - c : c) * n + k] = at<T>(s, c, r, k);
    };
    auto store = [&](int32_t r) {
        for (int32_t c = 0; c < w; ++c)
            for (int32_t k = 0; k < n; ++k)
                at<T>(d, c, r, k) = buf[int64_t(c) * n + k];
    };
    if (flipAxis == 1) {
        for (int32_t r = 0; r < h; ++r) {
            load(r, true);
            store(r);
        }
    } else {
        const bool reverse = flipAxis == -1;
        for (int32_t i = 0; i < (h + 1) / 2; ++i) {
            const int32_t j = h - 1 - i;
            load(i, reverse);
            if (j != i) {
                for (int32_t c = 0; c < w; ++c)
                    for (int32_t k = 0; k < n; ++k)
                        at<T>(d, c, i, k) = at<T>(s, reverse ? w - 1 - c : c, j, k);
            }
            store(j);
        }
    }
    iplFree(buf);
}

inline int32_t getBit(const unsigned char* row, int64_t bit) { return (row[bit >> 3] >> (7 - (bit & 7))) & 1; }

void ownMirror1u(IplImage* src, IplImage* dst, int32_t w, int32_t h, int32_t flipAxis)
{
    auto start = [](const IplImage* im, int32_t* bit0) {
        const int32_t x = im->roi ? im->roi->xOffset : 0, y = im->roi ? im->roi->yOffset : 0;
        *bit0 = x % 8;
        return im->imageData + int64_t(y) * im->widthStep + x / 8;
    };
    int32_t sb = 0, db = 0;
    const unsigned char* s = start(src, &sb);
    unsigned char* d = start(dst, &db);
    const bool revRows = flipAxis != 1, revCols = flipAxis != 0;
    if (src != dst) {
        const MaskView sm = maskView(src->maskROI), dm = maskView(dst->maskROI);
        for (int32_t r = 0; r < h; ++r) {
            const unsigned char* sRow = s + int64_t(r) * src->widthStep;
            const int32_t dr = revRows ? h - 1 - r : r;
            unsigned char* dRow = d + int64_t(dr) * dst->widthStep;
            if (!sm.base && !dm.base) {
                if (revCols)
                    ownCopyBitsReversed(sRow, sb, dRow, db, w);
                else
                    ownCopyBits(sRow, sb, dRow, db, w);
                continue;
            }
            // Masked bits keep the destination's value, as in every other
            // masked operation.
            for (int32_t c = 0; c < w; ++c) {
                const int32_t sc = revCols ? w - 1 - c : c;
                if ((sm.base && !sm.at(sc, r)) || (dm.base && !dm.at(c, dr)))
                    continue;
                ownPutBit(dRow, int64_t(db) + c, getBit(sRow, int64_t(sb) + sc));
            }
        }
        return;
    }
    const int32_t bytes = (w + 7) / 8 + 1;
    unsigned char* buf = static_cast<unsigned char*>(iplMalloc(bytes));
    if (!buf) {
        OWN_ERROR(-4, "iplMirror", "No working memory", "iplmirr");
        return;
    }
    const int64_t step = dst->widthStep;
    if (flipAxis == 1) {
        for (int32_t r = 0; r < h; ++r) {
            unsigned char* row = d + r * step;
            ownCopyBits(row, db, buf, db, w);
            ownCopyBitsReversed(buf, db, row, db, w);
        }
    } else {
        auto copy = flipAxis == 0 ? ownCopyBits : ownCopyBitsReversed;
        for (int32_t i = 0; i < (h + 1) / 2; ++i) {
            unsigned char* rowI = d + i * step;
            unsigned char* rowJ = d + (h - 1 - i) * step;
            ownCopyBits(rowI, db, buf, db, w);
            if (rowI != rowJ)
                copy(rowJ, db, rowI, db, w);
            copy(buf, db, rowJ, db, w);
        }
    }
    iplFree(buf);
}

} // namespace

void ownCopyBits(const unsigned char* A, int32_t a, unsigned char* D, int32_t d, int32_t n)
{
    for (int32_t i = 0; i < n; ++i)
        ownPutBit(D, int64_t(d) + i, getBit(A, int64_t(a) + i));
}

void ownCopyBitsReversed(const unsigned char* A, int32_t a, unsigned char* D, int32_t d, int32_t n)
{
    for (int32_t i = 0; i < n; ++i)
        ownPutBit(D, int64_t(d) + i, getBit(A, int64_t(a) + n - 1 - i));
}

void ownMirror(IplImage* src, IplImage* dst, int32_t nChannels, int32_t coiSrc, int32_t coiDst, int32_t width,
               int32_t height, int32_t flipAxis)
{
    switch (src->depth) {
    case IPL_DEPTH_1U:
        ownMirror1u(src, dst, width, height, flipAxis);
        break;
    case IPL_DEPTH_8U:
    case IPL_DEPTH_8S:
        mirrorElements<uint8_t>(src, dst, nChannels, coiSrc, coiDst, width, height, flipAxis);
        break;
    case IPL_DEPTH_16U:
    case IPL_DEPTH_16S:
        mirrorElements<uint16_t>(src, dst, nChannels, coiSrc, coiDst, width, height, flipAxis);
        break;
    case IPL_DEPTH_32S:
    case IPL_DEPTH_32F:
        mirrorElements<uint32_t>(src, dst, nChannels, coiSrc, coiDst, width, height, flipAxis);
        break;
    default:
        break;
    }
}
