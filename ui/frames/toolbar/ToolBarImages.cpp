#include "ui/frames/toolbar/ToolBarImages.h"

#include <algorithm>

#include "ui/menus/colors/SkinColors.h"
#include "framework/gdi_scope.h"
#include "ui/menus/menu/SkinMenuIcons.h"

namespace {
// A private 24-bit copy, so that masking and greying leave the caller's bitmap
// alone and greyed colours are not forced back into a small palette.
HBITMAP copyOf(HBITMAP hBitmap) {
  BITMAP bm{};
  if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return nullptr;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP copy = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!copy) return nullptr;
  MemoryDC from, to;
  SelectScope selectFrom(from, hBitmap), selectTo(to, copy);
  ::BitBlt(to, 0, 0, bm.bmWidth, bm.bmHeight, from, 0, 0, SRCCOPY);
  return copy;
}

COLORREF settle(HBITMAP hBitmap, COLORREF transparent) {
  return transparent == kTopLeftTransparent ? TopLeftColor(hBitmap) : transparent;
}

// Adds the bitmap's images masked by the transparent colour; false on failure.
bool addMasked(CImageList& list, HBITMAP hBitmap, COLORREF transparent) {
  GdiHandle copy(copyOf(hBitmap));
  if (!copy) return false;
  GdiHandle mask(CreateMaskBitmap(static_cast<HBITMAP>(copy.Get()), transparent));
  return mask && ImageList_Add(list, static_cast<HBITMAP>(copy.Get()), static_cast<HBITMAP>(mask.Get())) >= 0;
}

// A copy greyed towards a colour: per channel (grey × 145 + mean × 110) >> 8.
// Transparent pixels stay as they are, so the mask is the original's and no
// picture colour that greys like the background goes transparent.
HBITMAP greyedCopy(HBITMAP hBitmap, COLORREF transparent, COLORREF grey) {
  HBITMAP copy = copyOf(hBitmap);
  struct Args {
    COLORREF transparent, grey;
  } args{transparent, grey};
  auto greyed = [](COLORREF p, const void* context) -> COLORREF {
    const Args& a = *static_cast<const Args*>(context);
    if (p == a.transparent) return p;
    const int mean = (GetRValue(p) + GetGValue(p) + GetBValue(p)) / 3;
    auto channel = [mean](int g) { return (g * 145 + mean * 110) >> 8; };
    return RGB(channel(GetRValue(a.grey)), channel(GetGValue(a.grey)), channel(GetBValue(a.grey)));
  };
  if (copy && !MapBitmapPixels(copy, greyed, &args)) {
    ::DeleteObject(copy);
    return nullptr;
  }
  return copy;
}

bool addGreyed(CImageList& list, HBITMAP hBitmap, COLORREF transparent, COLORREF grey) {
  GdiHandle greyed(greyedCopy(hBitmap, transparent, grey));
  return greyed && addMasked(list, static_cast<HBITMAP>(greyed.Get()), transparent);
}
}  // namespace

COLORREF TopLeftColor(HBITMAP hBitmap) {
  MemoryDC dc;
  SelectScope select(dc, hBitmap);
  return hBitmap ? ::GetPixel(dc, 0, 0) : CLR_INVALID;
}

COLORREF DisabledGreyFor(int themeId) {
  return LightenColor(115, themeId >= 8 && themeId <= 11 ? GetThemedBarColor() : GetDefaultBarColor());
}

bool CToolBarImages::Create(CImageList& list, SIZE image) {
  list.DeleteImageList();
  return list.Create(image.cx, image.cy, ILC_COLORDDB | ILC_MASK, 0, 10) != FALSE;
}

bool CToolBarImages::Load(HBITMAP hBitmap, SIZE image, COLORREF transparent, COLORREF grey) {
  if (!hBitmap || image.cx <= 0 || image.cy <= 0) return false;
  m_image = image;
  transparent = settle(hBitmap, transparent);
  if (!Create(m_normal, image) || !addMasked(m_normal, hBitmap, transparent)) return false;
  RebuildDarkened();
  if (Create(m_disabled, image)) addGreyed(m_disabled, hBitmap, transparent, grey);
  return true;
}

bool CToolBarImages::Add(HBITMAP hBitmap, int buttons, COLORREF transparent, COLORREF grey) {
  BITMAP bm{};
  if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm) || bm.bmHeight <= 0) return false;
  transparent = settle(hBitmap, transparent);
  // No buttons is no reason to divide by zero: the whole bitmap is one image.
  if (!m_normal.m_hImageList && !Create(m_normal, {std::max<LONG>(1, bm.bmWidth / std::max(1, buttons)), bm.bmHeight}))
    return false;
  int cx = 0, cy = 0;
  ImageList_GetIconSize(m_normal, &cx, &cy);
  m_image = {cx, cy};
  if (!addMasked(m_normal, hBitmap, transparent)) return false;
  RebuildDarkened();
  if (!m_disabled.m_hImageList) Create(m_disabled, m_image);
  return addGreyed(m_disabled, hBitmap, transparent, grey);
}

bool CToolBarImages::Replace(int index, HBITMAP hBitmap, int buttons, COLORREF transparent, COLORREF grey) {
  if (!m_normal.m_hImageList || !hBitmap || index < 0) return false;
  transparent = settle(hBitmap, transparent);
  CImageList fresh, freshGreyed;
  if (!Create(fresh, m_image) || !addMasked(fresh, hBitmap, transparent)) return false;
  const bool greyed = Create(freshGreyed, m_image) && addGreyed(freshGreyed, hBitmap, transparent, grey);
  const int count = std::min(fresh.GetImageCount(), std::max(1, buttons));
  bool ok = true;
  for (int i = 0; i < count; ++i) {
    HICON hIcon = fresh.ExtractIcon(i);
    if (!hIcon) continue;
    ok = ImageList_ReplaceIcon(m_normal, index + i, hIcon) >= 0 && ok;
    ::DestroyIcon(hIcon);
    HICON hGreyed = greyed ? freshGreyed.ExtractIcon(i) : nullptr;
    if (!hGreyed) continue;
    if (m_disabled.m_hImageList) ImageList_ReplaceIcon(m_disabled, index + i, hGreyed);
    ::DestroyIcon(hGreyed);
  }
  if (ok) RebuildDarkened();
  return ok;
}

void CToolBarImages::RebuildDarkened() {
  if (!Create(m_darkened, m_image)) return;
  for (int i = 0, n = Count(); i < n; ++i) {
    HICON hIcon = m_normal.ExtractIcon(i);
    if (!hIcon) continue;
    AddAlteredIcon(m_darkened, hIcon, -1, ShadeBitmap, nullptr);
    ::DestroyIcon(hIcon);
  }
}
