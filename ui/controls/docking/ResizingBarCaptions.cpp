#include "ui/controls/docking/ResizingBarCaptions.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CResizingBarG, CResizingBar)
IMPLEMENT_DYNAMIC(CResizingBarCF, CResizingBarG)

BEGIN_MESSAGE_MAP(CResizingBarG, CResizingBar)
  ON_WM_NCHITTEST()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CResizingBarCF, CResizingBarG)
  ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

namespace {
bool IsDockedID(UINT id) { return id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM; }
bool StripAtLeft(UINT id) { return id == AFX_IDW_DOCKBAR_TOP || id == AFX_IDW_DOCKBAR_BOTTOM; }

int CALLBACK FoundFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM lParam) {
  *reinterpret_cast<bool*>(lParam) = true;
  return 0;
}
}  // namespace

// --- CResizingBarG ---------------------------------------------------------------------

void CResizingBarG::NcCalcClient(LPRECT pRc, UINT nDockBarID) {
  CRect window(pRc);
  CResizingBar::NcCalcClient(pRc, nDockBarID);
  m_rcStrip.SetRectEmpty();
  m_close.rect.SetRectEmpty();
  if (!IsDockedID(nDockBarID) || !HasGripper()) return;
  CRect rc(pRc);
  if (StripAtLeft(nDockBarID)) {
    m_rcStrip = CRect(rc.left, rc.top, rc.left + m_cyGripper, rc.bottom);
    rc.left += m_cyGripper;
    m_close.rect = CRect(m_rcStrip.left, m_rcStrip.top, m_rcStrip.left + kButtonSize, m_rcStrip.top + kButtonSize);
  } else {
    m_rcStrip = CRect(rc.left, rc.top, rc.right, rc.top + m_cyGripper);
    rc.top += m_cyGripper;
    m_close.rect = CRect(m_rcStrip.right - kButtonSize, m_rcStrip.top, m_rcStrip.right, m_rcStrip.top + kButtonSize);
  }
  // Kept relative to the window.
  m_rcStrip.OffsetRect(-window.left, -window.top);
  m_close.rect.OffsetRect(-window.left, -window.top);
  *pRc = rc;
}

LRESULT CResizingBarG::OnNcHitTest(CPoint point) {
  CRect r;
  GetWindowRect(&r);
  if (HasStrip() && IsDockedID(m_nDockBarID) && m_close.Contains(r, point)) return HTCLOSE;
  return CResizingBar::OnNcHitTest(point);
}

bool CResizingBarG::StripButton::Contains(const CRect& rcWindow, CPoint point) const {
  CRect onScreen = rect;
  onScreen.OffsetRect(rcWindow.left, rcWindow.top);
  return !rect.IsRectEmpty() && onScreen.PtInRect(point);
}

bool CResizingBarG::StripButton::Follow(const CRect& rcWindow, CPoint pointer, bool leftDown) {
  bool over = Contains(rcWindow, pointer);
  bool newHover = over && !leftDown;
  bool newPushed = over && leftDown;
  bool changed = newHover != hover || newPushed != pushed;
  hover = newHover;
  pushed = newPushed;
  return changed;
}

CPoint CResizingBarG::PointerPos() const {
  CPoint pt;
  ::GetCursorPos(&pt);
  return pt;
}

bool CResizingBarG::LeftButtonDown() const { return ::GetKeyState(VK_LBUTTON) < 0; }

void CResizingBarG::OnUpdateCmdUI(CFrameWnd*, BOOL) {
  CRect r;
  GetWindowRect(&r);
  if (m_close.Follow(r, PointerPos(), LeftButtonDown())) SendMessage(WM_NCPAINT);
}

void CResizingBarG::DrawCloseButton(CDC* pDC) const {
  if (m_close.rect.IsRectEmpty()) return;
  CRect r = m_close.rect;
  UINT state = DFCS_CAPTIONCLOSE | DFCS_FLAT;
  if (m_close.pushed) state |= DFCS_PUSHED;
  if (m_close.hover) state |= DFCS_HOT;
  ::DrawFrameControl(pDC->m_hDC, &r, DFC_CAPTION, state);
}

