#pragma once
// One thumbnail of a picture file as a 96 x 96 bitmap of its own, made
// without any window so a loader thread can make it: the picture fitted and
// centred on the lists' background colour, pictures with alpha blended over a
// light violet.
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

constexpr int kThumbnailSize = 96;
constexpr COLORREF kListBackground = 0xF9DCCB;

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { ::DeleteObject(bitmap); }
};
using OwnedBitmap = std::unique_ptr<std::remove_pointer<HBITMAP>::type, BitmapDeleter>;

// Where a picture of the given size lies in a cell of the given side: the
// longer side fills the cell, the other is truncated and centred.
RECT ThumbnailPlacement(int width, int height, int cell);

// Null when the file cannot be read as a picture. With withMask, a mask
// beside the picture (see MaskPathFor) gives it its shape: an album photo cut
// out of another shows as it was cut.
OwnedBitmap MakeThumbnail(const std::string& path, bool withMask = false);
