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
  ThemeMenuBar();
  return TRUE;
}

BOOL CSkinFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
  if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  HMENU hMenu = ::GetMenu(m_hWnd);
  if (hMenu && hMenu != m_DefaultMenu.m_hMenu) {
    m_DefaultMenu.FreeItems();
    if (m_DefaultMenu.LoadMenu(hMenu)) m_hMenuDefault = hMenu;
  }
  ThemeMenuBar();
  return TRUE;
}

void CSkinFrameWnd::ThemeMenuBar() {
  if (!m_DefaultMenu.m_hMenu) return;
  CSkinMenu::SetMenuBarBrush(m_DefaultMenu.m_hMenu);
  ::DrawMenuBar(m_hWnd);
}
