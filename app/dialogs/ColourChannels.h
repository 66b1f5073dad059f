#pragma once
// The seven channels of the colour dialog and the arithmetic between a
// control position (0 to 100) and a colour value. A channel of scale 1 spans
// 0.0 to 2.0 (50 is 1.0), one of scale 0.5 spans 0.0 to 1.0 (50 is 0.5).
#include <cstddef>

#include "document/nodes/ImgColor.h"

struct ColourChannel {
  int sliderId;
  int spinId;
  int editId;
  float CImgColor::*field;
  float scale;
  bool alphaAlone;  // changed through the page's alpha alone, not the whole set
};

constexpr size_t kColourChannelCount = 7;
// Red, green, blue, brightness, contrast, saturation, transparency.
extern const ColourChannel kColourChannels[kColourChannelCount];

constexpr int kColourPositionMin = 0;
constexpr int kColourPositionMax = 100;

// The value of a position; positions outside 0..100 count as the nearest end.
float ColourValueOfPosition(int position, float scale);
// The position of a value, truncated; 0 for 0 or a value that is not a
// number, and never outside 0..100.
int ColourPositionOfValue(float value, float scale);
// The position typed into an edit box: a whole number brought into 0..100, or
// the fallback when the text is no number. outOfRange tells that a number was
// typed that had to be brought into the range.
int ColourPositionOfText(const char* text, int fallback, bool* outOfRange = nullptr);
// The channel of a control id (slider, spin or edit); kColourChannelCount when
// none.
size_t ColourChannelOfControl(int controlId);
