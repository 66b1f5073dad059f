// Loading a preview of a picture file, the four steps of the picture object's
// LoadPreview, kept free of the picture object so it is also built and tested
// natively:
//   1. a valid thumbnail trailer is decoded at the first of the scales 1, 1/2,
//      1/4 ... at which both sides fit maxSize;
//   2. otherwise the format is probed and a reduction chosen against the
//      target (1024 with useThumbnail, else maxSize; twice that with fit);
//   3. the picture is decoded (alpha mode 1 with useThumbnail) and, with fit,
//      resized so that its longer side is the target;
//   4. with useThumbnail the decoded picture becomes a trailer appended to the
//      file, and the result is read back from it as in step 1. A file that
//      cannot be written still gets the preview, read from the trailer built
//      in memory.
// A picture no larger than the thumbnail target gets no trailer: it is read
// as without useThumbnail.
#ifndef SPAB_IMAGELIB_PREVIEWLOADER_H
#define SPAB_IMAGELIB_PREVIEWLOADER_H

#include <cstdint>
#include <functional>
#include <string>

#include "imagelib/Raster.h"

namespace img {

// Thumbnails are built at this size.
constexpr int32_t kThumbnailTarget = 1024;

struct PreviewRequest {
    std::string path;
    int alphaMode = 0;  // 0, 1 or 2 as for loading
    bool useThumbnail = false;
    int32_t maxSize = 0;
    bool fit = false;
    // The picture must be read whole: no trailer stands in for it, and damage
    // the decoder went on past fails the load (ImageDecoder::Complained).
    bool whole = false;
};

// Makes the caller's picture (replacing one made before) and answers its raster.
using AllocatePicture = std::function<bool(int32_t width, int32_t height, bool alpha, Raster& raster)>;
// Resizes the whole of `from` into the whole of `to` (same channel count).
using ResizePicture = std::function<bool(const Raster& from, const Raster& to)>;

bool LoadPreviewPicture(const PreviewRequest& request, const AllocatePicture& allocate, const ResizePicture& resize);

// alphaMode 0: never; 1: when the file has alpha; 2: always.
inline bool WantsAlpha(int alphaMode, bool fileHasAlpha) { return alphaMode == 2 || (alphaMode == 1 && fileHasAlpha); }

}  // namespace img

#endif
