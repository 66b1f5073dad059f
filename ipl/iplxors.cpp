// Bitwise exclusive OR of an image with a constant.
#include "ipl/ownlogic.h"

void iplXorS(IplImage* srcImage, IplImage* dstImage, uint32_t value) {
    ownLogicOperation(OwnLogicKind::XorS, srcImage, nullptr, dstImage, value);
}
