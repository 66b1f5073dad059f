#pragma once
// Photos an outside editor changed while their album was closed: the editor
// saved the reference copy after the file watch had stopped, so the working
// copy the pages show, and the laboratory gets, is older than it. A working
// copy deleted meanwhile is as out of date.
#include <string>
#include <vector>

#include "document/imagelist/WorkingCopyRemakes.h"

namespace spab_imagelist {
class CMImageList;
}

// Every working copy whose reference copy is newer, or that is missing beside
// its reference copy, in list order. The folder of working copies is made
// again when it has gone.
std::vector<WorkingCopyRemake> FindOutsideEdits(const spab_imagelist::CMImageList& list,
                                                const std::string& albumFolder);

// Makes them again, as the file watch does while the album is open, on the
// machine's cores while this thread waits. The names of the photos remade, in
// list order.
std::vector<std::string> CatchUpOutsideEdits(const spab_imagelist::CMImageList& list, const std::string& albumFolder);
