#include "ui/menus/menu/SkinMenu.h"

#include <algorithm>

#include "ui/menus/core/SkinState.h"
#include "ui/menus/theme/MenuTheme.h"

IMPLEMENT_DYNCREATE(CSkinMenu, CMenu)

namespace {
const UINT kKeptTypes = MFT_RIGHTJUSTIFY | MFT_RIGHTORDER | MFT_MENUBREAK | MFT_MENUBARBREAK | MFT_RADIOCHECK;
const UINT kKeptStates = MFS_GRAYED | MFS_CHECKED | MFS_HILITE | MFS_DEFAULT;

CSkinMenu* skinMenuOf(HMENU hMenu) {
  return hMenu ? DYNAMIC_DOWNCAST(CSkinMenu, CMenu::FromHandlePermanent(hMenu)) : nullptr;
}

bool readItem(HMENU hMenu, int pos, MENUITEMINFOA& mii) {
  mii = {};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
  return ::GetMenuItemInfoA(hMenu, static_cast<UINT>(pos), TRUE, &mii) != 0;
}
}  // namespace

CSkinMenu::CSkinMenu(HMENU hParent) : m_hParentMenu(hParent) {}

CSkinMenu::~CSkinMenu() { FreeItems(); }

BOOL CSkinMenu::LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEA(nIDResource)); }

BOOL CSkinMenu::LoadMenu(LPCSTR lpszResourceName) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_MENU);
  HMENU hMenu = ::LoadMenuA(hInst, lpszResourceName);
  if (!hMenu) return FALSE;
  if (!LoadMenu(hMenu)) {
    ::DestroyMenu(hMenu);
    return FALSE;
  }
  return TRUE;
}

BOOL CSkinMenu::LoadMenu(HMENU hMenu) {
  if (!::IsMenu(hMenu) || !Attach(hMenu)) return FALSE;
  m_bIsPopupMenu = FALSE;
  for (int pos = 0, n = ::GetMenuItemCount(hMenu); pos < n; ++pos) {
    HMENU hSub = ::GetSubMenu(hMenu, pos);
    if (!hSub) continue;
    auto sub = std::make_unique<CSkinMenu>(hMenu);
    if (!sub->LoadMenu(hSub)) continue;
    sub->m_bIsPopupMenu = TRUE;
    m_subMenus.push_back(std::move(sub));
  }
  ConvertItems();
  return TRUE;
}

void CSkinMenu::FreeItems() { ReleaseAll(true); }

void CSkinMenu::ReleaseAll(bool destroyHandle) {
  // Sub-menus die with this menu's handle: their objects only let go of theirs.
  while (!m_subMenus.empty()) {
    std::unique_ptr<CSkinMenu> sub = std::move(m_subMenus.back());
    m_subMenus.pop_back();
    sub->ReleaseAll(false);
    sub->Detach();
  }
  while (!m_items.empty()) m_items.pop_back();
  if (!m_hMenu) return;
  if (destroyHandle && ::IsMenu(m_hMenu))
    CMenu::DestroyMenu();
  else
    Detach();
}

