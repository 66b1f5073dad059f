#pragma once
// A window's pixels as a program sees them (frame included), for checks
// where the look matters and for screenshots written on demand.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct WindowCapture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top-down
  uint32_t At(POINT p) const { return pixels[static_cast<size_t>(p.y) * width + p.x]; }
};

WindowCapture CaptureWindow(HWND hWnd);
// A 32-bit bitmap file of the capture.
void WriteCapture(const std::string& path, const WindowCapture& capture);
// Writes the window to the path in the environment variable, when it names one.
void CaptureOnDemand(HWND hWnd, const char* variable);
