#include "ui/menus/window/MenuWindow.h"

#include <cstring>

#include "framework/framework.h"
#include "ui/menus/core/SkinState.h"
#include "ui/menus/menu/SkinMenu.h"
#include "ui/menus/theme/MenuTheme.h"

namespace {
const char kOldProc[] = "OldMenuProc";
const UINT kPrinting = 8, kStylesChanged = 4;

bool isMenuWindow(HWND hWnd) {
  char name[16] = {};
  return ::GetClassNameA(hWnd, name, sizeof name) && std::strcmp(name, "#32768") == 0;
}

CSkinMenu* skinMenuOf(HMENU hMenu) {
  return hMenu ? DYNAMIC_DOWNCAST(CSkinMenu, CMenu::FromHandlePermanent(hMenu)) : nullptr;
}

WNDPROC oldProcOf(HWND hWnd) { return reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kOldProc)); }
}  // namespace

CMenuHookData* MenuHookDataOf(HWND hWnd) {
  auto& map = SkinState().menuWindows;
  auto it = map.find(hWnd);
  return it == map.end() ? nullptr : it->second.get();
}

void CaptureScreenUnder(CMenuHookData& data, const RECT& r) {
  int w = r.right - r.left + 10, h = r.bottom - r.top + 10;
  if (w <= 10 || h <= 10) return;
  ScreenDC screen;
  MemoryDC dc(screen);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
  if (!bitmap) return;
  {
    SelectScope select(dc, bitmap);
    ::BitBlt(dc, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  }
  data.m_screen.Reset(bitmap);
}

bool SubclassMenuWindow(HWND hWnd) {
  if (!::IsWindow(hWnd) || !isMenuWindow(hWnd)) return false;
  SkinMenuState& s = SkinState();
  CMenuTheme* theme = s.currentTheme;
  if (CMenuHookData* data = MenuHookDataOf(hWnd)) {
    if (s.popupBeingInitialised && skinMenuOf(s.popupBeingInitialised)) {
      data->m_hMenu = s.popupBeingInitialised;
      s.popupBeingInitialised = nullptr;
      if (theme) theme->OnInitWnd(hWnd);
    }
    return true;
  }
  // The window answers which menu it shows once it has one; while it is being
  // created (and on some platforms until it is first sized) the menu whose
  // WM_INITMENUPOPUP ran last stands in.
  HMENU hMenu = reinterpret_cast<HMENU>(::SendMessageA(hWnd, 0x01E1 /* MN_GETHMENU */, 0, 0));
  bool fromRecord = false;
  if (!hMenu) hMenu = s.popupBeingInitialised, fromRecord = true;
  if (!skinMenuOf(hMenu)) return false;
  WNDPROC current = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
  if (!oldProcOf(hWnd)) {
    ::SetPropA(hWnd, kOldProc, reinterpret_cast<HANDLE>(current));
    if (oldProcOf(hWnd) != current) {
      ::RemovePropA(hWnd, kOldProc);
      return false;
    }
  }
  ::GlobalAddAtomA(kOldProc);
  auto data = std::make_unique<CMenuHookData>();
  data->m_dwStyle = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_STYLE));
  data->m_dwExStyle = static_cast<DWORD>(::GetWindowLongA(hWnd, GWL_EXSTYLE));
  if (data->m_dwStyle & WS_VISIBLE) data->m_dwData |= 2;
  data->m_hMenu = hMenu;
  s.menuWindows[hWnd] = std::move(data);
  if (fromRecord || hMenu == s.popupBeingInitialised) s.popupBeingInitialised = nullptr;
  ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuWindowProc));
  if (theme) theme->OnInitWnd(hWnd);
  return true;
}

void UnsubclassMenuWindow(HWND hWnd) {
  if (WNDPROC old = oldProcOf(hWnd)) {
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &MenuWindowProc)
      ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    ::RemovePropA(hWnd, kOldProc);
    if (ATOM atom = ::GlobalFindAtomA(kOldProc)) ::GlobalDeleteAtom(atom);
  }
  auto& map = SkinState().menuWindows;
  auto it = map.find(hWnd);
  if (it == map.end()) return;
  if (CMenuTheme* theme = CurrentTheme()) theme->OnUnInitWnd(hWnd);
  map.erase(hWnd);
}

