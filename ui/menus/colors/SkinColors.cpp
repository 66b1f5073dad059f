#include "ui/menus/colors/SkinColors.h"

#include <algorithm>
#include <vector>

#include "framework/resources.h"

#include "ui/menus/core/SkinState.h"
#include "framework/gdi_scope.h"
#include "ui/menus/theme/MenuTheme.h"

namespace {
int cap(int v) { return std::min(255, std::max(0, v)); }
COLORREF perChannel(COLORREF c, int (*f)(int, int), int arg) {
  return RGB(f(GetRValue(c), arg), f(GetGValue(c), arg), f(GetBValue(c), arg));
}
COLORREF nearest(COLORREF c) {
  ScreenDC dc;
  return dc ? ::GetNearestColor(dc, c) : c;
}
}  // namespace

COLORREF ShadeColor(COLORREF c) {
  return RGB(::MulDiv(GetRValue(c), 7, 10), ::MulDiv(GetGValue(c), 7, 10),
             ::MulDiv(GetBValue(c) + 55, 7, 10));
}

COLORREF DarkenColor(int amount, COLORREF c) {
  return perChannel(c, [](int v, int a) { return cap(::MulDiv(v, 255 - a, 255)); }, amount);
}

COLORREF LightenColor(int amount, COLORREF c) {
  return perChannel(c, [](int v, int a) { return cap(v + ::MulDiv(255 - v, a, 255)); }, amount);
}

