#pragma once
// Cutting the selection out of a photo: the part inside the selection's
// bounds, with a soft-edged alpha mask, written as a four-channel TIFF.
#include "crop/CropPoly.h"

class CImgBitmap;

enum class CutOutResult {
  written,         // the file is complete
  noImage,         // no photo to cut from
  emptySelection,  // nothing selected inside the photo
  failed,          // a drawing, copy or write step failed; no file is left
};

// The cut-out's rectangle in photo pixels (rows top-down), from the curves'
// bounds clamped to the photo: left and top to the photo, right and bottom to
// its last column and row. Set in every case but a missing photo or a failed
// bounds computation.
CutOutResult WriteCropCutOut(CImgBitmap* pPhoto, const CPolyArray& selection, float tension, float feather,
                             const char* path, CRect* pRect);
