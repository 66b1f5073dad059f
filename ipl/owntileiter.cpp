// Tile iterator: walks several images, some of them tiled, rectangle by
// rectangle, handing out for each image a plain header whose region is the
// rectangle (the image itself, one tile, or a temporary image assembled from
// the pieces of several tiles and written back for a destination).
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "ipl/ownipl.h"

namespace {

struct Slot {
    IplImage* image;
    int32_t fetchCount;
    int32_t mode;
    IplImage* whole;  // untiled: over the image's pixels; tiled: the temporary image
    IplROI* wholeRoi;
    IplImage* tile;
    IplROI* tileRoi;
    IplImage* handed;
    int32_t tileWidth;
    int32_t tileHeight;
    unsigned char** table;
    int32_t tableEntries;
    int32_t rowLength;
    int32_t firstCol;
    int32_t lastCol;
    int32_t firstRow;
    int32_t lastRow;
};

// One piece of the current rectangle: its place inside its tile and inside
// the rectangle.
struct Piece {
    int32_t col;
    int32_t row;
    int32_t inTileX;
    int32_t inTileY;
    int32_t placeX;
    int32_t placeY;
    int32_t width;
    int32_t height;
};

IplImage* headerLike(const IplImage* image, int32_t width, int32_t height, IplROI* roi) {
    return iplCreateImageHeader(image->nChannels, image->alphaChannel, image->depth,
                                image->colorModel, image->channelSeq, image->dataOrder,
                                image->origin, image->align, width, height, roi, nullptr, nullptr,
                                nullptr);
}

}  // namespace

struct OwnTileIter {
    int32_t count;
    int32_t maxWidth;
    int32_t maxHeight;
    int32_t status;
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    Slot* slots;
};

