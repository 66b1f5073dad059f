#include "document/LabExportLeftovers.h"

#include <vector>

#include "document/LabExportFiles.h"

const char kLabBuildSuffix[] = ".nuovo";
const char kLabAsideSuffix[] = ".precedente";

std::string LabSiblingName(const std::string& folder, const char* suffix, int attempt) {
  return folder + suffix + (attempt > 0 ? std::to_string(attempt + 1) : std::string());
}

namespace {
std::vector<std::string> SiblingsIn(ILabExportFiles& files, const std::string& exportFolder,
                                    const char* suffix) {
  std::vector<std::string> found;
  for (int attempt = 0; attempt < kLabSiblingAttempts; ++attempt) {
    const std::string name = LabSiblingName(exportFolder, suffix, attempt);
    if (files.Exists(name)) found.push_back(name);
  }
  return found;
}
}  // namespace

LabLeftoverReport TidyLabLeftovers(ILabExportFiles& files, const std::string& exportFolder) {
  std::vector<std::string> leftovers = SiblingsIn(files, exportFolder, kLabBuildSuffix);
  std::vector<std::string> aside = SiblingsIn(files, exportFolder, kLabAsideSuffix);
  LabLeftoverReport report;
  if (leftovers.empty() && aside.empty()) return report;
  report.text = "Un invio al laboratorio interrotto aveva lasciato delle cartelle accanto a " +
                exportFolder + ":";
  // The last one moved aside is the latest earlier export: without an export
  // in place it is the one the laboratory had been sent.
  if (!aside.empty() && !files.Exists(exportFolder)) {
    const std::string earlier = aside.back();
    aside.pop_back();
    if (files.Move(earlier, exportFolder)) {
      report.text += "\n- " + earlier + ": il precedente invio, rimesso al suo posto.";
    } else {
      report.text += "\n- " + earlier + ": il precedente invio, che non si \xE8 potuto rimettere al suo posto (" +
                     files.LastError() + ").";
      report.complete = false;
    }
  }
  leftovers.insert(leftovers.end(), aside.begin(), aside.end());
  for (const std::string& folder : leftovers) {
    if (files.RemoveTree(folder)) {
      report.text += "\n- " + folder + ": eliminata.";
    } else {
      report.text += "\n- " + folder + ": impossibile eliminarla (" + files.LastError() + ").";
      report.complete = false;
    }
  }
  return report;
}
