#pragma once
// The album image list as an album opens. A list file that is there but
// cannot be read must never be written over by the next save or import: its
// entries and counters would be lost for good, and with them the link from
// the pages' photos to their reference copies. It is moved aside, beside
// itself, where it stays to be recovered, and the album goes on with a list
// rebuilt from its folders (ImageListRebuild.h).
#include <memory>
#include <string>
#include <vector>

#include "document/imagelist/MImageList.h"

namespace spab_imagelist {

struct OpenedImageList {
  enum State {
    kRead,      // list holds it
    kNone,      // the album has none yet: nothing was ever imported
    kSetAside,  // it could not be read, now lies at setAsidePath, and list
                // holds one rebuilt from the album's folders
    kLost,      // it is gone though the album has working copies: list
                // holds one rebuilt from the album's folders
    kStuck,     // it could not be read, nor moved aside
  };
  State state = kNone;
  std::unique_ptr<CMImageList> list;
  std::string path;  // the list file of the album
  std::string setAsidePath;
  // Read, but with entries refused for their names (in file order): the
  // next save would write the list without them, so the list as it was is
  // kept at keptPath (empty when no copy could be written).
  std::vector<RefusedImage> refused;
  std::string keptPath;
  // Rebuilt: photos no reference copy left in "rif" could be matched with.
  std::vector<std::string> unmatched;
};

// photosInUse: the names the album's pages give their photos.
OpenedImageList OpenAlbumImageList(const std::string& albumFolder, const std::vector<std::string>& photosInUse);

}  // namespace spab_imagelist
