// The image library's picture: an IplImage header over 8-bit BGR or BGRA
// pixels in a DIB section (rows bottom-up, padded to 4 bytes), 1 to 16384
// pixels a side, or over pixels a caller owns. Operations answer 1 (true) on
// success and 0 on failure and never throw.
#ifndef SPAB_IMAGELIB_IMGBITMAP_H
#define SPAB_IMAGELIB_IMGBITMAP_H

#include <windows.h>

#include "imagelib/Raster.h"
#include "ipl/ipl.h"

// File formats of Save.
constexpr int IMG_FORMAT_JPEG = 2;
constexpr int IMG_FORMAT_TIFF = 4;
constexpr int IMG_FORMAT_PROTECTED_JPEG = 7;

class CImgBitmap {
public:
    CImgBitmap() = default;
    ~CImgBitmap();
    CImgBitmap(const CImgBitmap&) = delete;
    CImgBitmap& operator=(const CImgBitmap&) = delete;

    // With externalPixels the image uses the caller's memory (rows of
    // width x channels bytes padded to 4) and never frees it.
    int Create(int width, int height, bool alpha, bool fill = false, int fillValue = 0,
               void* externalPixels = nullptr);
    void Destroy();

    // alphaMode 0: three channels; 1: four when the file has alpha; 2: always
    // four (255 where the file has none). reduction 1, 2, 4 or 8. whole: fails
    // when the decoder went on past damage in the data (see
    // ImageDecoder::Complained); otherwise such a picture loads and
    // WasDamaged says so.
    int Load(const char* path, int alphaMode, int reduction, bool whole = false);
    // whole: the picture itself is decoded, never a thumbnail trailer, and
    // damage fails the load as for Load.
    int LoadPreview(const char* path, int alphaMode, bool useThumbnail, int maxSize, bool fit, bool whole = false);
    bool WasDamaged() const { return damaged_; }
    // format IMG_FORMAT_JPEG, IMG_FORMAT_TIFF or IMG_FORMAT_PROTECTED_JPEG;
    // quality 1..100; flags are accepted and not used.
    int Save(const char* path, int format, int flags, int quality) const;

    bool IsValid() const { return image_ != nullptr; }
    int GetWidth() const { return image_ ? image_->width : 0; }
    int GetHeight() const { return image_ ? image_->height : 0; }
    IplImage* GetIplImage() const { return image_; }
    int GetAlphaChannel() const { return image_ ? image_->alphaChannel : 0; }

    // Region of interest clamped to the image; 0 when empty or nothing is left.
    int SetROI(int coi, int x, int y, int w, int h);
    // The whole image with channel of interest coi (0 all, 1 to 4 one).
    void SelectChannel(int coi);

    // m: 4 x 4, row by row, acting on (B, G, R, 1) column vectors; 0 when an
    // entry is not a finite number.
    int ApplyColorTwist(const float m[16], CImgBitmap* destination);
    int ApplyColorTwist(const float m[4][4], CImgBitmap* destination) { return ApplyColorTwist(&m[0][0], destination); }

    // A memory device context with the DIB selected; reference counted.
    HDC GetDC();
    void ReleaseDC(bool force = false);

    // On printers StretchDIBits, on screens DrawDibDraw (StretchDIBits when
    // DrawDib cannot be opened). The source rectangle counts from the top-left
    // of the picture. Answers the drawing call's result, 0 when empty.
    int Draw(HDC dc, int xDst, int yDst, int wDst, int hDst, int xSrc, int ySrc, int wSrc, int hSrc,
             DWORD rop = SRCCOPY);

    // The pixels as a raster (top row first), for the library's codecs.
    img::Raster GetRaster() const;

private:
    BITMAPINFOHEADER MakeInfoHeader() const;

    IplImage* image_ = nullptr;
    HBITMAP dib_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    int dcReferences_ = 0;
    bool damaged_ = false;  // of the last load
};

#endif
