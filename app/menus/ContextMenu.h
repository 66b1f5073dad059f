#pragma once
// The right-click menu of the page (menu resource 134) and of the photo list
// (199): a themed menu built from the resource, with the main menu's icons,
// whose popup is tracked at a screen point with its commands going to the
// owner window.
#include "ui/menus/menu/SkinMenu.h"

class CContextMenu : public CSkinMenu {
 public:
  explicit CContextMenu(UINT menuResource);
  ~CContextMenu() override;
  // Shows the sub-menu at the index; commands go to the owner. FALSE when the
  // menu or the sub-menu is missing, or the system cannot show it.
  BOOL Track(CWnd* owner, int x, int y, int subMenu);
};
