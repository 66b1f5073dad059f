#pragma once
// The one interface through which the page surface, the thumbnail lists, the
// dialogs and the commands reach the main frame. It extends the album
// document's host (picture folders, current page, tool mode, keys held, the
// colour and text dialogs), so the frame implements one interface and a test
// one stand-in. The process-wide main-frame pointer holds it; while it is null
// (before the frame made its client area) the callers do nothing that needs
// the frame.
#include <functional>
#include <string>

#include "document/DocumentHost.h"
#include "document/imagelist/MImageList.h"

class CSposalboDoc;
class CSposalboPageStatic;

// What the page surface tells the rulers after every pan, zoom or mouse move.
struct RulerGeometry {
  int reason = 0;  // 0 every frame, 1 pan, 2 zoom, 3 mouse moved
  int panX = 0;
  int panY = 0;
  WPARAM mouseW = 0;  // the mouse message's two parameters
  LPARAM mouseL = 0;
  int pageWidth = 0;  // the album's page size
  int pageHeight = 0;
  float zoom = 1.0f;
  float pixelsPerUnit = 10.0f;
  int halfWidth = 0;  // half the view's client size
  int halfHeight = 0;
};

class IEditorFrame : public IDocumentHost {
 public:
  // Hands the crop editor's cut-out to the album (which writes it); true when
  // it was stored.
  using CropStore = std::function<bool(const spab_imagelist::CMImageList::SaveCropFunction& saveCut)>;

  // The open album, null when none.
  virtual CSposalboDoc* GetAlbum() = 0;
  // The page surface draws nothing while rendering is paused (no album, a
  // thumbnail drag, the frame being sized).
  virtual bool IsRenderPaused() = 0;
  virtual void SetRenderPaused(bool paused) = 0;
  // True between the first sizing step and the end of a size or move loop.
  virtual bool IsSizing() = 0;
  // The user's own graphics folder ("Pers Path"), empty when none.
  virtual std::string GetCustomFolder() = 0;
  // The surface of the view, null before the view exists.
  virtual CSposalboPageStatic* GetPageSurface() = 0;

  virtual void UpdateRulers(const RulerGeometry& geometry) = 0;
  // The page bar draws the thumbnail of the album's page at that index again.
  virtual void UpdatePageThumbnail(int pageIndex) = 0;
  // The same for the current page, when it is marked changed.
  void UpdateCurrentPageThumbnail();
  // The page bar applies the album root's pending page-list change.
  virtual void NotifyPageList() = 0;
  // The photo bar lists the album's photos again.
  virtual void RefreshPhotoList() = 0;
  // Points the library lists at the standard or the custom folders.
  virtual void CollectResourceFolders(const char* styleKey, bool custom) = 0;

  virtual void OnZoomIn() = 0;
  virtual void OnZoomOut() = 0;
  // The configured outside editor on the selected photo.
  virtual void OnEditImageExternal() = 0;
  // The crop editor on a photo file; on OK the cut-out goes to store. False
  // when cancelled or when the cut-out could not be stored.
  virtual bool RunCropDialog(const std::string& photoPath, const CropStore& store) = 0;
};

// The process-wide main-frame pointer; setting it also makes the frame the
// album document's host.
void SetEditorFrame(IEditorFrame* frame);
IEditorFrame* GetEditorFrame();
