// The pixels of a picture object as a test picture.
#pragma once

#include "TestPictures.h"
#include "imagelib/ImgBitmap.h"

namespace imgtest {

// Top row first, 255 alpha for 3-channel images.
inline Picture PictureOf(const CImgBitmap& image) {
    Picture p;
    img::Raster r = image.GetRaster();
    p.width = r.width;
    p.height = r.height;
    p.hasAlpha = r.channels == 4;
    p.bgra.assign(static_cast<size_t>(r.width) * r.height * 4, 255);
    for (int32_t y = 0; y < r.height; ++y)
        for (int32_t x = 0; x < r.width; ++x)
            for (int c = 0; c < r.channels; ++c) p.At(x, y)[c] = r.Row(y)[x * r.channels + c];
    return p;
}

}  // namespace imgtest
