// Region rectangles of the logical operations and the mask images built from
// them: combined masks and the mask governing a source/destination pair.
#include <algorithm>

#include "ipl/ownipl.h"
#include "ipl/ownlogic.h"

namespace {

int32_t clampToInt32(int64_t v) {
    return static_cast<int32_t>(std::min<int64_t>(std::max<int64_t>(v, INT32_MIN), INT32_MAX));
}

}  // namespace

void ownGetRoiRect(const IplImage* image, OwnRect* rect) {
    const IplROI* roi = image->roi;
    if (roi == nullptr) {
        *rect = OwnRect{0, 0, image->width, image->height};
        return;
    }
    const int64_t w = static_cast<int64_t>(roi->width) +
                      std::min<int64_t>(0, static_cast<int64_t>(image->width) - roi->xOffset - roi->width);
    const int64_t h = static_cast<int64_t>(roi->height) +
                      std::min<int64_t>(0, static_cast<int64_t>(image->height) - roi->yOffset - roi->height);
    *rect = OwnRect{roi->xOffset, roi->yOffset, clampToInt32(w), clampToInt32(h)};
}

unsigned char* ownLogicRoiStart(const IplImage* image, int32_t* width, int32_t* height,
                                int32_t channelIndex, int32_t* bitOffset) {
    OwnRect rect{};
    ownGetRoiRect(image, &rect);
    *width = std::max(0, rect.width);
    *height = std::max(0, rect.height);
    *bitOffset = 0;
    const IplROI* roi = image->roi;
    // An empty rectangle is never read: do not form an address outside the block.
    if (roi == nullptr || *width == 0 || *height == 0) return image->imageData;
    const int64_t bits = ownDepthBits(image->depth);
    int64_t offset = static_cast<int64_t>(roi->yOffset) * image->widthStep;
    if (image->dataOrder == IPL_DATA_ORDER_PIXEL)
        offset += ((static_cast<int64_t>(roi->xOffset) * image->nChannels + channelIndex) * bits) >> 3;
    else
        offset += static_cast<int64_t>(channelIndex) * image->widthStep * image->height +
                  ((static_cast<int64_t>(roi->xOffset) * bits) >> 3);
    *bitOffset = roi->xOffset & 7;
    return image->imageData + offset;
}

bool ownIsWholeImage(const IplImage* a, const IplImage* b, const IplImage* c, bool refuse) {
    if (refuse) return false;
    const IplImage* images[3] = {a, b, c};
    for (const IplImage* im : images) {
        if (im == nullptr) continue;
        if (im->width != a->width || im->height != a->height || im->align != a->align ||
            im->imageSize != a->imageSize)
            return false;
        if (const IplROI* roi = im->roi) {
            if (roi->xOffset != 0 || roi->yOffset != 0 || roi->width < im->width ||
                roi->height < im->height || im->nChannels != 1 || roi->coi < 1)
                return false;
        }
    }
    return true;
}

IplImage* ownCreateMaskImage(int32_t dataOrder, int32_t origin, int32_t align, int32_t width,
                             int32_t height, const char* channelSeq) {
    IplImage* mask = iplCreateImageHeader(1, 0, IPL_DEPTH_1U, "GRAY", channelSeq, dataOrder, origin,
                                          align, width, height, nullptr, nullptr, nullptr, nullptr);
    if (mask == nullptr) return nullptr;
    iplAllocateImage(mask, 0, 0);
    if (mask->imageData == nullptr) {
        iplDeallocate(mask, IPL_IMAGE_HEADER);
        return nullptr;
    }
    return mask;
}

IplImage* ownCombineMasks(IplImage* maskA, IplImage* maskB, IplImage* maskC, int32_t* status) {
    IplImage* masks[3] = {};
    int32_t count = 0;
    for (IplImage* m : {maskA, maskB, maskC})
        if (m != nullptr) masks[count++] = m;
    *status = 0;
    if (count == 0) return nullptr;
    if (count == 1) return masks[0];

    const unsigned char* starts[3] = {};
    int32_t offsets[3] = {};
    int32_t W = INT32_MAX;
    int32_t H = INT32_MAX;
    for (int32_t k = 0; k < count; ++k) {
        int32_t w = 0;
        int32_t h = 0;
        starts[k] = ownLogicRoiStart(masks[k], &w, &h, 0, &offsets[k]);
        W = std::min(W, w);
        H = std::min(H, h);
    }
    if (W == 0 || H == 0) {
        *status = 3;
        return nullptr;
    }
    IplImage* out = ownCreateMaskImage(IPL_DATA_ORDER_PLANE, masks[0]->origin, 8, W, H);
    if (out == nullptr) {
        *status = 2;
        return nullptr;
    }
    const int32_t rowBytes = (W + 7) / 8;
    for (int32_t j = 0; j < H; ++j) {
        unsigned char* row = out->imageData + static_cast<ptrdiff_t>(j) * out->widthStep;
        for (int32_t byte = 0; byte < rowBytes; ++byte) {
            unsigned value = 0;
            for (int32_t bit = 0; bit < 8; ++bit) {
                const int32_t i = byte * 8 + bit;
                int32_t on = i < W;
                for (int32_t k = 0; k < count && on; ++k)
                    on = ownGetBit(starts[k] + static_cast<ptrdiff_t>(j) * masks[k]->widthStep,
                                   offsets[k] + static_cast<int64_t>(i));
                value |= static_cast<unsigned>(on) << (7 - bit);
            }
            row[byte] = static_cast<unsigned char>(value);
        }
    }
    *status = 1;
    return out;
}

void ownChooseMask(IplImage* srcImage, IplImage* dstImage, const char* funcName,
                   const char* unitName, OwnMaskInUse* out) {
    IplImage* ms = srcImage->maskROI;
    IplImage* md = dstImage->maskROI;
    if (ms == nullptr || md == nullptr || ms == md) {
        out->mask = md != nullptr ? md : ms;
        return;
    }
    int32_t h = 0;
    int32_t w = 0;
    if (!ownRoiSize3(ms, md, nullptr, &h, &w, 1)) {
        out->empty = true;
        return;
    }
    IplImage* mask = iplCreateImageHeader(1, 0, IPL_DEPTH_1U, "GRAY", "G   ", IPL_DATA_ORDER_PLANE,
                                          ms->origin, 4, w, h, nullptr, nullptr, nullptr, nullptr);
    if (mask == nullptr) {
        // The header allocation reports nothing itself: the failure must not
        // pass for success.
        OWN_ERROR(-4, funcName, "Out of memory", unitName);
        OWN_ERROR(-1, funcName, "", unitName);
        out->failed = true;
        return;
    }
    out->owned.reset(mask);
    iplAllocateImage(mask, 0, 0);  // reports its own failure
    if (mask->imageData == nullptr) {
        OWN_ERROR(-1, funcName, "", unitName);
        out->failed = true;
        out->owned.reset();
        return;
    }
    out->mask = mask;
    if (!ownLogicOperation(OwnLogicKind::And, ms, md, mask, 0)) {
        OWN_ERROR(-1, funcName, "", unitName);
        out->failed = true;
        out->mask = nullptr;
        out->owned.reset();
    }
}