COLORREF MixColor86(COLORREF a, COLORREF b) {
  auto mix = [](int x, int y) { return cap(::MulDiv(86, x, 100) + ::MulDiv(14, y, 100)); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

COLORREF MixColor70(COLORREF a, COLORREF b) {
  auto mix = [](int x, int y) { return cap(::MulDiv(7, x, 10) + ::MulDiv(3, y, 10)); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

COLORREF AlphaBlendColor(COLORREF a, COLORREF b, int weight) {
  if (b == CLR_INVALID) return CLR_INVALID;
  auto mix = [weight](int x, int y) { return (x * (255 - weight) + y * weight) / 256; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

int OsClassFromVersion(bool nineXFamily, DWORD major, DWORD minor) {
  if (!nineXFamily) {
    if (major < 4) return 1;
    if (major == 4) return 5;
    if (major == 5 && minor == 0) return 6;
    return 7;
  }
  if (major < 4) return 0;
  if (major != 4) return 2;
  if (minor == 10) return 3;
  if (minor == 90) return 4;
  return 2;
}

int GetOsClass() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  ::GetVersionExA(&info);
  bool nineX = (::GetVersion() & 0x80000000u) != 0;
  if (nineX && LOBYTE(LOWORD(::GetVersion())) < 4) return 0;
  return OsClassFromVersion(nineX, info.dwMajorVersion, info.dwMinorVersion);
}

int NumScreenColors() {
  SkinMenuState& s = SkinState();
  if (s.screenColors == 0) {
    ScreenDC dc;
    int n = dc ? ::GetDeviceCaps(dc, NUMCOLORS) : -1;
    s.screenColors = n == -1 ? 64000 : n;
  }
  return s.screenColors;
}

bool IsThemeActiveSafe() {
  SkinMenuState& s = SkinState();
  if (s.themeActive >= 0) return s.themeActive != 0;
  return s.pfnIsThemeActive && s.pfnIsThemeActive();
}

namespace {
// "UxTheme.dll" loaded once for the lazily bound style functions, freed at exit.
class UxThemeModule {
 public:
  UxThemeModule() : m_module(::LoadLibraryA("UxTheme.dll")) {}
  ~UxThemeModule() {
    if (m_module) ::FreeLibrary(m_module);
  }
  UxThemeModule(const UxThemeModule&) = delete;
  UxThemeModule& operator=(const UxThemeModule&) = delete;
  FARPROC Get(LPCSTR name) const { return m_module ? ::GetProcAddress(m_module, name) : nullptr; }

 private:
  HMODULE m_module;
};
FARPROC uxtheme(LPCSTR name) {
  static UxThemeModule module;
  return module.Get(name);
}
}  // namespace

HANDLE OpenThemeDataSafe(HWND hWnd, LPCWSTR classList) {
  typedef HANDLE(WINAPI * Fn)(HWND, LPCWSTR);
  static Fn fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(uxtheme("OpenThemeData")));
  return fn ? fn(hWnd, classList) : nullptr;
}

HRESULT CloseThemeDataSafe(HANDLE hTheme) {
  typedef HRESULT(WINAPI * Fn)(HANDLE);
  static Fn fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(uxtheme("CloseThemeData")));
  return fn ? fn(hTheme) : 0;
}

HRESULT GetThemeColorSafe(HANDLE hTheme, int part, int state, int prop, COLORREF* color) {
  typedef HRESULT(WINAPI * Fn)(HANDLE, int, int, int, COLORREF*);
  static Fn fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(uxtheme("GetThemeColor")));
  return fn ? fn(hTheme, part, state, prop, color) : 1;
}

COLORREF GetXpHighlightColor() {
  if (SkinOs().highContrast) return ::GetSysColor(COLOR_HIGHLIGHT);
  if (NumScreenColors() > 256) {
    COLORREF h = ::GetSysColor(COLOR_HIGHLIGHT);
    if (!IsThemeActiveSafe() && GetRValue(h) + GetGValue(h) + GetBValue(h) > 384)
      return MixColor86(::GetSysColor(COLOR_WINDOW), h);
    return MixColor70(::GetSysColor(COLOR_WINDOW), h);
  }
  return ::GetSysColor(COLOR_WINDOW);
}

COLORREF GetDefaultBarColor() {
  int os = SkinOs().osClass;
  return ::GetSysColor(os == 2 || os == 5 ? COLOR_MENU : COLOR_3DFACE);
}

namespace {
bool menuBrushColor(HMENU hMenu, COLORREF& color) {
  if (!hMenu) return false;
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_BACKGROUND;
  if (!::GetMenuInfo(hMenu, &info) || !info.hbrBack) return false;
  LOGBRUSH lb{};
  if (!::GetObjectA(info.hbrBack, sizeof lb, &lb)) return false;
  color = lb.lbColor;
  return true;
}
}  // namespace

COLORREF GetMenuBarColor(HMENU hMenu) {
  COLORREF c;
  if (menuBrushColor(hMenu, c)) return c;
  if (SkinOs().osClass == 7 && SkinFlatMenus()) return ::GetSysColor(COLOR_MENUBAR);
  return ::GetSysColor(COLOR_MENU);
}

COLORREF GetMenuBarColorXP(HMENU hMenu) {
  COLORREF c;
  if (menuBrushColor(hMenu, c)) return c;
  if (SkinOs().osClass == 7 && (SkinFlatMenus() || IsThemeActiveSafe()))
    return ::GetSysColor(COLOR_MENUBAR);
  return GetDefaultBarColor();
}

COLORREF StyleBarColor(COLORREF first, COLORREF second, bool fromThemeData) {
  // The style's own caption colours name three known looks; without the
  // style's data the mix of the system colours names them.
  if (fromThemeData) {
    switch (first) {
      case 0x86B8AA: return 0xAADADA;
      case 0xBEA3A4: return 0xE5D7D7;
      case 0xE55400: return 0xF5C2A3;
    }
    return nearest(MixColor70(first, second));
  }
  const COLORREF mix = nearest(MixColor70(first, second));
  switch (mix) {
    case 0xCCDCD6: return 0xAADADA;
    case 0xE6E6E6: return 0xE5D7D7;
    case 0xF0C5AC: return 0xF5C2A3;
  }
  return mix;
}

void GetVisualStyleColors(COLORREF& bar, COLORREF& second, bool look2003) {
  int os = SkinOs().osClass;
  if (os == 2 || os == 5) {
    bar = second = ::GetSysColor(COLOR_MENU);
    return;
  }
  int id = CurrentThemeId();
  bool styled = id == 10 || id == 11;
  if (styled || IsThemeActiveSafe()) {
    bool withData = false;
    if (HANDLE hTheme = OpenThemeDataSafe(nullptr, L"Window")) {
      COLORREF c1 = 0, c2 = 0;
      if (GetThemeColorSafe(hTheme, 1, 1, 3821, &c1) == S_OK &&
          GetThemeColorSafe(hTheme, 1, 1, 3805, &c2) == S_OK) {
        bar = StyleBarColor(c1, c2, true);
        withData = true;
      }
      CloseThemeDataSafe(hTheme);
    }
    if (!withData)
      bar = StyleBarColor(DarkenColor(10, ::GetSysColor(COLOR_WINDOW)), ::GetSysColor(COLOR_ACTIVECAPTION), false);
    if (look2003)
      second = LightenColor(200, bar), bar = DarkenColor(20, bar);
    else
      second = LightenColor(withData || styled ? 110 : 100, bar);
    return;
  }
  bar = ::GetSysColor(COLOR_3DFACE);
  second = AlphaBlendColor(bar, ::GetSysColor(COLOR_WINDOW), 220);
}

COLORREF GetThemedBarColor() {
  COLORREF bar, second;
  GetVisualStyleColors(bar, second, true);
  return bar;
}

void FillSolid(HDC hDC, const RECT& rect, COLORREF color) {
  COLORREF old = ::SetBkColor(hDC, color);
  ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  ::SetBkColor(hDC, old);
}

void FrameSolid(HDC hDC, const RECT& r, COLORREF color) {
  FillSolid(hDC, {r.left, r.top, r.right, r.top + 1}, color);
  FillSolid(hDC, {r.left, r.bottom - 1, r.right, r.bottom}, color);
  FillSolid(hDC, {r.left, r.top, r.left + 1, r.bottom}, color);
  FillSolid(hDC, {r.right - 1, r.top, r.right, r.bottom}, color);
}

void FillFrame(HDC hDC, const RECT& outer, const RECT& inner, COLORREF color) {
  FillSolid(hDC, {outer.left, outer.top, outer.right, inner.top}, color);
  FillSolid(hDC, {outer.left, inner.bottom, outer.right, outer.bottom}, color);
  FillSolid(hDC, {outer.left, inner.top, inner.left, inner.bottom}, color);
  FillSolid(hDC, {inner.right, inner.top, outer.right, inner.bottom}, color);
}

void DrawGradient(HDC hDC, const RECT& rect, COLORREF start, COLORREF end, bool horizontal,
                  bool useNearest) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  if (::GetDeviceCaps(hDC, NUMCOLORS) == -1) useNearest = false;
  PFN_GRADIENTFILL gradientFill = SkinState().pfnGradientFill;
  if (gradientFill && !useNearest) {
    TRIVERTEX v[2] = {
        {rect.left, rect.top, static_cast<COLOR16>(GetRValue(start) << 8),
         static_cast<COLOR16>(GetGValue(start) << 8), static_cast<COLOR16>(GetBValue(start) << 8), 0},
        {rect.right, rect.bottom, static_cast<COLOR16>(GetRValue(end) << 8),
         static_cast<COLOR16>(GetGValue(end) << 8), static_cast<COLOR16>(GetBValue(end) << 8), 0}};
    GRADIENT_RECT g{0, 1};
    if (gradientFill(hDC, v, 2, &g, 1, horizontal ? GRADIENT_FILL_RECT_H : GRADIENT_FILL_RECT_V))
      return;
  }
  int n = (horizontal ? rect.right - rect.left : rect.bottom - rect.top) - 2;
  // One or two pixels have no room for steps: the start colour alone.
  FillSolid(hDC, rect, n > 0 ? end : start);
  for (int i = 0; n > 0 && i <= n; i += 2) {
    auto step = [&](int a, int b) { return a + ::MulDiv(b - a, i, n); };
    COLORREF c = RGB(step(GetRValue(start), GetRValue(end)), step(GetGValue(start), GetGValue(end)),
                     step(GetBValue(start), GetBValue(end)));
    if (useNearest) c = ::GetNearestColor(hDC, c);
    RECT band = rect;
    if (horizontal)
      band.left = rect.left + i, band.right = std::min<LONG>(band.left + 2, rect.right);
    else
      band.top = rect.top + i, band.bottom = std::min<LONG>(band.top + 2, rect.bottom);
    FillSolid(hDC, band, c);
  }
}

namespace {
// The pixels of a bitmap as 32-bit top-down rows, and back.
bool readPixels(HBITMAP hBitmap, BITMAPINFO& bi, std::vector<DWORD>& pixels) {
  BITMAP bm{};
  if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    return false;
  bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  pixels.assign(static_cast<size_t>(bm.bmWidth) * bm.bmHeight, 0);
  ScreenDC dc;
  return ::GetDIBits(dc, hBitmap, 0, bm.bmHeight, pixels.data(), &bi, DIB_RGB_COLORS) != 0;
}
}  // namespace

bool MapBitmapPixels(HBITMAP hBitmap, COLORREF (*fn)(COLORREF, const void*), const void* context) {
  BITMAPINFO bi;
  std::vector<DWORD> pixels;
  if (!readPixels(hBitmap, bi, pixels)) return false;
  for (DWORD& p : pixels) {
    COLORREF c = fn(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF), context);
    p = (static_cast<DWORD>(GetRValue(c)) << 16) | (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c);
  }
  ScreenDC dc;
  return ::SetDIBits(dc, hBitmap, 0, static_cast<UINT>(-bi.bmiHeader.biHeight), pixels.data(), &bi,
                     DIB_RGB_COLORS) != 0;
}

