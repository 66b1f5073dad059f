// Helpers for the image library's tests: images made and filled at random,
// per-value access straight from the addressing rules, tiled twins of plain
// images with a logging tile call-back, and an error handler that records.
#ifndef SPAB_TESTS_IPL_TEST_SUPPORT_H
#define SPAB_TESTS_IPL_TEST_SUPPORT_H

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ipl/ipl.h"

namespace ipltest {

struct ImageDeleter {
    void operator()(IplImage* image) const { iplDeallocate(image, IPL_IMAGE_HEADER | IPL_IMAGE_DATA); }
};
using ImagePtr = std::unique_ptr<IplImage, ImageDeleter>;

inline ImagePtr makeImage(uint32_t depth, int32_t nChannels, int32_t alphaChannel, int32_t dataOrder,
                          int32_t width, int32_t height, int32_t align = 4) {
    IplImage* image = iplCreateImageHeader(nChannels, alphaChannel, depth, "RGBA", "RGBA", dataOrder,
                                           IPL_ORIGIN_TL, align, width, height, nullptr, nullptr,
                                           nullptr, nullptr);
    if (image == nullptr) return nullptr;
    if (depth == IPL_DEPTH_32F) {
        // iplAllocateImage refuses floats: give the header pixels of our own.
        image->imageDataOrigin = static_cast<unsigned char*>(std::malloc(image->imageSize + 32));
        image->imageData = image->imageDataOrigin;
    } else {
        iplAllocateImage(image, 0, 0);
    }
    return ImagePtr(image);
}

inline void fillRandom(IplImage* image, std::mt19937& rng) {
    for (int32_t k = 0; k < image->imageSize; ++k)
        image->imageData[k] = static_cast<unsigned char>(rng());
}

inline std::vector<uint8_t> bytesOf(const IplImage* image) {
    return std::vector<uint8_t>(image->imageData, image->imageData + image->imageSize);
}

inline int32_t bytesPerValue(uint32_t depth) { return static_cast<int32_t>((depth & 0x7fffffffu) / 8); }

// Value k of pixel (x, y), as raw bits (1U: 0 or 1).
inline uint32_t getValue(const IplImage* image, int32_t x, int32_t y, int32_t k) {
    const unsigned char* row = image->imageData + static_cast<ptrdiff_t>(y) * image->widthStep;
    if (image->depth == IPL_DEPTH_1U) return (row[x / 8] >> (7 - x % 8)) & 1u;
    const int32_t b = bytesPerValue(image->depth);
    const unsigned char* p =
        image->dataOrder == IPL_DATA_ORDER_PLANE
            ? row + static_cast<ptrdiff_t>(k) * image->widthStep * image->height + x * b
            : row + (static_cast<ptrdiff_t>(x) * image->nChannels + k) * b;
    uint32_t v = 0;
    std::memcpy(&v, p, static_cast<size_t>(b));
    return v;
}

inline void setValue(IplImage* image, int32_t x, int32_t y, int32_t k, uint32_t v) {
    unsigned char* row = image->imageData + static_cast<ptrdiff_t>(y) * image->widthStep;
    if (image->depth == IPL_DEPTH_1U) {
        const unsigned char m = static_cast<unsigned char>(0x80u >> (x % 8));
        row[x / 8] = static_cast<unsigned char>(v & 1u ? row[x / 8] | m : row[x / 8] & ~m);
        return;
    }
    const int32_t b = bytesPerValue(image->depth);
    unsigned char* p = image->dataOrder == IPL_DATA_ORDER_PLANE
                           ? row + static_cast<ptrdiff_t>(k) * image->widthStep * image->height + x * b
                           : row + (static_cast<ptrdiff_t>(x) * image->nChannels + k) * b;
    std::memcpy(p, &v, static_cast<size_t>(b));
}

// The channels an operation processes: the channel of interest, or all but
// the alpha channel (always the last).
inline std::vector<int32_t> processedChannels(const IplImage* image) {
    if (image->roi != nullptr && image->roi->coi >= 1) return {image->roi->coi - 1};
    std::vector<int32_t> out;
    const int32_t n = image->alphaChannel != 0 ? image->nChannels - 1 : image->nChannels;
    for (int32_t k = 0; k < n; ++k) out.push_back(k);
    return out;
}

struct Region {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

// The region clipped to its image (width 0 when empty).
inline Region clippedRegion(const IplImage* image) {
    if (image->roi == nullptr) return {0, 0, image->width, image->height};
    const IplROI& r = *image->roi;
    if (r.xOffset >= image->width || r.yOffset >= image->height) return {r.xOffset, r.yOffset, 0, 0};
    return {r.xOffset, r.yOffset, std::min(r.width, image->width - r.xOffset),
            std::min(r.height, image->height - r.yOffset)};
}

// ---- error capture -------------------------------------------------------------

struct ErrorRecord {
    int32_t status;
    std::string func;
    std::string context;
    std::string file;
};

// Installs a recording handler for its lifetime. With resetStatus the handler
// behaves like the image library's: it stores status 0 and returns 0.
class ErrorCapture {
public:
    explicit ErrorCapture(bool resetStatus = false) : resetStatus_(resetStatus) {
        active() = this;
        previous_ = iplRedirectError(&handler);
        iplSetErrStatus(0);
    }
    ~ErrorCapture() {
        iplRedirectError(previous_);
        iplSetErrStatus(0);
        active() = nullptr;
    }
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    std::vector<ErrorRecord> calls;

