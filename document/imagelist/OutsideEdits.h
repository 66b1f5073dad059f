#pragma once
// Photos an outside editor changed while their album was closed: the editor
// saved the reference copy after the file watch had stopped, so the working
// copy the pages show, and the laboratory gets, is older than it. A working
// copy deleted meanwhile is as out of date.
#include <string>
#include <vector>

namespace spab_imagelist {
class CMImageList;
}

// Makes again, as the file watch does while the album is open, every
// working copy whose reference copy is newer, or that is missing beside its
// reference copy. The names of the photos remade, in list order.
std::vector<std::string> CatchUpOutsideEdits(const spab_imagelist::CMImageList& list, const std::string& albumFolder);
