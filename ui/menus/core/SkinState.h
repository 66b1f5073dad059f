#pragma once
// The menu library's process-wide state: what the platform was found to be, the
// optional entry points bound at start-up, the theme list, the current theme and
// the menu-window hook. Everything here lives on the user-interface thread.
//
// The platform answers (flat menus, drop shadows, visual styles, colour depth)
// are read from the system unless a test has pinned them: a field of -1 means
// "ask the system", so both the real path and the compatibility-layer path can
// be exercised on one machine.
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

class CMenuTheme;
class CSkinMenuIcons;
struct CMenuHookData;

typedef BOOL(WINAPI* PFN_GRADIENTFILL)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
typedef BOOL(WINAPI* PFN_ISTHEMEACTIVE)();
typedef HRESULT(WINAPI* PFN_SETWINDOWTHEME)(HWND, LPCWSTR, LPCWSTR);

// The platform as probed at start-up; tests build one by hand.
struct SkinPlatform {
  int osClass = 7;
  bool compatibilityLayer = false;
  bool remoteDesktop = false;
  bool highContrast = false;
};

struct SkinMenuState {
  SkinPlatform platform;

  // -1: ask the system each time; 0 or 1: pinned (tests).
  int flatMenus = -1;
  int dropShadow = -1;
  int themeActive = -1;
  int keyboardCues = -1;
  int screenColors = 0;  // 0: not measured yet

  HMODULE hUxTheme = nullptr;
  PFN_ISTHEMEACTIVE pfnIsThemeActive = nullptr;
  PFN_SETWINDOWTHEME pfnSetWindowTheme = nullptr;
  HMODULE hMsimg = nullptr;
  PFN_GRADIENTFILL pfnGradientFill = nullptr;

  std::vector<std::unique_ptr<CMenuTheme>> themes;
  CMenuTheme* currentTheme = nullptr;
  HHOOK hook = nullptr;

  // The popup whose WM_INITMENUPOPUP ran last and whose window is not themed yet.
  HMENU popupBeingInitialised = nullptr;
  // The menu-bar item data last drawn hot by a frame's hot tracking.
  const void* hotTrackedItem = nullptr;
  // The last mouse position a painter saw (shared with the menu window procedure).
  DWORD lastMousePos = 0;

  // Shared icon lists, counted by the item data that show them.
  std::vector<CSkinMenuIcons*> iconLists;
  DWORD lastIconReload = 0;
  bool iconReloadDone = false;

  // Menu windows subclassed for their border and shadow.
  std::map<HWND, std::unique_ptr<CMenuHookData>> menuWindows;

  // Timer ids handed out by AllocateTimerId, per window.
  std::multimap<HWND, UINT_PTR> timers;
};

SkinMenuState& SkinState();
inline const SkinPlatform& SkinOs() { return SkinState().platform; }

// The platform answers, honouring pinned values.
bool SkinFlatMenus();
bool SkinDropShadow();
bool SkinKeyboardCues();
