#pragma once
// The rectangle tool: a rubber band drawn with the mouse, or the last rectangle
// resized by its handles, becomes a four-sided polygon.
#include "crop/CropTool.h"

class CRectCropTool : public CCropTool {
 public:
  explicit CRectCropTool(CImageEditPane* pPane) : CCropTool(pPane) {}
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void Draw(CDC* pDC) override;
  const CRectTracker& GetTracker() const { return m_tracker; }

 private:
  CRectTracker m_tracker;
};
