#pragma once
// Files of the source tree (the program's pages), found from the source folder
// the build names (SPAB_SOURCE_DIR): a compiler cache may hand this header its
// place as a relative path, which would then depend on the test's own folder.
#include <string>

inline std::string SourceTreePath(const std::string& relative) {
  return std::string(SPAB_SOURCE_DIR) + "\\" + relative;
}