COLORREF ColorizeBitmap(HBITMAP hBitmap, int weight, COLORREF color) {
  struct Args {
    int weight;
    COLORREF color;
  } args{weight, color};
  auto colorize = [](COLORREF p, const void* ctx) -> COLORREF {
    const Args& a = *static_cast<const Args*>(ctx);
    int grey = (GetRValue(p) + GetGValue(p) + GetBValue(p)) / 3;
    auto ch = [&](int c) { return (c * (255 - a.weight) + grey * a.weight) / 256; };
    return RGB(ch(GetRValue(a.color)), ch(GetGValue(a.color)), ch(GetBValue(a.color)));
  };
  if (!MapBitmapPixels(hBitmap, colorize, &args)) return CLR_INVALID;
  BITMAPINFO bi;
  std::vector<DWORD> pixels;
  if (!readPixels(hBitmap, bi, pixels)) return CLR_INVALID;
  return RGB((pixels[0] >> 16) & 0xFF, (pixels[0] >> 8) & 0xFF, pixels[0] & 0xFF);
}

HBITMAP CreateMaskBitmap(HBITMAP hBitmap, COLORREF transparent) {
  BITMAP bm{};
  if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm)) return nullptr;
  HBITMAP hMask = ::CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr);
  if (!hMask) return nullptr;
  MemoryDC src, dst;
  SelectScope selSrc(src, hBitmap), selDst(dst, hMask);
  ::SetBkColor(src, transparent);
  ::BitBlt(dst, 0, 0, bm.bmWidth, bm.bmHeight, src, 0, 0, SRCCOPY);
  ::SetBkColor(src, transparent);
  ::SetTextColor(src, RGB(0, 0, 0));
  ::BitBlt(src, 0, 0, bm.bmWidth, bm.bmHeight, dst, 0, 0, SRCINVERT);
  return hMask;
}

