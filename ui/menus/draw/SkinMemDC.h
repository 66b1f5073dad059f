#pragma once
// An off-screen device context over one rectangle of a target: painters draw
// in the target's coordinates, and the destructor copies the result across.
#include "framework/framework.h"

class CSkinMemDC : public CDC {
 public:
  CSkinMemDC(const RECT& rect, HDC hTarget);
  ~CSkinMemDC() override;
  CSkinMemDC(const CSkinMemDC&) = delete;
  CSkinMemDC& operator=(const CSkinMemDC&) = delete;

  RECT m_rect;
  BOOL m_bNoCopyBack = FALSE;

 private:
  HDC m_hTarget;
  HBITMAP m_hBitmap = nullptr;
  HGDIOBJ m_hOldBitmap = nullptr;
};
