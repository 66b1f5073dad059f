#include "document/imagelist/ImageListOpening.h"

#include <windows.h>

#include "document/imagelist/ImageListRebuild.h"
#include "document/services/PathNames.h"

namespace spab_imagelist {

namespace {
const char kListFileName[] = "immagini.xml";
// "immagini-illeggibile.xml", then "-2", "-3", ...: earlier ones are kept.
const char kSetAsideStem[] = "immagini-illeggibile";
constexpr int kSetAsideTries = 1000;

bool IsMissing(const std::string& path) {
  if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool MoveAside(const std::string& albumFolder, const std::string& path, std::string& moved) {
  for (int n = 1; n <= kSetAsideTries; ++n) {
    const std::string name = std::string(kSetAsideStem) + (n == 1 ? "" : "-" + std::to_string(n)) + ".xml";
    const std::string target = JoinPath(albumFolder, name);
    if (::MoveFileA(path.c_str(), target.c_str())) {
      moved = target;
      return true;
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS && ::GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}
}  // namespace

OpenedImageList OpenAlbumImageList(const std::string& albumFolder, const std::vector<std::string>& photosInUse) {
  OpenedImageList opened;
  opened.path = JoinPath(albumFolder, kListFileName);
  opened.list = CMImageList::Load(albumFolder.c_str(), false);
  if (opened.list)
    opened.state = OpenedImageList::kRead;
  else if (IsMissing(opened.path))
    opened.state = OpenedImageList::kNone;
  else if (!MoveAside(albumFolder, opened.path, opened.setAsidePath))
    opened.state = OpenedImageList::kStuck;
  else {
    opened.state = OpenedImageList::kSetAside;
    opened.list = RebuildImageList(albumFolder, photosInUse);
  }
  return opened;
}

}  // namespace spab_imagelist
