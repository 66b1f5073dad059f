#include "imagelib/ImgBitmap.h"

#include <vfw.h>

namespace {

// Owns a DrawDib context.
class DrawDibContext {
public:
    DrawDibContext() : handle_(DrawDibOpen()) {}
    ~DrawDibContext() {
        if (handle_) DrawDibClose(handle_);
    }
    DrawDibContext(const DrawDibContext&) = delete;
    DrawDibContext& operator=(const DrawDibContext&) = delete;
    HDRAWDIB Get() const { return handle_; }

private:
    HDRAWDIB handle_;
};

}  // namespace

BITMAPINFOHEADER CImgBitmap::MakeInfoHeader() const {
    BITMAPINFOHEADER h = {};
    h.biSize = sizeof h;
    h.biWidth = image_->width;
    // The header's row order: bottom-up for the library's own images.
    h.biHeight = image_->origin == IPL_ORIGIN_BL ? image_->height : -image_->height;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(image_->nChannels * 8);
    h.biCompression = BI_RGB;
    h.biSizeImage = static_cast<DWORD>(image_->imageSize);
    return h;
}

int CImgBitmap::Draw(HDC dc, int xDst, int yDst, int wDst, int hDst, int xSrc, int ySrc, int wSrc, int hSrc,
                     DWORD rop) {
    if (!image_ || !dc) return 0;
    BITMAPINFOHEADER header = MakeInfoHeader();
    const bool printer = GetDeviceCaps(dc, TECHNOLOGY) == DT_RASPRINTER;
    if (!printer) {
        DrawDibContext drawDib;
        if (drawDib.Get()) {
            UINT flags = (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) ? DDF_HALFTONE : 0;
            return DrawDibDraw(drawDib.Get(), dc, xDst, yDst, wDst, hDst, &header, image_->imageData, xSrc, ySrc,
                               wSrc, hSrc, flags);
        }
    }
    // StretchDIBits counts a bottom-up DIB's source rows from the bottom.
    const int dibY = header.biHeight > 0 ? image_->height - (ySrc + hSrc) : ySrc;
    return StretchDIBits(dc, xDst, yDst, wDst, hDst, xSrc, dibY, wSrc, hSrc, image_->imageData,
                         reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, rop);
}
