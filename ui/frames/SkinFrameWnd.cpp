#include "ui/frames/SkinFrameWnd.h"

#include "ui/frames/SkinFrameImpl.h"

template class CSkinFrame<CFrameWnd>;

IMPLEMENT_DYNCREATE(CSkinFrameWnd, CFrameWnd)

CSkinFrameWnd::CSkinFrameWnd() = default;
CSkinFrameWnd::~CSkinFrameWnd() = default;

BOOL CSkinFrameWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, LPCSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
  if (lpszMenuName && !m_DefaultMenu.LoadMenu(lpszMenuName)) {
    PostNcDestroy();
    return FALSE;
  }
  m_strTitle = lpszWindowName;
  const bool systemChooses = rect.left == CW_USEDEFAULT;
  if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                systemChooses ? CW_USEDEFAULT : rect.right - rect.left,
                systemChooses ? CW_USEDEFAULT : rect.bottom - rect.top, SafeHwnd(pParentWnd), m_DefaultMenu.m_hMenu,
                pContext))
    return FALSE;
  m_hMenuDefault = m_DefaultMenu.m_hMenu;
  CSkinMenu::SetMenuBarBrush(m_hMenuDefault);
  ::DrawMenuBar(m_hWnd);
  return TRUE;
}
