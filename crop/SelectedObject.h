#pragma once
// A GDI object selected into a device context for the owner's lifetime.
#include "framework/framework.h"

class SelectedObject {
 public:
  SelectedObject(CDC& dc, HGDIOBJ object) : m_dc(dc), m_old(dc.SelectObject(object)) {}
  ~SelectedObject() { m_dc.SelectObject(m_old); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  CDC& m_dc;
  HGDIOBJ m_old;
};
