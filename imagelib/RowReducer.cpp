#include "imagelib/RowReducer.h"

#include <algorithm>

namespace img {

void StoreBgraRow(const uint8_t* bgra, int32_t width, uint8_t* dst, int32_t channels) {
    if (channels == 4) {
        std::copy(bgra, bgra + static_cast<size_t>(width) * 4, dst);
        return;
    }
    for (int32_t x = 0; x < width; ++x, bgra += 4, dst += 3) {
        dst[0] = bgra[0];
        dst[1] = bgra[1];
        dst[2] = bgra[2];
    }
}

RowReducer::RowReducer(const Raster& out, int32_t srcWidth, int32_t srcHeight, int32_t reduction)
    : out_(out), srcWidth_(srcWidth), srcHeight_(srcHeight), reduction_(reduction) {
    if (reduction_ > 1) sums_.assign(static_cast<size_t>(out_.width) * 4, 0);
}

void RowReducer::PutRow(int32_t y, const uint8_t* bgra) {
    if (y < 0 || y >= srcHeight_) return;
    if (reduction_ == 1) {
        StoreBgraRow(bgra, out_.width, out_.Row(y), out_.channels);
        return;
    }
    int32_t row = y / reduction_;
    if (row != pendingRow_) {
        Flush();
        pendingRow_ = row;
    }
    ++pendingCount_;
    for (int32_t x = 0; x < srcWidth_; ++x) {
        uint32_t* sum = &sums_[static_cast<size_t>(x / reduction_) * 4];
        const uint8_t* p = bgra + static_cast<size_t>(x) * 4;
        sum[0] += p[0];
        sum[1] += p[1];
        sum[2] += p[2];
        sum[3] += p[3];
    }
}

void RowReducer::Finish() { Flush(); }

void RowReducer::Flush() {
    if (pendingRow_ < 0 || pendingCount_ == 0) return;
    uint8_t* dst = out_.Row(pendingRow_);
    for (int32_t ox = 0; ox < out_.width; ++ox) {
        int32_t columns = std::min(reduction_, srcWidth_ - ox * reduction_);
        uint32_t count = static_cast<uint32_t>(columns) * static_cast<uint32_t>(pendingCount_);
        uint32_t* sum = &sums_[static_cast<size_t>(ox) * 4];
        for (int32_t c = 0; c < out_.channels; ++c) {
            dst[c] = static_cast<uint8_t>((sum[c] + count / 2) / count);
        }
        dst += out_.channels;
        std::fill(sum, sum + 4, 0u);
    }
    pendingRow_ = -1;
    pendingCount_ = 0;
}

}  // namespace img
