#pragma once
// CRectTracker: a rectangle the user moves and resizes with the mouse, drawn
// with optional border, hatching and resize handles.
#include <vector>

#include "framework/geometry.h"

class CDC;
class CWnd;

class CRectTracker {
 public:
  enum StyleFlags {
    solidLine = 1, dottedLine = 2, hatchedBorder = 4, resizeInside = 8, resizeOutside = 16, hatchInside = 32
  };
  enum TrackerHit {
    hitNothing = -1, hitTopLeft = 0, hitTopRight = 1, hitBottomRight = 2, hitBottomLeft = 3,
    hitTop = 4, hitRight = 5, hitBottom = 6, hitLeft = 7, hitMiddle = 8
  };

  // The default look: a dotted outline with handles outside it.
  CRectTracker() = default;
  CRectTracker(LPCRECT lpSrcRect, UINT nStyle) : m_rect(lpSrcRect), m_nStyle(nStyle) {}
  virtual ~CRectTracker() = default;

  void Draw(CDC* pDC) const;
  void GetTrueRect(LPRECT lpTrueRect) const;
  int HitTest(CPoint point) const;
  int NormalizeHit(int nHandle) const;
  BOOL SetCursor(CWnd* pWnd, UINT nHitTest) const;
  // Follow the mouse (captured by pWnd) until the left button is released; TRUE
  // when the rectangle changed. Escape or a lost capture cancel.
  BOOL Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert = FALSE, CWnd* pWndClipTo = nullptr);
  BOOL TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert = TRUE);

  virtual void AdjustRect(int nHandle, LPRECT lpRect) { (void)nHandle; (void)lpRect; }
  virtual void OnChangedRect(const CRect& rectOld) { (void)rectOld; }
  virtual UINT GetHandleMask() const;

  CRect m_rect;
  UINT m_nStyle = dottedLine | resizeOutside;
  int m_nHandleSize = 6;
  CSize m_sizeMin = CSize(1, 1);

 protected:
  void GetHandleRect(int nHandle, CRect* pHandleRect) const;
  // The resize handles in use (style and mask), which are drawn and hit-tested.
  std::vector<int> ShownHandles() const;
  int HitTestHandles(CPoint point) const;
  BOOL TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo, BOOL bAllowInvert);
};
