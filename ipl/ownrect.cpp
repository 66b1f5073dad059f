// Rectangle transfer with borders: any rectangle of an image, reaching
// outside it or not, copied into a fresh buffer; the outside pixels are made
// by the border mode of their side. Tiled images are read tile by tile.
#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

#include "ipl/ownipl.h"
#include "ipl/ownrect.h"

namespace {

inline int32_t direction(int32_t from, int32_t to) { return to >= from ? 1 : -1; }
inline int32_t spanLength(int32_t from, int32_t to) { return (to >= from ? to - from : from - to) + 1; }

// Buffer pixel (i, j) of plane p.
inline unsigned char* pixelAt(unsigned char* buf, int32_t i, int32_t j, int32_t p, int32_t step,
                              int32_t planeStep, int32_t pixelBytes) {
    return buf + static_cast<ptrdiff_t>(p) * planeStep + static_cast<ptrdiff_t>(j) * step +
           static_cast<ptrdiff_t>(i) * pixelBytes;
}

// Releases, last first, the tiles of a row that the call-back did supply.
void releaseSuppliedTiles(const IplImage* image, unsigned char** tiles, int32_t count,
                          int32_t firstCol, int32_t tileRow, int32_t colStep) {
    for (int32_t i = count - 1; i >= 0; --i) {
        if (tiles[i] == nullptr) continue;
        image->tileInfo->tileData = tiles[i];
        image->tileInfo->callBack(image, firstCol + i * colStep, tileRow, IPL_RELEASE_TILE);
    }
}

// A run of buffer positions along one axis and the image coordinates read
// for it: from..to (either direction), or one coordinate repeated.
struct Segment {
    int32_t buf;
    int32_t len;
    int32_t from;
    int32_t to;
    bool repeat;
};

// Splits count positions starting at image coordinate c0 into runs of
// consecutive (forward, backward or equal) source coordinates, so that each
// run is one block read.
void splitAxis(int32_t c0, int32_t count, int32_t n, int32_t mode, int32_t bufStart,
               std::vector<Segment>* out) {
    auto coord = [&](int32_t k) { return ownBorderCoordinate(c0 + k, n, mode); };
    int32_t k = 0;
    while (k < count) {
        const int32_t first = coord(k);
        int32_t len = 1;
        int32_t d = 1;
        if (k + 1 < count) {
            d = coord(k + 1) - first;
            if (d >= -1 && d <= 1) {
                len = 2;
                while (k + len < count && coord(k + len) - coord(k + len - 1) == d) ++len;
            } else {
                d = 1;
            }
        }
        Segment s{bufStart + k, len, first, first + (len - 1) * d, d == 0 && len > 1};
        if (s.repeat) s.to = first;
        out->push_back(s);
        k += len;
    }
}

class RectReader {
public:
    RectReader(const IplImage* image, unsigned char* buf, int32_t step, int32_t planeStep,
               int32_t pixelBytes, int32_t planes, int32_t valuesPerPixel, int32_t valueBytes)
        : image_(image), buf_(buf), step_(step), planeStep_(planeStep), pixelBytes_(pixelBytes),
          planes_(planes), values_(valuesPerPixel), valueBytes_(valueBytes) {}

    bool readBlock(const Segment& cols, const Segment& rows) {
        if (ownReadImageRect(image_, cols.from, rows.from, cols.to, rows.to, buf_, cols.buf,
                             rows.buf, step_, planeStep_, pixelBytes_, planes_) != 0)
            return false;
        if (cols.repeat && rows.repeat)
            ownReplicatePixel(buf_, cols.buf, rows.buf, cols.len, rows.len, step_, planeStep_,
                              pixelBytes_, planes_);
        else if (cols.repeat)
            ownReplicateColumn(buf_, cols.buf, rows.buf, cols.len, rows.len, step_, planeStep_,
                               pixelBytes_, planes_);
        else if (rows.repeat)
            ownReplicateRow(buf_, cols.buf, rows.buf, cols.len, rows.len, step_, planeStep_,
                            pixelBytes_, planes_);
        return true;
    }

