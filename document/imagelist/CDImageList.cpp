#include "document/imagelist/CDImageList.h"

#include <new>

#include <tinyxml.h>

#include "document/albumfile/XmlFile.h"
#include "document/services/PathNames.h"

namespace cd_imagelist {

std::unique_ptr<CCDImageList> CCDImageList::Load(const char* cdFolder) {
  try {
    std::string path = std::string(cdFolder ? cdFolder : "") + "\\cd.xml";
    TiXmlDocument document;
    if (!LoadXmlFile(path, document)) return nullptr;
    const TiXmlElement* root = document.RootElement();
    if (!root) return nullptr;

    auto list = std::make_unique<CCDImageList>();
    if (const char* key = root->Attribute("cdKey")) list->cdKey = key;
    // Tolerant reading: whatever the element names, every child is a photo.
    for (const TiXmlElement* child = root->FirstChildElement(); child;
         child = child->NextSiblingElement()) {
      const char* nome = child->Attribute("nome");
      if (!IsRelativeSubPath(nome)) {
        list->refused.emplace_back(nome ? nome : "");
        continue;
      }
      auto image = std::make_unique<CCDImg>();
      image->nome = nome;
      list->images.push_back(std::move(image));
    }
    return list;
  } catch (const std::bad_alloc&) {
    // As a list that cannot be read.
    return nullptr;
  }
}

}  // namespace cd_imagelist
