#include "app/support/FakeEditorFrame.h"

#include "document/SposalboDoc.h"
#include "imagelib/ImgBitmap.h"

FakeEditorFrame::FakeEditorFrame() { SetEditorFrame(this); }

FakeEditorFrame::~FakeEditorFrame() {
  if (GetEditorFrame() == this) SetEditorFrame(nullptr);
}

std::string FakeEditorFrame::GetResourceFolder(int kind, bool lowRes, const std::string& name, bool personal) {
  if (kind == 0) return album ? album->GetResourceFolder(kind, lowRes, name, personal) : std::string();
  return libraryFolder + "\\" + name;
}

treeNode::CPaginaTreeNode* FakeEditorFrame::GetCurrentPage() {
  if (page) return page;
  return album ? album->GetCurrentPage() : nullptr;
}

void FakeEditorFrame::CollectResourceFolders(const char* styleKey, bool custom) {
  collected.emplace_back(styleKey ? styleKey : "", custom);
}

bool FakeEditorFrame::RunCropDialog(const std::string& photoPath, const CropStore& store) {
  cropPaths.push_back(photoPath);
  if (!cropAccepts) return false;
  return store([this](const CString& path, float& x, float& y, float& h) {
    CImgBitmap cut;
    if (!cut.Create(32, 24, false, true, 128)) return false;
    x = cropX;
    y = cropY;
    h = cropRatioH;
    return cut.Save(path, IMG_FORMAT_TIFF, 0, 90) != 0;
  });
}
