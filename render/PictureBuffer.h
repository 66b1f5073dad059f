#pragma once
// The picture a quad's tiles are filled from: 8-bit BGRA pixels, rows
// top-down, as the textures want them.
#include <cstdint>
#include <vector>

class PictureBuffer {
public:
    bool Create(int32_t width, int32_t height, uint8_t fill);
    void Clear();
    bool IsValid() const { return m_width > 0 && m_height > 0; }
    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }
    int32_t GetPitch() const { return m_width * 4; }
    uint8_t* Row(int32_t y) { return m_pixels.data() + static_cast<size_t>(y) * GetPitch(); }
    const uint8_t* Row(int32_t y) const
    {
        return m_pixels.data() + static_cast<size_t>(y) * GetPitch();
    }
    uint8_t* Data() { return m_pixels.data(); }

private:
    int32_t m_width = 0;
    int32_t m_height = 0;
    std::vector<uint8_t> m_pixels;
};
