#pragma once
// The themed top-level frame: the frame template over CFrameWnd, whose menu bar
// is a CSkinMenu with the theme's background brush. The editor's main frame
// derives from it.
#include "ui/frames/SkinFrame.h"

extern template class CSkinFrame<CFrameWnd>;

class CSkinFrameWnd : public CSkinFrame<CFrameWnd> {
  DECLARE_DYNCREATE(CSkinFrameWnd)
 public:
  CSkinFrameWnd();
  ~CSkinFrameWnd() override;

  // Creates the window with the menu resource loaded as its themed menu bar.
  // FALSE (after PostNcDestroy) when the menu resource cannot be loaded.
  BOOL Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
              const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCSTR lpszMenuName = nullptr,
              DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
};