int GetBitmapColorCount(const BITMAPINFOHEADER& header) {
  if (header.biClrUsed) return static_cast<int>(header.biClrUsed);
  switch (header.biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
  }
  return 0;
}

HBITMAP LoadBitmapResource(LPCSTR name, HINSTANCE hInstance, int* colorCount) {
  if (!hInstance) hInstance = AfxFindResourceHandle(name, RT_BITMAP);
  HRSRC hRes = ::FindResourceA(hInstance, name, RT_BITMAP);
  if (!hRes) return nullptr;
  HGLOBAL hData = ::LoadResource(hInstance, hRes);
  auto* header = hData ? static_cast<const BITMAPINFOHEADER*>(::LockResource(hData)) : nullptr;
  if (!header || ::SizeofResource(hInstance, hRes) < sizeof(BITMAPINFOHEADER)) return nullptr;
  if (colorCount) *colorCount = GetBitmapColorCount(*header);
  return static_cast<HBITMAP>(::LoadImageA(hInstance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

UINT_PTR AllocateTimerId(HWND hWnd, UINT milliseconds) {
  if (!::IsWindow(hWnd)) return 0;
  auto& timers = SkinState().timers;
  for (auto it = timers.begin(); it != timers.end();)
    it = ::IsWindow(it->first) ? std::next(it) : timers.erase(it);
  for (UINT_PTR id = 31; id <= 99; ++id) {
    auto range = timers.equal_range(hWnd);
    if (std::any_of(range.first, range.second, [id](const auto& e) { return e.second == id; }))
      continue;
    if (::SetTimer(hWnd, id, milliseconds, nullptr)) {
      timers.emplace(hWnd, id);
      return id;
    }
  }
  return 0;
}

void FreeTimerId(HWND hWnd, UINT_PTR id) {
  if (!id) return;
  ::KillTimer(hWnd, id);
  auto& timers = SkinState().timers;
  auto range = timers.equal_range(hWnd);
  for (auto it = range.first; it != range.second; ++it)
    if (it->second == id) {
      timers.erase(it);
      return;
    }
}
