#pragma once
// A memory device context with a font selected, for measuring and drawing
// text into bitmaps; both are given back on every exit path.
#include "framework/gdi_scope.h"

class FontContext {
public:
    explicit FontContext(HFONT font) : m_select(m_dc, font) {}
    FontContext(const FontContext&) = delete;
    FontContext& operator=(const FontContext&) = delete;
    HDC Get() const { return m_dc; }

private:
    MemoryDC m_dc;  // made first, given back last
    SelectScope m_select;
};
