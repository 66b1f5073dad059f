#include "imagelib/PreviewLoader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imagelib/ImageFile.h"
#include "imagelib/ImgWarning.h"
#include "imagelib/ThumbnailTrailer.h"

namespace img {

namespace {

bool DecodeTrailerInto(ByteSource& file, const TrailerFooter& footer, const PreviewRequest& request,
                       const AllocatePicture& allocate) {
    const int32_t r = ChooseTrailerReduction(footer.width, footer.height, request.maxSize);
    Raster target;
    return allocate(ReducedSide(footer.width, r), ReducedSide(footer.height, r),
                    WantsAlpha(request.alphaMode, footer.alphaLength != 0), target) &&
           DecodeTrailer(file, footer, target, r);
}

void CopyPixels(const Raster& from, const Raster& to) {
    const size_t rowBytes = static_cast<size_t>(from.width) * from.channels;
    for (int32_t y = 0; y < from.height; ++y) std::memcpy(to.Row(y), from.Row(y), rowBytes);
}

}  // namespace

bool LoadPreviewPicture(const PreviewRequest& request, const AllocatePicture& allocate, const ResizePicture& resize) {
    if (request.alphaMode < 0 || request.alphaMode > 2 || request.maxSize < 1) return false;

    if (!request.whole) {
        FileSource whole;
        TrailerFooter footer;
        if (whole.Open(request.path) && FindValidTrailer(whole, footer) &&
            DecodeTrailerInto(whole, footer, request, allocate))
            return true;
        // No trailer, or a damaged one: the picture itself is decoded.
    }

    ImageFile file;
    if (!file.Open(request.path)) return false;
    const ImageInfo& info = file.Info();
    const int32_t longer = std::max(info.width, info.height);
    // A picture no larger than a thumbnail is its own thumbnail: a trailer
    // would only hold it again (an album's working copies are such pictures).
    const bool useThumbnail = request.useThumbnail && longer > kThumbnailTarget;
    const int32_t target = useThumbnail ? kThumbnailTarget : request.maxSize;
    const int32_t reduction = ChooseReduction(longer, request.fit ? 2 * target : target);

    const int decodeAlphaMode = useThumbnail ? 1 : request.alphaMode;
    const int32_t channels = WantsAlpha(decodeAlphaMode, info.hasAlpha) ? 4 : 3;
    OwnedRaster decoded(ReducedSide(info.width, reduction), ReducedSide(info.height, reduction), channels);
    if (!file.Decoder().Decode(decoded.View(), reduction)) return false;
    if (request.whole && file.Decoder().Complained()) return false;
    const Raster* picture = &decoded.View();
    OwnedRaster fitted;
    if (request.fit && std::max(picture->width, picture->height) > target) {
        int32_t w = 0, h = 0;
        FitLongerSide(picture->width, picture->height, target, w, h);
        fitted.Reset(w, h, channels);
        if (!resize(*picture, fitted.View())) return false;
        picture = &fitted.View();
    }

    if (!useThumbnail) {
        Raster out;
        if (!allocate(picture->width, picture->height, channels == 4, out)) return false;
        CopyPixels(*picture, out);
        return true;
    }

    std::vector<uint8_t> trailer;
    if (!BuildTrailer(*picture, file.WholeFile(), trailer)) return false;
    const uint64_t originalLength = file.WholeFile().Size();
    if (!AppendToFile(request.path, trailer, originalLength)) {
        ImgWarning("cannot add the thumbnail to " + request.path);
    }
    OffsetSource built(trailer, originalLength);
    TrailerFooter footer;
    return ReadTrailerFooter(built, footer) && DecodeTrailerInto(built, footer, request, allocate);
}

}  // namespace img
