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

#endif  // SPAB_IPL_OWNSCEWALK_H
