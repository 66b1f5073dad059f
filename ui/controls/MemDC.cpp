#include "ui/controls/MemDC.h"

namespace {
bool IsPrinter(CDC* pDC) {
  const int technology = pDC->GetDeviceCaps(TECHNOLOGY);
  return technology == DT_RASPRINTER || technology == DT_PLOTTER;
}
}  // namespace

CMemDC::CMemDC(CDC* pDC, const CRect* pRect, bool copyBackground) : m_pTarget(pDC) {
  if (pRect)
    m_rect = *pRect;
  else
    pDC->GetClipBox(&m_rect);

  if (IsPrinter(pDC) || m_rect.IsRectEmpty() || !CreateCompatibleDC(pDC) ||
      !m_bitmap.CreateCompatibleBitmap(pDC, m_rect.Width(), m_rect.Height())) {
    // Drawing goes straight to the target; the handle stays the target's.
    if (m_hDC) DeleteDC();
    m_hDC = m_hAttribDC = pDC->m_hDC;
    return;
  }
  m_offScreen = true;
  m_oldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
  // The painter keeps the target's coordinates.
  SetWindowOrg(m_rect.left, m_rect.top);
  if (copyBackground)
    ::BitBlt(m_hDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), pDC->m_hDC, m_rect.left,
             m_rect.top, SRCCOPY);
  else
    FillSolidRect(&m_rect, pDC->GetBkColor());
}

CMemDC::~CMemDC() {
  if (!m_offScreen) {
    m_hDC = m_hAttribDC = nullptr;  // the target's own handle: not ours to delete
    return;
  }
  ::BitBlt(m_pTarget->m_hDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left,
           m_rect.top, SRCCOPY);
  ::SelectObject(m_hDC, m_oldBitmap);
}
