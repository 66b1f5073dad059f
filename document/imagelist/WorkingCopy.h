#pragma once
// Makes the working copy of an imported photo: the picture fitted into 1024 pixels per
// side, saved as a JPEG of quality 90. Tests may put a maker of their own in place.

typedef bool (*WorkingCopyMaker)(const char* sourcePath, const char* jpegPath);

bool MakeWorkingCopy(const char* sourcePath, const char* jpegPath);

// Returns the maker that was set before; null restores the image library's.
WorkingCopyMaker SetWorkingCopyMaker(WorkingCopyMaker maker);
