#pragma once
// The frame template over the multiple-document frames. The editor is a
// single-document program and makes none; they complete the family.
#include "ui/frames/SkinFrame.h"

extern template class CSkinFrame<CMDIFrameWnd>;
extern template class CSkinFrame<CMDIChildWnd>;

class CSkinMDIFrameWnd : public CSkinFrame<CMDIFrameWnd> {
  DECLARE_DYNCREATE(CSkinMDIFrameWnd)
 public:
  CSkinMDIFrameWnd();
  ~CSkinMDIFrameWnd() override;
};

class CSkinMDIChildWnd : public CSkinFrame<CMDIChildWnd> {
  DECLARE_DYNCREATE(CSkinMDIChildWnd)
 public:
  CSkinMDIChildWnd();
  ~CSkinMDIChildWnd() override;
};
