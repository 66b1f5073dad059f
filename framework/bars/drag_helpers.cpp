#include "framework/bars/drag_helpers.h"

CHalftoneBrush::CHalftoneBrush() {
  WORD pattern[8];
  for (int i = 0; i < 8; ++i) pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
  HBITMAP hbm = ::CreateBitmap(8, 8, 1, 1, pattern);
  if (hbm) {
    m_hBrush = ::CreatePatternBrush(hbm);
    ::DeleteObject(hbm);
  }
}

CHalftoneBrush::~CHalftoneBrush() {
  if (m_hBrush) ::DeleteObject(m_hBrush);
}

RECT DragStillRect(POINT press) {
  const int cx = ::GetSystemMetrics(SM_CXDRAG), cy = ::GetSystemMetrics(SM_CYDRAG);
  return RECT{press.x - cx, press.y - cy, press.x + cx + 1, press.y + cy + 1};
}

void AfxInvertHalftone(HDC hDC, const RECT& r, int frameWidth) {
  CHalftoneBrush brush;
  HGDIOBJ old = ::SelectObject(hDC, brush.Get());
  int w = r.right - r.left, h = r.bottom - r.top;
  if (frameWidth <= 0 || 2 * frameWidth >= w || 2 * frameWidth >= h) {
    ::PatBlt(hDC, r.left, r.top, w, h, PATINVERT);
  } else {
    ::PatBlt(hDC, r.left, r.top, w, frameWidth, PATINVERT);
    ::PatBlt(hDC, r.left, r.bottom - frameWidth, w, frameWidth, PATINVERT);
    ::PatBlt(hDC, r.left, r.top + frameWidth, frameWidth, h - 2 * frameWidth, PATINVERT);
    ::PatBlt(hDC, r.right - frameWidth, r.top + frameWidth, frameWidth, h - 2 * frameWidth, PATINVERT);
  }
  ::SelectObject(hDC, old);
}
