#include "crop/ImagePane.h"

#include <algorithm>
#include <vector>

#include "crop/AlphaLayer.h"
#include "framework/gdi_scope.h"
#include "imagelib/ImgBitmap.h"

IMPLEMENT_DYNAMIC(CImagePane, CStatic)

BEGIN_MESSAGE_MAP(CImagePane, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
END_MESSAGE_MAP()

void CImagePane::PreSubclassWindow() {
  // Without it a static control lets every click through to its parent.
  ModifyStyle(0, SS_NOTIFY);
  CStatic::PreSubclassWindow();
}

void CImagePane::SetImage(CImgBitmap* pImage, BOOL bRedraw) {
  m_pImage = pImage;
  if (bRedraw && m_hWnd) Invalidate();
}

void CImagePane::SetBackgroundColour(COLORREF colour, BOOL bRedraw) {
  m_background = colour;
  if (bRedraw && m_hWnd) Invalidate();
}

void CImagePane::SetScroll(int x, int y, BOOL bRedraw) {
  m_scrollX = x;
  m_scrollY = y;
  if (bRedraw && m_hWnd) Invalidate();
}

void CImagePane::SetOpaqueDrawing(BOOL bOpaque) {
  bOpaque = bOpaque ? TRUE : FALSE;
  if (bOpaque == m_bOpaque) return;
  m_bOpaque = bOpaque;
  if (m_hWnd && m_pImage && m_pImage->GetAlphaChannel()) Invalidate();
}

CRect CImagePane::ViewRectFor(float zoom) const {
  CRect r(0, 0, 0, 0);
  if (m_hWnd) GetClientRect(&r);
  if (zoom > 1.0f && m_bScrollBars) {
    r.right = std::max(r.left, r.right - kBarSize);
    r.bottom = std::max(r.top, r.bottom - kBarSize);
  }
  return r;
}

CRect CImagePane::GetViewRect() const { return ViewRectFor(m_zoom); }

PaneFit CImagePane::GetFit() const {
  if (!m_pImage || !m_pImage->IsValid()) return PaneFit{};
  CRect view = GetViewRect();
  return FitPicture(m_pImage->GetWidth(), m_pImage->GetHeight(), view.Width(), view.Height(), m_zoom);
}

BOOL CImagePane::CanZoom(float zoom) const {
  CRect view = ViewRectFor(zoom);
  if (!m_pImage || !m_pImage->IsValid()) return zoom > 0.0f && zoom <= kMaxPaneZoom;
  return IsUsableZoom(m_pImage->GetWidth(), m_pImage->GetHeight(), view.Width(), view.Height(), zoom);
}

CRect CImagePane::SetZoom(float zoom, BOOL bRedraw) {
  if (!CanZoom(zoom)) return GetViewRect();
  CRect oldView = GetViewRect();
  PaneFit oldFit = GetFit();
  CRect view = ViewRectFor(zoom);
  PaneFit fit;
  if (m_pImage && m_pImage->IsValid()) {
    fit = FitPicture(m_pImage->GetWidth(), m_pImage->GetHeight(), view.Width(), view.Height(), zoom);
    CPoint scroll = ScrollAfterZoom(oldFit, oldView.Size(), GetScroll(), fit, view.Size());
    m_scrollX = scroll.x;
    m_scrollY = scroll.y;
  } else {
    m_scrollX = m_scrollY = 0;
  }
  m_zoom = zoom;
  UpdateBars(fit, view);
  if (bRedraw && m_hWnd) Invalidate();
  return view;
}

void CImagePane::UpdateBars(const PaneFit& fit, const CRect& view) {
  if (!m_vertical.m_hWnd) return;
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
  // Positions run from 0 to the zoomed size less the view: the picture's end
  // meets the view's end at the last one.
  info.nMax = std::max(0, fit.zoomedHeight - 1);
  info.nPage = static_cast<UINT>(std::max(0, view.Height()));
  info.nPos = m_scrollY;
  m_vertical.SetScrollInfo(&info);
  info.nMax = std::max(0, fit.zoomedWidth - 1);
  info.nPage = static_cast<UINT>(std::max(0, view.Width()));
  info.nPos = m_scrollX;
  m_horizontal.SetScrollInfo(&info);
  int show = (m_bScrollBars && m_zoom > 1.0f) ? SW_SHOW : SW_HIDE;
  m_vertical.ShowWindow(show);
  m_horizontal.ShowWindow(show);
  m_sizeBox.ShowWindow(show);
}

BOOL CImagePane::EnableScrollBars(BOOL bEnable) {
  BOOL ready = !bEnable || m_vertical.m_hWnd || CreateScrollBars();
  m_bScrollBars = bEnable && ready;
  SetZoom(m_zoom, FALSE);
  return ready;
}

BOOL CImagePane::CreateScrollBars() {
  if (!m_hWnd) return FALSE;
  CRect client;
  GetClientRect(&client);
  const CRect vertical(client.right - kBarSize, 0, client.right, client.bottom - kBarSize);
  const CRect horizontal(0, client.bottom - kBarSize, client.right - kBarSize, client.bottom);
  const CRect corner(client.right - kBarSize, client.bottom - kBarSize, client.right, client.bottom);
  if (m_vertical.Create(WS_CHILD | SBS_VERT, vertical, this, idVerticalBar) &&
      m_horizontal.Create(WS_CHILD | SBS_HORZ, horizontal, this, idHorizontalBar) &&
      m_sizeBox.Create(WS_CHILD | WS_DISABLED | SBS_SIZEBOX, corner, this, idSizeBox))
    return TRUE;
  for (CScrollBar* bar : {&m_vertical, &m_horizontal, &m_sizeBox})
    if (bar->m_hWnd) bar->DestroyWindow();
  return FALSE;
}

void CImagePane::Scroll(UINT nSBCode, CScrollBar* pScrollBar) {
  if (!pScrollBar) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  ::GetScrollInfo(pScrollBar->m_hWnd, SB_CTL, &info);
  // The bar keeps 32-bit positions; the message's own is 16 bits.
  int maxPos = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
  BOOL vertical = pScrollBar->m_hWnd == m_vertical.m_hWnd;
  int& offset = vertical ? m_scrollY : m_scrollX;
  offset = ScrollRequest(static_cast<int>(nSBCode), info.nTrackPos, offset, maxPos);
  pScrollBar->SetScrollPos(offset);
  Invalidate(TRUE);
}

void CImagePane::OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar) { Scroll(nSBCode, pScrollBar); }

