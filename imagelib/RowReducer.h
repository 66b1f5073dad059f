// Shrinks a picture by an integer factor while it is being decoded: rows of
// the full picture come in one at a time and each block of reduction x
// reduction pixels is averaged into one output pixel. So a large picture is
// never held whole.
#ifndef SPAB_IMAGELIB_ROWREDUCER_H
#define SPAB_IMAGELIB_ROWREDUCER_H

#include <cstdint>
#include <vector>

#include "imagelib/Raster.h"

namespace img {

class RowReducer {
public:
    // out must be ReducedSide(srcWidth) x ReducedSide(srcHeight).
    RowReducer(const Raster& out, int32_t srcWidth, int32_t srcHeight, int32_t reduction);

    // One full-size row of BGRA pixels, y counted from the top. Rows come in
    // ascending or descending order (bottom-up files go upwards). Output rows
    // whose source rows never come keep their previous contents.
    void PutRow(int32_t y, const uint8_t* bgra);
    // Writes the last block row; call once after the last PutRow.
    void Finish();

private:
    void Flush();

    Raster out_;
    int32_t srcWidth_;
    int32_t srcHeight_;
    int32_t reduction_;
    int32_t pendingRow_ = -1;  // output row being accumulated
    int32_t pendingCount_ = 0; // source rows summed into it
    std::vector<uint32_t> sums_;
};

// Writes one BGRA row into a raster row of 3 or 4 channels.
void StoreBgraRow(const uint8_t* bgra, int32_t width, uint8_t* dst, int32_t channels);

}  // namespace img

#endif
