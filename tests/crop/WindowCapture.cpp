#include "crop/WindowCapture.h"

#include <cstdlib>
#include <fstream>

WindowCapture CaptureWindow(HWND hWnd) {
  WindowCapture c;
  RECT r;
  ::GetWindowRect(hWnd, &r);
  c.width = r.right - r.left;
  c.height = r.bottom - r.top;
  c.pixels.assign(static_cast<size_t>(c.width) * c.height, 0);
  HDC window = ::GetWindowDC(hWnd);
  HDC memory = ::CreateCompatibleDC(window);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), c.width, -c.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP dib = ::CreateDIBSection(window, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (dib) {
    HGDIOBJ old = ::SelectObject(memory, dib);
    ::BitBlt(memory, 0, 0, c.width, c.height, window, 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < c.pixels.size(); ++i) c.pixels[i] = p[i] & 0xFFFFFF;
    ::SelectObject(memory, old);
    ::DeleteObject(dib);
  }
  ::DeleteDC(memory);
  ::ReleaseDC(hWnd, window);
  return c;
}

void WriteCapture(const std::string& path, const WindowCapture& c) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{sizeof info, c.width, -c.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const DWORD bytes = static_cast<DWORD>(c.pixels.size() * 4);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bytes;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(c.pixels.data()), bytes);
}

void CaptureOnDemand(HWND hWnd, const char* variable) {
  const char* target = std::getenv(variable);
  if (target && *target) WriteCapture(target, CaptureWindow(hWnd));
}
