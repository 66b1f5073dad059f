#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "ModelFakes.h"
#include "TempFolder.h"
#include "document/imagelist/CDImageList.h"
#include "document/imagelist/MImageList.h"
#include "document/imagelist/WorkingCopy.h"
#include "framework/scripted_ui.h"

namespace {

using spab_imagelist::CMImageList;
using spab_imagelist::CMImg;

// Working copies without the image library: the "preview" is the file itself.
bool CopyAsWorkingCopy(const char* source, const char* target) {
  return ::CopyFileA(source, target, FALSE) != 0;
}
bool FailWorkingCopy(const char*, const char*) { return false; }

class ScopedWorkingCopyMaker {
 public:
  explicit ScopedWorkingCopyMaker(WorkingCopyMaker maker) : m_previous(SetWorkingCopyMaker(maker)) {}
  ~ScopedWorkingCopyMaker() { SetWorkingCopyMaker(m_previous); }

 private:
  WorkingCopyMaker m_previous;
};

// An album folder with its "img" and "rif" folders.
class ImageListTest : public testing::Test {
 protected:
  ImageListTest() : maker(&CopyAsWorkingCopy) {
    MakeFolder(album / "img");
    MakeFolder(album / "rif");
  }
  std::string Album() const { return album.Path(); }

  TempFolder album;
  TempFolder sources;
  ScopedWorkingCopyMaker maker;
  CScriptedUi ui;  // the "Error" boxes are refused unanswered
};

TEST_F(ImageListTest, LabCdPhotoGetsTheNextWorkingNumberAndKeepsItsExtension) {
  WriteTextFile(sources / "IMG_0001.JPG", "photo");
  WriteTextFile(sources / "noext", "photo2");
  CMImageList list;
  for (int i = 0; i < 7; ++i) {
    WriteTextFile(sources / "x.jpg", "x");
    ASSERT_TRUE(list.AddFromLabCd("K", Album().c_str(), sources.Path().c_str(), "x.jpg"));
  }
  ASSERT_TRUE(list.AddFromLabCd("KEY", Album().c_str(), sources.Path().c_str(), "IMG_0001.JPG"));
  EXPECT_EQ(list.GetLastThumb(), 8);
  CMImg* image = list.Find("8.JPG");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->nome, "IMG_0001.JPG");
  EXPECT_EQ(image->cdkey, "KEY");
  EXPECT_EQ(image->tipo, 0);
  EXPECT_EQ(image->refCount, 0);
  EXPECT_EQ(ReadTextFile(album / "img\\8.JPG"), "photo");

  ASSERT_TRUE(list.AddFromLabCd("KEY", Album().c_str(), sources.Path().c_str(), "noext"));
  EXPECT_TRUE(list.Find("9"));
  EXPECT_TRUE(ui.Questions().empty());
}

TEST_F(ImageListTest, ReadOnlyCdPhotoBecomesWritable) {
  WriteTextFile(sources / "a.jpg", "photo");
  ::SetFileAttributesA((sources / "a.jpg").c_str(), FILE_ATTRIBUTE_READONLY);
  CMImageList list;
  ASSERT_TRUE(list.AddFromLabCd("K", Album().c_str(), sources.Path().c_str(), "a.jpg"));
  EXPECT_EQ(::GetFileAttributesA((album / "img\\1.jpg").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(ImageListTest, FailedCdCopyIsShownUsesItsNumberAndAddsNothing) {
  CMImageList list;
  EXPECT_FALSE(list.AddFromLabCd("K", Album().c_str(), sources.Path().c_str(), "missing.jpg"));
  EXPECT_EQ(list.GetLastThumb(), 1);
  EXPECT_TRUE(list.GetImages().empty());
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].caption, "Error");
  EXPECT_EQ(ui.Questions()[0].text.str(), (sources / "missing.jpg") + " not found");
  EXPECT_EQ(ui.Questions()[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));

  // The number is never used again.
  WriteTextFile(sources / "a.jpg", "photo");
  ASSERT_TRUE(list.AddFromLabCd("K", Album().c_str(), sources.Path().c_str(), "a.jpg"));
  EXPECT_TRUE(list.Find("2.jpg"));
}

TEST_F(ImageListTest, NumberWhoseFileIsAlreadyThereIsPassedOver) {
  WriteTextFile(album / "img\\1.jpg", "older photo");
  WriteTextFile(album / "rif\\1.jpg", "older reference");
  WriteTextFile(sources / "a.jpg", "photo");
  CMImageList list;
  ASSERT_TRUE(list.AddFromLabCd("K", Album().c_str(), sources.Path().c_str(), "a.jpg"));
  EXPECT_TRUE(list.Find("2.jpg"));
  CMImg* image = list.AddFromFile((sources / "a.jpg").c_str(), Album().c_str());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->riferimento, "2.jpg");
  EXPECT_EQ(image->thumb, "3.jpg");
  EXPECT_EQ(ReadTextFile(album / "img\\1.jpg"), "older photo");
  EXPECT_EQ(ReadTextFile(album / "rif\\1.jpg"), "older reference");
}

