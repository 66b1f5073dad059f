#include "ui/controls/MaskedBitmap.h"

#include <cstring>
#include <vector>

#include "framework/gdi_scope.h"

namespace {
// Dest AND NOT source: with a monochrome source white where the picture is
// transparent, those pixels of the colour destination become black.
constexpr DWORD kDestAndNotSource = 0x00220326;

// Text and background colours of a DC, put back when the owner goes.
class DcColours {
 public:
  DcColours(CDC& dc, COLORREF text, COLORREF back)
      : m_dc(dc), m_oldText(dc.SetTextColor(text)), m_oldBack(dc.SetBkColor(back)) {}
  ~DcColours() {
    m_dc.SetTextColor(m_oldText);
    m_dc.SetBkColor(m_oldBack);
  }
  DcColours(const DcColours&) = delete;
  DcColours& operator=(const DcColours&) = delete;

 private:
  CDC& m_dc;
  COLORREF m_oldText, m_oldBack;
};

COLORREF variantColour(COLORREF c, CMaskedBitmap::Variant variant) {
  int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  if (variant == CMaskedBitmap::greyed) {
    int l = (r * 30 + g * 59 + b * 11) / 100;
    return RGB(l, l, l);
  }
  return RGB(r * 3 / 4, g * 3 / 4, b * 3 / 4);
}
}  // namespace

void CMaskedBitmap::Destroy() {
  m_image.DeleteObject();
  m_mask.DeleteObject();
  m_size = CSize(0, 0);
}

CMaskedBitmap::Result CMaskedBitmap::Create(HBITMAP hAdopted, COLORREF transparent) {
  Destroy();
  if (!hAdopted) return noSize;
  m_image.Attach(hAdopted);
  BITMAP bm{};
  if (!m_image.GetBitmap(&bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) {
    Destroy();
    return noSize;
  }
  if (!m_mask.CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr)) {
    Destroy();
    return noMask;
  }
  CDC imageDc, maskDc;
  if (!imageDc.CreateCompatibleDC(nullptr) || !maskDc.CreateCompatibleDC(nullptr)) {
    Destroy();
    return noMask;
  }
  {
    SelectScope image(imageDc.GetSafeHdc(), GetImage());
    SelectScope mask(maskDc.GetSafeHdc(), m_mask.m_hObject);
    // Colour to monochrome: pixels of the background colour become white.
    imageDc.SetBkColor(transparent);
    maskDc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &imageDc, 0, 0, SRCCOPY);
    // Monochrome to colour maps white to the background and black to the text
    // colour of the destination.
    DcColours colours(imageDc, RGB(0, 0, 0), RGB(255, 255, 255));
    imageDc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &maskDc, 0, 0, kDestAndNotSource);
  }
  m_size = CSize(bm.bmWidth, bm.bmHeight);
  return ok;
}

CMaskedBitmap::Result CMaskedBitmap::CreateVariant(HBITMAP hSource, COLORREF transparent, Variant variant) {
  Destroy();
  BITMAP bm{};
  if (!hSource || !::GetObjectA(hSource, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    return noSize;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = bm.bmWidth;
  info.bmiHeader.biHeight = -bm.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> pixels(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
  CDC screen;
  if (!screen.CreateCompatibleDC(nullptr)) return noSize;
  if (::GetDIBits(screen.m_hDC, hSource, 0, static_cast<UINT>(bm.bmHeight), pixels.data(), &info,
                  DIB_RGB_COLORS) == 0)
    return noSize;
  for (RGBQUAD& p : pixels) {
    COLORREF c = RGB(p.rgbRed, p.rgbGreen, p.rgbBlue);
    if (c == transparent) continue;
    COLORREF v = variantColour(c, variant);
    p.rgbRed = GetRValue(v);
    p.rgbGreen = GetGValue(v);
    p.rgbBlue = GetBValue(v);
  }
  void* bits = nullptr;
  HBITMAP hCopy = ::CreateDIBSection(screen.m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!hCopy) return noSize;
  memcpy(bits, pixels.data(), pixels.size() * sizeof(RGBQUAD));
  return Create(hCopy, transparent);
}

void CMaskedBitmap::Draw(CDC* pDC, CPoint pt, BOOL bDisabled) const {
  if (IsEmpty()) return;
  if (bDisabled) {
    pDC->DrawState(pt, m_size, GetImage(), DST_BITMAP | DSS_DISABLED);
    return;
  }
  CDC memDc;
  if (!memDc.CreateCompatibleDC(pDC)) return;
  DcColours colours(*pDC, RGB(0, 0, 0), RGB(255, 255, 255));
  {
    SelectScope mask(memDc.GetSafeHdc(), m_mask.m_hObject);
    pDC->BitBlt(pt.x, pt.y, m_size.cx, m_size.cy, &memDc, 0, 0, SRCAND);
  }
  SelectScope image(memDc.GetSafeHdc(), GetImage());
  pDC->BitBlt(pt.x, pt.y, m_size.cx, m_size.cy, &memDc, 0, 0, SRCPAINT);
}
