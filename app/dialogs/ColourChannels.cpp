#include "app/dialogs/ColourChannels.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "app/resource.h"

const ColourChannel kColourChannels[kColourChannelCount] = {
    {IDC_COL_RED_SLIDER, IDC_COL_RED_SPIN, IDC_COL_RED_EDIT, &CImgColor::red, 1.0f, false},
    {IDC_COL_GREEN_SLIDER, IDC_COL_GREEN_SPIN, IDC_COL_GREEN_EDIT, &CImgColor::green, 1.0f, false},
    {IDC_COL_BLUE_SLIDER, IDC_COL_BLUE_SPIN, IDC_COL_BLUE_EDIT, &CImgColor::blue, 1.0f, false},
    {IDC_COL_BRIGHTNESS_SLIDER, IDC_COL_BRIGHTNESS_SPIN, IDC_COL_BRIGHTNESS_EDIT, &CImgColor::brightness, 1.0f,
     false},
    {IDC_COL_CONTRAST_SLIDER, IDC_COL_CONTRAST_SPIN, IDC_COL_CONTRAST_EDIT, &CImgColor::contrast, 0.5f, false},
    {IDC_COL_SATURATION_SLIDER, IDC_COL_SATURATION_SPIN, IDC_COL_SATURATION_EDIT, &CImgColor::saturation, 1.0f,
     false},
    {IDC_COL_ALPHA_SLIDER, IDC_COL_ALPHA_SPIN, IDC_COL_ALPHA_EDIT, &CImgColor::alpha, 0.5f, true},
};

namespace {
int ClampPosition(long long position) {
  if (position < kColourPositionMin) return kColourPositionMin;
  if (position > kColourPositionMax) return kColourPositionMax;
  return static_cast<int>(position);
}
}  // namespace

float ColourValueOfPosition(int position, float scale) {
  return static_cast<float>(ClampPosition(position)) / (100.0f / (2.0f * scale));
}

int ColourPositionOfValue(float value, float scale) {
  if (value == 0.0f || std::isnan(value)) return 0;
  // In single precision, so that every position survives the trip to a value
  // and back.
  const float position = value / (2.0f * scale / 100.0f);
  if (position >= kColourPositionMax) return kColourPositionMax;
  if (position <= kColourPositionMin) return kColourPositionMin;
  return static_cast<int>(position);
}

int ColourPositionOfText(const char* text, int fallback, bool* outOfRange) {
  if (outOfRange) *outOfRange = false;
  if (!text) return fallback;
  char* end = nullptr;
  errno = 0;
  const long long typed = std::strtoll(text, &end, 10);
  if (end == text) return fallback;
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0') return fallback;
  const int position = ClampPosition(typed);
  if (outOfRange) *outOfRange = errno == ERANGE || position != typed;
  return position;
}

size_t ColourChannelOfControl(int controlId) {
  for (size_t i = 0; i < kColourChannelCount; ++i) {
    const ColourChannel& c = kColourChannels[i];
    if (controlId == c.sliderId || controlId == c.spinId || controlId == c.editId) return i;
  }
  return kColourChannelCount;
}
