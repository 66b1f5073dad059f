#include <gtest/gtest.h>

#include "TempFolder.h"
#include "document/imagelist/CDImageList.h"

namespace {

using cd_imagelist::CCDImageList;

std::vector<std::string> Names(const CCDImageList& list) {
  std::vector<std::string> names;
  for (const auto& image : list.images) names.push_back(image->nome);
  return names;
}

TEST(CDImageList, ReadsKeyAndPhotosInFileOrder) {
  TempFolder cd;
  WriteTextFile(cd / "cd.xml",
                "<cd cdKey=\"LAB-42\">"
                "<immagine nome=\"IMG_0002.JPG\"/><immagine nome=\"IMG_0001.JPG\"/>"
                "<immagine nome=\"IMG_0002.JPG\"/><immagine nome=\"sub\\a.jpg\"/></cd>");
  auto list = CCDImageList::Load(cd.Path().c_str());
  ASSERT_TRUE(list);
  EXPECT_EQ(list->cdKey, "LAB-42");
  EXPECT_EQ(Names(*list),
            (std::vector<std::string>{"IMG_0002.JPG", "IMG_0001.JPG", "IMG_0002.JPG", "sub\\a.jpg"}));
}

TEST(CDImageList, ReadsAnyRootAndChildNames) {
  TempFolder cd;
  WriteTextFile(cd / "cd.xml", "<disco><foto nome=\"a.jpg\"/><x nome=\"b.jpg\"/></disco>");
  auto list = CCDImageList::Load(cd.Path().c_str());
  ASSERT_TRUE(list);
  EXPECT_EQ(list->cdKey, "");
  EXPECT_EQ(Names(*list), (std::vector<std::string>{"a.jpg", "b.jpg"}));
}

TEST(CDImageList, RootWithoutChildrenGivesAnEmptyList) {
  TempFolder cd;
  WriteTextFile(cd / "cd.xml", "<cd cdKey=\"K\"/>");
  auto list = CCDImageList::Load(cd.Path().c_str());
  ASSERT_TRUE(list);
  EXPECT_TRUE(list->images.empty());
}

TEST(CDImageList, MissingOrBrokenListGivesNothing) {
  TempFolder cd;
  EXPECT_FALSE(CCDImageList::Load(cd.Path().c_str()));
  WriteTextFile(cd / "cd.xml", "<cd><immagine nome=\"a.jpg\"></cd>");
  EXPECT_FALSE(CCDImageList::Load(cd.Path().c_str()));
  WriteTextFile(cd / "cd.xml", "");
  EXPECT_FALSE(CCDImageList::Load(cd.Path().c_str()));
}

}  // namespace
