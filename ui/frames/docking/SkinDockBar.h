#pragma once
// Themed docking: dock bars that paint themselves with the current theme's bar
// brush, lined up with the frame's menu bar, and floating bars in themed mini
// frames.
#include "framework/framework.h"

class CSkinDockBar : public CDockBar {
  DECLARE_DYNAMIC(CSkinDockBar)
 public:
  CSkinDockBar();

 protected:
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnNcPaint();
  DECLARE_MESSAGE_MAP()
};

// Docking for a frame in the theme's look: floating bars go into
// CSkinMiniDockFrameWnd frames, and a CSkinDockBar is made for every side the
// dock style allows that has no dock bar yet. The framework's resource
// exception when one cannot be made.
void EnableThemedDocking(CFrameWnd* pFrame, DWORD dwDockStyle);

// Fills a rectangle of a bar's device context with the theme's bar brush, its
// pattern starting at the left edge of the frame the bar belongs to (as the
// frame's menu bar does); false (nothing drawn) when the theme has no brush.
bool FillWithBarBrush(HDC hDC, const RECT& rect, HWND hFrame);
