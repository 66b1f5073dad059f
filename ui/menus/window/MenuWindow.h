#pragma once
// Popup menu windows ("#32768") of CSkinMenu menus are subclassed while shown,
// so the current theme can give them its border, background and shadow.
#include <windows.h>

#include "framework/gdi_scope.h"

struct CMenuHookData {
  DWORD m_dwStyle = 0;
  DWORD m_dwExStyle = 0;
  POINT m_Point{0, 0};
  bool m_bPlaced = false;  // m_Point holds the first position
  DWORD m_dwData = 0;      // bit 1 was visible, bit 2 styles changed, bit 8 printing
  BOOL m_bDrawBorder = FALSE;  // the border has been painted once
  HMENU m_hMenu = nullptr;
  GdiHandle m_screen;      // screen pixels under the window (+10 each way)
  HRGN m_hRgn = reinterpret_cast<HRGN>(1);
  BOOL m_bDoSubclass = TRUE;   // themed (the menu is a CSkinMenu)
  ~CMenuHookData() {
    if (m_hRgn && m_hRgn != reinterpret_cast<HRGN>(1)) ::DeleteObject(m_hRgn);
  }
};

// Themes a menu window of a CSkinMenu; true when the window is (now) themed.
bool SubclassMenuWindow(HWND hWnd);
void UnsubclassMenuWindow(HWND hWnd);
void UnsubclassAllMenuWindows();
CMenuHookData* MenuHookDataOf(HWND hWnd);
LRESULT CALLBACK MenuWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
// Copies the screen under a window-to-be (its rectangle in screen coordinates).
void CaptureScreenUnder(CMenuHookData& data, const RECT& screenRect);
