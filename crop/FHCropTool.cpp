#include "crop/FHCropTool.h"

#include <vector>

#include "crop/ImageEditPane.h"

namespace {
// The outline in progress: 2 pixels of blue.
constexpr COLORREF kStrokeColour = 0xFF0000;
constexpr int kStrokeWidth = 2;
}  // namespace

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
  CCropTool::Draw(pDC);
  std::vector<POINT> client;
  for (INT_PTR i = 0; i < m_points.GetSize(); ++i) client.push_back(MapPoint(m_points[i], 0));
  CPen pen(PS_SOLID, kStrokeWidth, kStrokeColour);
  CPen* old = pDC->SelectObject(&pen);
  pDC->Polyline(client.data(), static_cast<int>(client.size()));
  pDC->SelectObject(old);
}
