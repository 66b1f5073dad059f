// Public interface of the image processing library: the image header and its
// companion records, the constants their fields take, and every public
// operation. Portable: no platform header, fixed-width integers only.
#ifndef SPAB_IPL_IPL_H
#define SPAB_IPL_IPL_H

#include <cstdint>

// ---- depth codes -----------------------------------------------------------
// The low 31 bits give the bits per channel value; the top bit marks signed
// values. 32 without the sign bit is the float depth.
constexpr uint32_t IPL_DEPTH_SIGN = 0x80000000u;
constexpr uint32_t IPL_DEPTH_1U = 1u;
constexpr uint32_t IPL_DEPTH_8U = 8u;
constexpr uint32_t IPL_DEPTH_8S = 0x80000008u;
constexpr uint32_t IPL_DEPTH_16U = 16u;
constexpr uint32_t IPL_DEPTH_16S = 0x80000010u;
constexpr uint32_t IPL_DEPTH_32S = 0x80000020u;
constexpr uint32_t IPL_DEPTH_32F = 32u;

// ---- layout ----------------------------------------------------------------
constexpr int32_t IPL_DATA_ORDER_PIXEL = 0;
constexpr int32_t IPL_DATA_ORDER_PLANE = 1;

constexpr int32_t IPL_ORIGIN_TL = 0;
constexpr int32_t IPL_ORIGIN_BL = 1;

constexpr int32_t IPL_ALIGN_4BYTES = 4;
constexpr int32_t IPL_ALIGN_8BYTES = 8;
constexpr int32_t IPL_ALIGN_16BYTES = 16;
constexpr int32_t IPL_ALIGN_32BYTES = 32;
constexpr int32_t IPL_ALIGN_DWORD = IPL_ALIGN_4BYTES;
constexpr int32_t IPL_ALIGN_QWORD = IPL_ALIGN_8BYTES;

// ---- borders (only the two low bits of a mode are read) --------------------
constexpr int32_t IPL_BORDER_CONSTANT = 0;
constexpr int32_t IPL_BORDER_REPLICATE = 1;
constexpr int32_t IPL_BORDER_REFLECT = 2;
constexpr int32_t IPL_BORDER_WRAP = 3;

// Side bits; bit i selects index i of BorderMode and BorderConst.
constexpr int32_t IPL_SIDE_TOP_INDEX = 0;
constexpr int32_t IPL_SIDE_BOTTOM_INDEX = 1;
constexpr int32_t IPL_SIDE_LEFT_INDEX = 2;
constexpr int32_t IPL_SIDE_RIGHT_INDEX = 3;
constexpr int32_t IPL_SIDE_TOP = 1;
constexpr int32_t IPL_SIDE_BOTTOM = 2;
constexpr int32_t IPL_SIDE_LEFT = 4;
constexpr int32_t IPL_SIDE_RIGHT = 8;
constexpr int32_t IPL_SIDE_ALL = 15;

// ---- release flags of iplDeallocate ----------------------------------------
constexpr int32_t IPL_IMAGE_HEADER = 1;
constexpr int32_t IPL_IMAGE_DATA = 2;
constexpr int32_t IPL_IMAGE_ROI = 4;
constexpr int32_t IPL_IMAGE_TILE = 8;
constexpr int32_t IPL_IMAGE_MASK = 16;
constexpr int32_t IPL_IMAGE_ALL = 31;

// ---- tile call-back modes --------------------------------------------------
constexpr int32_t IPL_GET_TILE_TO_READ = 1;
constexpr int32_t IPL_GET_TILE_TO_WRITE = 2;
constexpr int32_t IPL_RELEASE_TILE = 4;

// ---- interpolation ---------------------------------------------------------
constexpr int32_t IPL_INTER_NN = 0;
constexpr int32_t IPL_INTER_LINEAR = 1;
constexpr int32_t IPL_INTER_CUBIC = 2;
constexpr int32_t IPL_INTER_SUPER = 3;

// ---- records ---------------------------------------------------------------
struct IplImage;

struct IplROI {
    int32_t coi;  // 0 all channels (alpha excluded), 1..nChannels one channel
    int32_t xOffset;
    int32_t yOffset;
    int32_t width;
    int32_t height;
};

// Called with the image, tile column, tile row and one of the call-back modes;
// hands a tile over through tileInfo->tileData.
using IplCallBack = void (*)(const IplImage* image, int32_t xIndex, int32_t yIndex, int32_t mode);

struct IplTileInfo {
    IplCallBack callBack;
    void* id;
    unsigned char* tileData;
    int32_t width;   // positive multiple of 8
    int32_t height;  // positive multiple of 8
};