TEST_F(ImageListTest, CdNameLeadingOutOfTheCdIsRefused) {
  CMImageList list;
  EXPECT_FALSE(list.AddFromLabCd("K", Album().c_str(), sources.Path().c_str(), "..\\a.jpg"));
  EXPECT_TRUE(list.GetImages().empty());
  EXPECT_EQ(ui.Questions().size(), 1u);
}

TEST_F(ImageListTest, ImportedFileGetsReferenceAndWorkingCopies) {
  MakeFolder(sources / "foto");
  WriteTextFile(sources / "foto\\a.png.bmp", "bitmap");
  CMImageList list;
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(list.AddFromLabCd("K", Album().c_str(), sources.Path().c_str(), "foto\\a.png.bmp"));
  CMImg* image = list.AddFromFile((sources / "foto\\a.png.bmp").c_str(), Album().c_str());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->riferimento, "1.bmp");
  EXPECT_EQ(image->thumb, "4.jpg");
  EXPECT_EQ(image->nome, "a.png.bmp");
  EXPECT_EQ(image->tipo, 1);
  EXPECT_EQ(ReadTextFile(album / "rif\\1.bmp"), "bitmap");
  EXPECT_TRUE(FileExists(album / "img\\4.jpg"));
  EXPECT_EQ(list.Find("4.jpg"), image);
}

TEST_F(ImageListTest, ImportOfAMissingFileOrAFolderAddsNothingSilently) {
  CMImageList list;
  EXPECT_FALSE(list.AddFromFile((sources / "none.jpg").c_str(), Album().c_str()));
  EXPECT_FALSE(list.AddFromFile(sources.Path().c_str(), Album().c_str()));
  EXPECT_EQ(list.GetLastRif(), 0);
  EXPECT_TRUE(ui.Questions().empty());
}

TEST_F(ImageListTest, FailedImportLeavesTheListAsItWasButUsesItsNumbers) {
  WriteTextFile(sources / "a.jpg", "photo");
  CMImageList list;
  {
    ScopedWorkingCopyMaker failing(&FailWorkingCopy);
    EXPECT_FALSE(list.AddFromFile((sources / "a.jpg").c_str(), Album().c_str()));
  }
  EXPECT_TRUE(list.GetImages().empty());
  EXPECT_FALSE(FileExists(album / "rif\\1.jpg"));
  EXPECT_EQ(ui.Questions().size(), 1u);

  // Without a "rif" folder the reference copy fails.
  TempFolder broken;
  EXPECT_FALSE(list.AddFromFile((sources / "a.jpg").c_str(), broken.Path().c_str()));
  EXPECT_EQ(ui.Questions().size(), 2u);
  EXPECT_STREQ(ui.Questions()[1].caption, "Error");

  CMImg* image = list.AddFromFile((sources / "a.jpg").c_str(), Album().c_str());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->riferimento, "3.jpg");
  EXPECT_EQ(image->thumb, "2.jpg");
}

