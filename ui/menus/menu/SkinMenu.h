#pragma once
// CSkinMenu: a menu whose items are all owner-drawn, each carrying a
// CSkinMenuItemData, so that the current theme measures and paints them. Menu
// bars, window menus and the editor's context menus are CSkinMenu objects.
#include "framework/framework.h"

#include <memory>
#include <vector>

#include "ui/menus/menu/SkinMenuItemData.h"

class CMenuTheme;

class CSkinMenu : public CMenu {
  DECLARE_DYNCREATE(CSkinMenu)
 public:
  explicit CSkinMenu(HMENU hParent = nullptr);
  ~CSkinMenu() override;

  void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
  void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
  virtual BOOL LoadMenu(UINT nIDResource);
  virtual BOOL LoadMenu(LPCSTR lpszResourceName);
  virtual BOOL LoadMenu(HMENU hMenu);
  virtual void FreeItems();
  // Lets go of the handle (and frees the item data) without destroying the
  // menu: for menus that their window destroys.
  void ReleaseHandle() { ReleaseAll(false); }
  virtual void DrawBarCorners(HDC hDC, const RECT& rect, DWORD dwStyle);
  virtual BOOL EraseBkgnd(HWND hWnd, HDC hDC);
  virtual void OnOpenPopup();
  virtual BOOL OnClosePopup();

  // Item operations: by position with MF_BYPOSITION, else by command id
  // through this menu and its CSkinMenu sub-menus.
  BOOL RemoveMenu(UINT nPosition, UINT nFlags);
  BOOL GetItemText(UINT nItem, CString& text, UINT nFlags);
  CSkinMenu* FindCommand(UINT_PTR nID, int& nPos);
  CSkinMenuItemData* FindItemData(UINT_PTR nID);
  static CSkinMenu* FindItemOwner(HMENU hMenu, UINT_PTR nID, ULONG_PTR itemData);
  // The item data at a position; the framework's invalid-argument exception
  // when the position is past the end.
  CSkinMenuItemData* GetItemData(int nPos) const;
  int GetItemDataCount() const { return static_cast<int>(m_items.size()); }
  // The item data this menu holds for a pointer the system handed back, or null.
  CSkinMenuItemData* CheckItemData(ULONG_PTR itemData) const;
  // Turns every item into an owner-drawn item with its item data.
  void ConvertItems();
  // Whether the item is a top-level item of a menu bar.
  BOOL IsMenuBarItem(UINT_PTR nID);
  // Stores a menu-bar item's rectangle in screen coordinates (not for popups).
  void SetMenuBarItemRect(HDC hDC, const RECT& rect);
  CSkinMenu* GetParentSkinMenu() const;

  // Called by frames (and owners of tracked popups) for the menu messages.
  static void OnInitMenuPopup(HWND hOwner, CMenu* pPopup, UINT nIndex, BOOL bSysMenu);
  static LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
  static void OnSysColorChange();
  static void SetMenuBarBrush(HMENU hMenu);
  // The current theme's bar brush (menu bars, dock bars, toolbar surroundings),
  // null for the themes that have none.
  static HBRUSH GetMenuBarBrush();
  static BOOL OnMeasureItem(HWND hWnd, LPMEASUREITEMSTRUCT lpMIS);

  static int SelectTheme(int nThemeId);
  static int AddTheme(CMenuTheme* pTheme);
  static int GetThemeId();

  // Gives the commands of a toolbar table their icons; transparent -1 is the
  // menu's bitmap background colour.
  BOOL LoadToolBarIcons(const WORD* table, COLORREF transparent = CLR_INVALID);

  // Measurers and painters of the theme table.
  void MeasureItemClassic(LPMEASUREITEMSTRUCT lpMIS, BOOL bBar);
  void MeasureFlatItem(LPMEASUREITEMSTRUCT lpMIS, BOOL bBar);
  void MeasureItemXP(LPMEASUREITEMSTRUCT lpMIS, BOOL bBar);
  void DrawItemClassic(LPDRAWITEMSTRUCT lpDIS, BOOL bBar);
  void DrawFlatItem(LPDRAWITEMSTRUCT lpDIS, BOOL bBar);
  void DrawItemClassicBar(LPDRAWITEMSTRUCT lpDIS, BOOL bBar);
  void DrawItemXP(LPDRAWITEMSTRUCT lpDIS, BOOL bBar);
  void DrawItem2003(LPDRAWITEMSTRUCT lpDIS, BOOL bBar);
  void DrawMenuTitle(LPDRAWITEMSTRUCT) {}

  int m_iconX = 16;
  int m_iconY = 15;
  HWND m_hOwner = nullptr;
  COLORREF m_bitmapBackground = 0xFF000000;
  HMENU m_hParentMenu = nullptr;
  BOOL m_bIsPopupMenu = TRUE;
  RECT m_menuBarItemRect{};
  int m_nOpenPopups = 0;
  HACCEL m_hAccelToDraw = reinterpret_cast<HACCEL>(-1);

 protected:
  std::vector<std::unique_ptr<CSkinMenuItemData>> m_items;
  std::vector<std::unique_ptr<CSkinMenu>> m_subMenus;

 private:
  void ReleaseAll(bool destroyHandle);
  void ReplaceSystemCommand(UINT from, UINT to);
  int MeasureText(const CSkinMenuItemData& data, BOOL bDefault, bool tabAsGap, SIZE& size) const;
  // kind: 0 classic, 1 flat, 2 XP.
  void MeasureAs(LPMEASUREITEMSTRUCT lpMIS, BOOL bBar, int kind);
  SIZE MeasuredSize(const CSkinMenuItemData& data, BOOL bBar, int kind) const;
  void DrawItemXPLook(LPDRAWITEMSTRUCT lpDIS, BOOL bBar, bool look2003);
  void DrawClassicLook(LPDRAWITEMSTRUCT lpDIS, BOOL bBar, bool flat);
  friend class CSkinMenuTestAccess;
};
