#pragma once
// One level of a texture locked (level 0 for writing unless told otherwise),
// unlocked when the owner goes.
#include <d3d9.h>

class TextureLock {
public:
    explicit TextureLock(IDirect3DTexture9* texture, UINT level = 0, DWORD flags = 0)
        : m_texture(texture), m_level(level)
    {
        if (m_texture && FAILED(m_texture->LockRect(m_level, &m_rect, nullptr, flags)))
            m_texture = nullptr;
    }
    ~TextureLock()
    {
        if (m_texture)
            m_texture->UnlockRect(m_level);
    }
    TextureLock(const TextureLock&) = delete;
    TextureLock& operator=(const TextureLock&) = delete;

    bool IsLocked() const { return m_texture != nullptr; }
    unsigned char* Row(int y) const
    {
        return static_cast<unsigned char*>(m_rect.pBits) + static_cast<size_t>(y) * m_rect.Pitch;
    }
    int Pitch() const { return m_rect.Pitch; }
    void* Bits() const { return m_rect.pBits; }

private:
    IDirect3DTexture9* m_texture;
    UINT m_level;
    D3DLOCKED_RECT m_rect{};
};
