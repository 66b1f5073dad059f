#include "imagelib/Dib.h"

#include <cstdlib>
#include <cstring>

bool CDib::LoadResource(UINT id, HINSTANCE instance) {
    packed_.clear();
    bitsOffset_ = 0;
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!found) return false;
    const DWORD size = SizeofResource(instance, found);
    HGLOBAL loaded = ::LoadResource(instance, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data || size < sizeof(BITMAPINFOHEADER)) return false;
    const auto* bytes = static_cast<const uint8_t*>(data);
    BITMAPINFOHEADER h;
    std::memcpy(&h, bytes, sizeof h);
    // The height is bounded before its magnitude is taken: -2^31 has none.
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > size || h.biWidth <= 0 || h.biHeight == 0 ||
        h.biWidth > 16384 || h.biHeight < -16384 || h.biHeight > 16384 || h.biPlanes != 1)
        return false;
    if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return false;
    const WORD bits = h.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    size_t colours = h.biClrUsed ? h.biClrUsed : (bits <= 8 ? (1u << bits) : 0);
    if (colours > 256) return false;
    size_t masks = h.biCompression == BI_BITFIELDS && h.biSize == sizeof(BITMAPINFOHEADER) ? 3 : 0;
    const size_t offset = h.biSize + (colours + masks) * 4;
    const size_t stride = ((static_cast<size_t>(h.biWidth) * bits + 31) / 32) * 4;
    if (offset + stride * static_cast<size_t>(std::abs(h.biHeight)) > size) return false;
    packed_.assign(bytes, bytes + size);
    bitsOffset_ = offset;
    return true;
}

SIZE CDib::GetDimensions() const {
    SIZE s = {0, 0};
    if (!packed_.empty()) {
        s.cx = Info()->bmiHeader.biWidth;
        s.cy = std::abs(Info()->bmiHeader.biHeight);
    }
    return s;
}

int CDib::Draw(HDC dc, const RECT& destination, const RECT& source, DWORD rop) const {
    if (packed_.empty() || !dc) return 0;
    const LONG height = Info()->bmiHeader.biHeight;
    const int srcH = source.bottom - source.top;
    // StretchDIBits counts a bottom-up DIB's source rows from the bottom.
    const int dibY = height > 0 ? static_cast<int>(height) - source.bottom : source.top;
    return StretchDIBits(dc, destination.left, destination.top, destination.right - destination.left,
                         destination.bottom - destination.top, source.left, dibY, source.right - source.left, srcH,
                         packed_.data() + bitsOffset_, Info(), DIB_RGB_COLORS, rop);
}