namespace {

Slot* slotOf(OwnTileIter* it, int32_t slot) {
    if (it == nullptr || it->slots == nullptr || slot < 1 || slot > it->count) return nullptr;
    Slot* s = &it->slots[slot - 1];
    return s->image != nullptr ? s : nullptr;
}

void rectOrigin(const OwnTileIter* it, const Slot& s, int32_t* X, int32_t* Y) {
    *X = it->x + (s.image->roi ? s.image->roi->xOffset : 0);
    *Y = it->y + (s.image->roi ? s.image->roi->yOffset : 0);
}

// Calls visit(piece, tableIndex) for every tile of the slot's current
// rectangle in fetch order (rows top to bottom, columns left to right);
// stops early when visit returns false.
template <class Visit>
bool forEachPiece(const OwnTileIter* it, const Slot& s, Visit visit) {
    int32_t X = 0;
    int32_t Y = 0;
    rectOrigin(it, s, &X, &Y);
    const int32_t tw = s.tileWidth;
    const int32_t th = s.tileHeight;
    int32_t placeY = 0;
    for (int32_t row = s.firstRow; row <= s.lastRow; ++row) {
        const int32_t inTileY = row == s.firstRow ? Y % th : 0;
        const int32_t bandHeight = std::min(th - inTileY, it->height - placeY);
        int32_t placeX = 0;
        for (int32_t col = s.firstCol; col <= s.lastCol; ++col) {
            const int32_t inTileX = col == s.firstCol ? X - tw * col : 0;
            const int32_t pieceWidth = std::min(tw - inTileX, it->width - placeX);
            const Piece p{col, row, inTileX, inTileY, placeX, placeY, pieceWidth, bandHeight};
            const int32_t index = (row - s.firstRow) * s.rowLength + (col - s.firstCol);
            if (!visit(p, index)) return false;
            placeX += pieceWidth;
        }
        placeY += bandHeight;
    }
    return true;
}

// Copies a piece between the tile header and the temporary image with every
// channel (the alpha channel included) taking part.
bool copyPiece(Slot& s, const Piece& p, bool toTile) {
    iplSetROI(s.tileRoi, 0, p.inTileX, p.inTileY, p.width, p.height);
    iplSetROI(s.wholeRoi, 0, p.placeX, p.placeY, p.width, p.height);
    const int32_t tileAlpha = s.tile->alphaChannel;
    const int32_t wholeAlpha = s.whole->alphaChannel;
    s.tile->alphaChannel = 0;
    s.whole->alphaChannel = 0;
    const bool ok = toTile ? ownCopyImage(s.whole, s.tile) : ownCopyImage(s.tile, s.whole);
    s.tile->alphaChannel = tileAlpha;
    s.whole->alphaChannel = wholeAlpha;
    return ok;
}

bool singleTile(const Slot& s) { return s.firstCol == s.lastCol && s.firstRow == s.lastRow; }

void releaseSlot(OwnTileIter* it, Slot& s) {
    if (s.fetchCount == 0) return;
    s.fetchCount = 0;
    IplTileInfo* info = s.image->tileInfo;
    if (info == nullptr) return;
    if (singleTile(s)) {
        // A destination inside one tile was written in place: nothing to copy back.
        if (s.tile->imageData != nullptr) {
            info->tileData = s.tile->imageData;
            info->callBack(s.image, s.firstCol, s.firstRow, IPL_RELEASE_TILE);
            s.tile->imageData = nullptr;
        }
        return;
    }
    if (s.table == nullptr) return;
    forEachPiece(it, s, [&](const Piece& p, int32_t index) {
        unsigned char* tile = s.table[index];
        if (tile == nullptr) return false;
        if (s.mode == IPL_GET_TILE_TO_WRITE && it->status == 0) {
            s.tile->imageData = tile;
            if (!copyPiece(s, p, true)) it->status = -1;
        }
        info->tileData = tile;
        info->callBack(s.image, p.col, p.row, IPL_RELEASE_TILE);
        s.table[index] = nullptr;
        return true;
    });
}

void freeSlot(OwnTileIter* it, Slot& s) {
    if (s.fetchCount > 0) releaseSlot(it, s);
    if (s.image->tileInfo != nullptr && s.whole != nullptr) iplDeallocateImage(s.whole);
    iplDeallocateHeader(s.whole);
    iplFree(s.wholeRoi);
    iplDeallocateHeader(s.tile);
    iplFree(s.tileRoi);
    std::free(s.table);
    std::memset(&s, 0, sizeof s);
}

// The temporary image and the tile table, made on first need; false when
// memory was not obtained.
bool prepareTemporary(const OwnTileIter* it, Slot& s) {
    if (s.whole != nullptr && s.whole->imageData != nullptr && s.table != nullptr) return true;
    if (s.wholeRoi == nullptr) s.wholeRoi = iplCreateROI(0, 0, 0, 0, 0);
    if (s.wholeRoi == nullptr) return false;
    if (s.whole == nullptr) s.whole = headerLike(s.image, it->maxWidth, it->maxHeight, s.wholeRoi);
    if (s.whole == nullptr) return false;
    if (s.whole->imageData == nullptr) iplAllocateImage(s.whole, 0, 0);
    if (s.whole->imageData == nullptr) return false;
    if (s.table == nullptr) {
        s.rowLength = (it->maxWidth + s.tileWidth - 1) / s.tileWidth + 1;
        const int64_t entries =
            static_cast<int64_t>((it->maxHeight + s.tileHeight - 1) / s.tileHeight + 1) * s.rowLength;
        s.table = static_cast<unsigned char**>(std::calloc(static_cast<size_t>(entries), sizeof(unsigned char*)));
        if (s.table == nullptr) return false;
        s.tableEntries = static_cast<int32_t>(entries);
    }
    return true;
}

IplImage* handOutSeveral(OwnTileIter* it, Slot& s, int32_t coi) {
    // The temporary image and the table hold the largest rectangle only.
    if (it->width > it->maxWidth || it->height > it->maxHeight) {
        it->status = -1;
        return nullptr;
    }
    if (!prepareTemporary(it, s)) {
        it->status = -4;
        return nullptr;
    }
    std::memset(s.table, 0, static_cast<size_t>(s.tableEntries) * sizeof(unsigned char*));
    IplTileInfo* info = s.image->tileInfo;
    const bool fetched = forEachPiece(it, s, [&](const Piece& p, int32_t index) {
        info->callBack(s.image, p.col, p.row, s.mode);
        if (info->tileData == nullptr) {
            it->status = -2;
            return false;
        }
        s.table[index] = info->tileData;
        s.tile->imageData = info->tileData;
        if (!copyPiece(s, p, false)) {
            it->status = -1;
            return false;
        }
        return true;
    });
    if (!fetched) return nullptr;
    iplSetROI(s.wholeRoi, coi, 0, 0, it->width, it->height);
    return s.whole;
}

}  // namespace