    bool readBlocks(const std::vector<Segment>& cols, const std::vector<Segment>& rows) {
        for (const Segment& r : rows)
            for (const Segment& c : cols)
                if (!readBlock(c, r)) return false;
        return true;
    }

    // Whole buffer rows (tails included) filled with the side's constant.
    void fillRows(int32_t j0, int32_t count, int32_t side) {
        const uint32_t word = constantWord(side);
        for (int32_t p = 0; p < planes_; ++p)
            for (int32_t j = j0; j < j0 + count; ++j) {
                unsigned char* row = pixelAt(buf_, 0, j, p, step_, planeStep_, 0);
                for (int32_t off = 0; off + 4 <= step_; off += 4) std::memcpy(row + off, &word, 4);
            }
    }

    // Only the border pixels of columns i0.. of rows j0.. get the constant.
    void fillPixels(int32_t i0, int32_t cols, int32_t j0, int32_t rows, int32_t side) {
        const uint32_t word = constantWord(side);
        if (pixelBytes_ == 0) {
            if ((word & 1u) == 0) return;  // the buffer starts cleared
            for (int32_t j = j0; j < j0 + rows; ++j)
                for (int32_t i = i0; i < i0 + cols; ++i)
                    ownPutBit(pixelAt(buf_, 0, j, 0, step_, planeStep_, 0), i, 1);
            return;
        }
        for (int32_t p = 0; p < planes_; ++p)
            for (int32_t j = j0; j < j0 + rows; ++j)
                for (int32_t i = i0; i < i0 + cols; ++i) {
                    unsigned char* px = pixelAt(buf_, i, j, p, step_, planeStep_, pixelBytes_);
                    for (int32_t v = 0; v < values_; ++v)
                        std::memcpy(px + v * valueBytes_, &word, static_cast<size_t>(valueBytes_));
                }
    }

private:
    // The side's constant as a 32-bit word of repeated values (little-endian
    // order of the machine, as the pixels are stored).
    uint32_t constantWord(int32_t side) const {
        const int32_t c = image_->BorderConst[side];
        const uint32_t u = static_cast<uint32_t>(c);
        switch (image_->depth) {
        case IPL_DEPTH_1U: return (u & 1u) ? 0xffffffffu : 0u;
        case IPL_DEPTH_8U:
        case IPL_DEPTH_8S: return (u & 0xffu) * 0x01010101u;
        case IPL_DEPTH_16U:
        case IPL_DEPTH_16S: return (u & 0xffffu) * 0x00010001u;
        case IPL_DEPTH_32F: {
            const float f = static_cast<float>(c);
            uint32_t bits = 0;
            std::memcpy(&bits, &f, 4);
            return bits;
        }
        default: return u;
        }
    }

    const IplImage* image_;
    unsigned char* buf_;
    int32_t step_;
    int32_t planeStep_;
    int32_t pixelBytes_;
    int32_t planes_;
    int32_t values_;
    int32_t valueBytes_;
};

}  // namespace

int32_t ownBorderCoordinate(int32_t c, int32_t n, int32_t mode) {
    if (c >= 0 && c < n) return c;
    switch (mode & 3) {
    case IPL_BORDER_REFLECT: {
        const bool before = c < 0;
        const int64_t d = before ? -static_cast<int64_t>(c) : static_cast<int64_t>(c) - n + 1;
        const int64_t k = d - 1;
        const int32_t r = static_cast<int32_t>(k % n);
        const bool even = (k / n) % 2 == 0;
        // r places inward from the near edge, or from the far one on odd periods.
        return (before == even) ? r : n - 1 - r;
    }
    case IPL_BORDER_WRAP: return static_cast<int32_t>(((static_cast<int64_t>(c) % n) + n) % n);
    default: return c < 0 ? 0 : n - 1;  // replicate (constant borders read nothing)
    }
}

