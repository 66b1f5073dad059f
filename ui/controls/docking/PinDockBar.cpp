#include "ui/controls/docking/PinDockBar.h"

IMPLEMENT_DYNAMIC(CPinDockBar, CResizingBarCF)

BEGIN_MESSAGE_MAP(CPinDockBar, CResizingBarCF)
  ON_WM_NCHITTEST()
  ON_WM_NCLBUTTONUP()
END_MESSAGE_MAP()

CPinDockBar::~CPinDockBar() { CAutoHideBar::ForgetUserValue(reinterpret_cast<DWORD_PTR>(this)); }

void CPinDockBar::NcCalcClient(LPRECT pRc, UINT nDockBarID) {
  CResizingBarCF::NcCalcClient(pRc, nDockBarID);
  m_pin.rect.SetRectEmpty();
  if (!HasStrip()) return;
  // Beside the close button, further along the strip.
  m_pin.rect = m_close.rect;
  if (m_rcStrip.Height() > m_rcStrip.Width())
    m_pin.rect.OffsetRect(0, kButtonSize + 2);
  else
    m_pin.rect.OffsetRect(-(kButtonSize + 2), 0);
}

void CPinDockBar::NcPaintGripper(CDC* pDC, const CRect& rcClient) {
  CResizingBarCF::NcPaintGripper(pDC, rcClient);
  if (!m_pin.rect.IsRectEmpty()) {
    pDC->FillSolidRect(&m_pin.rect, ::GetSysColor(COLOR_BTNFACE));
    DrawPinButton(pDC, m_pin.rect, true, m_pin.hover, m_pin.pushed);
  }
}

LRESULT CPinDockBar::OnNcHitTest(CPoint point) {
  CRect r;
  GetWindowRect(&r);
  if (HasStrip() && m_pin.Contains(r, point)) return HTPIN;
  return CResizingBarCF::OnNcHitTest(point);
}

void CPinDockBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  CRect r;
  GetWindowRect(&r);
  if (m_pin.Follow(r, PointerPos(), LeftButtonDown())) SendMessage(WM_NCPAINT);
  CResizingBarCF::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

void CPinDockBar::OnNcLButtonUp(UINT nHitTest, CPoint point) {
  if (nHitTest == HTPIN && TakePressedButton(nHitTest) && !IsFloating() && m_pDockSite)
    m_pDockSite->PostMessage(WM_PINBAR_AUTOHIDE, 0, reinterpret_cast<LPARAM>(this));
  CResizingBarCF::OnNcLButtonUp(nHitTest, point);
}
