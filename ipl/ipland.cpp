// Bitwise AND of two images.
#include "ipl/ownlogic.h"

void iplAnd(IplImage* srcImageA, IplImage* srcImageB, IplImage* dstImage) {
    ownLogicOperation(OwnLogicKind::And, srcImageA, srcImageB, dstImage, 0);
}
