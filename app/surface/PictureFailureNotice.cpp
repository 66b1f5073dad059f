#include "app/surface/PictureFailureNotice.h"

#include "framework/ui_seam.h"
#include "render/PictureCache.h"
#include "render/PictureFailures.h"
#include "render/PictureTiling.h"
#include "render/TextMemory.h"

namespace {
constexpr size_t kNamesShown = 15;
// A message box runs its own loop, in which the page is drawn again: one
// notice at a time.
bool g_telling = false;
}  // namespace

std::string PictureFailureText(const std::vector<std::string>& paths, const PictureNamer& name) {
  std::string text =
      "Alcune immagini non possono essere mostrate (file illeggibile o memoria insufficiente).\n"
      "Nella pagina appaiono come riquadri grigi; lo sposalbo le conserva invariate.\n";
  for (size_t i = 0; i < paths.size() && i < kNamesShown; ++i) {
    const size_t slash = paths[i].find_last_of("\\/");
    text += "\n" + (name ? name(paths[i]) : slash == std::string::npos ? paths[i] : paths[i].substr(slash + 1));
  }
  if (paths.size() > kNamesShown) text += "\n... e altre " + std::to_string(paths.size() - kNamesShown);
  return text;
}

void TellUntoldPictureFailures(HWND owner, const PictureNamer& name) {
  if (g_telling) return;
  const std::vector<std::string> untold = TakeUntoldPictureFailures();
  if (untold.empty()) return;
  g_telling = true;
  AfxGetUiSeam()->MessageBox(owner, PictureFailureText(untold, name).c_str(), "Immagini non disponibili",
                             MB_OK | MB_ICONWARNING);
  g_telling = false;
}

void TellUntoldTextPlaceholders(HWND owner) {
  if (g_telling || !TakeUntoldTextPlaceholders()) return;
  g_telling = true;
  AfxGetUiSeam()->MessageBox(owner, kTextPlaceholderText, "Testi non disponibili", MB_OK | MB_ICONWARNING);
  g_telling = false;
}

void TellOutOfMemory(HWND owner, const char* text) {
  PictureCache::Instance().ReleaseUnused();
  ForgetDecodedSource();
  AfxGetUiSeam()->MessageBox(owner, text, "Memoria insufficiente", MB_OK | MB_ICONERROR);
}
