// A device-independent bitmap loaded from the program's bitmap resources.
#ifndef SPAB_IMAGELIB_DIB_H
#define SPAB_IMAGELIB_DIB_H

#include <windows.h>

#include <cstdint>
#include <vector>

class CDib {
public:
    // False when the resource is missing or not a usable bitmap; the object
    // is then empty.
    bool LoadResource(UINT id, HINSTANCE instance);
    // Width and height; (0, 0) when empty.
    SIZE GetDimensions() const;
    // Blits the source rectangle (counted from the bitmap's top-left) onto the
    // destination rectangle; the result of StretchDIBits, 0 when empty.
    int Draw(HDC dc, const RECT& destination, const RECT& source, DWORD rop = SRCCOPY) const;

private:
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(packed_.data()); }

    std::vector<uint8_t> packed_;  // header, colour table, pixels
    size_t bitsOffset_ = 0;
};

#endif