    bool empty() const { return calls.empty(); }
    const ErrorRecord& last() const { return calls.back(); }
    void clear() {
        calls.clear();
        iplSetErrStatus(0);
    }

private:
    static ErrorCapture*& active() {
        static ErrorCapture* current = nullptr;
        return current;
    }
    static int32_t handler(int32_t status, const char* func, const char* context, const char* file,
                           int32_t) {
        ErrorCapture* self = active();
        if (self != nullptr) {
            self->calls.push_back({status, func ? func : "", context ? context : "", file ? file : ""});
            if (self->resetStatus_) iplSetErrStatus(0);
        }
        return 0;
    }

    bool resetStatus_;
    IplErrorCallback previous_ = nullptr;
};

// ---- tiled twins -----------------------------------------------------------------

struct TileCall {
    int32_t col;
    int32_t row;
    int32_t mode;
    bool operator==(const TileCall& o) const { return col == o.col && row == o.row && mode == o.mode; }
};

// A tiled header holding the same pixels as a plain image, each tile in a
// buffer of its own. Every call-back is logged; a release must hand back the
// address given out for that tile.
class TiledImage {
public:
    TiledImage(const IplImage* plain, int32_t tileWidth, int32_t tileHeight) {
        info_.callBack = &callBack;
        info_.id = this;
        info_.tileData = nullptr;
        info_.width = tileWidth;
        info_.height = tileHeight;
        header_ = *plain;
        header_.roi = nullptr;
        header_.maskROI = nullptr;
        header_.imageData = nullptr;
        header_.imageDataOrigin = nullptr;
        header_.tileInfo = &info_;
        cols_ = (plain->width + tileWidth - 1) / tileWidth;
        rows_ = (plain->height + tileHeight - 1) / tileHeight;
        planes_ = plain->dataOrder == IPL_DATA_ORDER_PLANE ? plain->nChannels : 1;
        // The row step of a tile: the image's row rule on the tile width.
        const int64_t bits = static_cast<int64_t>(tileWidth) * (plain->depth & 0x7fffffffu) *
                             (plain->dataOrder == IPL_DATA_ORDER_PIXEL ? plain->nChannels : 1);
        const int64_t unit = 8 * plain->align;
        tileStep_ = static_cast<int32_t>((bits + unit - 1) / unit * unit / 8);
        tiles_.assign(static_cast<size_t>(cols_ * rows_),
                      std::vector<unsigned char>(static_cast<size_t>(tileStep_) * tileHeight * planes_ + 8));
        for (int32_t y = 0; y < plain->height; ++y)
            for (int32_t x = 0; x < plain->width; ++x)
                for (int32_t k = 0; k < plain->nChannels; ++k) setTileValue(x, y, k, getValue(plain, x, y, k));
    }
    TiledImage(const TiledImage&) = delete;
    TiledImage& operator=(const TiledImage&) = delete;

    IplImage* image() { return &header_; }
    std::vector<TileCall> log;
    int32_t badReleases = 0;
    // Tiles (col, row) whose fetch hands over no pixels.
    std::vector<std::pair<int32_t, int32_t>> missing;

    // Tiles fetched and not yet released.
    int32_t held() const { return held_; }

    // The pixels back in the layout of a plain image (like the original).
    void copyTo(IplImage* plain) const {
        for (int32_t y = 0; y < plain->height; ++y)
            for (int32_t x = 0; x < plain->width; ++x)
                for (int32_t k = 0; k < plain->nChannels; ++k) setValue(plain, x, y, k, tileValue(x, y, k));
    }

private:
    unsigned char* tileAt(int32_t col, int32_t row) { return tiles_[static_cast<size_t>(row * cols_ + col)].data(); }
    const unsigned char* tileAt(int32_t col, int32_t row) const {
        return tiles_[static_cast<size_t>(row * cols_ + col)].data();
    }

