#pragma once
// The photos an album has imported ("immagini.xml" in the album folder). The list
// owns the photo files: a working copy in "\img\" and, for photos that did not come
// from a laboratory CD, a reference copy in "\rif\", both named from counters that
// only grow (a working copy of a picture with transparency has its mask beside
// it, see WorkingCopy.h), and it counts how many page objects use each photo.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "document/services/FileDigest.h"
#include "document/services/FileStamp.h"
#include "framework/string_type.h"

namespace spab_imagelist {

class CMImg {
 public:
  virtual ~CMImg() = default;

  std::string nome;         // source file name (on the CD, or of the imported file)
  std::string thumb;        // working copy in \img\; the key of the entry
  std::string cdkey;        // the CD's key, for tipo 0
  std::string riferimento;  // reference copy in \rif\, for tipo 1
  int32_t tipo = 0;         // 0 laboratory CD, 1 imported file or crop
  int32_t refCount = 0;     // page objects using the photo, never below 0
  float cropX = 0.0f;       // where a cropped part lies in its photo; 0 when no crop
  float cropY = 0.0f;
  float ratioH = 0.0f;
  // What the working copy was made from: the reference copy as it was then
  // (not known for photos of lists written before it was kept), and whether
  // the picture's shape went into a mask beside the copy.
  CFileStamp madeFrom;
  bool masked = false;
  // The working copy as it was made from it: with both stamps unchanged the
  // pair is known to show one picture.
  CFileStamp madeAs;
  // The digests of both copies' bytes then, which tell what the stamps
  // cannot (not known for lists written before they were kept).
  CFileDigest madeFromDigest;
  CFileDigest madeAsDigest;
  // Kept while the album is open: the working copy as last made or seen, a
  // reference copy already told to be unreadable or to be missing, and one
  // whose working copy was told not to be made again from it.
  CFileStamp workingSeen;
  CFileStamp toldUnreadable;
  bool toldMissing = false;
  CFileStamp toldUnmade;
};

// An entry left out of the list for a file name it gives: the photo's own
// name (empty when the entry has none) and the file name refused.
struct RefusedImage {
  std::string nome;
  std::string file;
};

class CMImageList {
 public:
  // Writes a cut-out to the path and gives its three crop values; false on failure.
  using SaveCropFunction = std::function<bool(const CString& path, float& cropX, float& cropY,
                                              float& ratioH)>;

  CMImageList() = default;
  CMImageList(const CMImageList& other);
  CMImageList& operator=(const CMImageList& other);
  virtual ~CMImageList() = default;

  // Reads the file at path, or "immagini.xml" in the folder path when !isFullPath.
  // Null when the file cannot be loaded or has no root element. Entries whose file
  // names would lead out of the album's folders are left out; they go into
  // refused, when given, in file order.
  static std::unique_ptr<CMImageList> Load(const char* path, bool isFullPath,
                                           std::vector<RefusedImage>* refused = nullptr);

  // Replaces the file (written beside it first, so a failed write leaves the old
  // list in place). False when it could not be written.
  bool Save(const char* path, bool isFullPath) const;

  // Imports one photo of a laboratory CD; the failure is shown in an "Error" box.
  bool AddFromLabCd(const char* cdKey, const char* albumFolder, const char* cdFolder,
                    const char* fileName);

  // Imports an image file: its reference copy and a JPEG working copy. Null when the
  // source is missing or a folder (silently), or when a copy fails (shown). A
  // picture the decoder reads only past damage is imported as it reads, and
  // the user is told so.
  CMImg* AddFromFile(const char* sourcePath, const char* albumFolder);

  // Stores the crop dialog's cut-out as a new photo; the dialog's SaveCrop writes it.
  template <class CropDialog>
  bool AddCroppedImage(CropDialog& dialog, const char* albumFolder, CString* pWorkingName = nullptr) {
    return AddCroppedImageWith(
        [&dialog](const CString& path, float& x, float& y, float& h) {
          return dialog.SaveCrop(path, x, y, h) != 0;
        },
        albumFolder, pWorkingName);
  }
  bool AddCroppedImageWith(const SaveCropFunction& saveCrop, const char* albumFolder,
                           CString* pWorkingName = nullptr);

  // Adds a copy of an entry of another list, files untouched; null when the list
  // already has a photo of that working name.
  CMImg* AppendCopy(const CMImg& image);

  CMImg* Find(const char* thumb) const;
  // Each change of a count tells the photo bar, which marks the photos in
  // use; within a RefBatch it is told once, when the batch ends.
  int AddRef(const char* thumb);
  int Release(const char* thumb);
  void ResetRefs();

  // Counting a whole album makes a change per placed photo: the photo bar
  // looks at every mark once at the end rather than after each.
  class RefBatch {
   public:
    explicit RefBatch(CMImageList& list) : m_list(list) { ++m_list.m_batchDepth; }
    ~RefBatch();
    RefBatch(const RefBatch&) = delete;
    RefBatch& operator=(const RefBatch&) = delete;

   private:
    CMImageList& m_list;
  };

  // thumb names (wantThumbs) or riferimento names, in list order.
  std::vector<CString> GetFileNames(bool wantThumbs) const;

  // Removes a photo, deletes its files (and the working copy's mask) in the album
  // folder and saves the list there.
  void Remove(const char* thumb, const char* albumFolder);
  // Deletes the files of every photo in the album folder, as Remove does;
  // the list stays as it is.
  void DeleteFiles(const char* albumFolder) const;

  const std::vector<std::unique_ptr<CMImg>>& GetImages() const { return m_images; }
  int32_t GetLastThumb() const { return m_lastThumb; }
  int32_t GetLastRif() const { return m_lastRif; }
  // Numbers up to these are taken already (by files a rebuilt list found):
  // the counters never stay below them.
  void ReserveNumbers(int32_t lastThumb, int32_t lastRif);

 private:
  static void NewFileName(std::string& out, int32_t number, const char* extension);
  // False once the counter cannot grow any more.
  bool TakeWorkingName(std::string& out, const char* albumFolder, const char* extension);
  bool TakeReferenceName(std::string& out, const char* albumFolder, const char* extension);
  // Empty when made from the reference copy, whose digest goes to read;
  // else what failed, for the import's message. damaged, when given: the
  // picture was read only past damage in its data.
  std::string MakeEntryWorkingCopy(const std::string& reference, const char* albumFolder, std::string& workingName,
                                   CFileDigest& read, bool* damaged = nullptr);
  CMImg* Append(std::unique_ptr<CMImg> image);
  void RebuildIndex();
  int ChangeRef(const char* thumb, int delta);

  std::vector<std::unique_ptr<CMImg>> m_images;
  std::map<std::string, CMImg*> m_index;  // thumb -> entry, not owning
  int32_t m_lastThumb = 0;
  int32_t m_lastRif = 0;
  int m_batchDepth = 0;  // RefBatch objects alive
};

}  // namespace spab_imagelist
