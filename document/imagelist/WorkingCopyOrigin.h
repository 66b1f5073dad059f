#pragma once
// Whether a photo's working copy still shows its reference copy. Each working
// copy remembers the reference copy it was made from (size, write and change
// times, and the digest of its bytes): a reference copy restored from a
// backup keeps its older date, so only a stamp that differs in any way tells
// that the picture may be another, and only a digest that differs that it is.
#include <string>

#include "document/imagelist/MImageList.h"
#include "document/services/FileDigest.h"
#include "document/services/FileStamp.h"

// Notes what the working copy at workingPath was made from, and the copy
// itself. Made now: the reference copy was just read whole to make it, its
// bytes of digest referenceDigest; a copy found beside its reference copy is
// only taken to agree with it. True when what the list keeps of the photo
// changed.
bool RecordWorkingCopyOrigin(spab_imagelist::CMImg& image, const CFileStamp& reference,
                             const std::string& workingPath, bool madeNow = true,
                             const CFileDigest& referenceDigest = CFileDigest());

// Notes a pair the laboratory export read and found alike, or made again:
// both copies as they were copied, never as they are afterwards. True when
// what the list keeps of the photo changed.
bool RecordComparedPair(spab_imagelist::CMImg& image, const CFileContent& reference, const CFileContent& working,
                        const std::string& workingPath);

// Whether both copies hold the bytes they held when the working copy was
// made from the reference copy, read whole then: then they show one picture.
bool PairIsAsMade(const spab_imagelist::CMImg& image, const CFileDigest& reference, const CFileDigest& working);

// A reference copy whose stamp changed while its bytes stayed (its time
// moved, as a daylight-saving hour on some disks moves it) keeps its working
// copy: the list takes the new stamp. Its bytes are read only then. True
// when the list took it.
bool RestampIfSameBytes(spab_imagelist::CMImg& image, const CFileStamp& reference, const std::string& referencePath);

// Whether the working copy must be made again from the reference copy
// (which exists). A photo of an older list, whose origin is not known, goes
// by the dates: the reference copy newer than its working copy.
bool WorkingCopyIsStale(const spab_imagelist::CMImg& image, const CFileStamp& reference,
                        const CFileStamp& working, const std::string& workingPath);
