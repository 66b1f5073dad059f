#include "ui/controls/ImageButton.h"

IMPLEMENT_DYNAMIC(CImageButton, CButton)

HBITMAP const CImageButton::greyedOut = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(-2));
HBITMAP const CImageButton::darkenedOut = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(-3));

namespace {
// Room between the picture, the caption and the edges of a button with both.
constexpr int kCaptionGap = 4;
}  // namespace

ImageButtonFace ChooseImageButtonFace(const ImageButtonState& s) {
  ImageButtonFace face{};
  if (s.hovered || s.pressed)
    face.background = ImageButtonFace::backIn;
  else if (s.focused)
    face.background = ImageButtonFace::backFocus;
  else
    face.background = ImageButtonFace::backOut;

  face.border = ImageButtonFace::borderNone;
  if (!s.flat)
    face.border = s.pressed ? ImageButtonFace::borderSunken : ImageButtonFace::borderRaised;
  else if (s.drawBorder && s.pressed)
    face.border = ImageButtonFace::borderSunken;
  else if (s.drawBorder && s.hovered)
    face.border = ImageButtonFace::borderRaised;

  // A check box shows its in picture while checked, hovered or not; a push
  // button also while the pointer is over it.
  BOOL wantIn = s.pressed || (s.hovered && !s.checkBox);
  face.picture = (wantIn || !s.hasOutPicture) ? ImageButtonFace::pictureIn : ImageButtonFace::pictureOut;
  face.offsetPicture = s.pressed && !s.checkBox;
  return face;
}

BEGIN_MESSAGE_MAP(CImageButton, CButton)
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSELEAVE()
  ON_WM_KILLFOCUS()
  ON_WM_CANCELMODE()
  ON_WM_ACTIVATE()
  ON_WM_ENABLE()
  ON_WM_SYSCOLORCHANGE()
  ON_WM_GETDLGCODE()
  ON_WM_SETCURSOR()
  ON_WM_CTLCOLOR_REFLECT()
  ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
  ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
  ON_MESSAGE(BM_GETCHECK, OnGetCheck)
  ON_MESSAGE(BM_SETCHECK, OnSetCheck)
END_MESSAGE_MAP()

CImageButton::CImageButton() { LoadSystemColours(); }

CImageButton::~CImageButton() {
  if (m_toolTip.m_hWnd) m_toolTip.DestroyWindow();
}

void CImageButton::LoadSystemColours() {
  m_colours[colourBackIn] = ::GetSysColor(COLOR_BTNFACE);
  m_colours[colourTextIn] = ::GetSysColor(COLOR_BTNTEXT);
  m_colours[colourBackOut] = ::GetSysColor(COLOR_BTNFACE);
  m_colours[colourTextOut] = ::GetSysColor(COLOR_BTNTEXT);
  m_colours[colourBackFocus] = ::GetSysColor(COLOR_BTNFACE);
  m_colours[colourTextFocus] = ::GetSysColor(COLOR_BTNTEXT);
}

void CImageButton::PreSubclassWindow() {
  UINT type = GetStyle() & BS_TYPEMASK;
  if ((type & BS_CHECKBOX) == BS_CHECKBOX) m_bIsCheckBox = TRUE;
  if (type == BS_DEFPUSHBUTTON) m_bIsDefault = TRUE;
  m_nTypeStyle = type;
  ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
  CButton::PreSubclassWindow();
}

int CImageButton::SetBitmaps(UINT nIDIn, COLORREF crInTransparent, UINT nIDOut, COLORREF crOutTransparent) {
  HINSTANCE hInst = AfxGetResourceHandle();
  HBITMAP hIn = static_cast<HBITMAP>(::LoadImageA(hInst, MAKEINTRESOURCEA(nIDIn), IMAGE_BITMAP, 0, 0, 0));
  HBITMAP hOut = nullptr;
  if (nIDOut != 0)
    hOut = static_cast<HBITMAP>(::LoadImageA(hInst, MAKEINTRESOURCEA(nIDOut), IMAGE_BITMAP, 0, 0, 0));
  return SetBitmaps(hIn, crInTransparent, hOut, crOutTransparent);
}

int CImageButton::SetBitmaps(HBITMAP hIn, COLORREF crInTransparent, HBITMAP hOut, COLORREF crOutTransparent) {
  m_out.Destroy();
  int result = bitmapsSet;
  if (hOut == greyedOut || hOut == darkenedOut) {
    // The copy is made from the in picture before its transparent colour is blackened.
    CMaskedBitmap::Variant variant = hOut == greyedOut ? CMaskedBitmap::greyed : CMaskedBitmap::darkened;
    result = m_out.CreateVariant(hIn, crInTransparent, variant);
  } else if (hOut) {
    result = m_out.Create(hOut, crOutTransparent);
  }
  if (result == bitmapsSet) {
    result = m_in.Create(hIn, crInTransparent);
  } else if (hIn) {
    ::DeleteObject(hIn);
  }
  if (result != bitmapsSet) {
    m_in.Destroy();
    m_out.Destroy();
  }
  if (m_hWnd) Repaint();
  return result;
}