void ownCopyBlock(const unsigned char* src, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                  int32_t srcStep, int32_t srcPlaneStep, unsigned char* dst, int32_t dstX,
                  int32_t dstY, int32_t dstStep, int32_t dstPlaneStep, int32_t pixelBytes,
                  int32_t planes) {
    const int32_t dx = direction(x0, x1);
    const int32_t dy = direction(y0, y1);
    const int32_t cols = spanLength(x0, x1);
    const int32_t rows = spanLength(y0, y1);
    if (pixelBytes == 0) {
        for (int32_t r = 0; r < rows; ++r) {
            const unsigned char* s = src + static_cast<ptrdiff_t>(y0 + r * dy) * srcStep;
            unsigned char* d = dst + static_cast<ptrdiff_t>(dstY + r) * dstStep;
            for (int32_t c = 0; c < cols; ++c)
                if (ownGetBit(s, x0 + static_cast<int64_t>(c) * dx)) ownPutBit(d, dstX + c, 1);
        }
        return;
    }
    for (int32_t p = 0; p < planes; ++p) {
        for (int32_t r = 0; r < rows; ++r) {
            const unsigned char* s = src + static_cast<ptrdiff_t>(p) * srcPlaneStep +
                                     static_cast<ptrdiff_t>(y0 + r * dy) * srcStep;
            unsigned char* d = dst + static_cast<ptrdiff_t>(p) * dstPlaneStep +
                               static_cast<ptrdiff_t>(dstY + r) * dstStep +
                               static_cast<ptrdiff_t>(dstX) * pixelBytes;
            if (dx > 0) {
                std::memcpy(d, s + static_cast<ptrdiff_t>(x0) * pixelBytes,
                            static_cast<size_t>(cols) * pixelBytes);
                continue;
            }
            for (int32_t c = 0; c < cols; ++c)
                std::memcpy(d + static_cast<ptrdiff_t>(c) * pixelBytes,
                            s + static_cast<ptrdiff_t>(x0 - c) * pixelBytes,
                            static_cast<size_t>(pixelBytes));
        }
    }
}

int32_t ownGetTileRow(const IplImage* image, unsigned char** tiles, int32_t count,
                      int32_t firstCol, int32_t tileRow, int32_t colStep) {
    int32_t missing = 0;
    for (int32_t i = 0; i < count; ++i) {
        image->tileInfo->callBack(image, firstCol + i * colStep, tileRow, IPL_GET_TILE_TO_READ);
        tiles[i] = image->tileInfo->tileData;
        if (tiles[i] == nullptr) missing = 1;
    }
    return missing;
}

void ownReleaseTileRow(const IplImage* image, unsigned char** tiles, int32_t count,
                       int32_t firstCol, int32_t tileRow, int32_t colStep) {
    for (int32_t i = count - 1; i >= 0; --i) {
        image->tileInfo->tileData = tiles[i];
        image->tileInfo->callBack(image, firstCol + i * colStep, tileRow, IPL_RELEASE_TILE);
    }
}

int32_t ownReadImageRect(const IplImage* image, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                         unsigned char* dst, int32_t dstX, int32_t dstY, int32_t dstStep,
                         int32_t dstPlaneStep, int32_t pixelBytes, int32_t planes) {
    if (image->tileInfo == nullptr) {
        const int32_t planeStep = static_cast<int32_t>(static_cast<int64_t>(image->widthStep) * image->height);
        ownCopyBlock(image->imageData, x0, y0, x1, y1, image->widthStep, planeStep, dst, dstX,
                     dstY, dstStep, dstPlaneStep, pixelBytes, planes);
        return 0;
    }
    const int32_t tw = image->tileInfo->width;
    const int32_t th = image->tileInfo->height;
    const int32_t colDir = direction(x0, x1);
    const int32_t rowDir = direction(y0, y1);
    const int32_t firstCol = x0 / tw;
    const int32_t lastCol = x1 / tw;
    const int32_t firstRow = y0 / th;
    const int32_t lastRow = y1 / th;
    const int32_t count = spanLength(firstCol, lastCol);
    const int32_t tileStep = ownWidthStep(image->dataOrder, image->depth, image->align,
                                          image->nChannels, tw);
    const int32_t tilePlaneStep = static_cast<int32_t>(static_cast<int64_t>(tileStep) * th);

    OwnBlockPtr<unsigned char*> tiles(
        static_cast<unsigned char**>(iplMalloc(static_cast<int32_t>(count * sizeof(unsigned char*)))));
    if (!tiles) return 1;

    int32_t dstRow = dstY;
    for (int32_t tr = firstRow;; tr += rowDir) {
        const int32_t ry0 = tr == firstRow ? y0 % th : (rowDir > 0 ? 0 : th - 1);
        const int32_t ry1 = tr == lastRow ? y1 % th : (rowDir > 0 ? th - 1 : 0);
        if (ownGetTileRow(image, tiles.get(), count, firstCol, tr, colDir) != 0) {
            releaseSuppliedTiles(image, tiles.get(), count, firstCol, tr, colDir);
            return 1;
        }
        int32_t dstCol = dstX;
        for (int32_t i = 0; i < count; ++i) {
            const int32_t cx0 = i == 0 ? x0 % tw : (colDir > 0 ? 0 : tw - 1);
            const int32_t cx1 = i == count - 1 ? x1 % tw : (colDir > 0 ? tw - 1 : 0);
            ownCopyBlock(tiles.get()[i], cx0, ry0, cx1, ry1, tileStep, tilePlaneStep, dst, dstCol,
                         dstRow, dstStep, dstPlaneStep, pixelBytes, planes);
            dstCol += spanLength(cx0, cx1);
        }
        ownReleaseTileRow(image, tiles.get(), count, firstCol, tr, colDir);
        dstRow += spanLength(ry0, ry1);
        if (tr == lastRow) break;
    }
    return 0;
}

