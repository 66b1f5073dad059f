#include "crop/FHCropTool.h"

#include "crop/ImageEditPane.h"

void CFHCropTool::OnLButtonDown(UINT nFlags, CPoint point) {
  m_points.RemoveAll();
  m_bTracking = TRUE;
  CCropTool::OnLButtonDown(nFlags, point);
  if (m_pPane && m_pPane->m_hWnd) m_pPane->SetCapture();
}

void CFHCropTool::OnMouseMove(UINT, CPoint point) {
  if (!m_bTracking) return;
  m_points.Add(MapPoint(point, 1));
  Invalidate();
}

void CFHCropTool::OnLButtonUp(UINT, CPoint) {
  // A release without a stroke of ours (the press was elsewhere) adds nothing.
  if (!m_bTracking) return;
  m_bTracking = FALSE;
  if (m_pPane && ::GetCapture() == m_pPane->m_hWnd) ::ReleaseCapture();
  if (m_points.IsEmpty()) return;
  m_points.Add(m_points[0]);
  CombineSelection(&m_points, m_mode);
  Invalidate();
}

void CFHCropTool::Draw(CDC* pDC) {
  if (!m_bTracking || m_points.IsEmpty()) return;
  DrawStroke(pDC, m_points);
}
