#include "ui/frames/MenuBarPainting.h"

#include "framework/gdi_scope.h"
#include "ui/menus/draw/MenuFont.h"

HotTrackStates HotTrackStatesFor(bool focusInFrame, int osClass) {
  if (focusInFrame) return {ODS_HOTLIGHT, 0};
  if (osClass == 2 || osClass == 5) return {0, 0};
  return {ODS_HOTLIGHT | ODS_INACTIVE, ODS_INACTIVE};
}

bool FocusIsIn(HWND hWnd) {
  HWND focus = ::GetFocus();
  return focus && (focus == hWnd || ::IsChild(hWnd, focus));
}

bool SystemTracksMenuBar(const SkinPlatform& platform) { return platform.osClass >= 6 && !platform.remoteDesktop; }

bool MenuBarItemRect(HWND hWnd, HMENU hMenu, int pos, RECT& rect) {
  if (!::GetMenuItemRect(hWnd, hMenu, static_cast<UINT>(pos), &rect)) return false;
  RECT window;
  ::GetWindowRect(hWnd, &window);
  ::OffsetRect(&rect, -window.left, -window.top);
  if (SkinOs().compatibilityLayer) {
    // There the item rectangle comes back below the caption and the bar.
    const bool thick = (::GetWindowLongA(hWnd, GWL_STYLE) & WS_THICKFRAME) != 0;
    const int dx = ::GetSystemMetrics(thick ? SM_CXFRAME : SM_CXDLGFRAME);
    const int dy = ::GetSystemMetrics(SM_CYMENU) + ::GetSystemMetrics(SM_CYCAPTION) +
                   ::GetSystemMetrics(thick ? SM_CYFRAME : SM_CYDLGFRAME) + 1;
    ::OffsetRect(&rect, -dx, -dy);
  }
  return true;
}

bool RedrawMenuBarItem(HWND hWnd, HMENU hMenu, int pos, UINT state) {
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA;
  RECT rect;
  if (!::GetMenuItemInfoA(hMenu, static_cast<UINT>(pos), TRUE, &mii) || !(mii.fType & MFT_OWNERDRAW) ||
      !MenuBarItemRect(hWnd, hMenu, pos, rect))
    return false;
  WindowDC dc(hWnd, true);
  if (!dc) return false;
  MenuFont font;
  SelectScope selectFont(dc, font);
  POINT origin;
  ::SetWindowOrgEx(dc, 0, 0, &origin);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemID = mii.wID;
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = state;
  dis.hwndItem = reinterpret_cast<HWND>(hMenu);
  dis.hDC = dc;
  dis.rcItem = rect;
  dis.itemData = mii.dwItemData;
  SkinState().hotTrackedItem = reinterpret_cast<const void*>(mii.dwItemData);
  ::SendMessageA(hWnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  ::SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
  return true;
}

namespace {
// Some platforms fill the part of a menu bar row after its last item with the
// bar colour, not with the menu's background brush: fill it with the brush.
void fillRowEnds(HDC hDC, HWND hWnd, HMENU hMenu, HBRUSH brush, const RECT& window) {
  MENUBARINFO bar{};
  bar.cbSize = sizeof bar;
  if (!::GetMenuBarInfo(hWnd, OBJID_MENU, 0, &bar)) return;
  const int count = ::GetMenuItemCount(hMenu);
  for (int pos = 0; pos < count; ++pos) {
    RECT item, next;
    if (!::GetMenuItemRect(hWnd, hMenu, static_cast<UINT>(pos), &item)) return;
    const bool lastOfRow = pos + 1 == count || !::GetMenuItemRect(hWnd, hMenu, static_cast<UINT>(pos + 1), &next) ||
                           next.top != item.top;
    if (!lastOfRow || item.right >= bar.rcBar.right) continue;
    RECT rest{item.right, item.top, bar.rcBar.right, item.bottom};
    ::OffsetRect(&rest, -window.left, -window.top);
    ::FillRect(hDC, &rest, brush);
  }
}
}  // namespace

void PaintMenuBarLine(HWND hWnd) {
  HMENU hMenu = ::GetMenu(hWnd);
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  if (!hMenu || !::IsMenu(hMenu) || !::GetMenuInfo(hMenu, &info) || !info.hbrBack) return;
  RECT window, client;
  ::GetWindowRect(hWnd, &window);
  ::GetClientRect(hWnd, &client);
  ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ::OffsetRect(&client, -window.left, -window.top);
  const RECT line{client.left, client.top - 1, client.right, client.top};
  WindowDC dc(hWnd, true);
  if (!dc) return;
  POINT old;
  ::SetBrushOrgEx(dc, 0, 0, &old);
  ::FillRect(dc, &line, info.hbrBack);
  fillRowEnds(dc, hWnd, hMenu, info.hbrBack, window);
  ::SetBrushOrgEx(dc, old.x, old.y, nullptr);
}