OwnTileIter* ownTileIterCreate(int32_t count, int32_t maxWidth, int32_t maxHeight) {
    auto* it = static_cast<OwnTileIter*>(std::calloc(1, sizeof(OwnTileIter)));
    if (it == nullptr) return nullptr;
    it->count = count;
    it->maxWidth = maxWidth;
    it->maxHeight = maxHeight;
    it->status = 0;
    if (count > 0) {
        it->slots = static_cast<Slot*>(std::calloc(static_cast<size_t>(count), sizeof(Slot)));
        if (it->slots == nullptr) {
            std::free(it);
            return nullptr;
        }
    }
    return it;
}

int32_t ownTileIterAddImage(OwnTileIter* it, IplImage* image, int32_t mode) {
    if (it == nullptr || it->slots == nullptr || it->count < 1 || it->status != 0) return -1;
    if (image == nullptr) return 0;
    int32_t index = -1;
    for (int32_t k = 0; k < it->count; ++k) {
        if (it->slots[k].image == image) return k + 1;
        if (it->slots[k].image == nullptr) {
            index = k;
            break;
        }
    }
    if (index < 0) return -1;  // every slot is taken
    Slot& s = it->slots[index];
    std::memset(&s, 0, sizeof s);
    s.image = image;
    s.mode = mode;
    if (image->tileInfo == nullptr) {
        s.wholeRoi = iplCreateROI(0, 0, 0, 0, 0);
        s.whole = s.wholeRoi ? headerLike(image, image->width, image->height, s.wholeRoi) : nullptr;
        if (s.whole == nullptr) {
            it->status = -4;
        } else {
            // The image's own row layout, which a caller-built header may widen.
            s.whole->imageData = image->imageData;
            s.whole->widthStep = image->widthStep;
            s.whole->imageSize = image->imageSize;
        }
    } else {
        s.tileWidth = image->tileInfo->width;
        s.tileHeight = image->tileInfo->height;
        s.tileRoi = iplCreateROI(0, 0, 0, 0, 0);
        s.tile = s.tileRoi ? headerLike(image, s.tileWidth, s.tileHeight, s.tileRoi) : nullptr;
        if (s.tile == nullptr) it->status = -4;
    }
    return index + 1;
}

void ownTileIterSetRect(OwnTileIter* it, int32_t x, int32_t y, int32_t width, int32_t height) {
    if (it == nullptr) return;
    it->x = x;
    it->y = y;
    it->width = width;
    it->height = height;
}

IplImage* ownTileIterGetTile(OwnTileIter* it, int32_t slot) {
    if (it == nullptr || it->status != 0) return nullptr;
    Slot* s = slotOf(it, slot);
    if (s == nullptr) return nullptr;
    if (s->fetchCount++ >= 1) return s->handed;
    s->handed = nullptr;
    int32_t X = 0;
    int32_t Y = 0;
    rectOrigin(it, *s, &X, &Y);
    const int32_t coi = s->image->roi ? s->image->roi->coi : 0;
    if (s->image->tileInfo == nullptr) {
        iplSetROI(s->wholeRoi, coi, X, Y, it->width, it->height);
        s->handed = s->whole;
        return s->handed;
    }
    const int32_t tw = s->tileWidth;
    const int32_t th = s->tileHeight;
    s->firstCol = X / tw;
    s->lastCol = (X + it->width - 1) / tw;
    s->firstRow = Y / th;
    s->lastRow = (Y + it->height - 1) / th;
    if (singleTile(*s)) {
        IplTileInfo* info = s->image->tileInfo;
        info->callBack(s->image, s->firstCol, s->firstRow, s->mode);
        s->tile->imageData = info->tileData;
        if (info->tileData == nullptr) {
            it->status = -2;
            return nullptr;
        }
        iplSetROI(s->tileRoi, coi, X - tw * s->firstCol, Y % th, it->width, it->height);
        s->handed = s->tile;
        return s->handed;
    }
    s->handed = handOutSeveral(it, *s, coi);
    return s->handed;
}

void ownTileIterRelease(OwnTileIter* it) {
    if (it == nullptr || it->slots == nullptr) return;
    for (int32_t k = 0; k < it->count && it->slots[k].image != nullptr; ++k)
        if (it->slots[k].fetchCount > 0) releaseSlot(it, it->slots[k]);
}

int32_t ownTileIterStatus(const OwnTileIter* it) {
    if (it == nullptr || it->slots == nullptr) return -4;
    return it->status;
}

void ownTileIterFree(OwnTileIter* it) {
    if (it == nullptr) return;
    for (int32_t k = 0; k < it->count && it->slots != nullptr; ++k)
        if (it->slots[k].image != nullptr) freeSlot(it, it->slots[k]);
    std::free(it->slots);
    std::free(it);
}
