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

// The outlines a selection polygon is made of. The polygon engine hands out a
// polygon with holes as one walk, each hole joined to the outline around it by
// an edge walked there and back; that edge bounds nothing, so the walk is cut
// there into the outer outline and one per hole (the holes keep their
// opposite direction), and a link's end lying on a straight edge goes too. An
// edge pair whose cut would leave fewer than three points on either side (a
// spike drawn by hand) stays. The outlines come open: the closing duplicate
// of the first point is dropped.
std::vector<std::vector<CPoint>> PolygonOutlines(const CPoly& poly);

// The outlines of a polygon mapped and closed (the first point repeated at the
// end when the last differs), each ready for a curve of its own.
std::vector<std::vector<Gdiplus::Point>> CurveOutlines(const CPoly& poly, const PointMapping& map);

// Appends the curve through the points to the path; false when GDI+ refuses.
bool AddCurve(Gdiplus::GpPath* path, const std::vector<Gdiplus::Point>& points, float tension);

// The curve flattened into straight segments; false when GDI+ refuses (fewer
// than two points, or a failed call).
bool FlattenCurve(const std::vector<Gdiplus::Point>& points, float tension, std::vector<MaskPoint>& outline);

// Every curve of two points or more flattened, for the soft mask of one
// polygon; false when GDI+ refuses one.
bool FlattenCurves(const std::vector<std::vector<Gdiplus::Point>>& curves, float tension,
                   std::vector<MaskOutline>& outlines);

// The integer bounds of all the selection's curves (unmapped); false when a
// GDI+ call fails. An empty selection has empty bounds.
bool SelectionBounds(const CPolyArray& selection, float tension, CRect& bounds);
