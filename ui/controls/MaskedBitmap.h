#pragma once
// A picture with one colour that never reaches the screen: the picture with that
// colour turned black, and a monochrome mask that is white exactly there. Drawn
// by AND-ing the mask and then OR-ing the picture.
#include <windows.h>

#include "framework/gdi.h"

class CMaskedBitmap {
 public:
  // What Create reports.
  enum Result { ok = 0, noSize = 1, noMask = 2 };
  // Copies made of another picture instead of a picture of its own.
  enum Variant { greyed, darkened };

  CMaskedBitmap() = default;
  CMaskedBitmap(const CMaskedBitmap&) = delete;
  CMaskedBitmap& operator=(const CMaskedBitmap&) = delete;

  // Takes the bitmap over (it is deleted with this object, also on failure).
  Result Create(HBITMAP hAdopted, COLORREF transparent);
  // A grey or darker copy of a picture, with the same transparent colour.
  Result CreateVariant(HBITMAP hSource, COLORREF transparent, Variant variant);
  void Destroy();

  BOOL IsEmpty() const { return m_image.m_hObject == nullptr; }
  CSize GetSize() const { return m_size; }
  HBITMAP GetImage() const { return static_cast<HBITMAP>(m_image.m_hObject); }

  // At pt, leaving the destination wherever the picture was transparent; a
  // disabled picture is embossed in the system's disabled look.
  void Draw(CDC* pDC, CPoint pt, BOOL bDisabled) const;

 private:
  CBitmap m_image;
  CBitmap m_mask;
  CSize m_size{0, 0};
};
