#include <gtest/gtest.h>
#include <tiffio.h>

#include <clocale>
#include <functional>
#include <string>
#include <vector>

#include "ModelFakes.h"
#include "TempFolder.h"
#include "XmlValues.h"
#include "document/imagelist/CDImageList.h"
#include "document/imagelist/ImageListRebuild.h"
#include "document/imagelist/MImageList.h"
#include "document/imagelist/OutsideEdits.h"
#include "document/imagelist/PictureLikeness.h"
#include "document/imagelist/WorkingCopy.h"
#include "document/services/FileOperation.h"
#include "document/services/Win32Handle.h"
#include "framework/scripted_ui.h"
#include "imagelib/ImgBitmap.h"
#include "render/TestPictures.h"

namespace {

using spab_imagelist::CMImageList;
using spab_imagelist::CMImg;
using Names = std::vector<CString>;

// Working copies without the image library: the "preview" is the file itself.
bool CopyAsWorkingCopy(const char* source, const char* target) {
  return ::CopyFileA(source, target, FALSE) != 0;
}
bool FailWorkingCopy(const char*, const char*) { return false; }
// The picture was read; the disk filled while its copy was written.
bool FillUpDiskWithWorkingCopy(const char*, const char* target) {
  CScopedHandle made(::CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ::SetLastError(ERROR_DISK_FULL);
  return false;
}

// A disk that fills up: the copy's file is made, and nothing reaches it.
BOOL FillUpDisk(const char*, const char* target, BOOL) {
  CScopedHandle made(::CreateFileA(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ::SetLastError(ERROR_DISK_FULL);
  return FALSE;
}

void SetWriteTime(const std::string& path, ULONGLONG ticks) {
  const FILETIME time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  CScopedHandle file(::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(file.IsValid());
  EXPECT_TRUE(::SetFileTime(file.Get(), nullptr, nullptr, &time));
}

// Moves a file's last write by some seconds (back when negative).
void MoveWriteTime(const std::string& path, int seconds) {
  SetWriteTime(path, ReadFileStamp(path).written + static_cast<ULONGLONG>(static_cast<LONGLONG>(seconds) * 10000000LL));
}

// 0 while the file holds no picture.
// Half of the file is left, as by a copy that stopped.
void CutShort(const std::string& path) {
  const std::string whole = ReadTextFile(path);
  WriteTextFile(path, whole.substr(0, whole.size() / 2));
}

int PictureWidth(const std::string& path) {
  CImgBitmap picture;
  return picture.Load(path.c_str(), 1, 1) == 1 ? picture.GetWidth() : 0;
}

class ScopedWorkingCopyMaker {
 public:
  explicit ScopedWorkingCopyMaker(WorkingCopyMaker maker) : m_previous(SetWorkingCopyMaker(maker)) {}
  ~ScopedWorkingCopyMaker() { SetWorkingCopyMaker(m_previous); }

 private:
  WorkingCopyMaker m_previous;
};

// An album folder with its "img" and "rif" folders, and a folder of sources.
class ImageListTest : public testing::Test {
 protected:
  ImageListTest() {
    MakeFolder(album / "img");
    MakeFolder(album / "rif");
  }
  const char* Album() const { return album.Path().c_str(); }
  const char* Sources() const { return sources.Path().c_str(); }
  bool FromCd(const char* name, const char* key = "K") {
    return list.AddFromLabCd(key, Album(), Sources(), name);
  }
  CMImg* FromFile(const char* name) { return list.AddFromFile((sources / name).c_str(), Album()); }
  // A cut-out the crop dialog writes; a failing one may leave half a file.
  bool Crop(bool succeed, CString* name = nullptr) {
    return list.AddCroppedImageWith(
        [&](const CString& path, float& x, float& y, float& h) {
          WriteTextFile(path.str(), succeed ? "tiff" : "half a tiff");
          x = 0.25f, y = 0.5f, h = 2.0f;
          return succeed;
        },
        Album(), name);
  }

  TempFolder album;
  TempFolder sources;
  ScopedWorkingCopyMaker maker{&CopyAsWorkingCopy};
  CScriptedUi ui;  // the "Error" boxes are refused unanswered
  CMImageList list;
};

TEST_F(ImageListTest, CdPhotosTakeTheNextFreeWorkingNumberAndKeepTheirExtension) {
  WriteTextFile(sources / "IMG_0001.JPG", "photo");
  WriteTextFile(sources / "noext", "photo2");
  WriteTextFile(sources / "a.jpg", "x");
  ::SetFileAttributesA((sources / "a.jpg").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteTextFile(album / "img\\2.jpg", "older photo");  // a number whose file is there is passed over
  ASSERT_TRUE(FromCd("a.jpg"));
  ASSERT_TRUE(FromCd("IMG_0001.JPG", "KEY"));
  CMImg* image = list.Find("3.JPG");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->nome, "IMG_0001.JPG");
  EXPECT_EQ(image->cdkey, "KEY");
  EXPECT_EQ(image->tipo, 0);
  EXPECT_EQ(image->refCount, 0);
  EXPECT_EQ(ReadTextFile(album / "img\\3.JPG"), "photo");
  EXPECT_EQ(ReadTextFile(album / "img\\2.jpg"), "older photo");
  EXPECT_EQ(::GetFileAttributesA((album / "img\\1.jpg").c_str()) & FILE_ATTRIBUTE_READONLY, 0u)
      << "a read-only CD photo becomes writable";
  ASSERT_TRUE(FromCd("noext"));
  EXPECT_TRUE(list.Find("4"));
  EXPECT_TRUE(ui.Questions().empty());

  // A failed copy is shown and its number is never used again.
  EXPECT_FALSE(FromCd("missing.jpg"));
  EXPECT_EQ(list.GetLastThumb(), 5);
  EXPECT_EQ(list.GetImages().size(), 3u);
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].caption, "Error");
  EXPECT_EQ(ui.Questions()[0].text.str(), "missing.jpg: file non trovato.");
  EXPECT_EQ(ui.Questions()[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  ASSERT_TRUE(FromCd("a.jpg"));
  EXPECT_TRUE(list.Find("6.jpg"));
  EXPECT_FALSE(FromCd("..\\a.jpg")) << "a name leading out of the CD";
  EXPECT_EQ(list.GetImages().size(), 4u);
  ASSERT_EQ(ui.Questions().size(), 2u);
  EXPECT_EQ(ui.Questions()[1].text.str(), "..\\a.jpg: nome di file non valido.");
}

TEST_F(ImageListTest, ImportedFilesGetReferenceAndWorkingCopies) {
  MakeFolder(sources / "foto");
  WriteTextFile(sources / "foto\\a.png.bmp", "bitmap");
  WriteTextFile(album / "rif\\1.bmp", "older reference");
  WriteTextFile(album / "img\\2.msk.jpg", "an older shape");  // would shape the new photo
  ASSERT_TRUE(FromCd("foto\\a.png.bmp"));
  CMImg* image = FromFile("foto\\a.png.bmp");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->riferimento, "2.bmp");
  EXPECT_EQ(image->thumb, "3.jpg");
  EXPECT_EQ(image->nome, "a.png.bmp");
  EXPECT_EQ(image->tipo, 1);
  EXPECT_EQ(ReadTextFile(album / "rif\\2.bmp"), "bitmap");
  EXPECT_EQ(ReadTextFile(album / "rif\\1.bmp"), "older reference");
  EXPECT_TRUE(FileExists(album / "img\\3.jpg"));
  EXPECT_EQ(list.Find("3.jpg"), image);
  EXPECT_EQ(list.GetFileNames(true), (Names{"1.bmp", "3.jpg"}));
  EXPECT_EQ(list.GetFileNames(false), (Names{"", "2.bmp"}));

  EXPECT_TRUE(ui.Questions().empty());
}

// A photo that cannot be imported is named, with what failed, in the
// program's language; nothing is added.
TEST_F(ImageListTest, EveryFailedImportNamesItsFileAndWhatFailed) {
  WriteTextFile(sources / "a.jpg", "photo");
  // A name outside the system's code page: the file dialog hands the program
  // '?' in place of the characters it cannot give, or their nearest letters
  // ("\u0141\u00F3d\u017A" as "L\xF3dz"), in the file's name or its folder's.
  std::wstring wide(MAX_PATH, L'\0');
  wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, Sources(), -1, &wide[0], MAX_PATH) - 1));
  const std::wstring lodz = L"\u0141\u00F3d\u017A";
  ASSERT_TRUE(::CreateDirectoryW((wide + L"\\nozze " + lodz).c_str(), nullptr));
  const std::wstring unicodeNames[] = {L"sposa\u4E2D.jpg", lodz + L".jpg", L"nozze " + lodz + L"\\a.jpg"};
  for (const std::wstring& name : unicodeNames) {
    CScopedHandle unicode(::CreateFileW((wide + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                        nullptr));
    ASSERT_TRUE(unicode.IsValid());
  }
  char nearest[MAX_PATH] = "";
  ::WideCharToMultiByte(CP_ACP, 0, lodz.c_str(), -1, nearest, sizeof nearest, nullptr, nullptr);
  ASSERT_EQ(std::string(nearest).find('?'), std::string::npos) << "the system gives no nearest letters";
  const std::string nearFile = std::string(nearest) + ".jpg";
  const std::string nearFolderFile = "nozze " + std::string(nearest) + "\\a.jpg";
  const std::string outsideCodePage =
      ": il nome del file o della sua cartella contiene caratteri che il programma non pu\xF2 usare; "
      "rinominarli e caricare di nuovo il file.";
  const std::string nearFileText = nearFile + outsideCodePage;
  const std::string nearFolderText = "a.jpg" + outsideCodePage;
  MakeFolder(sources / "cartella.jpg");
  WriteTextFile(sources / "vuoto.jpg", "");
  TempFolder noRif;  // an album folder without its "rif" folder
  const struct {
    const char* source;
    const char* album;
    WorkingCopyMaker maker;
    const char* text;
  } cases[] = {
      {"sposa?.jpg", nullptr, &CopyAsWorkingCopy,
       "sposa?.jpg: il nome del file o della sua cartella contiene caratteri che il programma non pu\xF2 usare; "
       "rinominarli e caricare di nuovo il file."},
      {nearFile.c_str(), nullptr, &CopyAsWorkingCopy, nearFileText.c_str()},
      {nearFolderFile.c_str(), nullptr, &CopyAsWorkingCopy, nearFolderText.c_str()},
      {"none.jpg", nullptr, &CopyAsWorkingCopy, "none.jpg: file non trovato."},
      {"cartella.jpg", nullptr, &CopyAsWorkingCopy, "cartella.jpg: \xE8 una cartella, non un'immagine."},
      {"vuoto.jpg", nullptr, &CopyAsWorkingCopy, "vuoto.jpg: il file \xE8 vuoto."},
      {"a.jpg", noRif.Path().c_str(), &CopyAsWorkingCopy,
       "a.jpg: impossibile copiare il file nello sposalbo (percorso non trovato)."},
      {"a.jpg", nullptr, &FailWorkingCopy, "a.jpg: impossibile leggere l'immagine."},
      {"a.jpg", nullptr, nullptr, "a.jpg: impossibile leggere l'immagine."},  // the image library's reading
      {"a.jpg", nullptr, &FillUpDiskWithWorkingCopy,
       "a.jpg: impossibile scrivere la copia di lavoro nello sposalbo (disco pieno)."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    ui.Clear();
    ScopedWorkingCopyMaker making(c.maker);
    EXPECT_FALSE(list.AddFromFile((sources / c.source).c_str(), c.album ? c.album : Album()));
    ASSERT_EQ(ui.Questions().size(), 1u);
    EXPECT_STREQ(ui.Questions()[0].caption, "Error");
    EXPECT_EQ(ui.Questions()[0].text.str(), c.text);
  }
  EXPECT_TRUE(list.GetImages().empty());
  EXPECT_EQ(FilesIn(album / "img"), std::set<std::string>{});
  EXPECT_EQ(FilesIn(album / "rif"), std::set<std::string>{});
}

TEST_F(ImageListTest, FailedImportLeavesTheListAsItWasButUsesItsNumbers) {
  WriteTextFile(sources / "a.jpg", "photo");
  {
    ScopedWorkingCopyMaker failing(&FailWorkingCopy);
    EXPECT_FALSE(FromFile("a.jpg"));
  }
  EXPECT_TRUE(list.GetImages().empty());
  EXPECT_FALSE(FileExists(album / "rif\\1.jpg"));
  EXPECT_EQ(ui.Questions().size(), 1u);
  // A full disk leaves no empty file of a photo in no list.
  const CFileOperation::FileCopier system = CFileOperation::SetFileCopier(&FillUpDisk);
  EXPECT_FALSE(FromFile("a.jpg"));
  EXPECT_FALSE(FromCd("a.jpg"));
  CFileOperation::SetFileCopier(system);
  EXPECT_TRUE(list.GetImages().empty());
  EXPECT_EQ(FilesIn(album / "rif"), std::set<std::string>{});
  EXPECT_EQ(FilesIn(album / "img"), std::set<std::string>{});
  ASSERT_EQ(ui.Questions().size(), 3u);
  EXPECT_EQ(ui.Questions()[2].text.str(), "a.jpg: impossibile copiare il file dal CD (disco pieno).");
  ui.Clear();
  // Without a "rif" folder the reference copy fails.
  TempFolder broken;
  EXPECT_FALSE(list.AddFromFile((sources / "a.jpg").c_str(), broken.Path().c_str()));
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].caption, "Error");
  CMImg* image = FromFile("a.jpg");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->riferimento, "4.jpg");
  EXPECT_EQ(image->thumb, "3.jpg");
}

