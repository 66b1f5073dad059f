// Image headers, pixel blocks, regions of interest, border modes and the
// library's 32-byte-aligned memory blocks.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ipl/ownipl.h"

namespace {

constexpr const char* kUnit = "iplalloc";
constexpr uintptr_t kBlockAlign = 32;

// Room before a block for the allocator's address, rounded so that the block
// can always be moved up to the next multiple of 32.
constexpr uint64_t kBlockOverhead = sizeof(void*) + kBlockAlign;

void* allocateBlock(uint64_t bytes) {
    const uint64_t total = bytes + kBlockOverhead;
    if (total > SIZE_MAX) return nullptr;
    void* raw = std::malloc(static_cast<size_t>(total));
    if (raw == nullptr) return nullptr;
    const uintptr_t start =
        (reinterpret_cast<uintptr_t>(raw) + sizeof(void*) + kBlockAlign - 1) & ~(kBlockAlign - 1);
    void* block = reinterpret_cast<void*>(start);
    std::memcpy(static_cast<unsigned char*>(block) - sizeof(void*), &raw, sizeof(void*));
    return block;
}

// Copies a name of up to four characters, stopping at its terminator (names
// such as "G" are shorter than the field) and padding with zeros.
void copyName(char (&field)[4], const char* name) {
    size_t i = 0;
    for (; i < 4 && name[i] != '\0'; ++i) field[i] = name[i];
    for (; i < 4; ++i) field[i] = '\0';
}

// The header tests shared by iplCreateImageHeader and iplAllocateImage, the
// name test excepted; 0 when they pass.
int32_t checkHeaderFields(int32_t nChannels, int32_t alphaChannel, uint32_t depth,
                          int32_t dataOrder, int32_t origin, int32_t align, int32_t width,
                          int32_t height, const IplImage* maskROI, bool namesMissing) {
    if (height < 1 || width < 1) return -10;
    if (nChannels < 1) return -15;
    if (nChannels != 1 && depth == IPL_DEPTH_1U) return -16;
    if (namesMissing) return -14;
    if (!ownIsValidDepth(depth)) return -17;
    if (alphaChannel != 0 && alphaChannel != nChannels) return -18;
    if (dataOrder != IPL_DATA_ORDER_PIXEL && dataOrder != IPL_DATA_ORDER_PLANE) return -19;
    if (origin != IPL_ORIGIN_TL && origin != IPL_ORIGIN_BL) return -20;
    if (!ownIsValidAlign(align)) return -21;
    if (maskROI != nullptr) {
        if (maskROI->depth != IPL_DEPTH_1U) return -117;
        if (maskROI->tileInfo == nullptr) {
            const int32_t s = ownCheckImage(maskROI);
            if (s != 0) return s - 100;
        }
        if (maskROI->tileInfo != nullptr) return -26;
    }
    // Sizes that do not fit 32 bits would give short pixel blocks.
    const int32_t step = ownWidthStep(dataOrder, depth, align, nChannels, width);
    if (step == 0 || ownImageSize(dataOrder, nChannels, step, height) == 0) return -10;
    return 0;
}

uint32_t fillWord(uint32_t depth, int32_t fillValue) {
    const uint32_t v = static_cast<uint32_t>(fillValue);
    switch (ownDepthBits(depth)) {
    case 1: return (v & 1u) ? 0xffffffffu : 0u;
    case 8: return (v & 0xffu) * 0x01010101u;
    case 16: return (v & 0xffffu) * 0x00010001u;
    default: return v;
    }
}

}  // namespace

void* iplMalloc(int32_t length) {
    if (length < 1) return nullptr;
    return allocateBlock(static_cast<uint64_t>(length));
}

int16_t* iplwMalloc(int32_t length) {
    if (length < 1) return nullptr;
    return static_cast<int16_t*>(allocateBlock(2 * static_cast<uint64_t>(length)));
}

void iplFree(void* block) {
    if (block == nullptr) return;
    void* raw = nullptr;
    std::memcpy(&raw, static_cast<unsigned char*>(block) - sizeof(void*), sizeof(void*));
    std::free(raw);
}

IplImage* iplCreateImageHeader(int32_t nChannels, int32_t alphaChannel, uint32_t depth,
                               const char* colorModel, const char* channelSeq, int32_t dataOrder,
                               int32_t origin, int32_t align, int32_t width, int32_t height,
                               IplROI* roi, IplImage* maskROI, void* imageId,
                               IplTileInfo* tileInfo) {
    const int32_t status =
        checkHeaderFields(nChannels, alphaChannel, depth, dataOrder, origin, align, width, height,
                          maskROI, colorModel == nullptr || channelSeq == nullptr);
    if (status != 0) {
        OWN_ERROR(status, "iplCreateImageHeader", "Incorrect data-ins", kUnit);
        return nullptr;
    }
    auto* image = static_cast<IplImage*>(iplMalloc(static_cast<int32_t>(sizeof(IplImage))));
    if (image == nullptr) return nullptr;
    std::memset(image, 0, sizeof(IplImage));
    image->nSize = static_cast<int32_t>(sizeof(IplImage));
    image->ID = 0;
    image->nChannels = nChannels;
    image->alphaChannel = alphaChannel;
    image->depth = depth;
    copyName(image->colorModel, colorModel);
    copyName(image->channelSeq, channelSeq);
    image->dataOrder = dataOrder;
    image->origin = origin;
    image->align = align;
    image->width = width;
    image->height = height;
    image->roi = roi;
    image->maskROI = maskROI;
    image->imageId = imageId;
    image->tileInfo = tileInfo;
    image->imageData = nullptr;
    image->imageDataOrigin = nullptr;
    image->widthStep = ownWidthStep(dataOrder, depth, align, nChannels, width);
    image->imageSize = ownImageSize(dataOrder, nChannels, image->widthStep, height);
    iplSetBorderMode(image, IPL_BORDER_CONSTANT, IPL_SIDE_ALL, 0);
    return image;
}

