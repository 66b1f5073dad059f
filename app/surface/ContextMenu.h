#pragma once
// The right-click menu of the page (menu resource 134) and of the photo list
// (199): a popup of a menu resource, tracked at a screen point with its
// commands going to the owner window. A plain menu until the themed menus
// take its base over.
#include "framework/framework.h"

class CContextMenu : public CMenu {
 public:
  explicit CContextMenu(UINT menuResource);
  ~CContextMenu() override;
  // Shows the sub-menu at the index; commands go to the owner.
  void Track(CWnd* owner, int x, int y, int subMenu);

 private:
  UINT m_resource;
};
