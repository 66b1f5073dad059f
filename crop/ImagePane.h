#pragma once
// CImagePane: a static control that shows a picture fitted to its window,
// zoomed and scrolled (scroll bars of its own appear above zoom 1), on a
// background colour, with pictures that have alpha blended over a backdrop.
#include "framework/framework.h"
#include "crop/PaneGeometry.h"

class CImgBitmap;

class CImagePane : public CStatic {
  DECLARE_DYNAMIC(CImagePane)
 public:
  // Ids of the pane's own scroll bars and their corner.
  enum { idVerticalBar = 128, idHorizontalBar = 129, idSizeBox = 130 };
  // Width of the scroll bars, in pixels.
  static constexpr int kBarSize = 16;

  CImagePane() = default;

  // The picture is not owned; null shows the background only.
  void SetImage(CImgBitmap* pImage, BOOL bRedraw = TRUE);
  CImgBitmap* GetImage() const { return m_pImage; }
  void SetBackgroundColour(COLORREF colour, BOOL bRedraw = TRUE);
  void SetScroll(int x, int y, BOOL bRedraw = TRUE);
  CPoint GetScroll() const { return CPoint(m_scrollX, m_scrollY); }
  // Draw the picture without its alpha channel.
  void SetOpaqueDrawing(BOOL bOpaque);
  // Returns the new view rectangle. A zoom the pane cannot show (see
  // IsUsableZoom) is refused: nothing changes.
  CRect SetZoom(float zoom, BOOL bRedraw = TRUE);
  float GetZoom() const { return m_zoom; }
  BOOL CanZoom(float zoom) const;
  // Shows the pane's scroll bars above zoom 1, making them the first time.
  // False, with the bars off, when the pane has no window or a bar cannot be
  // made (no half set is kept).
  BOOL EnableScrollBars(BOOL bEnable);
  BOOL HasScrollBars() const { return m_bScrollBars; }
  // The client rectangle less the scroll bars while they show.
  CRect GetViewRect() const;
  // The current fit of the picture in the view.
  PaneFit GetFit() const;

 protected:
  void PreSubclassWindow() override;
  // The picture and its surroundings into the view; subclasses draw over it.
  virtual void Paint(CDC* pDC);
  CRect ViewRectFor(float zoom) const;
  void Scroll(UINT nSBCode, CScrollBar* pScrollBar);

  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  DECLARE_MESSAGE_MAP()

  CImgBitmap* m_pImage = nullptr;
  COLORREF m_background = 0x440000;
  COLORREF m_backdrop = 0x8080FF;  // behind pictures with alpha
  int m_scrollX = 0;
  int m_scrollY = 0;
  float m_zoom = 1.0f;
  BOOL m_bOpaque = FALSE;
  BOOL m_bScrollBars = FALSE;
  CScrollBar m_vertical;
  CScrollBar m_horizontal;
  CScrollBar m_sizeBox;

 private:
  void PaintPicture(CDC* pDC, const CRect& view);
  void BlendPicture(CDC* pDC, const CRect& source, const CRect& destination);
  void UpdateBars(const PaneFit& fit, const CRect& view);
  BOOL CreateScrollBars();
};
