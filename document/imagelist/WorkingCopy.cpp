#include "document/imagelist/WorkingCopy.h"

#include "imagelib/ImgBitmap.h"

namespace {
WorkingCopyMaker g_maker = nullptr;

// Alpha kept when the file has it, no embedded thumbnail, fitted into 1024 pixels.
bool MakeWithImageLibrary(const char* sourcePath, const char* jpegPath) {
  CImgBitmap preview;
  if (!preview.LoadPreview(sourcePath, 1, false, 1024, true)) return false;
  return preview.Save(jpegPath, IMG_FORMAT_JPEG, 1, 90) != 0;
}
}  // namespace

bool MakeWorkingCopy(const char* sourcePath, const char* jpegPath) {
  return g_maker ? g_maker(sourcePath, jpegPath) : MakeWithImageLibrary(sourcePath, jpegPath);
}

WorkingCopyMaker SetWorkingCopyMaker(WorkingCopyMaker maker) {
  WorkingCopyMaker previous = g_maker;
  g_maker = maker;
  return previous;
}
