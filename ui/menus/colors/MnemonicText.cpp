#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "ui/menus/colors/SkinColors.h"

namespace {
// The text without its "&" marks, and where the marked characters stand.
struct MnemonicLayout {
  std::string plain;
  std::vector<size_t> marks;
};

MnemonicLayout splitMnemonics(LPCSTR text, size_t n, bool hide) {
  MnemonicLayout out;
  for (size_t i = 0; i < n; ++i) {
    if (text[i] == '&' && i + 1 < n) {
      if (text[i + 1] == '&') {
        out.plain += '&';
        ++i;
      } else if (!hide) {
        out.marks.push_back(out.plain.size());
      }
      continue;
    }
    out.plain += text[i];
  }
  return out;
}

int extent(HDC hDC, const std::string& s, size_t n) {
  SIZE size{};
  ::GetTextExtentPoint32A(hDC, s.c_str(), static_cast<int>(n), &size);
  return size.cx;
}
}  // namespace

void DrawMnemonicText(HDC hDC, LPCSTR text, int length, const RECT& rect, UINT format) {
  if (!text) return;
  size_t n = length < 0 ? std::strlen(text) : static_cast<size_t>(length);
  MnemonicLayout layout = splitMnemonics(text, n, (format & DT_HIDEPREFIX) != 0);
  LOGFONTA lf{};
  ::GetObjectA(::GetCurrentObject(hDC, OBJ_FONT), sizeof lf, &lf);
  TEXTMETRICA tm{};
  ::GetTextMetricsA(hDC, &tm);
  int along = extent(hDC, layout.plain, layout.plain.size());
  int across = tm.tmHeight;
  // Text running downwards (escapement -900) or upwards (900) swaps the axes.
  int esc = ((lf.lfEscapement % 3600) + 3600) % 3600;
  bool down = esc == 2700, up = esc == 900;
  bool vertical = down || up;
  int w = vertical ? across : along, h = vertical ? along : across;
  int left = rect.left, top = rect.top;
  if (format & DT_CENTER) left = (rect.left + rect.right - w) / 2;
  else if (format & DT_RIGHT) left = rect.right - w;
  if (format & DT_VCENTER) top = (rect.top + rect.bottom - h) / 2;
  else if (format & DT_BOTTOM) top = rect.bottom - h;
  // The reference point is the top-left corner of the text cell before turning.
  int x = down ? left + w : left, y = up ? top + h : top;
  UINT oldAlign = ::SetTextAlign(hDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ::ExtTextOutA(hDC, x, y, 0, nullptr, layout.plain.c_str(), static_cast<UINT>(layout.plain.size()),
                nullptr);
  ::SetTextAlign(hDC, oldAlign);
  COLORREF color = ::GetTextColor(hDC);
  int under = tm.tmAscent + 1;
  // A mirrored device context keeps the text's reading order on the screen, so
  // in its logical coordinates the characters run from the far end back.
  const bool mirrored = !vertical && (::GetLayout(hDC) & LAYOUT_RTL) != 0;
  for (size_t mark : layout.marks) {
    if (mark >= layout.plain.size()) continue;
    int from = extent(hDC, layout.plain, mark), to = extent(hDC, layout.plain, mark + 1);
    if (mirrored) from = along - from, to = along - to, std::swap(from, to);
    RECT line;
    if (down)
      line = {x - under - 1, y + from, x - under, y + to};
    else if (up)
      line = {x + under, y - to, x + under + 1, y - from};
    else
      line = {x + from, y + under, x + to, y + under + 1};
    FillSolid(hDC, line, color);
  }
}