void ownReplicatePixel(unsigned char* buf, int32_t x, int32_t y, int32_t w, int32_t h,
                       int32_t step, int32_t planeStep, int32_t pixelBytes, int32_t planes) {
    ownReplicateColumn(buf, x, y, w, 1, step, planeStep, pixelBytes, planes);
    ownReplicateRow(buf, x, y, w, h, step, planeStep, pixelBytes, planes);
}

void ownReplicateColumn(unsigned char* buf, int32_t x, int32_t y, int32_t w, int32_t h,
                        int32_t step, int32_t planeStep, int32_t pixelBytes, int32_t planes) {
    if (pixelBytes == 0) {
        for (int32_t j = y; j < y + h; ++j) {
            unsigned char* row = pixelAt(buf, 0, j, 0, step, planeStep, 0);
            if (!ownGetBit(row, x)) continue;
            for (int32_t i = x + 1; i < x + w; ++i) ownPutBit(row, i, 1);
        }
        return;
    }
    for (int32_t p = 0; p < planes; ++p)
        for (int32_t j = y; j < y + h; ++j) {
            const unsigned char* from = pixelAt(buf, x, j, p, step, planeStep, pixelBytes);
            for (int32_t i = x + 1; i < x + w; ++i)
                std::memcpy(pixelAt(buf, i, j, p, step, planeStep, pixelBytes), from,
                            static_cast<size_t>(pixelBytes));
        }
}

void ownReplicateRow(unsigned char* buf, int32_t x, int32_t y, int32_t w, int32_t h,
                     int32_t step, int32_t planeStep, int32_t pixelBytes, int32_t planes) {
    if (pixelBytes == 0) {
        const unsigned char* from = pixelAt(buf, 0, y, 0, step, planeStep, 0);
        for (int32_t j = y + 1; j < y + h; ++j) {
            unsigned char* row = pixelAt(buf, 0, j, 0, step, planeStep, 0);
            for (int32_t i = x; i < x + w; ++i)
                if (ownGetBit(from, i)) ownPutBit(row, i, 1);
        }
        return;
    }
    for (int32_t p = 0; p < planes; ++p) {
        const unsigned char* from = pixelAt(buf, x, y, p, step, planeStep, pixelBytes);
        for (int32_t j = y + 1; j < y + h; ++j)
            std::memcpy(pixelAt(buf, x, j, p, step, planeStep, pixelBytes), from,
                        static_cast<size_t>(w) * pixelBytes);
    }
}

