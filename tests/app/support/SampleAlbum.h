#pragma once
// A three-page album on disk for the editor's tests: two photos imported
// through the album image list, a library folder with a frame, an effect and
// an image, and a page template. Page 1 holds the two photos side by side
// (photo A left at (-0.4, 0), photo B right at (0.4, 0), both at scale 0.3);
// page 2 holds a masked frame and a library image; page 3 is empty.
#include <string>

class SampleAlbum {
 public:
  // Writes everything below an existing folder (no trailing backslash).
  explicit SampleAlbum(const std::string& folder);
  std::string ProjectPath() const { return m_folder + "\\album\\sposalbo.sbm"; }
  std::string AlbumFolder() const { return m_folder + "\\album"; }
  std::string LibraryFolder() const { return m_folder + "\\library"; }
  std::string TemplatePath() const { return m_folder + "\\pagina.sbt"; }
  // Working names of the imported photos.
  const std::string& PhotoA() const { return m_photoA; }
  const std::string& PhotoB() const { return m_photoB; }
  // Library pictures: "cornice.bmp", "effetto.bmp", "fiore.bmp".

  // A small BMP of one colour (0xRRGGBB).
  static void WritePicture(const std::string& path, int width, int height, unsigned colour);

 private:
  std::string m_folder;
  std::string m_photoA;
  std::string m_photoB;
};
