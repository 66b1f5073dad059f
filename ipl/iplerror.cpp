// Status and error handling: one process-wide error context, the reporting
// call and the default handler.
#include <cstdlib>

#include "ipl/ownipl.h"

namespace {

constexpr std::memory_order kRelaxed = std::memory_order_relaxed;

// Texts of the header-check statuses; the mask codes (s - 100) reuse them
// behind "Mask. ".
const char* baseStatusText(int32_t status) {
    switch (status) {
    case 0: return "No Error";
    case -1: return "Backtrace";
    case -3: return "Internal error (bad state)";
    case -4: return "Insufficient memory";
    case -5: return "Bad argument";
    case -6: return "Unsupported function";
    case -7: return "Iteration convergence failed";
    case -8: return "Autotrace call";
    case -9: return "Null pointer to an image header";
    case -10: return "Incorrect image size";
    case -11: return "Incorrect offset of ROI of the image";
    case -12: return "Image must be tiled or must have nonzero data pointer";
    case -13: return "Incorrect widthStep of the image";
    case -14: return "Incorrect Color model or channel sequence of the image";
    case -15: return "Incorrect number of channels in the image";
    case -16: return "Number of channels for 1U depth image must be one";
    case -17: return "Incorrect depth value in the image header";
    case -18: return "Incorrect alpha channel number in the image header";
    case -19: return "Incorrect data order value in the image header";
    case -20: return "Incorrect data origin value in the image header";
    case -21: return "Incorrect data alignment value in the image header";
    case -22: return "Null pointer to callback function";
    case -23: return "Incorrect size of the tile";
    case -24: return "Incorrect COI of the image";
    case -25: return "Incorrect size of ROI in the image header";
    case -26: return "Mask image is taled";
    case -27: return "Null pointer";
    case -28: return "Incorrect vector length";
    case -29: return "Incorrect filter structure content";
    case -30: return "Incorrect transform kernel content";
    case -31: return "Incorrect filter ofset value";
    default: return nullptr;
    }
}

const char* maskStatusText(int32_t status) {
    switch (status) {
    case -110: return "Mask. Incorrect image size";
    case -111: return "Mask. Incorrect offset of ROI of the image";
    case -112: return "Mask. Image must be tiled or must have nonzero data pointer";
    case -113: return "Mask. Incorrect widthStep of the image";
    case -114: return "Mask. Incorrect Color model or channel sequence of the image";
    case -115: return "Mask. Incorrect number of channels in the image";
    case -116: return "Mask. Number of channels for 1U depth image must be one";
    case -117: return "Mask. Incorrect depth value in the image header";
    case -118: return "Mask. Incorrect alpha channel number in the image header";
    case -119: return "Mask. Incorrect data order value in the image header";
    case -120: return "Mask. Incorrect data origin value in the image header";
    case -121: return "Mask. Incorrect data alignment value in the image header";
    case -124: return "Mask. Incorrect COI of the image";
    case -125: return "Mask. Incorrect size of ROI in the image header";
    default: return nullptr;
    }
}

}  // namespace

OwnErrContext* ownGetErrContext() {
    static OwnErrContext context;
    return &context;
}

const char* ownStatusText(int32_t status) {
    if (const char* text = baseStatusText(status)) return text;
    if (const char* text = maskStatusText(status)) return text;
    return "Unknown error or status code";
}

int32_t iplError(int32_t status, const char* funcName, const char* context, const char* fileName,
                 int32_t line) {
    OwnErrContext* ctx = ownGetErrContext();
    // Back-trace and auto-trace entries leave the failure they trace in place.
    if (status != -1 && status != -8) {
        ctx->status.store(status, kRelaxed);
        if (status == 0) return 0;
    }
    IplErrorCallback handler = ctx->handler.load(kRelaxed);
    return handler(status, funcName, context, fileName, line);
}

int32_t iplGetErrStatus() { return ownGetErrContext()->status.load(kRelaxed); }

void iplSetErrStatus(int32_t status) { ownGetErrContext()->status.store(status, kRelaxed); }

int32_t iplGetErrMode() { return ownGetErrContext()->mode.load(kRelaxed); }

IplErrorCallback iplRedirectError(IplErrorCallback handler) {
    if (handler == nullptr) handler = &iplDefaultErrorReport;
    return ownGetErrContext()->handler.exchange(handler, kRelaxed);
}

int32_t iplDefaultErrorReport(int32_t status, const char*, const char*, const char*, int32_t) {
    if (iplGetErrMode() == 0) std::exit(1);
    return status;
}
