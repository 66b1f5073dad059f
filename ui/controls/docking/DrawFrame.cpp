#include "ui/controls/docking/DrawFrame.h"

#include <algorithm>

#include "ui/controls/docking/AutoHideBar.h"
#include "ui/controls/docking/PinDockBar.h"
#include "ui/controls/docking/ResizingBarCaptions.h"

IMPLEMENT_DYNAMIC(CDrawFrame, CWnd)

BEGIN_MESSAGE_MAP(CDrawFrame, CWnd)
  ON_MESSAGE(WM_DRAWFRAME_SLIDEOUT, OnSlideOut)
  ON_MESSAGE(WM_DRAWFRAME_HIDE, OnHideFrame)
  ON_MESSAGE(WM_DRAWFRAME_RESTORE, OnRestore)
  ON_WM_TIMER()
  ON_WM_NCACTIVATE()
  ON_WM_NCHITTEST()
  ON_WM_NCCALCSIZE()
  ON_WM_NCPAINT()
  ON_WM_NCMOUSEMOVE()
  ON_WM_NCLBUTTONUP()
  ON_WM_ERASEBKGND()
  ON_WM_SIZE()
END_MESSAGE_MAP()

void DrawPinButton(CDC* pDC, const CRect& box, bool pinned, bool hover, bool pushed) {
  COLORREF ink = ::GetSysColor(COLOR_BTNTEXT);
  if (hover || pushed)
    pDC->Draw3dRect(&box, ::GetSysColor(pushed ? COLOR_BTNSHADOW : COLOR_BTNHIGHLIGHT),
                    ::GetSysColor(pushed ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW));
  int cx = box.left + box.Width() / 2, cy = box.top + box.Height() / 2;
  if (pinned) {
    // Upright: head, collar, needle.
    pDC->FillSolidRect(cx - 2, box.top + 2, 4, 4, ink);
    pDC->FillSolidRect(cx - 3, box.top + 6, 7, 1, ink);
    pDC->FillSolidRect(cx, box.top + 7, 1, 3, ink);
  } else {
    // Lying: needle to the left.
    pDC->FillSolidRect(box.right - 6, cy - 2, 4, 4, ink);
    pDC->FillSolidRect(box.right - 7, cy - 3, 1, 7, ink);
    pDC->FillSolidRect(box.left + 1, cy, box.Width() - 8, 1, ink);
  }
}

CDrawFrame::CDrawFrame(CAutoHideBar* pStrip) : m_pStrip(pStrip) {
  LOGFONTA lf{};
  lf.lfHeight = -10;
  lf.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(lf.lfFaceName, CResizingBarCF::CaptionFaceName(), LF_FACESIZE);
  m_font.CreateFontIndirect(&lf);
}

CDrawFrame::~CDrawFrame() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CDrawFrame::Create(CWnd* pContent, LPCSTR lpszTitle, const CRect& rect) {
  m_pContent = pContent;
  LPCSTR cls = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
  CWnd* pOwner = m_pStrip ? m_pStrip->GetTopLevelParent() : nullptr;
  if (!CreateEx(0, cls, lpszTitle, WS_POPUP | WS_BORDER | WS_THICKFRAME, rect.left, rect.top, rect.Width(),
                rect.Height(), SafeHwnd(pOwner), nullptr))
    return FALSE;
  if (pContent && pContent->m_hWnd) {
    pContent->SetParent(this);
    CRect client;
    GetClientRect(&client);
    pContent->MoveWindow(&client);
    pContent->ShowWindow(SW_SHOWNA);
  }
  return TRUE;
}

void CDrawFrame::DestroyDeferred() {
  if (m_hWnd) KillTimer(kSlideTimer);
  if (m_nDispatch > 0) {
    // One of this pop-up's own handlers is running: it goes when that returns.
    m_bDestroyPending = TRUE;
    if (m_hWnd) ShowWindow(SW_HIDE);
    return;
  }
  if (m_hWnd) DestroyWindow();
  delete this;
}

LRESULT CDrawFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  ++m_nDispatch;
  LRESULT result = CWnd::WindowProc(message, wParam, lParam);
  if (--m_nDispatch == 0 && m_bDestroyPending) {
    m_bDestroyPending = FALSE;
    if (m_hWnd) DestroyWindow();
    delete this;
  }
  return result;
}

void CDrawFrame::PostNcDestroy() {}  // the tab owns this object

// --- Sliding out and hiding ---------------------------------------------------------------

CRect CDrawFrame::PlaceBesideStrip() const {
  CRect strip;
  m_pStrip->GetWindowRect(&strip);
  int depth = std::max(std::min(m_nDepth, kMaxDepth), DepthNeeded());
  switch (m_pStrip->GetSide()) {
    case CAutoHideBar::kTop: return CRect(strip.left, strip.bottom, strip.right, strip.bottom + depth);
    case CAutoHideBar::kLeft: return CRect(strip.right, strip.top, strip.right + depth, strip.bottom);
    case CAutoHideBar::kRight: return CRect(strip.left - depth, strip.top, strip.left, strip.bottom);
    default: return CRect(strip.left, strip.top - depth, strip.right, strip.top);
  }
}

int CDrawFrame::DepthNeeded() const {
  auto* pBar = reinterpret_cast<CPinDockBar*>(m_pStrip->GetTabData(m_pContent));
  const BOOL horizontal = m_pStrip->IsHorizontal();
  const int content = pBar ? pBar->GetSlideOutDepth(horizontal) : 0;
  if (content <= 0 || !m_hWnd) return 0;
  // With the caption and the borders around it.
  CRect window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  return content + (horizontal ? window.Height() - client.Height() : window.Width() - client.Width());
}

