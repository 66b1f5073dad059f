#include "document/imagelist/ImageListRebuild.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <map>

#include "document/services/PathNames.h"
#include "document/services/Win32Handle.h"
#include "imagelib/ImageFile.h"
#include "render/MaskPath.h"

namespace spab_imagelist {

namespace {
constexpr int32_t kWorkingSide = 1024;  // no working copy is larger on any side

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  CScopedFind find(::FindFirstFileA(JoinPath(folder, "*").c_str(), &entry));
  for (bool more = find.IsValid(); more; more = ::FindNextFileA(find.Get(), &entry) != 0)
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
  return names;
}

// The number of a name the list made ("12" of "12.jpg" and of "12.msk.jpg");
// -1 for a name it cannot have made.
int32_t NumberOf(const std::string& name) {
  int64_t number = 0;
  size_t digits = 0;
  for (; digits < name.size() && std::isdigit(static_cast<unsigned char>(name[digits])); ++digits) {
    number = number * 10 + (name[digits] - '0');
    if (number > INT32_MAX) return -1;
  }
  if (digits == 0 || (digits < name.size() && name[digits] != '.')) return -1;
  return static_cast<int32_t>(number);
}

// What a working copy and its reference copy share: the name without its
// extension, in either case.
std::string Stem(const std::string& name) {
  std::string stem = name.substr(0, name.rfind('.'));
  std::transform(stem.begin(), stem.end(), stem.begin(),
                 [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
  return stem;
}

// The list's numbers first, in their order; other names after, by name.
bool InListOrder(const std::string& a, const std::string& b) {
  const int32_t na = NumberOf(a), nb = NumberOf(b);
  if ((na < 0) != (nb < 0)) return na >= 0;
  if (na != nb) return na < nb;
  return a < b;
}

bool ReadSize(const std::string& path, img::ImageInfo& info) {
  img::ImageFile file;
  if (!file.Open(path)) return false;
  info = file.Info();
  return true;
}

// A working copy is the reference picture fitted into kWorkingSide, never
// enlarged: its proportions differ from the reference's by the rounding of
// the fit alone (two of its pixels at most).
bool CouldBeWorkingCopyOf(const img::ImageInfo& working, const img::ImageInfo& reference) {
  if (std::max(working.width, working.height) > kWorkingSide || working.width > reference.width ||
      working.height > reference.height)
    return false;
  const int64_t skew = int64_t{working.width} * reference.height - int64_t{working.height} * reference.width;
  return std::llabs(skew) <= 2 * int64_t{std::max(reference.width, reference.height)};
}
}  // namespace

std::unique_ptr<CMImageList> RebuildImageList(const std::string& albumFolder,
                                              const std::vector<std::string>& photosInUse) {
  const std::string workingFolder = JoinPath(albumFolder, "img");
  const std::string referenceFolder = JoinPath(albumFolder, "rif");
  int32_t lastThumb = 0, lastRif = 0;
  std::vector<std::string> pictures;
  for (const std::string& name : FilesIn(workingFolder)) {
    lastThumb = std::max(lastThumb, NumberOf(name));
    if (!IsMaskName(name.c_str()) && IsSingleFileName(name.c_str())) pictures.push_back(name);
  }
  std::multimap<std::string, std::string> references;  // by stem
  for (const std::string& name : FilesIn(referenceFolder)) {
    lastRif = std::max(lastRif, NumberOf(name));
    if (IsSingleFileName(name.c_str())) references.emplace(Stem(name), name);
  }
  for (const std::string& name : photosInUse) lastThumb = std::max(lastThumb, NumberOf(name));
  std::sort(pictures.begin(), pictures.end(), InListOrder);

  auto list = std::make_unique<CMImageList>();
  for (const std::string& name : pictures) {
    img::ImageInfo working;
    if (!ReadSize(JoinPath(workingFolder, name), working)) continue;  // no picture, no photo
    CMImg image;
    image.nome = name;
    image.thumb = name;
    const auto sameStem = references.equal_range(Stem(name));
    for (auto it = sameStem.first; it != sameStem.second && image.tipo == 0; ++it) {
      img::ImageInfo reference;
      if (ReadSize(JoinPath(referenceFolder, it->second), reference) && CouldBeWorkingCopyOf(working, reference)) {
        image.tipo = 1;
        image.riferimento = it->second;
      }
    }
    list->AppendCopy(image);
  }
  list->ReserveNumbers(lastThumb, lastRif);
  return list;
}

}  // namespace spab_imagelist