unsigned char* ownReadRectWithBorder(const IplImage* image, int32_t x, int32_t y, int32_t width,
                                     int32_t height, int32_t* step) {
    if (image == nullptr) return nullptr;
    if (image->dataOrder != IPL_DATA_ORDER_PIXEL && image->dataOrder != IPL_DATA_ORDER_PLANE)
        return nullptr;
    if (!ownIsValidDepth(image->depth) || !ownIsValidAlign(image->align)) return nullptr;
    if (width < 1 || height < 1) return nullptr;

    const bool plane = image->dataOrder == IPL_DATA_ORDER_PLANE;
    const int32_t planes = plane ? image->nChannels : 1;
    const int32_t values = plane ? 1 : image->nChannels;
    const int32_t valueBytes = ownDepthBytes(image->depth);
    const int32_t pixelBytes = values * valueBytes;
    const int64_t rowBytes = image->depth == IPL_DEPTH_1U
                                 ? (static_cast<int64_t>(width) * values + 7) / 8
                                 : static_cast<int64_t>(width) * pixelBytes;
    const int64_t rowStep = (rowBytes + image->align - 1) / image->align * image->align;
    const int64_t planeBytes = rowStep * height;
    const int64_t total = planeBytes * planes + 16;
    if (total > INT32_MAX) return nullptr;
    *step = static_cast<int32_t>(rowStep);

    OwnBlockPtr<unsigned char> buf(static_cast<unsigned char*>(iplMalloc(static_cast<int32_t>(total))));
    if (!buf) return nullptr;
    // Cleared: 1U pixels are merged in by setting bits only.
    std::memset(buf.get(), 0, static_cast<size_t>(total));

    const int32_t W = image->width;
    const int32_t H = image->height;
    const int64_t yEnd = static_cast<int64_t>(y) + height;
    const int64_t xEnd = static_cast<int64_t>(x) + width;
    const int32_t top = y < 0 ? static_cast<int32_t>(std::min<int64_t>(-static_cast<int64_t>(y), height)) : 0;
    const int32_t bottom = yEnd > H ? static_cast<int32_t>(std::min<int64_t>(yEnd - H, height)) : 0;
    const int32_t middle = height - top - bottom;
    const int32_t left = x < 0 ? static_cast<int32_t>(std::min<int64_t>(-static_cast<int64_t>(x), width)) : 0;
    const int32_t right = xEnd > W ? static_cast<int32_t>(std::min<int64_t>(xEnd - W, width)) : 0;
    const int32_t inside = width - left - right;

    RectReader reader(image, buf.get(), *step, static_cast<int32_t>(planeBytes), pixelBytes,
                      planes, values, valueBytes);
    try {
        // Top and bottom rows: the side's mode maps both coordinates.
        auto outsideRows = [&](int32_t j0, int32_t count, int32_t side) {
            const int32_t mode = image->BorderMode[side] & 3;
            if (mode == IPL_BORDER_CONSTANT) {
                reader.fillRows(j0, count, side);
                return true;
            }
            std::vector<Segment> rows;
            std::vector<Segment> cols;
            splitAxis(y + j0, count, H, mode, j0, &rows);
            splitAxis(x, width, W, mode, 0, &cols);
            return reader.readBlocks(cols, rows);
        };
        if (top > 0 && !outsideRows(0, top, IPL_SIDE_TOP_INDEX)) return nullptr;
        if (middle > 0) {
            const std::vector<Segment> rows{{top, middle, y + top, y + top + middle - 1, false}};
            std::vector<Segment> cols;
            auto sideColumns = [&](int32_t i0, int32_t count, int32_t side) {
                const int32_t mode = image->BorderMode[side] & 3;
                if (mode == IPL_BORDER_CONSTANT)
                    reader.fillPixels(i0, count, top, middle, side);
                else
                    splitAxis(x + i0, count, W, mode, i0, &cols);
            };
            if (left > 0) sideColumns(0, left, IPL_SIDE_LEFT_INDEX);
            if (inside > 0) cols.push_back({left, inside, x + left, x + left + inside - 1, false});
            if (right > 0) sideColumns(left + inside, right, IPL_SIDE_RIGHT_INDEX);
            if (!reader.readBlocks(cols, rows)) return nullptr;
        }
        if (bottom > 0 && !outsideRows(top + middle, bottom, IPL_SIDE_BOTTOM_INDEX)) return nullptr;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    return buf.release();
}

void ownFreeRect(unsigned char* buffer) { iplFree(buffer); }