void CImageButton::SetCheck(int nCheck, BOOL bRepaint) {
  if (!m_bIsCheckBox) return;
  m_nCheck = nCheck == 0 ? 0 : 1;
  if (bRepaint && m_hWnd) Repaint();
}

void CImageButton::SetButtonCursor(HCURSOR hAdopted) {
  if (hAdopted != m_cursor.get()) m_cursor.reset(hAdopted);
}

BOOL CImageButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (!m_cursor) return CButton::OnSetCursor(pWnd, nHitTest, message);
  ::SetCursor(m_cursor.get());
  return TRUE;
}

LRESULT CImageButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
  m_bIsDefault = (wParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  return CButton::DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
}

LRESULT CImageButton::OnGetCheck(WPARAM, LPARAM) { return m_nCheck; }

LRESULT CImageButton::OnSetCheck(WPARAM wParam, LPARAM) {
  if (m_bIsCheckBox) {
    m_nCheck = (wParam == BST_CHECKED || wParam == BST_INDETERMINATE) ? 1 : 0;
    Repaint();
  }
  return 0;
}

BOOL CImageButton::OnClicked() {
  if (m_bIsCheckBox) {
    m_nCheck = !m_nCheck;
    Repaint();
  }
  return FALSE;  // the parent hears the click too
}

UINT CImageButton::OnGetDlgCode() {
  UINT code = static_cast<UINT>(Default());
  return code | (m_bIsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

HBRUSH CImageButton::CtlColor(CDC*, UINT) { return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)); }

void CImageButton::OnSysColorChange() {
  CButton::OnSysColorChange();
  LoadSystemColours();
  Repaint();
}

void CImageButton::StopHover() {
  if (!m_bMouseOnButton) return;
  m_bMouseOnButton = FALSE;
  Repaint();
}

// The system turns the second of two quick clicks on a drawn button into a
// double click that no parent listens to; taken as a press, it clicks again
// (two quick presses on a zoom button zoom twice).
void CImageButton::OnLButtonDblClk(UINT nFlags, CPoint point) {
  DefWindowProc(WM_LBUTTONDOWN, nFlags, MAKELPARAM(point.x, point.y));
}

void CImageButton::OnMouseMove(UINT nFlags, CPoint point) {
  CButton::OnMouseMove(nFlags, point);
  if (!m_bIsFlat) return;
  CPoint screen(point);
  ClientToScreen(&screen);
  HWND under = ::WindowFromPoint(screen);
  CWnd* top = GetTopLevelParent();
  BOOL parentActive = top && ::GetActiveWindow() == top->m_hWnd;
  if (under == m_hWnd && (m_bAlwaysTrack || parentActive)) {
    // A drag that began elsewhere does not light the button up.
    if (m_bMouseOnButton || (nFlags & MK_LBUTTON)) return;
    m_bMouseOnButton = TRUE;
    Repaint();
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&tme);
  } else {
    StopHover();
  }
}

void CImageButton::OnMouseLeave() {
  CButton::OnMouseLeave();
  StopHover();
}

void CImageButton::OnKillFocus(CWnd* pNewWnd) {
  CButton::OnKillFocus(pNewWnd);
  StopHover();
}

void CImageButton::OnCancelMode() {
  CButton::OnCancelMode();
  // Disabling a window cancels its mode first and then takes its focus away,
  // before it says it is disabled: remember who held the focus here.
  m_bFocusedAtCancel = ::GetFocus() == m_hWnd;
  StopHover();
}

void CImageButton::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) {
  CButton::OnActivate(nState, pWndOther, bMinimized);
  if (nState == WA_INACTIVE) StopHover();
}

void CImageButton::OnEnable(BOOL bEnable) {
  CButton::OnEnable(bEnable);
  if (bEnable) return;
  // Only a button that held the focus passes it on to the next control;
  // taking it from the control the user is working in would be a surprise.
  const BOOL hadFocus = ::GetFocus() == m_hWnd || m_bFocusedAtCancel;
  m_bFocusedAtCancel = FALSE;
  CWnd* parent = GetParent();
  if (parent && hadFocus) parent->SendMessage(WM_NEXTDLGCTL, 0, 0);
  StopHover();
}

BOOL CImageButton::PreTranslateMessage(MSG* pMsg) {
  if (!m_toolTip.m_hWnd && m_toolTip.Create(this)) {
    m_toolTip.Activate(TRUE);
    m_toolTip.SetMaxTipWidth(400);
  }
  if (m_toolTip.m_hWnd) m_toolTip.RelayEvent(pMsg);
  return CButton::PreTranslateMessage(pMsg);
}

