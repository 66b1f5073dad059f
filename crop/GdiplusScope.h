#pragma once
// Owners of the GDI+ objects the crop panes use: the library session, paths,
// graphics and pens, each released with its owner.
#include <windows.h>

#include <gdiplus.h>

class CGdiplusSession {
 public:
  CGdiplusSession();
  ~CGdiplusSession();
  CGdiplusSession(const CGdiplusSession&) = delete;
  CGdiplusSession& operator=(const CGdiplusSession&) = delete;
  bool IsReady() const { return m_token != 0; }

 private:
  ULONG_PTR m_token = 0;
};

// One GDI+ object, freed by the given flat-API call.
template <class T, Gdiplus::GpStatus(WINGDIPAPI* Free)(T*)>
class CGdipOwner {
 public:
  CGdipOwner() = default;
  ~CGdipOwner() {
    if (m_p) Free(m_p);
  }
  CGdipOwner(const CGdipOwner&) = delete;
  CGdipOwner& operator=(const CGdipOwner&) = delete;
  T* Get() const { return m_p; }
  // Where a creating call puts the new object (the old one is freed first).
  T** Receive() {
    if (m_p) Free(m_p);
    m_p = nullptr;
    return &m_p;
  }

 private:
  T* m_p = nullptr;
};

using CGdipPath = CGdipOwner<Gdiplus::GpPath, Gdiplus::DllExports::GdipDeletePath>;
using CGdipGraphics = CGdipOwner<Gdiplus::GpGraphics, Gdiplus::DllExports::GdipDeleteGraphics>;
using CGdipPen = CGdipOwner<Gdiplus::GpPen, Gdiplus::DllExports::GdipDeletePen>;
