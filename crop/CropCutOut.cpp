#include "crop/CropCutOut.h"

#include <algorithm>

#include "crop/CurvePath.h"
#include "crop/SoftMask.h"
#include "imagelib/ImgBitmap.h"
#include "imagelib/IplFailures.h"

namespace {
// Takes a region of interest off a picture again when the owner goes.
class RoiScope {
 public:
  explicit RoiScope(IplImage* image) : m_image(image) {}
  ~RoiScope() {
    if (m_image && m_image->roi) {
      iplFree(m_image->roi);
      m_image->roi = nullptr;
    }
  }
  RoiScope(const RoiScope&) = delete;
  RoiScope& operator=(const RoiScope&) = delete;

 private:
  IplImage* m_image;
};

// The selection's soft mask over the cut-out, in cut-out pixels.
bool PaintMask(const CPolyArray& selection, float tension, float feather, const CRect& rect, CAlphaPlane& plane) {
  const CPoint shift(-rect.left, -rect.top);
  for (INT_PTR i = 0; i < selection.GetSize(); ++i) {
    std::vector<MaskOutline> outlines;
    if (!FlattenCurves(CurveOutlines(selection[i], [shift](CPoint p) { return CPoint(p.x + shift.x, p.y + shift.y); }),
                       tension, outlines))
      return false;
    PaintSoftShape(plane, outlines, feather, SoftFill::opaqueCentre);
  }
  return true;
}

void StoreMask(const CAlphaPlane& plane, CImgBitmap& cutOut) {
  IplImage* image = cutOut.GetIplImage();
  for (int y = 0; y < plane.Height(); ++y) {
    // Rows of the picture run bottom-up.
    auto* row = reinterpret_cast<uint8_t*>(image->imageData) + static_cast<size_t>(image->height - 1 - y) * image->widthStep;
    for (int x = 0; x < plane.Width(); ++x) row[static_cast<size_t>(x) * 4 + 3] = plane.At(x, y);
  }
}

// One channel of the photo's region into the same channel of the cut-out.
bool CopyChannel(CImgBitmap& photo, CImgBitmap& cutOut, int channel, const CRect& rect, bool multiply) {
  const int h = rect.Height();
  if (!photo.SetROI(channel, rect.left, photo.GetHeight() - rect.bottom, rect.Width(), h)) return false;
  cutOut.SelectChannel(channel);
  // The image library's handler clears the status of a failure: the watch
  // sees it.
  const img::IplFailureWatch watch;
  if (multiply)
    iplMultiplyScale(photo.GetIplImage(), cutOut.GetIplImage(), cutOut.GetIplImage());
  else
    iplCopy(photo.GetIplImage(), cutOut.GetIplImage());
  return !watch.Failed();
}
}  // namespace

CutOutResult WriteCropCutOut(CImgBitmap* pPhoto, const CPolyArray& selection, float tension, float feather,
                             const char* path, CRect* pRect) {
  if (!pPhoto || !pPhoto->IsValid()) return CutOutResult::noImage;
  const int W = pPhoto->GetWidth(), H = pPhoto->GetHeight();
  CRect bounds;
  if (!SelectionBounds(selection, tension, bounds)) return CutOutResult::failed;
  CRect rect;
  rect.left = std::min<LONG>(std::max<LONG>(bounds.left, 0), W - 1);
  rect.top = std::min<LONG>(std::max<LONG>(bounds.top, 0), H - 1);
  rect.right = std::min<LONG>(std::max<LONG>(bounds.right, rect.left), W - 1);
  rect.bottom = std::min<LONG>(std::max<LONG>(bounds.bottom, rect.top), H - 1);
  if (pRect) *pRect = rect;
  if (rect.Width() <= 0 || rect.Height() <= 0) return CutOutResult::emptySelection;

  CImgBitmap cutOut;
  if (!cutOut.Create(rect.Width(), rect.Height(), true, true, 0)) return CutOutResult::failed;
  CAlphaPlane plane(0, 0, rect.Width(), rect.Height());
  if (!PaintMask(selection, tension, feather, rect, plane)) return CutOutResult::failed;
  if (plane.IsBlank()) return CutOutResult::emptySelection;
  StoreMask(plane, cutOut);
  {
    RoiScope photoRoi(pPhoto->GetIplImage());
    RoiScope cutOutRoi(cutOut.GetIplImage());
    for (int channel = 1; channel <= 3; ++channel)
      if (!CopyChannel(*pPhoto, cutOut, channel, rect, false)) return CutOutResult::failed;
    if (pPhoto->GetAlphaChannel() && !CopyChannel(*pPhoto, cutOut, 4, rect, true)) return CutOutResult::failed;
  }
  return cutOut.Save(path, IMG_FORMAT_TIFF, 1, 90) ? CutOutResult::written : CutOutResult::failed;
}
