#pragma once
// The one place the rendering code talks to the user. Tests replace the
// function so a failing device never opens a real message box.
#include <windows.h>

using RenderMessageBoxFn = int (*)(HWND owner, const char* text, const char* title, UINT type);

// Installs fn (null restores the real MessageBoxA) and returns the previous one.
RenderMessageBoxFn SetRenderMessageBox(RenderMessageBoxFn fn);

int ShowRenderMessage(HWND owner, const char* text, const char* title, UINT type);
