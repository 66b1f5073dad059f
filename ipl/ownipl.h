// Internal services shared by the library's operations: the error context,
// header checks, row sizes, region services, the rectangle transfer with
// borders, the tile iterator and the mask helpers. Not for callers outside ipl/.
#ifndef SPAB_IPL_OWNIPL_H
#define SPAB_IPL_OWNIPL_H

#include <atomic>
#include <cstdint>
#include <memory>

#include "ipl/ipl.h"

// ---- error context ----------------------------------------------------------
// The one state shared between threads; relaxed atomics keep the thumbnail
// threads race-free without ordering anything else.
struct OwnErrContext {
    std::atomic<int32_t> status{0};
    std::atomic<int32_t> mode{0};
    std::atomic<IplErrorCallback> handler{&iplDefaultErrorReport};
};

OwnErrContext* ownGetErrContext();

// The library's descriptive text of a status code.
const char* ownStatusText(int32_t status);

// Reports through iplError with the line of the failing check.
#define OWN_ERROR(status, funcName, context, unitName) \
    iplError((status), (funcName), (context), (unitName), __LINE__)

// ---- depths -----------------------------------------------------------------
inline int32_t ownDepthBits(uint32_t depth) { return static_cast<int32_t>(depth & 0x7fffffffu); }
// Bytes per channel value: 0 for 1U.
inline int32_t ownDepthBytes(uint32_t depth) { return ownDepthBits(depth) / 8; }
bool ownIsValidDepth(uint32_t depth);
bool ownIsValidAlign(int32_t align);

// ---- 1U bits (most significant bit is the leftmost pixel) --------------------
inline int32_t ownGetBit(const unsigned char* row, int64_t bit) {
    return (row[bit >> 3] >> (7 - (bit & 7))) & 1;
}
inline void ownPutBit(unsigned char* row, int64_t bit, int32_t value) {
    const unsigned char m = static_cast<unsigned char>(0x80u >> (bit & 7));
    if (value)
        row[bit >> 3] = static_cast<unsigned char>(row[bit >> 3] | m);
    else
        row[bit >> 3] = static_cast<unsigned char>(row[bit >> 3] & ~m);
}

// ---- ownership helpers ------------------------------------------------------
struct OwnBlockDeleter {
    void operator()(void* block) const { iplFree(block); }
};
template <class T>
using OwnBlockPtr = std::unique_ptr<T, OwnBlockDeleter>;

// Frees an image with iplDeallocate and the flags chosen at construction.
struct OwnImageDeleter {
    int32_t flags = IPL_IMAGE_ALL;
    void operator()(IplImage* image) const { iplDeallocate(image, flags); }
};
using OwnImagePtr = std::unique_ptr<IplImage, OwnImageDeleter>;

// ---- argument checks shared by the operations ----------------------------------

// Reports "Incorrect Image" under funcName with the status the header check
// stored, for the first of the images that fails it; true then.
bool ownImagesFail(const char* funcName, const char* unitName, const IplImage* a, const IplImage* b = nullptr);

// A run of argument checks that are all made and all reported; the call
// stops on its own failures, whatever the installed handler does with the
// stored status.
class OwnCheckRun {
public:
    OwnCheckRun(const char* funcName, const char* unitName) : func_(funcName), unit_(unitName) {}
    void operator()(bool bad, int32_t status, const char* text, int32_t line = __builtin_LINE())
    {
        if (!bad)
            return;
        failed_ = true;
        iplError(status, func_, text, unit_, line);
    }
    bool failed() const { return failed_; }

private:
    const char* func_;
    const char* unit_;
    bool failed_ = false;
};

// The checks of operations that move values unchanged from one image to
// another: equal depths and origins, and equal data orders where the order
// matters (more than one channel, not 1u).
void ownCheckSameLayout(OwnCheckRun& check, const IplImage* src, const IplImage* dst);

// A value saturated to the range of a depth (32-bit depths as they are).
inline int32_t ownClampToDepth(uint32_t depth, int32_t v)
{
    auto clamp = [v](int32_t lo, int32_t hi) { return v < lo ? lo : (v > hi ? hi : v); };
    switch (depth) {
    case IPL_DEPTH_1U: return clamp(0, 1);
    case IPL_DEPTH_8U: return clamp(0, 255);
    case IPL_DEPTH_8S: return clamp(-128, 127);
    case IPL_DEPTH_16U: return clamp(0, 65535);
    case IPL_DEPTH_16S: return clamp(-32768, 32767);
    default: return v;
    }
}

// ---- header check, row sizes --------------------------------------------------
// 0 for a valid header, else the status of the first failed test (also stored).
int32_t ownCheckImage(const IplImage* image);

// Row size in bytes; 0 when the size does not fit a signed 32-bit number.
int32_t ownWidthStep(int32_t dataOrder, uint32_t depth, int32_t align, int32_t nChannels,
                     int32_t width);
// Row size of one tile; 0 for a null, invalid or untiled image.
int32_t ownTileWidthStep(const IplImage* image);
// height × widthStep (× nChannels in plane order); 0 when it does not fit.
int32_t ownImageSize(int32_t dataOrder, int32_t nChannels, int32_t widthStep, int32_t height);

