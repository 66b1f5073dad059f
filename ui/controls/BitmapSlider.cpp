#include "ui/controls/BitmapSlider.h"

#include <climits>
#include <cstdlib>

#include "ui/controls/MemDC.h"

namespace {
// A bitmap selected into a DC for one scope.
class ScopedSelect {
 public:
  ScopedSelect(HDC hdc, HGDIOBJ object) : m_hdc(hdc), m_old(::SelectObject(hdc, object)) {}
  ~ScopedSelect() { ::SelectObject(m_hdc, m_old); }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC m_hdc;
  HGDIOBJ m_old;
};

CSize BitmapSize(const CBitmap& bitmap) {
  BITMAP info{};
  bitmap.GetObject(sizeof(info), &info);
  return CSize(info.bmWidth, info.bmHeight);
}

int ClampToInt(long long value) {
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}
}  // namespace

IMPLEMENT_DYNAMIC(CBitmapSlider, CStatic)

BEGIN_MESSAGE_MAP(CBitmapSlider, CStatic)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_CAPTURECHANGED()
  ON_WM_KEYDOWN()
  ON_WM_GETDLGCODE()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CBitmapSlider::CBitmapSlider() = default;

CBitmapSlider::~CBitmapSlider() { FreeAll(); }

void CBitmapSlider::Picture::Free() {
  bitmap.DeleteObject();
  mask.DeleteObject();
}

void CBitmapSlider::FreeChannel() {
  m_channel.Free();
  m_channelActive.Free();
  m_bChannel = m_bChannelActive = false;
}

void CBitmapSlider::FreeThumb() {
  m_thumb.Free();
  m_thumbActive.Free();
  m_thumbBackground.DeleteObject();
  m_savedThumbAt = CPoint(-1, -1);
  m_bThumb = m_bThumbActive = false;
}

void CBitmapSlider::FreeAll() {
  FreeChannel();
  FreeThumb();
}

void CBitmapSlider::PreSubclassWindow() {
  CStatic::PreSubclassWindow();
  // A static control lets clicks through unless it asks for notifications.
  ModifyStyle(0, SS_NOTIFY);
  GetClientRect(&m_rect);
  m_nWidth = m_rect.Width();
  m_nHeight = m_rect.Height();
}

SliderGeometry CBitmapSlider::Geometry() const {
  SliderGeometry g;
  g.minimum = m_nMin;
  g.maximum = m_nMax;
  g.length = m_nWidth;
  g.thumbLength = m_nThumbWidth;
  g.marginStart = m_nMarginLeft;
  g.marginEnd = m_nMarginRight;
  return g;
}

void CBitmapSlider::SetRange(int nMin, int nMax, BOOL bRedraw) {
  m_nMin = nMin;
  m_nMax = nMax;
  if (bRedraw && m_hWnd) Invalidate(FALSE);
}

void CBitmapSlider::SetPos(int nPos) {
  m_nPos = Geometry().ClampPosition(nPos);
  if (m_hWnd) Invalidate(FALSE);
}

void CBitmapSlider::SetMargin(int nLeft, int nTop, int nRight, int nBottom) {
  m_nMarginLeft = nLeft;
  m_nMarginTop = nTop;
  m_nMarginRight = nRight;
  m_nMarginBottom = nBottom;
}

void CBitmapSlider::EnableFocusRect(BOOL bEnable, BOOL bRedraw) {
  m_bFocusRect = bEnable != FALSE;
  if (bRedraw && m_hWnd) Invalidate(FALSE);
}

bool CBitmapSlider::LoadPicture(Picture& picture, UINT nID, bool transparent, COLORREF colour, int x, int y) {
  picture.Free();
  if (!picture.bitmap.LoadBitmap(nID)) return false;
  if (!transparent) return true;

  const CSize size = BitmapSize(picture.bitmap);
  if (!picture.mask.Attach(::CreateBitmap(size.cx, size.cy, 1, 1, nullptr))) {
    picture.Free();
    return false;
  }
  CDC source, mask;
  if (!source.CreateCompatibleDC(nullptr) || !mask.CreateCompatibleDC(nullptr)) {
    picture.Free();
    return false;
  }
  ScopedSelect inSource(source.m_hDC, picture.bitmap.m_hObject);
  ScopedSelect inMask(mask.m_hDC, picture.mask.m_hObject);
  if (colour == kSliderColourAtPixel) colour = ::GetPixel(source.m_hDC, x, y);
  // Pixels of the transparent colour become 1 in the mask...
  source.SetBkColor(colour);
  ::BitBlt(mask.m_hDC, 0, 0, size.cx, size.cy, source.m_hDC, 0, 0, SRCCOPY);
  // ...and black in the bitmap, so that OR-ing it leaves the background.
  source.SetTextColor(RGB(255, 255, 255));
  source.SetBkColor(RGB(0, 0, 0));
  ::BitBlt(source.m_hDC, 0, 0, size.cx, size.cy, mask.m_hDC, 0, 0, SRCAND);
  return true;
}