void CDrawFrame::FitBesideStrip() {
  CRect r = PlaceBesideStrip();
  m_bSliding = TRUE;
  SetWindowPos(&wndTop, r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE);
  m_bSliding = FALSE;
}

LRESULT CDrawFrame::OnSlideOut(WPARAM, LPARAM) {
  if (IsWindowVisible()) return 0;
  FitBesideStrip();
  SetTimer(kSlideTimer, 100);
  ShowWindow(SW_SHOW);
  SetFocus();
  return 0;
}

void CDrawFrame::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kSlideTimer) {
    Default();
    return;
  }
  KillTimer(kSlideTimer);
  FitBesideStrip();
  SetTimer(kSlideTimer, 100);
}

void CDrawFrame::HideFrame() {
  KillTimer(kSlideTimer);  // no slide runs while hidden
  ShowWindow(SW_HIDE);
}

LRESULT CDrawFrame::OnHideFrame(WPARAM, LPARAM) {
  HideFrame();
  return 0;
}

BOOL CDrawFrame::OnNcActivate(BOOL bActive) {
  if (!bActive) PostMessage(WM_DRAWFRAME_HIDE);
  m_bActive = bActive;
  BOOL result = static_cast<BOOL>(Default());
  SendMessage(WM_NCPAINT, 1);  // the caption follows
  return result;
}

LRESULT CDrawFrame::OnRestore(WPARAM, LPARAM) {
  DWORD_PTR owner = m_pStrip ? m_pStrip->GetTabData(m_pContent) : 0;
  // The bar takes its content back; this pop-up goes once this handler returns.
  if (auto* pBar = reinterpret_cast<CPinDockBar*>(owner)) pBar->RemoveFromAutoHideBar(m_pStrip, m_pContent);
  return 0;
}

// --- Non-client area: caption with the pin, one sizing edge -----------------------------------

void CDrawFrame::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
  CRect window(lpncsp->rgrc[0]);
  Default();
  CRect& client = *reinterpret_cast<CRect*>(&lpncsp->rgrc[0]);
  CRect caption(client.left, client.top, client.right, client.top + m_cyCaption);
  client.top = std::min(client.bottom, client.top + m_cyCaption);
  m_rcPin = CRect(caption.right - 12, caption.top, caption.right - 1, caption.top + 11);
  m_rcPin.OffsetRect(-window.left, -window.top);
}

LRESULT CDrawFrame::OnNcHitTest(CPoint point) {
  CRect window;
  GetWindowRect(&window);
  CRect pin = m_rcPin;
  pin.OffsetRect(window.left, window.top);
  if (pin.PtInRect(point)) return HTPIN;
  LRESULT hit = Default();
  // Only the edge away from the strip sizes the pop-up.
  static const LRESULT kAway[] = {HTBOTTOM, HTRIGHT, HTLEFT, HTTOP};
  LRESULT away = kAway[m_pStrip ? m_pStrip->GetSide() : 0];
  return hit == away ? hit : HTNOWHERE;
}

void CDrawFrame::OnNcPaint() {
  Default();
  CWindowDC dc(this);
  CRect window;
  GetWindowRect(&window);
  // The caption runs along the top of the client area.
  CRect client;
  GetClientRect(&client);
  ClientToScreen(&client);
  client.OffsetRect(-window.left, -window.top);
  CRect caption(client.left, client.top - m_cyCaption, client.right, client.top);
  dc.FillSolidRect(&caption, ::GetSysColor(m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
  CString title;
  GetWindowText(title);
  CFont* oldFont = dc.SelectObject(&m_font);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(::GetSysColor(m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  CRect text(caption.left + 2, caption.top, m_rcPin.left - 1, caption.bottom);
  dc.DrawText(title, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  dc.SelectObject(oldFont);
  DrawPinButton(&dc, m_rcPin, false, m_bPinHover != FALSE, false);
}

void CDrawFrame::OnNcMouseMove(UINT nHitTest, CPoint) {
  BOOL bHover = nHitTest == HTPIN;
  if (bHover != m_bPinHover) {
    m_bPinHover = bHover;
    SendMessage(WM_NCPAINT);
  }
  Default();
}

void CDrawFrame::OnNcLButtonUp(UINT nHitTest, CPoint) {
  if (nHitTest == HTPIN) {
    PostMessage(WM_DRAWFRAME_RESTORE);
    return;
  }
  Default();
}

// --- Client area ------------------------------------------------------------------------------

BOOL CDrawFrame::OnEraseBkgnd(CDC* pDC) {
  CRect r;
  GetClientRect(&r);
  pDC->FillSolidRect(&r, RGB(255, 255, 255));
  return TRUE;
}

void CDrawFrame::OnSize(UINT nType, int cx, int cy) {
  Default();
  if (m_pContent && m_pContent->m_hWnd && ::GetParent(m_pContent->m_hWnd) == m_hWnd)
    m_pContent->MoveWindow(0, 0, cx, cy);
  if (m_bSliding || nType == SIZE_MINIMIZED || !m_pStrip) return;
  // The user's size across the strip is the depth from now on.
  CRect window;
  GetWindowRect(&window);
  m_nDepth = m_pStrip->IsHorizontal() ? window.Height() : window.Width();
}
