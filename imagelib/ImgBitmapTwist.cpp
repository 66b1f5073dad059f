#include <algorithm>
#include <cmath>

#include "imagelib/ImgBitmap.h"

// Kept apart from the rest of the picture object: only callers that recolour
// pictures need the image processing library's colour twist.

namespace {

int32_t ToFixed24(float v) {
    double scaled = std::round(static_cast<double>(v) * 16777216.0);
    return static_cast<int32_t>(std::clamp(scaled, -2147483648.0, 2147483647.0));
}

// A whole or region-of-interest rectangle in memory rows (offsets count from
// the image's origin, which is its first row in memory).
struct Rect {
    int32_t x, y, w, h;
};

Rect RoiRect(const IplImage* image) {
    if (image->roi) return {image->roi->xOffset, image->roi->yOffset, image->roi->width, image->roi->height};
    return {0, 0, image->width, image->height};
}

}  // namespace

int CImgBitmap::ApplyColorTwist(const float m[16], CImgBitmap* destination) {
    if (!image_ || !m || !destination || !destination->image_) return 0;
    // A twist with no number in it has no fixed-point form: refused, not guessed.
    if (!std::all_of(m, m + 16, [](float v) { return std::isfinite(v); })) return 0;
    int32_t data[16];
    for (int i = 0; i < 16; ++i) data[i] = ToFixed24(m[i]);
    IplColorTwist* twist = iplCreateColorTwist(data, 24);
    if (!twist) return 0;
    IplImage* dst = destination->image_;
    iplApplyColorTwist(image_, dst, twist, 0);
    iplDeleteColorTwist(twist);
    if (image_->alphaChannel != 0 && dst->alphaChannel != 0) {
        // The twist leaves alpha alone; carry it over from the same rectangle.
        const Rect s = RoiRect(image_), d = RoiRect(dst);
        const int32_t w = std::min(s.w, d.w), h = std::min(s.h, d.h);
        for (int32_t j = 0; j < h; ++j) {
            const unsigned char* from = image_->imageData + static_cast<ptrdiff_t>(s.y + j) * image_->widthStep;
            unsigned char* to = dst->imageData + static_cast<ptrdiff_t>(d.y + j) * dst->widthStep;
            for (int32_t i = 0; i < w; ++i) to[(d.x + i) * 4 + 3] = from[(s.x + i) * 4 + 3];
        }
    }
    return 1;
}

