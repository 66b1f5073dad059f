#include "ipl/ownipl.h"

bool ownImagesFail(const char* funcName, const char* unitName, const IplImage* a, const IplImage* b)
{
    if (ownCheckImage(a) == 0 && (b == nullptr || ownCheckImage(b) == 0))
        return false;
    iplError(iplGetErrStatus(), funcName, "Incorrect Image", unitName, __LINE__);
    return true;
}

void ownCheckSameLayout(OwnCheckRun& check, const IplImage* src, const IplImage* dst)
{
    check(src->depth != dst->depth, -5, "srcImage->depth != dstImage->depth");
    check(src->origin != dst->origin, -5, "srcImage->origin != dstImage->origin");
    check(src->depth != IPL_DEPTH_1U && !(src->nChannels == 1 && dst->nChannels == 1) &&
              src->dataOrder != dst->dataOrder,
          -5, "srcImage->dataOrder != dstImage->dataOrder");
}
