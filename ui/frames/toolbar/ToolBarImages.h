#pragma once
// The themed toolbar's three image lists, made from its bitmap: the images in
// full colour (hot buttons), darkened (plain buttons) and greyed towards a
// light bar colour (disabled buttons).
#include "framework/framework.h"

// 0xFF000000 as transparent colour stands for the colour of the bitmap's
// top-left pixel.
const COLORREF kTopLeftTransparent = 0xFF000000;

class CToolBarImages {
 public:
  // All three lists from a whole toolbar bitmap of images of that size; false
  // (lists unchanged) for a missing bitmap.
  bool Load(HBITMAP hBitmap, SIZE image, COLORREF transparent, COLORREF disabledGrey);
  // A bitmap of `buttons` images added to the toolbar (one image list slot per
  // image the bitmap really has); the disabled list gets them greyed.
  bool Add(HBITMAP hBitmap, int buttons, COLORREF transparent, COLORREF disabledGrey);
  // Replaces the images from index on with those of a new bitmap, greyed in
  // the disabled list.
  bool Replace(int index, HBITMAP hBitmap, int buttons, COLORREF transparent, COLORREF disabledGrey);
  // Every image of the normal list again, darkened.
  void RebuildDarkened();
  int Count() const { return m_normal.m_hImageList ? m_normal.GetImageCount() : 0; }

  CImageList m_normal, m_darkened, m_disabled;

 private:
  bool Create(CImageList& list, SIZE image);
  SIZE m_image{0, 0};
};

// The grey of the disabled images: the bar colour of the theme lightened.
COLORREF DisabledGreyFor(int themeId);
// The colour of a bitmap's top-left pixel (CLR_INVALID when unreadable).
COLORREF TopLeftColor(HBITMAP hBitmap);
