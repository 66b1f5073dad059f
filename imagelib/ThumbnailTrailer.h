// The thumbnail trailer: a small preview appended to the user's own image file
// the first time it is shown, so later previews need not decode the whole
// picture again. Readers of the original format ignore what follows their data
// (the readers here see only the original length).
//
//   [original file: L bytes][colour JPEG: C bytes][alpha JPEG: A bytes][footer: 48 bytes]
//
// The colour stream is a 3-component JPEG (quality 90) of the preview; the
// optional alpha stream is a 1-component JPEG of its alpha channel (A = 0 when
// the preview has none). Footer, all integers little-endian:
//
//   offset  size  content
//   0       8     L, the length of the original file
//   8       4     C
//   12      4     A
//   16      4     preview width
//   20      4     preview height
//   24      4     flags: bit 0 set when an alpha stream is present
//   28      4     checksum of the original (FNV-1a over L as 8 little-endian
//                 bytes, the first 64 KiB and the last 64 KiB of the original)
//   32      4     footer version, 1
//   36      4     0
//   40      8     magic "SPABTHMB"
//
// A trailer counts only when L + C + A + 48 is the file's size and the
// checksum matches the original bytes. Programs that change a picture rewrite
// the file (the trailer is gone) or at least its header; a picture changed in
// place that way is not shown with its old preview. A trailer whose lengths
// add up but whose checksum fails is stale: the original still ends at L.
#ifndef SPAB_IMAGELIB_THUMBNAILTRAILER_H
#define SPAB_IMAGELIB_THUMBNAILTRAILER_H

#include <cstdint>
#include <string>
#include <vector>

#include "imagelib/ByteSource.h"
#include "imagelib/Raster.h"

namespace img {

constexpr uint32_t kTrailerFooterSize = 48;
constexpr int32_t kTrailerQuality = 90;

struct TrailerFooter {
    uint64_t originalLength = 0;
    uint32_t colourLength = 0;
    uint32_t alphaLength = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t checksum = 0;
};

// The footer at the end of `source` when its lengths add up (not yet checked
// against the original's checksum).
bool ReadTrailerFooter(ByteSource& source, TrailerFooter& footer);

uint32_t OriginalChecksum(ByteSource& source, uint64_t originalLength);

// The footer of a trailer that is valid for this file.
bool FindValidTrailer(ByteSource& source, TrailerFooter& footer);

// The length of the picture data the format readers may see: the file size
// less every trailer (valid or stale) at its end.
uint64_t OriginalLength(ByteSource& source);

// Encodes a trailer for a preview (3 or 4 channels) of a file whose current
// contents are `file`; the result is to be appended to it.
bool BuildTrailer(const Raster& preview, ByteSource& file, std::vector<uint8_t>& trailer);

// Decodes the preview of a trailer held in `trailerFile` (positioned by
// `footer`) at 1/reduction into target (alpha from the alpha stream when
// target has 4 channels; 255 without one).
bool DecodeTrailer(ByteSource& trailerFile, const TrailerFooter& footer, const Raster& target, int32_t reduction);

// Appends bytes to a file whose length is still expectedLength; false when it
// cannot be written (read-only, a CD) or another writer got there first.
bool AppendToFile(const std::string& path, const std::vector<uint8_t>& bytes, uint64_t expectedLength);

}  // namespace img

#endif
