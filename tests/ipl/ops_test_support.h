// Helpers for the tests of the image operations: images filled with
// repeatable random values, element access in either data order, and a
// tiled view of a plain image whose call-back copies tiles in and out.
#ifndef TESTS_IPL_OPS_TEST_SUPPORT_H
#define TESTS_IPL_OPS_TEST_SUPPORT_H

#include "ipl/ipl.h"
#include "ipl/ownipl.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace opstest {

struct ImageDeleter {
    void operator()(IplImage* image) const { iplDeallocate(image, IPL_IMAGE_ALL); }
};
using Image = std::unique_ptr<IplImage, ImageDeleter>;

inline Image makeImage(int32_t nChannels, int32_t alpha, uint32_t depth, int32_t width, int32_t height,
                       int32_t order = IPL_DATA_ORDER_PIXEL, int32_t align = 4)
{
    const char* model = nChannels >= 3 ? "RGB" : "GRAY";
    Image im(iplCreateImageHeader(nChannels, alpha, depth, model, model, order, IPL_ORIGIN_TL, align, width, height,
                                  nullptr, nullptr, nullptr, nullptr));
    if (im) {
        if (depth == IPL_DEPTH_32F) {
            // Float images are allocated by hand: the allocator refuses them.
            const size_t bytes = static_cast<size_t>(im->imageSize);
            im->imageDataOrigin = static_cast<unsigned char*>(std::calloc(bytes ? bytes : 1, 1));
            im->imageData = im->imageDataOrigin;
        } else {
            iplAllocateImage(im.get(), 1, 0);
        }
    }
    return im;
}

inline int32_t elemBytes(uint32_t depth) { return static_cast<int32_t>((depth & 0x7fffffffu) / 8); }

// Address of channel k of pixel (x, y) (not for 1u).
inline unsigned char* elemAt(const IplImage* im, int32_t x, int32_t y, int32_t k)
{
    const int32_t b = elemBytes(im->depth);
    if (im->dataOrder == IPL_DATA_ORDER_PIXEL)
        return im->imageData + int64_t(y) * im->widthStep + (int64_t(x) * im->nChannels + k) * b;
    return im->imageData + int64_t(k) * im->widthStep * im->height + int64_t(y) * im->widthStep + int64_t(x) * b;
}

inline double getValue(const IplImage* im, int32_t x, int32_t y, int32_t k)
{
    if (im->depth == IPL_DEPTH_1U)
        return (im->imageData[int64_t(y) * im->widthStep + x / 8] >> (7 - x % 8)) & 1;
    const unsigned char* p = elemAt(im, x, y, k);
    switch (im->depth) {
    case IPL_DEPTH_8U: return *p;
    case IPL_DEPTH_8S: return *reinterpret_cast<const int8_t*>(p);
    case IPL_DEPTH_16U: { uint16_t v; std::memcpy(&v, p, 2); return v; }
    case IPL_DEPTH_16S: { int16_t v; std::memcpy(&v, p, 2); return v; }
    case IPL_DEPTH_32S: { int32_t v; std::memcpy(&v, p, 4); return v; }
    default: { float v; std::memcpy(&v, p, 4); return v; }
    }
}

inline void setValue(IplImage* im, int32_t x, int32_t y, int32_t k, double value)
{
    if (im->depth == IPL_DEPTH_1U) {
        unsigned char& byte = im->imageData[int64_t(y) * im->widthStep + x / 8];
        const unsigned char bit = static_cast<unsigned char>(0x80u >> (x % 8));
        byte = static_cast<unsigned char>(value != 0 ? (byte | bit) : (byte & ~bit));
        return;
    }
    unsigned char* p = elemAt(im, x, y, k);
    switch (im->depth) {
    case IPL_DEPTH_8U: *p = static_cast<uint8_t>(value); break;
    case IPL_DEPTH_8S: *reinterpret_cast<int8_t*>(p) = static_cast<int8_t>(value); break;
    case IPL_DEPTH_16U: { uint16_t v = static_cast<uint16_t>(value); std::memcpy(p, &v, 2); break; }
    case IPL_DEPTH_16S: { int16_t v = static_cast<int16_t>(value); std::memcpy(p, &v, 2); break; }
    case IPL_DEPTH_32S: { int32_t v = static_cast<int32_t>(value); std::memcpy(p, &v, 4); break; }
    default: { float v = static_cast<float>(value); std::memcpy(p, &v, 4); break; }
    }
}

// Fills every byte of the pixel block (padding included) with random bytes;
// float images get random values in 0..1000 instead.
inline void fillRandom(IplImage* im, uint32_t seed)
{
    std::mt19937 rng(seed);
    if (im->depth == IPL_DEPTH_32F) {
        std::uniform_real_distribution<float> dist(0.0f, 1000.0f);
        for (int32_t k = 0; k < (im->dataOrder == IPL_DATA_ORDER_PLANE ? im->nChannels : 1); ++k)
            for (int32_t y = 0; y < im->height; ++y)
                for (int32_t x = 0; x < im->width; ++x)
                    for (int32_t c = 0; c < (im->dataOrder == IPL_DATA_ORDER_PIXEL ? im->nChannels : 1); ++c)
                        setValue(im, x, y, im->dataOrder == IPL_DATA_ORDER_PIXEL ? c : k, dist(rng));
        return;
    }
    for (int32_t i = 0; i < im->imageSize; ++i)
        im->imageData[i] = static_cast<unsigned char>(rng());
}

inline std::vector<unsigned char> bytesOf(const IplImage* im)
{
    return std::vector<unsigned char>(im->imageData, im->imageData + im->imageSize);
}

