#pragma once
// The crop selection: closed polygons in photo pixels (x to the right, y down
// from the photo's top-left corner). A polygon made by a tool repeats its first
// point at the end.
#include "framework/framework.h"

class CPoly : public CArray<CPoint, CPoint> {
 public:
  CPoly() = default;
  CPoly(const CPoly& other) : CArray<CPoint, CPoint>() { Copy(other); }
  CPoly& operator=(const CPoly& other) {
    Copy(other);
    return *this;
  }
};

using CPolyArray = CArray<CPoly, CPoly&>;

// How a new shape meets the selection.
enum CropCombineMode {
  cropClear = 0,      // empty the selection
  cropReplace = 1,    // the shape becomes the selection
  cropAdd = 2,        // union
  cropSubtract = 3,   // the selection less the shape
  cropIntersect = 4,  // what both cover
};
