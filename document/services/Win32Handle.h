#pragma once
// Owners of the kernel and GDI handles the album opens, so that every return
// path closes them.
#include <windows.h>

#include <memory>
#include <type_traits>

// A handle from CreateFile, CreateEvent, CreateThread and the like.
class CScopedHandle {
 public:
  CScopedHandle() = default;
  explicit CScopedHandle(HANDLE h) : m_h(h) {}
  ~CScopedHandle() { Close(); }
  CScopedHandle(const CScopedHandle&) = delete;
  CScopedHandle& operator=(const CScopedHandle&) = delete;
  CScopedHandle(CScopedHandle&& other) noexcept : m_h(other.Detach()) {}
  CScopedHandle& operator=(CScopedHandle&& other) noexcept {
    if (this != &other) Reset(other.Detach());
    return *this;
  }

  // CreateFile fails with INVALID_HANDLE_VALUE, most other calls with null.
  bool IsValid() const { return m_h != nullptr && m_h != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_h; }
  HANDLE Detach() {
    HANDLE h = m_h;
    m_h = nullptr;
    return h;
  }
  void Reset(HANDLE h = nullptr) {
    Close();
    m_h = h;
  }

 private:
  void Close() {
    if (IsValid()) ::CloseHandle(m_h);
    m_h = nullptr;
  }
  HANDLE m_h = nullptr;
};

// A search handle from FindFirstFile.
class CScopedFind {
 public:
  explicit CScopedFind(HANDLE h) : m_h(h) {}
  ~CScopedFind() {
    if (IsValid()) ::FindClose(m_h);
  }
  CScopedFind(const CScopedFind&) = delete;
  CScopedFind& operator=(const CScopedFind&) = delete;
  bool IsValid() const { return m_h != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_h; }

 private:
  HANDLE m_h;
};

// A font from CreateFontIndirect; it must be out of every device context when
// it goes.
struct CGdiObjectDeleter {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using CScopedFont = std::unique_ptr<std::remove_pointer<HFONT>::type, CGdiObjectDeleter>;
