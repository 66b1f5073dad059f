#pragma once
// Makes the working copy of an imported photo: the picture fitted into 1024 pixels per
// side, saved as a JPEG of quality 90. A JPEG keeps no transparency, so the
// transparency of a picture that has some (a cut-out) goes into a grey mask
// picture beside the copy ("12.msk.jpg" beside "12.jpg": white opaque, black
// clear), from which the page draws the picture's shape. Tests may put a maker
// of their own in place.

class CImgBitmap;
struct CFileDigest;
struct CFileStamp;

typedef bool (*WorkingCopyMaker)(const char* sourcePath, const char* jpegPath);

// False when no copy was made: the system's last error then says why it could
// not be written (a full disk), and is 0 when the picture could not be read.
// A picture the decoder read only past damage in its data still makes its
// copy (an import takes what there is); damaged, when given, says so. The
// digest of the bytes it was made from goes to read, when given.
bool MakeWorkingCopy(const char* sourcePath, const char* jpegPath, bool* damaged = nullptr,
                     CFileDigest* read = nullptr);

// Returns the maker that was set before; null restores the image library's.
WorkingCopyMaker SetWorkingCopyMaker(WorkingCopyMaker maker);

// Writes a picture as a working copy with its mask; a mask of an earlier
// picture at that place goes when this one is opaque. False, with the
// system's reason as the last error, when either file could not be written.
bool SaveWorkingCopy(const CImgBitmap& picture, const char* jpegPath);

enum class RemakeResult { kUnreadable, kNotWritten, kWritten };

// Makes a working copy again from its photo's changed picture (an outside
// editor saved it): fitted into 1024 pixels per side, its embedded thumbnail
// never taken for it. A watch of the copy does not see the rewrite. The
// changed picture's stamp as it was read goes to madeFrom, and the digest of
// the bytes read to madeFromDigest, when given. A picture the decoder finds
// damaged is unreadable; not written leaves the system's reason as the last
// error.
RemakeResult RemakeWorkingCopy(const char* changedPath, const char* jpegPath, CFileStamp* madeFrom = nullptr,
                               CFileDigest* madeFromDigest = nullptr);

// The same, off the window's thread: the picture cache is left alone, so the
// caller forgets the copy's old picture there (PictureCache::ForgetFile).
RemakeResult RemakeWorkingCopyFiles(const char* changedPath, const char* jpegPath, CFileStamp* madeFrom = nullptr,
                                    CFileDigest* madeFromDigest = nullptr);

// Deletes a working copy and the mask beside it.
void DeleteWorkingCopy(const char* jpegPath);
