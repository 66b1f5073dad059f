#pragma once
// Owners of the GDI handles the rendering code borrows while it builds
// meshes and textures, so every exit path gives them back.
#include <windows.h>

// A font, bitmap or other GDI object, deleted with the owner. Declare it
// before any FontContext that selects it: the context must let go first.
class GdiObject {
public:
    explicit GdiObject(HGDIOBJ adopted) : m_object(adopted) {}
    ~GdiObject()
    {
        if (m_object)
            DeleteObject(m_object);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    HGDIOBJ Get() const { return m_object; }

private:
    HGDIOBJ m_object;
};

// A window's client-area device context, released with the owner.
class WindowDc {
public:
    explicit WindowDc(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDc()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// The screen's device context, released with the owner.
class ScreenDc : public WindowDc {
public:
    ScreenDc() : WindowDc(nullptr) {}
};

// A memory device context with a font selected, both put back on exit.
class FontContext {
public:
    explicit FontContext(HFONT font) : m_dc(CreateCompatibleDC(nullptr))
    {
        if (m_dc && font)
            m_old = SelectObject(m_dc, font);
    }
    ~FontContext()
    {
        if (!m_dc)
            return;
        if (m_old)
            SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    FontContext(const FontContext&) = delete;
    FontContext& operator=(const FontContext&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
};
