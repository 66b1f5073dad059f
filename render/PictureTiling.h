#pragma once
// Cutting a decoded picture into the power-of-two tiles of a quad, with the
// colour settings applied on the processor; and the picture sources.
#include <d3d9.h>

#include <cstdint>
#include <memory>
#include <string>

#include "imagelib/ImgBitmap.h"
#include "render/PictureCache.h"

struct ColourSettings;

// Tiles of the device's texture size filled from the source (rows top-down,
// four channels), with their smaller levels for drawing shrunk when asked.
// Null when the device cannot make them or the picture memory is used up
// (nothing is kept then).
std::unique_ptr<PictureTiles> MakePictureTiles(IDirect3DDevice9* device, const D3DCAPS9& caps,
                                               CImgBitmap& source, const ColourSettings& colour,
                                               bool smallerLevels);

// The source of a quad's tiles, rows top-down with alpha: a picture file
// decoded with its longest side at most `size` (0 full size), "#<id>" a
// bitmap resource of the program (opaque), empty a transparent 2 x 2
// picture. The last picture decoded is kept for its next colour variant.
bool DecodePictureSource(const std::string& origin, int32_t size, CImgBitmap& source);
// Forgets the kept picture.
void ForgetDecodedSource();

// The file's path with its size and last change, so a picture changed on disk
// (by an external editor) is a picture of its own for the cache. Names that
// are not files (resources, empty) stay as they are.
std::string StampedOrigin(const std::string& origin);

// The picture's width and height from its file header; false when unreadable.
bool ReadPictureSize(const std::string& path, int32_t& width, int32_t& height);

// What the file of a picture quad tells: from the picture cache while it holds
// pictures of the file, else read now (its stamp, its header, the mask beside
// it). Resources and the empty name give their name alone.
PictureFileFacts PictureFileFactsOf(const std::string& origin);
