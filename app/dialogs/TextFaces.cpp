#include "app/dialogs/TextFaces.h"

#include <windows.h>

#include <algorithm>

std::string ChooseTextFace(const std::string& wanted, const std::vector<std::string>& installed,
                           const std::function<bool(const std::string&)>& isLabFace, const std::string& systemFace) {
  auto has = [&installed](const std::string& face) {
    return !face.empty() && std::find(installed.begin(), installed.end(), face) != installed.end();
  };
  if (has(wanted)) return wanted;
  if (isLabFace) {
    // Faces whose names start with "@" are the vertical forms of another.
    for (const std::string& face : installed)
      if (face[0] != '@' && isLabFace(face)) return face;
  }
  if (has(systemFace)) return systemFace;
  for (const std::string& face : installed)
    if (!face.empty() && face[0] != '@') return face;
  return wanted;
}

std::string SystemTextFace() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return std::string();
  return metrics.lfMessageFont.lfFaceName;
}