struct FakeCropDialog {
  bool succeed = true;
  bool writeBeforeFailing = false;
  int SaveCrop(const CString& path, float& x, float& y, float& h) {
    if (!succeed) {
      if (writeBeforeFailing) WriteTextFile(path.str(), "half a tiff");
      return 0;
    }
    WriteTextFile(path.str(), "tiff");
    x = 0.25f;
    y = 0.5f;
    h = 2.0f;
    return 1;
  }
};

TEST_F(ImageListTest, CroppedImageIsStoredWithItsCropValues) {
  CMImageList list;
  FakeCropDialog dialog;
  CString name;
  ASSERT_TRUE(list.AddCroppedImage(dialog, Album().c_str(), &name));
  EXPECT_STREQ(name, "1.jpg");
  CMImg* image = list.Find("1.jpg");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->riferimento, "1.tif");
  EXPECT_EQ(image->nome, "1.tif");
  EXPECT_EQ(image->tipo, 1);
  EXPECT_FLOAT_EQ(image->cropX, 0.25f);
  EXPECT_FLOAT_EQ(image->cropY, 0.5f);
  EXPECT_FLOAT_EQ(image->ratioH, 2.0f);
  EXPECT_TRUE(FileExists(album / "rif\\1.tif"));

  dialog.succeed = false;
  EXPECT_FALSE(list.AddCroppedImage(dialog, Album().c_str()));
  EXPECT_EQ(list.GetImages().size(), 1u);
  EXPECT_EQ(list.GetLastRif(), 2);
}

TEST_F(ImageListTest, ACutOutTheDialogGaveUpOnLeavesNoFileBehind) {
  CMImageList list;
  FakeCropDialog dialog;
  dialog.succeed = false;
  dialog.writeBeforeFailing = true;
  EXPECT_FALSE(list.AddCroppedImage(dialog, Album().c_str()));
  EXPECT_TRUE(list.GetImages().empty());
  EXPECT_FALSE(FileExists(album / "rif\\1.tif"));
}

TEST_F(ImageListTest, ReferenceCountsNeverGoBelowZero) {
  WriteTextFile(sources / "a.jpg", "photo");
  model_test::FakeHost host;
  CMImageList list;
  ASSERT_TRUE(list.AddFromLabCd("K", Album().c_str(), sources.Path().c_str(), "a.jpg"));
  EXPECT_EQ(list.Release("1.jpg"), 0);
  EXPECT_EQ(list.AddRef("1.jpg"), 1);
  EXPECT_EQ(list.AddRef("1.jpg"), 2);
  EXPECT_EQ(list.Release("1.jpg"), 1);
  EXPECT_EQ(list.AddRef("none.jpg"), -1);
  EXPECT_EQ(list.Release("none.jpg"), -1);
  EXPECT_EQ(host.thumbnailInvalidations, 4);  // the photo bar redraws its marks
  list.ResetRefs();
  EXPECT_EQ(list.Find("1.jpg")->refCount, 0);
}

TEST_F(ImageListTest, FileNamesFollowListOrder) {
  WriteTextFile(sources / "a.jpg", "photo");
  CMImageList list;
  ASSERT_TRUE(list.AddFromLabCd("K", Album().c_str(), sources.Path().c_str(), "a.jpg"));
  ASSERT_TRUE(list.AddFromFile((sources / "a.jpg").c_str(), Album().c_str()));
  EXPECT_EQ(list.GetFileNames(true), (std::vector<CString>{"1.jpg", "2.jpg"}));
  EXPECT_EQ(list.GetFileNames(false), (std::vector<CString>{"", "1.jpg"}));
}

