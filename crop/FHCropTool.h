#pragma once
// The freehand tool: the pointer's path while the button is held, closed on
// release. The pane keeps the mouse during a stroke, so a release outside it
// still ends the stroke.
#include "crop/CropTool.h"

class CFHCropTool : public CCropTool {
 public:
  explicit CFHCropTool(CImageEditPane* pPane) : CCropTool(pPane) {}
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void OnMouseMove(UINT nFlags, CPoint point) override;
  void OnLButtonUp(UINT nFlags, CPoint point) override;
  void Draw(CDC* pDC) override;
  BOOL IsTracking() const { return m_bTracking; }

 private:
  BOOL m_bTracking = FALSE;
  CPoly m_points;
};
