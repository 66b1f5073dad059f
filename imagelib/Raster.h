// A view of 8-bit BGR or BGRA pixels that decoders write into. It does not own
// the pixels: the caller (a DIB section, a test buffer) does.
#ifndef SPAB_IMAGELIB_RASTER_H
#define SPAB_IMAGELIB_RASTER_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace img {

// Largest side the library accepts; a 16384 x 16384 BGRA picture is already
// 1 GiB, the most a 32-bit process could hope to hold.
constexpr int32_t kMaxSide = 16384;

struct ImageInfo {
    int32_t width = 0;
    int32_t height = 0;
    bool hasAlpha = false;
};

inline bool IsValidSide(int64_t side) { return side >= 1 && side <= kMaxSide; }

// Size of one side decoded at 1/reduction (partial blocks count as a pixel).
inline int32_t ReducedSide(int32_t side, int32_t reduction) {
    return (side + reduction - 1) / reduction;
}

struct Raster {
    int32_t width = 0;
    int32_t height = 0;
    int32_t channels = 3;    // 3 = BGR, 4 = BGRA
    uint8_t* top = nullptr;  // first byte of the top row
    ptrdiff_t step = 0;      // bytes from a row to the one below it (negative when bottom-up)

    uint8_t* Row(int32_t y) const { return top + static_cast<ptrdiff_t>(y) * step; }
};

// A raster with its own top-down pixels, rows padded to 4 bytes like the
// library's images, for temporary pictures and tests.
class OwnedRaster {
public:
    OwnedRaster() = default;
    OwnedRaster(int32_t width, int32_t height, int32_t channels) { Reset(width, height, channels); }

    void Reset(int32_t width, int32_t height, int32_t channels) {
        const ptrdiff_t step = (static_cast<ptrdiff_t>(width) * channels + 3) & ~ptrdiff_t{3};
        pixels_.assign(static_cast<size_t>(step) * static_cast<size_t>(height), 0);
        view_.width = width;
        view_.height = height;
        view_.channels = channels;
        view_.step = step;
        view_.top = pixels_.data();
    }
    const Raster& View() const { return view_; }
    std::vector<uint8_t>& Pixels() { return pixels_; }

private:
    std::vector<uint8_t> pixels_;
    Raster view_;
};

}  // namespace img

#endif
