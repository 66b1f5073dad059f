#pragma once
// The editor's main frame: menu and title for now; bars, lists and the album
// come with the later editor work.
#include "framework/framework.h"

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
 public:
  void OnUpdateFrameTitle(BOOL bAddToTitle) override;
  DECLARE_MESSAGE_MAP()
};
