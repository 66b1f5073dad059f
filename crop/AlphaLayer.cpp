#include "crop/AlphaLayer.h"

#include "framework/gdi_scope.h"

CAlphaLayer::CAlphaLayer(CDC* pDC, int width, int height) : m_width(width), m_height(height) {
  if (width <= 0 || height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  if (m_bitmap.Attach(::CreateDIBSection(pDC->m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0)))
    m_bits = static_cast<uint8_t*>(bits);
}

void CAlphaLayer::BlendOnto(CDC* pDC, const CRect& destination) const {
  if (!IsReady()) return;
  CDC memDc;
  if (!memDc.CreateCompatibleDC(pDC)) return;
  SelectScope selected(memDc.GetSafeHdc(), m_bitmap.m_hObject);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::AlphaBlend(pDC->m_hDC, destination.left, destination.top, destination.Width(), destination.Height(), memDc.m_hDC,
               0, 0, m_width, m_height, blend);
}
