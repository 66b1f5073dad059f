#pragma once
// The floating frame of resizing bars in the theme's look: the frame that
// sizes them from every edge, under the frame template, so a bar floated out
// of themed docking keeps the theme.
#include "ui/controls/docking/ResizingFrames.h"
#include "ui/frames/SkinFrame.h"

extern template class CSkinFrame<CResizingMiniDockFrameWnd>;

class CSkinResizingMiniDockFrameWnd : public CSkinFrame<CResizingMiniDockFrameWnd> {
  DECLARE_DYNCREATE(CSkinResizingMiniDockFrameWnd)
 public:
  CSkinResizingMiniDockFrameWnd();
  ~CSkinResizingMiniDockFrameWnd() override;
};
