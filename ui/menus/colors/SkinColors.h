#pragma once
// Colour arithmetic on COLORREF values (0x00BBGGRR), the bar colours the themes
// share, and the small drawing helpers of the menu painters and the toolbar.
#include <windows.h>

// 0xFF000000 in a colour field means "no colour set".
const COLORREF kNoColor = 0xFF000000;

COLORREF ShadeColor(COLORREF c);
COLORREF DarkenColor(int amount, COLORREF c);
COLORREF LightenColor(int amount, COLORREF c);
COLORREF MixColor86(COLORREF a, COLORREF b);
COLORREF MixColor70(COLORREF a, COLORREF b);
COLORREF AlphaBlendColor(COLORREF a, COLORREF b, int weight);

// The operating-system class: 0 Win32s, 1 NT 3.x, 2 Windows 95, 3 Windows 98,
// 4 Windows Me, 5 NT 4, 6 Windows 2000, 7 Windows XP or later.
int OsClassFromVersion(bool nineXFamily, DWORD major, DWORD minor);
int GetOsClass();

int NumScreenColors();
bool IsThemeActiveSafe();
HANDLE OpenThemeDataSafe(HWND hWnd, LPCWSTR classList);
HRESULT CloseThemeDataSafe(HANDLE hTheme);
HRESULT GetThemeColorSafe(HANDLE hTheme, int part, int state, int prop, COLORREF* color);

COLORREF GetXpHighlightColor();
COLORREF GetDefaultBarColor();
COLORREF GetMenuBarColor(HMENU hMenu = nullptr);
COLORREF GetMenuBarColorXP(HMENU hMenu = nullptr);
void GetVisualStyleColors(COLORREF& bar, COLORREF& second, bool look2003);
// The bar colour of a visual style: from the style's two caption colours
// (fromThemeData), else from the window colour darkened by 10 and the active
// caption colour; known looks get their own bar colour.
COLORREF StyleBarColor(COLORREF first, COLORREF second, bool fromThemeData);
COLORREF GetThemedBarColor();

// A gradient from start to end colour; nearest colours of the device on request.
void DrawGradient(HDC hDC, const RECT& rect, COLORREF start, COLORREF end, bool horizontal,
                  bool useNearest);
// Replaces every pixel of a bitmap by fn(pixel); the alpha bytes stay 0 (a
// non-zero one turns image lists to per-pixel alpha). False when unreadable.
bool MapBitmapPixels(HBITMAP hBitmap, COLORREF (*fn)(COLORREF pixel, const void* context),
                     const void* context);
// Every pixel becomes (colour × (255 − weight) + grey × weight) / 256 per channel;
// returns the new colour of the top-left pixel (CLR_INVALID on failure).
COLORREF ColorizeBitmap(HBITMAP hBitmap, int weight, COLORREF color);
// A monochrome mask (transparent pixels white); the bitmap's transparent pixels
// become black. Null when the bitmap cannot be read.
HBITMAP CreateMaskBitmap(HBITMAP hBitmap, COLORREF transparent);
int GetBitmapColorCount(const BITMAPINFOHEADER& header);
HBITMAP LoadBitmapResource(LPCSTR name, HINSTANCE hInstance, int* colorCount);
void FillFrame(HDC hDC, const RECT& outer, const RECT& inner, COLORREF color);
void FillSolid(HDC hDC, const RECT& rect, COLORREF color);
void FrameSolid(HDC hDC, const RECT& rect, COLORREF color);

// A single-line DrawText that underlines the character after each "&" itself.
void DrawMnemonicText(HDC hDC, LPCSTR text, int length, const RECT& rect, UINT format);

// Timer ids 31 to 99, taken from the library's own table so that an id already
// running on the window is never handed out twice.
UINT_PTR AllocateTimerId(HWND hWnd, UINT milliseconds);
void FreeTimerId(HWND hWnd, UINT_PTR id);
