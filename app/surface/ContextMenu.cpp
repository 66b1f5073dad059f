#include "app/surface/ContextMenu.h"

CContextMenu::CContextMenu(UINT menuResource) : m_resource(menuResource) {}

CContextMenu::~CContextMenu() { DestroyMenu(); }

void CContextMenu::Track(CWnd* owner, int x, int y, int subMenu) {
  if (!m_hMenu && !LoadMenu(m_resource)) return;
  CMenu* popup = GetSubMenu(subMenu);
  if (!popup || !owner) return;
  popup->TrackPopupMenuEx(0, x, y, owner, nullptr);
}