// ---- regions -------------------------------------------------------------------
int32_t ownRoiSize(const IplImage* image, int32_t* height, int32_t* width, int32_t clip);
int32_t ownRoiSize2(const IplImage* imageA, const IplImage* imageB, int32_t* height,
                    int32_t* width, int32_t clip);
int32_t ownRoiSize3(const IplImage* imageA, const IplImage* imageB, const IplImage* imageC,
                    int32_t* height, int32_t* width, int32_t clip);
int32_t ownRoiStart(const IplImage* image, unsigned char** data, int32_t* step, int32_t* channels,
                    int32_t* planeStep, int32_t* bitOffset);
int32_t ownMaskRoiStart(const IplImage* mask, unsigned char** rowStart, int32_t* step,
                        int32_t* bitOffset);
int32_t ownRoiChannels(const IplImage* image, int32_t* channels);
void ownTileGrid(const IplImage* image, int32_t height, int32_t width, int32_t* xInTile,
                 int32_t* yInTile, int32_t* tileHeight, int32_t* tileWidth, int32_t* firstTileCol,
                 int32_t* firstTileRow, int32_t* tileCols, int32_t* tileRows);

// ---- rectangle transfer with borders -------------------------------------------
// A copy of any rectangle of the image (which may reach outside it) in the
// image's own depth and data order; the outside pixels follow the border
// modes. Null on failure. Free with ownFreeRect.
unsigned char* ownReadRectWithBorder(const IplImage* image, int32_t x, int32_t y, int32_t width,
                                     int32_t height, int32_t* step);
void ownFreeRect(unsigned char* buffer);

// ---- tile iterator ----------------------------------------------------------------
struct OwnTileIter;

OwnTileIter* ownTileIterCreate(int32_t count, int32_t maxWidth, int32_t maxHeight);
// Slot number from 1; -1 for a null, slotless, failed or full iterator; 0 for a null image.
int32_t ownTileIterAddImage(OwnTileIter* iterator, IplImage* image, int32_t mode);
void ownTileIterSetRect(OwnTileIter* iterator, int32_t x, int32_t y, int32_t width,
                        int32_t height);
IplImage* ownTileIterGetTile(OwnTileIter* iterator, int32_t slot);
void ownTileIterRelease(OwnTileIter* iterator);
int32_t ownTileIterStatus(const OwnTileIter* iterator);
void ownTileIterFree(OwnTileIter* iterator);

struct OwnTileIterDeleter {
    void operator()(OwnTileIter* iterator) const { ownTileIterFree(iterator); }
};
using OwnTileIterPtr = std::unique_ptr<OwnTileIter, OwnTileIterDeleter>;

// ---- logical operations' region and mask helpers --------------------------------
struct OwnRect {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

// The region rectangle cut at the right and bottom edges (may be negative in size).
void ownGetRoiRect(const IplImage* image, OwnRect* rect);
inline OwnRect ownRoiRect(const IplImage* image)
{
    OwnRect r;
    ownGetRoiRect(image, &r);
    return r;
}
// Address of the first element of channel channelIndex in the region; width and
// height of the rectangle (raised to 0); the bit offset (1U).
unsigned char* ownLogicRoiStart(const IplImage* image, int32_t* width, int32_t* height,
                                int32_t channelIndex, int32_t* bitOffset);
bool ownIsWholeImage(const IplImage* a, const IplImage* b, const IplImage* c, bool refuse);

// The AND of up to three masks (each may be null). status: 0 none or one
// (that mask returned, not owned), 1 a new mask (caller frees it with
// iplDeallocate(mask, IPL_IMAGE_HEADER | IPL_IMAGE_DATA)), 2 no memory, 3 empty.
IplImage* ownCombineMasks(IplImage* maskA, IplImage* maskB, IplImage* maskC, int32_t* status);

// A fresh 1U image of one channel with its pixels (not filled), or null.
IplImage* ownCreateMaskImage(int32_t dataOrder, int32_t origin, int32_t align, int32_t width,
                             int32_t height, const char* channelSeq = "G");

// The mask governing a source/destination pair: none, one of the images' own
// masks, or the AND of both (owned: freed by the holder). empty is set when
// the two masks have no common pixel; failed when the combined mask could not
// be made (reported under funcName with -1).
struct OwnMaskInUse {
    IplImage* mask = nullptr;
    OwnImagePtr owned;
    bool empty = false;
    bool failed = false;
};
void ownChooseMask(IplImage* srcImage, IplImage* dstImage, const char* funcName,
                   const char* unitName, OwnMaskInUse* out);

// ---- copy and fill with a failure result --------------------------------------
// iplCopy and iplSet that also say whether they failed, for the library's own
// callers (the shared status may have been reset by the error handler).
bool ownCopyImage(IplImage* srcImage, IplImage* dstImage);
bool ownSetImage(IplImage* image, int32_t fillValue);

// ---- internal mapping (look-up tables applied per channel) ------------------------
void iplMap(IplImage* srcImage, IplImage* dstImage, const void* tables);

#endif  // SPAB_IPL_OWNIPL_H
