#include "ui/menus/core/SkinMenuHook.h"

#include <cstring>

#include "ui/menus/colors/SkinColors.h"
#include "ui/menus/draw/SkinBrush.h"
#include "ui/menus/menu/SkinMenu.h"
#include "ui/menus/menu/SkinMenuIcons.h"
#include "ui/menus/theme/MenuTheme.h"
#include "ui/menus/window/MenuWindow.h"

SkinPlatform ProbeSkinPlatform() {
  SkinPlatform p;
  p.osClass = GetOsClass();
  p.remoteDesktop = p.osClass >= 6 && ::GetSystemMetrics(SM_REMOTESESSION) != 0;
  HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  p.compatibilityLayer = kernel && ::GetProcAddress(kernel, "wine_get_unix_file_name");
  HIGHCONTRASTA hc{};
  hc.cbSize = 12;
  if (::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0)) p.highContrast = (hc.dwFlags & HCF_HIGHCONTRASTON) != 0;
  return p;
}

namespace {
void addThemes() {
  struct Row {
    int id;
    int kind;  // 0 CMenuTheme, 1 XP, 2 2003
    SkinMeasureFn measure;
    SkinPaintFn paint;
  };
  static const Row kTable[12] = {
      {6, 0, &CSkinMenu::MeasureFlatItem, &CSkinMenu::DrawFlatItem},
      {7, 0, &CSkinMenu::MeasureFlatItem, &CSkinMenu::DrawFlatItem},
      {0, 0, &CSkinMenu::MeasureItemClassic, &CSkinMenu::DrawItemClassic},
      {1, 0, &CSkinMenu::MeasureItemClassic, &CSkinMenu::DrawItemClassic},
      {2, 1, &CSkinMenu::MeasureItemXP, &CSkinMenu::DrawItemXP},
      {3, 1, &CSkinMenu::MeasureItemXP, &CSkinMenu::DrawItemXP},
      {8, 2, &CSkinMenu::MeasureItemXP, &CSkinMenu::DrawItem2003},
      {9, 2, &CSkinMenu::MeasureItemXP, &CSkinMenu::DrawItem2003},
      {10, 1, &CSkinMenu::MeasureItemXP, &CSkinMenu::DrawItem2003},
      {11, 1, &CSkinMenu::MeasureItemXP, &CSkinMenu::DrawItem2003},
      {4, 0, &CSkinMenu::MeasureItemClassic, &CSkinMenu::DrawItemClassicBar},
      {5, 0, &CSkinMenu::MeasureItemClassic, &CSkinMenu::DrawItemClassicBar},
  };
  for (const Row& r : kTable) {
    DWORD border = r.id % 2 == 0 ? 1 : 0;
    CMenuTheme* theme;
    if (r.kind == 2) theme = new CMenuTheme2003(r.id, r.measure, r.paint, &CSkinMenu::DrawMenuTitle, border);
    else if (r.kind == 1) theme = new CMenuThemeXP(r.id, r.measure, r.paint, &CSkinMenu::DrawMenuTitle, border);
    else theme = new CMenuTheme(r.id, r.measure, r.paint, &CSkinMenu::DrawMenuTitle, border);
    CSkinMenu::AddTheme(theme);
  }
}

bool isUnthemedMenuWindow(HWND hWnd) {
  char name[16] = {};
  return ::GetClassNameA(hWnd, name, sizeof name) && std::strcmp(name, "#32768") == 0 &&
         !::IsWindowVisible(hWnd) && !MenuHookDataOf(hWnd);
}
}  // namespace

CSkinMenuHook::CSkinMenuHook(const SkinPlatform* platform) {
  SkinMenuState& s = SkinState();
  s.platform = platform ? *platform : ProbeSkinPlatform();
  if (!s.hUxTheme) s.hUxTheme = ::LoadLibraryA("uxtheme.dll");
  s.pfnIsThemeActive = s.hUxTheme ? reinterpret_cast<PFN_ISTHEMEACTIVE>(
                                        reinterpret_cast<void*>(::GetProcAddress(s.hUxTheme, "IsThemeActive")))
                                  : nullptr;
  s.pfnSetWindowTheme = s.hUxTheme ? reinterpret_cast<PFN_SETWINDOWTHEME>(
                                         reinterpret_cast<void*>(::GetProcAddress(s.hUxTheme, "SetWindowTheme")))
                                   : nullptr;
  if (!s.hMsimg) s.hMsimg = ::LoadLibraryA("Msimg32.dll");
  s.pfnGradientFill = s.hMsimg && s.platform.osClass != 3
                          ? reinterpret_cast<PFN_GRADIENTFILL>(
                                reinterpret_cast<void*>(::GetProcAddress(s.hMsimg, "GradientFill")))
                          : nullptr;
  if (s.themes.empty()) addThemes();
  s.currentTheme = nullptr;
  for (auto& theme : s.themes)
    if (theme->m_nThemeId == 2) {
      s.currentTheme = theme.get();
      break;
    }
  if (!s.hook) {
    s.hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &CallWndProcHook, nullptr, ::GetCurrentThreadId());
    // Without the hook menus are still owner-drawn, only their windows keep the
    // system's border: not worth refusing to start over.
    if (!s.hook) ::OutputDebugStringA("Menu library: window hook not installed, menus keep the system border\n");
  }
}

CSkinMenuHook::~CSkinMenuHook() {
  SkinMenuState& s = SkinState();
  if (s.hook) {
    ::UnhookWindowsHookEx(s.hook);
    s.hook = nullptr;
  }
  UnsubclassAllMenuWindows();
  s.currentTheme = nullptr;
  while (!s.themes.empty()) s.themes.pop_back();
  s.pfnIsThemeActive = nullptr;
  s.pfnSetWindowTheme = nullptr;
  if (s.hUxTheme) ::FreeLibrary(s.hUxTheme), s.hUxTheme = nullptr;
  s.pfnGradientFill = nullptr;
  if (s.hMsimg) ::FreeLibrary(s.hMsimg), s.hMsimg = nullptr;
  DeleteSharedIconLists();
  CSkinBrushList::FreeAll();
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
  SkinMenuState& s = SkinState();
  if (code == HC_ACTION) {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
    try {
      switch (cwp->message) {
        case WM_CREATE:
        case 0x01E2:  // a popup menu window being sized
          SubclassMenuWindow(cwp->hwnd);
          break;
        case WM_WINDOWPOSCHANGING:
        case WM_NCCALCSIZE:
          // Some platforms create the popup before WM_INITMENUPOPUP and never
          // send 0x01E2: the first placing of the hidden window is the moment.
          if (isUnthemedMenuWindow(cwp->hwnd)) SubclassMenuWindow(cwp->hwnd);
          break;
      }
    } catch (CException* e) {
      e->Delete();
    } catch (...) {
    }
  }
  return ::CallNextHookEx(s.hook, code, wParam, lParam);
}
