// Bitwise OR of two images.
#include "ipl/ownlogic.h"

void iplOr(IplImage* srcImageA, IplImage* srcImageB, IplImage* dstImage) {
    ownLogicOperation(OwnLogicKind::Or, srcImageA, srcImageB, dstImage, 0);
}
