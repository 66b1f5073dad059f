#pragma once
// A horizontal slider drawn wholly from bitmaps: a channel (optionally with an
// "active" look for the part already passed) and a thumb (optionally with a
// look of its own while dragged), each of which may have a transparent colour.
// It sits on a static control of a dialog and tells its parent about changes
// with two posted messages.
#include "framework/framework.h"
#include "ui/controls/SliderGeometry.h"

// wParam: the control's id; lParam: the position.
constexpr UINT WM_BITMAPSLIDER_MOVING = WM_USER + 0x24D1;  // the thumb is dragged
constexpr UINT WM_BITMAPSLIDER_MOVED = WM_USER + 0x24D2;   // released, or moved by a key

// Stands for "the colour of the bitmap's pixel at (x, y)" as a transparent colour.
constexpr COLORREF kSliderColourAtPixel = 0xFF000000;

class CBitmapSlider : public CStatic {
  DECLARE_DYNAMIC(CBitmapSlider)
 public:
  CBitmapSlider();
  ~CBitmapSlider() override;

  void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
  void SetPos(int nPos);
  int GetPos() const { return m_nPos; }
  int GetRangeMin() const { return m_nMin; }
  int GetRangeMax() const { return m_nMax; }
  void SetMargin(int nLeft, int nTop, int nRight, int nBottom);
  void EnableFocusRect(BOOL bEnable = TRUE, BOOL bRedraw = FALSE);
  // Bitmap resources; id 0 removes them. False (and nothing loaded) when a
  // bitmap cannot be loaded.
  BOOL SetChannelBitmap(UINT nChannelID, UINT nActiveID = 0, BOOL bTransparent = FALSE,
                        COLORREF clrTransparent = kSliderColourAtPixel, int iTransPixelX = 0,
                        int iTransPixelY = 0);
  BOOL SetThumbBitmap(UINT nThumbID, UINT nActiveID = 0, BOOL bTransparent = FALSE,
                      COLORREF clrTransparent = kSliderColourAtPixel, int iTransPixelX = 0,
                      int iTransPixelY = 0);

  bool IsDragging() const { return m_bDragging; }
  // Where the thumb's centre lies now, in client pixels.
  int GetThumbCentre() const { return Geometry().PositionToPixel(m_nPos); }
  CSize GetThumbSize() const { return CSize(m_nThumbWidth, m_nThumbHeight); }

 protected:
  void PreSubclassWindow() override;
  // Channel, thumb and focus rectangle into a context over the client area.
  void Draw(CDC& dc);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode();
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  // A bitmap with, when drawn transparently, its mask.
  struct Picture {
    CBitmap bitmap;
    CBitmap mask;
    bool Loaded() const { return bitmap.m_hObject != nullptr; }
    void Free();
  };
  static bool LoadPicture(Picture& picture, UINT nID, bool transparent, COLORREF colour, int x, int y);
  static void DrawPicture(CDC& dc, Picture& picture, bool transparent, int x, int y, int srcX, int width,
                          int height);
  SliderGeometry Geometry() const;
  void NotifyParent(UINT message) const;
  void FreeChannel();
  void FreeThumb();
  void FreeAll();

  int m_nMax = 100;
  int m_nMin = 0;
  int m_nPos = 0;
  int m_nPage = 20;
  CRect m_rect;
  int m_nWidth = 0;
  int m_nHeight = 0;
  int m_nThumbWidth = 0;
  int m_nThumbHeight = 0;
  int m_nMarginLeft = 0;
  int m_nMarginRight = 0;
  int m_nMarginTop = 0;
  int m_nMarginBottom = 0;
  CPoint m_savedThumbAt{-1, -1};
  int m_nDragOffset = 0;
  bool m_bChannelActive = false;
  bool m_bThumbActive = false;
  bool m_bTransparentChannel = false;
  bool m_bTransparentThumb = false;
  bool m_bThumb = false;
  bool m_bChannel = false;
  bool m_bDragging = false;
  bool m_bFocus = false;
  bool m_bFocusRect = true;
  Picture m_channel;
  Picture m_channelActive;
  Picture m_thumb;
  Picture m_thumbActive;
  CBitmap m_thumbBackground;
};