    // A scratch header over one tile, for the value accessors.
    IplImage tileHeader(const unsigned char* data) const {
        IplImage t = header_;
        t.tileInfo = nullptr;
        t.width = info_.width;
        t.height = info_.height;
        t.widthStep = tileStep_;
        t.imageData = const_cast<unsigned char*>(data);
        return t;
    }
    void setTileValue(int32_t x, int32_t y, int32_t k, uint32_t v) {
        IplImage t = tileHeader(tileAt(x / info_.width, y / info_.height));
        setValue(&t, x % info_.width, y % info_.height, k, v);
    }
    uint32_t tileValue(int32_t x, int32_t y, int32_t k) const {
        IplImage t = tileHeader(tileAt(x / info_.width, y / info_.height));
        return getValue(&t, x % info_.width, y % info_.height, k);
    }

    static void callBack(const IplImage* image, int32_t col, int32_t row, int32_t mode) {
        auto* self = static_cast<TiledImage*>(image->tileInfo->id);
        self->log.push_back({col, row, mode});
        const bool inside = col >= 0 && row >= 0 && col < self->cols_ && row < self->rows_;
        if (mode == IPL_RELEASE_TILE) {
            if (!inside || image->tileInfo->tileData != self->tileAt(col, row)) ++self->badReleases;
            --self->held_;
            return;
        }
        bool give = inside;
        for (const auto& m : self->missing)
            if (m.first == col && m.second == row) give = false;
        image->tileInfo->tileData = give ? self->tileAt(col, row) : nullptr;
        if (give) ++self->held_;
    }

    IplImage header_{};
    IplTileInfo info_{};
    int32_t cols_ = 0;
    int32_t rows_ = 0;
    int32_t planes_ = 1;
    int32_t tileStep_ = 0;
    int32_t held_ = 0;
    std::vector<std::vector<unsigned char>> tiles_;
};

}  // namespace ipltest

#endif  // SPAB_TESTS_IPL_TEST_SUPPORT_H

#ifndef SPAB_TESTS_IPL_SCENE
#define SPAB_TESTS_IPL_SCENE
namespace ipltest {

// An image with an optional region and mask image, all owned together, for
// randomised comparisons with a reference model.
struct SceneImage {
    ImagePtr image;
    IplROI roi{};
    ImagePtr mask;
    IplROI maskRoi{};

    IplImage* get() const { return image.get(); }
};

inline int32_t randomIn(std::mt19937& rng, int32_t lo, int32_t hi) {
    return lo + static_cast<int32_t>(rng() % static_cast<uint32_t>(hi - lo + 1));
}

// A random image of the given layout; with some chance a region (possibly
// reaching past the edges), a channel of interest when coi >= 0, and a mask.
inline void makeSceneImage(SceneImage* out, std::mt19937& rng, uint32_t depth, int32_t nChannels,
                           int32_t alpha, int32_t order, int32_t coi, bool withMask) {
    const int32_t w = randomIn(rng, 1, 24);
    const int32_t h = randomIn(rng, 1, 12);
    out->image = makeImage(depth, nChannels, alpha, order, w, h, 4 << (rng() % 4));
    fillRandom(out->image.get(), rng);
    if (coi > 0 || rng() % 2 == 0) {
        out->roi = IplROI{std::max(coi, 0), randomIn(rng, 0, w - 1 + (rng() % 8 == 0 ? 3 : 0)),
                          randomIn(rng, 0, h - 1), randomIn(rng, 1, w + 2), randomIn(rng, 1, h + 2)};
        out->image->roi = &out->roi;
    }
    if (withMask) {
        out->mask = makeImage(IPL_DEPTH_1U, 1, 0, order, randomIn(rng, 1, 30), randomIn(rng, 1, 14));
        fillRandom(out->mask.get(), rng);
        if (rng() % 2 == 0) {
            out->maskRoi = IplROI{0, randomIn(rng, 0, out->mask->width - 1), randomIn(rng, 0, out->mask->height - 1),
                                  randomIn(rng, 1, 30), randomIn(rng, 1, 14)};
            out->mask->roi = &out->maskRoi;
        }
        out->image->maskROI = out->mask.get();
    }
}

// A plain copy of an image's pixels and header fields (no region or mask).
inline ImagePtr clonePixels(const IplImage* image) {
    ImagePtr copy = makeImage(image->depth, image->nChannels, image->alphaChannel, image->dataOrder,
                              image->width, image->height, image->align);
    std::memcpy(copy->imageData, image->imageData, static_cast<size_t>(image->imageSize));
    return copy;
}

// Every pixel value of two images of the same layout is equal.
inline bool sameValues(const IplImage* a, const IplImage* b) {
    for (int32_t y = 0; y < a->height; ++y)
        for (int32_t x = 0; x < a->width; ++x)
            for (int32_t k = 0; k < a->nChannels; ++k)
                if (getValue(a, x, y, k) != getValue(b, x, y, k)) return false;
    return true;
}

}  // namespace ipltest
#endif