TEST_F(ImageListTest, RemoveDeletesTheFilesAndSavesTheList) {
  WriteTextFile(sources / "a.jpg", "photo");
  CMImageList list;
  ASSERT_TRUE(list.AddFromFile((sources / "a.jpg").c_str(), Album().c_str()));
  ASSERT_TRUE(list.AddFromFile((sources / "a.jpg").c_str(), Album().c_str()));
  list.Remove("1.jpg", Album().c_str());
  EXPECT_FALSE(list.Find("1.jpg"));
  EXPECT_FALSE(FileExists(album / "img\\1.jpg"));
  EXPECT_FALSE(FileExists(album / "rif\\1.jpg"));
  EXPECT_TRUE(FileExists(album / "img\\2.jpg"));
  auto saved = CMImageList::Load(Album().c_str(), false);
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->GetImages().size(), 1u);
  EXPECT_EQ(saved->GetImages()[0]->thumb, "2.jpg");
  list.Remove("none.jpg", Album().c_str());
  EXPECT_EQ(list.GetImages().size(), 1u);
}

TEST_F(ImageListTest, SavedListReadsBackTheSame) {
  WriteTextFile(sources / "a.jpg", "photo");
  CMImageList list;
  ASSERT_TRUE(list.AddFromLabCd("KEY", Album().c_str(), sources.Path().c_str(), "a.jpg"));
  FakeCropDialog dialog;
  ASSERT_TRUE(list.AddCroppedImage(dialog, Album().c_str()));
  list.AddRef("1.jpg");
  ASSERT_TRUE(list.Save(Album().c_str(), false));

  std::string xml = ReadTextFile(album / "immagini.xml");
  EXPECT_NE(xml.find("<immagini lastThumb=\"2\" lastRif=\"1\">"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<immagine nome=\"a.jpg\" thumb=\"1.jpg\" tipo=\"0\" cdkey=\"KEY\" refCount=\"1\" />"),
            std::string::npos)
      << xml;
  EXPECT_NE(xml.find("cropX=\"0.250000\" cropY=\"0.500000\" ratioH=\"2.000000\""), std::string::npos)
      << xml;

  auto loaded = CMImageList::Load((album / "immagini.xml").c_str(), true);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->GetLastThumb(), 2);
  EXPECT_EQ(loaded->GetLastRif(), 1);
  ASSERT_EQ(loaded->GetImages().size(), 2u);
  const CMImg& crop = *loaded->Find("2.jpg");
  EXPECT_EQ(crop.riferimento, "1.tif");
  EXPECT_FLOAT_EQ(crop.cropX, 0.25f);
  EXPECT_EQ(loaded->Find("1.jpg")->refCount, 1);
  EXPECT_EQ(loaded->Find("1.jpg")->cdkey, "KEY");
}

TEST(ImageListFile, ZeroCropValuesAreNotWritten) {
  TempFolder dir;
  WriteTextFile(dir / "immagini.xml",
                "<immagini lastThumb=\"1\"><immagine nome=\"n\" thumb=\"1.jpg\" tipo=\"1\" "
                "riferimento=\"1.tif\" cropY=\"0.5\"/></immagini>");
  auto list = CMImageList::Load(dir.Path().c_str(), false);
  ASSERT_TRUE(list);
  const CMImg& image = *list->GetImages()[0];
  EXPECT_EQ(image.cropX, 0.0f);
  EXPECT_EQ(image.cropY, 0.5f);
  EXPECT_EQ(image.ratioH, 0.0f);
  ASSERT_TRUE(list->Save(dir.Path().c_str(), false));
  std::string xml = ReadTextFile(dir / "immagini.xml");
  EXPECT_NE(xml.find("cropY=\"0.500000\""), std::string::npos);
  EXPECT_EQ(xml.find("cropX"), std::string::npos);
  EXPECT_EQ(xml.find("ratioH"), std::string::npos);
}

// A locale for the numbers of the C library while a test runs.
class ScopedNumericLocale {
 public:
  explicit ScopedNumericLocale(const char* name) : m_previous(std::setlocale(LC_NUMERIC, nullptr)) {
    m_set = std::setlocale(LC_NUMERIC, name) != nullptr;
  }
  ~ScopedNumericLocale() { std::setlocale(LC_NUMERIC, m_previous.c_str()); }
  bool IsSet() const { return m_set; }

 private:
  std::string m_previous;
  bool m_set = false;
};

