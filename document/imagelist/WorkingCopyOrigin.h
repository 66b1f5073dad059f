#pragma once
// Whether a photo's working copy still shows its reference copy. Each working
// copy remembers the reference copy it was made from (size and write time):
// a reference copy restored from a backup keeps its older date, so only a
// stamp that differs in any way tells that the picture is another.
#include <string>

#include "document/imagelist/MImageList.h"
#include "document/services/FileStamp.h"

// Notes what the working copy at workingPath was made from, and the copy
// itself. Made now: the reference copy was just read whole to make it; a copy
// found beside its reference copy is only taken to agree with it. True when
// what the list keeps of the photo changed.
bool RecordWorkingCopyOrigin(spab_imagelist::CMImg& image, const CFileStamp& reference,
                             const std::string& workingPath, bool madeNow = true);

// Whether both copies are still the files they were when the working copy
// was made, the reference copy read whole: then they show one picture.
bool PairIsAsMade(const spab_imagelist::CMImg& image, const CFileStamp& reference, const CFileStamp& working);

// Whether the working copy must be made again from the reference copy
// (which exists). A photo of an older list, whose origin is not known, goes
// by the dates: the reference copy newer than its working copy.
bool WorkingCopyIsStale(const spab_imagelist::CMImg& image, const CFileStamp& reference,
                        const CFileStamp& working, const std::string& workingPath);
