#include "render/PictureBuffer.h"

bool PictureBuffer::Create(int32_t width, int32_t height, uint8_t fill)
{
    Clear();
    // The image library's limit; it also keeps the byte count in range.
    if (width < 1 || height < 1 || width > 16384 || height > 16384)
        return false;
    m_pixels.assign(static_cast<size_t>(width) * height * 4, fill);
    m_width = width;
    m_height = height;
    return true;
}

void PictureBuffer::Clear()
{
    m_pixels.clear();
    m_pixels.shrink_to_fit();
    m_width = m_height = 0;
}
