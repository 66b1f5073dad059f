#include "app/menus/ContextMenu.h"

#include "app/menus/MenuIcons.h"

CContextMenu::CContextMenu(UINT menuResource) {
  if (LoadMenu(menuResource)) LoadToolBarIcons(kMenuIconTable, kMenuIconTransparent);
}

CContextMenu::~CContextMenu() = default;

BOOL CContextMenu::Track(CWnd* owner, int x, int y, int subMenu) {
  CMenu* popup = m_hMenu && owner ? GetSubMenu(subMenu) : nullptr;
  if (!popup) return FALSE;
  return popup->TrackPopupMenuEx(0, x, y, owner, nullptr);
}
