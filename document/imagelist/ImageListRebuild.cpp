#include "document/imagelist/ImageListRebuild.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "document/imagelist/PictureLikeness.h"
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

// A picture file whose likeness is read once, when first asked for.
struct Picture {
  explicit Picture(std::string filePath) : path(std::move(filePath)) {}
  const PictureLikeness* Likeness() {
    if (!likenessRead) readable = ReadPictureLikeness(path, likeness);
    likenessRead = true;
    return readable ? &likeness : nullptr;
  }
  std::string path;
  img::ImageInfo info;

 private:
  PictureLikeness likeness{};
  bool likenessRead = false, readable = false;
};

struct ReferenceCopy : Picture {
  ReferenceCopy(std::string filePath, std::string fileName) : Picture(std::move(filePath)), name(std::move(fileName)) {}
  std::string name;
  bool paired = false;
};

// The numbers of a working copy and its reference copy drift apart (a CD
// photo takes a working number only): the reference copy of the same number
// is tried first, then every other one not yet taken. Only a picture like
// the working copy is its reference copy.
ReferenceCopy* FindReferenceOf(Picture& working, const std::string& stem, std::vector<ReferenceCopy>& references) {
  std::vector<ReferenceCopy*> candidates;
  for (ReferenceCopy& reference : references)
    if (!reference.paired && CouldBeWorkingCopyOf(working.info, reference.info)) candidates.push_back(&reference);
  std::stable_partition(candidates.begin(), candidates.end(),
                        [&stem](const ReferenceCopy* reference) { return Stem(reference->name) == stem; });
  for (ReferenceCopy* reference : candidates) {
    const PictureLikeness* workingLikeness = working.Likeness();
    if (!workingLikeness) return nullptr;
    const PictureLikeness* referenceLikeness = reference->Likeness();
    if (referenceLikeness && AreAlike(*workingLikeness, *referenceLikeness)) return reference;
  }
  return nullptr;
}
}  // namespace

std::unique_ptr<CMImageList> RebuildImageList(const std::string& albumFolder,
                                              const std::vector<std::string>& photosInUse,
                                              std::vector<std::string>* unmatched) {
  const std::string workingFolder = JoinPath(albumFolder, "img");
  const std::string referenceFolder = JoinPath(albumFolder, "rif");
  int32_t lastThumb = 0, lastRif = 0;
  std::vector<std::string> pictures;
  for (const std::string& name : FilesIn(workingFolder)) {
    lastThumb = std::max(lastThumb, NumberOf(name));
    if (!IsMaskName(name.c_str()) && IsSingleFileName(name.c_str())) pictures.push_back(name);
  }
  std::vector<std::string> referenceNames;
  for (const std::string& name : FilesIn(referenceFolder)) {
    lastRif = std::max(lastRif, NumberOf(name));
    if (IsSingleFileName(name.c_str())) referenceNames.push_back(name);
  }
  for (const std::string& name : photosInUse) lastThumb = std::max(lastThumb, NumberOf(name));
  std::sort(pictures.begin(), pictures.end(), InListOrder);
  std::sort(referenceNames.begin(), referenceNames.end(), InListOrder);
  std::vector<ReferenceCopy> references;
  for (const std::string& name : referenceNames) {
    ReferenceCopy reference(JoinPath(referenceFolder, name), name);
    if (ReadSize(reference.path, reference.info)) references.push_back(std::move(reference));
  }

  auto list = std::make_unique<CMImageList>();
  std::vector<std::string> unpaired;  // that an import could have made
  for (const std::string& name : pictures) {
    Picture working(JoinPath(workingFolder, name));
    if (!ReadSize(working.path, working.info)) continue;  // no picture, no photo
    CMImg image;
    image.nome = name;
    image.thumb = name;
    if (ReferenceCopy* reference = FindReferenceOf(working, Stem(name), references)) {
      reference->paired = true;
      image.tipo = 1;
      image.riferimento = reference->name;
    } else if (std::max(working.info.width, working.info.height) <= kWorkingSide) {
      unpaired.push_back(name);
    }
    list->AppendCopy(image);
  }
  list->ReserveNumbers(lastThumb, lastRif);
  // Only where some reference copy is left over can a photo have lost its own.
  const bool leftOver = std::any_of(references.begin(), references.end(),
                                    [](const ReferenceCopy& reference) { return !reference.paired; });
  if (unmatched) *unmatched = leftOver ? unpaired : std::vector<std::string>();
  return list;
}

}  // namespace spab_imagelist