TEST_F(ImageListTest, CroppedImageIsStoredWithItsCropValuesAndAFailedOneLeavesNothing) {
  EXPECT_FALSE(Crop(false));
  EXPECT_TRUE(list.GetImages().empty());
  EXPECT_FALSE(FileExists(album / "rif\\1.tif")) << "a half-written cut-out is deleted";
  CString name;
  ASSERT_TRUE(Crop(true, &name));
  EXPECT_STREQ(name, "1.jpg") << "a failed cut-out takes no working number";
  CMImg* image = list.Find("1.jpg");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->riferimento, "2.tif");
  EXPECT_EQ(image->nome, "2.tif");
  EXPECT_EQ(image->tipo, 1);
  EXPECT_FLOAT_EQ(image->cropX, 0.25f);
  EXPECT_FLOAT_EQ(image->cropY, 0.5f);
  EXPECT_FLOAT_EQ(image->ratioH, 2.0f);
  EXPECT_TRUE(FileExists(album / "rif\\2.tif"));
}

TEST_F(ImageListTest, ReferenceCountsNeverGoBelowZeroAndRemoveDeletesAndSaves) {
  WriteTextFile(sources / "a.jpg", "photo");
  ASSERT_TRUE(FromCd("a.jpg"));
  ASSERT_TRUE(FromFile("a.jpg"));
  model_test::FakeHost host;
  EXPECT_EQ(list.Release("1.jpg"), 0);
  EXPECT_EQ(list.AddRef("1.jpg"), 1);
  EXPECT_EQ(list.AddRef("1.jpg"), 2);
  EXPECT_EQ(list.Release("1.jpg"), 1);
  EXPECT_EQ(list.AddRef("none.jpg"), -1);
  EXPECT_EQ(list.Release("none.jpg"), -1);
  EXPECT_EQ(host.thumbnailInvalidations, 4);  // the photo bar redraws its marks
  list.ResetRefs();
  EXPECT_EQ(list.Find("1.jpg")->refCount, 0);

  WriteTextFile(album / "img\\2.msk.jpg", "shape");
  list.Remove("2.jpg", Album());
  list.Remove("none.jpg", Album());
  EXPECT_FALSE(list.Find("2.jpg"));
  EXPECT_FALSE(FileExists(album / "img\\2.jpg"));
  EXPECT_FALSE(FileExists(album / "img\\2.msk.jpg")) << "the shape goes with its photo";
  EXPECT_FALSE(FileExists(album / "rif\\1.jpg"));
  EXPECT_TRUE(FileExists(album / "img\\1.jpg"));
  auto saved = CMImageList::Load(Album(), false);
  ASSERT_TRUE(saved);
  ASSERT_EQ(saved->GetImages().size(), 1u);
  EXPECT_EQ(saved->GetImages()[0]->thumb, "1.jpg");
}

