// Steps of the rectangle transfer (ownReadRectWithBorder): block copies, tile
// rows and the replication of border pixels in a rectangle buffer.
#ifndef SPAB_IPL_OWNRECT_H
#define SPAB_IPL_OWNRECT_H

#include <cstdint>

#include "ipl/ipl.h"

// Copies columns x0..x1 and rows y0..y1 (a range whose end is below its start
// is walked downwards, mirroring the block) to dst from (dstX, dstY) on. With
// pixelBytes 0 (1U) only set bits are written.
void ownCopyBlock(const unsigned char* src, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                  int32_t srcStep, int32_t srcPlaneStep, unsigned char* dst, int32_t dstX,
                  int32_t dstY, int32_t dstStep, int32_t dstPlaneStep, int32_t pixelBytes,
                  int32_t planes);

// The same from an image, tiled or not: 0 done, 1 failure (no memory or a
// tile the call-back did not supply).
int32_t ownReadImageRect(const IplImage* image, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                         unsigned char* dst, int32_t dstX, int32_t dstY, int32_t dstStep,
                         int32_t dstPlaneStep, int32_t pixelBytes, int32_t planes);

// Fetches count tiles of one tile row for reading; 1 when any is missing.
int32_t ownGetTileRow(const IplImage* image, unsigned char** tiles, int32_t count,
                      int32_t firstCol, int32_t tileRow, int32_t colStep);
// Releases them, last first.
void ownReleaseTileRow(const IplImage* image, unsigned char** tiles, int32_t count,
                       int32_t firstCol, int32_t tileRow, int32_t colStep);

// Replication of border pixels inside a buffer of the rectangle layout.
void ownReplicatePixel(unsigned char* buf, int32_t x, int32_t y, int32_t w, int32_t h,
                       int32_t step, int32_t planeStep, int32_t pixelBytes, int32_t planes);
void ownReplicateColumn(unsigned char* buf, int32_t x, int32_t y, int32_t w, int32_t h,
                        int32_t step, int32_t planeStep, int32_t pixelBytes, int32_t planes);
void ownReplicateRow(unsigned char* buf, int32_t x, int32_t y, int32_t w, int32_t h,
                     int32_t step, int32_t planeStep, int32_t pixelBytes, int32_t planes);

// Image coordinate read for coordinate c of an axis of n pixels under a
// border mode (replicate, reflect or wrap); c inside is returned unchanged.
int32_t ownBorderCoordinate(int32_t c, int32_t n, int32_t mode);

#endif  // SPAB_IPL_OWNRECT_H
