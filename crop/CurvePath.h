#pragma once
// The outline of a selection polygon as the crop tool draws and cuts it: a
// cardinal curve through its points with the chosen tension (0 keeps the
// straight edges), built as a GDI+ path. Every GDI+ call is checked.
#include <functional>
#include <vector>

#include "crop/CropPoly.h"
#include "crop/GdiplusScope.h"
#include "crop/SoftMask.h"

// Maps a selection point to where it is drawn (client or cut-out coordinates).
using PointMapping = std::function<CPoint(CPoint)>;

// The points of a polygon mapped and closed (the first repeated at the end when
// the last differs), ready for a curve.
std::vector<Gdiplus::Point> CurvePoints(const CPoly& poly, const PointMapping& map);

// Appends the curve through the points to the path; false when GDI+ refuses.
bool AddCurve(Gdiplus::GpPath* path, const std::vector<Gdiplus::Point>& points, float tension);

// The curve flattened into straight segments; false when GDI+ refuses (fewer
// than two points, or a failed call).
bool FlattenCurve(const std::vector<Gdiplus::Point>& points, float tension, std::vector<MaskPoint>& outline);

// The integer bounds of all the selection's curves (unmapped); false when a
// GDI+ call fails. An empty selection has empty bounds.
bool SelectionBounds(const CPolyArray& selection, float tension, CRect& bounds);
