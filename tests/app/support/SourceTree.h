#pragma once
// Files of the source tree (the program's pages), found from this header's own
// place in it: tests\app\support\.
#include <string>

inline std::string SourceTreePath(const std::string& relative) {
  std::string root = __FILE__;
  for (int up = 0; up < 4; ++up) root = root.substr(0, root.find_last_of("/\\"));
  return root + "\\" + relative;
}
