#include "crop/PolyCropTool.h"

#include <vector>

#include "crop/ImageEditPane.h"

namespace {
constexpr COLORREF kStrokeColour = 0xFF0000;
constexpr int kStrokeWidth = 2;
}  // namespace

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
  CCropTool::Draw(pDC);
  std::vector<POINT> client;
  for (INT_PTR i = 0; i < m_vertices.GetSize(); ++i) client.push_back(MapPoint(m_vertices[i], 0));
  client.push_back(MapPoint(m_rubberEnd, 0));
  CPen pen(PS_SOLID, kStrokeWidth, kStrokeColour);
  CPen* old = pDC->SelectObject(&pen);
  pDC->Polyline(client.data(), static_cast<int>(client.size()));
  pDC->SelectObject(old);
}
