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
  // The document template's way in: the frame is made as a CFrameWnd makes
  // it, then takes the resource menu the window got over as its themed menu.
  BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;

 private:
  // Gives the default menu the theme's bar brush and the window the new bar.
  void ThemeMenuBar();
};