TEST(ImageListFile, CropValuesKeepTheirDecimalPointWhateverTheUsersLocale) {
  ScopedNumericLocale comma("Italian_Italy.1252");
  if (!comma.IsSet()) GTEST_SKIP() << "no locale with a decimal comma here";
  TempFolder dir;
  WriteTextFile(dir / "immagini.xml",
                "<immagini lastThumb=\"1\"><immagine nome=\"n\" thumb=\"1.jpg\" tipo=\"1\" "
                "riferimento=\"1.tif\" cropX=\"0.25\" ratioH=\"1.5\"/></immagini>");
  auto list = CMImageList::Load(dir.Path().c_str(), false);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->GetImages()[0]->cropX, 0.25f);
  EXPECT_EQ(list->GetImages()[0]->ratioH, 1.5f);
  ASSERT_TRUE(list->Save(dir.Path().c_str(), false));
  const std::string xml = ReadTextFile(dir / "immagini.xml");
  EXPECT_NE(xml.find("cropX=\"0.250000\""), std::string::npos) << xml;
  EXPECT_NE(xml.find("ratioH=\"1.500000\""), std::string::npos) << xml;
}

TEST(ImageListFile, ReadingIsTolerant) {
  TempFolder dir;
  WriteTextFile(dir / "list.xml",
                "<altro><foto thumb=\"1.jpg\" riferimento=\"r.jpg\"/>"
                "<x thumb=\"2.jpg\" tipo=\"1\" riferimento=\"2.png\" refCount=\"-4\" "
                "cropX=\"nan\" cropY=\"inf\" ratioH=\"abc\"/></altro>");
  auto list = CMImageList::Load((dir / "list.xml").c_str(), true);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->GetLastThumb(), 0);
  EXPECT_EQ(list->GetLastRif(), 0);
  ASSERT_EQ(list->GetImages().size(), 2u);
  const CMImg& first = *list->GetImages()[0];
  EXPECT_EQ(first.tipo, 0);
  EXPECT_EQ(first.riferimento, "");  // a CD photo has no reference copy
  EXPECT_EQ(first.nome, "");
  const CMImg& second = *list->GetImages()[1];
  EXPECT_EQ(second.riferimento, "2.png");
  EXPECT_EQ(second.refCount, 0);
  EXPECT_EQ(second.cropX, 0.0f);
  EXPECT_EQ(second.cropY, 0.0f);
  EXPECT_EQ(second.ratioH, 0.0f);
}

TEST(ImageListFile, MissingOrRootlessFileGivesNoList) {
  TempFolder dir;
  EXPECT_FALSE(CMImageList::Load(dir.Path().c_str(), false));
  WriteTextFile(dir / "immagini.xml", "<!-- nothing -->");
  EXPECT_FALSE(CMImageList::Load(dir.Path().c_str(), false));
}

TEST(ImageListFile, CopyOfTheListIsDeep) {
  TempFolder dir;
  WriteTextFile(dir / "immagini.xml",
                "<immagini lastThumb=\"5\" lastRif=\"3\"><immagine thumb=\"1.jpg\"/></immagini>");
  auto list = CMImageList::Load(dir.Path().c_str(), false);
  ASSERT_TRUE(list);
  CMImageList copy(*list);
  copy.AddRef("1.jpg");
  EXPECT_EQ(copy.Find("1.jpg")->refCount, 1);
  EXPECT_EQ(list->Find("1.jpg")->refCount, 0);
  EXPECT_NE(copy.Find("1.jpg"), list->Find("1.jpg"));
  EXPECT_EQ(copy.GetLastThumb(), 5);
  EXPECT_EQ(copy.GetLastRif(), 3);
}

