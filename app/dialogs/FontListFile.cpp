#include "app/dialogs/FontListFile.h"

#include <algorithm>
#include <new>

#include <tinyxml.h>

#include "document/albumfile/XmlFile.h"
#include "imagelib/FileReplace.h"

namespace {
// The system reports a face once per character set and style: a laboratory
// compares faces, so each is kept once, where it first came.
int CALLBACK CollectTrueType(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD, LPARAM list) {
  auto& faces = *reinterpret_cast<std::vector<std::string>*>(list);
  if ((metrics->tmPitchAndFamily & TMPF_TRUETYPE) &&
      std::find(faces.begin(), faces.end(), font->lfFaceName) == faces.end())
    faces.push_back(font->lfFaceName);
  return 1;  // always on to the next font
}
}  // namespace

std::vector<std::string> EnumTrueTypeFaces(HDC hdc) {
  std::vector<std::string> faces;
  ::EnumFontsA(hdc, nullptr, CollectTrueType, reinterpret_cast<LPARAM>(&faces));
  return faces;
}

bool WriteFontList(const std::string& path, const std::vector<std::string>& faces) {
  TiXmlDocument document;
  TiXmlElement* root = document.LinkEndChild(new TiXmlElement("fonts"))->ToElement();
  for (const std::string& face : faces) {
    TiXmlElement* font = new TiXmlElement("font");
    font->SetAttribute("name", face);
    root->LinkEndChild(font);
  }
  return WriteWholeFile(path, XmlText(document));
}

std::vector<std::string> ReadFontList(const std::string& path) {
  try {
    std::vector<std::string> faces;
    TiXmlDocument document;
    // Read as every file of the program is: one nested too deep is no list.
    if (!LoadXmlFile(path, document)) return faces;
    const TiXmlElement* root = document.FirstChildElement();
    if (!root) return faces;
    for (const TiXmlElement* child = root->FirstChildElement(); child; child = child->NextSiblingElement()) {
      if (const char* name = child->Attribute("name")) faces.push_back(name);
    }
    return faces;
  } catch (const std::bad_alloc&) {
    // As a list that cannot be read.
    return {};
  }
}
