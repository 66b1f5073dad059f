#pragma once
// A layer of premultiplied 32-bit pixels (rows top-down) that is blended over
// a device context with its own per-pixel alpha, as the pane shows pictures
// with alpha and the selection's haze.
#include <cstdint>

#include "framework/framework.h"

class CAlphaLayer {
 public:
  // Nothing is drawn when the layer cannot be made (IsReady false).
  CAlphaLayer(CDC* pDC, int width, int height);
  bool IsReady() const { return m_bits != nullptr; }
  // Blue, green, red and alpha of each pixel of row y, premultiplied.
  uint8_t* Row(int y) { return m_bits + static_cast<size_t>(y) * static_cast<size_t>(m_width) * 4; }
  // Source-over onto the DC, stretched to the destination.
  void BlendOnto(CDC* pDC, const CRect& destination) const;

 private:
  int m_width, m_height;
  uint8_t* m_bits = nullptr;
  CBitmap m_bitmap;
};
