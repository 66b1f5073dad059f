#include "ui/menus/menus_fixture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
SkinPlatform pinnedPlatform() {
  SkinPlatform p;
  p.osClass = 7;
  return p;
}

// The program object of the test program.
CWinApp& testApp() {
  static CWinApp app("MenuTests");
  return app;
}
const bool g_appReady = (testApp(), true);
}  // namespace

void PumpPending() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

void MenuLibraryTest::SetUp() { Restart(pinnedPlatform()); }

void MenuLibraryTest::Restart(const SkinPlatform& platform) {
  library.reset();
  SkinMenuState& s = SkinState();
  s.flatMenus = 0;
  s.dropShadow = 0;
  s.themeActive = 0;
  s.keyboardCues = 1;
  s.screenColors = 64000;
  library = std::make_unique<CSkinMenuHook>(&platform);
  CMenuTheme* theme = CurrentTheme();
  for (auto& t : s.themes) t->UpdateSysMetrics();
  (void)theme;
}

void MenuLibraryTest::TearDown() { library.reset(); }

Canvas::Canvas(int width, int height, COLORREF fill) : m_w(width), m_h(height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  m_dc = ::CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  m_bitmap = ::CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  m_bits = static_cast<DWORD*>(bits);
  m_old = ::SelectObject(m_dc, m_bitmap);
  RECT all{0, 0, width, height};
  FillSolid(m_dc, all, fill);
}

Canvas::~Canvas() {
  ::SelectObject(m_dc, m_old);
  ::DeleteObject(m_bitmap);
  ::DeleteDC(m_dc);
}

COLORREF Canvas::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_w || y >= m_h) return CLR_INVALID;
  ::GdiFlush();
  DWORD p = m_bits[y * m_w + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Canvas::Count(const RECT& r, COLORREF c) const {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
  return n;
}

bool Canvas::Save(const char* path) const {
  ::GdiFlush();
  FILE* f = std::fopen(path, "wb");
  if (!f) return false;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = m_w;
  ih.biHeight = -m_h;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + 4u * m_w * m_h;
  std::fwrite(&fh, sizeof fh, 1, f);
  std::fwrite(&ih, sizeof ih, 1, f);
  // Icons leave alpha bytes behind; viewers would take the rest as transparent.
  std::vector<DWORD> pixels(m_bits, m_bits + static_cast<size_t>(m_w) * m_h);
  for (DWORD& p : pixels) p &= 0x00FFFFFF;
  std::fwrite(pixels.data(), 4, pixels.size(), f);
  std::fclose(f);
  return true;
}

SampleMenu::SampleMenu() {
  HMENU hBar = ::CreateMenu(), hPopup = ::CreatePopupMenu(), hInner = ::CreatePopupMenu();
  ::AppendMenuA(hInner, MF_STRING, kInner, "Interno");
  ::AppendMenuA(hPopup, MF_STRING, kOpen, "&Apri");
  ::AppendMenuA(hPopup, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(hPopup, MF_STRING | MF_CHECKED, kChecked, "&Spunta");
  ::AppendMenuA(hPopup, MF_STRING | MF_GRAYED, kGrayed, "&Grigio\tF9");
  ::AppendMenuA(hPopup, MF_POPUP, reinterpret_cast<UINT_PTR>(hInner), "&Altro");
  ::AppendMenuA(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), "&Test");
  bar.LoadMenu(hBar);
}

void SaveShot(const char* name, std::initializer_list<HWND> windows) {
  const char* dir = std::getenv("SPAB_MENU_SHOTS");
  if (!dir) return;
  RECT all{};
  for (HWND w : windows) {
    RECT r;
    ::GetWindowRect(w, &r);
    ::UnionRect(&all, &all, &r);
  }
  Canvas shot(all.right - all.left + 8, all.bottom - all.top + 8, RGB(255, 255, 255));
  // Each window's own drawing: the screen may not show it yet.
  for (HWND w : windows) {
    RECT r;
    ::GetWindowRect(w, &r);
    HDC dc = ::GetWindowDC(w);
    ::BitBlt(shot.dc(), r.left - all.left, r.top - all.top, r.right - r.left, r.bottom - r.top, dc, 0, 0, SRCCOPY);
    ::ReleaseDC(w, dc);
  }
  shot.Save((std::string(dir) + "/" + name).c_str());
}
