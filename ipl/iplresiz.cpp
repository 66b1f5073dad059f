// Resize: the general entry for rational size changes. Super-sampling goes to
// the decimation (shrinking only); everything else to the zoom.
#include "ipl/ipl.h"
#include "ipl/ownipl.h"

namespace {
const char kFunc[] = "iplResize";
const char kUnit[] = "iplresiz";
} // namespace

void iplResize(IplImage* srcImage, IplImage* dstImage, int32_t xDst, int32_t xSrc, int32_t yDst, int32_t ySrc,
               int32_t interpolate)
{
    if (interpolate == IPL_INTER_SUPER) {
        if (xDst > xSrc || yDst > ySrc) {
            OWN_ERROR(-5, kFunc, "(xDst > xSrc || yDst > ySrc)", kUnit);
            return;
        }
        iplDecimate(srcImage, dstImage, xDst, xSrc, yDst, ySrc, interpolate);
    } else {
        iplZoom(srcImage, dstImage, xDst, xSrc, yDst, ySrc, interpolate);
    }
    if (iplGetErrStatus() < 0)
        OWN_ERROR(-1, kFunc, "", kUnit);
}
