#include "document/AlbumFolder.h"

#include <windows.h>

#include "document/services/PathNames.h"
#include "imagelib/FileReplace.h"

const char kProjectFileName[] = "sposalbo.sbm";
const char kImageListFileName[] = "immagini.xml";

namespace {
// Nozze, then Nozze_1 up to Nozze_1000.
constexpr int kMaxNameRetries = 1000;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string WithoutTrailingSeparators(std::string path) {
  while (!path.empty() && IsSeparator(path.back())) path.pop_back();
  return path;
}

std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH];
  DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, buffer, nullptr);
  if (length == 0 || length >= MAX_PATH) return path;
  return std::string(buffer, length);
}
}  // namespace

bool IsValidAlbumFolderName(const std::string& name) { return IsSingleFileName(name.c_str()); }

bool CreateAlbumFolder(const std::string& parent, const std::string& name,
                       std::string& createdFolder) {
  if (!IsValidAlbumFolderName(name)) return false;
  const std::string base = JoinPath(parent, name);
  std::string candidate = base;
  for (int retry = 0;; ++retry) {
    // Every name is made before the folder: once it exists, running out of
    // memory cannot leave it behind.
    const std::string img = JoinPath(candidate, "img"), rif = JoinPath(candidate, "rif");
    createdFolder.reserve(candidate.size());
    if (::CreateDirectoryA(candidate.c_str(), nullptr)) {
      createdFolder.assign(candidate);
      // An album without these still opens; the image list makes them again.
      ::CreateDirectoryA(img.c_str(), nullptr);
      ::CreateDirectoryA(rif.c_str(), nullptr);
      return true;
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS || retry == kMaxNameRetries) return false;
    candidate = base + "_" + std::to_string(retry + 1);
  }
}

void RemoveEmptyAlbumFolder(const std::string& folder) {
  ::RemoveDirectoryA(JoinPath(folder, "img").c_str());
  ::RemoveDirectoryA(JoinPath(folder, "rif").c_str());
  ::RemoveDirectoryA(folder.c_str());
}

bool IsDriveRoot(const std::string& path) {
  // "C:" alone names the current folder of that drive; it is never an album.
  const std::string raw = WithoutTrailingSeparators(path);
  if (raw.empty() || (raw.size() == 2 && raw[1] == ':')) return true;
  const std::string full = WithoutTrailingSeparators(FullPath(path));
  if (full.empty()) return true;
  if (full.size() <= 2 && (full.size() < 2 || full[1] == ':')) return true;
  if (full.size() > 2 && IsSeparator(full[0]) && IsSeparator(full[1])) {
    // \\server\share is the root of a network drive.
    int components = 0;
    bool inComponent = false;
    for (size_t i = 2; i < full.size(); ++i) {
      if (IsSeparator(full[i])) {
        inComponent = false;
      } else if (!inComponent) {
        inComponent = true;
        ++components;
      }
    }
    return components <= 2;
  }
  return false;
}

bool HoldsAlbum(const std::string& folder) {
  const DWORD folderAttributes = ::GetFileAttributesA(folder.c_str());
  if (folderAttributes == INVALID_FILE_ATTRIBUTES || !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  const DWORD attributes = ::GetFileAttributesA(JoinPath(folder, kProjectFileName).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveAlbumFolder(const std::string& folder) {
  const std::string path = WithoutTrailingSeparators(folder);
  if (path.empty() || IsDriveRoot(path) || !HoldsAlbum(path)) return false;
  const std::string project = JoinPath(path, kProjectFileName);
  bool removed = true;
  for (const std::string& file : {project, project + ".lock", JoinPath(path, kImageListFileName)}) {
    RemoveLeftoverReplacement(file);
    // Read-only or not, the file is the program's own.
    ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::DeleteFileA(file.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND) removed = false;
  }
  RemoveEmptyAlbumFolder(path);
  return removed;
}

std::string FolderLastName(const std::string& folder) {
  const std::string path = WithoutTrailingSeparators(folder);
  return FindFileName(path.c_str());
}