struct IplImage {
    int32_t nSize;
    int32_t ID;
    int32_t nChannels;
    int32_t alphaChannel;
    uint32_t depth;
    char colorModel[4];
    char channelSeq[4];
    int32_t dataOrder;
    int32_t origin;
    int32_t align;
    int32_t width;
    int32_t height;
    IplROI* roi;
    IplImage* maskROI;
    void* imageId;
    IplTileInfo* tileInfo;
    int32_t imageSize;
    unsigned char* imageData;
    int32_t widthStep;
    int32_t BorderMode[4];
    int32_t BorderConst[4];
    unsigned char* imageDataOrigin;
};

#if defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(IplImage) == 112, "the 32-bit image header is 112 bytes");
#endif

// One piecewise mapping per channel (iplContrastStretch).
struct IplLUT {
    int32_t num;
    int32_t* key;
    int32_t* value;
    int32_t* factor;
    int32_t interpolateType;
};

// Colour twist: coefficient i is data[i] / 2^scalingValue.
struct IplColorTwist {
    int32_t data[16];
    int32_t scalingValue;
};

using IplErrorCallback = int32_t (*)(int32_t status, const char* funcName, const char* context,
                                     const char* fileName, int32_t line);

// ---- status and error handling ---------------------------------------------
int32_t iplError(int32_t status, const char* funcName, const char* context, const char* fileName,
                 int32_t line);
int32_t iplGetErrStatus();
void iplSetErrStatus(int32_t status);
int32_t iplGetErrMode();
IplErrorCallback iplRedirectError(IplErrorCallback handler);
int32_t iplDefaultErrorReport(int32_t status, const char* funcName, const char* context,
                              const char* fileName, int32_t line);

// ---- headers, memory, regions of interest ----------------------------------
void* iplMalloc(int32_t length);
int16_t* iplwMalloc(int32_t length);
void iplFree(void* block);

IplImage* iplCreateImageHeader(int32_t nChannels, int32_t alphaChannel, uint32_t depth,
                               const char* colorModel, const char* channelSeq, int32_t dataOrder,
                               int32_t origin, int32_t align, int32_t width, int32_t height,
                               IplROI* roi, IplImage* maskROI, void* imageId,
                               IplTileInfo* tileInfo);
void iplAllocateImage(IplImage* image, int32_t doFill, int32_t fillValue);
void iplDeallocate(IplImage* image, int32_t flag);
void iplDeallocateHeader(IplImage* image);
void iplDeallocateImage(IplImage* image);
IplROI* iplCreateROI(int32_t coi, int32_t xOffset, int32_t yOffset, int32_t width, int32_t height);
void iplSetROI(IplROI* roi, int32_t coi, int32_t xOffset, int32_t yOffset, int32_t width,
               int32_t height);
void iplSetBorderMode(IplImage* image, int32_t mode, int32_t border, int32_t constVal);

// ---- copy, fill, look-up mapping, logical operations ------------------------
void iplCopy(IplImage* srcImage, IplImage* dstImage);
void iplSet(IplImage* image, int32_t fillValue);
void iplContrastStretch(IplImage* srcImage, IplImage* dstImage, IplLUT** lut);
void iplAnd(IplImage* srcImageA, IplImage* srcImageB, IplImage* dstImage);
void iplOr(IplImage* srcImageA, IplImage* srcImageB, IplImage* dstImage);
void iplXorS(IplImage* srcImage, IplImage* dstImage, uint32_t value);

// ---- geometric and colour operations ---------------------------------------
void iplMirror(IplImage* srcImage, IplImage* dstImage, int32_t flipAxis);
void iplDecimate(IplImage* srcImage, IplImage* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst,
                 int32_t ySrc, int32_t interpolate);
void iplResize(IplImage* srcImage, IplImage* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst,
               int32_t ySrc, int32_t interpolate);
void iplZoom(IplImage* srcImage, IplImage* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst,
             int32_t ySrc, int32_t interpolate);
IplColorTwist* iplCreateColorTwist(const int32_t data[16], int32_t scalingValue);
void iplDeleteColorTwist(IplColorTwist* cTwist);
void iplApplyColorTwist(IplImage* srcImage, IplImage* dstImage, IplColorTwist* cTwist,
                        int32_t offset);
void iplMultiplyScale(IplImage* srcImageA, IplImage* srcImageB, IplImage* dstImage);
void iplPreMultiplyAlpha(IplImage* image, int32_t alphaValue);

#endif  // SPAB_IPL_IPL_H
