// The program folder as the editor reads it: libraries in both resolutions,
// frames with their masks, templates naming only pictures that exist, the
// laboratory's key and the font list.
#include <gtest/gtest.h>
#include <tinyxml.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/dialogs/FontListFile.h"
#include "document/LabKeys.h"
#include "document/TempFolder.h"
#include "document/services/CryptoEngine.h"
#include "imagelib/ImgBitmap.h"

namespace {

std::string Program(const std::string& relative) { return std::string(SPAB_PROGRAM_DIR) + "\\" + relative; }

std::set<std::string> Library(const std::string& kind, const char* resolution) {
  return FilesIn(Program(kind + "\\" + resolution));
}

bool IsMask(const std::string& name) { return name.find(".msk.") != std::string::npos; }

TEST(ProgramFolder, LibrariesHoldTheSamePicturesInBothResolutionsHalfTheSize) {
  for (const char* kind : {"frame", "effect", "image"}) {
    SCOPED_TRACE(kind);
    const std::set<std::string> low = Library(kind, "lowres");
    EXPECT_GE(low.size(), 5u);
    EXPECT_EQ(low, Library(kind, "highres"));
    for (const std::string& name : low) {
      SCOPED_TRACE(name);
      CImgBitmap small, large;
      ASSERT_TRUE(small.Load(Program(std::string(kind) + "\\lowres\\" + name).c_str(), 1, 1));
      ASSERT_TRUE(large.Load(Program(std::string(kind) + "\\highres\\" + name).c_str(), 1, 2));
      EXPECT_NEAR(small.GetWidth(), large.GetWidth(), 1);
      EXPECT_NEAR(small.GetHeight(), large.GetHeight(), 1);
      // A frame's window and its mask's shape are its transparency.
      if (std::string(kind) == "frame") {
        EXPECT_EQ(small.GetAlphaChannel(), 4);
      }
    }
  }
  for (const std::string& name : Library("frame", "lowres")) {
    if (IsMask(name)) continue;
    const std::string mask = name.substr(0, name.rfind('.')) + ".msk" + name.substr(name.rfind('.'));
    EXPECT_TRUE(FileExists(Program("frame\\lowres\\" + mask))) << name;
  }
}

// A JPEG effect's green channel is the photo's opacity; its red and blue
// only colour the thumbnail: a pale shape on wine red, not white on black.
TEST(ProgramFolder, JpegEffectsShowAPaleShapeOnAColouredGround) {
  int jpegs = 0;
  for (const std::string& name : Library("effect", "lowres")) {
    if (name.substr(name.rfind('.')) != ".jpg") continue;
    SCOPED_TRACE(name);
    ++jpegs;
    CImgBitmap effect;
    ASSERT_TRUE(effect.Load(Program("effect\\lowres\\" + name).c_str(), 1, 1));
    const IplImage* image = effect.GetIplImage();
    const auto pixel = [&](int x, int y) {
      return reinterpret_cast<const unsigned char*>(image->imageData) + static_cast<ptrdiff_t>(y) * image->widthStep + x * 3;
    };
    const unsigned char* corner = pixel(1, 1);  // hidden: blue, green, red
    EXPECT_LE(corner[1], 6);
    EXPECT_GE(corner[2], 100);
    const unsigned char* centre = pixel(effect.GetWidth() / 2, effect.GetHeight() / 2);  // shown
    EXPECT_GE(centre[1], 128);
    EXPECT_GE(centre[2], 240);
  }
  EXPECT_GE(jpegs, 3);
}

// Every picture a template names must be in its library.
void ExpectPicturesExist(const TiXmlElement* element, const std::string& file) {
  for (; element; element = element->NextSiblingElement()) {
    const std::string tag = element->Value();
    const char* name = element->Attribute("name");
    const char* kind = tag == "cornice" ? "frame" : tag == "effetto" ? "effect" : tag == "image" ? "image" : nullptr;
    if (kind) {
      ASSERT_TRUE(name) << file << ": " << tag;
      EXPECT_TRUE(FileExists(Program(std::string(kind) + "\\lowres\\" + name))) << file << ": " << name;
    }
    if (tag == "immagine") {
      int bookmark = 0;
      element->QueryIntAttribute("bookmark", &bookmark);
      EXPECT_GT(bookmark, 0) << file;
    }
    ExpectPicturesExist(element->FirstChildElement(), file);
  }
}

TEST(ProgramFolder, TemplatesArePagesOfLibraryPicturesAndNumberedPlaceholders) {
  for (const char* folder : {"template", "PageTemplate"}) {
    const std::set<std::string> files = FilesIn(Program(folder));
    EXPECT_GE(files.size(), 2u) << folder;
    for (const std::string& name : files) {
      const std::string path = Program(std::string(folder) + "\\" + name);
      TiXmlDocument document;
      ASSERT_TRUE(document.LoadFile(path.c_str())) << path;
      const TiXmlElement* root = document.RootElement();
      ASSERT_TRUE(root && std::string(root->Value()) == "sposalbo") << path;
      EXPECT_TRUE(root->FirstChildElement("pagina")) << path;
      ExpectPicturesExist(root->FirstChildElement(), name);
    }
  }
}

// A page is one unit high and as wide as the album's pages are in proportion;
// a background picture is stretched over exactly that.
TEST(ProgramFolder, TemplateBackgroundsCoverTheirPageAndNoMore) {
  int backgrounds = 0;
  for (const std::string& name : FilesIn(Program("template"))) {
    TiXmlDocument document;
    ASSERT_TRUE(document.LoadFile(Program("template\\" + name).c_str())) << name;
    const TiXmlElement* root = document.RootElement();
    double width = 0, height = 0;
    root->QueryDoubleAttribute("pageWidth", &width);
    root->QueryDoubleAttribute("pageHeight", &height);
    ASSERT_GT(height, 0) << name;
    for (const TiXmlElement* page = root->FirstChildElement("pagina"); page; page = page->NextSiblingElement("pagina")) {
      const TiXmlElement* sfondo = page->FirstChildElement("sfondo");
      const TiXmlElement* picture = sfondo ? sfondo->FirstChildElement("image") : nullptr;
      if (!picture) continue;
      SCOPED_TRACE(name + ": " + picture->Attribute("name"));
      ++backgrounds;
      CImgBitmap bitmap;
      ASSERT_TRUE(bitmap.Load(Program(std::string("image\\lowres\\") + picture->Attribute("name")).c_str(), 1, 1));
      double scaleX = 0, scaleY = 0;
      picture->QueryDoubleAttribute("scale_x", &scaleX);
      picture->QueryDoubleAttribute("scale_y", &scaleY);
      EXPECT_NEAR(scaleX * bitmap.GetWidth() / bitmap.GetHeight(), width / height, 0.01);
      EXPECT_NEAR(scaleY, 1.0, 0.01);
    }
  }
  EXPECT_GE(backgrounds, 4);
}

TEST(ProgramFolder, SealsMadeWithThePublicKeyOpenWithTheLaboratorysPrivateKey) {
  lab_test::Laboratory lab(lab_test::ReadBytes(SPAB_LAB_PRIVATE_KEY));
  ASSERT_TRUE(lab.Ready());
  CCryptoEngine engine;
  ASSERT_TRUE(engine.AcquireContext());
  ASSERT_TRUE(engine.ImportPublicKey(Program("public.key").c_str()));
  TempFolder dir;
  WriteTextFile(dir / "sposalbo.sbm", "<sposalbo />\n");
  ASSERT_TRUE(engine.SignFile((dir / "sposalbo.sbm").c_str(), nullptr));
  EXPECT_EQ(lab.OpenSeal(lab_test::ReadBytes(dir / "sposalbo.sig")), lab.Md5("<sposalbo />\n"));
}

TEST(ProgramFolder, FontListNamesTheLaboratorysFaces) {
  const std::vector<std::string> faces = ReadFontList(Program("sposalbo.sfl"));
  EXPECT_NE(std::find(faces.begin(), faces.end(), "Times New Roman"), faces.end());
  EXPECT_GE(faces.size(), 4u);
}

}  // namespace