TEST_F(ImageListTest, SavedListReadsBackTheSameAndCopiesAreDeep) {
  WriteTextFile(sources / "a.jpg", "photo");
  ASSERT_TRUE(FromCd("a.jpg", "KEY"));
  ASSERT_TRUE(Crop(true));
  list.AddRef("1.jpg");
  ASSERT_TRUE(list.Save(Album(), false));
  std::string xml = ReadTextFile(album / "immagini.xml");
  EXPECT_NE(xml.find("<immagini lastThumb=\"2\" lastRif=\"1\">"), std::string::npos) << xml;
  EXPECT_NE(xml.find("<immagine nome=\"a.jpg\" thumb=\"1.jpg\" tipo=\"0\" cdkey=\"KEY\" refCount=\"1\" />"),
            std::string::npos) << xml;
  EXPECT_NE(xml.find("cropX=\"0.250000\" cropY=\"0.500000\" ratioH=\"2.000000\""), std::string::npos) << xml;

  auto loaded = CMImageList::Load((album / "immagini.xml").c_str(), true);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->GetLastThumb(), 2);
  EXPECT_EQ(loaded->GetLastRif(), 1);
  ASSERT_EQ(loaded->GetImages().size(), 2u);
  EXPECT_EQ(loaded->Find("2.jpg")->riferimento, "1.tif");
  EXPECT_FLOAT_EQ(loaded->Find("2.jpg")->cropX, 0.25f);
  EXPECT_EQ(loaded->Find("1.jpg")->refCount, 1);
  EXPECT_EQ(loaded->Find("1.jpg")->cdkey, "KEY");
  // The cut-out's working copy remembers the reference copy it was made from.
  EXPECT_NE(xml.find("rifSize=\"4\" rifTime=\""), std::string::npos) << xml;
  EXPECT_EQ(loaded->Find("2.jpg")->madeFrom, ReadFileStamp(album / "rif\\1.tif"));
  EXPECT_FALSE(loaded->Find("1.jpg")->madeFrom.exists);
  // And the digests of both copies' bytes, after the attributes older readers know.
  const CFileDigest reference = DigestFile(album / "rif\\1.tif"), working = DigestFile(album / "img\\2.jpg");
  ASSERT_TRUE(reference.known && working.known);
  EXPECT_NE(xml.find("rifHash=\"" + DigestText(reference) + "\" imgHash=\"" + DigestText(working) + "\""),
            std::string::npos) << xml;
  EXPECT_EQ(loaded->Find("2.jpg")->madeFromDigest, reference);
  EXPECT_EQ(loaded->Find("2.jpg")->madeAsDigest, working);

  CMImageList copy(*loaded);
  copy.AddRef("1.jpg");
  EXPECT_EQ(copy.Find("1.jpg")->refCount, 2);
  EXPECT_EQ(loaded->Find("1.jpg")->refCount, 1);
  EXPECT_EQ(copy.GetLastThumb(), 2);
  // An appended copy is independent, never doubled, and takes no number.
  CMImg image = *loaded->Find("2.jpg");
  image.thumb = "4.jpg";
  CMImageList other;
  CMImg* added = other.AppendCopy(image);
  ASSERT_TRUE(added);
  EXPECT_NE(added, &image);
  EXPECT_EQ(other.Find("4.jpg"), added);
  EXPECT_EQ(added->riferimento, "1.tif");
  EXPECT_FALSE(other.AppendCopy(image));
  EXPECT_EQ(other.GetImages().size(), 1u);
  EXPECT_EQ(other.GetLastThumb(), 0);
  EXPECT_EQ(other.GetLastRif(), 0);
}

