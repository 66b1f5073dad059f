#pragma once
// An off-screen device context over a rectangle of a real one: a control paints
// into it and the result reaches the screen in one copy when it goes, so the
// control never flickers. On a printer it is the printer's context itself.
#include "framework/framework.h"

class CMemDC : public CDC {
 public:
  // Without a rectangle the clip box of pDC is used. With copyBackground the
  // screen's contents are copied in first, else the area is filled with pDC's
  // background colour.
  explicit CMemDC(CDC* pDC, const CRect* pRect = nullptr, bool copyBackground = false);
  ~CMemDC() override;
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  // False when painting straight into a printer's context.
  bool IsOffScreen() const { return m_offScreen; }
  const CRect& GetRect() const { return m_rect; }

 private:
  CDC* m_pTarget;
  CRect m_rect;
  CBitmap m_bitmap;
  HGDIOBJ m_oldBitmap = nullptr;
  bool m_offScreen = false;
};
