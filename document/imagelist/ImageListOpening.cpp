#include "document/imagelist/ImageListOpening.h"

#include <windows.h>

#include <fstream>
#include <iterator>

#include "document/imagelist/ImageListRebuild.h"
#include "document/services/PathNames.h"

namespace spab_imagelist {

namespace {
const char kListFileName[] = "immagini.xml";
// "immagini-illeggibile.xml", then "-2", "-3", ...: earlier ones are kept.
const char kSetAsideStem[] = "immagini-illeggibile";
// The same for a list whose entries were refused for their names.
const char kKeptStem[] = "immagini-nomi-non-validi";
constexpr int kSetAsideTries = 1000;

std::string NumberedPath(const std::string& albumFolder, const char* stem, int n) {
  return JoinPath(albumFolder, std::string(stem) + (n == 1 ? "" : "-" + std::to_string(n)) + ".xml");
}

bool AlreadyThere(DWORD error) { return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS; }

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsMissing(const std::string& path) {
  if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  const DWORD error = ::GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// A list that is gone while its photos are still there was lost, not never
// made: a new album, or one that never imported, has no working copy.
bool HasWorkingCopies(const std::string& albumFolder) {
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA(JoinPath(albumFolder, "img\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool any = false;
  do {
    any = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  } while (!any && ::FindNextFileA(search, &found));
  ::FindClose(search);
  return any;
}

bool MoveAside(const std::string& albumFolder, const std::string& path, std::string& moved) {
  for (int n = 1; n <= kSetAsideTries; ++n) {
    const std::string target = NumberedPath(albumFolder, kSetAsideStem, n);
    if (::MoveFileA(path.c_str(), target.c_str())) {
      moved = target;
      return true;
    }
    if (!AlreadyThere(::GetLastError())) return false;
  }
  return false;
}

// An album opened again before it was saved finds its copy already kept.
bool KeepCopy(const std::string& albumFolder, const std::string& path, std::string& kept) {
  const std::string bytes = FileBytes(path);
  for (int n = 1; n <= kSetAsideTries; ++n) {
    const std::string target = NumberedPath(albumFolder, kKeptStem, n);
    const bool copied = ::CopyFileA(path.c_str(), target.c_str(), TRUE) != 0;
    const bool taken = !copied && AlreadyThere(::GetLastError());
    if (copied || (taken && FileBytes(target) == bytes)) {
      kept = target;
      return true;
    }
    if (!taken) return false;
  }
  return false;
}
}  // namespace

OpenedImageList OpenAlbumImageList(const std::string& albumFolder, const std::vector<std::string>& photosInUse) {
  OpenedImageList opened;
  opened.path = JoinPath(albumFolder, kListFileName);
  opened.list = CMImageList::Load(albumFolder.c_str(), false, &opened.refused);
  if (opened.list) {
    opened.state = OpenedImageList::kRead;
    if (!opened.refused.empty()) KeepCopy(albumFolder, opened.path, opened.keptPath);
  } else if (IsMissing(opened.path)) {
    if (HasWorkingCopies(albumFolder)) {
      opened.state = OpenedImageList::kLost;
      opened.list = RebuildImageList(albumFolder, photosInUse, &opened.unmatched);
    } else {
      opened.state = OpenedImageList::kNone;
    }
  } else if (!MoveAside(albumFolder, opened.path, opened.setAsidePath)) {
    opened.state = OpenedImageList::kStuck;
  } else {
    opened.state = OpenedImageList::kSetAside;
    opened.list = RebuildImageList(albumFolder, photosInUse, &opened.unmatched);
  }
  return opened;
}

}  // namespace spab_imagelist