// Names and keys holding markup, references, quotes and accented letters are
// read back word for word, every entry beside them still there.
// A list rebuilt from the album's folders: every picture of "img" but masks,
// in the order of its numbers; a reference copy of any number makes it an
// imported photo only where the picture could be made from it and shows the
// same scene; the counters pass every number the folders and the pages use.
TEST_F(ImageListTest, ARebuiltListTakesEveryPictureAndPairsOnlyTrueReferenceCopies) {
  const struct {
    const char* working;
    int width, height, scene;
    const char* reference;  // with its size and scene; null for none
    int referenceWidth, referenceHeight, referenceScene;
    const char* pairedWith;  // null: taken for a CD photo
  } cases[] = {
      {"1.jpg", 8, 4, 1, "1.bmp", 16, 8, 1, "1.bmp"},
      {"2.jpg", 8, 4, 1, "2.bmp", 8, 8, 1, nullptr},           // other proportions
      {"3.jpg", 1100, 10, 1, "3.bmp", 2200, 20, 1, nullptr},   // larger than any working copy
      {"4.jpg", 8, 4, 1, "4.bmp", 4, 2, 1, nullptr},           // smaller than its copy
      {"6.jpg", 8, 4, 2, "6.bmp", 16, 8, 4, nullptr},          // another scene: a CD photo's number
      {"9.jpg", 8, 4, 3, "5.bmp", 16, 8, 3, "5.bmp"},          // an import's numbers drifted apart
      {"10.jpg", 750, 2, 1, "10.BMP", 3000, 7, 1, "10.BMP"},  // a quarter, its sides rounded up
      {"IMG_7.JPG", 8, 4, 1, nullptr, 0, 0, 0, nullptr},
  };
  const auto scene = [](int level) {
    const auto grey = static_cast<uint8_t>(level * 60);
    return [grey](int, int) { return Rgba{grey, grey, grey, 255}; };
  };
  for (const auto& c : cases) {
    ::WriteBmp(album / "img" + "\\" + c.working, c.width, c.height, scene(c.scene));
    if (c.reference)
      ::WriteBmp(album / "rif" + "\\" + c.reference, c.referenceWidth, c.referenceHeight, scene(c.referenceScene));
  }
  ::WriteBmp(album / "img\\1.msk.jpg", 8, 4, scene(1));
  WriteTextFile(album / "img\\5.jpg", "no picture");
  WriteTextFile(album / "img\\Thumbs.db", "no picture");
  WriteTextFile(album / "rif\\12.tif", "a reference no picture pairs with");
  // Working copies the image library made, which the JPEG and the fitting
  // change a little: the one made of the mirrored picture is another scene.
  const std::string photo = album / "rif\\30.bmp", mirrored = sources / "mirrored.bmp";
  ::WriteBmp(photo, 2100, 700, [](int x, int) { return Rgba{static_cast<uint8_t>(x / 9), 90, 40, 255}; });
  ::WriteBmp(mirrored, 2100, 700, [](int x, int) { return Rgba{static_cast<uint8_t>(233 - x / 9), 90, 40, 255}; });
  {
    ScopedWorkingCopyMaker imageLibrary(nullptr);
    ASSERT_TRUE(MakeWorkingCopy(mirrored.c_str(), (album / "img\\29.jpg").c_str()));
    ASSERT_TRUE(MakeWorkingCopy(photo.c_str(), (album / "img\\31.jpg").c_str()));
  }

  std::vector<std::string> unmatched;
  auto rebuilt = spab_imagelist::RebuildImageList(Album(), {"altra.jpg", "35.jpg"}, &unmatched);
  ASSERT_TRUE(rebuilt);
  std::vector<std::string> names;
  for (const auto& image : rebuilt->GetImages()) names.push_back(image->thumb);
  EXPECT_EQ(names, (std::vector<std::string>{"1.jpg", "2.jpg", "3.jpg", "4.jpg", "6.jpg", "9.jpg", "10.jpg",
                                             "29.jpg", "31.jpg", "IMG_7.JPG"}));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.working);
    const CMImg* image = rebuilt->Find(c.working);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->nome, c.working);
    EXPECT_EQ(image->tipo, c.pairedWith ? 1 : 0);
    EXPECT_EQ(image->riferimento, c.pairedWith ? c.pairedWith : "");
    EXPECT_EQ(image->cdkey, "");
    EXPECT_EQ(image->refCount, 0);
  }
  EXPECT_EQ(rebuilt->Find("29.jpg")->riferimento, "");
  EXPECT_EQ(rebuilt->Find("31.jpg")->riferimento, "30.bmp");
  // Reference copies are left over: the photos that could have lost theirs
  // (none larger than a working copy) are named.
  EXPECT_EQ(unmatched, (std::vector<std::string>{"2.jpg", "4.jpg", "6.jpg", "29.jpg", "IMG_7.JPG"}));
  EXPECT_EQ(rebuilt->GetLastThumb(), 35) << "a photo of the pages whose file is gone keeps its number";
  EXPECT_EQ(rebuilt->GetLastRif(), 30);

  // Nothing in the folders: an empty list.
  TempFolder bare;
  auto empty = spab_imagelist::RebuildImageList(bare.Path(), {}, &unmatched);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->GetImages().empty());
  EXPECT_TRUE(unmatched.empty());
  EXPECT_EQ(empty->GetLastThumb(), 0);
}