void CSkinMenu::ConvertItems() {
  if (!::IsMenu(m_hMenu)) return;
  std::vector<std::unique_ptr<CSkinMenuItemData>> pool = std::move(m_items);
  m_items.clear();
  for (auto& d : pool) d->m_nSyncFlag = 0;
  auto take = [&pool](auto pred) -> std::unique_ptr<CSkinMenuItemData> {
    auto it = std::find_if(pool.begin(), pool.end(), [&](const auto& d) { return d && pred(*d); });
    if (it == pool.end()) return nullptr;
    std::unique_ptr<CSkinMenuItemData> found = std::move(*it);
    pool.erase(it);
    return found;
  };
  for (int pos = 0, n = ::GetMenuItemCount(m_hMenu); pos < n; ++pos) {
    MENUITEMINFOA mii;
    if (!readItem(m_hMenu, pos, mii)) break;
    UINT flags = (mii.fState & kKeptStates) | (mii.fType & (kKeptTypes | MFT_SEPARATOR | MFT_BITMAP));
    CString sysText;
    if (!(mii.fType & (MFT_OWNERDRAW | MFT_BITMAP | MFT_SEPARATOR))) GetMenuString(pos, sysText, MF_BYPOSITION);
    std::unique_ptr<CSkinMenuItemData> data;
    UINT type = (mii.fType & kKeptTypes) | MFT_OWNERDRAW;
    if (mii.fType & MFT_BITMAP) {
      // Bitmap items keep their system form.
      data = take([&](const CSkinMenuItemData& d) { return d.m_nID == mii.wID; });
      if (!data) data = std::make_unique<CSkinMenuItemData>("", flags, mii.wID);
      data->m_nSyncFlag = 1;
      m_items.push_back(std::move(data));
      continue;
    }
    if (mii.hSubMenu) {
      UINT_PTR id = reinterpret_cast<UINT_PTR>(mii.hSubMenu);
      data = take([&](const CSkinMenuItemData& d) { return d.m_nID == id; });
      if (!data) data = std::make_unique<CSkinMenuItemData>("", 0, id);
      flags = (flags & ~(MF_SEPARATOR | MF_USECHECKBITMAPS)) | MF_POPUP;
      if (CSkinMenu* sub = skinMenuOf(mii.hSubMenu)) sub->m_hParentMenu = m_hMenu;
    } else if (mii.fType & MFT_SEPARATOR) {
      data = take([](const CSkinMenuItemData& d) { return d.m_nID == 0 && (d.m_nFlags & MF_SEPARATOR); });
      if (!data) data = std::make_unique<CSkinMenuItemData>("", 0, 0);
      type |= MFT_SEPARATOR;
    } else {
      data = take([&](const CSkinMenuItemData& d) { return d.m_nID == mii.wID && !(d.m_nFlags & MF_POPUP); });
      if (!data) data = std::make_unique<CSkinMenuItemData>("", 0, mii.wID);
    }
    if (!sysText.IsEmpty()) data->m_szMenuText = sysText;
    data->m_nFlags = flags | MF_OWNERDRAW;
    MENUITEMINFOA set{};
    set.cbSize = sizeof set;
    set.fMask = MIIM_FTYPE | MIIM_DATA;
    set.fType = type;
    set.dwItemData = reinterpret_cast<ULONG_PTR>(data.get());
    ::SetMenuItemInfoA(m_hMenu, static_cast<UINT>(pos), TRUE, &set);
    data->m_nSyncFlag = 1;
    m_items.push_back(std::move(data));
  }
}

CSkinMenuItemData* CSkinMenu::GetItemData(int nPos) const {
  if (nPos < 0 || nPos >= static_cast<int>(m_items.size())) AfxThrowInvalidArgException();
  return m_items[static_cast<size_t>(nPos)].get();
}

CSkinMenuItemData* CSkinMenu::CheckItemData(ULONG_PTR itemData) const {
  for (const auto& d : m_items)
    if (reinterpret_cast<ULONG_PTR>(d.get()) == itemData) return d.get();
  return nullptr;
}

CSkinMenu* CSkinMenu::FindCommand(UINT_PTR nID, int& nPos) {
  nPos = -1;
  if (!::IsMenu(m_hMenu)) return nullptr;
  for (int pos = 0, n = ::GetMenuItemCount(m_hMenu); pos < n; ++pos) {
    HMENU hSub = ::GetSubMenu(m_hMenu, pos);
    if (hSub) {
      if (reinterpret_cast<UINT_PTR>(hSub) == nID) {
        nPos = pos;
        return this;
      }
      if (CSkinMenu* sub = skinMenuOf(hSub))
        if (CSkinMenu* found = sub->FindCommand(nID, nPos)) return found;
    } else if (::GetMenuItemID(m_hMenu, pos) == nID) {
      nPos = pos;
      return this;
    }
  }
  return nullptr;
}

CSkinMenuItemData* CSkinMenu::FindItemData(UINT_PTR nID) {
  for (const auto& d : m_items)
    if (d->m_nID == nID) return d.get();
  int pos;
  CSkinMenu* owner = FindCommand(nID, pos);
  if (!owner) return nullptr;
  if (owner->GetMenuItemCount() != owner->m_items.size()) owner->ConvertItems();
  return pos < static_cast<int>(owner->m_items.size()) ? owner->m_items[static_cast<size_t>(pos)].get() : nullptr;
}

CSkinMenu* CSkinMenu::FindItemOwner(HMENU hMenu, UINT_PTR nID, ULONG_PTR itemData) {
  if (!::IsMenu(hMenu)) return nullptr;
  for (int pos = 0, n = ::GetMenuItemCount(hMenu); pos < n; ++pos) {
    MENUITEMINFOA mii;
    if (!readItem(hMenu, pos, mii)) break;
    bool sameId = mii.wID == nID || (mii.hSubMenu && reinterpret_cast<UINT_PTR>(mii.hSubMenu) == nID);
    if (sameId && mii.dwItemData == itemData)
      if (CSkinMenu* owner = skinMenuOf(hMenu)) return owner;
    if (mii.hSubMenu)
      if (CSkinMenu* owner = FindItemOwner(mii.hSubMenu, nID, itemData)) return owner;
  }
  return nullptr;
}

