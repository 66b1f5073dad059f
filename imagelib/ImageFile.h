// Opening a picture file: the original part of the file (without a thumbnail
// trailer) and the first format reader, in the library's probe order, that
// accepts it. Also the size arithmetic of previews.
#ifndef SPAB_IMAGELIB_IMAGEFILE_H
#define SPAB_IMAGELIB_IMAGEFILE_H

#include <cstdint>
#include <memory>
#include <string>

#include "imagelib/ByteSource.h"
#include "imagelib/ImageDecoder.h"

namespace img {

// Probes protected JPEG, JPEG, BMP, PCX, TGA, PhotoCD and TIFF in this order;
// null when none accepts the data.
std::unique_ptr<ImageDecoder> OpenDecoder(ByteSource& source, ImageInfo& info);

class ImageFile {
public:
    // False when the file cannot be read or no format accepts it.
    bool Open(const std::string& path);
    const ImageInfo& Info() const { return info_; }
    ImageDecoder& Decoder() { return *decoder_; }
    FileSource& WholeFile() { return file_; }

private:
    FileSource file_;
    std::unique_ptr<SubSource> original_;
    std::unique_ptr<ImageDecoder> decoder_;
    ImageInfo info_;
};

// The first of 1, 2, 4, 8 at which longerSide / reduction <= target; 8 at most.
int32_t ChooseReduction(int32_t longerSide, int32_t target);

// The first power of two r at which both sides / r are at most maxSize.
int32_t ChooseTrailerReduction(int32_t width, int32_t height, int32_t maxSize);

// The size with the longer side `target` and the proportions kept (each side
// at least 1).
void FitLongerSide(int32_t width, int32_t height, int32_t target, int32_t& fitWidth, int32_t& fitHeight);

}  // namespace img

#endif
