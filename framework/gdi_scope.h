#pragma once
// Small owners for the device contexts, selections and GDI objects that
// painting code borrows, so every exit path gives them back.
#include <windows.h>

// The screen's device context.
class ScreenDC {
 public:
  ScreenDC() : m_hDC(::GetDC(nullptr)) {}
  ~ScreenDC() {
    if (m_hDC) ::ReleaseDC(nullptr, m_hDC);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  operator HDC() const { return m_hDC; }
  HDC Get() const { return m_hDC; }

 private:
  HDC m_hDC;
};

// A memory device context compatible with another (the screen by default).
class MemoryDC {
 public:
  explicit MemoryDC(HDC hCompatible = nullptr) : m_hDC(::CreateCompatibleDC(hCompatible)) {}
  ~MemoryDC() {
    if (m_hDC) ::DeleteDC(m_hDC);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  operator HDC() const { return m_hDC; }
  HDC Get() const { return m_hDC; }

 private:
  HDC m_hDC;
};

// A window's device context (whole window or client area).
class WindowDC {
 public:
  WindowDC(HWND hWnd, bool wholeWindow)
      : m_hWnd(hWnd), m_hDC(wholeWindow ? ::GetWindowDC(hWnd) : ::GetDC(hWnd)) {}
  ~WindowDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, m_hDC);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  operator HDC() const { return m_hDC; }
  HDC Get() const { return m_hDC; }

 private:
  HWND m_hWnd;
  HDC m_hDC;
};

// Selects an object into a device context and puts the previous one back.
class SelectScope {
 public:
  SelectScope(HDC hDC, HGDIOBJ hObject)
      : m_hDC(hDC), m_hOld(hDC && hObject ? ::SelectObject(hDC, hObject) : nullptr) {}
  ~SelectScope() {
    if (m_hOld) ::SelectObject(m_hDC, m_hOld);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC m_hDC;
  HGDIOBJ m_hOld;
};

// A GDI object deleted with its owner.
class GdiHandle {
 public:
  explicit GdiHandle(HGDIOBJ h = nullptr) : m_h(h) {}
  ~GdiHandle() { Reset(); }
  GdiHandle(const GdiHandle&) = delete;
  GdiHandle& operator=(const GdiHandle&) = delete;
  void Reset(HGDIOBJ h = nullptr) {
    if (m_h) ::DeleteObject(m_h);
    m_h = h;
  }
  HGDIOBJ Get() const { return m_h; }
  HGDIOBJ Release() {
    HGDIOBJ h = m_h;
    m_h = nullptr;
    return h;
  }
  explicit operator bool() const { return m_h != nullptr; }

 private:
  HGDIOBJ m_h;
};

// The device context's state saved and restored around a painter.
class SavedDC {
 public:
  explicit SavedDC(HDC hDC) : m_hDC(hDC), m_n(::SaveDC(hDC)) {}
  ~SavedDC() {
    if (m_n) ::RestoreDC(m_hDC, m_n);
  }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC m_hDC;
  int m_n;
};
