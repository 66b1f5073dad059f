#include "document/imagelist/WorkingCopy.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "document/services/FileDigest.h"
#include "document/services/FileStamp.h"
#include "document/services/FileWatch.h"
#include "document/services/Win32Handle.h"
#include "imagelib/ImageFile.h"
#include "imagelib/ImgBitmap.h"
#include "render/MaskPath.h"
#include "render/PictureCache.h"
#include "render/TextureImage.h"

namespace {
constexpr int kWorkingSize = 1024;
// Reads of a picture that kept changing while it was read, before it is left
// for a later try.
constexpr int kReadAttempts = 3;

WorkingCopyMaker g_maker = nullptr;

// The largest of the codec's reductions 1, 2, 4 and 8 that still leaves the
// working size: the codec scales while it decodes, far quicker than reading
// the whole picture and shrinking it afterwards.
int ReductionKeeping(int longerSide) {
  int reduction = 1;
  while (reduction < 8 && longerSide / (reduction * 2) >= kWorkingSize) reduction *= 2;
  return reduction;
}

// A picture that cannot be read leaves no system error: whatever the reading
// left would be taken for a write's.
bool Unreadable() {
  ::SetLastError(ERROR_SUCCESS);
  return false;
}

// Room a working copy and its mask may need at most; a failed write with
// less than this left on the disk is the disk's fault.
constexpr ULONGLONG kRoomForWorkingCopy = 4ull << 20;

bool DiskNearlyFull(const char* path) {
  std::string folder(path);
  const size_t separator = folder.find_last_of("\\/");
  folder.resize(separator == std::string::npos ? 0 : separator + 1);
  ULARGE_INTEGER available;
  return ::GetDiskFreeSpaceExA(folder.empty() ? nullptr : folder.c_str(), &available, nullptr, nullptr) &&
         available.QuadPart < kRoomForWorkingCopy;
}

// A write that failed keeps a system error to say why. The C library's writer
// leaves none that can be trusted (a disk that took only part of the bytes),
// so a full disk is told by the room left on it.
bool Written(bool written, const char* path) {
  if (written) return true;
  if (DiskNearlyFull(path))
    ::SetLastError(ERROR_DISK_FULL);
  else if (::GetLastError() == ERROR_SUCCESS)
    ::SetLastError(ERROR_WRITE_FAULT);
  return false;
}

// Alpha kept when the file has it; fitted into the working size with linear
// interpolation: the codec's reduction already smoothed the picture, and
// what is left to shrink is less than half.
bool MakeWithImageLibrary(const char* sourcePath, const char* jpegPath, bool* damaged, CFileDigest* read) {
  // Held while it is decoded: its digest is that of the bytes decoded.
  CHeldFile held;
  if (!held.Open(sourcePath)) return Unreadable();
  img::ImageFile file;
  if (!file.Open(sourcePath)) return Unreadable();
  const int longer = std::max(file.Info().width, file.Info().height);
  CImgBitmap decoded;
  if (!decoded.Load(sourcePath, 1, ReductionKeeping(longer))) return Unreadable();
  if (damaged) *damaged = decoded.WasDamaged();
  // The decode left the bytes in the system's cache: read again from there.
  if (read && !held.Digest(*read)) return Unreadable();
  if (std::max(decoded.GetWidth(), decoded.GetHeight()) <= kWorkingSize) return SaveWorkingCopy(decoded, jpegPath);
  int32_t width = 0, height = 0;
  img::FitLongerSide(decoded.GetWidth(), decoded.GetHeight(), kWorkingSize, width, height);
  CImgBitmap fitted;
  if (!fitted.Create(width, height, decoded.GetAlphaChannel() != 0)) return Unreadable();
  {
    // The shape shrinks with the picture.
    AlphaAsColour from(decoded.GetIplImage());
    AlphaAsColour to(fitted.GetIplImage());
    iplResize(decoded.GetIplImage(), fitted.GetIplImage(), width, decoded.GetWidth(), height, decoded.GetHeight(),
              IPL_INTER_LINEAR);
  }
  return SaveWorkingCopy(fitted, jpegPath);
}

// An alpha channel that is opaque everywhere gives the picture no shape.
bool HasTransparency(const CImgBitmap& picture) {
  const IplImage* image = picture.GetIplImage();
  if (!image || picture.GetAlphaChannel() == 0) return false;
  const int alpha = image->alphaChannel - 1;
  for (int y = 0; y < image->height; ++y) {
    const auto* row = reinterpret_cast<const unsigned char*>(image->imageData) + static_cast<size_t>(y) * image->widthStep;
    for (int x = 0; x < image->width; ++x)
      if (row[static_cast<size_t>(x) * image->nChannels + alpha] != 255) return true;
  }
  return false;
}

// A copy carries the time of the picture it was made from: the picture
// changed since is newer than the copy, so opening the album (or sending it)
// makes the copy again, however the picture was written.
void DateAsMadeFrom(const char* jpegPath, ULONGLONG writtenTicks) {
  FILETIME written;
  written.dwLowDateTime = static_cast<DWORD>(writtenTicks);
  written.dwHighDateTime = static_cast<DWORD>(writtenTicks >> 32);
  const CScopedHandle copy(::CreateFileA(jpegPath, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (copy.IsValid()) ::SetFileTime(copy.Get(), nullptr, nullptr, &written);
}

// White where the picture is opaque, black where it is clear.
bool SaveAlphaAsMask(const CImgBitmap& picture, const std::string& maskPath) {
  const IplImage* image = picture.GetIplImage();
  CImgBitmap mask;
  if (!mask.Create(image->width, image->height, false)) return false;
  IplImage* grey = mask.GetIplImage();
  const int alpha = image->alphaChannel - 1;
  for (int y = 0; y < image->height; ++y) {
    const auto* from = reinterpret_cast<const unsigned char*>(image->imageData) + static_cast<size_t>(y) * image->widthStep;
    auto* to = reinterpret_cast<unsigned char*>(grey->imageData) + static_cast<size_t>(y) * grey->widthStep;
    for (int x = 0; x < image->width; ++x) {
      const unsigned char level = from[static_cast<size_t>(x) * image->nChannels + alpha];
      to[x * 3] = to[x * 3 + 1] = to[x * 3 + 2] = level;
    }
  }
  return mask.Save(maskPath.c_str(), IMG_FORMAT_JPEG, 1, 90) != 0;
}

// The copy and its mask, touching nothing the window's thread holds.
bool WriteWorkingCopy(const CImgBitmap& picture, const char* jpegPath) {
  ::SetLastError(ERROR_SUCCESS);
  if (!Written(picture.Save(jpegPath, IMG_FORMAT_JPEG, 1, 90) != 0, jpegPath)) return false;
  const std::string maskPath = MaskPathFor(jpegPath);
  if (HasTransparency(picture)) {
    ::SetLastError(ERROR_SUCCESS);
    return Written(SaveAlphaAsMask(picture, maskPath), jpegPath);
  }
  ::DeleteFileA(maskPath.c_str());
  return true;
}
}  // namespace

bool SaveWorkingCopy(const CImgBitmap& picture, const char* jpegPath) {
  // A page showing the copy reads it again, not what the old file told.
  PictureCache::Instance().ForgetFile(jpegPath);
  return WriteWorkingCopy(picture, jpegPath);
}

RemakeResult RemakeWorkingCopy(const char* changedPath, const char* jpegPath, CFileStamp* madeFrom,
                               CFileDigest* madeFromDigest) {
  PictureCache::Instance().ForgetFile(jpegPath);
  return RemakeWorkingCopyFiles(changedPath, jpegPath, madeFrom, madeFromDigest);
}

RemakeResult RemakeWorkingCopyFiles(const char* changedPath, const char* jpegPath, CFileStamp* madeFrom,
                                    CFileDigest* madeFromDigest) {
  // A picture replaced or still written while it is read is read again.
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    const CFileStamp read = ReadContentStamp(changedPath);
    if (!read.exists) return RemakeResult::kUnreadable;
    // No program writes it while it is read: still held by its writer, it
    // is read once that is done.
    CHeldFile held;
    if (!held.Open(changedPath)) return RemakeResult::kUnreadable;
    CImgBitmap picture;
    // No preview trailer: the file just edited is the user's and stays as the
    // editor wrote it. Read whole: a picture the decoder finds damaged (one
    // still rewritten in place, half new and half old) makes no copy.
    if (!picture.LoadPreview(changedPath, 1, false, kWorkingSize, true, true)) return RemakeResult::kUnreadable;
    if (ReadFileStamp(changedPath) != read) continue;
    CFileDigest digest;
    if (!held.Digest(digest)) return RemakeResult::kUnreadable;
    bool written = false;
    DWORD writeError = ERROR_SUCCESS;
    {
      // Our own rewrite of the copy must not come back as a change.
      CFileWatchOwnWrite ownWrite(jpegPath);
      // The shape of an edited cut-out is kept, or taken off when the edit
      // made it opaque.
      written = WriteWorkingCopy(picture, jpegPath);
      writeError = ::GetLastError();
    }
    if (!written) {
      ::SetLastError(writeError);
      return RemakeResult::kNotWritten;
    }
    DateAsMadeFrom(jpegPath, read.written);
    if (madeFrom) *madeFrom = read;
    if (madeFromDigest) *madeFromDigest = digest;
    return RemakeResult::kWritten;
  }
  return RemakeResult::kUnreadable;
}

void DeleteWorkingCopy(const char* jpegPath) {
  PictureCache::Instance().ForgetFile(jpegPath);
  ::DeleteFileA(jpegPath);
  ::DeleteFileA(MaskPathFor(jpegPath).c_str());
}

bool MakeWorkingCopy(const char* sourcePath, const char* jpegPath, bool* damaged, CFileDigest* read) {
  if (damaged) *damaged = false;
  if (!g_maker) return MakeWithImageLibrary(sourcePath, jpegPath, damaged, read);
  if (!g_maker(sourcePath, jpegPath)) return false;
  if (read) *read = DigestFile(sourcePath);
  return true;
}

WorkingCopyMaker SetWorkingCopyMaker(WorkingCopyMaker maker) {
  WorkingCopyMaker previous = g_maker;
  g_maker = maker;
  return previous;
}