void CBitmapSlider::DrawPicture(CDC& dc, Picture& picture, bool transparent, int x, int y, int srcX, int width,
                                int height) {
  if (width <= 0 || height <= 0) return;
  CDC source;
  if (!source.CreateCompatibleDC(&dc)) return;
  if (transparent && picture.mask.m_hObject) {
    const COLORREF oldText = dc.SetTextColor(RGB(0, 0, 0));
    const COLORREF oldBack = dc.SetBkColor(RGB(255, 255, 255));
    {
      ScopedSelect inSource(source.m_hDC, picture.mask.m_hObject);
      ::BitBlt(dc.m_hDC, x, y, width, height, source.m_hDC, srcX, 0, SRCAND);
    }
    {
      ScopedSelect inSource(source.m_hDC, picture.bitmap.m_hObject);
      ::BitBlt(dc.m_hDC, x, y, width, height, source.m_hDC, srcX, 0, SRCPAINT);
    }
    dc.SetTextColor(oldText);
    dc.SetBkColor(oldBack);
    return;
  }
  ScopedSelect inSource(source.m_hDC, picture.bitmap.m_hObject);
  ::BitBlt(dc.m_hDC, x, y, width, height, source.m_hDC, srcX, 0, SRCCOPY);
}

BOOL CBitmapSlider::SetChannelBitmap(UINT nChannelID, UINT nActiveID, BOOL bTransparent, COLORREF clrTransparent,
                                     int iTransPixelX, int iTransPixelY) {
  FreeChannel();
  if (nChannelID == 0) return TRUE;
  const bool transparent = bTransparent != FALSE;
  if (!LoadPicture(m_channel, nChannelID, transparent, clrTransparent, iTransPixelX, iTransPixelY)) return FALSE;
  if (nActiveID != 0 &&
      !LoadPicture(m_channelActive, nActiveID, transparent, clrTransparent, iTransPixelX, iTransPixelY)) {
    FreeChannel();
    return FALSE;
  }
  const CSize size = BitmapSize(m_channel.bitmap);
  m_nWidth = size.cx;
  m_nHeight = size.cy;
  if (m_hWnd) {
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(&m_rect);
  }
  m_bTransparentChannel = transparent;
  m_bChannel = true;
  m_bChannelActive = nActiveID != 0;
  return TRUE;
}

BOOL CBitmapSlider::SetThumbBitmap(UINT nThumbID, UINT nActiveID, BOOL bTransparent, COLORREF clrTransparent,
                                   int iTransPixelX, int iTransPixelY) {
  FreeThumb();
  if (nThumbID == 0) return TRUE;
  const bool transparent = bTransparent != FALSE;
  if (!LoadPicture(m_thumb, nThumbID, transparent, clrTransparent, iTransPixelX, iTransPixelY)) return FALSE;
  if (nActiveID != 0 &&
      !LoadPicture(m_thumbActive, nActiveID, transparent, clrTransparent, iTransPixelX, iTransPixelY)) {
    FreeThumb();
    return FALSE;
  }
  const CSize size = BitmapSize(m_thumb.bitmap);
  m_nThumbWidth = size.cx;
  m_nThumbHeight = size.cy;
  if (!m_bChannel && m_hWnd) {
    GetClientRect(&m_rect);
    m_nWidth = m_rect.Width();
    m_nHeight = m_rect.Height();
  }
  m_bTransparentThumb = transparent;
  m_bThumb = true;
  m_bThumbActive = nActiveID != 0;
  return TRUE;
}

void CBitmapSlider::NotifyParent(UINT message) const {
  if (CWnd* parent = GetParent())
    parent->PostMessage(message, static_cast<WPARAM>(GetDlgCtrlID()), static_cast<LPARAM>(m_nPos));
}

BOOL CBitmapSlider::OnEraseBkgnd(CDC*) { return TRUE; }

void CBitmapSlider::OnPaint() {
  CPaintDC paint(this);
  CMemDC dc(&paint, &m_rect, true);
  Draw(dc);
}

