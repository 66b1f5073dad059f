#pragma once
// Bitmap resources the rendering code loads from the program (render.rc).
#define IDB_HANDLE_ROTATE 143
#define IDB_HANDLE_RESIZE 144
#define IDB_PLACEHOLDER_PATTERN 168
