#include "ui/menus/draw/SkinBrush.h"

#include <algorithm>

#include "ui/menus/colors/SkinColors.h"
#include "ui/menus/core/SkinState.h"
#include "framework/gdi_scope.h"

CSkinBrush::CSkinBrush(int kind, COLORREF c1, COLORREF c2) : m_nKind(kind), m_color1(c1), m_color2(c2) {
  int os = SkinOs().osClass;
  if (os != 5 && os != 2 && (kind == 8 || kind == 10)) {
    int width = PatternWidth(::GetSystemMetrics(SM_CXFULLSCREEN)), height = 20;
    ScreenDC screen;
    GdiHandle bitmap(::CreateCompatibleBitmap(screen, width, height));
    MemoryDC dc(screen);
    if (bitmap && dc) {
      {
        SelectScope select(dc, bitmap.Get());
        int gradient = std::min(width, 700);
        DrawGradient(dc, {0, 0, gradient, height}, c1, c2, true, true);
        if (width > gradient) FillSolid(dc, {gradient, 0, width, height}, c2);
      }
      if (::HBRUSH h = ::CreatePatternBrush(static_cast<HBITMAP>(bitmap.Get()))) {
        Attach(h);
        return;
      }
    }
  }
  CreateSolidBrush(c1);
}

std::vector<std::unique_ptr<CSkinBrush>>& CSkinBrushList::List() {
  static std::vector<std::unique_ptr<CSkinBrush>> list;
  return list;
}

namespace {
bool stillABrush(const CSkinBrush& brush) {
  LOGBRUSH lb{};
  if (!brush.m_hObject || ::GetObjectType(brush.m_hObject) != OBJ_BRUSH ||
      !::GetObjectA(brush.m_hObject, sizeof lb, &lb))
    return false;
  return lb.lbStyle == BS_SOLID ? lb.lbColor == brush.m_color1 : lb.lbStyle != BS_HOLLOW;
}
}  // namespace

HBRUSH CSkinBrushList::GetBrush(int kind, COLORREF c1, COLORREF c2) {
  auto& list = List();
  for (auto& brush : list) {
    if (brush->m_nKind != kind || brush->m_color1 != c1 || brush->m_color2 != c2) continue;
    if (stillABrush(*brush)) return *brush;
    // Deleted behind our back: forget the dead handle and make the brush again.
    brush->Detach();
    brush = std::make_unique<CSkinBrush>(kind, c1, c2);
    return *brush;
  }
  list.push_back(std::make_unique<CSkinBrush>(kind, c1, c2));
  return *list.back();
}

size_t CSkinBrushList::Count() { return List().size(); }

void CSkinBrushList::FreeAll() {
  auto& list = List();
  while (!list.empty()) list.pop_back();
}
