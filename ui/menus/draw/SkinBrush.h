#pragma once
// Bar brushes: a solid colour, or (kinds 8 and 10) a horizontal gradient pattern
// from the first colour to the second. One process-wide cache hands out one
// brush per kind and colour pair and keeps it until exit.
#include "framework/framework.h"

#include <memory>
#include <vector>

class CSkinBrush : public CBrush {
 public:
  CSkinBrush(int kind, COLORREF c1, COLORREF c2);
  // Width of the pattern bitmap for a screen width (a multiple of 8).
  static int PatternWidth(int fullScreenWidth) { return ((fullScreenWidth + 16) / 8) * 8; }
  int m_nKind;
  COLORREF m_color1, m_color2;
};

class CSkinBrushList {
 public:
  // The cached brush of that kind and colours, made on first request. A brush
  // whose handle a caller deleted is made again, never handed out dead.
  static HBRUSH GetBrush(int kind, COLORREF c1, COLORREF c2);
  static size_t Count();
  // Frees every brush (library shutdown).
  static void FreeAll();

 private:
  static std::vector<std::unique_ptr<CSkinBrush>>& List();
};
