#pragma once
// The system's menu font (non-client metrics), bold for default items and
// turned to run downwards for items marked 0x8000, owned by the object.
#include <windows.h>

class MenuFont {
 public:
  explicit MenuFont(bool bold = false, bool downwards = false) {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    LOGFONTA lf = ncm.lfMenuFont;
    if (bold) lf.lfWeight = FW_BOLD;
    if (downwards) lf.lfEscapement = lf.lfOrientation = -900;
    m_hFont = ::CreateFontIndirectA(&lf);
  }
  ~MenuFont() {
    if (m_hFont) ::DeleteObject(m_hFont);
  }
  MenuFont(const MenuFont&) = delete;
  MenuFont& operator=(const MenuFont&) = delete;
  operator HFONT() const { return m_hFont; }

 private:
  HFONT m_hFont;
};

// The library's own item-state bit: the text of a menu-bar item runs downwards.
const UINT kOdsVertical = 0x8000;