inline Image cloneImage(const IplImage* im)
{
    Image c = makeImage(im->nChannels, im->alphaChannel, im->depth, im->width, im->height, im->dataOrder, im->align);
    std::memcpy(c->imageData, im->imageData, static_cast<size_t>(im->imageSize));
    return c;
}

// A tiled header over the pixels of a plain image: the call-back copies a
// tile out of the backing image when it is fetched and back when a tile
// fetched for writing is released. Fetch and release calls are recorded.
class TiledView {
public:
    TiledView(IplImage* backing, int32_t tileW, int32_t tileH) : backing_(backing)
    {
        info_ = static_cast<IplTileInfo*>(iplMalloc(sizeof(IplTileInfo)));
        info_->callBack = &TiledView::callBack;
        info_->id = this;
        info_->tileData = nullptr;
        info_->width = tileW;
        info_->height = tileH;
        header_ = iplCreateImageHeader(backing->nChannels, backing->alphaChannel, backing->depth,
                                       backing->colorModel, backing->channelSeq, backing->dataOrder,
                                       backing->origin, backing->align, backing->width, backing->height, nullptr,
                                       nullptr, nullptr, info_);
        tileStep_ = ownWidthStep(backing->dataOrder, backing->depth, backing->align, backing->nChannels, tileW);
    }
    ~TiledView()
    {
        header_->tileInfo = nullptr;
        iplDeallocate(header_, IPL_IMAGE_HEADER | IPL_IMAGE_ROI);
        iplFree(info_);
    }
    TiledView(const TiledView&) = delete;
    TiledView& operator=(const TiledView&) = delete;

    IplImage* get() const { return header_; }
    std::vector<std::pair<int, std::pair<int, int>>> calls;  // (mode, (tx, ty))
    int openTiles() const { return static_cast<int>(open_.size()); }

private:
    static void callBack(const IplImage* image, int32_t tx, int32_t ty, int32_t mode)
    {
        TiledView* self = static_cast<TiledView*>(image->tileInfo->id);
        self->calls.push_back({mode, {tx, ty}});
        const auto key = std::make_pair(tx, ty);
        if (mode == IPL_RELEASE_TILE) {
            auto it = self->open_.find(key);
            if (it == self->open_.end())
                return;
            if (it->second.second)
                self->copyTile(tx, ty, it->second.first.data(), true);
            self->open_.erase(it);
            return;
        }
        auto& slot = self->open_[key];
        slot.first.assign(static_cast<size_t>(self->tileStep_) * image->tileInfo->height *
                              (image->dataOrder == IPL_DATA_ORDER_PLANE ? image->nChannels : 1),
                          0);
        slot.second = slot.second || mode == IPL_GET_TILE_TO_WRITE;
        self->copyTile(tx, ty, slot.first.data(), false);
        image->tileInfo->tileData = slot.first.data();
    }
    void copyTile(int32_t tx, int32_t ty, unsigned char* tile, bool back)
    {
        const IplImage* b = backing_;
        const int32_t tw = info_->width, th = info_->height;
        const int32_t planes = b->dataOrder == IPL_DATA_ORDER_PLANE ? b->nChannels : 1;
        const int32_t bitsPerPixel = static_cast<int32_t>(b->depth & 0x7fffffffu) *
                                     (b->dataOrder == IPL_DATA_ORDER_PIXEL ? b->nChannels : 1);
        for (int32_t p = 0; p < planes; ++p)
            for (int32_t r = 0; r < th; ++r) {
                const int32_t y = ty * th + r;
                if (y >= b->height)
                    break;
                const int32_t x0 = tx * tw;
                int32_t cols = b->width - x0 < tw ? b->width - x0 : tw;
                if (cols <= 0)
                    break;
                // Tile widths are multiples of 8, so whole bytes line up.
                const int64_t bytes = (int64_t(cols) * bitsPerPixel + 7) / 8;
                unsigned char* img = b->imageData + int64_t(p) * b->widthStep * b->height + int64_t(y) * b->widthStep +
                                     int64_t(x0) * bitsPerPixel / 8;
                unsigned char* t = tile + int64_t(p) * tileStep_ * th + int64_t(r) * tileStep_;
                if (back)
                    std::memcpy(img, t, static_cast<size_t>(bytes));
                else
                    std::memcpy(t, img, static_cast<size_t>(bytes));
            }
    }

    IplImage* backing_;
    IplTileInfo* info_ = nullptr;
    IplImage* header_ = nullptr;
    int32_t tileStep_ = 0;
    std::map<std::pair<int, int>, std::pair<std::vector<unsigned char>, bool>> open_;
};

// Records the reports that reach the error handler; the handler keeps the
// status (returns 0 like the image library's) so that the caller goes on.
struct ErrorLog {
    struct Entry {
        int32_t status;
        std::string func, context;
    };
    static std::vector<Entry>& entries()
    {
        static std::vector<Entry> e;
        return e;
    }
    static int32_t handler(int32_t status, const char* func, const char* context, const char*, int32_t)
    {
        entries().push_back({status, func ? func : "", context ? context : ""});
        return 0;
    }
    ErrorLog() : previous_(iplRedirectError(&ErrorLog::handler))
    {
        entries().clear();
        iplSetErrStatus(0);
    }
    ~ErrorLog()
    {
        iplRedirectError(previous_);
        iplSetErrStatus(0);
    }
    ErrorLog(const ErrorLog&) = delete;
    ErrorLog& operator=(const ErrorLog&) = delete;
    bool has(int32_t status, const std::string& context) const
    {
        for (const Entry& e : entries())
            if (e.status == status && e.context == context)
                return true;
        return false;
    }
    size_t count() const { return entries().size(); }

private:
    IplErrorCallback previous_;
};

} // namespace opstest

#endif
