#pragma once
// Photos whose reference copy cannot be read whole: the page and the
// laboratory keep their last good working copy, or show a grey box when there
// is none, and the user is told which, once for each change of the file.
// Likewise, when found, reference copies gone and working copies that could
// not be made again, with the system's reason.
#include <vector>

#include <windows.h>

#include "document/imagelist/OutsideEdits.h"

namespace spab_imagelist {
class CMImageList;
}

void TellUnreadablePhotos(spab_imagelist::CMImageList& list, const std::vector<UnreadableReference>& unreadable,
                          HWND owner);

// Every failure found, each kind in a box of its own; each marked told.
void TellPhotoFailures(spab_imagelist::CMImageList& list, const OutsideEditsFound& found, HWND owner);