void iplAllocateImage(IplImage* image, int32_t doFill, int32_t fillValue) {
    constexpr const char* kName = "iplAllocateImage";
    if (image == nullptr) {
        OWN_ERROR(-5, kName, "( image == ((void *)0) )", kUnit);
        return;
    }
    if (image->imageData != nullptr) {
        OWN_ERROR(-5, kName, "( image->imageData != ((void *)0) )", kUnit);
        return;
    }
    if (image->tileInfo != nullptr) {
        OWN_ERROR(-5, kName, "( image->tileInfo != ((void *)0) )", kUnit);
        return;
    }
    if (image->depth == IPL_DEPTH_32F) {
        OWN_ERROR(-5, kName, "( image->depth == 32 )", kUnit);
        return;
    }
    const int32_t status = checkHeaderFields(image->nChannels, image->alphaChannel, image->depth,
                                             image->dataOrder, image->origin, image->align,
                                             image->width, image->height, image->maskROI, false);
    if (status != 0) {
        OWN_ERROR(status, kName, "Incorrect data-ins", kUnit);
        return;
    }
    image->widthStep = ownWidthStep(image->dataOrder, image->depth, image->align,
                                    image->nChannels, image->width);
    image->imageSize =
        ownImageSize(image->dataOrder, image->nChannels, image->widthStep, image->height);

    const uint64_t bytes = static_cast<uint64_t>(image->align) + static_cast<uint64_t>(image->imageSize) - 1;
    void* raw = bytes <= SIZE_MAX ? std::malloc(static_cast<size_t>(bytes)) : nullptr;
    if (raw == nullptr) {
        OWN_ERROR(-4, kName, "for allocate image data", kUnit);
        return;
    }
    const uintptr_t a = static_cast<uintptr_t>(image->align);
    image->imageDataOrigin = static_cast<unsigned char*>(raw);
    image->imageData =
        reinterpret_cast<unsigned char*>((reinterpret_cast<uintptr_t>(raw) + a - 1) & ~(a - 1));

    if (doFill != 0) {
        const uint32_t word = fillWord(image->depth, fillValue);
        // imageSize is a multiple of 4: widthStep is a multiple of align.
        for (int32_t offset = 0; offset + 4 <= image->imageSize; offset += 4)
            std::memcpy(image->imageData + offset, &word, 4);
    }
}

void iplDeallocate(IplImage* image, int32_t flag) {
    if (image == nullptr) return;
    if ((flag & IPL_IMAGE_ROI) && image->roi != nullptr) {
        iplFree(image->roi);
        image->roi = nullptr;
    }
    if ((flag & IPL_IMAGE_MASK) && image->maskROI != nullptr) {
        iplDeallocate(image->maskROI, IPL_IMAGE_HEADER | IPL_IMAGE_DATA | IPL_IMAGE_ROI | IPL_IMAGE_TILE);
        image->maskROI = nullptr;
    }
    if ((flag & IPL_IMAGE_TILE) && image->tileInfo != nullptr) {
        iplFree(image->tileInfo);
        image->tileInfo = nullptr;
    }
    if ((flag & IPL_IMAGE_DATA) && image->imageDataOrigin != nullptr) {
        std::free(image->imageDataOrigin);
        image->imageDataOrigin = nullptr;
        image->imageData = nullptr;
    }
    if (flag & IPL_IMAGE_HEADER) iplFree(image);
}

void iplDeallocateHeader(IplImage* image) { iplDeallocate(image, IPL_IMAGE_HEADER); }

void iplDeallocateImage(IplImage* image) {
    if (image == nullptr) return;
    std::free(image->imageDataOrigin);
    image->imageDataOrigin = nullptr;
    image->imageData = nullptr;
}

IplROI* iplCreateROI(int32_t coi, int32_t xOffset, int32_t yOffset, int32_t width, int32_t height) {
    auto* roi = static_cast<IplROI*>(iplMalloc(static_cast<int32_t>(sizeof(IplROI))));
    if (roi != nullptr) *roi = IplROI{coi, xOffset, yOffset, width, height};
    return roi;
}

void iplSetROI(IplROI* roi, int32_t coi, int32_t xOffset, int32_t yOffset, int32_t width,
               int32_t height) {
    if (roi != nullptr) *roi = IplROI{coi, xOffset, yOffset, width, height};
}

void iplSetBorderMode(IplImage* image, int32_t mode, int32_t border, int32_t constVal) {
    if (image == nullptr) return;
    const int32_t value = ownClampToDepth(image->depth, constVal);
    for (int32_t side = 0; side < 4; ++side) {
        if (border & (1 << side)) {
            image->BorderConst[side] = value;
            image->BorderMode[side] = mode;
        }
    }
}
