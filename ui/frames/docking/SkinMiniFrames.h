#pragma once
// The frame template over the mini frames: the floating frame of themed
// docking, and the plain mini frame that completes the family.
#include "ui/frames/SkinFrame.h"

extern template class CSkinFrame<CMiniDockFrameWnd>;
extern template class CSkinFrame<CMiniFrameWnd>;

class CSkinMiniDockFrameWnd : public CSkinFrame<CMiniDockFrameWnd> {
  DECLARE_DYNCREATE(CSkinMiniDockFrameWnd)
 public:
  CSkinMiniDockFrameWnd();
  ~CSkinMiniDockFrameWnd() override;
};

class CSkinMiniFrameWnd : public CSkinFrame<CMiniFrameWnd> {
  DECLARE_DYNCREATE(CSkinMiniFrameWnd)
 public:
  CSkinMiniFrameWnd();
  ~CSkinMiniFrameWnd() override;
};
