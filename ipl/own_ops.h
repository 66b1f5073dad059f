// Internal routines of the image operations (mirror, decimate, zoom, colour
// twist, multiply-scale). Kernels take plain pointers and element counts so
// that they can be tested without image headers.
#ifndef IPL_OWN_OPS_H
#define IPL_OWN_OPS_H

#include <cstdint>

// ---- Rounding helpers shared by the zoom and its kernels -------------------

// The integer nearest to v, a tie going to the even one, whatever rounding
// mode the host left in force.
double ownRoundHalfEven(double v);

// Rounding rule of the zoom: nearest to v + 0.00001 - 0.5, ties to even.
int ownZoomRound(double v);

// ---- Decimation kernels -----------------------------------------------------

// Steps and extents are in elements of the depth (bits for 1u). For 1u the
// channel-step slots carry the bit position of the region's first pixel.
// Positions go in and out in double precision: a piece of a tiled image then
// starts exactly where the plain image's walk would be, which a float cannot
// hold once the positions grow.
typedef int (*OwnDecimKernel)(const void* src, void* dst,
                              int dCh, int dChExt, int dPix, int dRowExt, int dLine, int dTotExt,
                              int sCh, int sPix, int sRowExt, int sLine, int sTotExt,
                              float xScale, float yScale, double* xPos, double* yPos);

#define OWN_DECIM_KERNEL_ARGS                                                            \
    const void *src, void *dst, int dCh, int dChExt, int dPix, int dRowExt, int dLine,   \
        int dTotExt, int sCh, int sPix, int sRowExt, int sLine, int sTotExt, float xScale, \
        float yScale, double *xPos, double *yPos

int ownDecimNN_1u(OWN_DECIM_KERNEL_ARGS);
int ownDecimNN_8u(OWN_DECIM_KERNEL_ARGS);
int ownDecimNN_16u(OWN_DECIM_KERNEL_ARGS);
int ownDecimNN_32f(OWN_DECIM_KERNEL_ARGS);
int ownDecimLinear_8u(OWN_DECIM_KERNEL_ARGS);
int ownDecimLinear_16u(OWN_DECIM_KERNEL_ARGS);
int ownDecimLinear_32f(OWN_DECIM_KERNEL_ARGS);
int ownDecimLinearX_8u(OWN_DECIM_KERNEL_ARGS);
int ownDecimLinearX_16u(OWN_DECIM_KERNEL_ARGS);
int ownDecimLinearX_32f(OWN_DECIM_KERNEL_ARGS);
int ownDecimLinearY_8u(OWN_DECIM_KERNEL_ARGS);
int ownDecimLinearY_16u(OWN_DECIM_KERNEL_ARGS);
int ownDecimLinearY_32f(OWN_DECIM_KERNEL_ARGS);
int ownDecimCubic_8u(OWN_DECIM_KERNEL_ARGS);
// The same without the integer-tap row kernel: the reference for it.
int ownDecimCubicPlain_8u(OWN_DECIM_KERNEL_ARGS);
int ownDecimCubic_16u(OWN_DECIM_KERNEL_ARGS);
int ownDecimCubic_32f(OWN_DECIM_KERNEL_ARGS);
int ownDecimCubicX_8u(OWN_DECIM_KERNEL_ARGS);
int ownDecimCubicX_16u(OWN_DECIM_KERNEL_ARGS);
int ownDecimCubicX_32f(OWN_DECIM_KERNEL_ARGS);
int ownDecimCubicY_8u(OWN_DECIM_KERNEL_ARGS);
int ownDecimCubicY_16u(OWN_DECIM_KERNEL_ARGS);
int ownDecimCubicY_32f(OWN_DECIM_KERNEL_ARGS);
int ownDecimSuper_1u(OWN_DECIM_KERNEL_ARGS);
int ownDecimSuper_8u(OWN_DECIM_KERNEL_ARGS);
int ownDecimSuper_16u(OWN_DECIM_KERNEL_ARGS);
int ownDecimSuper_32f(OWN_DECIM_KERNEL_ARGS);

// The cubic of the decimation (Lagrange through four samples, double precision).
double ownDecimCubicValue(double a, double b, double c, double d, double t);

