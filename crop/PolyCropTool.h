#pragma once
// The polygon tool: every click adds a vertex (the opening one too), a rubber
// band follows the pointer from the last vertex, and a double click closes
// the polygon.
#include "crop/CropTool.h"

class CPolyCropTool : public CCropTool {
 public:
  explicit CPolyCropTool(CImageEditPane* pPane) : CCropTool(pPane) {}
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnMouseMove(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void OnLButtonDblClk(UINT nFlags, CPoint point) override;
  void Draw(CDC* pDC) override;
  BOOL IsOpen() const { return m_bOpen; }
  const CPoly& GetVertices() const { return m_vertices; }

 private:
  BOOL m_bOpen = FALSE;
  CPoly m_vertices;
  CPoint m_rubberEnd{0, 0};  // picture coordinates
};
