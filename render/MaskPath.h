#pragma once
// Where the mask of a picture lies: beside it, with ".msk" before the
// extension ("c:\a\b.jpg" -> "c:\a\b.msk.jpg").
#include <string>

std::string MaskPathFor(const char* picturePath);
// Whether that mask is there.
bool HasMaskBeside(const char* picturePath);
