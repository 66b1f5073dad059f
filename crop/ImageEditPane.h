#pragma once
// CImageEditPane: the crop dialog's image pane. It owns the current crop tool
// and the selection, draws the selection's outline with its soft-edge haze over
// the photo, and cuts the selection out into a TIFF file.
#include <memory>

#include "crop/CropCutOut.h"
#include "crop/CropPoly.h"
#include "crop/GdiplusScope.h"
#include "crop/ImagePane.h"

class CCropTool;

class CImageEditPane : public CImagePane {
  DECLARE_DYNAMIC(CImageEditPane)
 public:
  enum ToolType { toolNone = 0, toolRectangle = 1, toolFreehand = 2, toolPolygon = 3 };

  CImageEditPane();
  ~CImageEditPane() override;

  // Replaces the tool (an unknown type leaves none); the same type keeps it.
  void SetTool(int type);
  int GetToolType() const { return m_toolType; }
  CCropTool* GetTool() const { return m_tool.get(); }
  // The photo is always drawn without its alpha here.
  void SetImage(CImgBitmap* pImage, BOOL bRedraw = TRUE);
  // 0..1; other values are taken as their nearest end.
  void SetTension(float tension);
  void SetFeather(float feather);
  float GetTension() const { return m_tension; }
  float GetFeather() const { return m_feather; }

  // direction 0: picture to client; 1: client to picture.
  CPoint MapPoint(CPoint point, int direction) const;
  // Combines a shape (or none) with the selection; see CombineCropSelection.
  // A failure of the polygon engine keeps the selection as it was and gives false.
  BOOL CombineSelection(CPoly* pShape, int mode);
  const CPolyArray& GetSelection() const { return m_selection; }

  // Writes the cut-out; the rectangle it covers (photo pixels) goes to pRect.
  CutOutResult SaveCrop(const char* path, CRect* pRect);

 protected:
  void Paint(CDC* pDC) override;

  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void PaintSelection(CDC* pDC);

  CGdiplusSession m_gdiplus;
  int m_toolType = toolNone;
  std::unique_ptr<CCropTool> m_tool;
  CPolyArray m_selection;
  float m_tension = 0.0f;
  float m_feather = 0.0f;
};