void CImagePane::OnVScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar) { Scroll(nSBCode, pScrollBar); }

BOOL CImagePane::OnEraseBkgnd(CDC*) { return TRUE; }  // painting covers the whole view

void CImagePane::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  if (client.IsRectEmpty()) return;
  // Drawn off screen first, so the picture does not flicker under the outline.
  CDC memDc;
  CBitmap buffer;
  if (!memDc.CreateCompatibleDC(&dc) || !buffer.CreateCompatibleBitmap(&dc, client.Width(), client.Height())) {
    Paint(&dc);
    return;
  }
  CRect view = GetViewRect();
  {
    SelectScope selected(memDc.GetSafeHdc(), buffer.m_hObject);
    Paint(&memDc);
    dc.BitBlt(view.left, view.top, view.Width(), view.Height(), &memDc, view.left, view.top, SRCCOPY);
  }
}

void CImagePane::Paint(CDC* pDC) {
  CRect view = GetViewRect();
  pDC->FillSolidRect(&view, m_background);
  if (m_pImage && m_pImage->IsValid()) PaintPicture(pDC, view);
}

void CImagePane::PaintPicture(CDC* pDC, const CRect& view) {
  CRect source, destination;
  if (!VisiblePart(GetFit(), GetScroll(), view, m_pImage->GetWidth(), m_pImage->GetHeight(), source, destination))
    return;
  int saved = pDC->SaveDC();
  pDC->IntersectClipRect(&view);
  pDC->SetStretchBltMode(HALFTONE);
  ::SetBrushOrgEx(pDC->m_hDC, 0, 0, nullptr);
  if (m_pImage->GetAlphaChannel() && !m_bOpaque) {
    pDC->FillSolidRect(&destination, m_backdrop);
    BlendPicture(pDC, source, destination);
  } else {
    m_pImage->Draw(pDC->m_hDC, destination.left, destination.top, destination.Width(), destination.Height(),
                   source.left, source.top, source.Width(), source.Height(), SRCCOPY);
  }
  pDC->RestoreDC(saved);
}

void CImagePane::BlendPicture(CDC* pDC, const CRect& source, const CRect& destination) {
  // The blend wants premultiplied colours; the picture keeps straight ones.
  CAlphaLayer layer(pDC, source.Width(), source.Height());
  if (!layer.IsReady()) return;
  const IplImage* image = m_pImage->GetIplImage();
  for (int y = 0; y < source.Height(); ++y) {
    // Rows of the picture run bottom-up.
    const auto* row = reinterpret_cast<const uint8_t*>(image->imageData) +
                      static_cast<size_t>(image->height - 1 - (source.top + y)) * image->widthStep;
    uint8_t* out = layer.Row(y);
    for (int x = 0; x < source.Width(); ++x) {
      const uint8_t* p = row + static_cast<size_t>(source.left + x) * 4;
      uint8_t* q = out + static_cast<size_t>(x) * 4;
      const int a = p[3];
      q[0] = static_cast<uint8_t>((p[0] * a + 127) / 255);
      q[1] = static_cast<uint8_t>((p[1] * a + 127) / 255);
      q[2] = static_cast<uint8_t>((p[2] * a + 127) / 255);
      q[3] = static_cast<uint8_t>(a);
    }
  }
  layer.BlendOnto(pDC, destination);
}