TEST(ImageListFile, EveryNameIsReadBackWordForWord) {
  TempFolder dir;
  CMImageList list;
  int number = 0;
  for (const std::string& name : xml_values_test::FileNameValues()) {
    CMImg cd;
    cd.nome = "cd\\" + name;
    cd.thumb = std::to_string(++number) + " " + name;
    cd.cdkey = name;
    ASSERT_TRUE(list.AppendCopy(cd));
    CMImg imported;
    imported.tipo = 1;
    imported.nome = name;
    imported.thumb = name;
    imported.riferimento = name;
    ASSERT_TRUE(list.AppendCopy(imported));
  }
  for (const std::string& key : xml_values_test::TextValues()) {
    CMImg cd;
    cd.nome = key;
    cd.thumb = std::to_string(++number) + ".jpg";
    cd.cdkey = key;
    ASSERT_TRUE(list.AppendCopy(cd));
  }
  ASSERT_TRUE(list.Save(dir.Path().c_str(), false));
  auto loaded = CMImageList::Load(dir.Path().c_str(), false);
  ASSERT_TRUE(loaded) << ReadTextFile(dir / "immagini.xml");
  ASSERT_EQ(loaded->GetImages().size(), list.GetImages().size());
  for (size_t i = 0; i < list.GetImages().size(); ++i) {
    const CMImg& want = *list.GetImages()[i];
    const CMImg& got = *loaded->GetImages()[i];
    EXPECT_EQ(got.nome, want.nome);
    EXPECT_EQ(got.thumb, want.thumb);
    EXPECT_EQ(got.cdkey, want.cdkey);
    EXPECT_EQ(got.riferimento, want.riferimento);
    EXPECT_EQ(got.tipo, want.tipo);
  }
}

// A locale for the numbers of the C library while a test runs.
class ScopedNumericLocale {
 public:
  explicit ScopedNumericLocale(const char* name) : m_previous(std::setlocale(LC_NUMERIC, nullptr)) {
    std::setlocale(LC_NUMERIC, name);
  }
  ~ScopedNumericLocale() { std::setlocale(LC_NUMERIC, m_previous.c_str()); }

 private:
  std::string m_previous;
};

// Crop values are written with a decimal point whatever the user's locale,
// and only when not zero.
TEST(ImageListFile, CropValuesKeepTheirDecimalPointAndZeroValuesAreNotWritten) {
  ScopedNumericLocale comma("Italian_Italy.1252");  // where the system has it
  TempFolder dir;
  WriteTextFile(dir / "immagini.xml",
                "<immagini lastThumb=\"1\"><immagine nome=\"n\" thumb=\"1.jpg\" tipo=\"1\" "
                "riferimento=\"1.tif\" cropX=\"0.25\" ratioH=\"1.5\"/></immagini>");
  auto list = CMImageList::Load(dir.Path().c_str(), false);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->GetImages()[0]->cropX, 0.25f);
  EXPECT_EQ(list->GetImages()[0]->cropY, 0.0f);
  EXPECT_EQ(list->GetImages()[0]->ratioH, 1.5f);
  EXPECT_FALSE(list->Find("1.jpg")->madeFrom.exists) << "a list written before stamps were kept";
  ASSERT_TRUE(list->Save(dir.Path().c_str(), false));
  const std::string xml = ReadTextFile(dir / "immagini.xml");
  EXPECT_NE(xml.find("cropX=\"0.250000\""), std::string::npos) << xml;
  EXPECT_NE(xml.find("ratioH=\"1.500000\""), std::string::npos) << xml;
  EXPECT_EQ(xml.find("cropY"), std::string::npos) << xml;
}

TEST(ImageListFile, ReadingIsTolerantButNeedsARoot) {
  TempFolder dir;
  EXPECT_FALSE(CMImageList::Load(dir.Path().c_str(), false));
  WriteTextFile(dir / "immagini.xml", "<!-- nothing -->");
  EXPECT_FALSE(CMImageList::Load(dir.Path().c_str(), false));
  WriteTextFile(dir / "list.xml",
                "<altro><foto thumb=\"1.jpg\" riferimento=\"r.jpg\"/>"
                "<x thumb=\"2.jpg\" tipo=\"1\" riferimento=\"2.png\" refCount=\"-4\" "
                "cropX=\"nan\" cropY=\"inf\" ratioH=\"abc\" rifHash=\"0123456789abcdeg\" "
                "imgHash=\"0123456789abcdef0\"/></altro>");
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
  EXPECT_FALSE(second.madeFromDigest.known);
  EXPECT_FALSE(second.madeAsDigest.known);
}

