#include "crop/CropTool.h"

#include <vector>

#include "crop/ImageEditPane.h"

int CropModeForKeys(bool shift, bool alt) {
  if (shift && alt) return cropIntersect;
  if (shift) return cropAdd;
  if (alt) return cropSubtract;
  return cropReplace;
}

namespace {
// The outline in progress: 2 pixels of blue.
constexpr COLORREF kStrokeColour = 0xFF0000;
constexpr int kStrokeWidth = 2;

bool systemKeyDown(int virtualKey) { return (::GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
CropKeyReader g_keyReader = systemKeyDown;
}  // namespace

CropKeyReader SetCropKeyReader(CropKeyReader reader) {
  CropKeyReader previous = g_keyReader;
  g_keyReader = reader ? reader : systemKeyDown;
  return previous;
}

void CCropTool::ReadModifierKeys() { m_mode = CropModeForKeys(g_keyReader(VK_SHIFT), g_keyReader(VK_MENU)); }

void CCropTool::OnLButtonDown(UINT, CPoint) {
  ReadModifierKeys();
  if (m_mode != cropReplace || !m_pPane) return;
  m_pPane->CombineSelection(nullptr, cropClear);
  // The old outline goes from the screen too, even when the gesture adds nothing.
  Invalidate();
}

void CCropTool::OnMouseMove(UINT, CPoint) {}
void CCropTool::OnLButtonUp(UINT, CPoint) {}
void CCropTool::OnLButtonDblClk(UINT, CPoint) {}

void CCropTool::Draw(CDC* pDC) {
  if (!m_pPane) return;
  CRect view = m_pPane->GetViewRect();
  pDC->IntersectClipRect(&view);
}

CPoint CCropTool::MapPoint(CPoint point, int direction) const {
  return m_pPane ? m_pPane->MapPoint(point, direction) : point;
}

BOOL CCropTool::CombineSelection(CPoly* pPoly, int mode) {
  return m_pPane ? m_pPane->CombineSelection(pPoly, mode) : FALSE;
}

void CCropTool::Invalidate() {
  if (m_pPane && m_pPane->m_hWnd) m_pPane->Invalidate(FALSE);
}

void CCropTool::DrawStroke(CDC* pDC, const CPoly& points, const CPoint* pEnd) {
  CCropTool::Draw(pDC);
  std::vector<POINT> client;
  for (INT_PTR i = 0; i < points.GetSize(); ++i) client.push_back(MapPoint(points[i], 0));
  if (pEnd) client.push_back(MapPoint(*pEnd, 0));
  CPen pen(PS_SOLID, kStrokeWidth, kStrokeColour);
  CPen* old = pDC->SelectObject(&pen);
  pDC->Polyline(client.data(), static_cast<int>(client.size()));
  pDC->SelectObject(old);
}
