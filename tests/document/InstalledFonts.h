#pragma once
// A TrueType face this computer really has, for tests that need font data: the
// machines the tests run on differ in their fonts.
#include <windows.h>

#include <string>

namespace font_test {

inline int CALLBACK TakeFirstTrueType(const LOGFONTA* font, const TEXTMETRICA*, DWORD type,
                                      LPARAM found) {
  auto* face = reinterpret_cast<std::string*>(found);
  // Vertical variants ("@Face") and bitmap fonts have no use here.
  if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] == '@') return 1;
  *face = font->lfFaceName;
  return 0;
}

// Empty when the computer has no TrueType font at all.
inline std::string InstalledTrueTypeFace() {
  std::string face;
  HDC dc = ::GetDC(nullptr);
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  ::EnumFontFamiliesExA(dc, &all, &TakeFirstTrueType, reinterpret_cast<LPARAM>(&face), 0);
  ::ReleaseDC(nullptr, dc);
  return face;
}

// A plain font of the given face, as the text dialog hands one back.
inline LOGFONTA PlainFont(const char* face, LONG height) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = FW_NORMAL;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return font;
}

}  // namespace font_test