// The image library makes the working copies here.
TEST(ImageListPreview, ImportedPictureGetsAJpegWorkingCopyAndOtherFilesAreRefused) {
  TempFolder album, sources;
  MakeFolder(album / "img");
  MakeFolder(album / "rif");
  model_test::WriteBmp((sources / "a.bmp").c_str(), 32, 128, 224);
  WriteTextFile(sources / "notes.txt", "not a picture");
  CScriptedUi ui;
  CMImageList list;
  ASSERT_TRUE(list.AddFromFile((sources / "a.bmp").c_str(), album.Path().c_str()));
  EXPECT_TRUE(ui.Questions().empty());
  EXPECT_EQ(ReadTextFile(album / "img\\1.jpg").substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(ReadTextFile(album / "rif\\1.bmp"), ReadTextFile(sources / "a.bmp"));

  EXPECT_FALSE(list.AddFromFile((sources / "notes.txt").c_str(), album.Path().c_str()));
  EXPECT_EQ(list.GetImages().size(), 1u);
  EXPECT_FALSE(FileExists(album / "rif\\2.txt"));
  EXPECT_FALSE(FileExists(album / "img\\2.jpg"));
  ASSERT_EQ(ui.Questions().size(), 1u);
  EXPECT_STREQ(ui.Questions()[0].caption, "Error");
  // Said in the user's language, as the rest of the program speaks.
  EXPECT_EQ(ui.Questions()[0].text.str(), "notes.txt: impossibile leggere l'immagine.");

  // A JPEG the decoder reads only past damage is imported as it reads, and
  // the user is told, once, naming it.
  const std::string damaged = sources / "rotta.jpg", other = sources / "altra.jpg";
  WriteJpeg(damaged, 320, 240, [](int x, int y) { return Speckled(x, y, 1); });
  WriteJpeg(other, 320, 240, [](int x, int y) { return Speckled(x, y, 2); });
  RewriteFirstHalf(damaged, other);
  ASSERT_TRUE(list.AddFromFile(damaged.c_str(), album.Path().c_str()));
  EXPECT_EQ(PictureWidth(album / "img\\3.jpg"), 320);
  ASSERT_EQ(ui.Questions().size(), 2u);
  EXPECT_STREQ(ui.Questions()[1].caption, "Carica immagini");
  EXPECT_EQ(ui.Questions()[1].text.str().rfind("rotta.jpg: il file \xE8 danneggiato", 0), 0u) << ui.Questions()[1].text.str();
  ASSERT_TRUE(list.AddFromFile(other.c_str(), album.Path().c_str()));
  EXPECT_EQ(ui.Questions().size(), 2u) << "a whole picture is not told";
}

// A working copy is like its reference copy in colour too, whatever the
// reference copy's format; a grey or recoloured print of the same scene is
// another picture.
TEST(ImageListPreview, AWorkingCopyIsLikeItsReferenceInColourAndAGreyOrRecolouredPrintIsNot) {
  TempFolder folder;
  constexpr int kWidth = 2400, kHeight = 1600;
  const auto scene = [](int x, int y) {
    return Rgba{static_cast<uint8_t>(x * 255 / kWidth), static_cast<uint8_t>(60 + y * 120 / kHeight),
                static_cast<uint8_t>(255 - y * 255 / kHeight), 255};
  };
  const auto grey = [&](int x, int y) {
    const Rgba p = scene(x, y);
    const auto level = static_cast<uint8_t>((p.r + 2 * p.g + p.b) / 4);
    return Rgba{level, level, level, 255};
  };
  const auto recoloured = [&](int x, int y) {
    const Rgba p = scene(x, y);
    return Rgba{p.b, p.g, p.r, 255};
  };
  const auto cmykTiff = [&](const std::string& path) {
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(kWidth));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(kHeight));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 4);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_SEPARATED);
    TIFFSetField(tiff, TIFFTAG_INKSET, INKSET_CMYK);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16);
    std::vector<uint8_t> line(kWidth * 4);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const Rgba p = scene(x, y);
        const uint8_t ink[4] = {static_cast<uint8_t>(255 - p.r), static_cast<uint8_t>(255 - p.g),
                                static_cast<uint8_t>(255 - p.b), 0};
        std::copy(ink, ink + 4, &line[static_cast<size_t>(x) * 4]);
      }
      TIFFWriteScanline(tiff, line.data(), static_cast<uint32_t>(y), 0);
    }
    TIFFClose(tiff);
  };
  const struct {
    const char* format;
    std::function<void(const std::string&)> write;
  } references[] = {
      {"jpg", [&](const std::string& path) { WriteJpeg(path, kWidth, kHeight, scene); }},
      {"tif", cmykTiff},
      {"bmp", [&](const std::string& path) {
         // A cut-out: its left quarter clear.
         WriteAlphaBmp(path, kWidth, kHeight, [&](int x, int y) {
           Rgba p = scene(x, y);
           p.a = x < kWidth / 4 ? 0 : 255;
           return p;
         });
       }},
  };
  spab_imagelist::PictureLikeness greyPrint{}, recolouredPrint{};
  for (const auto& print : {std::make_pair(&greyPrint, std::function<Rgba(int, int)>(grey)),
                            std::make_pair(&recolouredPrint, std::function<Rgba(int, int)>(recoloured))}) {
    const std::string source = folder / "print.bmp", copy = folder / "print.jpg";
    ::WriteBmp(source, kWidth, kHeight, print.second);
    ASSERT_TRUE(MakeWorkingCopy(source.c_str(), copy.c_str()));
    ASSERT_TRUE(spab_imagelist::ReadPictureLikeness(copy, *print.first));
  }
  for (const auto& r : references) {
    SCOPED_TRACE(r.format);
    const std::string reference = folder / (std::string("reference.") + r.format), working = folder / "working.jpg";
    r.write(reference);
    ASSERT_TRUE(MakeWorkingCopy(reference.c_str(), working.c_str()));
    spab_imagelist::PictureLikeness referenceLikeness{}, workingLikeness{};
    ASSERT_TRUE(spab_imagelist::ReadPictureLikeness(reference, referenceLikeness));
    ASSERT_TRUE(spab_imagelist::ReadPictureLikeness(working, workingLikeness));
    EXPECT_TRUE(spab_imagelist::AreAlike(workingLikeness, referenceLikeness));
    EXPECT_FALSE(spab_imagelist::AreAlike(greyPrint, referenceLikeness)) << "grey";
    EXPECT_FALSE(spab_imagelist::AreAlike(recolouredPrint, referenceLikeness)) << "recoloured";
  }
}