TEST(ImageListFile, AppendedCopiesAreIndependentAndNeverDoubled) {
  CMImg image;
  image.thumb = "4.jpg";
  image.riferimento = "2.tif";
  image.tipo = 1;
  image.refCount = 3;
  CMImageList list;
  CMImg* added = list.AppendCopy(image);
  ASSERT_TRUE(added);
  EXPECT_NE(added, &image);
  EXPECT_EQ(list.Find("4.jpg"), added);
  EXPECT_EQ(added->riferimento, "2.tif");
  EXPECT_EQ(added->refCount, 3);
  EXPECT_FALSE(list.AppendCopy(image));
  EXPECT_EQ(list.GetImages().size(), 1u);
  // A copy takes no number: the counters stay where they were.
  EXPECT_EQ(list.GetLastThumb(), 0);
  EXPECT_EQ(list.GetLastRif(), 0);
}

TEST_F(ImageListTest, WholeCdImportsIntoTheAlbum) {
  TempFolder cd;
  MakeFolder(cd / "sub");
  WriteTextFile(cd / "IMG_1.JPG", "one");
  WriteTextFile(cd / "sub\\b.jpeg", "two");
  WriteTextFile(cd / "cd.xml",
                "<cd cdKey=\"CD-7\"><immagine nome=\"IMG_1.JPG\"/><immagine nome=\"missing.jpg\"/>"
                "<immagine nome=\"sub\\b.jpeg\"/><immagine nome=\"IMG_1.JPG\"/></cd>");
  auto cdList = cd_imagelist::CCDImageList::Load(cd.Path().c_str());
  ASSERT_TRUE(cdList);
  CMImageList list;
  for (const auto& image : cdList->images)
    list.AddFromLabCd(cdList->cdKey.c_str(), Album().c_str(), cd.Path().c_str(), image->nome.c_str());
  ASSERT_TRUE(list.Save(Album().c_str(), false));

  EXPECT_EQ(list.GetFileNames(true), (std::vector<CString>{"1.JPG", "3.jpeg", "4.JPG"}));
  EXPECT_EQ(ui.Questions().size(), 1u);  // the missing photo
  EXPECT_EQ(ReadTextFile(album / "img\\3.jpeg"), "two");
  EXPECT_EQ(list.Find("3.jpeg")->nome, "sub\\b.jpeg");
  auto saved = CMImageList::Load(Album().c_str(), false);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->GetImages().size(), 3u);
  EXPECT_EQ(saved->GetImages()[0]->cdkey, "CD-7");
}

// A 24-bit bitmap file of w x h pixels in one colour.
std::string BitmapFile(int w, int h) {
  int stride = (w * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + stride * h;
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
  std::string row(stride, '\0');
  for (int x = 0; x < w; ++x) row.replace(x * 3, 3, "\x20\x80\xE0");
  for (int y = 0; y < h; ++y) bytes += row;
  return bytes;
}

TEST(ImageListPreview, ImportedPictureGetsAJpegWorkingCopy) {
  TempFolder album;
  MakeFolder(album / "img");
  MakeFolder(album / "rif");
  TempFolder sources;
  WriteTextFile(sources / "a.bmp", BitmapFile(40, 30));
  CScriptedUi ui;
  CMImageList list;
  CMImg* image = list.AddFromFile((sources / "a.bmp").c_str(), album.Path().c_str());
  ASSERT_TRUE(image);
  EXPECT_TRUE(ui.Questions().empty());
  std::string jpeg = ReadTextFile(album / "img\\1.jpg");
  ASSERT_GE(jpeg.size(), 2u);
  EXPECT_EQ(jpeg.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(ReadTextFile(album / "rif\\1.bmp"), BitmapFile(40, 30));
}

TEST(ImageListPreview, FileThatIsNoPictureIsNotImported) {
  TempFolder album;
  MakeFolder(album / "img");
  MakeFolder(album / "rif");
  TempFolder sources;
  WriteTextFile(sources / "notes.txt", "not a picture");
  CScriptedUi ui;
  CMImageList list;
  EXPECT_FALSE(list.AddFromFile((sources / "notes.txt").c_str(), album.Path().c_str()));
  EXPECT_TRUE(list.GetImages().empty());
  EXPECT_FALSE(FileExists(album / "rif\\1.txt"));
  EXPECT_FALSE(FileExists(album / "img\\1.jpg"));
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].caption, "Error");
}

}  // namespace
