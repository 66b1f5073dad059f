// Routing of WM_MEASUREITEM to the menu that owns the item, and the three
// measurers of the theme table.
#include <algorithm>

#include "ui/menus/core/SkinState.h"
#include "framework/gdi_scope.h"
#include "ui/menus/draw/MenuFont.h"
#include "ui/menus/menu/SkinMenu.h"

namespace {
bool isSystemCommand(UINT_PTR id) {
  UINT_PTR c = id & 0xFFF0;
  return c >= 0xF000 && c <= 0xF150;
}
enum { kClassic = 0, kFlat = 1, kXP = 2 };
}  // namespace

BOOL CSkinMenu::OnMeasureItem(HWND hWnd, LPMEASUREITEMSTRUCT lpMIS) {
  static const UINT getMenuMessage = ::RegisterWindowMessageA("CSkinMenuBar::WM_GETMENU");
  if (!lpMIS || lpMIS->CtlType != ODT_MENU) return FALSE;
  HMENU asMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(lpMIS->itemID));
  if (::IsMenu(asMenu)) {
    CMenu* owner = CMenu::FromHandlePermanent(asMenu);
    if (!owner) return FALSE;
    owner->MeasureItem(lpMIS);
    return TRUE;
  }
  HMENU candidates[4] = {};
  if (CMenu::GetTrackingWindow() == hWnd) candidates[0] = CMenu::GetTrackingMenu();
  candidates[1] = ::GetMenu(hWnd);
  candidates[2] = ::GetSystemMenu(hWnd, FALSE);
  for (int i = 0; i < 4; ++i) {
    if (i == 3) candidates[3] = reinterpret_cast<HMENU>(::SendMessageA(hWnd, getMenuMessage, 0, 0));
    if (!candidates[i]) continue;
    if (CSkinMenu* owner = FindItemOwner(candidates[i], lpMIS->itemID, lpMIS->itemData)) {
      owner->MeasureItem(lpMIS);
      return TRUE;
    }
  }
  return FALSE;
}

int CSkinMenu::MeasureText(const CSkinMenuItemData& data, BOOL bDefault, bool tabAsGap, SIZE& size) const {
  CString text;
  data.GetDisplayText(text, m_hAccelToDraw);
  if (tabAsGap) text.Replace("\t", "nnn");
  MenuFont font(bDefault != FALSE);
  MemoryDC dc;
  SelectScope select(dc, font);
  RECT r{0, 0, 0, 0};
  ::DrawTextA(dc, text, text.GetLength(), &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  size = {r.right - r.left, r.bottom - r.top};
  return text.Find('&') >= 0 ? 1 : 0;
}

SIZE CSkinMenu::MeasuredSize(const CSkinMenuItemData& data, BOOL bBar, int kind) const {
  if (data.m_nFlags & MF_SEPARATOR) return {3, 3};
  BOOL isDefault = m_hMenu && data.m_nID && ::GetMenuDefaultItem(m_hMenu, FALSE, 0) == data.m_nID;
  SIZE text;
  bool ampersand = MeasureText(data, isDefault, kind != kClassic, text) != 0;
  int cyMenu = ::GetSystemMetrics(SM_CYMENU);
  SIZE out;
  if (bBar) {
    out.cx = text.cx;
    if (ampersand) out.cx -= kind == kXP ? 6 : ::GetSystemMetrics(SM_CXMENUCHECK) / 2;
    if (kind == kXP)
      out.cy = std::max<LONG>(std::max(cyMenu, m_iconY + 2), text.cy);
    else
      out.cy = std::max<LONG>(std::max(cyMenu, m_iconY + (kind == kFlat ? 6 : 4)), text.cy);
  } else if (kind == kXP) {
    out.cx = text.cx + m_iconX + 6 + ((data.m_nFlags & MF_POPUP) ? cyMenu : cyMenu / 2);
    out.cy = std::max<LONG>(cyMenu > m_iconY + 8 ? cyMenu : m_iconY + 7, text.cy);
  } else {
    out.cx = text.cx + 2 * m_iconX + 2;
    out.cy = std::max<LONG>(std::max(cyMenu, m_iconY + (kind == kFlat ? 6 : 4)), text.cy);
  }
  return out;
}

void CSkinMenu::MeasureAs(LPMEASUREITEMSTRUCT lpMIS, BOOL bBar, int kind) {
  // The item that opens a sub-menu reaches the sub-menu's object, but its item
  // data is its parent's.
  const CSkinMenu* holder = this;
  CSkinMenuItemData* data = CheckItemData(lpMIS->itemData);
  if (!data && (holder = GetParentSkinMenu()) != nullptr) data = holder->CheckItemData(lpMIS->itemData);
  if (!data) return;
  SIZE size = holder->MeasuredSize(*data, bBar, kind);
  const auto& items = holder->m_items;
  if (isSystemCommand(data->m_nID)) {
    // A window command is as wide as the next command after it.
    auto it = std::find_if(items.begin(), items.end(), [data](const auto& d) { return d.get() == data; });
    auto next = std::find_if(it == items.end() ? it : it + 1, items.end(), [](const auto& d) { return d->m_nID != 0; });
    if (next != items.end()) size.cx = std::max(size.cx, holder->MeasuredSize(**next, bBar, kind).cx);
    size.cy = ::GetSystemMetrics(SM_CYMENU);
  }
  lpMIS->itemWidth = static_cast<UINT>(std::max<LONG>(0, size.cx));
  lpMIS->itemHeight = static_cast<UINT>(std::max<LONG>(0, size.cy));
}

void CSkinMenu::MeasureItemClassic(LPMEASUREITEMSTRUCT lpMIS, BOOL bBar) { MeasureAs(lpMIS, bBar, kClassic); }
void CSkinMenu::MeasureFlatItem(LPMEASUREITEMSTRUCT lpMIS, BOOL bBar) { MeasureAs(lpMIS, bBar, kFlat); }
void CSkinMenu::MeasureItemXP(LPMEASUREITEMSTRUCT lpMIS, BOOL bBar) { MeasureAs(lpMIS, bBar, kXP); }
