#include "ui/menus/draw/SkinMemDC.h"

CSkinMemDC::CSkinMemDC(const RECT& rect, HDC hTarget) : m_rect(rect), m_hTarget(hTarget) {
  int w = rect.right - rect.left, h = rect.bottom - rect.top;
  HDC hMem = ::CreateCompatibleDC(hTarget);
  m_hBitmap = hMem && w > 0 && h > 0 ? ::CreateCompatibleBitmap(hTarget, w, h) : nullptr;
  if (!m_hBitmap) {
    // Nothing to paint into: the painter draws on the target itself.
    if (hMem) ::DeleteDC(hMem);
    Attach(hTarget);
    m_bNoCopyBack = TRUE;
    return;
  }
  Attach(hMem);
  m_hOldBitmap = ::SelectObject(hMem, m_hBitmap);
  ::SetWindowOrgEx(hMem, rect.left, rect.top, nullptr);
  ::SelectObject(hMem, ::GetCurrentObject(hTarget, OBJ_FONT));
}

CSkinMemDC::~CSkinMemDC() {
  if (!m_hBitmap) {
    Detach();
    return;
  }
  if (!m_bNoCopyBack)
    ::BitBlt(m_hTarget, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, m_hDC,
             m_rect.left, m_rect.top, SRCCOPY);
  ::SelectObject(m_hDC, ::GetStockObject(SYSTEM_FONT));
  ::SelectObject(m_hDC, m_hOldBitmap);
  ::DeleteObject(m_hBitmap);
  ::DeleteDC(Detach());
}
