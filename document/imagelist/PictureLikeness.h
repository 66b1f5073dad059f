#pragma once
// Whether two picture files show the same photo, whatever their size: each is
// reduced to 16 x 16 cells of mean colour, and the cells are compared, in grey
// and in two colour differences (red and blue from green), within what fitting
// a working copy into its size and saving it as a JPEG can change. Two photos
// of the same proportions but of another scene differ far more, and so does a
// grey or recoloured print of the same scene.
#include <array>
#include <cstdint>
#include <string>

namespace spab_imagelist {

// The mean blue, green and red of each cell, row by row. Held in memory only.
using PictureLikeness = std::array<uint8_t, 16 * 16 * 3>;

// False when the file is no picture the image library reads whole: the
// decoder's complaint of damage it went on past is no likeness either.
bool ReadPictureLikeness(const std::string& path, PictureLikeness& likeness);

bool AreAlike(const PictureLikeness& a, const PictureLikeness& b);

}  // namespace spab_imagelist
