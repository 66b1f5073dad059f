#pragma once
// The module that holds the program's resources (dialogs, menus, strings).
#include <windows.h>

HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AfxGetInstanceHandle();
// The module that holds a resource (the program has only one).
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
