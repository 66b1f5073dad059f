// The tile walk shared by copy, fill and look-up mapping: the processing area
// is cut along the tiles of the tiled image and the operation is run again on
// plain local headers for each piece.
#ifndef SPAB_IPL_OWNSCEWALK_H
#define SPAB_IPL_OWNSCEWALK_H

#include <cstdint>
#include <functional>

#include "ipl/ipl.h"

// Runs op(localSource, localDestination) for each tile piece; localSource is
// null when srcImage is. With inPlace (srcImage == dstImage) the source of
// each piece is the destination's own piece. Returns false when a tile could
// not be had or an op call failed (later pieces are still worked).
bool ownSceTileWalk(IplImage* srcImage, IplImage* dstImage, IplImage* mask, int32_t width,
                    int32_t height, bool inPlace, const char* funcName, const char* unitName,
                    const std::function<bool(IplImage*, IplImage*)>& op);

struct OwnValues;
struct OwnMaskBits;

// The value-moving part of copy and look-up mapping: the mask in use, the
// common area, the tile walk (which calls again on each piece's plain
// headers) and, on plain images, values(source, destination, mask bits or
// null, width, height). Returns false on a failure it reported.
using OwnValuesRun = std::function<void(const OwnValues&, const OwnValues&, const OwnMaskBits*, int32_t, int32_t)>;
bool ownMoveValues(IplImage* srcImage, IplImage* dstImage, const char* funcName, const char* unitName,
                   const std::function<bool(IplImage*, IplImage*)>& again, const OwnValuesRun& values);

#endif  // SPAB_IPL_OWNSCEWALK_H