// ---- Multiply-scale row kernels ---------------------------------------------

// Truncated scaled products: floor(a*b/255) and floor(a*b/65535).
inline uint8_t ownScaledProduct8u(uint32_t a, uint32_t b)
{
    const uint32_t t = a * b;
    return static_cast<uint8_t>((t + (t >> 8) + 1) >> 8);
}
inline uint16_t ownScaledProduct16u(uint32_t a, uint32_t b)
{
    const uint32_t t = a * b;
    return static_cast<uint16_t>((t + (t >> 16) + 1) >> 16);
}

void ownMultiplyScaleRow8u(const uint8_t* a, const uint8_t* b, uint8_t* d, int n);
void ownMultiplyScaleRow16u(const uint16_t* a, const uint16_t* b, uint16_t* d, int n);
void ownMultiplyScaleRowC8u(const uint8_t* s, uint8_t* d, int k, int n);
void ownMultiplyScaleRowC16u(const uint16_t* s, uint16_t* d, int k, int n);

// A pixel-order row of w pixels of nChannels values: every value but the
// alpha one (index alphaIndex) becomes its scaled product with the alpha.
void ownPreMultiplyRowPixel(uint8_t* row, int32_t w, int32_t nChannels, int32_t alphaIndex);
void ownPreMultiplyRowPixel(uint16_t* row, int32_t w, int32_t nChannels, int32_t alphaIndex);

// ---- Zoom row kernels ---------------------------------------------------------

// Everything a zoom kernel is given. Steps, plane sizes and table entries are
// in elements (bytes for 1u, where rowTab holds byte offsets and colTab bits).
struct OwnZoomJob {
    const void* src = nullptr;
    void* dst = nullptr;
    int32_t srcStep = 0, dstStep = 0;
    int32_t W = 0, H = 0, nch = 1;
    int32_t srcPlane = 0, dstPlane = 0;  // plane order
    int32_t srcCh = 1, dstCh = 1;        // pixel order
    int32_t srcBit0 = 0, dstBit0 = 0;    // 1u
    const int32_t* rowTab = nullptr;
    const int32_t* colTab = nullptr;
    const void* wy = nullptr;  // linear 8u/16u: uint16 per row; otherwise float
    const void* wx = nullptr;  // linear 8u/16u: uint16 pair per column; otherwise float
    void* buf[4] = {nullptr, nullptr, nullptr, nullptr};
    int32_t bufLanes = 0;  // pixel order: values per pixel the row buffers have room for
    const unsigned char* mask = nullptr;
    int32_t maskStep = 0, maskBit0 = 0;
};

void ownZoomNN1u(const OwnZoomJob& job);
void ownZoomNN8uPixel(const OwnZoomJob& job);
void ownZoomNN16uPixel(const OwnZoomJob& job);
void ownZoomNN32fPixel(const OwnZoomJob& job);
void ownZoomNN8uPlane(const OwnZoomJob& job);
void ownZoomNN16uPlane(const OwnZoomJob& job);
void ownZoomNN32fPlane(const OwnZoomJob& job);
void ownZoomLinear8uPlane(const OwnZoomJob& job);
void ownZoomLinear16uPlane(const OwnZoomJob& job);
void ownZoomLinear32fPlane(const OwnZoomJob& job);
void ownZoomLinear8uPixel(const OwnZoomJob& job);
void ownZoomLinear16uPixel(const OwnZoomJob& job);
void ownZoomLinear32fPixel(const OwnZoomJob& job);
void ownZoomCubic8uPlane(const OwnZoomJob& job);
void ownZoomCubic16uPlane(const OwnZoomJob& job);
void ownZoomCubic32fPlane(const OwnZoomJob& job);
void ownZoomCubic8uPixel(const OwnZoomJob& job);
void ownZoomCubic16uPixel(const OwnZoomJob& job);
void ownZoomCubic32fPixel(const OwnZoomJob& job);

// The cubic of the zoom in forward-difference form, single precision.
float ownZoomCubicH(float a, float b, float c, float d, float t);
float ownZoomCubicV(float a, float b, float c, float d, float t);

#endif
