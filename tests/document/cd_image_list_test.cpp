#include <gtest/gtest.h>

#include "TempFolder.h"
#include "document/imagelist/CDImageList.h"

namespace {

using cd_imagelist::CCDImageList;
using Names = std::vector<std::string>;

// The key and the photos in file order, under any root and child names;
// no list from a missing, broken or empty file.
TEST(CDImageList, ReadsKeyAndPhotosInFileOrder) {
  const struct {
    const char* text;
    bool read;
    const char* key;
    Names names;
  } cases[] = {
      {"<cd cdKey=\"LAB-42\"><immagine nome=\"IMG_0002.JPG\"/><immagine nome=\"IMG_0001.JPG\"/>"
       "<immagine nome=\"IMG_0002.JPG\"/><immagine nome=\"sub\\a.jpg\"/></cd>",
       true, "LAB-42", {"IMG_0002.JPG", "IMG_0001.JPG", "IMG_0002.JPG", "sub\\a.jpg"}},
      {"<disco><foto nome=\"a.jpg\"/><x nome=\"b.jpg\"/></disco>", true, "", {"a.jpg", "b.jpg"}},
      {"<cd cdKey=\"K\"/>", true, "K", {}},
      {"<cd><immagine nome=\"a.jpg\"></cd>", false, "", {}},
      {"", false, "", {}},
      {nullptr, false, "", {}},
  };
  for (const auto& c : cases) {
    TempFolder cd;
    if (c.text) WriteTextFile(cd / "cd.xml", c.text);
    auto list = CCDImageList::Load(cd.Path().c_str());
    ASSERT_EQ(list != nullptr, c.read) << (c.text ? c.text : "no file");
    if (!list) continue;
    EXPECT_EQ(list->cdKey, c.key);
    Names names;
    for (const auto& image : list->images) names.push_back(image->nome);
    EXPECT_EQ(names, c.names) << c.text;
  }
}

}  // namespace
