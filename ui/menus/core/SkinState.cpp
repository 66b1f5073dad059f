#include "ui/menus/core/SkinState.h"

#include "ui/menus/theme/MenuTheme.h"
#include "ui/menus/window/MenuWindow.h"
#include "ui/menus/menu/SkinMenuIcons.h"

SkinMenuState& SkinState() {
  static SkinMenuState state;
  return state;
}

namespace {
bool systemFlag(int pinned, UINT action) {
  if (pinned >= 0) return pinned != 0;
  BOOL value = FALSE;
  return ::SystemParametersInfoA(action, 0, &value, 0) && value;
}
}  // namespace

bool SkinFlatMenus() { return systemFlag(SkinState().flatMenus, SPI_GETFLATMENU); }
bool SkinDropShadow() { return systemFlag(SkinState().dropShadow, SPI_GETDROPSHADOW); }
bool SkinKeyboardCues() { return systemFlag(SkinState().keyboardCues, SPI_GETKEYBOARDCUES); }
