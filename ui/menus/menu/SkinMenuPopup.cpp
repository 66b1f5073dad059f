// The popup open and close protocol, keyboard mnemonics, theme selection, the
// menu-bar brush and the icons of toolbar tables.
#include <algorithm>
#include <cctype>

#include "ui/menus/colors/SkinColors.h"
#include "ui/menus/core/SkinState.h"
#include "ui/menus/draw/SkinBrush.h"
#include "ui/menus/menu/Mnemonic.h"
#include "ui/menus/menu/SkinMenu.h"
#include "ui/menus/menu/SkinMenuIcons.h"
#include "ui/menus/theme/MenuTheme.h"

namespace {
CSkinMenu* skinMenuOf(HMENU hMenu) {
  return hMenu ? DYNAMIC_DOWNCAST(CSkinMenu, CMenu::FromHandlePermanent(hMenu)) : nullptr;
}

// The parent's open menu-bar item, grown by 10 pixels for the shadow, redrawn.
void redrawBarItem(const CSkinMenu& bar, HWND hOwner) {
  if (::IsRectEmpty(&bar.m_menuBarItemRect) || !::IsWindow(hOwner)) return;
  RECT r = bar.m_menuBarItemRect;
  r.right += 10;
  r.bottom += 10;
  ::MapWindowPoints(nullptr, hOwner, reinterpret_cast<POINT*>(&r), 2);
  ::RedrawWindow(hOwner, &r, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

const UINT kSystemCommands[3] = {SC_RESTORE, SC_CLOSE, SC_MINIMIZE};
}  // namespace

void CSkinMenu::OnInitMenuPopup(HWND hOwner, CMenu* pPopup, UINT, BOOL) {
  if (!pPopup) return;
  SkinState().popupBeingInitialised = pPopup->m_hMenu;
  CSkinMenu* menu = skinMenuOf(pPopup->m_hMenu);
  if (!menu) return;
  menu->m_hOwner = hOwner;
  menu->OnOpenPopup();
  CSkinMenu* parent = menu->GetParentSkinMenu();
  if (parent && ++parent->m_nOpenPopups == 1 && !parent->m_bIsPopupMenu) redrawBarItem(*parent, hOwner);
}

void CSkinMenu::OnOpenPopup() {
  m_bIsPopupMenu = TRUE;
  ConvertItems();
  if (SkinOs().osClass == 7)
    for (UINT id : kSystemCommands) ReplaceSystemCommand(id, id + 1);
}

BOOL CSkinMenu::OnClosePopup() {
  if (SkinOs().osClass == 7) {
    ReplaceSystemCommand(SC_MINIMIZE + 1, SC_MINIMIZE);
    ReplaceSystemCommand(SC_RESTORE + 1, SC_RESTORE);
    if (FindItemData(SC_CLOSE + 1)) {
      ReplaceSystemCommand(SC_CLOSE + 1, SC_CLOSE);
      if (::IsWindow(m_hOwner))
        ::SetWindowPos(m_hOwner, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
  }
  CSkinMenu* parent = GetParentSkinMenu();
  if (!parent) return FALSE;
  parent->m_nOpenPopups = std::max(0, parent->m_nOpenPopups - 1);
  if (parent->m_bIsPopupMenu) return FALSE;
  parent->m_nOpenPopups = 0;
  redrawBarItem(*parent, m_hOwner);
  return TRUE;
}

void CSkinMenu::ReplaceSystemCommand(UINT from, UINT to) {
  for (size_t pos = 0; pos < m_items.size(); ++pos) {
    CSkinMenuItemData& data = *m_items[pos];
    if (data.m_nID != from || (data.m_nFlags & MF_POPUP)) continue;
    data.m_nID = to;
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID;
    mii.wID = to;
    ::SetMenuItemInfoA(m_hMenu, static_cast<UINT>(pos), TRUE, &mii);
    return;
  }
}

char MnemonicOf(const CString& text) {
  const char* s = text;
  for (size_t i = 0; s[i]; ++i) {
    if (s[i] != '&') continue;
    if (s[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(s[i + 1])));
  }
  return 0;
}

LRESULT CSkinMenu::OnMenuChar(UINT nChar, UINT, CMenu* pMenu) {
  CSkinMenu* menu = pMenu ? skinMenuOf(pMenu->m_hMenu) : nullptr;
  if (!menu) return 0;
  if (menu->GetMenuItemCount() != menu->m_items.size()) menu->ConvertItems();
  char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(nChar)));
  for (size_t pos = 0; pos < menu->m_items.size(); ++pos) {
    CString text;
    menu->m_items[pos]->GetDisplayText(text, menu->m_hAccelToDraw);
    if (wanted && MnemonicOf(text) == wanted) return MAKELRESULT(pos, MNC_EXECUTE);
  }
  return 0;
}

int CSkinMenu::SelectTheme(int nThemeId) {
  SkinMenuState& s = SkinState();
  if (s.platform.compatibilityLayer && nThemeId >= 0 && nThemeId <= 10 && nThemeId % 2 == 0) ++nThemeId;
  auto it = std::find_if(s.themes.begin(), s.themes.end(),
                         [nThemeId](const auto& t) { return t->m_nThemeId == nThemeId; });
  if (it == s.themes.end()) return -1;
  int previous = CurrentThemeId();
  s.currentTheme = it->get();
  return previous;
}

int CSkinMenu::AddTheme(CMenuTheme* pTheme) {
  auto& themes = SkinState().themes;
  if (!pTheme || std::any_of(themes.begin(), themes.end(), [pTheme](const auto& t) { return t.get() == pTheme; }))
    return 0;
  themes.emplace_back(pTheme);
  return 1;
}

int CSkinMenu::GetThemeId() { return CurrentThemeId(); }

HBRUSH CSkinMenu::GetMenuBarBrush() {
  int id = CurrentThemeId();
  bool rich = NumScreenColors() >= 256 && !SkinOs().highContrast;
  COLORREF face = ::GetSysColor(COLOR_3DFACE);
  if (id == 2 || id == 3) return CSkinBrushList::GetBrush(2, face, face);
  if (id < 8 || id > 11) return nullptr;
  COLORREF bar, second;
  GetVisualStyleColors(bar, second, true);
  if (rich) return CSkinBrushList::GetBrush(id <= 9 ? 8 : 10, bar, second);
  return id <= 9 ? CSkinBrushList::GetBrush(2, face, face) : CSkinBrushList::GetBrush(2, bar, bar);
}

void CSkinMenu::SetMenuBarBrush(HMENU hMenu) {
  HBRUSH brush = GetMenuBarBrush();
  if (!brush || !skinMenuOf(hMenu)) return;
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  info.hbrBack = brush;
  ::SetMenuInfo(hMenu, &info);
}

void CSkinMenu::OnSysColorChange() {
  SkinMenuState& s = SkinState();
  DWORD now = ::GetTickCount();
  if (s.iconReloadDone && now - s.lastIconReload < 2001) return;
  s.iconReloadDone = true;
  s.lastIconReload = now;
  for (CSkinMenuIcons* list : s.iconLists) list->Reload();
}

namespace {
void giveIcon(CSkinMenu& menu, UINT id, CSkinMenuIcons* icons, int index, bool& found) {
  for (int pos = 0, n = menu.GetItemDataCount(); pos < n; ++pos) {
    CSkinMenuItemData* data = menu.GetItemData(pos);
    if (data->m_nID != id || (data->m_nFlags & MF_POPUP)) continue;
    data->SetIcons(icons, index);
    data->m_nFlags |= MF_OWNERDRAW;
    SIZE size = icons->IconSize();
    menu.m_iconX = std::max<int>(menu.m_iconX, size.cx);
    menu.m_iconY = std::max<int>(menu.m_iconY, size.cy);
    found = true;
  }
  for (int pos = 0, n = static_cast<int>(menu.GetMenuItemCount()); pos < n; ++pos)
    if (CSkinMenu* sub = skinMenuOf(::GetSubMenu(menu.m_hMenu, pos))) giveIcon(*sub, id, icons, index, found);
}
}  // namespace

BOOL CSkinMenu::LoadToolBarIcons(const WORD* table, COLORREF transparent) {
  if (!table) return FALSE;
  if (transparent == CLR_INVALID)
    transparent = m_bitmapBackground == 0xFF000000 ? ::GetSysColor(COLOR_3DFACE) : m_bitmapBackground;
  auto& lists = SkinState().iconLists;
  auto it = std::find_if(lists.begin(), lists.end(),
                         [&](CSkinMenuIcons* l) { return l->MatchTable(table, transparent); });
  CSkinMenuIcons* icons = it != lists.end() ? *it : nullptr;
  if (!icons) {
    auto fresh = std::make_unique<CSkinMenuIcons>();
    if (!fresh->LoadToolBarTable(table, transparent)) return FALSE;
    icons = fresh.release();
    lists.push_back(icons);
  }
  // Hold the list while handing it out, so that an item letting go of it
  // cannot free it midway.
  icons->AddRef();
  const std::vector<UINT>& ids = icons->Ids();
  for (size_t i = ids.size(); i-- > 0;) {
    int index = icons->FindIndex(ids[i]) == static_cast<int>(3 * i) ? static_cast<int>(3 * i) : -1;
    if (index < 0) continue;
    bool found = false;
    giveIcon(*this, ids[i], icons, index, found);
    if (!found) {
      auto data = std::make_unique<CSkinMenuItemData>("", MF_OWNERDRAW, ids[i]);
      data->SetIcons(icons, index);
      m_items.push_back(std::move(data));
    }
  }
  icons->Release();
  return TRUE;
}
