#include "render/TextureImage.h"

#include <cstring>

TextureImage::TextureImage(IDirect3DTexture9* texture, int width, int height)
    : m_lock(texture), m_height(height)
{
    if (!m_lock.IsLocked() || !m_image.Create(width, height, true, false, 0, m_lock.Bits()))
        return;
    // The driver chooses the row pitch; the header must walk the rows by it.
    IplImage* header = m_image.GetIplImage();
    const int pitch = m_lock.Pitch();
    header->widthStep = pitch;
    header->imageSize = pitch * height;
    header->align = pitch == ((width * 4 + 7) & ~7) ? IPL_ALIGN_QWORD : IPL_ALIGN_DWORD;
    m_valid = true;
}

void TextureImage::Clear()
{
    if (m_valid)
        std::memset(m_lock.Bits(), 0, static_cast<size_t>(m_lock.Pitch()) * m_height);
}
