#pragma once
// Level 0 of a texture locked for writing, unlocked when the owner goes.
#include <d3d9.h>

class TextureLock {
public:
    explicit TextureLock(IDirect3DTexture9* texture) : m_texture(texture)
    {
        if (m_texture && FAILED(m_texture->LockRect(0, &m_rect, nullptr, 0)))
            m_texture = nullptr;
    }
    ~TextureLock()
    {
        if (m_texture)
            m_texture->UnlockRect(0);
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
    D3DLOCKED_RECT m_rect{};
};
