#pragma once
// The toolbar table of the menu icons: bitmap 135 with 16 by 15 pixel images on
// the transparent colour 0xC0C0C0, for the commands of the main menu.
#include <windows.h>

extern const WORD kMenuIconTable[];
const COLORREF kMenuIconTransparent = 0xC0C0C0;
