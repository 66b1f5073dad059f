#include "crop/ImageEditPane.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "crop/AlphaLayer.h"
#include "crop/CropSelection.h"
#include "crop/CurvePath.h"
#include "crop/FHCropTool.h"
#include "crop/PolyCropTool.h"
#include "crop/RectCropTool.h"
#include "crop/SoftMask.h"
#include "imagelib/ImgBitmap.h"

IMPLEMENT_DYNAMIC(CImageEditPane, CImagePane)

BEGIN_MESSAGE_MAP(CImageEditPane, CImagePane)
  ON_WM_LBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {
// The outline: opaque blue, 2 pixels.
constexpr Gdiplus::ARGB kOutlineColour = 0xFF0000FF;
constexpr Gdiplus::REAL kOutlineWidth = 2.0f;

float unitRange(float v) {
  if (!(v > 0.0f)) return 0.0f;  // also NaN
  return std::min(v, 1.0f);
}

// A white haze of the given opacities over the DC.
void BlendHaze(CDC* pDC, const CAlphaPlane& haze) {
  CAlphaLayer layer(pDC, haze.Width(), haze.Height());
  if (!layer.IsReady()) return;
  for (int y = 0; y < haze.Height(); ++y) {
    uint8_t* row = layer.Row(y);
    for (int x = 0; x < haze.Width(); ++x)
      std::memset(row + static_cast<size_t>(x) * 4, haze.At(haze.Left() + x, haze.Top() + y), 4);  // white, premultiplied
  }
  layer.BlendOnto(pDC, CRect(haze.Left(), haze.Top(), haze.Left() + haze.Width(), haze.Top() + haze.Height()));
}
}  // namespace

CImageEditPane::CImageEditPane() = default;
CImageEditPane::~CImageEditPane() = default;

void CImageEditPane::SetTool(int type) {
  if (type == m_toolType) return;
  m_tool.reset();
  switch (type) {
    case toolRectangle: m_tool = std::make_unique<CRectCropTool>(this); break;
    case toolFreehand: m_tool = std::make_unique<CFHCropTool>(this); break;
    case toolPolygon: m_tool = std::make_unique<CPolyCropTool>(this); break;
    default: type = toolNone; break;
  }
  m_toolType = type;
  if (m_hWnd) Invalidate(FALSE);
}

void CImageEditPane::SetImage(CImgBitmap* pImage, BOOL bRedraw) {
  SetOpaqueDrawing(TRUE);
  CImagePane::SetImage(pImage, bRedraw);
}

void CImageEditPane::SetTension(float tension) {
  m_tension = unitRange(tension);
  if (m_hWnd) Invalidate(FALSE);
}

void CImageEditPane::SetFeather(float feather) {
  m_feather = unitRange(feather);
  if (m_hWnd) Invalidate(FALSE);
}

CPoint CImageEditPane::MapPoint(CPoint point, int direction) const {
  if (!m_pImage || !m_pImage->IsValid()) return point;
  return MapPanePoint(point, direction, GetFit(), GetScroll());
}

BOOL CImageEditPane::CombineSelection(CPoly* pShape, int mode) {
  if (mode < cropClear || mode > cropIntersect) return FALSE;
  CPolyArray work;
  work.Copy(m_selection);
  try {
    bool combined = CombineCropSelection(work, pShape, mode);
    m_selection.Copy(work);
    return combined ? TRUE : FALSE;
  } catch (const Bool_Engine_Error&) {
    return FALSE;  // the selection stays as it was
  }
}

CutOutResult CImageEditPane::SaveCrop(const char* path, CRect* pRect) {
  if (!m_gdiplus.IsReady()) return m_pImage ? CutOutResult::failed : CutOutResult::noImage;
  return WriteCropCutOut(m_pImage, m_selection, m_tension, m_feather, path, pRect);
}

void CImageEditPane::Paint(CDC* pDC) {
  CImagePane::Paint(pDC);
  int saved = pDC->SaveDC();
  PaintSelection(pDC);
  pDC->RestoreDC(saved);
  if (m_tool) {
    saved = pDC->SaveDC();
    m_tool->Draw(pDC);
    pDC->RestoreDC(saved);
  }
}

void CImageEditPane::PaintSelection(CDC* pDC) {
  using namespace Gdiplus;
  using namespace Gdiplus::DllExports;
  if (!m_gdiplus.IsReady() || m_selection.IsEmpty()) return;
  CRect view = GetViewRect();
  pDC->IntersectClipRect(&view);
  for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
    std::vector<std::vector<Point>> curves = CurveOutlines(m_selection[i], [this](CPoint p) { return MapPoint(p, 0); });
    std::vector<MaskOutline> outlines;
    if (m_feather > 0.0f && FlattenCurves(curves, m_tension, outlines)) {
      CAlphaPlane haze(view.left, view.top, view.Width(), view.Height());
      PaintSoftShape(haze, outlines, m_feather, SoftFill::clearCentre);
      if (!haze.IsBlank()) BlendHaze(pDC, haze);
    }
    CGdipGraphics graphics;
    CGdipPen pen;
    if (GdipCreateFromHDC(pDC->m_hDC, graphics.Receive()) != Ok) return;
    if (GdipCreatePen1(kOutlineColour, kOutlineWidth, UnitWorld, pen.Receive()) != Ok) return;
    for (const std::vector<Point>& points : curves)
      if (points.size() >= 2)
        GdipDrawCurve2I(graphics.Get(), pen.Get(), points.data(), static_cast<INT>(points.size()), m_tension);
  }
}

void CImageEditPane::OnLButtonDown(UINT nFlags, CPoint point) {
  if (m_tool) m_tool->OnLButtonDown(nFlags, point);
  Default();
}

void CImageEditPane::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_tool) m_tool->OnMouseMove(nFlags, point);
  Default();
}

void CImageEditPane::OnLButtonUp(UINT nFlags, CPoint point) {
  if (m_tool) m_tool->OnLButtonUp(nFlags, point);
  Default();
}

void CImageEditPane::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_tool) m_tool->OnLButtonDblClk(nFlags, point);
  Default();
}
