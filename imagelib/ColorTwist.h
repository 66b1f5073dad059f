// 4 x 4 colour matrices for the colour adjustment of pictures. Matrices are 16
// floats, row by row, and act on column vectors: out = m x (B, G, R, 1) in
// pixel space, or (Y, B-Y, R-Y, 1) in the luma and colour-difference space in
// which the twists below are built.
#ifndef SPAB_IMAGELIB_COLORTWIST_H
#define SPAB_IMAGELIB_COLORTWIST_H

// out = a x b. out may not alias a or b.
void ImgMul4x4(const float a[16], const float b[16], float out[16]);
// a = a x b.
void ImgMul4x4InPlace(float a[16], const float b[16]);

// Scale one primary by value (1.0 gives the identity), expressed in luma and
// colour-difference space.
void ImgRedGainTwist(float value, float m[16]);
void ImgGreenGainTwist(float value, float m[16]);
void ImgBlueGainTwist(float value, float m[16]);
// Scales both colour differences by value.
void ImgSaturationTwist(float value, float m[16]);
// Scales luma and both colour differences by the brightness value.
void ImgScaleTwist(float value, float m[16]);

#endif
