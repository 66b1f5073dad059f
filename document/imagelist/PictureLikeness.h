#pragma once
// Whether two picture files show the same photo, whatever their size: each is
// reduced to 16 x 16 grey levels, and the levels are compared within what
// fitting a working copy into its size and saving it as a JPEG can change.
// Two photos of the same proportions but of another scene differ far more.
#include <array>
#include <cstdint>
#include <string>

namespace spab_imagelist {

using PictureLikeness = std::array<uint8_t, 16 * 16>;

// False when the file is no picture the image library reads.
bool ReadPictureLikeness(const std::string& path, PictureLikeness& likeness);

bool AreAlike(const PictureLikeness& a, const PictureLikeness& b);

}  // namespace spab_imagelist