void CResizingBarG::NcPaintGripper(CDC* pDC, const CRect&) {
  if (!HasStrip()) return;
  COLORREF hi = ::GetSysColor(COLOR_BTNHIGHLIGHT), lo = ::GetSysColor(COLOR_BTNSHADOW);
  CRect grip = m_rcStrip;
  // Two raised lines along the strip, beside the close button.
  if (grip.Height() > grip.Width()) {
    grip.top = m_close.rect.bottom + 3;
    int x = grip.left + (grip.Width() - 7) / 2;
    pDC->Draw3dRect(x, grip.top, 3, grip.Height(), hi, lo);
    pDC->Draw3dRect(x + 4, grip.top, 3, grip.Height(), hi, lo);
  } else {
    grip.right = m_close.rect.left - 3;
    int y = grip.top + (grip.Height() - 7) / 2;
    pDC->Draw3dRect(grip.left, y, grip.Width(), 3, hi, lo);
    pDC->Draw3dRect(grip.left, y + 4, grip.Width(), 3, hi, lo);
  }
  DrawCloseButton(pDC);
}

// --- CResizingBarCF -----------------------------------------------------------------------

CResizingBarCF::CResizingBarCF() {
  CString face = CaptionFaceName();
  LOGFONTA lf{};
  lf.lfHeight = -10;
  lf.lfWeight = FW_BOLD;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
  m_font.CreateFontIndirect(&lf);
  lf.lfEscapement = lf.lfOrientation = 900;
  m_fontVert.CreateFontIndirect(&lf);
}

CString CResizingBarCF::CaptionFaceName() {
  bool found = false;
  HDC hDC = ::GetDC(nullptr);
  LOGFONTA lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
  ::EnumFontFamiliesExA(hDC, &lf, FoundFamily, reinterpret_cast<LPARAM>(&found), 0);
  ::ReleaseDC(nullptr, hDC);
  return found ? "Tahoma" : "Arial";
}

void CResizingBarCF::PaintCaption(CDC* pDC, const CRect& strip, bool vertical) const {
  BOOL bGradient = FALSE;
  ::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &bGradient, 0);
  COLORREF c1 = ::GetSysColor(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  COLORREF c2 = ::GetSysColor(m_bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
  if (!bGradient) {
    pDC->FillSolidRect(&strip, c1);
    return;
  }
  // 64 steps from the first colour to the second, along the strip.
  const int steps = 64;
  int length = vertical ? strip.Height() : strip.Width();
  for (int i = 0; i < steps; ++i) {
    int a = length * i / steps, b = length * (i + 1) / steps;
    if (b <= a) continue;
    // A vertical strip runs from its bottom (where its text starts) upwards.
    COLORREF c = RGB(GetRValue(c1) + (GetRValue(c2) - GetRValue(c1)) * i / (steps - 1),
                     GetGValue(c1) + (GetGValue(c2) - GetGValue(c1)) * i / (steps - 1),
                     GetBValue(c1) + (GetBValue(c2) - GetBValue(c1)) * i / (steps - 1));
    if (vertical)
      pDC->FillSolidRect(strip.left, strip.bottom - b, strip.Width(), b - a, c);
    else
      pDC->FillSolidRect(strip.left + a, strip.top, b - a, strip.Height(), c);
  }
}

void CResizingBarCF::NcPaintGripper(CDC* pDC, const CRect&) {
  if (!HasStrip()) return;
  bool vertical = m_rcStrip.Height() > m_rcStrip.Width();
  CRect caption = m_rcStrip;
  PaintCaption(pDC, caption, vertical);
  CString title;
  GetWindowText(title);
  int oldMode = pDC->SetBkMode(TRANSPARENT);
  COLORREF oldColour = pDC->SetTextColor(::GetSysColor(m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  CFont* oldFont = pDC->SelectObject(const_cast<CFont*>(vertical ? &m_fontVert : &m_font));
  if (vertical) {
    // Turned text runs upwards from the strip's bottom, clear of the buttons.
    CRect clip(caption.left, m_close.rect.bottom + 2, caption.right, caption.bottom);
    pDC->ExtTextOut(caption.left, caption.bottom - 3, ETO_CLIPPED, &clip, title, title.GetLength(), nullptr);
  } else {
    CRect text(caption.left + 3, caption.top, m_close.rect.left - 2, caption.bottom);
    pDC->DrawText(title, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  }
  pDC->SelectObject(oldFont);
  pDC->SetTextColor(oldColour);
  pDC->SetBkMode(oldMode);
  DrawCloseButton(pDC);
}

void CResizingBarCF::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  HWND hFocus = ::GetFocus();
  BOOL bActive = hFocus && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
  if (bActive != m_bActive) {
    m_bActive = bActive;
    SendMessage(WM_NCPAINT);
  }
  CResizingBarG::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

LRESULT CResizingBarCF::OnSetText(WPARAM, LPARAM) {
  LRESULT result = Default();
  SendMessage(WM_NCPAINT);
  // A floating frame shows the title too.
  if (IsFloating()) {
    if (CFrameWnd* pFrame = GetParentFrame()) pFrame->DelayRecalcLayout();
  }
  return result;
}
