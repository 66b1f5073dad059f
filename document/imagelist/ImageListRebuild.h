#pragma once
// An image list made again from the album's folders, for an album whose list
// file could not be read. Each picture in "img" (masks aside) becomes a photo
// of the list under its own file name. Where "rif" holds a picture it could
// have been made from (a working copy: no side beyond 1024 pixels, the same
// proportions, the same picture; see PictureLikeness.h), of whatever number,
// the photo is an imported one again; any other is taken for a laboratory CD
// photo, whose working copy is its whole picture. The photos' original file
// names and CD keys went with the list. The counters go past every number the
// folders or the pages use, so no import takes one again.
#include <memory>
#include <string>
#include <vector>

#include "document/imagelist/MImageList.h"

namespace spab_imagelist {

// photosInUse: the names the album's pages give their photos. unmatched,
// when given, gets the photos taken for CD photos that an import could have
// made, when "rif" keeps reference copies no photo matched: some of them may
// have lost theirs.
std::unique_ptr<CMImageList> RebuildImageList(const std::string& albumFolder,
                                              const std::vector<std::string>& photosInUse,
                                              std::vector<std::string>* unmatched = nullptr);

}  // namespace spab_imagelist