void CImageButton::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  m_bIsPressed = (lpDIS->itemState & ODS_SELECTED) || (m_bIsCheckBox && m_nCheck);
  m_bIsFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
  m_bIsDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;

  CRect itemRect(lpDIS->rcItem);
  int saved = pDC->SaveDC();
  pDC->SetBkMode(TRANSPARENT);
  if (!m_bIsFlat && (m_bIsPressed || m_bIsDefault)) {
    CBrush black(RGB(0, 0, 0));
    pDC->FrameRect(&itemRect, &black);
    itemRect.DeflateRect(1, 1);
  }
  DrawBackground(pDC, &itemRect);
  DrawBorder(pDC, &itemRect);

  CString caption;
  GetWindowText(caption);
  CRect captionRect(lpDIS->rcItem);
  DrawIcon(pDC, !caption.IsEmpty(), itemRect, &captionRect, m_bIsPressed, m_bIsDisabled);
  DrawBitmap(pDC, !caption.IsEmpty(), itemRect, &captionRect, m_bIsPressed, m_bIsDisabled);
  if (!caption.IsEmpty()) DrawCaption(pDC, captionRect, m_bIsDisabled);

  if (m_bIsFocused && (!m_bIsFlat || m_bDrawFlatFocus)) {
    CRect focusRect(itemRect);
    focusRect.DeflateRect(3, 3);
    pDC->DrawFocusRect(&focusRect);
  }
  pDC->RestoreDC(saved);
}

void CImageButton::DrawBackground(CDC* pDC, CRect* pRect) {
  ImageButtonState state{m_bIsPressed, m_bMouseOnButton, m_bIsFocused, m_bIsCheckBox,
                         m_bIsFlat,    m_bDrawBorder,    !m_out.IsEmpty()};
  switch (ChooseImageButtonFace(state).background) {
    case ImageButtonFace::backIn: pDC->FillSolidRect(pRect, m_colours[colourBackIn]); break;
    case ImageButtonFace::backFocus: pDC->FillSolidRect(pRect, m_colours[colourBackFocus]); break;
    case ImageButtonFace::backOut: pDC->FillSolidRect(pRect, m_colours[colourBackOut]); break;
  }
}

void CImageButton::DrawBorder(CDC* pDC, CRect* pRect) {
  ImageButtonState state{m_bIsPressed, m_bMouseOnButton, m_bIsFocused, m_bIsCheckBox,
                         m_bIsFlat,    m_bDrawBorder,    !m_out.IsEmpty()};
  ImageButtonFace::Border border = ChooseImageButtonFace(state).border;
  if (border == ImageButtonFace::borderNone) return;
  if (!m_bIsFlat) {
    pDC->DrawEdge(pRect, border == ImageButtonFace::borderSunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    return;
  }
  COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
  if (border == ImageButtonFace::borderRaised)
    pDC->Draw3dRect(pRect, light, shadow);
  else
    pDC->Draw3dRect(pRect, shadow, light);
}

void CImageButton::DrawIcon(CDC*, BOOL, const CRect&, CRect*, BOOL, BOOL) {}

void CImageButton::DrawBitmap(CDC* pDC, BOOL bHasCaption, const CRect& itemRect, CRect* pCaptionRect,
                              BOOL bPressed, BOOL bDisabled) {
  ImageButtonState state{bPressed, m_bMouseOnButton, m_bIsFocused, m_bIsCheckBox,
                         m_bIsFlat, m_bDrawBorder,   !m_out.IsEmpty()};
  ImageButtonFace face = ChooseImageButtonFace(state);
  const CMaskedBitmap& picture = face.picture == ImageButtonFace::pictureIn ? m_in : m_out;
  CSize size = picture.GetSize();
  CPoint at;
  if (bHasCaption) {
    // The picture at the left, the caption in the room to its right.
    at = CPoint(itemRect.left + kCaptionGap, itemRect.top + (itemRect.Height() - size.cy) / 2);
    pCaptionRect->SetRect(at.x + size.cx + kCaptionGap, itemRect.top, itemRect.right - kCaptionGap, itemRect.bottom);
  } else {
    at = CPoint(itemRect.left + (itemRect.Width() - size.cx) / 2, itemRect.top + (itemRect.Height() - size.cy) / 2);
  }
  if (face.offsetPicture) {
    at.Offset(m_ptPressedOffset.x, m_ptPressedOffset.y);
    pCaptionRect->OffsetRect(m_ptPressedOffset.x, m_ptPressedOffset.y);
  }
  picture.Draw(pDC, at, bDisabled);
}

void CImageButton::DrawCaption(CDC* pDC, const CRect& captionRect, BOOL bDisabled) {
  CString caption;
  GetWindowText(caption);
  BOOL lit = m_bMouseOnButton || m_bIsPressed;
  pDC->SetTextColor(bDisabled ? ::GetSysColor(COLOR_GRAYTEXT) : m_colours[lit ? colourTextIn : colourTextOut]);
  CRect r(captionRect);
  pDC->DrawText(caption, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
