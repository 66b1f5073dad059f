// Vector steps of the zoom's row passes (internal). Each returns how many
// leading elements (or columns) it produced; the caller finishes the rest.
#ifndef IPL_OWN_ZOOM_SSE_H
#define IPL_OWN_ZOOM_SSE_H

#include <cstdint>

// Cubic vertical pass over the four-wide part of a contiguous run: r holds
// the four buffered rows. The caller selects rounding to nearest.
int32_t ownZoomCubicVertical8u(const float* const* r, uint8_t* dst, int32_t n, float t);
int32_t ownZoomCubicVertical16u(const float* const* r, uint16_t* dst, int32_t n, float t);
int32_t ownZoomCubicVertical32f(const float* const* r, float* dst, int32_t n, float t);

// Linear vertical passes; the integer ones are exact for any cut of the run.
int32_t ownZoomLinearVertical8u(const uint16_t* upper, const uint16_t* lower, uint8_t* dst, int32_t n, uint32_t wy);
// The 8u pass over buffered rows of four values per pixel straight into W
// four-byte pixels, three values stored and the fourth byte kept; returns
// the pixels done (a multiple of four).
int32_t ownZoomLinearVertical8uStore3of4(const uint16_t* upper, const uint16_t* lower, uint8_t* dst, int32_t W,
                                          uint32_t wy);
// The same eight pixels a step, for processors with AVX2 (the caller checks).
int32_t ownZoomLinearVertical8uStore3of4Avx2(const uint16_t* upper, const uint16_t* lower, uint8_t* dst, int32_t W,
                                              uint32_t wy);
int32_t ownZoomLinearVertical16u(const uint16_t* upper, const uint16_t* lower, uint16_t* dst, int32_t n, uint32_t wy);
int32_t ownZoomLinearVertical32f(const float* upper, const float* lower, float* dst, int32_t n, float wy);

// Linear horizontal pass of 8u pixel-order rows of four channels, of which
// chans (3 or 4) are buffered; the buffer needs room for one value more.
int32_t ownZoomLinearHorizontal8uC4(const uint8_t* p, uint16_t* h, const int32_t* colTab, const uint16_t* wx,
                                     int32_t W, int32_t chans);

// The same with all four channels buffered, four pixels a step, for
// processors with AVX2 (the caller checks).
int32_t ownZoomLinearHorizontal8uC4Avx2(const uint8_t* p, uint16_t* h, const int32_t* colTab, const uint16_t* wx,
                                        int32_t W);

// Cubic horizontal pass of 8u pixel-order rows of four channels, chans of
// them buffered (as above).
int32_t ownZoomCubicHorizontal8uC4(const uint8_t* p, float* h, const int32_t* colTab, const float* wx, int32_t W,
                                   int32_t chans);

// Stores the first three of each four values of run into W four-byte
// pixels, keeping each pixel's fourth byte.
void ownZoomStore3of4(const uint8_t* run, uint8_t* dst, int32_t W);
// The same eight pixels a step, for processors with AVX2 (the caller
// checks); returns the pixels done.
int32_t ownZoomStore3of4Avx2(const uint8_t* run, uint8_t* dst, int32_t W);

// The byte shuffles of a nearest-neighbour row of four-byte pixels, made
// once per call from the column table (byte offsets): for each whole group
// of four destination pixels, the source byte its sixteen-byte load starts
// from and the sixteen shuffle indices that spread its pixels; -1 where the
// group's pixels lie too far apart or the load would pass the last column.
struct OwnNNShuffles {
    int32_t* start = nullptr;   // W / 4 entries
    uint8_t* control = nullptr; // 16 per group
};
// Fills plan for W columns; answers the groups that can be shuffled.
int32_t ownZoomNNPlanShuffles(const int32_t* colTab, int32_t W, const OwnNNShuffles& plan);
// Copies W pixels of sRow at colTab into dRow by the plan, all four bytes or
// (keepFourth) three with each pixel's fourth byte kept. For processors with
// AVX2 (the caller checks).
void ownZoomNNRowShufflesAvx2(const uint8_t* sRow, uint8_t* dRow, const int32_t* colTab, int32_t W,
                              const OwnNNShuffles& plan, bool keepFourth);

#endif
