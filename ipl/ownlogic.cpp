// The logical operations' shared algorithm: argument checks, the mask in
// effect, one driver per depth group and the walk over tiled images.
#include "ipl/ownlogic.h"

#include <algorithm>
#include <cstring>

#include "ipl/ownipl.h"

namespace {

struct Names {
    const char* func;
    const char* unit;
};

Names namesOf(OwnLogicKind kind) {
    switch (kind) {
    case OwnLogicKind::And: return {"iplAnd", "ipland"};
    case OwnLogicKind::Or: return {"iplOr", "iplor"};
    default: return {"iplXorS", "iplxors"};
    }
}

// Everything a driver needs; b is null for XorS.
struct Call {
    OwnLogicKind kind;
    IplImage* a;
    IplImage* b;
    IplImage* d;
    const IplImage* mask;
    int32_t chA;
    int32_t chB;
    int32_t chD;
    int32_t n;
    bool allChannels;
    bool anyAlpha;
    uint32_t pattern;
};

void workingChannels(const IplImage* image, int32_t* index, int32_t* count) {
    if (image->roi != nullptr && image->roi->coi >= 1) {
        *index = image->roi->coi - 1;
        *count = 1;
        return;
    }
    *index = 0;
    *count = image->alphaChannel > 0 ? image->nChannels - 1 : image->nChannels;
}

template <class T>
T load(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <class T>
void store(unsigned char* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

template <class T>
T combine(OwnLogicKind kind, T x, T y) {
    switch (kind) {
    case OwnLogicKind::And: return static_cast<T>(x & y);
    case OwnLogicKind::Or: return static_cast<T>(x | y);
    default: return static_cast<T>(x ^ y);
    }
}

// One pass over the whole pixel block, row tails included.
void wholeBufferRun(const Call& c) {
    const unsigned char* a = c.a->imageData;
    unsigned char* d = c.d->imageData;
    const int32_t size = c.a->imageSize;
    if (c.kind == OwnLogicKind::XorS) {
        unsigned char pat[4];
        for (int k = 0; k < 4; ++k) pat[k] = static_cast<unsigned char>(c.pattern >> (8 * k));
        for (int32_t k = 0; k < size; ++k) d[k] = static_cast<unsigned char>(a[k] ^ pat[k & 3]);
        return;
    }
    const unsigned char* b = c.b->imageData;
    for (int32_t k = 0; k < size; ++k) d[k] = combine<unsigned char>(c.kind, a[k], b[k]);
}

struct Start {
    unsigned char* p = nullptr;
    int32_t w = 0;
    int32_t h = 0;
    int32_t bit = 0;
    int32_t step = 0;
};

Start startOf(const IplImage* image, int32_t channel) {
    Start s;
    s.p = ownLogicRoiStart(image, &s.w, &s.h, channel, &s.bit);
    s.step = image->widthStep;
    return s;
}

// Starts of every image of the call and the common rectangle.
struct Starts {
    Start a, b, d, m;
    int32_t w = 0;
    int32_t h = 0;
};

Starts startsOf(const Call& c) {
    Starts s;
    s.a = startOf(c.a, c.chA);
    s.d = startOf(c.d, c.chD);
    s.w = std::min(s.a.w, s.d.w);
    s.h = std::min(s.a.h, s.d.h);
    if (c.b != nullptr) {
        s.b = startOf(c.b, c.chB);
        s.w = std::min(s.w, s.b.w);
        s.h = std::min(s.h, s.b.h);
    }
    if (c.mask != nullptr) {
        s.m = startOf(c.mask, 0);
        s.w = std::min(s.w, s.m.w);
        s.h = std::min(s.h, s.m.h);
    }
    return s;
}

inline const unsigned char* rowOf(const Start& s, int32_t j) {
    return s.p + static_cast<ptrdiff_t>(j) * s.step;
}
inline unsigned char* rowOf(Start& s, int32_t j) { return s.p + static_cast<ptrdiff_t>(j) * s.step; }

// 8-, 16- and 32-bit depths: element k of pixel i of every image, where the
// mask (if any) lets the pixel through. The alpha channel, always last, is
// outside the first n elements and so never written.
template <class T>
void elementDriver(const Call& c) {
    if (c.mask == nullptr && c.kind != OwnLogicKind::XorS &&
        ownIsWholeImage(c.a, c.b, c.d, c.anyAlpha)) {
        wholeBufferRun(c);
        return;
    }
    Starts s = startsOf(c);
    if (s.w <= 0 || s.h <= 0) return;
    const T pat = static_cast<T>(c.pattern);
    const bool plane = c.a->dataOrder == IPL_DATA_ORDER_PLANE;
    auto planeStep = [](const IplImage* im) {
        return static_cast<ptrdiff_t>(im->widthStep) * im->height;
    };
    const ptrdiff_t strideA = plane ? 1 : c.a->nChannels;
    const ptrdiff_t strideB = (plane || c.b == nullptr) ? 1 : c.b->nChannels;
    const ptrdiff_t strideD = plane ? 1 : c.d->nChannels;
    const int32_t planes = plane ? c.n : 1;
    const int32_t perPixel = plane ? 1 : c.n;
    constexpr ptrdiff_t b = sizeof(T);
    for (int32_t k = 0; k < planes; ++k) {
        for (int32_t j = 0; j < s.h; ++j) {
            const unsigned char* ra = rowOf(s.a, j) + (plane ? k * planeStep(c.a) : 0);
            const unsigned char* rb =
                c.b ? rowOf(s.b, j) + (plane ? k * planeStep(c.b) : 0) : nullptr;
            unsigned char* rd = rowOf(s.d, j) + (plane ? k * planeStep(c.d) : 0);
            const unsigned char* rm = c.mask ? rowOf(s.m, j) : nullptr;
            for (int32_t i = 0; i < s.w; ++i) {
                if (rm != nullptr && !ownGetBit(rm, s.m.bit + static_cast<int64_t>(i))) continue;
                for (int32_t e = 0; e < perPixel; ++e) {
                    const T x = load<T>(ra + (i * strideA + e) * b);
                    const T y = rb ? load<T>(rb + (i * strideB + e) * b) : pat;
                    store<T>(rd + (i * strideD + e) * b, combine<T>(c.kind, x, y));
                }
            }
        }
    }
}

// 1U: destination bits of each row's run become A op B (or A op pattern);
// bits outside the run, and those the mask holds back, keep their values.
void bitDriver(const Call& c) {
    if (c.mask == nullptr && c.kind != OwnLogicKind::XorS &&
        ownIsWholeImage(c.a, c.b, c.d, c.anyAlpha)) {
        wholeBufferRun(c);
        return;
    }
    Starts s = startsOf(c);
    if (s.w <= 0 || s.h <= 0) return;
    const int32_t pat = static_cast<int32_t>(c.pattern & 1u);
    const bool sameBits = s.a.bit == s.d.bit && (c.b == nullptr || s.b.bit == s.d.bit);
    for (int32_t j = 0; j < s.h; ++j) {
        const unsigned char* ra = rowOf(s.a, j);
        const unsigned char* rb = c.b ? rowOf(s.b, j) : nullptr;
        unsigned char* rd = rowOf(s.d, j);
        if (c.mask == nullptr && sameBits) {
            // Whole bytes, with the run's two end bytes merged under masks.
            const int32_t off = s.d.bit;
            const int32_t last = (s.w - 1 + off) >> 3;
            const unsigned char patByte = pat ? 0xff : 0x00;
            for (int32_t k = 0; k <= last; ++k) {
                unsigned m = 0xffu;
                if (k == 0) m &= 0xffu >> off;
                if (k == last) m &= (0xffu << (7 - ((s.w - 1 + off) & 7))) & 0xffu;
                const unsigned char v =
                    combine<unsigned char>(c.kind, ra[k], rb ? rb[k] : patByte);
                rd[k] = static_cast<unsigned char>((rd[k] & ~m) | (v & m));
            }
            continue;
        }
        const unsigned char* rm = c.mask ? rowOf(s.m, j) : nullptr;
        for (int32_t i = 0; i < s.w; ++i) {
            if (rm != nullptr && !ownGetBit(rm, s.m.bit + static_cast<int64_t>(i))) continue;
            const int32_t x = ownGetBit(ra, s.a.bit + static_cast<int64_t>(i));
            const int32_t y = rb ? ownGetBit(rb, s.b.bit + static_cast<int64_t>(i)) : pat;
            ownPutBit(rd, s.d.bit + static_cast<int64_t>(i), combine<int32_t>(c.kind, x, y) & 1);
        }
    }
}

void runDriver(const Call& c) {
    switch (c.d->depth) {
    case IPL_DEPTH_1U: bitDriver(c); break;
    case IPL_DEPTH_8U:
    case IPL_DEPTH_8S: elementDriver<uint8_t>(c); break;
    case IPL_DEPTH_16U:
    case IPL_DEPTH_16S: elementDriver<uint16_t>(c); break;
    default: elementDriver<uint32_t>(c); break;
    }
}

// ---- tiled walk -------------------------------------------------------------

struct TileState {
    IplImage* image = nullptr;  // the caller's header
    IplImage copy{};
    IplROI roi{};
    OwnRect rect{};
    int32_t mode = IPL_GET_TILE_TO_READ;
    const char* nullTileText = "";
    bool tiled = false;
    int32_t tw = 0;
    int32_t th = 0;
    int32_t firstCol = 0;
    int32_t col = 0;
    int32_t row = 0;
    bool held = false;
};

void tileStateInit(TileState* st, IplImage* image, int32_t mode, const char* nullTileText) {
    st->image = image;
    st->copy = *image;
    st->roi = IplROI{image->roi ? image->roi->coi : 0, 0, 0, 0, 0};
    st->copy.roi = &st->roi;
    st->copy.maskROI = nullptr;
    st->mode = mode;
    st->nullTileText = nullTileText;
    ownGetRoiRect(image, &st->rect);
    st->tiled = image->tileInfo != nullptr;
    if (!st->tiled) return;
    st->tw = image->tileInfo->width;
    st->th = image->tileInfo->height;
    st->copy.tileInfo = nullptr;
    st->copy.widthStep = ownWidthStep(image->dataOrder, image->depth, image->align,
                                      image->nChannels, st->tw);
    st->copy.width = st->tw;
    st->copy.height = st->th;
    st->copy.imageSize = ownImageSize(image->dataOrder, image->nChannels, st->copy.widthStep, st->th);
    st->firstCol = st->rect.x / st->tw;
    st->col = st->firstCol;
    st->row = st->rect.y / st->th;
}

class TiledWalk {
public:
    TiledWalk(const Call& call, const Names& names) : call_(call), names_(names) {}

    void run() {
        const bool xor1 = call_.kind == OwnLogicKind::XorS;
        tileStateInit(&d_, call_.d, IPL_GET_TILE_TO_WRITE, "(dstImage->tileInfo->tileData == 0)");
        TileState* sa = &d_;
        if (call_.a != call_.d) {
            tileStateInit(&a_, call_.a, IPL_GET_TILE_TO_READ,
                          xor1 ? "(srcImage->tileInfo->tileData == 0)"
                               : "(srcImageA->tileInfo->tileData == 0)");
            sa = &a_;
            order_[count_++] = &a_;
        }
        TileState* sb = nullptr;
        if (call_.b != nullptr) {
            sb = &d_;
            if (call_.b != call_.d) {
                tileStateInit(&b_, call_.b, IPL_GET_TILE_TO_READ, "(srcImageB->tileInfo->tileData == 0)");
                sb = &b_;
                order_[count_++] = &b_;
            }
        }
        order_[count_++] = &d_;

        OwnRect maskRect{};
        IplImage maskCopy{};
        IplROI maskRoi{};
        int32_t W = d_.rect.width;
        int32_t H = d_.rect.height;
        for (int32_t k = 0; k < count_; ++k) {
            W = std::min(W, order_[k]->rect.width);
            H = std::min(H, order_[k]->rect.height);
        }
        if (call_.mask != nullptr) {
            ownGetRoiRect(call_.mask, &maskRect);
            W = std::min(W, maskRect.width);
            H = std::min(H, maskRect.height);
            maskCopy = *call_.mask;
            maskCopy.roi = &maskRoi;
            maskCopy.maskROI = nullptr;
        }
        if (W <= 0 || H <= 0) return;

        Call block = call_;
        block.a = &sa->copy;
        block.b = sb ? &sb->copy : nullptr;
        block.d = &d_.copy;
        block.mask = call_.mask ? &maskCopy : nullptr;

        for (int32_t r = 0; r < H;) {
            int32_t band = H - r;
            for (int32_t k = 0; k < count_; ++k) {
                TileState* st = order_[k];
                const int32_t y = st->rect.y + r;
                const int32_t end = st->rect.y + H;
                if (st->tiled) {
                    if (y >= (st->row + 1) * st->th) ++st->row;
                    st->col = st->firstCol;
                    if (!fetch(st)) return;
                    const int32_t top = st->row * st->th;
                    band = std::min(band, std::min(top + st->th, end) - y);
                    st->roi.yOffset = y - top;
                } else {
                    band = std::min(band, end - y);
                    st->roi.yOffset = y;
                }
            }
            for (int32_t c = 0; c < W;) {
                int32_t width = W - c;
                for (int32_t k = 0; k < count_; ++k) {
                    TileState* st = order_[k];
                    const int32_t x = st->rect.x + c;
                    const int32_t end = st->rect.x + W;
                    if (st->tiled) {
                        if (x >= (st->col + 1) * st->tw) {
                            release(st);
                            ++st->col;
                            if (!fetch(st)) return;
                        }
                        const int32_t left = st->col * st->tw;
                        width = std::min(width, std::min(left + st->tw, end) - x);
                        st->roi.xOffset = x - left;
                    } else {
                        width = std::min(width, end - x);
                        st->roi.xOffset = x;
                    }
                }
                for (int32_t k = 0; k < count_; ++k) {
                    order_[k]->roi.width = width;
                    order_[k]->roi.height = band;
                }
                if (call_.mask != nullptr)
                    maskRoi = IplROI{0, maskRect.x + c, maskRect.y + r, width, band};
                runDriver(block);
                c += width;
            }
            for (int32_t k = 0; k < count_; ++k)
                if (order_[k]->tiled) release(order_[k]);
            r += band;
        }
    }

    bool failed() const { return failed_; }

    ~TiledWalk() {
        // Tiles still held after a failed fetch go back to their owners.
        for (int32_t k = 0; k < count_; ++k)
            if (order_[k]->held) release(order_[k]);
    }

private:
    bool fetch(TileState* st) {
        IplTileInfo* info = st->image->tileInfo;
        info->callBack(st->image, st->col, st->row, st->mode);
        if (info->tileData == nullptr) {
            iplError(-5, names_.func, st->nullTileText, names_.unit, __LINE__);
            failed_ = true;
            return false;
        }
        st->held = true;
        st->copy.imageData = info->tileData;
        return true;
    }

    void release(TileState* st) {
        if (!st->held) return;
        st->image->tileInfo->tileData = st->copy.imageData;
        st->image->tileInfo->callBack(st->image, st->col, st->row, IPL_RELEASE_TILE);
        st->held = false;
    }

    Call call_;
    Names names_;
    TileState a_, b_, d_;
    TileState* order_[3] = {};
    int32_t count_ = 0;
    bool failed_ = false;
};

}  // namespace

uint32_t ownXorPattern(uint32_t depth, uint32_t value) {
    switch (ownDepthBits(depth)) {
    case 1: return (value & 1u) ? 0xffffffffu : 0u;
    case 8: return (value & 0xffu) * 0x01010101u;
    case 16: return (value & 0xffffu) * 0x00010001u;
    default: return value;
    }
}

bool ownLogicOperation(OwnLogicKind kind, IplImage* srcImageA, IplImage* srcImageB,
                       IplImage* dstImage, uint32_t value) {
    const Names names = namesOf(kind);
    const bool xorS = kind == OwnLogicKind::XorS;
    auto fail = [&](int32_t status, const char* context, int32_t line) {
        iplError(status, names.func, context, names.unit, line);
        return false;
    };
    if (ownCheckImage(srcImageA) != 0) return fail(iplGetErrStatus(), "Incorrect Image", __LINE__);
    if (!xorS && ownCheckImage(srcImageB) != 0)
        return fail(iplGetErrStatus(), "Incorrect Image", __LINE__);
    if (ownCheckImage(dstImage) != 0) return fail(iplGetErrStatus(), "Incorrect Image", __LINE__);

    Call call{};
    call.kind = kind;
    call.a = srcImageA;
    call.b = xorS ? nullptr : srcImageB;
    call.d = dstImage;
    int32_t nA = 0;
    int32_t nB = 0;
    int32_t nD = 0;
    workingChannels(srcImageA, &call.chA, &nA);
    workingChannels(dstImage, &call.chD, &nD);
    if (!xorS) workingChannels(srcImageB, &call.chB, &nB);

    const bool oneBit = srcImageA->depth == IPL_DEPTH_1U;
    if (xorS) {
        if (srcImageA->depth != dstImage->depth)
            return fail(-5, "(srcImage->depth != dstImage->depth)", __LINE__);
        if (!oneBit && srcImageA->dataOrder != dstImage->dataOrder)
            return fail(-5, "(srcImage->dataOrder != dstImage->dataOrder)", __LINE__);
        if (nA != nD) return fail(-5, "(nChSrc != nChDst)", __LINE__);
    } else {
        if (srcImageA->depth != dstImage->depth)
            return fail(-5, "(srcImageA->depth != dstImage->depth)", __LINE__);
        if (dstImage->depth != srcImageB->depth)
            return fail(-5, "(srcImageB->depth != dstImage->depth)", __LINE__);
        if (!oneBit && srcImageA->dataOrder != dstImage->dataOrder)
            return fail(-5, "(srcImageA->dataOrder != dstImage->dataOrder)", __LINE__);
        if (!oneBit && dstImage->dataOrder != srcImageB->dataOrder)
            return fail(-5, "(srcImageB->dataOrder != dstImage->dataOrder)", __LINE__);
        if (nA != nD) return fail(-5, "(nChSrcA != nChDst)", __LINE__);
        if (nB != nD) return fail(-5, "(nChSrcB != nChDst)", __LINE__);
    }

    int32_t maskStatus = 0;
    IplImage* mask = xorS ? ownCombineMasks(srcImageA->maskROI, dstImage->maskROI, nullptr, &maskStatus)
                          : ownCombineMasks(srcImageA->maskROI, srcImageB->maskROI,
                                            dstImage->maskROI, &maskStatus);
    if (maskStatus == 3) return true;  // masks with no common pixel: nothing to do
    if (maskStatus == 2) return fail(-4, "Out of memory", __LINE__);
    OwnImagePtr owned(maskStatus == 1 ? mask : nullptr,
                      OwnImageDeleter{IPL_IMAGE_HEADER | IPL_IMAGE_DATA});
    if (dstImage->depth == IPL_DEPTH_32F)
        return fail(-5, "This function does not support depth 32F", __LINE__);

    call.mask = mask;
    call.n = nA;
    call.pattern = ownXorPattern(dstImage->depth, value);
    const IplImage* images[3] = {call.a, call.b, call.d};
    call.allChannels = true;
    call.anyAlpha = false;
    bool tiled = false;
    for (const IplImage* im : images) {
        if (im == nullptr) continue;
        if (im->roi != nullptr && im->roi->coi >= 1) call.allChannels = false;
        if (im->alphaChannel > 0) call.anyAlpha = true;
        if (im->tileInfo != nullptr) tiled = true;
    }
    if (tiled) {
        TiledWalk walk(call, names);
        walk.run();
        return !walk.failed();
    }
    if (xorS && mask == nullptr && ownIsWholeImage(call.a, call.d, nullptr, call.anyAlpha)) {
        wholeBufferRun(call);
        return true;
    }
    runDriver(call);
    return true;
}