void CBitmapSlider::Draw(CDC& dc) {
  const int centre = GetThumbCentre();

  if (m_bChannel) {
    if (m_bChannelActive) {
      DrawPicture(dc, m_channelActive, m_bTransparentChannel, 0, 0, 0, centre, m_nHeight);
      DrawPicture(dc, m_channel, m_bTransparentChannel, centre, 0, centre, m_nWidth - centre, m_nHeight);
    } else {
      DrawPicture(dc, m_channel, m_bTransparentChannel, 0, 0, 0, m_nWidth, m_nHeight);
    }
  }

  // Where nothing opaque lies under the thumb, what it covered last time is
  // put back before it is drawn somewhere else.
  if (m_savedThumbAt.x >= 0 && m_thumbBackground.m_hObject) {
    CDC saved;
    if (saved.CreateCompatibleDC(&dc)) {
      ScopedSelect inSaved(saved.m_hDC, m_thumbBackground.m_hObject);
      ::BitBlt(dc.m_hDC, m_savedThumbAt.x, m_savedThumbAt.y, m_nThumbWidth, m_nThumbHeight, saved.m_hDC, 0, 0,
               SRCCOPY);
    }
    m_savedThumbAt = CPoint(-1, -1);
  }

  if (m_bThumb) {
    const int x = centre - m_nThumbWidth / 2;
    const int y = m_nMarginTop;
    if (m_bTransparentChannel || !m_bChannel) {
      m_thumbBackground.DeleteObject();
      CDC saved;
      if (m_thumbBackground.CreateCompatibleBitmap(&dc, m_nThumbWidth, m_nThumbHeight) &&
          saved.CreateCompatibleDC(&dc)) {
        ScopedSelect inSaved(saved.m_hDC, m_thumbBackground.m_hObject);
        ::BitBlt(saved.m_hDC, 0, 0, m_nThumbWidth, m_nThumbHeight, dc.m_hDC, x, y, SRCCOPY);
        m_savedThumbAt = CPoint(x, y);
      }
    }
    Picture& thumb = (m_bDragging && m_bThumbActive) ? m_thumbActive : m_thumb;
    DrawPicture(dc, thumb, m_bTransparentThumb, x, y, 0, m_nThumbWidth, m_nThumbHeight);
  }

  if (m_bFocus && m_bFocusRect) dc.DrawFocusRect(&m_rect);
}

void CBitmapSlider::OnLButtonDown(UINT nFlags, CPoint point) {
  SetCapture();
  SetFocus();
  m_bDragging = true;
  const int centre = GetThumbCentre();
  m_nDragOffset = std::abs(point.x - centre) < m_nThumbWidth / 2 ? point.x - centre : 0;
  OnMouseMove(nFlags, point);
  Invalidate(FALSE);
}

void CBitmapSlider::OnMouseMove(UINT nFlags, CPoint point) {
  if (!m_bDragging) {
    CStatic::OnMouseMove(nFlags, point);
    return;
  }
  const SliderGeometry g = Geometry();
  int pixel = point.x - m_nDragOffset;
  if (pixel < g.FirstPixel()) pixel = g.FirstPixel();
  if (pixel > g.LastPixel()) pixel = g.LastPixel();
  if (pixel == g.PositionToPixel(m_nPos)) return;
  SetPos(g.PixelToPosition(pixel));
  NotifyParent(WM_BITMAPSLIDER_MOVING);
}

void CBitmapSlider::OnLButtonUp(UINT nFlags, CPoint point) {
  if (!m_bDragging) {
    CStatic::OnLButtonUp(nFlags, point);
    return;
  }
  m_bDragging = false;
  ::ReleaseCapture();
  Invalidate(FALSE);
  NotifyParent(WM_BITMAPSLIDER_MOVED);
}

void CBitmapSlider::OnCaptureChanged(CWnd*) {
  // Another window took the mouse in the middle of a drag: the drag is over.
  if (m_bDragging) {
    m_bDragging = false;
    Invalidate(FALSE);
  }
}

void CBitmapSlider::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  const long long pos = m_nPos;
  long long next;
  switch (nChar) {
    case VK_PRIOR: next = pos - m_nPage; break;
    case VK_NEXT: next = pos + m_nPage; break;
    case VK_END: next = m_nMax; break;
    case VK_HOME: next = m_nMin; break;
    case VK_LEFT:
    case VK_UP: next = pos - 1; break;
    case VK_RIGHT:
    case VK_DOWN: next = pos + 1; break;
    default:
      CStatic::OnKeyDown(nChar, nRepCnt, nFlags);
      return;
  }
  SetPos(ClampToInt(next));
  // A key moves the thumb as a drag does: the parent follows the move, then
  // hears that it ended.
  if (m_nPos != pos) NotifyParent(WM_BITMAPSLIDER_MOVING);
  NotifyParent(WM_BITMAPSLIDER_MOVED);
}

UINT CBitmapSlider::OnGetDlgCode() {
  if (::GetKeyState(VK_TAB) < 0) return CStatic::OnGetDlgCode();
  return DLGC_WANTARROWS;
}

void CBitmapSlider::OnSetFocus(CWnd* pOldWnd) {
  CStatic::OnSetFocus(pOldWnd);
  m_bFocus = true;
  Invalidate(FALSE);
}

void CBitmapSlider::OnKillFocus(CWnd* pNewWnd) {
  CStatic::OnKillFocus(pNewWnd);
  m_bFocus = false;
  Invalidate(FALSE);
}

void CBitmapSlider::OnDestroy() {
  FreeAll();
  CStatic::OnDestroy();
}