// Working copies gone with their folder are made again on several threads at
// once: each from its own photo, named in list order; a photo that cannot be
// read is left for the next try.
TEST(ImageListPreview, WorkingCopiesGoneAreMadeAgainEachFromItsOwnPhoto) {
  TempFolder album, sources;
  MakeFolder(album / "img");
  MakeFolder(album / "rif");
  CScriptedUi ui;
  CMImageList list;
  std::vector<std::string> expected;
  constexpr int kPhotos = 12, kUnreadable = 5;
  for (int i = 0; i < kPhotos; ++i) {
    const std::string source = sources / (std::to_string(i) + ".bmp");
    model_test::WriteBmp(source.c_str(), static_cast<uint8_t>(i * 20), 100, static_cast<uint8_t>(240 - i * 20));
    const CMImg* image = list.AddFromFile(source.c_str(), album.Path().c_str());
    ASSERT_NE(image, nullptr);
    if (i == kUnreadable)
      WriteTextFile(album / ("rif\\" + image->riferimento), "not a picture");
    else
      expected.push_back(image->thumb);
  }
  RemoveTree(album / "img");
  EXPECT_EQ(CatchUpOutsideEdits(list, album.Path()), expected);
  for (int i = 0; i < kPhotos; ++i) {
    SCOPED_TRACE(i);
    CImgBitmap copy;
    const std::string working = album / ("img\\" + list.GetImages()[static_cast<size_t>(i)]->thumb);
    if (i == kUnreadable) {
      EXPECT_FALSE(FileExists(working));
      continue;
    }
    ASSERT_TRUE(copy.Load(working.c_str(), 0, 1));
    const auto* pixel = reinterpret_cast<const unsigned char*>(copy.GetIplImage()->imageData);
    EXPECT_NEAR(pixel[2], i * 20, 6) << "red";
    EXPECT_NEAR(pixel[0], 240 - i * 20, 6) << "blue";
  }
  EXPECT_TRUE(ui.Questions().empty());
}

TEST(ImageListPreview, WorkingCopiesAreFittedInto1024PixelsAndKeepTheirPicture) {
  const struct {
    int width, height;    // the photo
    int fitWidth, fitHeight;
  } cases[] = {
      {2100, 700, 1024, 341},  // read at half size, then fitted
      {600, 5000, 123, 1024},  // read at a quarter
      {700, 300, 700, 300},    // small enough as it is
  };
  TempFolder folder;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    const std::string photo = folder / "photo.bmp", copy = folder / "copy.jpg";
    // Left half red, right half blue.
    ::WriteBmp(photo, c.width, c.height, [&](int x, int) {
      return x < c.width / 2 ? Rgba{220, 20, 20, 255} : Rgba{20, 20, 220, 255};
    });
    ASSERT_TRUE(MakeWorkingCopy(photo.c_str(), copy.c_str()));
    CImgBitmap made;
    ASSERT_TRUE(made.Load(copy.c_str(), 0, 1));
    EXPECT_EQ(made.GetWidth(), c.fitWidth);
    EXPECT_EQ(made.GetHeight(), c.fitHeight);
    const IplImage* image = made.GetIplImage();
    const unsigned char* row = image->imageData + image->widthStep * (image->height / 2);
    EXPECT_GT(row[2], 180) << "red at the left";
    EXPECT_GT(row[(image->width - 1) * 3], 180) << "blue at the right";
  }
}

// JPEG keeps no transparency: a picture with some gets it as a grey mask
// beside its working copy, at the copy's size; an opaque one gets none, and a
// mask left at its name before goes.
TEST(ImageListPreview, TransparencyGoesIntoAGreyMaskBesideTheWorkingCopy) {
  const struct {
    int width, height;
    bool transparent;
    int maskWidth;
  } cases[] = {
      {300, 90, true, 300},     // clear, half and opaque thirds
      {2400, 720, true, 1024},  // fitted: the shape shrinks with the picture
      {300, 90, false, 0},
  };
  TempFolder folder;
  const std::string photo = folder / "cut.tga", copy = folder / "1.jpg", mask = folder / "1.msk.jpg";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    WriteTextFile(mask, "an earlier shape");
    ::WriteTga(photo, c.width, c.height, [&](int x, int) {
      const uint8_t level = !c.transparent ? 255 : x < c.width / 3 ? 0 : x < 2 * c.width / 3 ? 128 : 255;
      return Rgba{200, 30, 30, level};
    });
    ASSERT_TRUE(MakeWorkingCopy(photo.c_str(), copy.c_str()));
    if (!c.transparent) {
      EXPECT_FALSE(FileExists(mask));
      continue;
    }
    CImgBitmap made;
    ASSERT_TRUE(made.Load(mask.c_str(), 0, 1));
    EXPECT_EQ(made.GetWidth(), c.maskWidth);
    const IplImage* image = made.GetIplImage();
    const unsigned char* row = image->imageData + image->widthStep * (image->height / 2);
    const int third = c.maskWidth / 3;
    for (int i : {0, 1, 2}) {
      const int expected = i == 0 ? 0 : i == 1 ? 128 : 255;
      const unsigned char* pixel = row + (third * i + third / 2) * 3;
      for (int channel : {0, 1, 2}) EXPECT_NEAR(pixel[channel], expected, 6) << "third " << i;
    }
  }
}