BOOL CSkinMenu::RemoveMenu(UINT nPosition, UINT nFlags) {
  if (!(nFlags & MF_BYPOSITION)) {
    int pos;
    if (CSkinMenu* owner = FindCommand(nPosition, pos))
      return owner->RemoveMenu(static_cast<UINT>(pos), (nFlags & ~MF_BYCOMMAND) | MF_BYPOSITION);
    return CMenu::RemoveMenu(nPosition, nFlags);
  }
  if (GetMenuItemCount() != m_items.size()) ConvertItems();
  if (nPosition < m_items.size()) {
    const CSkinMenuItemData& data = *m_items[nPosition];
    if (data.m_nFlags & MF_POPUP) {
      // The sub-menu's handle goes back to the caller with the item.
      HMENU hSub = reinterpret_cast<HMENU>(data.m_nID);
      auto it = std::find_if(m_subMenus.begin(), m_subMenus.end(),
                             [hSub](const auto& s) { return s->m_hMenu == hSub; });
      if (it != m_subMenus.end()) {
        (*it)->ReleaseAll(false);
        m_subMenus.erase(it);
      }
    }
    m_items.erase(m_items.begin() + nPosition);
  }
  return CMenu::RemoveMenu(nPosition, nFlags);
}

BOOL CSkinMenu::GetItemText(UINT nItem, CString& text, UINT nFlags) {
  text.Empty();
  CSkinMenuItemData* data = nullptr;
  if (nFlags & MF_BYPOSITION) {
    if (GetMenuItemCount() != m_items.size()) ConvertItems();
    if (nItem < m_items.size()) data = m_items[nItem].get();
  } else {
    data = FindItemData(nItem);
  }
  if (!data) return FALSE;
  data->GetDisplayText(text, m_hAccelToDraw);
  return TRUE;
}

CSkinMenu* CSkinMenu::GetParentSkinMenu() const { return skinMenuOf(m_hParentMenu); }

BOOL CSkinMenu::IsMenuBarItem(UINT_PTR nID) {
  bool held = std::any_of(m_items.begin(), m_items.end(), [nID](const auto& d) { return d->m_nID == nID; });
  if (held || !m_hParentMenu) return !m_hParentMenu && !m_bIsPopupMenu;
  CSkinMenu* parent = GetParentSkinMenu();
  return parent && !parent->m_bIsPopupMenu;
}

void CSkinMenu::SetMenuBarItemRect(HDC hDC, const RECT& rect) {
  if (m_bIsPopupMenu) return;
  RECT window{};
  HWND hWnd = ::WindowFromDC(hDC);
  if (hWnd) ::GetWindowRect(hWnd, &window);
  m_menuBarItemRect = rect;
  ::OffsetRect(&m_menuBarItemRect, window.left, window.top);
}

void CSkinMenu::DrawItem(LPDRAWITEMSTRUCT lpDIS) {
  CMenuTheme* theme = CurrentTheme();
  if (!theme || !lpDIS) return;
  BOOL bar = m_hParentMenu ? FALSE : !m_bIsPopupMenu;
  SkinMenuState& s = SkinState();
  if (bar && !(lpDIS->itemState & ODS_HOTLIGHT) &&
      s.hotTrackedItem == reinterpret_cast<const void*>(lpDIS->itemData))
    s.hotTrackedItem = nullptr;
  (this->*theme->m_pDrawItem)(lpDIS, bar);
}

void CSkinMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
  CMenuTheme* theme = CurrentTheme();
  if (!theme || !lpMIS) return;
  BOOL bar = IsMenuBarItem(lpMIS->itemID);
  CSkinMenu* parent = GetParentSkinMenu();
  bool held = std::any_of(m_items.begin(), m_items.end(),
                          [lpMIS](const auto& d) { return d->m_nID == lpMIS->itemID; });
  if (!bar && parent && !held)
    (parent->*theme->m_pMeasureItem)(lpMIS, FALSE);
  else
    (this->*theme->m_pMeasureItem)(lpMIS, bar);
}

void CSkinMenu::DrawBarCorners(HDC hDC, const RECT& rect, DWORD dwStyle) {
  if (CMenuTheme* theme = CurrentTheme()) theme->DrawBarCorners(hDC, rect, dwStyle);
}

BOOL CSkinMenu::EraseBkgnd(HWND hWnd, HDC hDC) {
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  bool flat = SkinOs().osClass == 7 && SkinFlatMenus();
  ::FillRect(hDC, &rc, ::GetSysColorBrush(flat ? COLOR_MENUBAR : COLOR_MENU));
  return TRUE;
}