void UnsubclassAllMenuWindows() {
  auto& map = SkinState().menuWindows;
  while (!map.empty()) {
    HWND hWnd = map.begin()->first;
    UnsubclassMenuWindow(hWnd);
    map.erase(hWnd);  // a window that is gone already
  }
}

namespace {
LRESULT callOld(WNDPROC old, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return old ? ::CallWindowProcA(old, hWnd, message, wParam, lParam) : ::DefWindowProcA(hWnd, message, wParam, lParam);
}

// The client rectangle in window coordinates, shrunk by one pixel, as a region
// in screen coordinates (what WM_NCPAINT takes).
HRGN clientRegionInScreen(HWND hWnd) {
  RECT rc;
  ::GetClientRect(hWnd, &rc);
  ::MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  ::InflateRect(&rc, -1, -1);
  return ::CreateRectRgnIndirect(&rc);
}

// WM_PRINT of a bordered menu window. The window is put together in a memory
// bitmap of its size: the theme's frame, the system's own printing of the
// client area clipped inside it, then the client area erased and printed
// again by the window itself, so that the copy shows what the screen shows.
LRESULT printThemed(HWND hWnd, HDC hTarget, LPARAM flags, CMenuTheme& theme, WNDPROC old) {
  RECT window, client;
  ::GetWindowRect(hWnd, &window);
  ::GetClientRect(hWnd, &client);
  POINT offset{0, 0};  // the client area's corner in window coordinates
  ::ClientToScreen(hWnd, &offset);
  offset.x -= window.left;
  offset.y -= window.top;
  const int w = window.right - window.left, h = window.bottom - window.top;
  MemoryDC mem(hTarget);
  GdiHandle bitmap(w > 0 && h > 0 ? ::CreateCompatibleBitmap(hTarget, w, h) : nullptr);
  if (!mem || !bitmap) return callOld(old, hWnd, WM_PRINT, reinterpret_cast<WPARAM>(hTarget), flags);
  SelectScope select(mem, bitmap.Get());
  theme.OnDrawBorder(hWnd, mem, FALSE);
  LRESULT result;
  {
    SavedDC saved(mem);
    ::IntersectClipRect(mem, offset.x + 1, offset.y + 1, offset.x + client.right - 1, offset.y + client.bottom - 1);
    ::SetViewportOrgEx(mem, offset.x, offset.y, nullptr);
    result = callOld(old, hWnd, WM_PRINT, reinterpret_cast<WPARAM>(static_cast<HDC>(mem)), flags & ~PRF_NONCLIENT);
  }
  const bool whole = (flags & PRF_NONCLIENT) != 0;
  if (whole) ::BitBlt(hTarget, 0, 0, w, h, mem, 0, 0, SRCCOPY);
  {
    SavedDC saved(mem);
    ::SetViewportOrgEx(mem, offset.x, offset.y, nullptr);
    ::IntersectClipRect(mem, 0, 0, client.right, client.bottom);
    ::SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(mem)), 0);
    ::SendMessageA(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(static_cast<HDC>(mem)), PRF_CLIENT);
  }
  const POINT at = whole ? offset : POINT{0, 0};
  ::BitBlt(hTarget, at.x, at.y, client.right, client.bottom, mem, offset.x, offset.y, SRCCOPY);
  return result;
}

