#pragma once
// A stand-in for the main frame: answers from its public fields and records
// every notification, so the surface, lists and dialogs run without the real
// frame. Installs itself as the process-wide frame for its lifetime.
#include <set>
#include <string>
#include <vector>

#include "app/shell/EditorFrame.h"

class FakeEditorFrame : public IEditorFrame {
 public:
  FakeEditorFrame();
  ~FakeEditorFrame() override;
  FakeEditorFrame(const FakeEditorFrame&) = delete;
  FakeEditorFrame& operator=(const FakeEditorFrame&) = delete;

  // IDocumentHost
  std::string GetResourceFolder(int kind, bool lowRes, const std::string& name, bool personal) override;
  int GetToolMode() override { return toolMode; }
  bool IsKeyDown(int virtualKey) override { return keys.count(virtualKey) != 0; }
  treeNode::CPaginaTreeNode* GetCurrentPage() override;
  bool ChooseColour(uint32_t, uint32_t&) override { return false; }
  void EditSelectionColour() override { ++colourDialogs; }
  bool EditText(std::string&, LOGFONTA&, COLORREF&) override {
    ++textDialogs;
    return false;
  }
  void InvalidatePhotoThumbnails() override {}
  void LayoutPageStatic() override { ++layouts; }

  // IEditorFrame
  CSposalboDoc* GetAlbum() override { return album; }
  bool IsRenderPaused() override { return paused; }
  void SetRenderPaused(bool p) override { paused = p; }
  bool IsSizing() override { return sizing; }
  std::string GetCustomFolder() override { return customFolder; }
  CSposalboPageStatic* GetPageSurface() override { return surface; }
  void UpdateRulers(const RulerGeometry& geometry) override { rulers.push_back(geometry); }
  void UpdatePageThumbnail(int pageIndex) override {
    ++thumbnailUpdates;
    thumbnailPages.push_back(pageIndex);
  }
  void NotifyPageList() override { ++pageListNotes; }
  void RefreshPhotoList() override { ++photoListRefreshes; }
  void CollectResourceFolders(const char* styleKey, bool custom) override;
  void OnZoomIn() override { ++zoomIns; }
  void OnZoomOut() override { ++zoomOuts; }
  void OnEditImageExternal() override { ++externalEdits; }
  bool RunCropDialog(const std::string& photoPath, const CropStore& store) override;

  // Answers.
  CSposalboDoc* album = nullptr;
  // A page to answer without an album (else the album's current page).
  treeNode::CPaginaTreeNode* page = nullptr;
  CSposalboPageStatic* surface = nullptr;
  int toolMode = 0;
  std::set<int> keys;
  bool paused = false;
  bool sizing = false;
  std::string customFolder;
  std::string libraryFolder;  // frames, effects and images: <folder>\<name>
  // The crop editor: false cancels; true writes a grey 32 x 24 cut-out with
  // the crop values below.
  bool cropAccepts = false;
  float cropX = 0.1f, cropY = 0.2f, cropRatioH = 0.5f;

  // Record.
  std::vector<RulerGeometry> rulers;
  std::vector<std::string> cropPaths;
  std::vector<std::pair<std::string, bool>> collected;
  int layouts = 0, thumbnailUpdates = 0, pageListNotes = 0, photoListRefreshes = 0;
  std::vector<int> thumbnailPages;  // the page of each thumbnail update, in order
  int zoomIns = 0, zoomOuts = 0, externalEdits = 0, colourDialogs = 0, textDialogs = 0;
};
