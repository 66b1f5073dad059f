#include "crop/PolyCropTool.h"

#include "crop/ImageEditPane.h"

void CPolyCropTool::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_bOpen) return;
  m_vertices.RemoveAll();
  CCropTool::OnLButtonDown(nFlags, point);
  m_bOpen = TRUE;
}

void CPolyCropTool::OnMouseMove(UINT, CPoint point) {
  if (!m_bOpen) return;
  m_rubberEnd = MapPoint(point, 1);
  Invalidate();
}

void CPolyCropTool::OnLButtonUp(UINT, CPoint point) {
  // The release that follows a closing double click belongs to no polygon.
  if (!m_bOpen) return;
  m_rubberEnd = MapPoint(point, 1);
  m_vertices.Add(m_rubberEnd);
  Invalidate();
}

void CPolyCropTool::OnLButtonDblClk(UINT, CPoint) {
  m_bOpen = FALSE;
  if (m_vertices.IsEmpty()) return;
  m_vertices.Add(m_vertices[0]);
  CombineSelection(&m_vertices, m_mode);
  Invalidate();
}

void CPolyCropTool::Draw(CDC* pDC) {
  if (!m_bOpen || m_vertices.IsEmpty()) return;
  DrawStroke(pDC, m_vertices, &m_rubberEnd);
}
