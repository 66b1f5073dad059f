#include "document/WorkingCopy.h"

namespace {
WorkingCopyMaker g_maker = nullptr;

bool MakeWithImageLibrary(const char* /*sourcePath*/, const char* /*jpegPath*/) {
  // The image library's preview loader is not part of the build yet.
  return false;
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
