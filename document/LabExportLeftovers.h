#pragma once
// Beside a laboratory export: the new export while it is written
// ("<export>.nuovo") and the earlier one while the new one takes its place
// ("<export>.precedente"). A name in use gets a number ("<export>.nuovo2").
// An export that never finished leaves them behind; the next one tidies them.
#include <string>

class ILabExportFiles;

extern const char kLabBuildSuffix[];
extern const char kLabAsideSuffix[];
constexpr int kLabSiblingAttempts = 100;

// folder + suffix, numbered from the second attempt on.
std::string LabSiblingName(const std::string& folder, const char* suffix, int attempt);

struct LabLeftoverReport {
  std::string text;     // what was found and done, for the user; empty: nothing found
  bool complete = true;  // false when a folder could not be put back or removed
};

// With no export in place, the earlier export moved aside goes back to its
// place; every other folder an interrupted export left is removed.
LabLeftoverReport TidyLabLeftovers(ILabExportFiles& files, const std::string& exportFolder);
