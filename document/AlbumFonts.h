#pragma once
// The album's own TrueType fonts ("font" in the album folder): in the system's
// font table while the album is open, so its texts show in fonts this computer
// does not have installed.
#include <windows.h>

#include <string>
#include <vector>

class CAlbumFonts {
 public:
  CAlbumFonts() = default;
  ~CAlbumFonts() { Unload(); }
  CAlbumFonts(const CAlbumFonts&) = delete;
  CAlbumFonts& operator=(const CAlbumFonts&) = delete;

  // Adds every "*.ttf" of albumFolder\font; returns how many the system took.
  int Load(const std::string& albumFolder);
  // Takes back exactly the files Load added.
  void Unload();

  // Full paths of the font files in the system's table now.
  const std::vector<std::string>& GetLoadedFiles() const { return m_loaded; }

 private:
  std::vector<std::string> m_loaded;
};

// Writes the whole TrueType data of the installed font of that face to path
// (created or truncated). False, with no file left, when this computer has no
// font of that face (the system would hand another one), the font has no
// TrueType data or the file cannot be written.
bool WriteFontFile(const LOGFONTA& font, const std::string& path);
