#pragma once
// The rectangle tool: a rubber band drawn with the mouse, or the last rectangle
// resized by its handles, becomes a four-sided polygon.
#include "crop/CropTool.h"

class CRectCropTool : public CCropTool {
 public:
  explicit CRectCropTool(CImageEditPane* pPane) : CCropTool(pPane) {}
  void OnLButtonDown(UINT nFlags, CPoint point) override;
  void Draw(CDC* pDC) override;
  // The tracker where the last rectangle shows now.
  const CRectTracker& GetTracker() {
    PlaceTracker();
    return m_tracker;
  }

 private:
  // Puts the tracker over the last rectangle at the pane's present zoom and scroll.
  void PlaceTracker();

  CRectTracker m_tracker;
  // The last rectangle in photo pixels (empty when there is none): the tracker
  // follows it when the pane zooms or scrolls.
  CRect m_photoRect{0, 0, 0, 0};
};
