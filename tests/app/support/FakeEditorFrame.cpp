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
    // A green ring around a clear hole (columns 10 to 21, rows 8 to 15).
    CImgBitmap cut;
    if (!cut.Create(32, 24, true)) return false;
    const IplImage* image = cut.GetIplImage();
    for (int row = 0; row < 24; ++row)
      for (int column = 0; column < 32; ++column) {
        uint8_t* pixel = reinterpret_cast<uint8_t*>(image->imageData) + row * image->widthStep + column * 4;
        const bool hole = column >= 10 && column < 22 && row >= 8 && row < 16;
        pixel[0] = pixel[2] = 0;
        pixel[1] = 160;
        pixel[3] = hole ? 0 : 255;
      }
    x = cropX;
    y = cropY;
    h = cropRatioH;
    return cut.Save(path, IMG_FORMAT_TIFF, 0, 90) != 0;
  });
}
