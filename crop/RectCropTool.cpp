#include "crop/RectCropTool.h"

#include "crop/ImageEditPane.h"

void CRectCropTool::PlaceTracker() {
  if (m_photoRect.IsRectEmpty())
    m_tracker.m_rect.SetRectEmpty();
  else
    m_tracker.m_rect = CRect(MapPoint(m_photoRect.TopLeft(), 0), MapPoint(m_photoRect.BottomRight(), 0));
}

void CRectCropTool::OnLButtonDown(UINT nFlags, CPoint point) {
  CCropTool::OnLButtonDown(nFlags, point);
  if (!m_pPane) return;
  PlaceTracker();
  int hit = m_tracker.HitTest(point);
  if (hit != CRectTracker::hitNothing && hit != CRectTracker::hitMiddle)
    m_tracker.Track(m_pPane, point, TRUE);
  else
    m_tracker.TrackRubberBand(m_pPane, point, TRUE);
  m_tracker.m_rect.NormalizeRect();
  const CRect& r = m_tracker.m_rect;
  m_photoRect = CRect(MapPoint(r.TopLeft(), 1), MapPoint(r.BottomRight(), 1));
  if (r.IsRectEmpty()) {
    m_photoRect.SetRectEmpty();
    Invalidate();
    return;
  }
  CPoly poly;
  const CPoint corners[] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}, {r.left, r.top}};
  for (const CPoint& c : corners) poly.Add(MapPoint(c, 1));
  CombineSelection(&poly, m_mode);
  Invalidate();
}

void CRectCropTool::Draw(CDC* pDC) {
  // Before the first rectangle, and after a click that drew none, there is
  // nothing to show: an empty tracker would leave its handles as a black
  // square at its corner.
  PlaceTracker();
  if (m_tracker.m_rect.IsRectEmpty()) return;
  CCropTool::Draw(pDC);
  m_tracker.Draw(pDC);
}
