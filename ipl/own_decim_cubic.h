// The two-axis cubic decimation of 8u pixel-order rows (internal). With
// integer samples the tap combinations of the formula are exact integers
// whatever the order of their sums, so they are formed in 16-bit lanes and
// only the sums with the fraction's powers are taken in double precision,
// in the order the scalar kernel takes them.
#ifndef IPL_OWN_DECIM_CUBIC_H
#define IPL_OWN_DECIM_CUBIC_H

#include <cstdint>

// A fraction and its powers: t² = t·t, t³ = t²·t.
struct OwnCubicFraction {
    double t, t2, t3;
};

// A destination column: the element offset of its tap i in the source row
// and the powers of its fraction, both after the far-edge rule.
struct OwnCubicColumn {
    int64_t offset;
    OwnCubicFraction f;
};

// One destination row of channels (1..4) values per pixel: source row
// sRow holds tap j, lines sLine elements apart; readable is the number of
// elements from sRow - sLine that may be read. False when the layout is
// not one this row kernel takes.
bool ownDecimCubicRow8u(const uint8_t* sRow, int64_t sLine, int64_t readable, int32_t sPix,
                        const OwnCubicColumn* cols, int32_t W, int32_t channels, const OwnCubicFraction& fy,
                        uint8_t* dRow, int32_t dPix);

// The same with four double lanes (processors with AVX only) and with two
// rows' taps per integer vector (processors with AVX2 only).
bool ownDecimCubicRow8uAvx2(const uint8_t* sRow, int64_t sLine, int64_t readable, int32_t sPix,
                            const OwnCubicColumn* cols, int32_t W, int32_t channels, const OwnCubicFraction& fy,
                            uint8_t* dRow, int32_t dPix);
bool ownDecimCubicRow8uAvx(const uint8_t* sRow, int64_t sLine, int64_t readable, int32_t sPix,
                           const OwnCubicColumn* cols, int32_t W, int32_t channels, const OwnCubicFraction& fy,
                           uint8_t* dRow, int32_t dPix);

#endif