LRESULT handle(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC old) {
  CMenuHookData* data = MenuHookDataOf(hWnd);
  CMenuTheme* theme = CurrentTheme();
  if (!data || !theme) return callOld(old, hWnd, message, wParam, lParam);
  const bool themed = data->m_bDoSubclass != FALSE;
  const bool bordered = themed && theme->DoDrawBorder();
  switch (message) {
    case WM_NCCALCSIZE:
      if (themed) theme->OnCalcFrameRect(hWnd, reinterpret_cast<LPRECT>(lParam));
      break;
    case WM_WINDOWPOSCHANGING: {
      auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
      if (themed) theme->OnWindowPosChanging(hWnd, pos);
      if (!(pos->flags & SWP_NOMOVE)) {
        if (!data->m_bPlaced) {
          data->m_bPlaced = true;
          data->m_Point = {pos->x, pos->y};
          if (bordered && !::IsWindowVisible(hWnd) && !(pos->flags & SWP_NOSIZE) && !SkinDropShadow())
            CaptureScreenUnder(*data, {pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy});
        } else if (pos->x != data->m_Point.x || pos->y != data->m_Point.y) {
          if (pos->flags & SWP_NOSIZE) {
            data->m_Point = {pos->x, pos->y};
            data->m_screen.Reset();
          } else {
            UnsubclassMenuWindow(hWnd);
          }
        }
      }
      break;
    }
    case WM_ERASEBKGND:
      if (!themed) break;
      if (bordered && !(data->m_dwData & kPrinting) && !data->m_bDrawBorder) {
        data->m_bDrawBorder = TRUE;
        ::SendMessageA(hWnd, WM_NCPAINT, 1, 0);
      }
      theme->OnEraseBkgnd(hWnd, reinterpret_cast<HDC>(wParam));
      return TRUE;
    case WM_NCPAINT: {
      if (!themed) break;
      if (!data->m_bDrawBorder && data->m_hRgn == reinterpret_cast<HRGN>(1) && wParam != 1) {
        HRGN copy = ::CreateRectRgn(0, 0, 0, 0);
        if (copy && ::CombineRgn(copy, reinterpret_cast<HRGN>(wParam), nullptr, RGN_COPY) != ERROR)
          data->m_hRgn = copy;
        else if (copy)
          ::DeleteObject(copy);
      }
      if (data->m_dwData & kPrinting) return 0;
      if (!bordered) break;
      // Some platforms paint the popup's background themselves and never ask
      // for it to be erased: the border is then drawn from here on first paint.
      if (!data->m_bDrawBorder) {
        if (!data->m_screen && !SkinDropShadow()) {
          RECT wr;
          ::GetWindowRect(hWnd, &wr);
          CaptureScreenUnder(*data, wr);
        }
        data->m_bDrawBorder = TRUE;
      }
      WindowDC dc(hWnd, true);
      if (!dc) break;
      theme->OnDrawBorder(hWnd, dc, FALSE);
      HRGN client = clientRegionInScreen(hWnd);
      callOld(old, hWnd, WM_NCPAINT, reinterpret_cast<WPARAM>(client), 0);
      if (client) ::DeleteObject(client);
      theme->OnDrawBorder(hWnd, dc, TRUE);
      return 0;
    }
    case WM_PRINT: {
      if (!bordered) break;
      data->m_dwData |= kPrinting;
      const LRESULT r = printThemed(hWnd, reinterpret_cast<HDC>(wParam), lParam, *theme, old);
      if (CMenuHookData* still = MenuHookDataOf(hWnd)) still->m_dwData &= ~kPrinting;
      return r;
    }
    case WM_SHOWWINDOW:
      if (!wParam) UnsubclassMenuWindow(hWnd);
      break;
    case WM_NCDESTROY:
      UnsubclassMenuWindow(hWnd);
      break;
  }
  return callOld(old, hWnd, message, wParam, lParam);
}
}  // namespace

LRESULT CALLBACK MenuWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Taken before anything can unsubclass the window.
  WNDPROC old = oldProcOf(hWnd);
  try {
    return handle(hWnd, message, wParam, lParam, old);
  } catch (CException* e) {
    e->Delete();
    return callOld(old, hWnd, message, wParam, lParam);
  } catch (...) {
    // Nothing may cross a window procedure: the system's own handling goes on.
    return callOld(old, hWnd, message, wParam, lParam);
  }
}
