// The two walks of super-sampling decimation (internal): along x over the
// buffer columns and along y over the source rows. The float kernels and the
// exact integer path of 8u images follow the same walks.
#ifndef IPL_OWN_SUPER_H
#define IPL_OWN_SUPER_H

#include <cstdint>

#include "ipl/own_ops.h"

inline int32_t ownSuperTrunc(double v) { return static_cast<int32_t>(v); }

// One step of the walk along x over the buffer columns.
struct OwnSuperStep {
    enum Kind { kStart, kFinish, kFinishAndStart, kAdd, kAddAndFinish };
    int32_t column;
    Kind kind;
    float weightEnd;    // share of this column in the destination column it ends
    float weightStart;  // share of this column in the destination column it starts
};

// The walk along x, the same for every row and channel; returns the number
// of steps (at most N).
int32_t ownSuperColumnSteps(double x0, float xScale, int32_t N, int32_t W, OwnSuperStep* steps);

// How a source row goes into the buffer row.
enum class OwnSuperRowOp { kAddWeighted, kSetWeighted, kAdd };

// The walk along y over R source rows for H destination rows: row(r, op, w)
// puts source row r into the buffer row, finish(m) turns the buffer row into
// destination row m and clears it. Every destination row is finished once.
template <class Row, class Finish>
void ownSuperRowWalk(double y0, float yScale, int32_t R, int32_t H, Row row, Finish finish)
{
    int32_t b = ownSuperTrunc(y0 + 0.0001);
    double w = 1.0 - (y0 - b);
    double e = y0;
    int32_t m = 0;
    for (int32_t r = 0; r < R && m < H; ++r) {
        ++b;
        if (e + 0.0001 <= b) {
            if (r != 0) {
                row(r, OwnSuperRowOp::kAddWeighted, static_cast<float>(e - ownSuperTrunc(e)));
                finish(m);
                if (++m >= H)
                    break;
                w = 1.0 - (e - ownSuperTrunc(e));
            }
            e += yScale;
            row(r, OwnSuperRowOp::kSetWeighted, static_cast<float>(w));
        } else {
            row(r, OwnSuperRowOp::kAdd, 1.0f);
            if (e <= b) {
                e += yScale;
                finish(m);
                ++m;
            }
        }
    }
    // The row in progress, and rows the source ended before (zero sums).
    for (; m < H; ++m)
        finish(m);
}

// Super-sampling of 8u pixel-order rows whose walks weigh every row and
// column 0 or 1 (boxes with whole-pixel edges): the float sums are then
// exact integers, and integer sums give the same bytes. Returns -1 when the
// geometry does not allow it, else the kernel's result.
int ownDecimSuperExact_8u(OWN_DECIM_KERNEL_ARGS);

// Destination pixels of four channels, each the pair sum of two source
// pixels in two rows, converted as ((sum + add) * mul) >> 16; for processors
// with AVX2 (the caller checks). Returns the pixels done (a multiple of 8).
int32_t ownSuperPairsFromRowsAvx2(const uint8_t* upper, const uint8_t* lower, uint8_t* drow, int32_t W, uint16_t add,
                                  uint16_t mul);

// The float kernel alone, the reference for the exact path.
int ownDecimSuperFloat_8u(OWN_DECIM_KERNEL_ARGS);

#endif
