// Plain stand-ins for tiled images: the whole image read through its tiles
// into one block, and the written area put back tile by tile. Operations
// that use them give on tiled images exactly what they give on plain ones.
#ifndef IPL_OWN_PLAIN_COPY_H
#define IPL_OWN_PLAIN_COPY_H

#include "ipl/ipl.h"
#include "ipl/ownipl.h"

class OwnPlainCopy {
public:
    OwnPlainCopy() = default;
    OwnPlainCopy(const OwnPlainCopy&) = delete;
    OwnPlainCopy& operator=(const OwnPlainCopy&) = delete;
    ~OwnPlainCopy();

    // Reads the whole image; the copy shares the image's region and mask.
    bool read(const IplImage* image);
    IplImage* get() const { return header_.get(); }

private:
    OwnImagePtr header_{nullptr, OwnImageDeleter{IPL_IMAGE_HEADER}};
    unsigned char* pixels_ = nullptr;
};

// Writes the copy's pixels of rectangle (x, y, w, h) back into the tiles of
// dst. Reports a missing tile with the given status and text (by default -2
// "Error get tile to write") under funcName and unitName and returns false.
bool ownWriteBackTiles(IplImage* dst, const IplImage* copy, int32_t x, int32_t y, int32_t w, int32_t h,
                       const char* funcName, const char* unitName, int32_t status = -2,
                       const char* text = "Error get tile to write");

#endif
