#pragma once
// The tools bar's tab control: owner-drawn tabs on the bars' light blue, each
// with its image a blank's width from the left and its text centred.
#include "framework/framework.h"

class CSposalboTabCtrl : public CTabCtrl {
 public:
  static constexpr COLORREF kBackground = RGB(0xCB, 0xDC, 0xF9);
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  DECLARE_MESSAGE_MAP()
};