// Coming back to an album, a working copy is made again whenever its
// reference copy differs in any way from the one it was made from (a copy
// restored from a backup keeps its older date), or lost its mask; an
// unreadable reference copy (a damaged one too) is reported once, until it
// changes, as are a deleted one and a working copy that could not be made
// again; a working copy written by another program is reported to be read
// again. What each
// copy was made from is saved with the list.
TEST_F(ImageListTest, WorkingCopiesFollowTheirReferenceCopyWhateverItsDate) {
  ScopedWorkingCopyMaker library(nullptr);
  const auto plain = [](int x, int) { return Rgba{200, 30, uint8_t(x), 255}; };
  WriteBmp(sources / "a.bmp", 80, 60, plain);
  WriteTga(sources / "cut.tga", 80, 60, [](int x, int) { return Rgba{0, 0, 200, uint8_t(x < 40 ? 0 : 255)}; });
  const std::string photo = FromFile("a.bmp")->thumb, cut = FromFile("cut.tga")->thumb;
  ASSERT_TRUE(list.Save(Album(), false));  // as the import's callers do
  const std::string reference = album / "rif\\1.bmp", working = album / ("img\\" + photo);
  const std::string cutMask = album / ("img\\" + cut.substr(0, cut.size() - 4) + ".msk.jpg");
  OutsideEditsFound found;
  CatchUpOutsideEdits(list, Album(), &found);  // the working copies are seen once
  const struct {
    const char* change;
    std::function<void()> make;
    std::vector<std::string> remade;
    int width;  // of the photo's working copy afterwards
    size_t unreadable, replaced;
    bool workingKept = true;
    bool stampTaken = false;  // the list took the reference copy's new stamp
    size_t missing = 0, unmade = 0;  // told now
  } cases[] = {
      {"nothing", [] {}, {}, 80, 0, 0},
      {"an older picture",
       [&] {
         WriteBmp(reference, 50, 60, plain);
         MoveWriteTime(reference, -3 * 24 * 3600);
       },
       {photo}, 50, 0, 0},
      {"another size at the same time",
       [&] {
         const CFileStamp before = ReadFileStamp(reference);
         WriteBmp(reference, 40, 60, plain);
         SetWriteTime(reference, before.written);
         ASSERT_EQ(ReadFileStamp(reference).written, before.written);
       },
       {photo}, 40, 0, 0},
      // Stamps are the cheap trigger, and only a digest that differs from
      // the one recorded makes the copy again.
      {"another picture of the same size, its time put back",
       [&] {
         const CFileStamp before = ReadFileStamp(reference);
         WriteBmp(reference, 40, 60, [](int x, int) { return Rgba{20, 220, uint8_t(x), 255}; });
         SetWriteTime(reference, before.written);
         ASSERT_EQ(ReadFileStamp(reference).size, before.size);
       },
       {photo}, 40, 0, 0},
      {"only the time moved", [&] { MoveWriteTime(reference, 3600); }, {}, 40, 0, 0, true, true},
      {"a mask deleted", [&] { ASSERT_TRUE(::DeleteFileA(cutMask.c_str())); }, {cut}, 40, 0, 0},
      {"no picture", [&] { WriteTextFile(reference, "not a picture"); }, {}, 40, 1, 0},
      {"no picture, told already", [] {}, {}, 40, 0, 0},
      {"an empty file", [&] { WriteTextFile(reference, ""); }, {}, 40, 1, 0},
      {"a JPEG", [&] { WriteJpeg(reference, 90, 60, [](int x, int y) { return Speckled(x, y, 1); }); }, {photo}, 90, 0, 0},
      // Another program writing a new picture over it, caught half way: the
      // decoder reads on past the old data, and says so.
      {"the JPEG half rewritten",
       [&] {
         const std::string other = sources / "other.jpg";
         WriteJpeg(other, 90, 60, [](int x, int y) { return Speckled(x, y, 2); });
         RewriteFirstHalf(reference, other);
         MoveWriteTime(reference, 2);
       },
       {}, 90, 1, 0},
      {"deleted", [&] { ASSERT_TRUE(::DeleteFileA(reference.c_str())); }, {}, 90, 0, 0, true, false, 1},
      {"deleted, told already", [] {}, {}, 90, 0, 0, true, false, 0},
      // The copy cannot be replaced: the system says why, once for this
      // reference copy, and the copy is tried again at each look.
      {"a picture whose copy cannot be written",
       [&] {
         WriteBmp(reference, 50, 60, plain);
         MakeFolder(working + ".new");
       },
       {}, 90, 0, 0, true, false, 0, 1},
      {"its copy still cannot be written", [] {}, {}, 90, 0, 0, true, false, 0, 0},
      {"a picture again",
       [&] {
         ASSERT_TRUE(::RemoveDirectoryA((working + ".new").c_str()));
         WriteBmp(reference, 70, 60, plain);
       },
       {photo}, 70, 0, 0},
      {"the working copy cut short", [&] { CutShort(working); }, {photo}, 70, 0, 0},
      {"the working copy cut short while the album was closed",
       [&] {
         list.Find(photo.c_str())->workingSeen = CFileStamp();
         CutShort(working);
       },
       {photo}, 70, 0, 0},
      {"the working copy replaced",
       [&] {
         CImgBitmap other;
         ASSERT_TRUE(other.Create(30, 60, false));
         ASSERT_TRUE(other.Save(working.c_str(), IMG_FORMAT_JPEG, 1, 90));
       },
       {}, 30, 0, 1},
      {"both copies cut short",
       [&] {
         CutShort(reference);
         CutShort(working);
       },
       {}, 0, 1, 1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.change);
    c.make();
    OutsideEditsFound now;
    EXPECT_EQ(CatchUpOutsideEdits(list, Album(), &now), c.remade);
    EXPECT_EQ(PictureWidth(working), c.width);
    EXPECT_TRUE(FileExists(cutMask));
    EXPECT_EQ(now.replaced.size(), c.replaced);
    ASSERT_EQ(now.unreadable.size(), c.unreadable);
    if (c.unreadable) {
      EXPECT_EQ(now.unreadable[0].nome, "a.bmp");
      EXPECT_EQ(now.unreadable[0].path, reference);
      EXPECT_EQ(now.unreadable[0].working, working);
      EXPECT_EQ(now.unreadable[0].workingKept, c.workingKept);
    }
    ASSERT_EQ(now.missing.size(), c.missing);
    if (c.missing) {
      EXPECT_EQ(now.missing[0].path, reference);
    }
    ASSERT_EQ(now.unmade.size(), c.unmade);
    if (c.unmade) {
      EXPECT_EQ(now.unmade[0].nome, "a.bmp");
      EXPECT_EQ(now.unmade[0].working, working);
      EXPECT_EQ(now.unmade[0].writeError, static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    }
    MarkUnreadableTold(list, now.unreadable);
    MarkMissingTold(list, now.missing);
    MarkUnmadeTold(list, now.unmade);
    if (c.stampTaken) {
      EXPECT_EQ(list.Find(photo.c_str())->madeFrom, ReadFileStamp(reference));
    }
    auto saved = CMImageList::Load(Album(), false);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Find(photo.c_str())->madeFrom, list.Find(photo.c_str())->madeFrom);
    EXPECT_EQ(saved->Find(photo.c_str())->madeFromDigest, list.Find(photo.c_str())->madeFromDigest);
    EXPECT_TRUE(saved->Find(cut.c_str())->masked);
  }

  // A photo of a list written before the stamps goes by the dates, then
  // takes the stamp of its reference copy.
  list.Find(photo.c_str())->madeFrom = CFileStamp();
  MoveWriteTime(reference, -3600);
  EXPECT_TRUE(CatchUpOutsideEdits(list, Album()).empty());
  EXPECT_EQ(list.Find(photo.c_str())->madeFrom, ReadFileStamp(reference));
  WriteBmp(reference, 60, 60, plain);
  MoveWriteTime(reference, -7200);
  EXPECT_EQ(CatchUpOutsideEdits(list, Album()), std::vector<std::string>{photo});
  EXPECT_EQ(PictureWidth(working), 60);
  EXPECT_TRUE(ui.Questions().empty());
}

}  // namespace
