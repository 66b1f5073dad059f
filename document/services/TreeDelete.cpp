#include "document/services/TreeDelete.h"

namespace {
std::string WithoutTrailingSeparators(ITreeDeleteSystem& system, const std::string& path) {
  std::string trimmed = path;
  while (!trimmed.empty() && system.IsSeparator(trimmed.back())) trimmed.pop_back();
  return trimmed.empty() || trimmed.back() == ':' ? path : trimmed;
}

void DeleteTrimmed(ITreeDeleteSystem& system, const std::string& path) {
  switch (system.KindOf(path)) {
    case ITreeDeleteSystem::Kind::kLink:
      system.RemoveLink(path);
      return;
    case ITreeDeleteSystem::Kind::kFile:
      system.RemoveFile(path);
      return;
    case ITreeDeleteSystem::Kind::kFolder:
      for (const std::string& name : system.List(path))
        DeleteTrimmed(system, system.Join(path, name));
      system.RemoveFolder(path);
      return;
  }
}
}  // namespace

void DeleteTree(ITreeDeleteSystem& system, const std::string& path) {
  DeleteTrimmed(system, WithoutTrailingSeparators(system, path));
}
