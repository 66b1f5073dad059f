// Helpers for the image library's tests: images made and filled at random,
// per-value access straight from the addressing rules, tiled twins of plain
// images with a logging tile call-back, and an error handler that records.
#ifndef SPAB_TESTS_IPL_TEST_SUPPORT_H
#define SPAB_TESTS_IPL_TEST_SUPPORT_H

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "ipl/ipl.h"

namespace ipltest {

struct ImageDeleter {
    void operator()(IplImage* image) const { iplDeallocate(image, IPL_IMAGE_HEADER | IPL_IMAGE_DATA); }
};
using ImagePtr = std::unique_ptr<IplImage, ImageDeleter>;
// An image that also owns its region and mask (made by iplCreateROI and the like).
struct OwningDeleter {
    OwningDeleter() = default;
    OwningDeleter(ImageDeleter) {}
    void operator()(IplImage* image) const { iplDeallocate(image, IPL_IMAGE_ALL); }
};
using Image = std::unique_ptr<IplImage, OwningDeleter>;

// A zero-filled image (float pixels allocated here: the allocator refuses them).
inline ImagePtr makeImage(uint32_t depth, int32_t nChannels, int32_t alphaChannel, int32_t dataOrder,
                          int32_t width, int32_t height, int32_t align = 4) {
    IplImage* image = iplCreateImageHeader(nChannels, alphaChannel, depth, "RGBA", "RGBA", dataOrder,
                                           IPL_ORIGIN_TL, align, width, height, nullptr, nullptr,
                                           nullptr, nullptr);
    if (image == nullptr) return nullptr;
    if (depth == IPL_DEPTH_32F) {
        image->imageDataOrigin = static_cast<unsigned char*>(std::calloc(image->imageSize + 32, 1));
        image->imageData = image->imageDataOrigin;
    } else {
        iplAllocateImage(image, 1, 0);
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

inline unsigned char* valueAt(const IplImage* image, int32_t x, int32_t y, int32_t k) {
    unsigned char* row = image->imageData + static_cast<ptrdiff_t>(y) * image->widthStep;
    const int32_t b = bytesPerValue(image->depth);
    return image->dataOrder == IPL_DATA_ORDER_PLANE
               ? row + static_cast<ptrdiff_t>(k) * image->widthStep * image->height + x * b
               : row + (static_cast<ptrdiff_t>(x) * image->nChannels + k) * b;
}

// Value k of pixel (x, y), as raw bits (1U: 0 or 1).
inline uint32_t getValue(const IplImage* image, int32_t x, int32_t y, int32_t k) {
    if (image->depth == IPL_DEPTH_1U)
        return (image->imageData[static_cast<ptrdiff_t>(y) * image->widthStep + x / 8] >> (7 - x % 8)) & 1u;
    uint32_t v = 0;
    std::memcpy(&v, valueAt(image, x, y, k), static_cast<size_t>(bytesPerValue(image->depth)));
    return v;
}

inline void setValue(IplImage* image, int32_t x, int32_t y, int32_t k, uint32_t v) {
    if (image->depth == IPL_DEPTH_1U) {
        unsigned char& byte = image->imageData[static_cast<ptrdiff_t>(y) * image->widthStep + x / 8];
        const unsigned char m = static_cast<unsigned char>(0x80u >> (x % 8));
        byte = static_cast<unsigned char>(v & 1u ? byte | m : byte & ~m);
        return;
    }
    std::memcpy(valueAt(image, x, y, k), &v, static_cast<size_t>(bytesPerValue(image->depth)));
}

// The same values as numbers: signed depths sign-extended, floats as floats.
inline double valueOf(const IplImage* image, int32_t x, int32_t y, int32_t k) {
    const uint32_t raw = getValue(image, x, y, k);
    switch (image->depth) {
    case IPL_DEPTH_8S: return static_cast<int8_t>(raw);
    case IPL_DEPTH_16S: return static_cast<int16_t>(raw);
    case IPL_DEPTH_32S: return static_cast<int32_t>(raw);
    case IPL_DEPTH_32F: { float f; std::memcpy(&f, &raw, 4); return f; }
    default: return raw;
    }
}

inline void setValueOf(IplImage* image, int32_t x, int32_t y, int32_t k, double value) {
    uint32_t raw = image->depth == IPL_DEPTH_32F ? 0u : static_cast<uint32_t>(static_cast<int64_t>(value));
    if (image->depth == IPL_DEPTH_32F) {
        const float f = static_cast<float>(value);
        std::memcpy(&raw, &f, 4);
    }
    setValue(image, x, y, k, raw);
}

// Every byte of the pixel block (padding included) random, from a seed; float
// images get random values in 0..1000 instead.
inline void fillRandom(IplImage* image, uint32_t seed) {
    std::mt19937 rng(seed);
    if (image->depth != IPL_DEPTH_32F) return fillRandom(image, rng);
    std::uniform_real_distribution<float> dist(0.0f, 1000.0f);
    for (int32_t y = 0; y < image->height; ++y)
        for (int32_t x = 0; x < image->width; ++x)
            for (int32_t k = 0; k < image->nChannels; ++k) setValueOf(image, x, y, k, dist(rng));
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
    bool has(int32_t status, const std::string& context) const {
        for (const ErrorRecord& e : calls)
            if (e.status == status && e.context == context) return true;
        return false;
    }
    std::vector<int32_t> statuses() const {
        std::vector<int32_t> s;
        for (const ErrorRecord& e : calls) s.push_back(e.status);
        return s;
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
// buffer of its own. Every call-back is logged. A fetched tile is a copy that
// goes back into the image only when it was fetched for writing, and its
// release must hand back the address given out. A region set on image() is
// the caller's.
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
        const int32_t planes = plain->dataOrder == IPL_DATA_ORDER_PLANE ? plain->nChannels : 1;
        // The row step of a tile: the image's row rule on the tile width.
        const int64_t bits = static_cast<int64_t>(tileWidth) * (plain->depth & 0x7fffffffu) *
                             (plain->dataOrder == IPL_DATA_ORDER_PIXEL ? plain->nChannels : 1);
        const int64_t unit = 8 * plain->align;
        tileStep_ = static_cast<int32_t>((bits + unit - 1) / unit * unit / 8);
        tiles_.assign(static_cast<size_t>(cols_ * rows_),
                      std::vector<unsigned char>(static_cast<size_t>(tileStep_) * tileHeight * planes + 8));
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
    int32_t held() const {
        int32_t n = 0;
        for (const auto& h : held_) n += h.second.count;
        return n;
    }

    // The pixels back in the layout of a plain image (like the original).
    void copyTo(IplImage* plain) const {
        for (int32_t y = 0; y < plain->height; ++y)
            for (int32_t x = 0; x < plain->width; ++x)
                for (int32_t k = 0; k < plain->nChannels; ++k) setValue(plain, x, y, k, tileValue(x, y, k));
    }

private:
    struct Held {
        std::vector<unsigned char> pixels;
        bool write = false;
        int32_t count = 0;
    };

    std::vector<unsigned char>& tileAt(int32_t col, int32_t row) { return tiles_[static_cast<size_t>(row * cols_ + col)]; }
    const std::vector<unsigned char>& tileAt(int32_t col, int32_t row) const {
        return tiles_[static_cast<size_t>(row * cols_ + col)];
    }

    // A scratch header over one tile, for the value accessors.
    IplImage tileHeader(const std::vector<unsigned char>& data) const {
        IplImage t = header_;
        t.tileInfo = nullptr;
        t.width = info_.width;
        t.height = info_.height;
        t.widthStep = tileStep_;
        t.imageData = const_cast<unsigned char*>(data.data());
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
        const auto key = std::make_pair(col, row);
        if (mode == IPL_RELEASE_TILE) {
            auto h = self->held_.find(key);
            if (!inside || h == self->held_.end() || image->tileInfo->tileData != h->second.pixels.data()) {
                ++self->badReleases;
                return;
            }
            if (--h->second.count > 0) return;
            if (h->second.write) self->tileAt(col, row) = h->second.pixels;
            self->held_.erase(h);
            return;
        }
        bool give = inside;
        for (const auto& m : self->missing)
            if (m == key) give = false;
        image->tileInfo->tileData = nullptr;
        if (!give) return;
        Held& h = self->held_[key];
        if (h.count++ == 0) h.pixels = self->tileAt(col, row);
        h.write = h.write || mode == IPL_GET_TILE_TO_WRITE;
        image->tileInfo->tileData = h.pixels.data();
    }

    IplImage header_{};
    IplTileInfo info_{};
    int32_t cols_ = 0;
    int32_t rows_ = 0;
    int32_t tileStep_ = 0;
    std::vector<std::vector<unsigned char>> tiles_;
    std::map<std::pair<int32_t, int32_t>, Held> held_;
};

// ---- random scenes ---------------------------------------------------------------

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

#endif  // SPAB_TESTS_IPL_TEST_SUPPORT_H
