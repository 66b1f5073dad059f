#pragma once
// Where the mask of a picture lies: beside it, with ".msk" before the
// extension ("c:\a\b.jpg" -> "c:\a\b.msk.jpg").
#include <string>

std::string MaskPathFor(const char* picturePath);
// Whether that mask is there.
bool HasMaskBeside(const char* picturePath);
// Whether a file name is that of a mask ("b.msk.jpg"): a picture's shape,
// not a picture of its own.
bool IsMaskName(const char* name);
