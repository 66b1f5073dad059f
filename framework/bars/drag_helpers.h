#pragma once
// Small owners used while the mouse drags a bar or an edge: the screen's
// update lock and the 50% pattern brush of drag outlines. Each undoes itself.
#include <windows.h>

class CWindowUpdateLock {
 public:
  CWindowUpdateLock() = default;
  ~CWindowUpdateLock() { Release(); }
  CWindowUpdateLock(const CWindowUpdateLock&) = delete;
  CWindowUpdateLock& operator=(const CWindowUpdateLock&) = delete;
  // Only one window can be locked at a time; false when another one is.
  bool Lock(HWND hWnd) {
    Release();
    m_bLocked = ::LockWindowUpdate(hWnd) != FALSE;
    return m_bLocked;
  }
  void Release() {
    if (m_bLocked) ::LockWindowUpdate(nullptr);
    m_bLocked = false;
  }
  bool IsLocked() const { return m_bLocked; }

 private:
  bool m_bLocked = false;
};

class CHalftoneBrush {
 public:
  CHalftoneBrush();
  ~CHalftoneBrush();
  CHalftoneBrush(const CHalftoneBrush&) = delete;
  CHalftoneBrush& operator=(const CHalftoneBrush&) = delete;
  HBRUSH Get() const { return m_hBrush; }

 private:
  HBRUSH m_hBrush = nullptr;
};

// The rectangle around a press within which the pointer may move before the
// press becomes a drag (the system's drag distance on each side).
RECT DragStillRect(POINT press);

// Inverts a rectangle (or a frame of the given width inside it) with the
// half-tone brush: drawn twice, it is gone.
void AfxInvertHalftone(HDC hDC, const RECT& rect, int frameWidth = 0);
