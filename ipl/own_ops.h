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
typedef int (*OwnDecimKernel)(const void* src, void* dst,
                              int dCh, int dChExt, int dPix, int dRowExt, int dLine, int dTotExt,
                              int sCh, int sPix, int sRowExt, int sLine, int sTotExt,
                              float xScale, float yScale, float* xPos, float* yPos);

#define OWN_DECIM_KERNEL_ARGS                                                            \
    const void *src, void *dst, int dCh, int dChExt, int dPix, int dRowExt, int dLine,   \
        int dTotExt, int sCh, int sPix, int sRowExt, int sLine, int sTotExt, float xScale, \
        float yScale, float *xPos, float *yPos

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

#endif
