#include "app/support/SampleAlbum.h"

#include <stdexcept>

#include "document/TempFolder.h"
#include "document/imagelist/MImageList.h"
#include "render/TestPictures.h"

namespace {
const char kColour[] =
    "red=\"1.000000\" green=\"1.000000\" blue=\"1.000000\" brightness=\"1.000000\" contrast=\"0.500000\" "
    "saturation=\"1.000000\" alpha=\"1.000000\"";

std::string PhotoElement(const std::string& name, float x, float y, float scale) {
  char text[512];
  snprintf(text, sizeof text,
           "        <immagine name=\"%s\" pos_x=\"%f\" pos_y=\"%f\" scale_x=\"%f\" scale_y=\"%f\" "
           "rotation=\"0.000000\" %s locked=\"0\" />\n",
           name.c_str(), x, y, scale, scale, kColour);
  return text;
}
}  // namespace

void SampleAlbum::WritePicture(const std::string& path, int width, int height, unsigned colour) {
  const Rgba rgba{uint8_t(colour >> 16), uint8_t(colour >> 8), uint8_t(colour), 255};
  WriteBmp(path, width, height, [&](int, int) { return rgba; });
}

SampleAlbum::SampleAlbum(const std::string& folder) : m_folder(folder) {
  const std::string album = AlbumFolder();
  for (const char* sub : {"", "\\img", "\\rif", "\\font"}) MakeFolder(album + sub);
  MakeFolder(LibraryFolder());
  WritePicture(m_folder + "\\rosso.bmp", 64, 48, 0xFF0000);
  WritePicture(m_folder + "\\blu.bmp", 48, 64, 0x0000FF);
  WritePicture(LibraryFolder() + "\\cornice.bmp", 64, 64, 0x00FF00);
  WritePicture(LibraryFolder() + "\\effetto.bmp", 32, 32, 0x808080);
  WritePicture(LibraryFolder() + "\\fiore.bmp", 32, 32, 0xFFFF00);

  spab_imagelist::CMImageList list;
  const spab_imagelist::CMImg* a = list.AddFromFile((m_folder + "\\rosso.bmp").c_str(), album.c_str());
  const spab_imagelist::CMImg* b = list.AddFromFile((m_folder + "\\blu.bmp").c_str(), album.c_str());
  if (!a || !b) throw std::runtime_error("sample photos not imported");
  m_photoA = a->thumb;
  m_photoB = b->thumb;
  // Page 1 holds each photo once, and the list counts it so.
  list.AddRef(m_photoA.c_str());
  list.AddRef(m_photoB.c_str());
  if (!list.Save(album.c_str(), false)) throw std::runtime_error("sample image list not saved");

  const std::string head =
      "<sposalbo paginacorrente=\"0\" numMinPage=\"1\" numMaxPage=\"40\" pageWidth=\"300\" pageHeight=\"150\" "
      "rifilo=\"3\">\n";
  std::string text = head;
  text += "    <pagina>\n        <sfondo red=\"1.000000\" green=\"1.000000\" blue=\"1.000000\" />\n";
  text += PhotoElement(m_photoA, -0.4f, 0.0f, 0.3f) + PhotoElement(m_photoB, 0.4f, 0.0f, 0.3f);
  text += "    </pagina>\n    <pagina>\n";
  text +=
      "        <cornice name=\"cornice.bmp\" pos_x=\"-0.500000\" pos_y=\"0.000000\" scale_x=\"0.400000\" "
      "scale_y=\"0.400000\" rotation=\"0.000000\" " + std::string(kColour) + " locked=\"0\" masked=\"1\" />\n";
  text +=
      "        <image name=\"fiore.bmp\" pos_x=\"0.500000\" pos_y=\"0.000000\" scale_x=\"0.200000\" "
      "scale_y=\"0.200000\" rotation=\"0.000000\" " + std::string(kColour) + " locked=\"0\" />\n";
  text += "    </pagina>\n    <pagina />\n</sposalbo>\n";
  WriteTextFile(ProjectPath(), text);

  WriteTextFile(TemplatePath(), head + "    <pagina>\n" +
                                    "        <image name=\"fiore.bmp\" pos_x=\"0.100000\" pos_y=\"0.100000\" "
                                    "scale_x=\"0.200000\" scale_y=\"0.200000\" rotation=\"0.000000\" locked=\"0\" />\n"
                                    "        <image name=\"fiore.bmp\" pos_x=\"-0.100000\" pos_y=\"-0.100000\" "
                                    "scale_x=\"0.200000\" scale_y=\"0.200000\" rotation=\"0.000000\" locked=\"0\" />\n"
                                    "    </pagina>\n</sposalbo>\n");
}
